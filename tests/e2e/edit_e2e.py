#!/usr/bin/env python3
"""End-to-end editing and search tests: Rolecue.exe (and Wine's notepad)
under Xvfb, driven by the keyboard through X as a user would.

Runs inside tools/with-wine.sh, like paste_e2e.py, whose session, process
and X helpers it reuses. One case per run:

    edit_e2e.py --rolecue EXE --probe PROBE --case NAME

Each case writes a small scenario with ASCII lines (xdotool types ASCII
reliably) beside a seeded option.xml that names it in the file history,
starts Rolecue and opens it with WM_COMMAND 165.

  add_and_paste   Ctrl+Insert on the serif list opens the add dialog; a
                  line is typed and confirmed with Enter; the title gains
                  " *"; with monitoring on, the paste hotkey pressed in
                  notepad pastes the new line.
  find_keys       Ctrl+F opens the find dialog; a text is typed and Enter
                  finds the first row; F3 and Shift+F3 pressed while the
                  find dialog has the focus move on down and up (the
                  program's own message loop hands them to the main
                  window's accelerators).
  several_casts   two of three casts, with paste formats, checked in the
                  担当キャスト dialog by the keyboard; four presses in
                  notepad give their lines in their formats, in order,
                  the third cast's rows passed over.
  undo_and_paste  Delete on the first row, confirmed with Enter, then
                  Ctrl+Z: the row is back, with the cursor on it and the
                  title unmarked; the paste hotkey pressed in notepad
                  pastes the restored line.

Every process a case starts is ended by its process id, pass or fail.
"""
import argparse
import os
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import paste_e2e  # noqa: E402  (session, process and X helpers)
from paste_e2e import Failure, wait_until, windows_path  # noqa: E402

OPEN_RECENT_0 = 165
MONITOR = 151
CHOOSE_CASTS = 196
TITLE = "E2E"
PRODUCT = "Rolecue Ver 0.11"
ALICE = "アリス"
BOB = "ボブ"
# (cast id, text)
ROWS = [
    (0, "line one"),
    (1, "line two"),
    (0, "other words"),
    (1, "line four"),
]
TYPED = "typed by e2e"


def scenario_xml(rows, casts=((0, ALICE, ""), (1, BOB, ""))):
    """The scenario file as Rolecue writes it: Shift_JIS, CR LF; a cast's
    paste format only when it has one."""
    def element(indent, name, value):
        tab = "\t" * indent
        return "%s<%s>\r\n%s\t%s\r\n%s</%s>\r\n" % (tab, name, tab, value, tab, name)
    out = '<?xml version="1.0" encoding="Shift_JIS"?>\r\n<script version="1.0">\r\n'
    out += element(1, "title", TITLE) + element(1, "memo", "")
    for cast_id, name, form in casts:
        out += "\t<cast>\r\n" + element(2, "cast_id", cast_id) + element(2, "name", name)
        out += element(2, "memo", "")
        out += (element(2, "format", form) if form else "") + "\t</cast>\r\n"
    for cast_id, text in rows:
        out += "\t<serif>\r\n" + element(2, "cast_id", cast_id) + element(2, "serif", text)
        out += element(2, "memo", "") + "\t</serif>\r\n"
    out += "</script>\r\n"
    return out.encode("cp932")


class EditSession(paste_e2e.Session):
    """A paste_e2e session whose scenario is written here."""

    def prepare(self, add_return=True, rows=ROWS, casts=None):
        shutil.copy(self.args.rolecue, os.path.join(self.dir, "Rolecue.exe"))
        scenario = os.path.join(self.dir, "edit.xml")
        self.rows = rows
        with open(scenario, "wb") as f:
            f.write(scenario_xml(rows, casts) if casts else scenario_xml(rows))
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
            '</Option>\r\n' % (1 if add_return else 0, paste_e2e.HOTKEY_VALUE,
                               windows_path(scenario)))
        with open(os.path.join(self.dir, "option.xml"), "wb") as f:
            f.write(option.encode("cp932"))

    def load(self):
        self.probe("command", str(OPEN_RECENT_0))
        rows = int(self.probe("rows"))
        if rows != len(self.rows):
            raise Failure("the scenario did not load: %d rows" % rows)

    def title(self):
        return bytes.fromhex(self.probe("title")).decode("utf-8")

    def cursor(self):
        return int(self.probe("cursor"))

    def keys(self, *names):
        for name in names:
            subprocess.check_call(["xdotool", "key", name], timeout=20)
            time.sleep(0.4)

    def type_text(self, text):
        subprocess.check_call(["xdotool", "type", "--delay", "60", text], timeout=60)
        time.sleep(0.4)

    def focus_dialog(self):
        """Waits for a dialog of Rolecue in front and gives it the X focus."""
        def dialog_window():
            out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                                  str(self.rolecue.pid)], stdout=subprocess.PIPE,
                                 stderr=subprocess.DEVNULL, timeout=20).stdout.decode().split()
            others = [w for w in out if w != self.rolecue_x]
            return others[-1] if others else None
        wait_until(lambda: dialog_window() is not None, "a dialog of Rolecue")
        self.focus(dialog_window(), "#32770")


