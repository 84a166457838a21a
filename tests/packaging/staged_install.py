# SPDX-License-Identifier: MIT
"""A test case base that installs the build with `cmake --install` into a fresh staging DESTDIR,
once for all the tests of the class, and removes it afterwards."""

import os
import subprocess
import tempfile
import unittest
from pathlib import Path

from expected_tree import BUILD_DIR, CMAKE, PREFIX


class StagedInstallTestCase(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.staging = tempfile.TemporaryDirectory(prefix="quillmoor-install-")
        result = subprocess.run([CMAKE, "--install", str(BUILD_DIR), "--prefix", PREFIX],
                                env={**os.environ, "DESTDIR": cls.staging.name},
                                capture_output=True, text=True, timeout=300)
        if result.returncode != 0:
            cls.staging.cleanup()
            raise AssertionError(f"cmake --install failed:\n{result.stdout}{result.stderr}")
        cls.root = Path(cls.staging.name)
        cls.prefix = cls.staged(PREFIX)

    @classmethod
    def tearDownClass(cls):
        cls.staging.cleanup()

    @classmethod
    def staged(cls, installed_path):
        """Where an absolute installed path lies in the staging directory."""
        return cls.root / installed_path.lstrip("/")
