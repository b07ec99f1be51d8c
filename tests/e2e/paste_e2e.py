#!/usr/bin/env python3
"""End-to-end paste tests: Rolecue.exe and Wine's notepad under Xvfb.

Runs inside tools/with-wine.sh (DISPLAY, WINEPREFIX and LANG are set and a
persistent wineserver runs). One case per run:

    paste_e2e.py --rolecue EXE --probe PROBE --data DIR --case NAME

Each case copies Rolecue.exe into a fresh folder beside a seeded option.xml
whose file history names the test scenario, starts it and notepad, loads
the scenario with WM_COMMAND 165 (the first recent file), picks a cast,
switches monitoring on, focuses notepad with xdotool and presses the paste
hotkey (F9, seeded in option.xml) through X. Then it reads notepad's text.
Texts cross to e2e_probe.exe as hex of their UTF-8 bytes.

needs_utf8_code_page is given Rolecue_no_utf8.exe instead, whose manifest
does not ask for the UTF-8 code page, and starts it alone in a folder.

Every process the case starts is ended by its process id when the case
ends, pass or fail. The shared wineserver and Xvfb are left alone.
"""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

HOTKEY_VALUE = "0078"   # F9 without modifiers, in option.xml's form
HOTKEY_XNAME = "F9"
OPEN_RECENT_0 = 165
MONITOR = 151

# The test scenario (tests/data/e2e/paste.xml), row by row: (cast id, text).
ALICE = "アリス"
BOB = "ボブ"
ROWS = [
    (0, "こんにちは、ボブ。"),
    (1, "やあ、アリス。"),
    (0, "今日はいい天気ですね。"),
    (1, "散歩に行こうか。"),
    (-1, "（ここで場面が変わる）"),
    (0, "着いたね。"),
    (1, "きれいな景色だ。"),
]

# A scenario that Shift_JIS cannot hold, written as UTF-8: symbols, emoji,
# a kaomoji and a character beyond the BMP, pasted line by line.
UTF8_CAST = "ミカ"
UTF8_LINES = [
    "ありがとう♡",
    "やったね😊 次は🎲を振ろう✨",
    "ʕ•ᴥ•ʔ よろしく (◕‿◕)",
    "𠮷野家で待ち合わせ",
]

ERROR_CAPTION = "エラー"
NEEDS_UTF8_TEXT = "このプログラムには Windows 10 (1903) 以降が必要です。"


class Failure(Exception):
    pass


