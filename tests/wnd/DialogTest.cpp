// CDialog with real modal dialogs from the test resources. Every modal loop
// is ended from inside: the dialog posts its own button presses.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "WndCoreResources.h"
#include "WndCoreSupport.h"
#include "wnd/Dialog.h"
#include "wnd/WndBase.h"

namespace
{

LONG_PTR SharedProc()
{
    return reinterpret_cast<LONG_PTR>(&SharedWndProc);
}

// A dialog written the way the program's editing dialogs are: OK ends with
// 1, Cancel sends WM_CLOSE, WM_CLOSE ends with 0.
class CTestDialog : public CDialog
{
public:
    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_Seen.push_back(message);
        switch (message) {
        case WM_CLOSE:
            return OnClose();
        case WM_INITDIALOG:
            m_BoundAtInit =
                GetHandle() == hWnd && GetPropA(hWnd, "CPP_CLASS") == static_cast<CWndBase*>(this);
            m_Edit.AttachDlgItem(hWnd, IDC_WNDTEST_EDIT);
            if (m_OnInit)
                m_OnInit(hWnd);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
            case IDOK:
                EndDialog(1);
                return 0;
            case IDCANCEL:
                Send(WM_CLOSE);
                return 0;
            case IDC_WNDTEST_BUTTON:
                if (m_ThrowOnButton)
                    throw std::runtime_error("button handler failed");
                return 0;
            }
            break;
        }
        return CDialog::WindowProc(hWnd, message, wParam, lParam);
    }

    bool Saw(UINT message) const
    {
        return std::find(m_Seen.begin(), m_Seen.end(), message) != m_Seen.end();
    }

    std::function<void(HWND)> m_OnInit;
    std::vector<UINT> m_Seen;
    CWndBaseEx m_Edit;
    bool m_BoundAtInit = false;
    bool m_ThrowOnButton = false;
};

void PressLater(HWND dialog, int id)
{
    wndtest::RunLater([dialog, id] { PostMessageA(dialog, WM_COMMAND, id, 0); });
}

class CDialogTest : public ::testing::Test
{
protected:
    void TearDown() override { EXPECT_FALSE(m_Net.GaveUp()); }

    wndtest::CModalSafetyNet m_Net;
};

TEST_F(CDialogTest, OkReturnsOne)
{
    CTestDialog dialog;
    dialog.m_OnInit = [](HWND h) { PressLater(h, IDOK); };
    EXPECT_EQ(1, dialog.DoModal(nullptr, IDD_WNDTEST_DIALOG));
}

TEST_F(CDialogTest, CancelReturnsZero)
{
    CTestDialog dialog;
    dialog.m_OnInit = [](HWND h) { PressLater(h, IDCANCEL); };
    EXPECT_EQ(0, dialog.DoModal(nullptr, IDD_WNDTEST_DIALOG));
    EXPECT_TRUE(dialog.Saw(WM_CLOSE));
}

TEST_F(CDialogTest, EscapeReturnsZero)
{
    CTestDialog dialog;
    dialog.m_OnInit = [](HWND h) {
        HWND edit = GetDlgItem(h, IDC_WNDTEST_EDIT);
        wndtest::RunLater([edit] {
            SetFocus(edit);
            PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        });
    };
    EXPECT_EQ(0, dialog.DoModal(nullptr, IDD_WNDTEST_DIALOG));
}

TEST_F(CDialogTest, TitleBarCloseReturnsZero)
{
    CTestDialog dialog;
    dialog.m_OnInit = [](HWND h) {
        wndtest::RunLater([h] { PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0); });
    };
    EXPECT_EQ(0, dialog.DoModal(nullptr, IDD_WNDTEST_DIALOG));
    EXPECT_TRUE(dialog.Saw(WM_CLOSE));
}

