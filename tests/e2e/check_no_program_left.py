# SPDX-License-Identifier: MIT
"""Fails when a program the end-to-end suites started is still running after them.

Usage: python3 check_no_program_left.py <program>
"""

import os
import sys

# How the Wayland suite names the copies of the program it runs.
WAYLAND_COPY_PREFIX = "quillmoor-under-test."


def running_commands():
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/cmdline", "rb") as file:
                arguments = file.read().split(b"\0")
        except OSError:
            continue  # ended while we looked
        if arguments and arguments[0]:
            yield int(entry), arguments[0].decode("utf-8", "replace")


def main():
    program = os.path.realpath(sys.argv[1])
    left = [(pid, command) for pid, command in running_commands()
            if command == program or os.path.basename(command).startswith(WAYLAND_COPY_PREFIX)]
    for pid, command in left:
        print(f"still running: {pid} {command}")
    return 1 if left else 0


if __name__ == "__main__":
    sys.exit(main())
