// The dialog templates as the running program gets them: every control's
// id, class, text and the styles the dialogs rely on.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "res/DialogRes.h"
#include "tests/support/DialogDriver.h"

namespace
{
struct CExpected
{
    int m_Id;
    const char* m_Class;
    const char* m_Text;
    DWORD m_Styles;  // bits that must be set
};

INT_PTR CALLBACK PlainProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
        EndDialog(dialog, 0);
    return message == WM_INITDIALOG;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// Opens template `id`, checks every expected control, and closes it again.
void ExpectTemplate(int id, const std::string& caption, DWORD dialogStyles,
                    const std::vector<CExpected>& controls)
{
    CDialogDriver driver;
    driver.OnDialog([&](HWND dialog) {
        EXPECT_EQ(CDialogDriver::Text(dialog), caption);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)) & dialogStyles,
                  dialogStyles);
        for (const CExpected& expected : controls) {
            HWND control = GetDlgItem(dialog, expected.m_Id);
            ASSERT_NE(control, nullptr) << "template " << id << " control " << expected.m_Id;
            EXPECT_EQ(lstrcmpiA(ClassOf(control).c_str(), expected.m_Class), 0)
                << expected.m_Id << ": " << ClassOf(control);
            EXPECT_EQ(CDialogDriver::Text(control), expected.m_Text) << expected.m_Id;
            DWORD style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
            // The dialog manager draws a template's WS_BORDER as a client
            // edge.
            if (GetWindowLongPtrA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
                style |= WS_BORDER;
            EXPECT_EQ(style & expected.m_Styles, expected.m_Styles) << expected.m_Id;
        }
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    driver.Start();
    EXPECT_EQ(
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr, PlainProc, 0), 0);
    driver.Stop();
    EXPECT_TRUE(driver.Finished()) << "template " << id;
}

const DWORD kModal = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
const DWORD kEdit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
}  // namespace

TEST(Templates, CastDialog)
{
    InitCommonControls();
    ExpectTemplate(
        IDD_CAST, "キャスト編集", kModal | DS_CENTER,
        {
            {IDC_CAST_LIST, WC_LISTVIEWA, "",
             LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SORTASCENDING | LVS_NOSORTHEADER |
                 WS_BORDER | WS_TABSTOP},
            {IDC_CAST_NAME, "Edit", "", kEdit},
            {IDC_CAST_MEMO, "Edit", "", kEdit},
            {IDC_CAST_FORMAT, "ComboBox", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_TABSTOP},
            {IDC_CAST_CHANGE, "Button", "変更(&U)", 0},
            {IDC_CAST_ADD, "Button", "追加(&A)", 0},
            {IDC_CAST_DELETE, "Button", "削除(D)", 0},
            {IDOK, "Button", "OK", BS_DEFPUSHBUTTON},
            {IDCANCEL, "Button", "キャンセル", 0},
        });
}

TEST(Templates, SerifDialog)
{
    ExpectTemplate(IDD_SERIF, "セリフ編集", kModal | DS_CENTER,
                   {
                       // The combo box hands WS_VSCROLL on to its drop-down list.
                       {IDC_SERIF_CAST, "ComboBox", "", CBS_DROPDOWN | CBS_SORT | WS_TABSTOP},
                       {IDC_SERIF_TEXT, "Edit", "", kEdit},
                       {IDC_SERIF_MEMO, "Edit", "", kEdit},
                       {IDOK, "Button", "OK", BS_DEFPUSHBUTTON},
                       {IDCANCEL, "Button", "キャンセル", 0},
                   });
}

TEST(Templates, ScenarioSettingsDialogHasNoIdOkButton)
{
    ExpectTemplate(
        IDD_SCRIPT, "シナリオ設定", kModal | DS_CENTER,
        {
            {IDC_SCRIPT_TITLE, "Edit", "", kEdit},
            {IDC_SCRIPT_MEMO, "Edit", "",
             kEdit | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL},
            {IDC_SCRIPT_DIRECTION_FORMAT, "Edit", "", kEdit},
            {IDC_SCRIPT_OK, "Button", "OK", 0},
            {IDCANCEL, "Button", "キャンセル", 0},
        });
    // A default button would take Enter from the title box.
    CDialogDriver driver;
    bool hasIdOk = true;
    LONG_PTR okStyle = -1;
    driver.OnDialog([&](HWND dialog) {
        hasIdOk = GetDlgItem(dialog, IDOK) != nullptr;
        okStyle = GetWindowLongPtrA(GetDlgItem(dialog, IDC_SCRIPT_OK), GWL_STYLE);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    driver.Start();
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SCRIPT), nullptr, PlainProc, 0);
    driver.Stop();
    EXPECT_FALSE(hasIdOk);
    EXPECT_EQ(okStyle & BS_DEFPUSHBUTTON, 0);
}

TEST(Templates, JumpDialog)
{
    ExpectTemplate(IDD_JUMP, "指定行", kModal,
                   {
                       {IDC_JUMP_LINE, "Edit", "", kEdit | ES_NUMBER},
                       {IDOK, "Button", "OK", BS_DEFPUSHBUTTON},
                       {IDCANCEL, "Button", "キャンセル", 0},
                   });
}

TEST(Templates, ActiveCastsDialog)
{
    ExpectTemplate(IDD_ACTIVE_CASTS, "担当キャスト", kModal | DS_CENTER,
                   {
                       {IDC_ACTIVE_CASTS_LIST, WC_LISTVIEWA, "",
                        LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER |
                            WS_BORDER | WS_TABSTOP},
                       {IDOK, "Button", "OK", BS_DEFPUSHBUTTON},
                       {IDCANCEL, "Button", "キャンセル", 0},
                   });
}

TEST(Templates, OptionSheetCaptionString)
{
    char text[64] = {};
    LoadStringA(GetModuleHandleA(nullptr), IDS_OPTION_CAPTION, text, sizeof(text));
    EXPECT_STREQ(text, "オプション");
}
