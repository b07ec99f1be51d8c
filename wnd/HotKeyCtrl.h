// CHotKeyCtrl: wrapper of a hotkey control, and the conversion of its
// modifier bits to those of RegisterHotKey. The wrapper does not own the
// control (see CControlBase).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "wnd/ControlBase.h"

class CHotKeyCtrl : public CControlBase
{
public:
    // Registers the hotkey control class (InitCommonControlsEx).
    CHotKeyCtrl();

    // HKM_GETHOTKEY: low byte the virtual-key code, next byte the HOTKEYF_
    // modifier bits. Kept in the object; 0 when unbound (the kept value is
    // then left as it was).
    int GetHotKey();
    // The value read by the last GetHotKey (0 before the first).
    int GetLastHotKey() const { return m_HotKey; }

    // HKM_SETHOTKEY with the key in the low byte and HOTKEYF_ modifiers above.
    void SetHotKey(BYTE virtualKey, BYTE modifiers) const
    {
        if (m_Wnd)
            Send(HKM_SETHOTKEY, MAKEWORD(virtualKey, modifiers));
    }

    // HKM_SETRULES: invalid is a set of HKCOMB_ bits; replacement the HOTKEYF_
    // modifiers used instead of an invalid combination.
    void SetRules(WORD invalid, WORD replacement) const
    {
        if (m_Wnd)
            Send(HKM_SETRULES, invalid, MAKELPARAM(replacement, 0));
    }

private:
    int m_HotKey;
};

// HOTKEYF_ bits of a hotkey control to MOD_ bits of RegisterHotKey: Alt,
// Control and Shift; HOTKEYF_EXT and every other bit are dropped.
UINT HotkeyToModifiers(UINT hotkeyModifiers);
