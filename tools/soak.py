#!/usr/bin/env python3
"""Paste soak: many hotkey presses into Wine's notepad, then checks that every
line arrived in order and that Rolecue's process did not grow.

Runs inside tools/with-wine.sh (tools/soak.sh starts it there):

    soak.py --rolecue EXE --probe PROBE [--presses 1000] [--key-wait 10]

Writes a scenario of PRESSES serifs of one cast, each with its own number,
beside an option.xml with add-return on, KeyWait small and the scenario in
the file history; starts Rolecue and notepad, opens the scenario, picks the
cast, switches monitoring on and presses the hotkey (F9) through X with
notepad in front, each press after the previous line has arrived at the end
of notepad's text (asked through a resident e2e_probe.exe). Reads the whole
text back at the end.

Rolecue's figures are read three times: at the start, after the warm-up
presses (the first paste sets up the clipboard and the like once) and after
the last press. Growth is after minus warm-up, checked against the stated
tolerances (counts: a few objects; memory: --memory-tolerance KiB). Figures
come from inside Wine (handles, the system handle table, USER and GDI
objects, windows, private bytes, working set) and from Linux
(/proc/PID/status and fd of the Wine process); where Wine does not
implement a call the table says so and names what stands in for it.

Exit code 0 when all is well, 1 on a missing or misplaced line or growth
beyond tolerance, 2 when the soak could not be set up. Every process it
starts is ended by its process id, pass or fail.
"""
import argparse
import os
import select
import shutil
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import paste_e2e  # noqa: E402  (session, process and X helpers)
from paste_e2e import Failure, wait_until, windows_path  # noqa: E402

OPEN_RECENT_0 = 165
MONITOR = 151
CAST = "ソーク"


def line_text(number):
    """The text of serif `number` (1-based): distinct and easy to find again."""
    return "台詞%04d番 soak line %d" % (number, number)


def scenario_xml(count):
    """The scenario file as Rolecue writes it: Shift_JIS, CR LF."""
    def element(indent, name, value):
        tab = "\t" * indent
        return "%s<%s>\r\n%s\t%s\r\n%s</%s>\r\n" % (tab, name, tab, value, tab, name)
    out = ['<?xml version="1.0" encoding="Shift_JIS"?>\r\n<script version="1.0">\r\n',
           element(1, "title", "soak"), element(1, "memo", ""),
           "\t<cast>\r\n", element(2, "cast_id", 0), element(2, "name", CAST),
           element(2, "memo", ""), "\t</cast>\r\n"]
    for number in range(1, count + 1):
        out += ["\t<serif>\r\n", element(2, "cast_id", 0), element(2, "serif", line_text(number)),
                element(2, "memo", ""), "\t</serif>\r\n"]
    out.append("</script>\r\n")
    return "".join(out).encode("cp932")


class Probe:
    """e2e_probe.exe in its serve mode: one Wine start for every question."""

    def __init__(self, session):
        self.proc = subprocess.Popen(["wine", session.args.probe, "serve"], cwd=session.dir,
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=session.log)
        session.started.append(self.proc)
        self.buffer = b""

    def ask(self, *words, timeout=30, check=True):
        self.proc.stdin.write((" ".join(words) + "\n").encode("ascii"))
        self.proc.stdin.flush()
        lines = []
        deadline = time.time() + timeout
        while True:
            while b"\n" not in self.buffer:
                left = deadline - time.time()
                if left <= 0 or not select.select([self.proc.stdout], [], [], left)[0]:
                    raise Failure("e2e_probe gave no answer to %r" % " ".join(words))
                chunk = os.read(self.proc.stdout.fileno(), 65536)
                if not chunk:
                    raise Failure("e2e_probe ended while asked %r" % " ".join(words))
                self.buffer += chunk
            line, self.buffer = self.buffer.split(b"\n", 1)
            line = line.decode("ascii", "replace").rstrip("\r")
            if line.startswith("end "):
                code = int(line[4:])
                break
            lines.append(line)
        if check and code != 0:
            raise Failure("e2e_probe %s failed (%d)" % (" ".join(words), code))
        return "\n".join(lines).strip()

    def close(self):
        try:
            self.proc.stdin.close()
            self.proc.wait(timeout=10)
        except (OSError, subprocess.TimeoutExpired):
            pass   # ended by the session