class Session:
    """The processes and files of one case; close() ends what it started."""

    def __init__(self, args):
        self.args = args
        self.dir = tempfile.mkdtemp(prefix="rolecue-e2e-")
        self.log = open(os.path.join(self.dir, "wine.log"), "ab")
        self.started = []   # Popen objects, ended by pid in close()
        self.extra_pids = []

    # -- processes -------------------------------------------------------
    def start(self, argv, cwd):
        # Wine's background processes inherit the output of the Wine process
        # that starts them: a file, never a pipe someone waits on.
        proc = subprocess.Popen(argv, cwd=cwd, stdout=self.log, stderr=self.log,
                                stdin=subprocess.DEVNULL)
        self.started.append(proc)
        return proc

    def close(self):
        for proc in reversed(self.started):
            end_process(proc.pid, proc)
        for pid in self.extra_pids:
            end_process(pid, None)
        self.log.close()
        if os.environ.get("ROLECUE_E2E_KEEP"):
            print("kept", self.dir)
        else:
            shutil.rmtree(self.dir, ignore_errors=True)

    def probe(self, *words, check=True):
        """Runs e2e_probe.exe; returns its stdout stripped."""
        out_path = os.path.join(self.dir, "probe.out")
        with open(out_path, "wb") as out:
            rc = subprocess.call(["wine", self.args.probe] + list(words), cwd=self.dir,
                                 stdout=out, stderr=self.log, stdin=subprocess.DEVNULL,
                                 timeout=60)
        with open(out_path, "rb") as f:
            text = f.read().decode("ascii", "replace").strip()
        if check and rc != 0:
            raise Failure("e2e_probe %s failed (%d)" % (" ".join(words), rc))
        return text

    # -- setup -----------------------------------------------------------
    def prepare(self, add_return=True, hotkey=HOTKEY_VALUE, paste="", cue="", scenario_bytes=None):
        """Rolecue.exe, the scenario (tests/data/e2e/paste.xml, or
        scenario_bytes) and option.xml, in Shift_JIS, naming the scenario in
        the file history."""
        shutil.copy(self.args.rolecue, os.path.join(self.dir, "Rolecue.exe"))
        scenario = os.path.join(self.dir, "paste.xml")
        if scenario_bytes is None:
            shutil.copy(os.path.join(self.args.data, "paste.xml"), scenario)
        else:
            with open(scenario, "wb") as f:
                f.write(scenario_bytes)
        option = (
            '<?xml version="1.0" encoding="Shift_JIS"?>\r\n'
            '<Option Version="1.0">\r\n'
            '\t<General AddReturn="%d" AutoScroll="1" ScrollPos="10"/>\r\n'
            '\t<HotKey HotKey="%s" KeyWait="100"/>\r\n'
            '\t<Colors>\r\n'
            '\t\t<Color Name="ActiveCast" TextColor="000000" BackColor="ffcccc"/>\r\n'
            '\t</Colors>\r\n'
            '\t<FileHistories>\r\n'
            '\t\t<FileHistory FullPath="%s"/>\r\n'
            '\t</FileHistories>\r\n'
            '%s'
            '</Option>\r\n' % (1 if add_return else 0, hotkey, windows_path(scenario),
                                "".join("\t" + e + "\r\n" for e in (paste, cue) if e)))
        with open(os.path.join(self.dir, "option.xml"), "wb") as f:
            f.write(option.encode("cp932"))

    def start_rolecue(self):
        # A copy left by the case before (still ending) would make this one a
        # second instance, which exits at once.
        wait_until(lambda: self.probe("main-count", check=False) == "0",
                   "an earlier Rolecue to end", seconds=15)
        proc = self.start(["wine", os.path.join(self.dir, "Rolecue.exe")], self.dir)
        self.rolecue = proc
        self.rolecue_x = wait_for_x_window(proc, "Rolecue")
        wait_until(lambda: self.probe("main-count", check=False) == "1", "Rolecue's window")
        return proc

    def start_notepad(self):
        notepad = "C:\\windows\\system32\\notepad.exe"
        proc = self.start(["wine", notepad], self.dir)
        self.notepad_x = wait_for_x_window(proc, "notepad")
        return proc

    def load_and_monitor(self, cast, row_count=len(ROWS)):
        self.probe("command", str(OPEN_RECENT_0))
        rows = int(self.probe("rows"))
        if rows != row_count:
            raise Failure("the scenario did not load: %d rows" % rows)
        if cast is not None:
            self.probe("select-cast", cast.encode("utf-8").hex())
        self.probe("command", str(MONITOR))
        if self.probe("monitoring") == "0":
            raise Failure("monitoring did not switch on")

    # -- X side ----------------------------------------------------------
    def focus(self, x_window, expected_class):
        """Makes the window the foreground window and checks that Wine agrees.
        Without a window manager an X focus event can get lost under load, and
        Wine then keeps the desktop in front: from the second try on, Wine is
        also asked directly."""
        for attempt in range(5):
            subprocess.call(["xdotool", "windowfocus", "--sync", x_window],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=20)
            time.sleep(0.3)
            if self.probe("foreground") == expected_class:
                return
            if attempt >= 1:
                self.probe("activate", expected_class, check=False)
                time.sleep(0.3)
                if self.probe("foreground") == expected_class:
                    return
        raise Failure("could not bring %s to the front (foreground: %s)"
                      % (expected_class, self.probe("foreground")))

    def press_key(self, key):
        subprocess.check_call(["xdotool", "key", key], timeout=20)
        time.sleep(0.8)

    def press_hotkey(self, times):
        for _ in range(times):
            subprocess.check_call(["xdotool", "key", HOTKEY_XNAME], timeout=20)
            # Longer than KeyWait (100 ms) plus the paste itself.
            time.sleep(0.8)

    def notepad_text(self):
        return bytes.fromhex(self.probe("text", "Notepad")).decode("utf-8")


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def end_process(pid, proc):
    """Ends one process we started: TERM, then KILL if it lingers."""
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    deadline = time.time() + 5
    while time.time() < deadline:
        if proc is not None:
            if proc.poll() is not None:
                return
        else:
            try:
                os.kill(pid, 0)
            except ProcessLookupError:
                return
        time.sleep(0.1)
    try:
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    if proc is not None:
        proc.wait(timeout=10)