TEST_F(CDialogTest, BindsAtInitDialogAndSeesNothingBefore)
{
    CTestDialog dialog;
    LONG_PTR dialogProc = 0;
    bool isDialog = false;
    dialog.m_OnInit = [&](HWND h) {
        dialogProc = GetWindowLongPtrA(h, DWLP_DLGPROC);
        isDialog = dialog.IsDialog();
        PressLater(h, IDOK);
    };
    ASSERT_EQ(1, dialog.DoModal(nullptr, IDD_WNDTEST_DIALOG));
    ASSERT_FALSE(dialog.m_Seen.empty());
    // The template asks for a font: WM_SETFONT arrives before WM_INITDIALOG
    // and must not reach the object.
    EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), dialog.m_Seen.front());
    EXPECT_FALSE(dialog.Saw(WM_SETFONT));
    EXPECT_TRUE(dialog.m_BoundAtInit);
    EXPECT_TRUE(isDialog);
    // Already SharedWndProc: nothing was subclassed.
    EXPECT_EQ(SharedProc(), dialogProc);
}

TEST_F(CDialogTest, EndsUnboundWithItsControls)
{
    CTestDialog dialog;
    dialog.m_OnInit = [](HWND h) { PressLater(h, IDOK); };
    ASSERT_EQ(1, dialog.DoModal(nullptr, IDD_WNDTEST_DIALOG));
    EXPECT_TRUE(dialog.Saw(WM_DESTROY));
    EXPECT_FALSE(dialog.IsBound());
    EXPECT_FALSE(dialog.m_Edit.IsBound());
}

TEST_F(CDialogTest, ShowsItsDialogAgain)
{
    CTestDialog dialog;
    int edits = 0;
    dialog.m_OnInit = [&](HWND h) {
        if (dialog.m_Edit.GetHandle() == GetDlgItem(h, IDC_WNDTEST_EDIT))
            ++edits;
        PressLater(h, IDOK);
    };
    EXPECT_EQ(1, dialog.DoModal(nullptr, IDD_WNDTEST_DIALOG));
    dialog.m_Seen.clear();
    EXPECT_EQ(1, dialog.DoModal(nullptr, IDD_WNDTEST_DIALOG));
    EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), dialog.m_Seen.front());
    EXPECT_EQ(2, edits);
}

TEST_F(CDialogTest, ControlGetsItsOwnProcedureBackWhenTheDialogEnds)
{
    wndtest::CNcDestroyWatch watch;
    LONG_PTR own = 0;
    CTestDialog dialog;
    dialog.m_OnInit = [&](HWND h) {
        HWND edit = dialog.m_Edit.GetHandle();
        // m_Edit is bound by now; its saved procedure is the edit's own.
        dialog.m_Edit.Detach();
        own = GetWindowLongPtrA(edit, GWLP_WNDPROC);
        dialog.m_Edit.Attach(edit);
        watch.Watch(edit);
        PressLater(h, IDOK);
    };
    ASSERT_EQ(1, dialog.DoModal(nullptr, IDD_WNDTEST_DIALOG));
    ASSERT_TRUE(watch.Seen());
    EXPECT_NE(0, own);
    EXPECT_EQ(own, watch.ProcedureAtNcDestroy());
    EXPECT_FALSE(watch.HadPropertyAtNcDestroy());
}

TEST_F(CDialogTest, DoModalOfAnOpenDialogReturnsMinusOne)
{
    CTestDialog dialog;
    INT_PTR nested = 0;
    dialog.m_OnInit = [&](HWND h) {
        nested = dialog.DoModal(h, IDD_WNDTEST_DIALOG);
        PressLater(h, IDOK);
    };
    EXPECT_EQ(1, dialog.DoModal(nullptr, IDD_WNDTEST_DIALOG));
    EXPECT_EQ(-1, nested);
}

TEST_F(CDialogTest, MissingTemplateReturnsMinusOne)
{
    CTestDialog dialog;
    EXPECT_EQ(-1, dialog.DoModal(nullptr, 9999));
    EXPECT_TRUE(dialog.m_Seen.empty());
    EXPECT_FALSE(dialog.IsBound());
}

