#!/usr/bin/env python3
"""The release zip, tried as a user would: unpacked into a fresh folder and
started in a fresh Wine prefix.

    zip_test.py --zip ZIP --probe PACKAGE_PROBE --work DIR [--screenshot PNG]

Runs inside tools/with-wine.sh on a prefix that tools/test.sh has just
removed (DISPLAY and WINEPREFIX set, a persistent wineserver running). DIR
is emptied first. Checks that:
  - the zip holds exactly one folder Rolecue/ with the program, option.xml,
    the samples, the guide (Shift_JIS, CR LF) and LICENSE.txt;
  - Rolecue.exe starts with no message box, and its main window shows;
  - option.xml is unchanged while the program runs;
  - after the program closes, option.xml still loads (the lines the program
    changed on closing are printed);
  - the version resource reads back with GetFileVersionInfoA.
The processes it starts are ended by their ids, pass or fail.
"""
import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import time
import zipfile

GUIDE = "はじめにお読みください.txt"


class Failure(Exception):
    pass


def wait_until(test, what, seconds=30):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if test():
            return
        time.sleep(0.3)
    raise Failure("timed out waiting for " + what)


def end_process(proc):
    """Ends a process we started: TERM, then KILL if it lingers."""
    if proc.poll() is not None:
        return
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(timeout=5)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait(timeout=10)


class Probe:
    def __init__(self, exe, log):
        self.exe, self.log = exe, log

    def __call__(self, *words):
        """package_probe's answer as text (its bytes are Shift_JIS), and its
        exit code."""
        run = subprocess.run(["wine", self.exe] + list(words), stdout=subprocess.PIPE,
                             stderr=self.log, stdin=subprocess.DEVNULL, timeout=60)
        return run.stdout.decode("cp932", "replace").replace("\r\n", "\n").strip(), run.returncode

    def windows(self):
        """(class, title, texts) of every visible top-level window."""
        text, _ = self("windows")
        return [tuple((line.split("\t") + ["", ""])[:3]) for line in text.splitlines() if line]


def check_listing(archive, version):
    names = archive.namelist()
    expected = {"Rolecue/", "Rolecue/Rolecue.exe", "Rolecue/option.xml", "Rolecue/samples/",
                "Rolecue/" + GUIDE, "Rolecue/LICENSE.txt"}
    samples = [n for n in names if re.fullmatch(r"Rolecue/samples/[^/]+\.xml", n)]
    if not samples:
        raise Failure("no sample scenarios in the zip")
    unexpected = set(names) - expected - set(samples)
    missing = expected - set(names)
    if unexpected or missing:
        raise Failure("zip listing: missing %s, unexpected %s"
                      % (sorted(missing), sorted(unexpected)))
    if names != sorted(names, key=lambda n: n.encode("utf-8")):
        raise Failure("zip entries are not in name order")
    if len({info.date_time for info in archive.infolist()}) != 1:
        raise Failure("zip entries carry different times")
    guide = archive.read("Rolecue/" + GUIDE)
    text = guide.decode("cp932")  # raises when it is not Shift_JIS
    if b"\n" in guide.replace(b"\r\n", b"") or b"\r" in guide.replace(b"\r\n", b""):
        raise Failure("the guide's lines do not all end in CR LF")
    if "Rolecue " + version not in text:
        raise Failure("the guide does not name version " + version)
    if b"MIT License" not in archive.read("Rolecue/LICENSE.txt"):
        raise Failure("LICENSE.txt is not the MIT license")
    print("zip: %d entries, %d samples, guide %d bytes" % (len(names), len(samples), len(guide)))


def boxes(windows):
    return [w for w in windows if w[0] == "#32770"]


def run(args):
    version = re.search(r"Rolecue-([0-9.]+)-win64\.zip$", args.zip)
    if not version:
        raise Failure("cannot read the version from the zip's name " + args.zip)
    version = version.group(1)
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    unpacked = os.path.join(args.work, "unpacked")
    with zipfile.ZipFile(args.zip) as archive:
        check_listing(archive, version)
        archive.extractall(unpacked)
    folder = os.path.join(unpacked, "Rolecue")
    option_path = os.path.join(folder, "option.xml")
    with open(option_path, "rb") as f:
        shipped = f.read()

    log = open(os.path.join(args.work, "wine.log"), "ab")
    probe = Probe(args.probe, log)
    rolecue = subprocess.Popen(["wine", "Rolecue.exe"], cwd=folder, stdout=log, stderr=log,
                               stdin=subprocess.DEVNULL)
    try:
        def main_shown():
            seen = probe.windows()
            if boxes(seen):
                raise Failure("a message box came up at start: %s" % boxes(seen))
            return any(w[0] == "Rolecue" for w in seen)
        # A fresh prefix is set up by the first program that starts in it.
        wait_until(main_shown, "Rolecue's main window", seconds=120)
        time.sleep(2)
        seen = probe.windows()
        if boxes(seen):
            raise Failure("a message box came up after the start: %s" % boxes(seen))
        main = [w for w in seen if w[0] == "Rolecue"]
        if len(main) != 1 or not main[0][1].startswith("Rolecue"):
            raise Failure("expected one main window titled Rolecue..., saw %s" % seen)
        print("started: main window %r, no message box" % main[0][1])
        if args.screenshot:
            subprocess.run(["import", "-window", "root", args.screenshot], check=False,
                           stdout=log, stderr=log)
            print("screenshot:", args.screenshot)
        with open(option_path, "rb") as f:
            if f.read() != shipped:
                raise Failure("option.xml changed while the program runs")

        _, code = probe("close")
        if code != 0:
            raise Failure("could not close the main window")
        try:
            rolecue.wait(timeout=30)
        except subprocess.TimeoutExpired:
            raise Failure("Rolecue did not end after WM_CLOSE: %s" % probe.windows())
    finally:
        end_process(rolecue)

    answer, code = probe("load-option", option_path)
    if code != 0 or answer != "loaded":
        raise Failure("option.xml does not load after the program closed: " + answer)
    with open(option_path, "rb") as f:
        written = f.read()
    print("option.xml: unchanged while running (%d bytes), loads after closing (%s)"
          % (len(shipped), "the same bytes" if written == shipped else
             "rewritten: " + ", ".join(sorted(set(written.decode("cp932").splitlines())
                                              - set(shipped.decode("cp932").splitlines())))))

    answer, code = probe("version", os.path.join(folder, "Rolecue.exe"))
    values = dict(line.split("=", 1) for line in answer.splitlines() if "=" in line)
    parts = (version.split(".") + ["0", "0", "0"])[:4]
    expected = {"Fixed": ".".join(parts), "FileVersion": ".".join(parts),
                "ProductVersion": version, "ProductName": "Rolecue", "CompanyName": "Wenmoor"}
    wrong = {k: values.get(k) for k, v in expected.items() if values.get(k) != v}
    if code != 0 or wrong or "Wenmoor" not in values.get("LegalCopyright", "") \
            or not values.get("FileDescription"):
        raise Failure("version resource: %s (wrong: %s)" % (values, wrong))
    print("version resource: " + ", ".join("%s=%s" % kv for kv in sorted(values.items())))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--zip", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--screenshot")
    args = parser.parse_args()
    try:
        run(args)
    except (Failure, zipfile.BadZipFile, UnicodeDecodeError, subprocess.TimeoutExpired) as e:
        print("zip test FAILED:", e)
        return 1
    print("zip test passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