def utf8_scenario(cast, lines):
    """A scenario of one cast's lines as Rolecue writes one that Shift_JIS
    cannot hold: UTF-8 without a byte order mark, declared so, CR LF."""
    def element(indent, name, value):
        tab = "\t" * indent
        return "%s<%s>\r\n%s\t%s\r\n%s</%s>\r\n" % (tab, name, tab, value, tab, name)
    out = '<?xml version="1.0" encoding="UTF-8"?>\r\n<script version="1.0">\r\n'
    out += element(1, "title", "UTF-8") + element(1, "memo", "")
    out += "\t<cast>\r\n" + element(2, "cast_id", 0) + element(2, "name", cast)
    out += element(2, "memo", "") + "\t</cast>\r\n"
    for line in lines:
        out += "\t<serif>\r\n" + element(2, "cast_id", 0) + element(2, "serif", line)
        out += element(2, "memo", "") + "\t</serif>\r\n"
    out += "</script>\r\n"
    return out.encode("utf-8")


def wait_until(test, what, seconds=30):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if test():
            return
        time.sleep(0.3)
    raise Failure("timed out waiting for " + what)


def wait_for_x_window(proc, what, seconds=40):
    """The mapped X window of a Wine process, found by the _NET_WM_PID that
    Wine sets on its windows (titles are Japanese, so no name search). The
    largest mapped one is the main window."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        if proc.poll() is not None:
            raise Failure("%s exited early with %d" % (what, proc.returncode))
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(proc.pid)],
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                             timeout=20).stdout.decode().split()
        best, best_area = None, 0
        for window in out:
            geometry = subprocess.run(["xdotool", "getwindowgeometry", window],
                                      stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                      timeout=20).stdout.decode()
            for line in geometry.splitlines():
                if "Geometry:" in line:
                    w, h = line.split(":")[1].strip().split("x")
                    if int(w) * int(h) > best_area:
                        best, best_area = window, int(w) * int(h)
        if best is not None and best_area > 100:
            return best
        time.sleep(0.3)
    raise Failure("no X window of " + what)


def expect_text(got, rows, add_return=True):
    want = ("\r\n" if add_return else "").join(ROWS[r][1] for r in rows)
    if add_return and rows:
        want += "\r\n"
    if got != want:
        raise Failure("notepad holds %r, expected %r" % (got, want))


# -- cases -----------------------------------------------------------------

def case_no_active_cast(s):
    """Without an active cast every row is pasted in list order."""
    s.prepare()
    s.start_rolecue()
    s.start_notepad()
    s.load_and_monitor(None)
    s.focus(s.notepad_x, "Notepad")
    s.press_hotkey(3)
    expect_text(s.notepad_text(), [0, 1, 2])
    if s.probe("cursor") != "3":
        raise Failure("the cursor did not move on to row 3")


def case_active_cast(s):
    """With Alice active only her lines are pasted."""
    s.prepare()
    s.start_rolecue()
    s.start_notepad()
    s.load_and_monitor(ALICE)
    s.focus(s.notepad_x, "Notepad")
    s.press_hotkey(2)
    expect_text(s.notepad_text(), [0, 2])


def case_blocking_row(s):
    """A row without a cast (negative id) stops the active cast's lines."""
    s.prepare()
    s.start_rolecue()
    s.start_notepad()
    s.load_and_monitor(BOB)
    s.focus(s.notepad_x, "Notepad")
    s.press_hotkey(4)
    expect_text(s.notepad_text(), [1, 3])
    if s.probe("cursor") != "4":
        raise Failure("the cursor is not on the blocking row 4")


def case_add_return_off(s):
    """With add return off the lines follow each other without line breaks."""
    s.prepare(add_return=False)
    s.start_rolecue()
    s.start_notepad()
    s.load_and_monitor(None)
    s.focus(s.notepad_x, "Notepad")
    s.press_hotkey(2)
    expect_text(s.notepad_text(), [0, 1], add_return=False)


