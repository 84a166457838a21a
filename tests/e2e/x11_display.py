# SPDX-License-Identifier: MIT
"""The X11 side of the harness: windows by xdotool, titles by xprop, pictures by import.

Runs inside an X server that the caller started (xvfb-run); DISPLAY names it.
"""

import os
import re
import subprocess
import time

from display_tools import on_platform, run

# What the window system shows as a title: the EWMH name, and the ICCCM one older window
# managers and taskbars read.
TITLE_PROPERTIES = ("_NET_WM_NAME", "WM_NAME")


class X11Display:
    name = "x11"

    def program_environment(self, environment):
        """The program talks X11 to this server whatever the caller's session is."""
        return on_platform(environment, "xcb", "WAYLAND_DISPLAY")

    def program_command(self, binary):
        return [binary]

    def find_windows(self, pid, title_pattern):
        """Visible windows of the process whose title matches, as (window, width, height)."""
        output = run("xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid),
                     "--name", title_pattern, check=False)
        windows = []
        for window in output.split():
            try:
                width, height = self.geometry(window)
            except (subprocess.CalledProcessError, KeyError, ValueError):
                continue  # closed between the search and the question
            windows.append((window, width, height))
        return windows

    @staticmethod
    def geometry(window):
        text = run("xdotool", "getwindowgeometry", "--shell", window)
        values = dict(re.findall(r"^(\w+)=(\d+)$", text, re.MULTILINE))
        return int(values["WIDTH"]), int(values["HEIGHT"])

    def shown_titles(self, window):
        """Every title property of the window, decoded."""
        output = subprocess.run(["xprop", "-id", window, "-notype", *TITLE_PROPERTIES],
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=True,
                                timeout=60, env={**os.environ, "LC_ALL": "C.UTF-8"}).stdout
        titles = dict(re.findall(r'^(\w+) = "(.*)"$', output.decode("utf-8", "replace"),
                                 re.MULTILINE))
        return [titles.get(name) for name in TITLE_PROPERTIES]

    def focus(self, window):
        run("xdotool", "windowfocus", "--sync", window)

    def key(self, *keys):
        run("xdotool", "key", *keys)

    def hold_modifiers_while(self, modifiers, key, hold_seconds):
        run("xdotool", "keydown", *modifiers)
        try:
            run("xdotool", "key", key)
            time.sleep(hold_seconds)
        finally:
            run("xdotool", "keyup", *modifiers)

    def screenshot(self, window):
        """Width, height and RGBA bytes of the window's picture."""
        width, height = self.geometry(window)
        data = subprocess.run(["import", "-window", window, "-depth", "8", "rgba:-"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=True,
                              timeout=60).stdout
        return width, height, data