class SoakSession(paste_e2e.Session):
    def prepare_soak(self, presses, key_wait):
        shutil.copy(self.args.rolecue, os.path.join(self.dir, "Rolecue.exe"))
        scenario = os.path.join(self.dir, "soak.xml")
        with open(scenario, "wb") as f:
            f.write(scenario_xml(presses))
        option = (
            '<?xml version="1.0" encoding="Shift_JIS"?>\r\n'
            '<Option Version="1.0">\r\n'
            '\t<General AddReturn="1" AutoScroll="1" ScrollPos="10"/>\r\n'
            '\t<HotKey HotKey="%s" KeyWait="%d"/>\r\n'
            '\t<Colors>\r\n'
            '\t\t<Color Name="ActiveCast" TextColor="000000" BackColor="ffcccc"/>\r\n'
            '\t</Colors>\r\n'
            '\t<FileHistories>\r\n'
            '\t\t<FileHistory FullPath="%s"/>\r\n'
            '\t</FileHistories>\r\n'
            '</Option>\r\n' % (paste_e2e.HOTKEY_VALUE, key_wait, windows_path(scenario)))
        with open(os.path.join(self.dir, "option.xml"), "wb") as f:
            f.write(option.encode("cp932"))


# -- figures ---------------------------------------------------------------

WINE_FIELDS = ["pid", "handles", "user", "gdi", "private", "workingset", "systemhandles",
               "windows"]


def linux_figures(pid):
    figures = {}
    try:
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                key, _, value = line.partition(":")
                if key in ("VmRSS", "RssAnon", "VmData", "Threads"):
                    figures[key] = int(value.split()[0])
        figures["fds"] = len(os.listdir("/proc/%d/fd" % pid))
    except OSError:
        pass
    return figures


def read_figures(probe, unix_pid):
    words = probe.ask("counters").split()
    if len(words) != len(WINE_FIELDS):
        raise Failure("unexpected counters answer %r" % words)
    wine = dict(zip(WINE_FIELDS, (int(w) for w in words)))
    wine.update(linux_figures(unix_pid))
    return wine


# (key, label, divisor to the unit, unit, allowed growth in that unit; None:
# the memory tolerance, "2x": twice it, for figures that count mapped files too)
ROWS = [
    ("handles", "handles (GetProcessHandleCount)", 1, "", 8),
    ("systemhandles", "handles (system handle table)", 1, "", 8),
    ("user", "USER objects (GetGuiResources)", 1, "", 8),
    ("windows", "windows (EnumWindows, children)", 1, "", 2),
    ("gdi", "GDI objects (GetGuiResources)", 1, "", 8),
    ("private", "private bytes (PrivateUsage)", 1024, "KiB", None),
    ("workingset", "working set (WorkingSetSize)", 1024, "KiB", "2x"),
    ("VmRSS", "Linux VmRSS", 1, "KiB", "2x"),
    ("RssAnon", "Linux RssAnon", 1, "KiB", None),
    ("VmData", "Linux VmData", 1, "KiB", None),
    ("fds", "Linux open fds", 1, "", 4),
    ("Threads", "Linux threads", 1, "", 2),
]


# What stands in for a counter that Wine does not implement.
STAND_INS = {
    "handles": "the system handle table",
    "user": "the window count (USER objects other than windows go uncounted)",
    "gdi": None,
    "private": "Linux RssAnon and VmData",
    "workingset": "Linux VmRSS",
}


def available(key, *samples):
    """A Wine counter that answers -1 (call failed) or 0 every time is not
    implemented there; a process always has handles, objects and memory."""
    values = [s.get(key) for s in samples]
    return all(v is not None and v > 0 for v in values)