def case_press_while_in_front(s):
    """A press while Rolecue is in front pastes nothing and moves nothing;
    the next press from notepad pastes the first line."""
    s.prepare()
    s.start_rolecue()
    s.start_notepad()
    s.load_and_monitor(None)
    s.focus(s.rolecue_x, "Rolecue")
    s.press_hotkey(1)
    if s.probe("cursor") != "0":
        raise Failure("a press with Rolecue in front moved the cursor")
    s.focus(s.notepad_x, "Notepad")
    expect_text(s.notepad_text(), [])
    s.press_hotkey(1)
    expect_text(s.notepad_text(), [0])


def case_second_instance(s):
    """A second copy exits at once with code 0 and shows no window."""
    s.prepare()
    s.start_rolecue()
    second = s.start(["wine", os.path.join(s.dir, "Rolecue.exe")], s.dir)
    try:
        code = second.wait(timeout=30)
    except subprocess.TimeoutExpired:
        raise Failure("the second copy is still running")
    if code != 0:
        raise Failure("the second copy exited with %d" % code)
    if s.probe("main-count") != "1":
        raise Failure("the second copy left a window")
    if s.rolecue.poll() is not None:
        raise Failure("the first copy ended")


def case_alt_held(s):
    """A hotkey with Alt (Alt+F9), Alt still held down well after the press:
    notepad gets the plain line (it ignores Ctrl+Alt+V), and no Alt is left
    down for the next keys."""
    s.prepare(add_return=False, hotkey="0478")  # HOTKEYF_ALT with F9
    s.start_rolecue()
    s.start_notepad()
    s.load_and_monitor(None)
    s.focus(s.notepad_x, "Notepad")
    subprocess.check_call(["xdotool", "keydown", "Alt_L"], timeout=20)
    try:
        subprocess.check_call(["xdotool", "key", HOTKEY_XNAME], timeout=20)
        time.sleep(1.5)  # longer than the paste waits for Alt to go up
    finally:
        subprocess.check_call(["xdotool", "keyup", "Alt_L"], timeout=20)
    wait_until(lambda: s.notepad_text() != "", "the pasted line", seconds=10)
    expect_text(s.notepad_text(), [0], add_return=False)


def case_shift_insert(s):
    """With Shift+Insert as the paste key the target receives Shift+Insert
    and Enter, each key released, and no Ctrl+V."""
    s.prepare(paste='<Paste Key="ShiftInsert"/>')
    s.start_rolecue()
    log = os.path.join(s.dir, "keys.log")
    keylog = s.start(["wine", s.args.probe, "keylog", log], s.dir)
    keylog_x = wait_for_x_window(keylog, "the key log")
    s.load_and_monitor(None)
    s.focus(keylog_x, "RolecueKeyLog")
    s.press_hotkey(1)

    def keys():
        with open(log) as f:
            # The hotkey's own F9 release reaches the window too.
            return [line.strip() for line in f if line.strip() not in ("", "+78", "-78")]
    wait_until(lambda: "-0D" in keys(), "Enter in the key log", seconds=10)
    if keys() != ["+10", "+2D", "-10", "-2D", "+0D", "-0D"]:
        raise Failure("the key log holds %s" % keys())
    if bytes.fromhex(s.probe("clipboard")).decode("utf-8") != ROWS[0][1]:
        raise Failure("the clipboard does not hold the first line")


def case_cue_keys(s):
    """Skip, repeat and back from the chat window: skip passes over the next
    line, repeat types the last line again, back makes the line before the
    next one the next; the strip always shows what the next press pastes."""
    s.prepare(paste="", cue='<Cue Skip="007a" Back="007b" Repeat="017a"/>')
    s.start_rolecue()
    s.start_notepad()
    s.load_and_monitor(None)
    s.focus(s.notepad_x, "Notepad")

    def expect_strip(row):
        cast = {0: ALICE, 1: BOB}[ROWS[row][0]]
        want = "%s（キャスト未選択）：%s　残り %d" % (cast, ROWS[row][1], len(ROWS) - row)
        got = s.probe("standby")
        got = got if got == "none" else bytes.fromhex(got).decode("utf-8")
        if got != want:
            raise Failure("the strip shows %r, expected %r" % (got, want))

    expect_strip(0)
    s.press_key("F11")       # skip line 0
    expect_strip(1)
    s.press_hotkey(2)        # lines 1 and 2
    s.press_key("shift+F11")  # line 2 again
    expect_strip(3)
    s.press_key("F12")       # back: line 2 is next again
    expect_strip(2)
    s.press_hotkey(1)
    expect_text(s.notepad_text(), [1, 2, 2, 2])


