# SPDX-License-Identifier: MIT
"""Two packages of one commit are the same bytes: the program is built and packaged twice, from
this source tree and from a copy of it at another path, in two build folders, some seconds apart,
in another time zone; the .deb files and the debug symbols must be equal, and diffoscope shows
why when they are not."""

import os
import shutil
import subprocess
import tarfile
import tempfile
import time
import unittest
from io import BytesIO
from pathlib import Path

from expected_tree import CMAKE, CPACK, SOURCE_DIR

DEBUG_SYMBOLS = "quillmoor.debug"
# Longer than a second apart, so that any time stamp taken from the clock differs.
MIN_SECONDS_APART = 3
DIFFOSCOPE_LIMIT = 20000


def run(args, **kwargs):
    result = subprocess.run(args, capture_output=True, text=True, timeout=1200, **kwargs)
    if result.returncode != 0:
        raise AssertionError(f"{' '.join(map(str, args))} failed:\n{result.stdout}{result.stderr}")
    return result.stdout


def commit_date():
    return run(["git", "-C", str(SOURCE_DIR), "log", "-1", "--format=%ct"]).strip()


def copy_tracked_files(destination):
    """The files git tracks, as they are in the working tree, with new file times."""
    listing = run(["git", "-C", str(SOURCE_DIR), "ls-files", "-z"])
    for name in filter(None, listing.split("\0")):
        source = SOURCE_DIR / name
        if source.is_file():
            target = destination / name
            target.parent.mkdir(parents=True, exist_ok=True)
            shutil.copy(source, target)


def package(source, build, output, environment, umask):
    """Configures as the play preset does, builds the program alone and runs cpack."""
    def with_umask():
        os.umask(umask)

    run([CMAKE, "--preset", "play", "-S", str(source), "-B", str(build)], env=environment,
        cwd=source, preexec_fn=with_umask)
    run([CMAKE, "--build", str(build), "--target", "quillmoor"], env=environment,
        preexec_fn=with_umask)
    # The umask scripts/package.sh packages under: CPack takes the ar members' modes from it.
    run([CPACK, "--config", str(build / "CPackConfig.cmake"), "-B", str(output)],
        env=environment, preexec_fn=lambda: os.umask(0o022))
    (deb,) = output.glob("*.deb")
    return deb, output / DEBUG_SYMBOLS


def ar_member_times(deb):
    """The modification time in each member header of the .deb's ar archive."""
    data, offset, times = deb.read_bytes(), 8, []
    while offset < len(data):
        header = data[offset:offset + 60]
        times.append(int(header[16:28]))
        size = int(header[48:58])
        offset += 60 + size + size % 2
    return times


def tar_members(deb, part):
    archive = subprocess.run(["dpkg-deb", f"--{part}-tarfile", str(deb)], capture_output=True,
                             check=True, timeout=120).stdout
    with tarfile.open(fileobj=BytesIO(archive)) as tar:
        return tar.getmembers()


class ReproduciblePackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory(prefix="quillmoor-reproducible-")
        try:
            cls.build_twice(Path(cls.scratch.name))
        except BaseException:
            cls.scratch.cleanup()
            raise

    @classmethod
    def build_twice(cls, root):
        cls.epoch = os.environ.get("SOURCE_DATE_EPOCH") or commit_date()
        # The first from this tree, the date read from git by the configure step.
        cls.first_build = root / "first-build"
        started = time.monotonic()
        cls.first = package(SOURCE_DIR, cls.first_build, root / "first-package", os.environ,
                            0o022)

        # The second from a copy that is no git checkout: the date comes from the environment,
        # as a build from a source archive gets it.
        copy = root / "elsewhere" / "quillmoor-copy"
        copy_tracked_files(copy)
        time.sleep(max(0.0, MIN_SECONDS_APART - (time.monotonic() - started)))
        environment = {**os.environ, "SOURCE_DATE_EPOCH": cls.epoch, "TZ": "Pacific/Auckland"}
        cls.second = package(copy, root / "second-build", root / "second-package", environment,
                             0o002)

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()

    def assert_same_bytes(self, first, second):
        if first.read_bytes() == second.read_bytes():
            return
        result = subprocess.run(["diffoscope", "--no-progress", str(first), str(second)],
                                capture_output=True, text=True, timeout=900)
        report = result.stdout + result.stderr
        if len(report) > DIFFOSCOPE_LIMIT:
            report = report[:DIFFOSCOPE_LIMIT] + "\n[diffoscope report cut short]"
        self.fail(f"{first.name} differs between the two builds:\n{report}")

    def test_packages_are_the_same_bytes(self):
        self.assert_same_bytes(self.first[0], self.second[0])

    def test_debug_symbols_are_the_same_bytes(self):
        self.assert_same_bytes(self.first[1], self.second[1])

    def test_every_time_stamp_is_the_commit_date(self):
        deb = self.first[0]
        epoch = int(self.epoch)
        self.assertEqual(set(ar_member_times(deb)), {epoch})
        for part in ("ctrl", "fsys"):
            with self.subTest(part=part):
                times = {member.mtime for member in tar_members(deb, part)}
                self.assertEqual(times, {epoch})

    def test_no_build_or_source_path_is_left(self):
        unpacked = Path(self.scratch.name) / "unpacked"
        run(["dpkg-deb", "-x", str(self.first[0]), str(unpacked)])
        paths = (str(SOURCE_DIR.resolve()), str(self.first_build))
        for installed in [*unpacked.rglob("*"), self.first[1]]:
            if installed.is_file():
                data = installed.read_bytes()
                for path in paths:
                    with self.subTest(file=installed.name, path=path):
                        self.assertFalse(path.encode() in data, f"{installed.name} holds {path}")


if __name__ == "__main__":
    unittest.main()
