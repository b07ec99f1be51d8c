#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <string>
#include <vector>

#include "ControlsSupport.h"
#include "wnd/ChooseColour.h"
#include "wnd/FileDialog.h"
#include "wnd/FindDlg.h"
#include "wnd/MessageBox.h"
#include "wnd/ReplaceDlg.h"
#include "wnd/WndBase.h"

using ctltest::CDialogDriver;
using ctltest::PostCommand;

namespace {

// ---------------------------------------------------------------- message boxes

class MessageBoxTest : public ::testing::Test
{
protected:
  ctltest::CTestWindow m_owner;
};

TEST_F(MessageBoxTest, ShowMessageReturnsButtonPressed)
{
  CDialogDriver driver("エラー", [](HWND box) { PostCommand(box, IDOK); });
  EXPECT_EQ(IDOK, ShowMessage(m_owner.Get(), "読めません", "エラー", kErrorBoxFlags));
  EXPECT_TRUE(driver.Acted());
  EXPECT_FALSE(driver.GaveUp());
}

TEST_F(MessageBoxTest, ShowMessageOffersTheButtonsOfItsFlags)
{
  CDialogDriver driver("確認", [](HWND box) { PostCommand(box, IDCANCEL); });
  EXPECT_EQ(IDCANCEL, ShowMessage(m_owner.Get(), "保存しますか?", "確認", MB_YESNOCANCEL));
  EXPECT_FALSE(driver.GaveUp());
}

TEST_F(MessageBoxTest, AskYesNoIsTrueForYes)
{
  CDialogDriver driver("確認", [](HWND box) { PostCommand(box, IDYES); });
  EXPECT_TRUE(AskYesNo(m_owner.Get(), "上書きしますか?", "確認"));
  EXPECT_TRUE(driver.Acted());
  EXPECT_FALSE(driver.GaveUp());
}

TEST_F(MessageBoxTest, AskYesNoIsFalseForNo)
{
  CDialogDriver driver("確認", [](HWND box) { PostCommand(box, IDNO); });
  EXPECT_FALSE(AskYesNo(m_owner.Get(), "上書きしますか?", "確認"));
  EXPECT_FALSE(driver.GaveUp());
}

TEST_F(MessageBoxTest, AskYesNoShowsYesAndNoButtons)
{
  bool yes = false;
  bool no = false;
  CDialogDriver driver("確認", [&](HWND box) {
    yes = GetDlgItem(box, IDYES) != nullptr;
    no = GetDlgItem(box, IDNO) != nullptr;
    PostCommand(box, IDNO);
  });
  AskYesNo(nullptr, "?", "確認");
  EXPECT_TRUE(yes);
  EXPECT_TRUE(no);
}

TEST(GetSystemErrorText, DescribesLastError)
{
  SetLastError(ERROR_FILE_NOT_FOUND);
  const std::string text = GetSystemErrorText();
  ASSERT_FALSE(text.empty());
  EXPECT_EQ('\n', text.back());
}

TEST(GetSystemErrorText, IsEmptyForUnknownCode)
{
  SetLastError(0x2000ABCD);  // an application-defined code the system has no text for
  EXPECT_EQ("", GetSystemErrorText());
}

// ---------------------------------------------------------------- file dialogs

TEST(CFileDialogFilter, StartsWithAllFiles)
{
  CFileDialog dialog;
  EXPECT_EQ(std::string("All files (*.*)\0*.*\0\0", 21), dialog.GetFilter());
}

TEST(CFileDialogFilter, TurnsBarsIntoZeroBytesAndEndsList)
{
  CFileDialog dialog;
  ASSERT_NE(0, dialog.SetFilter("シナリオファイル(*.xml)|*.xml"));
  EXPECT_EQ(std::string("シナリオファイル(*.xml)") + '\0' + "*.xml" + '\0' + '\0', dialog.GetFilter());
}

TEST(CFileDialogFilter, TrailingBarStillEndsListWithEmptyField)
{
  CFileDialog dialog;
  ASSERT_NE(0, dialog.SetFilter("XML|*.xml|Text|*.txt|"));
  const std::string expected = std::string("XML") + '\0' + "*.xml" + '\0' + "Text" + '\0' + "*.txt" +
                               '\0' + '\0' + '\0';
  EXPECT_EQ(expected, dialog.GetFilter());
}

TEST(CFileDialogFilter, EmptyOrNullTextKeepsFilter)
{
  CFileDialog dialog;
  ASSERT_NE(0, dialog.SetFilter("XML|*.xml"));
  const std::string before = dialog.GetFilter();
  EXPECT_EQ(0, dialog.SetFilter(""));
  EXPECT_EQ(0, dialog.SetFilter(nullptr));
  EXPECT_EQ(before, dialog.GetFilter());
}

TEST(CFileDialogFilter, KeepsBarTrailByteInsideItsCharacter)
{
  if (!ctltest::IsShiftJisSystem())
    GTEST_SKIP() << "needs the Shift_JIS code page";
  // "ポ" is 0x83 0x7C: its second byte is "|".
  CFileDialog dialog;
  ASSERT_NE(0, dialog.SetFilter("ポエム(*.xml)|*.xml"));
  EXPECT_EQ(std::string("ポエム(*.xml)") + '\0' + "*.xml" + '\0' + '\0', dialog.GetFilter());
  ASSERT_EQ(std::string("\x83\x7C"), std::string("ポ"));
}

// Types a file name into an open or save dialog and presses OK.
void ChooseFile(HWND dialog, const std::string& path)
{
  // The explorer-style dialog names its file box cmb13 (a combo box) or edt1.
  for (int id : {cmb13, edt1})
    if (GetDlgItem(dialog, id))
      SetDlgItemTextA(dialog, id, path.c_str());
  PostCommand(dialog, IDOK);
}

class FileDialogTest : public ::testing::Test
{
protected:
  ctltest::CTestWindow m_owner;
  ctltest::CTempFolder m_folder;
};

TEST_F(FileDialogTest, CancelledOpenReturnsFalseAndKeepsPath)
{
  CFileDialog dialog;
  std::string path = "unchanged";
  CDialogDriver driver(nullptr, [](HWND box) { PostCommand(box, IDCANCEL); });
  EXPECT_FALSE(dialog.ShowOpen(m_owner.Get(), path));
  EXPECT_TRUE(driver.Acted());
  EXPECT_EQ("unchanged", path);
}

TEST_F(FileDialogTest, OpenGivesChosenExistingFile)
{
  const std::string file = m_folder.File("台本.xml");
  ASSERT_TRUE(ctltest::WriteFileBytes(file, "<script/>"));
  CFileDialog dialog;
  ASSERT_NE(0, dialog.SetFilter("シナリオファイル(*.xml)|*.xml"));
  std::string path;
  CDialogDriver driver(nullptr, [&](HWND box) { ChooseFile(box, file); });
  ASSERT_TRUE(dialog.ShowOpen(m_owner.Get(), path));
  EXPECT_FALSE(driver.GaveUp());
  EXPECT_EQ(0, lstrcmpiA(file.c_str(), path.c_str())) << path;
}

TEST_F(FileDialogTest, SaveAppendsDefaultExtension)
{
  CFileDialog dialog;
  std::string path;
  CDialogDriver driver(nullptr, [&](HWND box) { ChooseFile(box, m_folder.File("new")); });
  ASSERT_TRUE(dialog.ShowSave(m_owner.Get(), path));
  EXPECT_FALSE(driver.GaveUp());
  EXPECT_EQ(0, lstrcmpiA(m_folder.File("new.txt").c_str(), path.c_str())) << path;
}

TEST_F(FileDialogTest, CanBeShownAgainAfterCancel)
{
  CFileDialog dialog;
  std::string path;
  {
    CDialogDriver driver(nullptr, [](HWND box) { PostCommand(box, IDCANCEL); });
    EXPECT_FALSE(dialog.ShowSave(m_owner.Get(), path));
  }
  CDialogDriver driver(nullptr, [&](HWND box) { ChooseFile(box, m_folder.File("again.xml")); });
  ASSERT_TRUE(dialog.ShowSave(m_owner.Get(), path));
  EXPECT_EQ(0, lstrcmpiA(m_folder.File("again.xml").c_str(), path.c_str())) << path;
}

// ---------------------------------------------------------------- colour chooser

const int kRedEdit = 706;  // the chooser's red, green and blue boxes
const int kGreenEdit = 707;
const int kBlueEdit = 708;

class ChooseColourTest : public ::testing::Test
{
protected:
  ctltest::CTestWindow m_owner;
};

TEST_F(ChooseColourTest, CancelKeepsColourAndReturnsFalse)
{
  COLORREF colour = RGB(10, 20, 30);
  CDialogDriver driver(nullptr, [](HWND box) { PostCommand(box, IDCANCEL); });
  EXPECT_FALSE(ChooseColour(m_owner.Get(), colour));
  EXPECT_TRUE(driver.Acted());
  EXPECT_EQ(RGB(10, 20, 30), colour);
}

TEST_F(ChooseColourTest, OkStartsFromGivenColour)
{
  COLORREF colour = RGB(10, 20, 30);
  CDialogDriver driver(nullptr, [](HWND box) { PostCommand(box, IDOK); });
  EXPECT_TRUE(ChooseColour(m_owner.Get(), colour));
  EXPECT_FALSE(driver.GaveUp());
  EXPECT_EQ(RGB(10, 20, 30), colour);
}

TEST_F(ChooseColourTest, OkGivesColourTypedInDialog)
{
  COLORREF colour = RGB(0, 0, 0);
  CDialogDriver driver(nullptr, [](HWND box) {
    SetDlgItemInt(box, kRedEdit, 200, FALSE);
    SetDlgItemInt(box, kGreenEdit, 100, FALSE);
    SetDlgItemInt(box, kBlueEdit, 50, FALSE);
    PostCommand(box, IDOK);
  });
  EXPECT_TRUE(ChooseColour(m_owner.Get(), colour));
  EXPECT_EQ(RGB(200, 100, 50), colour);
}

// ---------------------------------------------------------------- find and replace

// The owner window's side: every "commdlg_FindReplace" message it receives.
class COwnerRecorder : public CWndBaseEx
{
public:
  struct CNote
  {
    DWORD flags;
    std::string findText;
    std::string replaceText;
  };

