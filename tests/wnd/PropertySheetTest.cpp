// CPropertySheet and CPropertyPage with real property sheets. The sheet is
// driven from inside its modal loop: the first page, once initialised,
// schedules the button presses.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "WndCoreResources.h"
#include "WndCoreSupport.h"
#include "wnd/PropertyPage.h"
#include "wnd/PropertySheet.h"
#include "wnd/WndBase.h"

namespace
{

HINSTANCE Module()
{
    return GetModuleHandleA(nullptr);
}

class CTestPage : public CPropertyPage
{
public:
    explicit CTestPage(int templateId) : CPropertyPage(Module(), templateId) {}

    INT_PTR PageProc(HWND hPage, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_Seen.push_back(message);
        return CPropertyPage::PageProc(hPage, message, wParam, lParam);
    }
    bool OnInitDialog() override
    {
        ++m_Inits;
        m_WindowsAtInit =
            GetPageWindow() != nullptr && GetSheetWindow() == GetParent(GetPageWindow());
        if (m_OnInit)
            m_OnInit(*this);
        return true;
    }
    INT_PTR OnCommand(HWND hPage, WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_WNDTEST_PAGE_BUTTON) {
            m_Commands.push_back(LOWORD(wParam));
            if (m_ThrowOnCommand)
                throw std::runtime_error("page command failed");
        }
        return CPropertyPage::OnCommand(hPage, wParam, lParam);
    }
    bool OnSetActive() override { return m_AllowSetActive; }
    bool OnKillActive() override { return m_AllowKillActive; }
    bool OnApply() override
    {
        ++m_Applies;
        if (!m_AllowApply)
            return false;
        return CPropertyPage::OnApply();
    }
    void StoreValues() override { ++m_Stores; }
    bool OnQueryCancel() override
    {
        ++m_Queries;
        return m_AllowCancel;
    }
    void OnReset() override { ++m_Resets; }

    bool Saw(UINT message) const
    {
        return std::find(m_Seen.begin(), m_Seen.end(), message) != m_Seen.end();
    }

    std::function<void(CTestPage&)> m_OnInit;
    std::vector<UINT> m_Seen;
    std::vector<int> m_Commands;
    int m_Inits = 0, m_Applies = 0, m_Stores = 0, m_Queries = 0, m_Resets = 0;
    bool m_WindowsAtInit = false;
    bool m_AllowSetActive = true, m_AllowKillActive = true, m_AllowApply = true;
    bool m_AllowCancel = true, m_ThrowOnCommand = false;
};

void Press(HWND sheet, int button)
{
    SendMessageA(sheet, PSM_PRESSBUTTON, button, 0);
}

// Raw result of the page's notification routing, and what it stored.
struct CNotifyOutcome
{
    INT_PTR m_Returned;
    LONG_PTR m_Stored;
};

