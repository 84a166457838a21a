#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Build tool: the Windows zip, the same bytes from every build of one commit.

    make_zip.py <output.zip> <epoch> <name>=<file>...

Entries are stored in the order given, each dated <epoch> (SOURCE_DATE_EPOCH, UTC), with fixed
attributes and no extra fields; text entries (.txt) get CR LF line ends for Windows editors.
"""

import sys
import time
import zipfile

# Zip dates begin in 1980.
EARLIEST = (1980, 1, 1, 0, 0, 0)


def main(argv):
    if len(argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    output, epoch = argv[1], int(argv[2])
    stamp = max(EARLIEST, tuple(time.gmtime(epoch)[:6]))
    with zipfile.ZipFile(output, "w") as archive:
        for entry in argv[3:]:
            name, path = entry.split("=", 1)
            data = open(path, "rb").read()
            if name.endswith(".txt"):
                data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = 0  # MS-DOS attributes, as Windows' own zips carry
            info.external_attr = 0
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
