# SPDX-License-Identifier: MIT
"""Plays a short session of the real program under X and closes its window as a window manager
would; passes when the program exits 0 with no sanitizer report, which in the sanitizer build
means no leak and no error in our code over a whole run, start to exit.

Run under xvfb-run with QUILLMOOR_BINARY naming the program.
"""

import ctypes
import ctypes.util
import os
import subprocess
import sys
import tempfile
import time

MAIN_TITLE = "^Quillmoor$"
DIALOG_ANSWERS = [("v", "^バージョン情報 Quillmoor$", "Escape"),
                  ("a", "^著者経歴 Author Carrier$", "Return"),
                  ("Escape", "^Go To Next Stage$", "Return")]
TIMEOUT_SECONDS = 60
POLL_SECONDS = 0.1
CLIENT_MESSAGE = 33  # the X event type


def xdotool(*args):
    result = subprocess.run(["xdotool", *args], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                            check=False, timeout=TIMEOUT_SECONDS)
    return result.stdout.decode().split()


def wait_for(condition, what, program):
    deadline = time.monotonic() + TIMEOUT_SECONDS
    while not (value := condition()):
        if program.poll() is not None:
            raise AssertionError(f"the program exited with {program.returncode} waiting for {what}")
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(POLL_SECONDS)
    return value


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("client", _ClientMessage), ("pad", ctypes.c_long * 24)]


def ask_to_close(windows):
    """Sends WM_DELETE_WINDOW, as the close box of a window manager does."""
    xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(_Event)]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(None)
    if not display:
        raise AssertionError("cannot open the X display")
    protocols = xlib.XInternAtom(display, b"WM_PROTOCOLS", 0)
    delete = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    for window in windows:
        event = _Event()
        event.client.type = CLIENT_MESSAGE
        event.client.window = int(window)
        event.client.message_type = protocols
        event.client.format = 32
        event.client.data[0] = delete
        xlib.XSendEvent(display, int(window), 0, 0, ctypes.byref(event))
    xlib.XCloseDisplay(display)


def main():
    errors = tempfile.TemporaryFile()
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb")
    program = subprocess.Popen([os.environ["QUILLMOOR_BINARY"]], env=environment,
                               stdout=subprocess.DEVNULL, stderr=errors)
    try:
        main_windows = wait_for(lambda: xdotool("search", "--onlyvisible", "--name", MAIN_TITLE),
                                "the main window", program)
        for key, title, answer in DIALOG_ANSWERS:
            xdotool("windowfocus", "--sync", main_windows[-1])
            xdotool("key", key)
            dialog = wait_for(lambda: xdotool("search", "--onlyvisible", "--name", title), title,
                              program)
            xdotool("windowfocus", "--sync", dialog[0])
            xdotool("key", answer)
            wait_for(lambda: not xdotool("search", "--onlyvisible", "--name", title),
                     f"{title} to close", program)
        ask_to_close(main_windows)
        exit_code = program.wait(timeout=TIMEOUT_SECONDS)
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()
    errors.seek(0)
    report = errors.read().decode("utf-8", "replace")
    if exit_code != 0 or "Sanitizer" in report:
        print(report[-8000:])
        print(f"the program exited with {exit_code}")
        return 1
    print("the program closed cleanly")
    return 0


if __name__ == "__main__":
    sys.exit(main())
