# SPDX-License-Identifier: MIT
"""The Windows program under Wine in an X server: X11's windows, titles and keys, with the
program started by wine in the test's prefix and the view's sunken edge cut off its pictures.

WINEPREFIX names the prefix that wine_prefix.py made; DISPLAY the X server (xvfb-run).
"""

import os
import subprocess

from display_tools import on_platform
from wine_prefix import set_screen_scale
from x11_display import X11Display

# The view's WS_EX_CLIENTEDGE: two pixels on each side between the frame's client area (the X
# window) and the view's own, where the picture starts. Wine keeps them two at every DPI.
CLIENT_EDGE = 2


def wine_environment(environment):
    environment = dict(environment)
    environment.setdefault("WINEDEBUG", "-all")
    environment["WINEDLLOVERRIDES"] = "mscoree,mshtml="
    return on_platform(environment, "xcb", "WAYLAND_DISPLAY")


class WineDisplay(X11Display):
    name = "wine"

    def program_environment(self, environment):
        return wine_environment(environment)

    def program_command(self, binary):
        return ["wine", binary]

    def after_program(self):
        """No Wine process outlives the test's program."""
        subprocess.run(["wineserver", "-k"], env=wine_environment(os.environ),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60,
                       check=False)

    @staticmethod
    def set_output_scale(scale):
        """The scale of the programs started from now on: Wine's one DPI, for every screen."""
        set_screen_scale(scale)

    def screenshot(self, window):
        """The view's client area: the frame's, less the sunken edge."""
        width, height, data = super().screenshot(window)
        if width <= 2 * CLIENT_EDGE or height <= 2 * CLIENT_EDGE or not self.is_main(window):
            return width, height, data
        inner = width - 2 * CLIENT_EDGE
        rows = [data[(y * width + CLIENT_EDGE) * 4:(y * width + CLIENT_EDGE + inner) * 4]
                for y in range(CLIENT_EDGE, height - CLIENT_EDGE)]
        return inner, height - 2 * CLIENT_EDGE, b"".join(rows)

    def is_main(self, window):
        return self.shown_titles(window)[0].startswith("Quillmoor")