  COwnerRecorder() : m_messageId(RegisterWindowMessageA("commdlg_FindReplace")) {}

  LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override
  {
    if (message == m_messageId && m_messageId != 0)
    {
      const FINDREPLACEA* record = reinterpret_cast<const FINDREPLACEA*>(lParam);
      CNote note = {record->Flags, record->lpstrFindWhat ? record->lpstrFindWhat : "",
                    record->lpstrReplaceWith ? record->lpstrReplaceWith : ""};
      m_notes.push_back(note);
      return 0;
    }
    return CWndBaseEx::WindowProc(hWnd, message, wParam, lParam);
  }

  bool Saw(DWORD flag) const
  {
    for (const CNote& note : m_notes)
      if (note.flags & flag)
        return true;
    return false;
  }

  UINT m_messageId;
  std::vector<CNote> m_notes;
};

std::string DlgItemText(HWND dialog, int id)
{
  char buffer[512] = {};
  GetDlgItemTextA(dialog, id, buffer, sizeof(buffer));
  return buffer;
}

class FindReplaceTest : public ::testing::Test
{
protected:
  void SetUp() override { ASSERT_EQ(1, m_owner.Attach(m_window.Get())); }

  // Closes a dialog with its Cancel button and waits until it has gone.
  template <typename Dialog>
  void Close(Dialog& dialog)
  {
    HWND hwnd = dialog.GetHandle();
    PostCommand(hwnd, IDCANCEL);
    EXPECT_TRUE(ctltest::PumpUntil([&] { return !IsWindow(hwnd); }));
  }

