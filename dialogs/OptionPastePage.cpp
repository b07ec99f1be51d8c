#include "dialogs/OptionPastePage.h"

#include <cstdlib>
#include <string>

#include "res/DialogRes.h"
#include "wnd/MessageBox.h"

namespace
{
const char kErrorCaption[] = "エラー";
const char kBadEnterWait[] = "Enter までの待ち時間は 0 ～ 10000 までにして下さい。";
const char kBadRestoreWait[] = "元に戻すまでの時間は 0 ～ 10000 までにして下さい。";
const char kBadLengthWarning[] = "文字数は 1 から 100000 までの数で指定してください。";

// The keystrokes in the order of EPasteKey.
const char* const kKeyTexts[] = {"Ctrl+V", "Shift+Insert", "Ctrl+Shift+V"};

// A number typed in the page (a wait, a number of characters): false when
// empty, not a number or outside lowest..highest.
bool ReadNumber(const std::string& text, long lowest, long highest, int32_t& number)
{
    if (text.empty() || text.size() > 6)
        return false;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || value < lowest || value > highest)
        return false;
    number = static_cast<int32_t>(value);
    return true;
}

}  // namespace

COptionPastePage::COptionPastePage(COption* option)
    : CPropertyPage(::GetModuleHandleA(nullptr), IDD_OPTION_PASTE), m_Option(option)
{}

COptionPastePage::~COptionPastePage() = default;

bool COptionPastePage::OnInitDialog()
{
    m_Key.AttachDlgItem(m_PageWnd, IDC_PASTE_KEY);
    m_EnterWait.AttachDlgItem(m_PageWnd, IDC_PASTE_ENTERWAIT);
    m_KeepOut.AttachDlgItem(m_PageWnd, IDC_PASTE_KEEPOUT);
    m_Restore.AttachDlgItem(m_PageWnd, IDC_PASTE_RESTORE);
    m_RestoreWait.AttachDlgItem(m_PageWnd, IDC_PASTE_RESTOREWAIT);
    m_EscapeMarkup.AttachDlgItem(m_PageWnd, IDC_PASTE_ESCAPEMARKUP);
    m_LengthWarning.AttachDlgItem(m_PageWnd, IDC_PASTE_LENGTHWARNING);
    m_LengthLimit.AttachDlgItem(m_PageWnd, IDC_PASTE_LENGTHLIMIT);
    for (const char* text : kKeyTexts)
        m_Key.AddString(text);
    ::SetFocus(m_Key.GetHandle());
    if (!m_Option) {
        EnableLengthLimit();
        return false;
    }
    const COptionPaste& paste = m_Option->m_Paste;
    m_Key.SetCurSel(static_cast<int>(paste.m_Key));
    m_EnterWait.SetTextFormat(COptionPaste::ClampWait(paste.m_EnterWait), "%d");
    m_KeepOut.SetCheck(paste.m_KeepOutOfHistory != 0);
    m_Restore.SetCheck(paste.m_RestoreClipboard != 0);
    m_RestoreWait.SetTextFormat(COptionPaste::ClampWait(paste.m_RestoreWait), "%d");
    m_EscapeMarkup.SetCheck(paste.m_EscapeMarkup != 0);
    // Off shows the number suggested for turning it on.
    const int32_t length = COptionPaste::ClampLengthWarning(paste.m_LengthWarning);
    m_LengthWarning.SetCheck(length != 0);
    m_LengthLimit.SetTextFormat(length != 0 ? length : COptionPaste::kSuggestedLengthWarning, "%d");
    EnableLengthLimit();
    return true;
}

INT_PTR COptionPastePage::OnCommand(HWND, WPARAM wParam, LPARAM)
{
    if (LOWORD(wParam) == IDC_PASTE_LENGTHWARNING && HIWORD(wParam) == BN_CLICKED)
        EnableLengthLimit();
    return TRUE;
}

void COptionPastePage::EnableLengthLimit()
{
    if (m_LengthLimit.IsBound())
        ::EnableWindow(m_LengthLimit.GetHandle(), m_LengthWarning.IsChecked() ? TRUE : FALSE);
}

void COptionPastePage::StoreValues()
{
    int32_t enterWait = 0;
    int32_t restoreWait = 0;
    if (!ReadNumber(m_EnterWait.GetText(), 0, COptionPaste::kMaxWaitMs, enterWait)) {
        ShowMessage(m_PageWnd, kBadEnterWait, kErrorCaption, kErrorBoxFlags);
        return;
    }
    if (!ReadNumber(m_RestoreWait.GetText(), 0, COptionPaste::kMaxWaitMs, restoreWait)) {
        ShowMessage(m_PageWnd, kBadRestoreWait, kErrorCaption, kErrorBoxFlags);
        return;
    }
    int32_t lengthWarning = 0;
    if (m_LengthWarning.IsChecked() &&
        !ReadNumber(m_LengthLimit.GetText(), 1, COptionPaste::kMaxLengthWarning, lengthWarning)) {
        ShowMessage(m_PageWnd, kBadLengthWarning, kErrorCaption, kErrorBoxFlags);
        ::SetFocus(m_LengthLimit.GetHandle());
        return;
    }
    if (!m_Option)
        return;
    COptionPaste& paste = m_Option->m_Paste;
    const int key = m_Key.GetCurSel();
    if (key >= 0 && key < static_cast<int>(sizeof kKeyTexts / sizeof kKeyTexts[0]))
        paste.m_Key = static_cast<EPasteKey>(key);
    paste.m_EnterWait = enterWait;
    paste.m_KeepOutOfHistory = m_KeepOut.IsChecked() ? 1 : 0;
    paste.m_RestoreClipboard = m_Restore.IsChecked() ? 1 : 0;
    paste.m_RestoreWait = restoreWait;
    paste.m_EscapeMarkup = m_EscapeMarkup.IsChecked() ? 1 : 0;
    paste.m_LengthWarning = lengthWarning;
}
