#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Makes the tests' Wine prefix afresh (WINEPREFIX), once per test run, or ends its server.

    wine_prefix.py make    wineboot with Wine's Mono and Gecko installers disabled (Debian
                           ships neither, and their prompt would wait for ever), then the font
                           mapping of the test
    wine_prefix.py end     ends every Wine process of the prefix

The program names the faces the game was designed with; the test maps them to the fonts the
Linux build uses, in the prefix's registry. The product itself maps nothing. The scaled-screen
test sets the screen's DPI there too, for a while (set_screen_scale).
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

FONT_REPLACEMENTS = {
    "MS P 明朝": "IPAPMincho",
    "Century": "C059",
    "MS UI Gothic": "IPAPGothic",
    "MS Shell Dlg": "IPAPGothic",
}
TIMEOUT = 300
# Wine's screen DPI, which every program reads when it starts; a fresh prefix has no value there
# and takes 96.
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
DPI_VALUE = "LogPixels"
DESIGN_DPI = 96


def environment():
    return {**os.environ, "WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml="}


def run(*command, check=True):
    subprocess.run(command, env=environment(), check=check, timeout=TIMEOUT,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def end_server():
    """Ends the prefix's server and every program in it; nothing to do when none runs."""
    run("wineserver", "-k", check=False)


def set_screen_scale(scale):
    """The screen's scale (1.5: 144 DPI) for the programs started from now on; 1 restores the
    fresh prefix's own, by removing the value."""
    if scale == 1:
        run("wine", "reg", "delete", DESKTOP_KEY, "/v", DPI_VALUE, "/f")
    else:
        run("wine", "reg", "add", DESKTOP_KEY, "/v", DPI_VALUE, "/t", "REG_DWORD", "/d",
            str(round(DESIGN_DPI * scale)), "/f")
    # Saved now, so that the next program does not meet a server on its way out.
    end_server()


def make(prefix):
    started = time.monotonic()
    end_server()
    shutil.rmtree(prefix, ignore_errors=True)
    run("wine", "wineboot", "-i")
    run("wineserver", "-w")
    # regedit reads UTF-16 files, whatever the Unix locale makes of a command line.
    lines = ["Windows Registry Editor Version 5.00", "",
             r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]"]
    lines += [f'"{face}"="{font}"' for face, font in FONT_REPLACEMENTS.items()]
    with tempfile.NamedTemporaryFile("wb", suffix=".reg", delete=False) as reg:
        reg.write(("\r\n".join(lines) + "\r\n").encode("utf-16"))
    try:
        run("wine", "regedit", "/S", reg.name)
        run("wineserver", "-w")
    finally:
        os.unlink(reg.name)
    print(f"Wine prefix {prefix} made in {time.monotonic() - started:.1f} s")


def main(argv):
    prefix = os.environ.get("WINEPREFIX")
    if len(argv) != 2 or argv[1] not in ("make", "end") or not prefix:
        print(__doc__, file=sys.stderr)
        return 2
    if argv[1] == "make":
        make(prefix)
    else:
        end_server()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
