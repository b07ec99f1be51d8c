// Undo and redo in the real window: Ctrl+Z and Ctrl+Y through the program's
// accelerators, the menu items greyed with nothing to take, the title's mark
// at the save point, the status bar's note, the cursor and the active cast
// after a step, replace all as one step, and Ctrl+Z in the find dialog's
// edit box undoing the typing there, not the scenario.
#include "EditSupport.h"
#include "MainWndSupport.h"

#include <commctrl.h>
#include <dlgs.h>

#include "app/UndoStep.h"
#include "res/resource.h"

namespace
{

const char kSavedTitle[] = "散歩 - Rolecue Ver 0.11";
const char kModifiedTitle[] = "散歩 * - Rolecue Ver 0.11";

class UndoCommandsTest : public MainWndTest
{
protected:
    void SetUp() override
    {
        MainWndTest::SetUp();
        const std::string path = SaveScenario(
            MakeScript({CSerif(0, "おはよう"), CSerif(1, "こんにちは"), CSerif(0, "おはよう♡")}),
            "undo.xml");
        ASSERT_TRUE(CreateWindowNow());
        ASSERT_TRUE(Window().OpenScenario(path));
        SetForegroundWindow(Main());
        SetFocus(List());
        PumpMessages();
        m_Accelerators =
            LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
        ASSERT_NE(nullptr, m_Accelerators);
    }
    void TearDown() override
    {
        if (m_Accelerators)
            DestroyAcceleratorTable(m_Accelerators);
        MainWndTest::TearDown();
    }

    HWND List() { return Window().GetSerifList().GetHandle(); }
    void Keys(WORD key)
    {
        PressKey(key, false, true);
        PumpWithAccelerators(Main(), m_Accelerators, 300);
    }
    bool Greyed(UINT id)
    {
        return (GetMenuState(Window().GetMenuBar().GetHandle(), id, MF_BYCOMMAND) & MF_GRAYED) != 0;
    }
    std::string Status()
    {
        char text[256] = {};
        Window().GetStatusBar().Send(SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        return text;
    }
    std::string Rows()
    {
        std::string rows;
        for (int i = 0; i < Window().GetSerifList().GetItemCount(); ++i)
            rows += RowText(i, 1) + "|";
        return rows;
    }

    HACCEL m_Accelerators = nullptr;
};

TEST_F(UndoCommandsTest, CtrlZAndCtrlYTakeADeleteBackAndForth)
{
    EXPECT_TRUE(Greyed(IDM_UNDO));
    EXPECT_TRUE(Greyed(IDM_REDO));
    Window().GetSerifList().Select(1);
    {
        CDialogDriver player;
        player.Answer(IDYES);
        Command(IDM_DELETE_SERIF);
    }
    ASSERT_EQ("おはよう|おはよう♡|", Rows());
    EXPECT_EQ(kModifiedTitle, Title());
    EXPECT_FALSE(Greyed(IDM_UNDO));

    Keys('Z');
    EXPECT_EQ("おはよう|こんにちは|おはよう♡|", Rows());
    EXPECT_EQ(1, Window().GetSerifList().GetSelected());
    EXPECT_EQ(kSavedTitle, Title());
    EXPECT_EQ("元に戻しました：セリフ削除", Status());
    EXPECT_TRUE(Greyed(IDM_UNDO));
    EXPECT_FALSE(Greyed(IDM_REDO));

    Keys('Y');
    EXPECT_EQ("おはよう|おはよう♡|", Rows());
    EXPECT_EQ(kModifiedTitle, Title());
    EXPECT_EQ("やり直しました：セリフ削除", Status());

    // A new change after an undo drops the redo step.
    Keys('Z');
    Window().GetSerifList().Select(0);
    Command(IDM_SERIF_DOWN);
    EXPECT_EQ("こんにちは|おはよう|おはよう♡|", Rows());
    EXPECT_TRUE(Greyed(IDM_REDO));
    EXPECT_FALSE(Greyed(IDM_UNDO));
}

TEST_F(UndoCommandsTest, ACastDeletedWithItsRowsComesBackAndTheActiveCastStays)
{
    CComboBox& box = Window().GetCastBox();
    box.SetCurSel(1);  // アリス
    {
        CUndoStep step(Window(), "キャスト編集");
        CScript& script = Window().GetScript();
        script.ReplaceCasts({CCast(0, "アリス")});
        script.RemoveSerifsOfCasts({1});
    }
    Window().RefreshCastsAndSerifs();
    box.SetCurSel(1);
    ASSERT_EQ("おはよう|おはよう♡|", Rows());

    Command(IDM_UNDO);
    EXPECT_EQ("おはよう|こんにちは|おはよう♡|", Rows());
    EXPECT_EQ(3, static_cast<int>(box.Send(CB_GETCOUNT)));
    EXPECT_EQ("アリス", std::string(box.GetSelectedText()));
    EXPECT_EQ(1, Window().GetSerifList().GetSelected());
}

TEST_F(UndoCommandsTest, CtrlZInTheFindDialogUndoesItsTypingNotTheScenario)
{
    Window().GetSerifList().Select(0);
    Command(IDM_SERIF_DOWN);
    Command(IDM_FIND);
    PumpFor(150);
    HWND dialog = OwnedDialog(Main());
    ASSERT_NE(nullptr, dialog);
    SetForegroundWindow(dialog);
    SetFocus(GetDlgItem(dialog, edt1));
    PumpMessages();
    ASSERT_TRUE(HasFocusIn(dialog));

    PressKey('A');
    PressKey('B');
    PumpWithAccelerators(Main(), m_Accelerators, 300);
    ASSERT_EQ("ab", CDialogDriver::Text(GetDlgItem(dialog, edt1)));
    Keys('Z');
    EXPECT_EQ("", CDialogDriver::Text(GetDlgItem(dialog, edt1)));
    EXPECT_EQ("こんにちは|おはよう|おはよう♡|", Rows());
    EXPECT_TRUE(Window().GetHistory().CanUndo());
    DestroyWindow(dialog);
}

}  // namespace