def print_table(start, warm, after, warmup, memory_tolerance):
    problems = []
    missing = []
    print()
    print("Rolecue's figures: at the start, after %d warm-up presses, after the last press"
          % warmup)
    print("%-34s %12s %12s %12s %9s %9s  %s" % ("counter", "start", "warm", "after", "growth",
                                                  "tolerance", "verdict"))
    for key, label, divisor, unit, tolerance in ROWS:
        if tolerance is None:
            tolerance = memory_tolerance
        elif tolerance == "2x":
            tolerance = 2 * memory_tolerance
        name = label + (" " + unit if unit else "")
        if not available(key, start, warm, after):
            raw = [s.get(key) for s in (start, warm, after)]
            why = "not implemented by Wine" if any(v is not None for v in raw) else "not readable"
            print("%-34s %12s %12s %12s %9s %9s  %s (answers %s)"
                  % (name, "-", "-", "-", "-", "-", why, "/".join(str(v) for v in raw)))
            if key in STAND_INS:
                missing.append(key)
            continue
        a, b, c = (s[key] / divisor for s in (start, warm, after))
        growth = c - b
        ok = growth <= tolerance
        if not ok:
            problems.append("%s grew by %.0f%s (tolerance %d)"
                            % (label, growth, (" " + unit) if unit else "", tolerance))
        print("%-34s %12.0f %12.0f %12.0f %+9.0f %9d  %s"
              % (name, a, b, c, growth, tolerance, "ok" if ok else "GREW"))
    print("growth: after minus warm; counts in objects, memory in KiB")
    for key in missing:
        label = next(row[1] for row in ROWS if row[0] == key)
        stand_in = STAND_INS[key]
        print("note: %s is not available here; %s" % (
            label, ("in its place: " + stand_in) if stand_in else "nothing stands in for it"))
    return problems


# -- the soak --------------------------------------------------------------

def check_lines(text, presses):
    """Problems with notepad's text: a line missing, doubled or out of order."""
    got = text.split("\r\n")
    if got and got[-1] == "":
        got.pop()
    want = [line_text(n) for n in range(1, presses + 1)]
    problems = []
    if got == want:
        return problems, len(got)
    index = {line: n for n, line in enumerate(want)}
    seen = set()
    previous = -1
    for position, line in enumerate(got):
        n = index.get(line)
        if n is None:
            problems.append("line %d is not a serif: %r" % (position + 1, line[:60]))
        elif n in seen:
            problems.append("line %d repeats serif %d" % (position + 1, n + 1))
        elif n < previous:
            problems.append("line %d (serif %d) comes after serif %d"
                            % (position + 1, n + 1, previous + 1))
        if n is not None:
            seen.add(n)
            previous = max(previous, n)
        if len(problems) >= 10:
            break
    missing = [n + 1 for n in range(presses) if n not in seen]
    if missing:
        problems.append("%d serifs missing, first %s" % (len(missing), missing[:10]))
    if not problems:
        problems.append("notepad's text differs from the serifs in order")
    return problems, len(got)


