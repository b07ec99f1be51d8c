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

namespace {

HINSTANCE Module()
{
  return GetModuleHandleA(nullptr);
}

class CTestPage : public CPropertyPage
{
public:
  explicit CTestPage(int templateId) : CPropertyPage(Module(), templateId) {}

  INT_PTR PageProc(HWND hPage, UINT message, WPARAM wParam,
                   LPARAM lParam) override
  {
    m_seen.push_back(message);
    return CPropertyPage::PageProc(hPage, message, wParam, lParam);
  }
  bool OnInitDialog() override
  {
    ++m_inits;
    m_windowsAtInit = GetPageWindow() != nullptr &&
                      GetSheetWindow() == GetParent(GetPageWindow());
    if (m_onInit)
      m_onInit(*this);
    return true;
  }
  INT_PTR OnCommand(HWND hPage, WPARAM wParam, LPARAM lParam) override
  {
    if (LOWORD(wParam) == IDC_WNDTEST_PAGE_BUTTON) {
      m_commands.push_back(LOWORD(wParam));
      if (m_throwOnCommand)
        throw std::runtime_error("page command failed");
    }
    return CPropertyPage::OnCommand(hPage, wParam, lParam);
  }
  bool OnSetActive() override { return m_allowSetActive; }
  bool OnKillActive() override { return m_allowKillActive; }
  bool OnApply() override
  {
    ++m_applies;
    if (!m_allowApply)
      return false;
    return CPropertyPage::OnApply();
  }
  void StoreValues() override { ++m_stores; }
  bool OnQueryCancel() override
  {
    ++m_queries;
    return m_allowCancel;
  }
  void OnReset() override { ++m_resets; }

  bool Saw(UINT message) const
  {
    return std::find(m_seen.begin(), m_seen.end(), message) != m_seen.end();
  }

  std::function<void(CTestPage&)> m_onInit;
  std::vector<UINT> m_seen;
  std::vector<int> m_commands;
  int m_inits = 0, m_applies = 0, m_stores = 0, m_queries = 0, m_resets = 0;
  bool m_windowsAtInit = false;
  bool m_allowSetActive = true, m_allowKillActive = true, m_allowApply = true;
  bool m_allowCancel = true, m_throwOnCommand = false;
};

void Press(HWND sheet, int button)
{
  SendMessageA(sheet, PSM_PRESSBUTTON, button, 0);
}

// Raw result of the page's notification routing, and what it stored.
struct CNotifyOutcome
{
  INT_PTR m_returned;
  LONG_PTR m_stored;
};

CNotifyOutcome Notify(CTestPage& page, UINT code)
{
  NMHDR header = {};
  header.hwndFrom = page.GetSheetWindow();
  header.code = code;
  CNotifyOutcome outcome;
  outcome.m_returned = page.PageProc(page.GetPageWindow(), WM_NOTIFY, 0,
                                     reinterpret_cast<LPARAM>(&header));
  outcome.m_stored = GetWindowLongPtrA(page.GetPageWindow(), DWLP_MSGRESULT);
  return outcome;
}

class CPropertySheetTest : public ::testing::Test
{
protected:
  void TearDown() override { EXPECT_FALSE(m_net.GaveUp()); }

