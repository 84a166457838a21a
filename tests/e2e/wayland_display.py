# SPDX-License-Identifier: MIT
"""The Wayland side of the harness: windows and titles by swaymsg, keys by wtype, pictures by grim.

Runs inside a sway compositor that run_wayland.py started; WAYLAND_DISPLAY, SWAYSOCK and
XDG_RUNTIME_DIR name it, and QUILLMOOR_RUN_AS names the unprivileged user the compositor runs as
when the tests run as root.
"""

import json
import os
import re
import shutil
import subprocess
import tempfile

from display_tools import on_platform, run

# Each wtype run brings a new virtual keyboard whose keymap the program must take first.
KEYMAP_SECONDS = 0.15
WTYPE_MODIFIERS = {"ctrl": "ctrl", "control": "ctrl", "shift": "shift", "alt": "alt",
                   "super": "logo"}
WINDOW_TYPES = ("con", "floating_con")
PROGRAM_COPY_PREFIX = "quillmoor-under-test."


def _milliseconds(seconds):
    return str(int(seconds * 1000))


def _wtype_key(key):
    """wtype's words for one xdotool key name: a character is typed, a name is pressed."""
    return [key] if len(key) == 1 else ["-k", key]


def run_as_user_command():
    """The setpriv prefix that drops root to the compositor's user, or nothing."""
    user = os.environ.get("QUILLMOOR_RUN_AS")
    if not user:
        return []
    return ["setpriv", f"--reuid={user}", f"--regid={user}", "--clear-groups"]


class WaylandDisplay:
    name = "wayland"

    def program_environment(self, environment):
        """The program talks Wayland to this compositor whatever the caller's session is."""
        environment = on_platform(environment, "wayland", "DISPLAY")
        if os.environ.get("QUILLMOOR_RUN_AS"):
            environment["HOME"] = os.environ["XDG_RUNTIME_DIR"]
        return environment

    def program_command(self, binary):
        prefix = run_as_user_command()
        if prefix:
            # The unprivileged user may not reach the build tree; the runtime folder is its own.
            # One copy per session: a copy still running cannot be overwritten.
            handle, copy = tempfile.mkstemp(prefix=PROGRAM_COPY_PREFIX,
                                            dir=os.environ["XDG_RUNTIME_DIR"])
            with os.fdopen(handle, "wb") as target, open(binary, "rb") as source:
                shutil.copyfileobj(source, target)
            os.chmod(copy, 0o755)
            binary = copy
        return prefix + [binary]

    @staticmethod
    def _tree_windows():
        tree = json.loads(run("swaymsg", "-t", "get_tree", "--raw"))
        stack = [tree]
        while stack:
            node = stack.pop()
            if node.get("type") in WINDOW_TYPES and node.get("pid"):
                yield node
            stack.extend(node.get("nodes", []))
            stack.extend(node.get("floating_nodes", []))

    def _window(self, window):
        for node in self._tree_windows():
            if str(node["id"]) == window:
                return node
        raise KeyError(f"no window {window}")

    def find_windows(self, pid, title_pattern):
        return [(str(node["id"]), node["window_rect"]["width"], node["window_rect"]["height"])
                for node in self._tree_windows()
                if node["pid"] == pid and node.get("visible")
                and re.search(title_pattern, node.get("name") or "")]

    def geometry(self, window):
        rect = self._window(window)["window_rect"]
        return rect["width"], rect["height"]

    def shown_titles(self, window):
        return [self._window(window).get("name")]

    def focus(self, window):
        run("swaymsg", f"[con_id={window}]", "focus")

    def full_screen(self, window):
        """Whether the compositor shows the window full screen (on its workspace or globally)."""
        return self._window(window).get("fullscreen_mode", 0) != 0

    def key(self, *keys):
        for key in keys:
            *modifiers, name = key.split("+")
            command = ["wtype", "-s", _milliseconds(KEYMAP_SECONDS)]
            for modifier in modifiers:
                command += ["-M", WTYPE_MODIFIERS[modifier.lower()]]
            command += _wtype_key(name)
            for modifier in reversed(modifiers):
                command += ["-m", WTYPE_MODIFIERS[modifier.lower()]]
            run(*command)

    def hold_modifiers_while(self, modifiers, key, hold_seconds):
        names = [WTYPE_MODIFIERS[modifier.lower()] for modifier in modifiers]
        command = ["wtype", "-s", _milliseconds(KEYMAP_SECONDS)]
        for name in names:
            command += ["-M", name]
        command += _wtype_key(key) + ["-s", _milliseconds(hold_seconds)]
        for name in reversed(names):
            command += ["-m", name]
        run(*command)

    @staticmethod
    def output_scale():
        """The scale of the compositor's output: logical pixels to output pixels."""
        return json.loads(run("swaymsg", "-t", "get_outputs", "--raw"))[0]["scale"]

    @staticmethod
    def set_output_scale(scale):
        run("swaymsg", f"output * scale {scale}")

    @staticmethod
    def place_floating(window, width, height):
        """Floats the window in the output's top-left corner, width x height logical pixels."""
        run("swaymsg", f"[con_id={window}] floating enable, "
                       f"resize set width {width} px height {height} px, move position 0 0")

    def screenshot(self, window):
        """Width, height and RGBA bytes of the window's picture in output pixels."""
        node = self._window(window)
        rect, inner = node["rect"], node["window_rect"]
        scale = self.output_scale()
        x = round((rect["x"] + inner["x"]) * scale)
        y = round((rect["y"] + inner["y"]) * scale)
        width, height = round(inner["width"] * scale), round(inner["height"] * scale)
        # The whole output in its own pixels, cut here: grim resamples a region of its own.
        ppm = subprocess.run(["grim", "-t", "ppm", "-"], stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, check=True, timeout=60).stdout
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        if not header:
            raise AssertionError("grim gave no picture")
        output_width, output_height = int(header.group(1)), int(header.group(2))
        if x < 0 or y < 0 or x + width > output_width or y + height > output_height:
            raise AssertionError(f"the window lies outside the {output_width} x {output_height} "
                                 "output")
        output = ppm[header.end():]
        rgb = b"".join(output[((y + row) * output_width + x) * 3:
                              ((y + row) * output_width + x + width) * 3]
                       for row in range(height))
        pixels = width * height
        rgba = bytearray(pixels * 4)
        for channel in range(3):
            rgba[channel::4] = rgb[channel::3]
        rgba[3::4] = b"\xff" * pixels
        return width, height, bytes(rgba)
