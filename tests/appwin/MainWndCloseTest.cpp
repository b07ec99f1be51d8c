// The main window's close sequence with each answer to its question, and the
// option file: read when the window is created, written when it closes.
#include "MainWndSupport.h"

#include "res/resource.h"

namespace
{

bool HotKeyTaken(UINT modifiers, UINT key)
{
    // Registering the same combination again fails while the window holds it.
    HWND probe = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    const bool free = RegisterHotKey(probe, 7, modifiers, key) != 0;
    if (free)
        UnregisterHotKey(probe, 7);
    DestroyWindow(probe);
    return !free;
}

}  // namespace

class MainWndClose : public MainWndTest
{
protected:
    void Modify()
    {
        Window().GetScript().SetTitle("T");
        Window().SetSaved(false);
    }
};

TEST_F(MainWndClose, SavedScenarioClosesWithoutQuestion)
{
    ASSERT_TRUE(CreateWindowNow());
    CDialogDriver answers;
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(Main()));
    EXPECT_TRUE(answers.Unexpected().empty());
}

TEST_F(MainWndClose, CancelKeepsWindowAndHotKey)
{
    ASSERT_TRUE(CreateWindowNow());
    Modify();
    CDialogDriver answers({IDCANCEL});
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ("確認", answers.Seen()[0].m_Caption);
    EXPECT_EQ("内容が変更されています。変更を保存しますか？", answers.Seen()[0].m_Text);
    EXPECT_TRUE(IsWindow(Main()));
    EXPECT_TRUE(Window().IsHotKeyRegistered());
    EXPECT_TRUE(HotKeyTaken(0, VK_F9));
}

TEST_F(MainWndClose, NoClosesWithoutSaving)
{
    ASSERT_TRUE(CreateWindowNow());
    Modify();
    CDialogDriver answers({IDNO});
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(Main()));
    EXPECT_FALSE(HotKeyTaken(0, VK_F9));
}

TEST_F(MainWndClose, YesSavesThenCloses)
{
    const std::string path = SaveScenario(MakeScript({CSerif(0, "x")}), "a.xml");
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().OpenScenario(path));
    Window().GetScript().SetTitle("Changed");
    Window().SetSaved(false);
    CDialogDriver answers({IDYES});
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(Main()));
    CScript reread;
    ASSERT_TRUE(reread.Load(path));
    EXPECT_EQ("Changed", reread.GetTitle());
}

// Regression: answering Yes and then failing to save used to close the
// window anyway, losing the changes.
TEST_F(MainWndClose, YesWithFailedSaveStaysOpen)
{
    ASSERT_TRUE(CreateWindowNow());
    Modify();
    // The file name is a folder, so the save fails.
    ASSERT_TRUE(Window().SaveScenario(m_Folder->File("s.xml")));
    Window().SetSaved(false);
    DeleteFileA(m_Folder->File("s.xml").c_str());
    CreateDirectoryA(m_Folder->File("s.xml").c_str(), nullptr);
    CDialogDriver answers({IDYES, IDOK});
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    ASSERT_EQ(2u, answers.Seen().size());
    EXPECT_EQ("保存に失敗しました。", answers.Seen()[1].m_Text);
    EXPECT_TRUE(IsWindow(Main()));
    EXPECT_FALSE(Window().IsSaved());
    EXPECT_TRUE(Window().IsHotKeyRegistered());
    EXPECT_TRUE(HotKeyTaken(0, VK_F9));
}

TEST_F(MainWndClose, YesWithCancelledSaveDialogStaysOpen)
{
    ASSERT_TRUE(CreateWindowNow());
    Modify();  // never saved: Save shows the dialog
    CDialogDriver answers({IDYES, IDCANCEL});
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    ASSERT_EQ(2u, answers.Seen().size());
    EXPECT_TRUE(answers.Seen()[1].m_FileDialog);
    EXPECT_TRUE(IsWindow(Main()));
    EXPECT_TRUE(Window().IsHotKeyRegistered());
}

TEST_F(MainWndClose, ExitCommandRunsCloseSequence)
{
    ASSERT_TRUE(CreateWindowNow());
    Modify();
    CDialogDriver answers({IDCANCEL});
    Command(IDM_FILE_EXIT);
    EXPECT_EQ(1u, answers.Seen().size());
    EXPECT_TRUE(IsWindow(Main()));
}

TEST_F(MainWndClose, AddReturnIsReadFromOptionFile)
{
    m_OptionText = OptionFileText(0, 0x0078);
    ASSERT_TRUE(CreateWindowNow());
    EXPECT_FALSE(Window().IsAddReturn());
    DestroyWindowNow();
    m_OptionText = OptionFileText(1, 0x0078);
    ASSERT_TRUE(CreateWindowNow());
    EXPECT_TRUE(Window().IsAddReturn());
}

TEST_F(MainWndClose, CloseWritesAddReturnFromMenu)
{
    m_OptionText = OptionFileText(1, 0x0078);
    ASSERT_TRUE(CreateWindowNow());
    Command(IDM_ADD_RETURN);
    EXPECT_FALSE(Window().IsAddReturn());
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindow(Main()));
    const std::string written = ReadBytes(m_OptionPath);
    EXPECT_NE(std::string::npos, written.find("AddReturn=\"0\"")) << written;
    EXPECT_NE(std::string::npos, written.find("HotKey=\"0078\"")) << written;
}

TEST_F(MainWndClose, MissingOptionFileReportsAndUsesDefaults)
{
    m_OptionText.clear();  // no option file at all
    CDialogDriver answers({IDOK});
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ("設定の読み込みに失敗しました。", answers.Seen()[0].m_Text);
    EXPECT_TRUE(Window().IsAddReturn());  // default 1
    EXPECT_TRUE(HotKeyTaken(0, VK_F8));   // default hotkey F8
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    EXPECT_NE(std::string::npos, ReadBytes(m_OptionPath).find("<Option Version=\"1.0\">"));
}

TEST_F(MainWndClose, OpenedFileIsInSavedHistory)
{
    const std::string path = SaveScenario(MakeScript({CSerif(0, "x")}), "a.xml");
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().OpenScenario(path));
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    EXPECT_NE(std::string::npos, ReadBytes(m_OptionPath).find("FullPath=\"" + path + "\""));
}