  ctltest::CTestWindow m_window;
  COwnerRecorder m_owner;
};

const DWORD kFindFlags = FR_DOWN | FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD;

TEST_F(FindReplaceTest, FindCreateOpensBoundDialog)
{
  CFindDlg find;
  ASSERT_EQ(1, find.Create(m_window.Get(), kFindFlags));
  EXPECT_TRUE(find.IsBound());
  EXPECT_TRUE(find.IsDialog());
  EXPECT_TRUE(IsWindowVisible(find.GetHandle()));
  EXPECT_EQ(m_owner.m_messageId, find.GetMessageId());
  EXPECT_NE(0u, find.GetMessageId());
  EXPECT_EQ(m_window.Get(), GetWindow(find.GetHandle(), GW_OWNER));
  EXPECT_EQ("", DlgItemText(find.GetHandle(), edt1));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(find.GetHandle(), chx2)));  // match case hidden
  Close(find);
}

TEST_F(FindReplaceTest, FindNextTellsOwnerTheTextAndDirection)
{
  CFindDlg find;
  ASSERT_EQ(1, find.Create(m_window.Get(), kFindFlags));
  SetDlgItemTextA(find.GetHandle(), edt1, "台詞");
  PostCommand(find.GetHandle(), IDOK);
  ASSERT_TRUE(ctltest::PumpUntil([&] { return !m_owner.m_notes.empty(); }));
  EXPECT_TRUE(m_owner.m_notes[0].flags & FR_FINDNEXT);
  EXPECT_TRUE(m_owner.m_notes[0].flags & FR_DOWN);
  EXPECT_EQ("台詞", m_owner.m_notes[0].findText);
  EXPECT_STREQ("台詞", find.GetFindText());
  EXPECT_TRUE(find.GetFlags() & FR_FINDNEXT);
  Close(find);
}