TEST_F(CDialogTest, ExceptionInAHandlerIsReportedAndTheDialogGoesOn)
{
    static std::string reported;
    struct Recorder
    {
        static void Record(const char* what) { reported = what; }
    };
    WndProcErrorHandler previous = SetWndProcErrorHandler(Recorder::Record);
    reported.clear();
    CTestDialog dialog;
    dialog.m_ThrowOnButton = true;
    dialog.m_OnInit = [](HWND h) {
        wndtest::RunLater([h] {
            SendMessageA(h, WM_COMMAND, IDC_WNDTEST_BUTTON, 0);
            PostMessageA(h, WM_COMMAND, IDOK, 0);
        });
    };
    EXPECT_EQ(1, dialog.DoModal(nullptr, IDD_WNDTEST_DIALOG));
    SetWndProcErrorHandler(previous);
    EXPECT_EQ("button handler failed", reported);
}

TEST_F(CDialogTest, EndDialogNeedsABoundDialog)
{
    CTestDialog dialog;
    EXPECT_FALSE(dialog.EndDialog(1));
    EXPECT_EQ(0, dialog.OnClose());
}

// A dialog with a procedure of its own, bound afterwards (as the system's
// find dialog is): its dialog procedure is subclassed, not its window
// procedure.
INT_PTR CALLBACK ForeignDialogProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_USER + 5) {
        SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, 55);
        return TRUE;
    }
    return FALSE;
}

class CRecordingDialogWrapper : public CWndBaseEx
{
public:
    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_Seen.push_back(message);
        return CWndBaseEx::WindowProc(hWnd, message, wParam, lParam);
    }
    std::vector<UINT> m_Seen;
};

TEST(CDialogBindingTest, AttachToAForeignDialogSubclassesItsDialogProcedure)
{
    HWND dialog =
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_WNDTEST_DIALOG), nullptr,
                           ForeignDialogProc, 0);
    ASSERT_NE(nullptr, dialog);
    const LONG_PTR windowProc = GetWindowLongPtrA(dialog, GWLP_WNDPROC);
    const LONG_PTR dialogProc = GetWindowLongPtrA(dialog, DWLP_DLGPROC);

    CRecordingDialogWrapper wrapper;
    ASSERT_EQ(1, wrapper.Attach(dialog));
    EXPECT_TRUE(wrapper.IsDialog());
    EXPECT_EQ(SharedProc(), GetWindowLongPtrA(dialog, DWLP_DLGPROC));
    EXPECT_EQ(windowProc, GetWindowLongPtrA(dialog, GWLP_WNDPROC));

    // Unhandled messages reach the dialog's own procedure, whose result the
    // dialog manager returns.
    EXPECT_EQ(55, SendMessageA(dialog, WM_USER + 5, 0, 0));
    EXPECT_EQ(static_cast<UINT>(WM_USER + 5), wrapper.m_Seen.back());

    EXPECT_EQ(1, wrapper.Detach());
    EXPECT_EQ(dialogProc, GetWindowLongPtrA(dialog, DWLP_DLGPROC));
    EXPECT_EQ(55, SendMessageA(dialog, WM_USER + 5, 0, 0));
    DestroyWindow(dialog);
}

TEST(CDialogBindingTest, ControlsWithExtraBytesAreNotTakenForDialogs)
{
    // A window class whose extra bytes are as large as a dialog's offset of
    // the dialog procedure: whatever lies there is not a dialog procedure.
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.cbWndExtra = static_cast<int>(DWLP_DLGPROC + sizeof(LONG_PTR));
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "RolecueWndCoreTestExtraBytes";
    ASSERT_NE(0, RegisterClassExA(&wc));
    HWND hWnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
    ASSERT_NE(nullptr, hWnd);
    SetWindowLongPtrA(hWnd, DWLP_DLGPROC, 0x1234);

    CRecordingDialogWrapper wrapper;
    ASSERT_EQ(1, wrapper.Attach(hWnd));
    EXPECT_FALSE(wrapper.IsDialog());
    EXPECT_EQ(SharedProc(), GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    EXPECT_EQ(0x1234, GetWindowLongPtrA(hWnd, DWLP_DLGPROC));
    SetWindowTextA(hWnd, "works");
    char text[16] = {};
    GetWindowTextA(hWnd, text, sizeof(text));
    EXPECT_STREQ("works", text);
    DestroyWindow(hWnd);
    EXPECT_FALSE(wrapper.IsBound());
}

}  // namespace
