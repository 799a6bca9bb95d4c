#!/usr/bin/env python3
"""Writes a zip whose bytes depend only on the files put in it:

    release-zip.py ZIP FOLDER NAME...

stores FOLDER/NAME as NAME for each NAME, in the order given, deflated, with
no folder entries, permissions rw-r--r--, and every entry dated
SOURCE_DATE_EPOCH (UTC; the time of this run when it is not set; the zip
format cannot go below 1980-01-01, so earlier times become that day).
"""
import os
import sys
import time
import zipfile


def entry_time():
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH") or time.time())
    return max(time.gmtime(epoch)[:6], (1980, 1, 1, 0, 0, 0))


def main():
    if len(sys.argv) < 4:
        sys.exit("usage: release-zip.py ZIP FOLDER NAME...")
    archive, folder, names = sys.argv[1], sys.argv[2], sys.argv[3:]
    when = entry_time()
    with zipfile.ZipFile(archive, "w") as out:
        for name in names:
            info = zipfile.ZipInfo(name, date_time=when)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3  # Unix, so that the permissions below are read
            info.external_attr = 0o100644 << 16
            with open(os.path.join(folder, name), "rb") as f:
                out.writestr(info, f.read(), compresslevel=9)


if __name__ == "__main__":
    main()
