# SPDX-License-Identifier: MIT
"""Runs the end-to-end tests on Wayland: a headless sway compositor of its own, then the suite.

sway will not run as root: as root, the compositor and the program run as an unprivileged user
(QUILLMOOR_RUN_AS) with a private runtime folder that user owns. No user account is created.
Usage: python3 run_wayland.py [--mode WxH] [--scale S] <test folder> [unittest discover arguments]
       python3 run_wayland.py [--mode WxH] [--scale S] --run <program> [arguments]
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
OUTPUT_MODE = "1280x800"

SWAY_CONFIG = """\
output HEADLESS-1 mode {mode} scale {scale}
default_border none
default_floating_border none
xwayland disable
"""


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


def start_sway(runtime, log, mode, scale):
    config = os.path.join(runtime, "sway.config")
    with open(config, "w", encoding="utf-8") as file:
        file.write(SWAY_CONFIG.format(mode=mode, scale=scale))
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


def stop(process):
    if process.poll() is None:
        os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait(timeout=10)


def command_and_output(arguments):
    """The command to run in the compositor, and the output's mode and scale."""
    output = {"--mode": OUTPUT_MODE, "--scale": "1"}
    while arguments[:1] and arguments[0] in output:
        output[arguments[0]] = arguments[1]
        arguments = arguments[2:]
    if arguments[:1] == ["--run"]:
        command = run_as_user_command() + arguments[1:]
    else:
        command = [sys.executable, "-m", "unittest", "discover", "-v", "-s", arguments[0],
                   *arguments[1:]]
    return command, output["--mode"], output["--scale"]


def main():
    runtime = tempfile.mkdtemp(prefix="quillmoor-wayland-")
    os.chmod(runtime, 0o700)
    if os.geteuid() == 0:
        os.environ["QUILLMOOR_RUN_AS"] = str(UNPRIVILEGED_ID)
    command, mode, scale = command_and_output(sys.argv[1:])
    try:
        with tempfile.TemporaryFile(mode="w+", encoding="utf-8", errors="replace") as log:
            sway, display, ipc = start_sway(runtime, log, mode, scale)
            try:
                environment = dict(os.environ)
                environment.pop("DISPLAY", None)
                environment.update(QUILLMOOR_DISPLAY="wayland", WAYLAND_DISPLAY=display,
                                   SWAYSOCK=ipc, XDG_RUNTIME_DIR=runtime)
                result = subprocess.run(command, env=environment)
            finally:
                stop(sway)
        return result.returncode
    finally:
        shutil.rmtree(runtime, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
