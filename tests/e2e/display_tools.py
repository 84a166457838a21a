# SPDX-License-Identifier: MIT
"""Small helpers the harness's display sides share: running a tool, waiting for a condition."""

import subprocess
import time

POLL_SECONDS = 0.05
TOOL_SECONDS = 60


def run(*args, check=True):
    """Runs a command and returns its standard output as text."""
    result = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                            check=check, timeout=TOOL_SECONDS)
    return result.stdout.decode("utf-8", "replace")


def on_platform(environment, platform, other_display):
    """A copy of environment in which Qt uses platform and cannot reach the other display."""
    environment = dict(environment)
    environment["QT_QPA_PLATFORM"] = platform
    environment.pop(other_display, None)
    return environment


def wait_until(condition, timeout, what):
    """Polls condition until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(POLL_SECONDS)