def soak(s, args):
    began = time.time()
    s.prepare_soak(args.presses, args.key_wait)
    s.start_rolecue()
    s.start_notepad()
    probe = Probe(s)
    probe.ask("command", str(OPEN_RECENT_0))
    rows = int(probe.ask("rows"))
    if rows != args.presses:
        raise Failure("the scenario did not load: %d rows" % rows)
    probe.ask("select-cast", CAST.encode("utf-8").hex())
    probe.ask("command", str(MONITOR))
    if probe.ask("monitoring") == "0":
        raise Failure("monitoring did not switch on")
    s.focus(s.notepad_x, "Notepad")
    unix_pid = s.rolecue.pid
    try:
        with open("/proc/%d/cmdline" % unix_pid, "rb") as f:
            command = f.read().replace(b"\0", b" ").decode("utf-8", "replace")
    except OSError:
        command = ""
    if "Rolecue.exe" not in command:
        raise Failure("Linux process %d is not Rolecue (%r)" % (unix_pid, command))
    start = read_figures(probe, unix_pid)
    print("soak: Rolecue is Wine process %d (Linux pid %d); %d presses, KeyWait %d ms"
          % (start["pid"], unix_pid, args.presses, args.key_wait), flush=True)

    warm = None
    gave_up = None
    late = 0          # presses whose line did not arrive as it should
    pressing = time.time()
    for press in range(1, args.presses + 1):
        subprocess.check_call(["xdotool", "key", paste_e2e.HOTKEY_XNAME], timeout=20)
        # The next press waits for this one's line at the end of notepad's
        # text: a paste still under way cannot meet the next one.
        want = line_text(press)
        deadline = time.time() + args.line_timeout
        while True:
            words = probe.ask("last-line", "Notepad").split()
            breaks = int(words[0])
            last = bytes.fromhex(words[1] if len(words) > 1 else "").decode("utf-8", "replace")
            if breaks >= press and last == want:
                break
            if time.time() > deadline:
                late += 1
                front = probe.ask("foreground")
                print("soak: press %d: notepad has %d lines ending in %r, expected %d ending in %r"
                      " (front: %s)" % (press, breaks, last, press, want, front), flush=True)
                if front != "Notepad":
                    s.focus(s.notepad_x, "Notepad")
                break
            time.sleep(0.005)
        if late > args.max_late:
            gave_up = "%d presses without their line in place; gave up at press %d" % (late, press)
            break
        if press == args.warmup:
            warm = read_figures(probe, unix_pid)
        if press % 100 == 0:
            now = read_figures(probe, unix_pid)
            print("soak: %d presses, %.1f s; system handles %s, windows %s, RssAnon %s KiB"
                  % (press, time.time() - pressing, now.get("systemhandles"), now.get("windows"),
                     now.get("RssAnon")), flush=True)
    press_seconds = time.time() - pressing
    time.sleep(1.0)   # let the last paste settle before reading the figures
    after = read_figures(probe, unix_pid)
    if warm is None:
        warm = start

    text = bytes.fromhex(probe.ask("text", "Notepad", timeout=60)).decode("utf-8", "replace")
    line_problems, arrived = check_lines(text, args.presses)
    if line_problems:
        kept = os.path.join(ROOT, "build", "soak-notepad.txt")
        os.makedirs(os.path.dirname(kept), exist_ok=True)
        with open(kept, "w", encoding="utf-8") as f:
            f.write(text.replace("\r\n", "\n"))
        print("soak: notepad's text kept in %s" % os.path.relpath(kept))
    if gave_up:
        line_problems.insert(0, gave_up)
    growth_problems = print_table(start, warm, after, args.warmup, args.memory_tolerance)
    print()
    print("lines arrived: %d of %d, %s" % (arrived, args.presses,
                                          "in order" if not line_problems else "NOT as pasted"))
    print("time: %.1f s pressing (%.0f ms a press), %.1f s in all"
          % (press_seconds, 1000.0 * press_seconds / args.presses, time.time() - began))
    probe.close()
    return line_problems + growth_problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--rolecue", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--presses", type=int, default=1000)
    parser.add_argument("--key-wait", type=int, default=10,
                        help="KeyWait in option.xml, ms (default 10)")
    parser.add_argument("--warmup", type=int, default=20,
                        help="presses before the baseline figures (default 20)")
    parser.add_argument("--memory-tolerance", type=int, default=512,
                        help="growth allowed in private and anonymous memory, KiB (default 512;"
                        " twice that for the working set, which counts mapped files)")
    parser.add_argument("--line-timeout", type=float, default=10.0,
                        help="seconds a press may take to reach notepad (default 10)")
    parser.add_argument("--max-late", type=int, default=10,
                        help="presses without their line before the soak gives up")
    args = parser.parse_args()
    if args.presses < 1 or not 0 <= args.warmup < args.presses:
        parser.error("need presses >= 1 and 0 <= warmup < presses")
    for var in ("DISPLAY", "WINEPREFIX"):
        if not os.environ.get(var):
            print("soak: %s is not set: run under tools/with-wine.sh (tools/soak.sh does)" % var)
            return 2
    session = SoakSession(args)
    try:
        problems = soak(session, args)
    except (Failure, subprocess.SubprocessError, OSError) as failure:
        print("soak: FAILED to run: %s" % failure)
        return 2
    except KeyboardInterrupt:
        print("soak: interrupted")
        return 130
    finally:
        signal.signal(signal.SIGTERM, signal.SIG_IGN)
        session.close()
    if problems:
        for problem in problems:
            print("soak: FAILED: %s" % problem)
        return 1
    print("soak: passed")
    return 0


def on_terminate(*_):
    # Once: the cleanup that follows is not to be interrupted again.
    signal.signal(signal.SIGTERM, signal.SIG_IGN)
    signal.signal(signal.SIGINT, signal.SIG_IGN)
    raise KeyboardInterrupt


if __name__ == "__main__":
    # SIGTERM (tools/soak.sh passes on its interrupts so) still runs the cleanup.
    signal.signal(signal.SIGTERM, on_terminate)
    if os.environ.get("SOAK_PID_FILE"):
        with open(os.environ["SOAK_PID_FILE"], "w") as f:
            f.write("%d\n" % os.getpid())
    sys.exit(main())
