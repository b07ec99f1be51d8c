#include "dialogs/OptionHotkeyPage.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "res/DialogRes.h"
#include "wnd/MessageBox.h"

namespace
{
const char kErrorCaption[] = "エラー";
const char kNoKey[] = "キーを設定して下さい。";
const char kBadKeyWait[] = "キーウェイトの値が不正です。\r\n10以上、10,000以下にして下さい。";
const char kSameKey[] = "同じキーが二つのホットキーに設定されています。";

// Every combination with Shift, Ctrl or Alt is invalid; the control then
// drops the modifiers.
const WORD kInvalidCombinations =
    HKCOMB_S | HKCOMB_C | HKCOMB_A | HKCOMB_SC | HKCOMB_SA | HKCOMB_CA | HKCOMB_SCA;
}  // namespace

COptionHotkeyPage::COptionHotkeyPage(COption* option)
    : CPropertyPage(::GetModuleHandleA(nullptr), IDD_OPTION_HOTKEY), m_Option(option)
{}

COptionHotkeyPage::~COptionHotkeyPage() = default;

bool COptionHotkeyPage::OnInitDialog()
{
    m_HotKey.AttachDlgItem(m_PageWnd, IDC_HOTKEY_KEY);
    m_KeyWait.AttachDlgItem(m_PageWnd, IDC_HOTKEY_WAIT);
    m_Skip.AttachDlgItem(m_PageWnd, IDC_CUE_SKIP);
    m_Back.AttachDlgItem(m_PageWnd, IDC_CUE_BACK);
    m_Repeat.AttachDlgItem(m_PageWnd, IDC_CUE_REPEAT);
    m_NextCast.AttachDlgItem(m_PageWnd, IDC_CUE_NEXT_CAST);
    m_PrevCast.AttachDlgItem(m_PageWnd, IDC_CUE_PREV_CAST);
    m_HotKey.SetRules(kInvalidCombinations, 0);
    ::SetFocus(m_HotKey.GetHandle());
    if (!m_Option)
        return false;
    const uint16_t hotkey = m_Option->m_Hotkey.m_HotKey;
    m_HotKey.SetHotKey(LOBYTE(hotkey), HIBYTE(hotkey));
    m_KeyWait.SetTextFormat(m_Option->m_Hotkey.m_KeyWait, "%ld");
    const COptionCue& cue = m_Option->m_Cue;
    m_Skip.SetHotKey(LOBYTE(cue.m_Skip), HIBYTE(cue.m_Skip));
    m_Back.SetHotKey(LOBYTE(cue.m_Back), HIBYTE(cue.m_Back));
    m_Repeat.SetHotKey(LOBYTE(cue.m_Repeat), HIBYTE(cue.m_Repeat));
    m_NextCast.SetHotKey(LOBYTE(cue.m_NextCast), HIBYTE(cue.m_NextCast));
    m_PrevCast.SetHotKey(LOBYTE(cue.m_PrevCast), HIBYTE(cue.m_PrevCast));
    return true;
}

void COptionHotkeyPage::StoreValues()
{
    const uint16_t hotkey = static_cast<uint16_t>(m_HotKey.GetHotKey() & 0xFFFF);
    const std::string text = m_KeyWait.GetText();
    // A negative number counts as a very large one.
    const uint32_t keyWait = static_cast<uint32_t>(std::strtol(text.c_str(), nullptr, 10));
    if (hotkey == 0) {
        ShowMessage(m_PageWnd, kNoKey, kErrorCaption, kErrorBoxFlags);
        return;
    }
    if (keyWait < 10 || keyWait > 10000) {
        ShowMessage(m_PageWnd, kBadKeyWait, kErrorCaption, kErrorBoxFlags);
        return;
    }
    const uint16_t cues[] = {static_cast<uint16_t>(m_Skip.GetHotKey() & 0xFFFF),
                             static_cast<uint16_t>(m_Back.GetHotKey() & 0xFFFF),
                             static_cast<uint16_t>(m_Repeat.GetHotKey() & 0xFFFF),
                             static_cast<uint16_t>(m_NextCast.GetHotKey() & 0xFFFF),
                             static_cast<uint16_t>(m_PrevCast.GetHotKey() & 0xFFFF)};
    const size_t count = sizeof cues / sizeof cues[0];
    for (size_t i = 0; i < count; ++i) {
        bool same = cues[i] != 0 && cues[i] == hotkey;
        for (size_t j = i + 1; j < count; ++j)
            same = same || (cues[i] != 0 && cues[i] == cues[j]);
        if (same) {
            ShowMessage(m_PageWnd, kSameKey, kErrorCaption, kErrorBoxFlags);
            return;
        }
    }
    if (m_Option) {
        m_Option->m_Hotkey.m_HotKey = hotkey;
        m_Option->m_Hotkey.m_KeyWait = static_cast<int32_t>(keyWait);
        m_Option->m_Cue.m_Skip = cues[0];
        m_Option->m_Cue.m_Back = cues[1];
        m_Option->m_Cue.m_Repeat = cues[2];
        m_Option->m_Cue.m_NextCast = cues[3];
        m_Option->m_Cue.m_PrevCast = cues[4];
    }
}
