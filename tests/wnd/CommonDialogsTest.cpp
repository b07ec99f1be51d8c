#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <string>

#include "ControlsSupport.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/TempFolder.h"
#include "wnd/ChooseColour.h"
#include "wnd/FileDialog.h"
#include "wnd/MessageBox.h"

namespace
{

// The one window the driver answered, once it checked that nothing else
// came up and that the window had this caption.
CModalSeen OnlyBox(const CDialogDriver& driver, const char* caption)
{
    ExpectPlayed(driver);
    EXPECT_EQ(1u, driver.Seen().size());
    const CModalSeen seen = driver.Seen().empty() ? CModalSeen() : driver.Seen()[0];
    EXPECT_EQ(caption, seen.m_Caption);
    return seen;
}

// ---------------------------------------------------------------- message boxes

class MessageBoxTest : public ::testing::Test
{
protected:
    ctltest::CTestWindow m_Owner;
};

TEST_F(MessageBoxTest, ShowMessageReturnsButtonPressed)
{
    CDialogDriver driver({IDOK});
    EXPECT_EQ(IDOK, ShowMessage(m_Owner.Get(), "読めません", "エラー", kErrorBoxFlags));
    OnlyBox(driver, "エラー");
}

TEST_F(MessageBoxTest, ShowMessageOffersTheButtonsOfItsFlags)
{
    CDialogDriver driver({IDCANCEL});
    EXPECT_EQ(IDCANCEL, ShowMessage(m_Owner.Get(), "保存しますか?", "確認", MB_YESNOCANCEL));
    OnlyBox(driver, "確認");
}

TEST_F(MessageBoxTest, AskYesNoIsTrueForYes)
{
    CDialogDriver driver({IDYES});
    EXPECT_TRUE(AskYesNo(m_Owner.Get(), "上書きしますか?", "確認"));
    OnlyBox(driver, "確認");
}

TEST_F(MessageBoxTest, AskYesNoIsFalseForNo)
{
    CDialogDriver driver({IDNO});
    EXPECT_FALSE(AskYesNo(m_Owner.Get(), "上書きしますか?", "確認"));
    OnlyBox(driver, "確認");
}

TEST_F(MessageBoxTest, AskYesNoShowsYesAndNoButtons)
{
    bool yes = false;
    bool no = false;
    CDialogDriver driver;
    driver.OnDialog([&](HWND box) {
        yes = GetDlgItem(box, IDYES) != nullptr;
        no = GetDlgItem(box, IDNO) != nullptr;
    });
    driver.Answer(IDNO);
    AskYesNo(nullptr, "?", "確認");
    OnlyBox(driver, "確認");
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
    EXPECT_EQ(std::string("シナリオファイル(*.xml)") + '\0' + "*.xml" + '\0' + '\0',
              dialog.GetFilter());
}

TEST(CFileDialogFilter, TrailingBarStillEndsListWithEmptyField)
{
    CFileDialog dialog;
    ASSERT_NE(0, dialog.SetFilter("XML|*.xml|Text|*.txt|"));
    const std::string expected =
        std::string("XML") + '\0' + "*.xml" + '\0' + "Text" + '\0' + "*.txt" + '\0' + '\0' + '\0';
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

TEST(CFileDialogFilter, KeepsCharactersWhoseShiftJisTrailByteWasTheBar)
{
    // "ポ" was 0x83 0x7C in Shift_JIS; in UTF-8 no byte of it is "|".
    CFileDialog dialog;
    ASSERT_NE(0, dialog.SetFilter("ポエム♡(*.xml)|*.xml"));
    EXPECT_EQ(std::string("ポエム♡(*.xml)") + '\0' + "*.xml" + '\0' + '\0', dialog.GetFilter());
}

// Types a file name into an open or save dialog and presses OK.
void ChooseFile(HWND dialog, const std::string& path)
{
    // The explorer-style dialog names its file box cmb13 (a combo box) or edt1.
    for (int id : {cmb13, edt1})
        if (GetDlgItem(dialog, id))
            SetDlgItemTextA(dialog, id, path.c_str());
    PostClick(dialog, IDOK);
}

class FileDialogTest : public ::testing::Test
{
protected:
    ctltest::CTestWindow m_Owner;
    CTempFolder m_Folder;
};

TEST_F(FileDialogTest, CancelledOpenReturnsFalseAndKeepsPath)
{
    CFileDialog dialog;
    std::string path = "unchanged";
    CDialogDriver driver({IDCANCEL});
    EXPECT_FALSE(dialog.ShowOpen(m_Owner.Get(), path));
    ExpectPlayed(driver);
    EXPECT_EQ("unchanged", path);
}

TEST_F(FileDialogTest, OpenGivesChosenExistingFile)
{
    const std::string file = m_Folder.File("台本.xml");
    ASSERT_TRUE(WriteBytes(file, "<script/>"));
    CFileDialog dialog;
    ASSERT_NE(0, dialog.SetFilter("シナリオファイル(*.xml)|*.xml"));
    std::string path;
    CDialogDriver driver;
    driver.OnDialog([&](HWND box) { ChooseFile(box, file); });
    ASSERT_TRUE(dialog.ShowOpen(m_Owner.Get(), path));
    ExpectPlayed(driver);
    EXPECT_EQ(0, lstrcmpiA(file.c_str(), path.c_str())) << path;
}

TEST_F(FileDialogTest, SaveAppendsDefaultExtension)
{
    CFileDialog dialog;
    std::string path;
    CDialogDriver driver;
    driver.OnDialog([&](HWND box) { ChooseFile(box, m_Folder.File("new")); });
    ASSERT_TRUE(dialog.ShowSave(m_Owner.Get(), path));
    ExpectPlayed(driver);
    EXPECT_EQ(0, lstrcmpiA(m_Folder.File("new.txt").c_str(), path.c_str())) << path;
}

TEST_F(FileDialogTest, CanBeShownAgainAfterCancel)
{
    CFileDialog dialog;
    std::string path;
    {
        CDialogDriver driver({IDCANCEL});
        EXPECT_FALSE(dialog.ShowSave(m_Owner.Get(), path));
    }
    CDialogDriver driver;
    driver.OnDialog([&](HWND box) { ChooseFile(box, m_Folder.File("again.xml")); });
    ASSERT_TRUE(dialog.ShowSave(m_Owner.Get(), path));
    EXPECT_EQ(0, lstrcmpiA(m_Folder.File("again.xml").c_str(), path.c_str())) << path;
}

// ---------------------------------------------------------------- colour chooser

const int kRedEdit = 706;  // the chooser's red, green and blue boxes
const int kGreenEdit = 707;
const int kBlueEdit = 708;

class ChooseColourTest : public ::testing::Test
{
protected:
    ctltest::CTestWindow m_Owner;
};

TEST_F(ChooseColourTest, CancelKeepsColourAndReturnsFalse)
{
    COLORREF colour = RGB(10, 20, 30);
    CDialogDriver driver({IDCANCEL});
    EXPECT_FALSE(ChooseColour(m_Owner.Get(), colour));
    ExpectPlayed(driver);
    EXPECT_EQ(RGB(10, 20, 30), colour);
}

TEST_F(ChooseColourTest, OkStartsFromGivenColour)
{
    COLORREF colour = RGB(10, 20, 30);
    CDialogDriver driver({IDOK});
    EXPECT_TRUE(ChooseColour(m_Owner.Get(), colour));
    ExpectPlayed(driver);
    EXPECT_EQ(RGB(10, 20, 30), colour);
}

TEST_F(ChooseColourTest, OkGivesColourTypedInDialog)
{
    COLORREF colour = RGB(0, 0, 0);
    CDialogDriver driver;
    driver.OnDialog([](HWND box) {
        SetDlgItemInt(box, kRedEdit, 200, FALSE);
        SetDlgItemInt(box, kGreenEdit, 100, FALSE);
        SetDlgItemInt(box, kBlueEdit, 50, FALSE);
        PostClick(box, IDOK);
    });
    EXPECT_TRUE(ChooseColour(m_Owner.Get(), colour));
    EXPECT_EQ(RGB(200, 100, 50), colour);
}

}  // namespace