CNotifyOutcome Notify(CTestPage& page, UINT code)
{
    NMHDR header = {};
    header.hwndFrom = page.GetSheetWindow();
    header.code = code;
    CNotifyOutcome outcome;
    outcome.m_Returned =
        page.PageProc(page.GetPageWindow(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    outcome.m_Stored = GetWindowLongPtrA(page.GetPageWindow(), DWLP_MSGRESULT);
    return outcome;
}

class CPropertySheetTest : public ::testing::Test
{
protected:
    void TearDown() override { EXPECT_FALSE(m_Net.GaveUp()); }

    wndtest::CModalSafetyNet m_Net;
    CTestPage m_First{IDD_WNDTEST_PAGE1};
    CTestPage m_Second{IDD_WNDTEST_PAGE2};
};

using CPropertyPageTest = CPropertySheetTest;

// CPropertySheet -------------------------------------------------------------

TEST_F(CPropertySheetTest, AddPageListsEachPageOnce)
{
    CPropertySheet sheet(Module(), "sheet", nullptr);
    sheet.AddPage(&m_First);
    sheet.AddPage(&m_Second);
    sheet.AddPage(&m_First);
    sheet.AddPage(nullptr);
    EXPECT_EQ(2, sheet.GetPageCount());
}

TEST_F(CPropertySheetTest, DoModalWithoutPagesReturnsMinusOne)
{
    CPropertySheet sheet(Module(), "sheet", nullptr);
    EXPECT_EQ(-1, sheet.DoModal());
}

TEST_F(CPropertySheetTest, OkAppliesEveryOpenedPage)
{
    CPropertySheet sheet(Module(), "sheet", nullptr);
    sheet.AddPage(&m_First);
    sheet.AddPage(&m_Second);
    m_First.m_OnInit = [](CTestPage& page) {
        HWND hSheet = page.GetSheetWindow();
        wndtest::RunLater([hSheet] {
            SendMessageA(hSheet, PSM_SETCURSEL, 1, 0);
            Press(hSheet, PSBTN_OK);
        });
    };
    EXPECT_GT(sheet.DoModal(), 0);
    EXPECT_EQ(1, m_First.m_Inits);
    EXPECT_EQ(1, m_Second.m_Inits);
    EXPECT_EQ(1, m_First.m_Stores);
    EXPECT_EQ(1, m_Second.m_Stores);
    EXPECT_EQ(0, m_First.m_Resets);
}

TEST_F(CPropertySheetTest, CancelAsksThePageAndResetsIt)
{
    CPropertySheet sheet(Module(), "sheet", nullptr);
    sheet.AddPage(&m_First);
    sheet.AddPage(&m_Second);
    m_First.m_OnInit = [](CTestPage& page) {
        HWND hSheet = page.GetSheetWindow();
        wndtest::RunLater([hSheet] { Press(hSheet, PSBTN_CANCEL); });
    };
    EXPECT_EQ(0, sheet.DoModal());
    EXPECT_EQ(1, m_First.m_Queries);
    EXPECT_EQ(1, m_First.m_Resets);
    EXPECT_EQ(0, m_First.m_Stores);
    EXPECT_EQ(0, m_Second.m_Inits);  // never shown, never asked
}

TEST_F(CPropertySheetTest, RefusedCancelKeepsTheSheetOpen)
{
    CPropertySheet sheet(Module(), "sheet", nullptr);
    sheet.AddPage(&m_First);
    m_First.m_AllowCancel = false;
    bool openAfterCancel = false;
    m_First.m_OnInit = [&](CTestPage& page) {
        HWND hSheet = page.GetSheetWindow();
        wndtest::RunLater([&, hSheet] {
            Press(hSheet, PSBTN_CANCEL);
            wndtest::RunLater([&, hSheet] {
                openAfterCancel = IsWindow(hSheet) && IsWindowVisible(hSheet);
                Press(hSheet, PSBTN_OK);
            });
        });
    };
    EXPECT_GT(sheet.DoModal(), 0);
    EXPECT_TRUE(openAfterCancel);
    EXPECT_EQ(1, m_First.m_Queries);
    EXPECT_EQ(0, m_First.m_Resets);
    EXPECT_EQ(1, m_First.m_Stores);
}

TEST_F(CPropertySheetTest, FailedApplyKeepsTheSheetOpen)
{
    CPropertySheet sheet(Module(), "sheet", nullptr);
    sheet.AddPage(&m_First);
    m_First.m_AllowApply = false;
    bool openAfterOk = false;
    m_First.m_OnInit = [&](CTestPage& page) {
        HWND hSheet = page.GetSheetWindow();
        wndtest::RunLater([&, hSheet] {
            Press(hSheet, PSBTN_OK);
            wndtest::RunLater([&, hSheet] {
                openAfterOk = IsWindow(hSheet) && IsWindowVisible(hSheet);
                m_First.m_AllowApply = true;
                Press(hSheet, PSBTN_OK);
            });
        });
    };
    EXPECT_GT(sheet.DoModal(), 0);
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(2, m_First.m_Applies);
    EXPECT_EQ(1, m_First.m_Stores);
}

TEST_F(CPropertySheetTest, RunsAgainWithTheSamePages)
{
    CPropertySheet sheet(Module(), "sheet", nullptr);
    sheet.AddPage(&m_First);
    m_First.m_OnInit = [](CTestPage& page) {
        HWND hSheet = page.GetSheetWindow();
        wndtest::RunLater([hSheet] { Press(hSheet, PSBTN_OK); });
    };
    EXPECT_GT(sheet.DoModal(), 0);
    HWND firstWindow = m_First.GetPageWindow();
    EXPECT_GT(sheet.DoModal(), 0);
    EXPECT_EQ(2, m_First.m_Inits);
    EXPECT_EQ(2, m_First.m_Stores);
    // The page keeps the handles of its last window.
    EXPECT_NE(nullptr, m_First.GetPageWindow());
    EXPECT_FALSE(IsWindow(firstWindow));
}

TEST_F(CPropertySheetTest, CaptionTextIsCopied)
{
    std::string caption = "copied caption";
    CPropertySheet sheet(Module(), caption.c_str(), nullptr);
    caption.assign(caption.size(), 'x');
    sheet.AddPage(&m_First);
    std::string shown;
    m_First.m_OnInit = [&](CTestPage& page) {
        HWND hSheet = page.GetSheetWindow();
        wndtest::RunLater([&, hSheet] {
            char text[64] = {};
            GetWindowTextA(hSheet, text, sizeof(text));
            shown = text;
            Press(hSheet, PSBTN_CANCEL);
        });
    };
    EXPECT_EQ(0, sheet.DoModal());
    EXPECT_EQ("copied caption", shown);
}

TEST_F(CPropertySheetTest, CaptionComesFromTheStringTable)
{
    CPropertySheet sheet(Module(), MAKEINTRESOURCEA(IDS_WNDTEST_SHEET), nullptr);
    sheet.AddPage(&m_First);
    std::string shown;
    m_First.m_OnInit = [&](CTestPage& page) {
        HWND hSheet = page.GetSheetWindow();
        wndtest::RunLater([&, hSheet] {
            char text[64] = {};
            GetWindowTextA(hSheet, text, sizeof(text));
            shown = text;
            Press(hSheet, PSBTN_CANCEL);
        });
    };
    EXPECT_EQ(0, sheet.DoModal());
    EXPECT_EQ("Test sheet", shown);
}

// CPropertyPage --------------------------------------------------------------

TEST_F(CPropertyPageTest, DescriptionPointsAtThePageProcedureAndObject)
{
    const PROPSHEETPAGEA& page = m_First.GetPageDescription();
    EXPECT_EQ(sizeof(PROPSHEETPAGEA), page.dwSize);
    EXPECT_EQ(0u, page.dwFlags);
    EXPECT_EQ(Module(), page.hInstance);
    EXPECT_EQ(MAKEINTRESOURCEA(IDD_WNDTEST_PAGE1), page.pszTemplate);
    EXPECT_EQ(&CPropertyPage::PageDialogProc, page.pfnDlgProc);
    EXPECT_EQ(reinterpret_cast<LPARAM>(static_cast<CPropertyPage*>(&m_First)), page.lParam);
    EXPECT_EQ(nullptr, m_First.GetPageWindow());
    EXPECT_EQ(nullptr, m_First.GetSheetWindow());
}

TEST_F(CPropertyPageTest, BindsAtInitDialogAndSeesNothingBefore)
{
    CPropertySheet sheet(Module(), "sheet", nullptr);
    sheet.AddPage(&m_First);
    LONG_PTR userData = 0;
    m_First.m_OnInit = [&](CTestPage& page) {
        userData = GetWindowLongPtrA(page.GetPageWindow(), GWLP_USERDATA);
        HWND hSheet = page.GetSheetWindow();
        wndtest::RunLater([hSheet] { Press(hSheet, PSBTN_CANCEL); });
    };
    sheet.DoModal();
    ASSERT_FALSE(m_First.m_Seen.empty());
    EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), m_First.m_Seen.front());
    EXPECT_FALSE(m_First.Saw(WM_SETFONT));
    EXPECT_TRUE(m_First.m_WindowsAtInit);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(static_cast<CPropertyPage*>(&m_First)), userData);
}

