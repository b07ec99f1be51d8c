// COptionPastePage: the "貼り付け" (paste) page of the option sheet
// (template 164): the paste keystroke, the wait before Enter, the care of
// the user's clipboard, and the line sent: the chat's markup kept as typed,
// and the warning of long lines.
//
// Like the other pages it edits the live options (not owned; may be null,
// then the page shows and stores nothing) and writes into them only on OK,
// through StoreValues, after checking both waits (0 to 10000 ms) and, when
// the warning is on, its number of characters (1 to 100000). The number box
// can be typed in only while the warning is checked; off, it shows the
// suggested number and the options get 0.
#pragma once

#include <windows.h>

#include "option/Option.h"
#include "wnd/CheckBox.h"
#include "wnd/ComboBox.h"
#include "wnd/EditBox.h"
#include "wnd/PropertyPage.h"

class COptionPastePage : public CPropertyPage
{
public:
    explicit COptionPastePage(COption* option);
    ~COptionPastePage() override;

    bool OnInitDialog() override;
    // The length warning's check box enables its number box.
    INT_PTR OnCommand(HWND hPage, WPARAM wParam, LPARAM lParam) override;
    // Stores every setting of the page, or shows why it cannot and stores
    // none.
    void StoreValues() override;

private:
    // Enables the number box while the warning is checked.
    void EnableLengthLimit();

    COption* m_Option;
    CComboBox m_Key;
    CEditBox m_EnterWait;
    CCheckBox m_KeepOut;
    CCheckBox m_Restore;
    CEditBox m_RestoreWait;
    CCheckBox m_EscapeMarkup;
    CCheckBox m_LengthWarning;
    CEditBox m_LengthLimit;
};
