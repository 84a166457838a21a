# SPDX-License-Identifier: MIT
"""Runs the end-to-end tests on Wayland: a headless compositor of its own, then the suite.

The compositor is sway unless told (--compositor mutter, GNOME's, or kwin, KDE's; only sway takes
--scale). sway will not run as root: as root, the compositor and the program run as an
unprivileged user (QUILLMOOR_RUN_AS) with a private runtime folder that user owns. No user
account is created. The program learns the compositor's process from QUILLMOOR_COMPOSITOR_PID.
Usage: python3 run_wayland.py [--compositor C] [--mode WxH] [--scale S] [--floating] <test folder>
       [unittest discover arguments]
       python3 run_wayland.py [--compositor C] [--mode WxH] [--scale S] [--floating] --run
       <program> [arguments]
--floating makes sway float every window at the size it asks for.
--run starts the program in the compositor, as the unprivileged user when root (the benchmarks).
"""

import glob
import os
import shutil
import signal
import subprocess
import sys
import tempfile

from display_tools import wait_until
from wayland_display import run_as_user_command

UNPRIVILEGED_ID = 65534  # nobody, on every Debian system
START_SECONDS = 30
# Longer than any suite or benchmark run here takes.
RUN_SECONDS = int(os.environ.get("QUILLMOOR_RUN_SECONDS", "1500"))
OUTPUT_MODE = "1280x800"

SWAY_CONFIG = """\
output HEADLESS-1 mode {mode} scale {scale}
default_border none
default_floating_border none
xwayland disable
"""
# With --floating every window keeps the size it asks for, as on a desktop that does not tile
# (the benchmarks' windows of given sizes).
SWAY_FLOATING = 'for_window [title=".*"] floating enable\n'


def compositor_environment(runtime):
    """A clean environment: nothing of the caller's own session may leak into the compositor."""
    return {
        "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
        "HOME": runtime,
        "XDG_RUNTIME_DIR": runtime,
        "WLR_BACKENDS": "headless",
        "WLR_RENDERER": "pixman",
        "WLR_LIBINPUT_NO_DEVICES": "1",
    }


def start_sway(runtime, log, mode, scale, floating):
    config = os.path.join(runtime, "sway.config")
    with open(config, "w", encoding="utf-8") as file:
        file.write(SWAY_CONFIG.format(mode=mode, scale=scale) + (SWAY_FLOATING if floating else ""))
    if os.geteuid() == 0:
        for path in (runtime, config):
            os.chown(path, UNPRIVILEGED_ID, UNPRIVILEGED_ID)
    sway = subprocess.Popen(run_as_user_command() + ["sway", "--config", config],
                            env=compositor_environment(runtime), stdout=log, stderr=log,
                            start_new_session=True)

    def sockets():
        if sway.poll() is not None:
            log.seek(0)
            raise AssertionError(f"sway exited with {sway.returncode}:\n{log.read()[-4000:]}")
        displays = [path for path in glob.glob(os.path.join(runtime, "wayland-*"))
                    if not path.endswith(".lock")]
        ipc = glob.glob(os.path.join(runtime, "sway-ipc.*.sock"))
        return (displays[0], ipc[0]) if displays and ipc else None

    try:
        display, ipc = wait_until(sockets, START_SECONDS, "the sway compositor")
    except BaseException:
        stop(sway)
        raise
    return sway, os.path.basename(display), ipc


def start_in_dbus_session(runtime, log, command, what):
    """Starts a compositor in a D-Bus session of its own, which GNOME's and KDE's ask for."""
    if os.geteuid() == 0:
        os.chown(runtime, UNPRIVILEGED_ID, UNPRIVILEGED_ID)
    environment = compositor_environment(runtime)
    # KWin is itself a Qt program: it must not try the display it is about to make.
    environment["QT_QPA_PLATFORM"] = "offscreen"
    session = subprocess.Popen(run_as_user_command() + ["dbus-run-session", "--"] + command,
                               env=environment, stdout=log, stderr=log, start_new_session=True)
    program = os.path.basename(command[0])

    def started():
        if session.poll() is not None:
            log.seek(0)
            raise AssertionError(f"{what} exited with {session.returncode}:\n"
                                 f"{log.read()[-4000:]}")
        displays = [path for path in glob.glob(os.path.join(runtime, "wayland-*"))
                    if not path.endswith(".lock")]
        pid = process_named(program, session.pid)
        return (os.path.basename(displays[0]), pid) if displays and pid else None

    try:
        display, pid = wait_until(started, START_SECONDS, what)
    except BaseException:
        stop(session)
        raise
    return session, display, pid


def process_named(program, ancestor):
    """The process running program among ancestor's descendants, or None."""
    for status in glob.glob("/proc/[0-9]*/status"):
        try:
            with open(status, encoding="utf-8", errors="replace") as file:
                fields = dict(line.rstrip("\n").split(":\t", 1) for line in file if ":\t" in line)
        except OSError:
            continue
        pid = int(os.path.basename(os.path.dirname(status)))
        if fields.get("Name") == program[:15] and descends_from(pid, ancestor):
            return pid
    return None


def descends_from(pid, ancestor):
    while pid > 1:
        if pid == ancestor:
            return True
        try:
            with open(f"/proc/{pid}/stat", encoding="utf-8") as file:
                pid = int(file.read().rsplit(")", 1)[1].split()[1])
        except (OSError, ValueError, IndexError):
            return False
    return False