TEST_F(FindReplaceTest, ClosedFindDialogUnbindsAndTellsOwner)
{
  CFindDlg find;
  ASSERT_EQ(1, find.Create(m_window.Get(), kFindFlags));
  Close(find);
  EXPECT_FALSE(find.IsBound());
  EXPECT_TRUE(m_owner.Saw(FR_DIALOGTERM));
}

TEST_F(FindReplaceTest, FindDialogOpenedAgainShowsTextSearchedLast)
{
  CFindDlg find;
  ASSERT_EQ(1, find.Create(m_window.Get(), kFindFlags));
  SetDlgItemTextA(find.GetHandle(), edt1, "前回の検索");
  PostCommand(find.GetHandle(), IDOK);
  ASSERT_TRUE(ctltest::PumpUntil([&] { return m_owner.Saw(FR_FINDNEXT); }));
  Close(find);
  ASSERT_FALSE(find.IsBound());
  ASSERT_EQ(1, find.Create(m_window.Get(), kFindFlags));
  EXPECT_EQ("前回の検索", DlgItemText(find.GetHandle(), edt1));
  Close(find);
}

TEST_F(FindReplaceTest, FindCreateWhileOpenMakesNoSecondDialog)
{
  CFindDlg find;
  ASSERT_EQ(1, find.Create(m_window.Get(), kFindFlags));
  HWND first = find.GetHandle();
  EXPECT_EQ(0, find.Create(m_window.Get(), kFindFlags));
  EXPECT_EQ(first, find.GetHandle());
  EXPECT_EQ(first, ctltest::FindThreadDialog(nullptr));
  Close(find);
}

TEST_F(FindReplaceTest, FindCreateWithoutOwnerFails)
{
  CFindDlg find;
  EXPECT_EQ(0, find.Create(nullptr, kFindFlags));
  EXPECT_FALSE(find.IsBound());
  EXPECT_EQ(nullptr, ctltest::FindThreadDialog(nullptr));
}