TEST_F(CPropertyPageTest, MessagesBeforeInitDialogReturnZero)
{
    wndtest::CPlainWindow window;
    EXPECT_EQ(0, CPropertyPage::PageDialogProc(window.Get(), WM_SETFONT, 0, 0));
    EXPECT_EQ(0, CPropertyPage::PageDialogProc(window.Get(), WM_COMMAND, 1, 0));
}

TEST_F(CPropertyPageTest, NotificationsStoreTheirOutcome)
{
    CPropertySheet sheet(Module(), "sheet", nullptr);
    sheet.AddPage(&m_First);
    std::vector<CNotifyOutcome> outcomes;
    int resetsBefore = 0;
    m_First.m_OnInit = [&](CTestPage& page) {
        HWND hSheet = page.GetSheetWindow();
        wndtest::RunLater([&, hSheet] {
            CTestPage& p = m_First;
            p.m_AllowApply = false;
            outcomes.push_back(Notify(p, PSN_APPLY));  // 0
            p.m_AllowApply = true;
            outcomes.push_back(Notify(p, PSN_APPLY));  // 1
            p.m_AllowKillActive = false;
            outcomes.push_back(Notify(p, PSN_KILLACTIVE));  // 2
            p.m_AllowKillActive = true;
            outcomes.push_back(Notify(p, PSN_KILLACTIVE));  // 3
            p.m_AllowSetActive = false;
            outcomes.push_back(Notify(p, PSN_SETACTIVE));  // 4
            p.m_AllowSetActive = true;
            outcomes.push_back(Notify(p, PSN_SETACTIVE));  // 5
            p.m_AllowCancel = false;
            outcomes.push_back(Notify(p, PSN_QUERYCANCEL));  // 6
            p.m_AllowCancel = true;
            outcomes.push_back(Notify(p, PSN_QUERYCANCEL));  // 7
            resetsBefore = p.m_Resets;
            SetWindowLongPtrA(p.GetPageWindow(), DWLP_MSGRESULT, 1234);
            outcomes.push_back(Notify(p, PSN_RESET));    // 8
            outcomes.push_back(Notify(p, PSN_HELP));     // 9
            outcomes.push_back(Notify(p, PSN_WIZNEXT));  // 10
            Press(hSheet, PSBTN_CANCEL);
        });
    };
    sheet.DoModal();
    ASSERT_EQ(11u, outcomes.size());
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(1, outcomes[i].m_Returned) << i;
    EXPECT_EQ(PSNRET_INVALID_NOCHANGEPAGE, outcomes[0].m_Stored);
    EXPECT_EQ(PSNRET_NOERROR, outcomes[1].m_Stored);
    EXPECT_EQ(1, outcomes[2].m_Stored);
    EXPECT_EQ(0, outcomes[3].m_Stored);
    EXPECT_EQ(1, outcomes[4].m_Stored);
    EXPECT_EQ(0, outcomes[5].m_Stored);
    EXPECT_EQ(1, outcomes[6].m_Stored);
    EXPECT_EQ(0, outcomes[7].m_Stored);
    // PSN_RESET calls OnReset and leaves the stored result alone; codes that
    // are not routed return 0 and store nothing either.
    EXPECT_EQ(1234, outcomes[8].m_Stored);
    EXPECT_EQ(0, outcomes[9].m_Returned);
    EXPECT_EQ(1234, outcomes[9].m_Stored);
    EXPECT_EQ(0, outcomes[10].m_Returned);
    EXPECT_GE(m_First.m_Resets, resetsBefore + 1);
}