def case_utf8_lines(s):
    """A UTF-8 scenario: each press pastes the next line whole, emoji and
    characters beyond the BMP included."""
    s.prepare(scenario_bytes=utf8_scenario(UTF8_CAST, UTF8_LINES))
    s.start_rolecue()
    s.start_notepad()
    s.load_and_monitor(None, row_count=len(UTF8_LINES))
    s.focus(s.notepad_x, "Notepad")
    s.press_hotkey(len(UTF8_LINES))
    got = s.notepad_text()
    want = "".join(line + "\r\n" for line in UTF8_LINES)
    if got != want:
        raise Failure("notepad holds %r, expected %r" % (got, want))


def case_needs_utf8_code_page(s):
    """Started without the UTF-8 code page (its manifest does not ask for
    it), Rolecue shows its error box, makes no main window and ends once the
    box is confirmed, before touching any file: its fresh folder still holds
    only Rolecue.exe, no option.xml."""
    folder = os.path.join(s.dir, "program")
    os.mkdir(folder)
    shutil.copy(s.args.rolecue, os.path.join(folder, "Rolecue.exe"))
    wait_until(lambda: s.probe("main-count", check=False) == "0",
               "an earlier Rolecue to end", seconds=15)
    s.rolecue = s.start(["wine", os.path.join(folder, "Rolecue.exe")], folder)
    box_x = wait_for_x_window(s.rolecue, "the error box")
    caption = ERROR_CAPTION.encode("utf-8").hex()
    wait_until(lambda: s.probe("box", caption, check=False) != "", "the error box")
    text = bytes.fromhex(s.probe("box", caption)).decode("utf-8")
    if text != NEEDS_UTF8_TEXT:
        raise Failure("the error box says %r, expected %r" % (text, NEEDS_UTF8_TEXT))
    if s.probe("main-count") != "0":
        raise Failure("a main window is open beside the error box")
    s.focus(box_x, "#32770")
    s.press_key("Return")
    try:
        s.rolecue.wait(timeout=30)
    except subprocess.TimeoutExpired:
        raise Failure("Rolecue still runs after the error box was confirmed")
    left = sorted(os.listdir(folder))
    if left != ["Rolecue.exe"]:
        raise Failure("Rolecue's folder holds %s" % left)


CASES = {
    "utf8_lines": case_utf8_lines,
    "needs_utf8_code_page": case_needs_utf8_code_page,
    "cue_keys": case_cue_keys,
    "alt_held": case_alt_held,
    "shift_insert": case_shift_insert,
    "no_active_cast": case_no_active_cast,
    "active_cast": case_active_cast,
    "blocking_row": case_blocking_row,
    "add_return_off": case_add_return_off,
    "press_while_in_front": case_press_while_in_front,
    "second_instance": case_second_instance,
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rolecue", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--case", required=True, choices=sorted(CASES))
    args = parser.parse_args()
    for var in ("DISPLAY", "WINEPREFIX"):
        if not os.environ.get(var):
            print("paste_e2e: %s is not set: run under tools/with-wine.sh" % var)
            return 2
    session = Session(args)
    try:
        CASES[args.case](session)
    except Failure as failure:
        print("FAILED %s: %s" % (args.case, failure))
        rolecue = getattr(session, "rolecue", None)
        if rolecue is not None and rolecue.poll() is not None:
            print("Rolecue had ended with exit code %d" % rolecue.returncode)
        return 1
    finally:
        session.close()
    print("passed", args.case)
    return 0


if __name__ == "__main__":
    # SIGTERM from ctest's timeout still runs the cleanup.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(main())