def case_add_and_paste(s):
    s.prepare()
    s.start_rolecue()
    s.start_notepad()
    s.load()
    if s.title() != "%s - %s" % (TITLE, PRODUCT):
        raise Failure("unexpected title after loading: %r" % s.title())
    # The serif list has the focus after loading; Ctrl+Insert adds.
    s.focus(s.rolecue_x, "Rolecue")
    s.keys("ctrl+Insert")
    s.focus_dialog()
    s.type_text(TYPED)
    s.keys("Return")
    wait_until(lambda: s.probe("rows") == str(len(ROWS) + 1), "the added row")
    if s.cursor() != len(ROWS):
        raise Failure("the cursor is not on the added row: %d" % s.cursor())
    if s.title() != "%s * - %s" % (TITLE, PRODUCT):
        raise Failure("the title does not show the change: %r" % s.title())

    s.probe("command", str(MONITOR))
    # -1: Wine does not let another process read the menu; the paste below
    # tells anyway.
    if s.probe("monitoring") == "0":
        raise Failure("monitoring did not switch on")
    s.focus(s.notepad_x, "Notepad")
    s.press_hotkey(1)
    got = s.notepad_text()
    if got != TYPED + "\r\n":
        raise Failure("notepad holds %r, expected the added line" % got)


def case_find_keys(s):
    s.prepare()
    s.start_rolecue()
    s.load()
    s.focus(s.rolecue_x, "Rolecue")
    s.keys("ctrl+f")
    s.focus_dialog()
    s.type_text("line")
    s.keys("Return")
    wait_until(lambda: s.cursor() == 0, "Find Next to stop on row 0")
    # The focus stays in the find dialog for the function keys.
    if s.probe("foreground") != "#32770":
        raise Failure("the find dialog lost the focus: %s" % s.probe("foreground"))
    steps = [("F3", 1), ("F3", 3), ("shift+F3", 1)]
    for key, row in steps:
        s.keys(key)
        wait_until(lambda: s.cursor() == row, "%s to stop on row %d (at %d)"
                   % (key, row, s.cursor()), seconds=10)


def case_undo_and_paste(s):
    s.prepare()
    s.start_rolecue()
    s.start_notepad()
    s.load()
    s.focus(s.rolecue_x, "Rolecue")
    s.keys("Delete")
    s.focus_dialog()
    s.keys("Return")
    wait_until(lambda: s.probe("rows") == str(len(ROWS) - 1), "the row to be deleted")
    s.focus(s.rolecue_x, "Rolecue")
    s.keys("ctrl+z")
    wait_until(lambda: s.probe("rows") == str(len(ROWS)), "Ctrl+Z to bring the row back")
    if s.cursor() != 0:
        raise Failure("the cursor is not on the restored row: %d" % s.cursor())
    if s.title() != "%s - %s" % (TITLE, PRODUCT):
        raise Failure("the title still shows a change: %r" % s.title())

    s.probe("command", str(MONITOR))
    s.focus(s.notepad_x, "Notepad")
    s.press_hotkey(1)
    got = s.notepad_text()
    if got != ROWS[0][1] + "\r\n":
        raise Failure("notepad holds %r, expected the restored line" % got)


NPC_CASTS = ((0, "店主", "{name}「{text}」"), (1, "衛兵", "{name}: {text}"), (2, "勇者", ""))
NPC_ROWS = [
    (0, "welcome in"),
    (2, "hello there"),
    (1, "halt"),
    (2, "let me pass"),
    (0, "come again"),
    (1, "move along"),
]


def case_several_casts(s):
    s.prepare(rows=NPC_ROWS, casts=NPC_CASTS)
    s.start_rolecue()
    s.start_notepad()
    s.load()
    s.focus(s.rolecue_x, "Rolecue")
    # 担当キャストを選ぶ: the probe's WM_COMMAND returns when the dialog ends.
    chooser = subprocess.Popen(["wine", s.args.probe, "command", str(CHOOSE_CASTS)],
                               cwd=s.dir, stdout=subprocess.DEVNULL, stderr=s.log,
                               stdin=subprocess.DEVNULL)
    try:
        s.focus_dialog()
        s.keys("space", "Down", "space", "Return")
        chooser.wait(timeout=60)
    finally:
        if chooser.poll() is None:
            paste_e2e.end_process(chooser.pid, chooser)
    s.probe("command", str(MONITOR))
    s.focus(s.notepad_x, "Notepad")
    s.press_hotkey(4)
    got = s.notepad_text()
    want = "店主「welcome in」\r\n衛兵: halt\r\n店主「come again」\r\n衛兵: move along\r\n"
    if got != want:
        raise Failure("notepad holds %r, expected %r" % (got, want))


CASES = {
    "add_and_paste": case_add_and_paste,
    "find_keys": case_find_keys,
    "undo_and_paste": case_undo_and_paste,
    "several_casts": case_several_casts,
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rolecue", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--case", required=True, choices=sorted(CASES))
    args = parser.parse_args()
    for var in ("DISPLAY", "WINEPREFIX"):
        if not os.environ.get(var):
            print("edit_e2e: %s is not set: run under tools/with-wine.sh" % var)
            return 2
    session = EditSession(args)
    try:
        CASES[args.case](session)
    except Failure as failure:
        print("FAILED %s: %s" % (args.case, failure))
        return 1
    finally:
        session.close()
    print("passed", args.case)
    return 0


if __name__ == "__main__":
    # SIGTERM from ctest's timeout still runs the cleanup.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(main())
