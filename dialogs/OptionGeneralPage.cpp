#include "dialogs/OptionGeneralPage.h"

#include <cstdlib>
#include <string>

#include "res/DialogRes.h"
#include "wnd/MessageBox.h"

namespace
{
const char kErrorCaption[] = "エラー";
const char kNoPosition[] = "カーソル位置を設定して下さい。";
const char kBadPosition[] = "カーソル位置は 1 ～ 99までにして下さい。";
}  // namespace

COptionGeneralPage::COptionGeneralPage(COption* option)
    : CPropertyPage(::GetModuleHandleA(nullptr), IDD_OPTION_GENERAL), m_Option(option)
{}

COptionGeneralPage::~COptionGeneralPage() = default;

bool COptionGeneralPage::OnInitDialog()
{
    m_AutoScroll.AttachDlgItem(m_PageWnd, IDC_GENERAL_AUTOSCROLL);
    m_ScrollPos.AttachDlgItem(m_PageWnd, IDC_GENERAL_SCROLLPOS);
    ::SetFocus(m_AutoScroll.GetHandle());
    if (!m_Option)
        return false;
    if (m_Option->m_General.m_AutoScroll == 1)
        m_AutoScroll.SetCheck(true);
    else if (m_Option->m_General.m_AutoScroll == 0)
        m_AutoScroll.SetCheck(false);
    m_ScrollPos.SetTextFormat(m_Option->m_General.m_ScrollPos, "%d");
    return true;
}

void COptionGeneralPage::StoreValues()
{
    const std::string text = m_ScrollPos.GetText();
    if (text.empty()) {
        ShowMessage(m_PageWnd, kNoPosition, kErrorCaption, kErrorBoxFlags);
        return;
    }
    const long position = std::strtol(text.c_str(), nullptr, 10);
    if (position < 1 || position > 99) {
        ShowMessage(m_PageWnd, kBadPosition, kErrorCaption, kErrorBoxFlags);
        return;
    }
    if (m_Option) {
        m_Option->m_General.m_AutoScroll = m_AutoScroll.IsChecked() ? 1 : 0;
        m_Option->m_General.m_ScrollPos = static_cast<int32_t>(position);
    }
}