  wndtest::CModalSafetyNet m_net;
  CTestPage m_first{IDD_WNDTEST_PAGE1};
  CTestPage m_second{IDD_WNDTEST_PAGE2};
};

using CPropertyPageTest = CPropertySheetTest;

// CPropertySheet -------------------------------------------------------------

TEST_F(CPropertySheetTest, AddPageListsEachPageOnce)
{
  CPropertySheet sheet(Module(), "sheet", nullptr);
  sheet.AddPage(&m_first);
  sheet.AddPage(&m_second);
  sheet.AddPage(&m_first);
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
  sheet.AddPage(&m_first);
  sheet.AddPage(&m_second);
  m_first.m_onInit = [](CTestPage& page) {
    HWND hSheet = page.GetSheetWindow();
    wndtest::RunLater([hSheet] {
      SendMessageA(hSheet, PSM_SETCURSEL, 1, 0);
      Press(hSheet, PSBTN_OK);
    });
  };
  EXPECT_GT(sheet.DoModal(), 0);
  EXPECT_EQ(1, m_first.m_inits);
  EXPECT_EQ(1, m_second.m_inits);
  EXPECT_EQ(1, m_first.m_stores);
  EXPECT_EQ(1, m_second.m_stores);
  EXPECT_EQ(0, m_first.m_resets);
}

TEST_F(CPropertySheetTest, CancelAsksThePageAndResetsIt)
{
  CPropertySheet sheet(Module(), "sheet", nullptr);
  sheet.AddPage(&m_first);
  sheet.AddPage(&m_second);
  m_first.m_onInit = [](CTestPage& page) {
    HWND hSheet = page.GetSheetWindow();
    wndtest::RunLater([hSheet] { Press(hSheet, PSBTN_CANCEL); });
  };
  EXPECT_EQ(0, sheet.DoModal());
  EXPECT_EQ(1, m_first.m_queries);
  EXPECT_EQ(1, m_first.m_resets);
  EXPECT_EQ(0, m_first.m_stores);
  EXPECT_EQ(0, m_second.m_inits);  // never shown, never asked
}

TEST_F(CPropertySheetTest, RefusedCancelKeepsTheSheetOpen)
{
  CPropertySheet sheet(Module(), "sheet", nullptr);
  sheet.AddPage(&m_first);
  m_first.m_allowCancel = false;
  bool openAfterCancel = false;
  m_first.m_onInit = [&](CTestPage& page) {
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
  EXPECT_EQ(1, m_first.m_queries);
  EXPECT_EQ(0, m_first.m_resets);
  EXPECT_EQ(1, m_first.m_stores);
}

TEST_F(CPropertySheetTest, FailedApplyKeepsTheSheetOpen)
{
  CPropertySheet sheet(Module(), "sheet", nullptr);
  sheet.AddPage(&m_first);
  m_first.m_allowApply = false;
  bool openAfterOk = false;
  m_first.m_onInit = [&](CTestPage& page) {
    HWND hSheet = page.GetSheetWindow();
    wndtest::RunLater([&, hSheet] {
      Press(hSheet, PSBTN_OK);
      wndtest::RunLater([&, hSheet] {
        openAfterOk = IsWindow(hSheet) && IsWindowVisible(hSheet);
        m_first.m_allowApply = true;
        Press(hSheet, PSBTN_OK);
      });
    });
  };
  EXPECT_GT(sheet.DoModal(), 0);
  EXPECT_TRUE(openAfterOk);
  EXPECT_EQ(2, m_first.m_applies);
  EXPECT_EQ(1, m_first.m_stores);
}

TEST_F(CPropertySheetTest, RunsAgainWithTheSamePages)
{
  CPropertySheet sheet(Module(), "sheet", nullptr);
  sheet.AddPage(&m_first);
  m_first.m_onInit = [](CTestPage& page) {
    HWND hSheet = page.GetSheetWindow();
    wndtest::RunLater([hSheet] { Press(hSheet, PSBTN_OK); });
  };
  EXPECT_GT(sheet.DoModal(), 0);
  HWND firstWindow = m_first.GetPageWindow();
  EXPECT_GT(sheet.DoModal(), 0);
  EXPECT_EQ(2, m_first.m_inits);
  EXPECT_EQ(2, m_first.m_stores);
  // The page keeps the handles of its last window.
  EXPECT_NE(nullptr, m_first.GetPageWindow());
  EXPECT_FALSE(IsWindow(firstWindow));
}

TEST_F(CPropertySheetTest, CaptionTextIsCopied)
{
  std::string caption = "copied caption";
  CPropertySheet sheet(Module(), caption.c_str(), nullptr);
  caption.assign(caption.size(), 'x');
  sheet.AddPage(&m_first);
  std::string shown;
  m_first.m_onInit = [&](CTestPage& page) {
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
  sheet.AddPage(&m_first);
  std::string shown;
  m_first.m_onInit = [&](CTestPage& page) {
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
  const PROPSHEETPAGEA& page = m_first.GetPageDescription();
  EXPECT_EQ(sizeof(PROPSHEETPAGEA), page.dwSize);
  EXPECT_EQ(0u, page.dwFlags);
  EXPECT_EQ(Module(), page.hInstance);
  EXPECT_EQ(MAKEINTRESOURCEA(IDD_WNDTEST_PAGE1), page.pszTemplate);
  EXPECT_EQ(&CPropertyPage::PageDialogProc, page.pfnDlgProc);
  EXPECT_EQ(reinterpret_cast<LPARAM>(static_cast<CPropertyPage*>(&m_first)),
            page.lParam);
  EXPECT_EQ(nullptr, m_first.GetPageWindow());
  EXPECT_EQ(nullptr, m_first.GetSheetWindow());
}

TEST_F(CPropertyPageTest, BindsAtInitDialogAndSeesNothingBefore)
{
  CPropertySheet sheet(Module(), "sheet", nullptr);
  sheet.AddPage(&m_first);
  LONG_PTR userData = 0;
  m_first.m_onInit = [&](CTestPage& page) {
    userData = GetWindowLongPtrA(page.GetPageWindow(), GWLP_USERDATA);
    HWND hSheet = page.GetSheetWindow();
    wndtest::RunLater([hSheet] { Press(hSheet, PSBTN_CANCEL); });
  };
  sheet.DoModal();
  ASSERT_FALSE(m_first.m_seen.empty());
  EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), m_first.m_seen.front());
  EXPECT_FALSE(m_first.Saw(WM_SETFONT));
  EXPECT_TRUE(m_first.m_windowsAtInit);
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(static_cast<CPropertyPage*>(&m_first)),
            userData);
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
  sheet.AddPage(&m_first);
  std::vector<CNotifyOutcome> outcomes;
  int resetsBefore = 0;
  m_first.m_onInit = [&](CTestPage& page) {
    HWND hSheet = page.GetSheetWindow();
    wndtest::RunLater([&, hSheet] {
      CTestPage& p = m_first;
      p.m_allowApply = false;
      outcomes.push_back(Notify(p, PSN_APPLY));         // 0
      p.m_allowApply = true;
      outcomes.push_back(Notify(p, PSN_APPLY));         // 1
      p.m_allowKillActive = false;
      outcomes.push_back(Notify(p, PSN_KILLACTIVE));    // 2
      p.m_allowKillActive = true;
      outcomes.push_back(Notify(p, PSN_KILLACTIVE));    // 3
      p.m_allowSetActive = false;
      outcomes.push_back(Notify(p, PSN_SETACTIVE));     // 4
      p.m_allowSetActive = true;
      outcomes.push_back(Notify(p, PSN_SETACTIVE));     // 5
      p.m_allowCancel = false;
      outcomes.push_back(Notify(p, PSN_QUERYCANCEL));   // 6
      p.m_allowCancel = true;
      outcomes.push_back(Notify(p, PSN_QUERYCANCEL));   // 7
      resetsBefore = p.m_resets;
      SetWindowLongPtrA(p.GetPageWindow(), DWLP_MSGRESULT, 1234);
      outcomes.push_back(Notify(p, PSN_RESET));         // 8
      outcomes.push_back(Notify(p, PSN_HELP));          // 9
      outcomes.push_back(Notify(p, PSN_WIZNEXT));       // 10
      Press(hSheet, PSBTN_CANCEL);
    });
  };
  sheet.DoModal();
  ASSERT_EQ(11u, outcomes.size());
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(1, outcomes[i].m_returned) << i;
  EXPECT_EQ(PSNRET_INVALID_NOCHANGEPAGE, outcomes[0].m_stored);
  EXPECT_EQ(PSNRET_NOERROR, outcomes[1].m_stored);
  EXPECT_EQ(1, outcomes[2].m_stored);
  EXPECT_EQ(0, outcomes[3].m_stored);
  EXPECT_EQ(1, outcomes[4].m_stored);
  EXPECT_EQ(0, outcomes[5].m_stored);
  EXPECT_EQ(1, outcomes[6].m_stored);
  EXPECT_EQ(0, outcomes[7].m_stored);
  // PSN_RESET calls OnReset and leaves the stored result alone; codes that
  // are not routed return 0 and store nothing either.
  EXPECT_EQ(1234, outcomes[8].m_stored);
  EXPECT_EQ(0, outcomes[9].m_returned);
  EXPECT_EQ(1234, outcomes[9].m_stored);
  EXPECT_EQ(0, outcomes[10].m_returned);
  EXPECT_GE(m_first.m_resets, resetsBefore + 1);
}

TEST_F(CPropertyPageTest, CommandsReachOnCommand)
{
  CPropertySheet sheet(Module(), "sheet", nullptr);
  sheet.AddPage(&m_first);
  m_first.m_onInit = [](CTestPage& page) {
    HWND hPage = page.GetPageWindow();
    HWND hSheet = page.GetSheetWindow();
    wndtest::RunLater([hPage, hSheet] {
      SendMessageA(hPage, WM_COMMAND, IDC_WNDTEST_PAGE_BUTTON, 0);
      Press(hSheet, PSBTN_CANCEL);
    });
  };
  sheet.DoModal();
  ASSERT_EQ(1u, m_first.m_commands.size());
  EXPECT_EQ(IDC_WNDTEST_PAGE_BUTTON, m_first.m_commands[0]);
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
  sheet.AddPage(&m_first);
  m_first.m_throwOnCommand = true;
  m_first.m_onInit = [](CTestPage& page) {
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
  EXPECT_EQ(1, m_first.m_stores);
}

}  // namespace