def start_mutter(runtime, log, mode):
    # mutter warns about the session services it cannot find and runs all the same.
    return start_in_dbus_session(
        runtime, log, ["mutter", "--headless", "--wayland", "--no-x11", "--virtual-monitor", mode],
        "GNOME's compositor (mutter)")


def start_kwin(runtime, log, mode):
    # kwin_wayland carries a file capability that a sandboxed root may not grant, and it starts
    # only under a name that ends in kwin_wayland: a plain copy in the runtime folder is both.
    copy = os.path.join(runtime, "kwin_wayland")
    shutil.copyfile(shutil.which("kwin_wayland"), copy)
    os.chmod(copy, 0o755)
    if os.geteuid() == 0:
        os.chown(copy, UNPRIVILEGED_ID, UNPRIVILEGED_ID)
    width, height = mode.split("x")
    return start_in_dbus_session(
        runtime, log, [copy, "--virtual", "--width", width, "--height", height,
                       "--socket", "wayland-quillmoor"], "KDE's compositor (kwin_wayland)")


def stop(process):
    if process.poll() is None:
        os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait(timeout=10)


def run_watched(command, environment):
    """Runs the command; one that outlives RUN_SECONDS has its threads' stacks printed (a hang
    then says where it is) and is killed."""
    process = subprocess.Popen(command, env=environment, start_new_session=True)
    try:
        return process.wait(timeout=RUN_SECONDS)
    except subprocess.TimeoutExpired:
        print(f"run_wayland: still running after {RUN_SECONDS} s; its stacks:", flush=True)
        for pid in [process.pid] + descendants(process.pid):
            subprocess.run(["gdb", "-batch", "-p", str(pid), "-ex", "thread apply all bt"],
                           stdin=subprocess.DEVNULL, check=False, timeout=120)
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        return 124


def descendants(ancestor):
    pids = []
    for stat in glob.glob("/proc/[0-9]*/stat"):
        pid = int(os.path.basename(os.path.dirname(stat)))
        if pid != ancestor and descends_from(pid, ancestor):
            pids.append(pid)
    return pids


def command_and_output(arguments):
    """The command to run in the compositor, the compositor, and the output's mode and scale."""
    output = {"--compositor": "sway", "--mode": OUTPUT_MODE, "--scale": "1", "--floating": False}
    while arguments[:1] and arguments[0] in output:
        if arguments[0] == "--floating":
            output["--floating"] = True
            arguments = arguments[1:]
            continue
        output[arguments[0]] = arguments[1]
        arguments = arguments[2:]
    if arguments[:1] == ["--run"]:
        command = run_as_user_command() + arguments[1:]
    else:
        command = [sys.executable, "-m", "unittest", "discover", "-v", "-s", arguments[0],
                   *arguments[1:]]
    if output["--compositor"] not in ("sway", "mutter", "kwin"):
        raise SystemExit(f"unknown compositor {output['--compositor']}: sway, mutter or kwin")
    if output["--compositor"] != "sway" and output["--scale"] != "1":
        raise SystemExit("only sway's output takes a scale here")
    return (command, output["--compositor"], output["--mode"], output["--scale"],
            output["--floating"])


def suppressions_for_user(environment, runtime):
    """LeakSanitizer reads its suppressions as the program's user, who may not see into the source
    tree (a clone under /root, say): that user gets a copy in the runtime folder."""
    options = environment.get("LSAN_OPTIONS")
    if not options or not os.environ.get("QUILLMOOR_RUN_AS"):
        return
    rewritten = []
    for option in options.split(":"):
        name, _, path = option.partition("=")
        if name == "suppressions" and path:
            copy = os.path.join(runtime, "lsan.supp")
            shutil.copyfile(path, copy)
            os.chmod(copy, 0o644)
            option = f"suppressions={copy}"
        rewritten.append(option)
    environment["LSAN_OPTIONS"] = ":".join(rewritten)


def main():
    runtime = tempfile.mkdtemp(prefix="quillmoor-wayland-")
    os.chmod(runtime, 0o700)
    if os.geteuid() == 0:
        os.environ["QUILLMOOR_RUN_AS"] = str(UNPRIVILEGED_ID)
    command, compositor, mode, scale, floating = command_and_output(sys.argv[1:])
    try:
        with tempfile.TemporaryFile(mode="w+", encoding="utf-8", errors="replace") as log:
            environment = dict(os.environ)
            environment.pop("DISPLAY", None)
            if compositor == "sway":
                process, display, ipc = start_sway(runtime, log, mode, scale, floating)
                pid = process.pid
                environment["SWAYSOCK"] = ipc
            else:
                start = start_mutter if compositor == "mutter" else start_kwin
                process, display, pid = start(runtime, log, mode)
            try:
                environment.update(QUILLMOOR_DISPLAY="wayland", QUILLMOOR_COMPOSITOR=compositor,
                                   QUILLMOOR_COMPOSITOR_PID=str(pid), WAYLAND_DISPLAY=display,
                                   XDG_RUNTIME_DIR=runtime)
                suppressions_for_user(environment, runtime)
                returncode = run_watched(command, environment)
            finally:
                stop(process)
        return returncode
    finally:
        shutil.rmtree(runtime, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
