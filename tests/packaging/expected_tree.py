# SPDX-License-Identifier: MIT
"""The tree the install is expected to produce, read from installed_files.txt, and the settings
that CTest passes to the packaging tests."""

import os
from pathlib import Path, PurePosixPath

LISTING = Path(__file__).with_name("installed_files.txt")
PREFIX = "/usr"
PROGRAM = "games/quillmoor"
APP_ID = "io.github.quillmoor.Quillmoor"

SOURCE_DIR = Path(os.environ["QUILLMOOR_SOURCE_DIR"])
BUILD_DIR = Path(os.environ["QUILLMOOR_BUILD_DIR"])
VERSION = os.environ["QUILLMOOR_VERSION"]
CMAKE = os.environ["QUILLMOOR_CMAKE"]
CPACK = os.environ["QUILLMOOR_CPACK"]


def expected_files():
    """{path relative to the prefix: permission string such as -rw-r--r--}."""
    files = {}
    for line in LISTING.read_text(encoding="utf-8").splitlines():
        if line and not line.startswith("#"):
            mode, path = line.split()
            files[path] = mode
    return files


def parent_directories(paths):
    """Every directory that holds one of the paths, up to but not including the top."""
    directories = set()
    for path in paths:
        for parent in PurePosixPath(path).parents:
            if str(parent) != ".":
                directories.add(str(parent))
    return directories
