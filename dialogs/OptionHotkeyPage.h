// COptionHotkeyPage: the "ホットキー" (hotkey) page of the option sheet
// (template 160): the paste hotkey and the key wait, and the cue hotkeys
// (skip, back, repeat, next and previous cast; empty for none).
//
// The page edits the live options (not owned; may be null, then the page
// shows and stores nothing) and writes into them only on OK, through
// StoreValues: a key must be set and the key wait must lie in 10..10000 ms.
// The paste hotkey control accepts keys without Shift, Ctrl or Alt only; the
// cue keys take any combination, but no key twice. Texts are UTF-8.
#pragma once

#include <windows.h>

#include "option/Option.h"
#include "wnd/EditBox.h"
#include "wnd/HotKeyCtrl.h"
#include "wnd/PropertyPage.h"

class COptionHotkeyPage : public CPropertyPage
{
public:
    explicit COptionHotkeyPage(COption* option);
    ~COptionHotkeyPage() override;

    bool OnInitDialog() override;
    // Stores the hotkey and the key wait, or shows why it cannot and stores
    // neither.
    void StoreValues() override;

private:
    COption* m_Option;
    CHotKeyCtrl m_HotKey;
    CEditBox m_KeyWait;
    CHotKeyCtrl m_Skip;
    CHotKeyCtrl m_Back;
    CHotKeyCtrl m_Repeat;
    CHotKeyCtrl m_NextCast;
    CHotKeyCtrl m_PrevCast;
};