TEST_F(CPropertyPageTest, CommandsReachOnCommand)
{
    CPropertySheet sheet(Module(), "sheet", nullptr);
    sheet.AddPage(&m_First);
    m_First.m_OnInit = [](CTestPage& page) {
        HWND hPage = page.GetPageWindow();
        HWND hSheet = page.GetSheetWindow();
        wndtest::RunLater([hPage, hSheet] {
            SendMessageA(hPage, WM_COMMAND, IDC_WNDTEST_PAGE_BUTTON, 0);
            Press(hSheet, PSBTN_CANCEL);
        });
    };
    sheet.DoModal();
    ASSERT_EQ(1u, m_First.m_Commands.size());
    EXPECT_EQ(IDC_WNDTEST_PAGE_BUTTON, m_First.m_Commands[0]);
}

TEST_F(CPropertyPageTest, ExceptionInAHandlerIsReportedAndTheSheetGoesOn)
{
    static std::string reported;
    struct Recorder
    {
        static void Record(const char* what) { reported = what; }
    };
    WndProcErrorHandler previous = SetWndProcErrorHandler(Recorder::Record);
    reported.clear();
    CPropertySheet sheet(Module(), "sheet", nullptr);
    sheet.AddPage(&m_First);
    m_First.m_ThrowOnCommand = true;
    m_First.m_OnInit = [](CTestPage& page) {
        HWND hPage = page.GetPageWindow();
        HWND hSheet = page.GetSheetWindow();
        wndtest::RunLater([hPage, hSheet] {
            SendMessageA(hPage, WM_COMMAND, IDC_WNDTEST_PAGE_BUTTON, 0);
            Press(hSheet, PSBTN_OK);
        });
    };
    EXPECT_GT(sheet.DoModal(), 0);
    SetWndProcErrorHandler(previous);
    EXPECT_EQ("page command failed", reported);
    EXPECT_EQ(1, m_First.m_Stores);
}

}  // namespace
