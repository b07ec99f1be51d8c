// COptionPastePage: the "貼り付け" (paste) page of the option sheet
// (template 164): the paste keystroke, the wait before Enter, and the care
// of the user's clipboard.
//
// Like the other pages it edits the live options (not owned; may be null,
// then the page shows and stores nothing) and writes into them only on OK,
// through StoreValues, after checking both waits (0 to 10000 ms).
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
    // Stores every setting of the page, or shows why it cannot and stores
    // none.
    void StoreValues() override;

private:
    COption* m_Option;
    CComboBox m_Key;
    CEditBox m_EnterWait;
    CCheckBox m_KeepOut;
    CCheckBox m_Restore;
    CEditBox m_RestoreWait;
};
