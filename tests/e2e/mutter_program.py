# SPDX-License-Identifier: MIT
"""The real program on GNOME's compositor (mutter, headless), which has neither a virtual
keyboard nor a screenshot protocol: what the program and mutter say to each other (the Wayland
protocol as WAYLAND_DEBUG prints it) shows that the window is mapped with its title and that the
picture is committed, paced by mutter's frame callbacks, on a sub-surface of that window."""

import os
import re
import signal
import subprocess
import tempfile
import time
import unittest

from wayland_display import WaylandDisplay

RUN_SECONDS = 4
# The title phase takes 0.8 s; the rest is play at 50 ticks a second.
LEAST_COMMITS = 60
# One message as libwayland prints it: "[time] -> wl_surface@12.commit()" on Debian 12; newer
# versions (Debian 13) write objects as wl_surface#12 and may put the queue's name first,
# "{Default Queue} ". Discarded events are marked so, and left out.
MESSAGE = re.compile(r"^\[\s*[\d.]+\]\s+(?:\{[^}]*\}\s+)?(discarded\S*\s+)?(->\s+)?"
                     r"(\w+)[@#](\d+)\.(\w+)\((.*)\)$")
OBJECT = r"[@#](\d+)"


class ProtocolTrace:
    """The requests and events of one run, in order."""

    def __init__(self, text):
        self.messages = []
        for line in text.splitlines():
            match = MESSAGE.match(line.strip())
            if match and not match.group(1):
                _discarded, request, interface, number, message, arguments = match.groups()
                self.messages.append((bool(request), f"{interface}@{number}", message, arguments))

    def requests(self, message, target_prefix=""):
        return [(target, arguments) for is_request, target, name, arguments in self.messages
                if is_request and name == message and target.startswith(target_prefix)]

    def events(self, message, target_prefix=""):
        return [(target, arguments) for is_request, target, name, arguments in self.messages
                if not is_request and name == message and target.startswith(target_prefix)]


def new_id(arguments, interface):
    match = re.search(rf"new id {interface}{OBJECT}", arguments)
    return f"{interface}@{match.group(1)}" if match else None


def surfaces(arguments):
    return [f"wl_surface@{number}" for number in re.findall(rf"wl_surface{OBJECT}", arguments)]


class GameOnMutterTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        display = WaylandDisplay()
        environment = display.program_environment(os.environ)
        environment["WAYLAND_DEBUG"] = "1"
        command = display.program_command(os.environ["QUILLMOOR_BINARY"])
        with tempfile.TemporaryFile() as trace:
            program = subprocess.Popen(command, env=environment, stdout=subprocess.DEVNULL,
                                       stderr=trace, start_new_session=True)
            try:
                time.sleep(RUN_SECONDS)
                cls.running_at_the_end = program.poll() is None
            finally:
                if program.poll() is None:
                    os.killpg(program.pid, signal.SIGTERM)
                program.wait(timeout=30)
            trace.seek(0)
            cls.trace = ProtocolTrace(trace.read().decode("utf-8", "replace"))

    def test_the_window_is_mapped_with_its_title(self):
        self.assertTrue(self.running_at_the_end, "the program ended by itself")
        self.assertIn('"Quillmoor"', [arguments for _target, arguments in
                                      self.trace.requests("set_title", "xdg_toplevel@")])
        self.assertTrue(self.trace.events("configure", "xdg_toplevel@"), "never configured")
        self.assertTrue(self.trace.requests("ack_configure", "xdg_surface@"))

    def test_the_picture_goes_on_a_sub_surface_of_the_window_paced_by_mutter_s_frames(self):
        window_surfaces = {surfaces(arguments)[0] for _target, arguments in
                           self.trace.requests("get_xdg_surface")}
        made = self.trace.requests("get_subsurface")
        self.assertEqual(len(made), 1, made)
        picture, parent = surfaces(made[0][1])
        self.assertIn(parent, window_surfaces)

        commits = [target for target, _ in self.trace.requests("commit") if target == picture]
        self.assertGreaterEqual(len(commits), LEAST_COMMITS)
        damaged = self.trace.requests("damage_buffer", picture)
        self.assertTrue(damaged, "committed without damage")
        # Each commit asks for a frame callback; mutter answers them, and no commit goes out
        # before the last one is answered.
        callbacks = {new_id(arguments, "wl_callback") for target, arguments in
                     self.trace.requests("frame") if target == picture}
        answered = [target for target, _ in self.trace.events("done") if target in callbacks]
        self.assertGreaterEqual(len(answered), len(commits) - 1)


if __name__ == "__main__":
    unittest.main()
