# SPDX-License-Identifier: MIT
"""Two builds of one commit give the same zip: the program built again from a copy of the
source at another path, into another build folder, packs to the same bytes."""

import os
import shutil
import subprocess
import tempfile
import unittest

TIMEOUT = 1200


class ReproducibleZipTest(unittest.TestCase):
    def test_a_second_build_elsewhere_gives_the_same_bytes(self):
        source = os.environ["QUILLMOOR_SOURCE_DIR"]
        first = os.environ["QUILLMOOR_WINDOWS_ZIP"]
        with tempfile.TemporaryDirectory(prefix="quillmoor-zip-") as scratch:
            copy = os.path.join(scratch, "source")
            files = subprocess.run(["git", "-C", source, "ls-files", "-z"], check=True,
                                   stdout=subprocess.PIPE, timeout=60).stdout.split(b"\0")
            for name in filter(None, (f.decode() for f in files)):
                if os.path.isfile(os.path.join(source, name)):
                    os.makedirs(os.path.dirname(os.path.join(copy, name)), exist_ok=True)
                    shutil.copy2(os.path.join(source, name), os.path.join(copy, name))
            build = os.path.join(scratch, "build")
            environment = {**os.environ,
                           "SOURCE_DATE_EPOCH": os.environ["QUILLMOOR_SOURCE_DATE_EPOCH"]}
            subprocess.run(["cmake", "-S", copy, "-B", build, "-G", "Ninja", "--toolchain",
                            os.path.join(copy, "cmake", "mingw-w64-x86_64.cmake"),
                            "-DCMAKE_BUILD_TYPE=Release", "-DBUILD_TESTING=OFF"],
                           check=True, env=environment, timeout=TIMEOUT,
                           stdout=subprocess.DEVNULL)
            subprocess.run(["cmake", "--build", build, "-j", "2", "--target", "windows_zip"],
                           check=True, env=environment, timeout=TIMEOUT,
                           stdout=subprocess.DEVNULL)
            second = os.path.join(build, os.path.basename(first))
            with open(first, "rb") as a, open(second, "rb") as b:
                self.assertTrue(a.read() == b.read(), f"{first} and {second} differ")


if __name__ == "__main__":
    unittest.main()
