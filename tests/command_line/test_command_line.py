# SPDX-License-Identifier: MIT
"""The real program's command line: --help and --version answer without a display, Qt's options
are Qt's, and anything else is named in one warning while the game starts all the same."""

import os
import selectors
import subprocess
import time
import unittest

BINARY = os.environ["QUILLMOOR_BINARY"]
VERSION = os.environ["QUILLMOOR_VERSION"]
WARNING_PREFIX = "quillmoor: "
# Long enough for a program that refuses its arguments to have exited.
KEEPS_RUNNING_SECONDS = 2


def without_display():
    """No display at all, and X forced: a program that starts Qt's window system here aborts."""
    environment = {key: value for key, value in os.environ.items()
                   if key not in ("DISPLAY", "WAYLAND_DISPLAY")}
    environment["QT_QPA_PLATFORM"] = "xcb"
    return environment


def run_program(*args, **kwargs):
    return subprocess.run([BINARY, *args], env=without_display(), text=True, timeout=60, **kwargs)


class InformationOptionsTest(unittest.TestCase):
    def test_version_prints_the_project_version_and_exits(self):
        result = run_program("--version", capture_output=True)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, f"quillmoor {VERSION}\n")
        self.assertEqual(result.stderr, "")

    def test_help_prints_usage_and_exits_wherever_it_stands(self):
        for args in (["--help"], ["-h"], ["--frobnicate", "--help"], ["-style", "Fusion", "-h"]):
            with self.subTest(args=args):
                result = run_program(*args, capture_output=True)
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertTrue(result.stdout.startswith("Usage: quillmoor "), result.stdout)
                self.assertIn("--version", result.stdout)
                self.assertEqual(result.stderr, "")

    def test_the_first_of_help_and_version_wins(self):
        self.assertEqual(run_program("--version", "--help", capture_output=True).stdout,
                         f"quillmoor {VERSION}\n")
        self.assertTrue(
            run_program("--help", "--version", capture_output=True).stdout.startswith("Usage:"))

    def test_text_that_cannot_be_written_fails(self):
        for option in ("--help", "--version"):
            with self.subTest(option=option), open("/dev/full", "w", encoding="utf-8") as full:
                self.assertEqual(run_program(option, stdout=full).returncode, 1)


class GameArgumentsTest(unittest.TestCase):
    """The offscreen platform needs no display, so the game only starts if -platform was taken."""

    def start(self, *args):
        process = subprocess.Popen([BINARY, "-platform", "offscreen", *args], env=without_display(),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.addCleanup(process.wait, timeout=30)
        self.addCleanup(process.kill)
        self.addCleanup(process.stderr.close)
        return process

    def our_lines_while_running(self, process):
        """The program's own stderr lines (Qt logs beside them) once it has run for a while; fails
        if it exits before then."""
        output = b""
        with selectors.DefaultSelector() as selector:
            selector.register(process.stderr, selectors.EVENT_READ)
            deadline = time.monotonic() + KEEPS_RUNNING_SECONDS
            while (remaining := deadline - time.monotonic()) > 0:
                if selector.select(remaining):
                    chunk = os.read(process.stderr.fileno(), 4096)
                    if not chunk:
                        break
                    output += chunk
        self.assertIsNone(process.poll(), f"the game exited with {process.returncode}")
        lines = output.decode("utf-8", "replace").splitlines()
        return [line for line in lines if line.startswith(WARNING_PREFIX)]

    def test_unknown_arguments_are_named_in_one_line_and_the_game_starts(self):
        process = self.start("--frobnicate", "-style", "Fusion", "level7")
        lines = self.our_lines_while_running(process)
        self.assertEqual(len(lines), 1, lines)
        self.assertEqual(lines[0].split(": ")[-1].split(), ["--frobnicate", "level7"])

    def test_qt_options_alone_start_the_game_without_a_warning(self):
        process = self.start("-style", "Fusion")
        self.assertEqual(self.our_lines_while_running(process), [])


if __name__ == "__main__":
    unittest.main()
