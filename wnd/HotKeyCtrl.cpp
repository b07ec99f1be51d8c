#include "wnd/HotKeyCtrl.h"

CHotKeyCtrl::CHotKeyCtrl() : m_HotKey(0)
{
    INITCOMMONCONTROLSEX init;
    init.dwSize = sizeof(init);
    init.dwICC = ICC_HOTKEY_CLASS;
    InitCommonControlsEx(&init);
}

int CHotKeyCtrl::GetHotKey()
{
    if (!m_Wnd)
        return 0;
    m_HotKey = static_cast<int>(LOWORD(Send(HKM_GETHOTKEY)));
    return m_HotKey;
}

UINT HotkeyToModifiers(UINT hotkeyModifiers)
{
    UINT modifiers = 0;
    if (hotkeyModifiers & HOTKEYF_ALT)
        modifiers |= MOD_ALT;
    if (hotkeyModifiers & HOTKEYF_CONTROL)
        modifiers |= MOD_CONTROL;
    if (hotkeyModifiers & HOTKEYF_SHIFT)
        modifiers |= MOD_SHIFT;
    return modifiers;
}
