#!/usr/bin/env python3
"""make_zip.py FOLDER ZIP EPOCH: writes the files under FOLDER into ZIP, with
names relative to FOLDER's parent (so the zip holds one folder), in the same
bytes for the same input: entries in name order, every entry dated EPOCH
(seconds since 1970, UTC), the same attributes and compression everywhere.

Names that are not ASCII are stored as UTF-8 with the zip's UTF-8 flag,
which Windows' own zip folders and the usual unzip programs read.
"""
import os
import sys
import time
import zipfile


def entries(folder):
    """(name in the zip, path or None for a folder), folders first in each."""
    parent = os.path.dirname(os.path.abspath(folder))
    found = []
    for here, dirs, files in os.walk(folder):
        dirs.sort()
        rel = os.path.relpath(here, parent).replace(os.sep, "/")
        found.append((rel + "/", None))
        for name in sorted(files):
            found.append((rel + "/" + name, os.path.join(here, name)))
    return sorted(found, key=lambda entry: entry[0].encode("utf-8"))


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: make_zip.py FOLDER ZIP EPOCH")
    folder, target, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
    # The earliest time a zip can hold is 1980-01-01.
    stamp = time.gmtime(max(epoch, 315532800))[:6]
    with zipfile.ZipFile(target, "w") as archive:
        for name, path in entries(folder):
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = 0  # MS-DOS attributes
            if path is None:
                info.external_attr = 0x10  # folder
                archive.writestr(info, b"")
                continue
            info.external_attr = 0x20  # archive
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as f:
                archive.writestr(info, f.read(), compresslevel=9)


if __name__ == "__main__":
    main()