// Counts the buttons pressed and lets the system dialog act on them.
class CCountingFindDlg : public CFindDlg
{
public:
  LRESULT OnCommand(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override
  {
    m_ids.push_back(LOWORD(wParam));
    return CFindDlg::OnCommand(hWnd, message, wParam, lParam);
  }
  std::vector<int> m_ids;
};

TEST_F(FindReplaceTest, OnCommandSeesButtonsBeforeSystemDialog)
{
  CCountingFindDlg find;
  ASSERT_EQ(1, find.Create(m_window.Get(), kFindFlags));
  SetDlgItemTextA(find.GetHandle(), edt1, "x");
  PostCommand(find.GetHandle(), IDOK);
  ASSERT_TRUE(ctltest::PumpUntil([&] { return m_owner.Saw(FR_FINDNEXT); }));
  Close(find);
  bool sawOk = false;
  bool sawCancel = false;
  for (int id : find.m_ids)
  {
    sawOk = sawOk || id == IDOK;
    sawCancel = sawCancel || id == IDCANCEL;
  }
  EXPECT_TRUE(sawOk);
  EXPECT_TRUE(sawCancel);
}

TEST_F(FindReplaceTest, DestroyedFindObjectClosesItsDialog)
{
  HWND hwnd = nullptr;
  {
    CFindDlg find;
    ASSERT_EQ(1, find.Create(m_window.Get(), kFindFlags));
    hwnd = find.GetHandle();
  }
  EXPECT_FALSE(IsWindow(hwnd));
  ctltest::PumpMessages();
}

TEST_F(FindReplaceTest, ReplaceTellsOwnerBothTextsAndAction)
{
  CReplaceDlg replace;
  ASSERT_EQ(1, replace.Create(m_window.Get(), FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD));
  EXPECT_TRUE(replace.IsBound());
  SetDlgItemTextA(replace.GetHandle(), edt1, "太郎");
  SetDlgItemTextA(replace.GetHandle(), edt2, "花子");
  PostCommand(replace.GetHandle(), psh1);
  ASSERT_TRUE(ctltest::PumpUntil([&] { return m_owner.Saw(FR_REPLACE); }));
  PostCommand(replace.GetHandle(), psh2);
  ASSERT_TRUE(ctltest::PumpUntil([&] { return m_owner.Saw(FR_REPLACEALL); }));
  EXPECT_EQ("太郎", m_owner.m_notes.back().findText);
  EXPECT_EQ("花子", m_owner.m_notes.back().replaceText);
  EXPECT_STREQ("太郎", replace.GetFindText());
  EXPECT_STREQ("花子", replace.GetReplaceText());
  EXPECT_EQ(m_owner.m_messageId, replace.GetMessageId());
  Close(replace);
  EXPECT_FALSE(replace.IsBound());
}

TEST_F(FindReplaceTest, ReplaceDialogOpenedAgainShowsBothLastTexts)
{
  CReplaceDlg replace;
  ASSERT_EQ(1, replace.Create(m_window.Get(), FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD));
  SetDlgItemTextA(replace.GetHandle(), edt1, "old");
  SetDlgItemTextA(replace.GetHandle(), edt2, "new");
  // Replace, not Find Next: Wine copies the replace-with box only for the
  // two replace buttons.
  PostCommand(replace.GetHandle(), psh1);
  ASSERT_TRUE(ctltest::PumpUntil([&] { return m_owner.Saw(FR_REPLACE); }));
  Close(replace);
  ASSERT_EQ(1, replace.Create(m_window.Get(), FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD));
  EXPECT_EQ("old", DlgItemText(replace.GetHandle(), edt1));
  EXPECT_EQ("new", DlgItemText(replace.GetHandle(), edt2));
  EXPECT_EQ(0, replace.Create(m_window.Get(), 0));
  Close(replace);
}

TEST_F(FindReplaceTest, AskYesNoOwnedByReplaceDialogIsAnswered)
{
  CReplaceDlg replace;
  ASSERT_EQ(1, replace.Create(m_window.Get(), FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD));
  CDialogDriver driver("確認", [](HWND box) { PostCommand(box, IDYES); });
  EXPECT_TRUE(AskYesNo(replace.GetHandle(), "置き換えますか？", "確認"));
  EXPECT_FALSE(driver.GaveUp());
  EXPECT_TRUE(IsWindowEnabled(replace.GetHandle()));
  Close(replace);
}

}  // namespace
