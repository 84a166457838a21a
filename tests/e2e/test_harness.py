# SPDX-License-Identifier: MIT
"""The harness itself: a program that fails to start fails the test at once and is never left
running."""

import os
import stat
import tempfile
import time
import unittest

from quillmoor_session import Session

QUICK_SECONDS = 10


def script(folder, text):
    path = os.path.join(folder, "program")
    with open(path, "w", encoding="utf-8") as file:
        file.write("#!/bin/sh\n" + text)
    os.chmod(path, 0o755)
    return path


class HarnessTest(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = folder.name
        # The program may run as an unprivileged user that must leave its pid here.
        os.chmod(self.folder, stat.S_IRWXU | stat.S_IRWXG | stat.S_IRWXO)

    def test_a_program_that_exits_early_fails_at_once_with_its_errors(self):
        program = script(self.folder, "echo 'no display for me' >&2\nexit 3\n")
        started = time.monotonic()
        with self.assertRaises(AssertionError) as failure:
            Session(binary=program)
        self.assertLess(time.monotonic() - started, QUICK_SECONDS)
        self.assertIn("exited with 3", str(failure.exception))
        self.assertIn("no display for me", str(failure.exception))

    def test_a_program_without_a_window_is_killed_when_the_start_times_out(self):
        pid_file = os.path.join(self.folder, "pid")
        program = script(self.folder, f"echo $$ > {pid_file}\nexec sleep 600\n")
        with self.assertRaises(AssertionError):
            Session(binary=program, start_timeout=2)
        with open(pid_file, encoding="utf-8") as file:
            pid = int(file.read())
        with self.assertRaises(ProcessLookupError, msg="the program outlived its session"):
            os.kill(pid, 0)


if __name__ == "__main__":
    unittest.main()
