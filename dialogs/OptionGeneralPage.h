// COptionGeneralPage: the "一般" (general) page of the option sheet
// (template 162): auto scroll and the cursor position it scrolls to.
//
// The page edits the live options (not owned; may be null, then the page
// shows and stores nothing) and writes into them only on OK, through
// StoreValues, after checking the position (1 to 99). Texts are UTF-8.
#pragma once

#include <windows.h>

#include "option/Option.h"
#include "wnd/CheckBox.h"
#include "wnd/EditBox.h"
#include "wnd/PropertyPage.h"

class COptionGeneralPage : public CPropertyPage
{
public:
    explicit COptionGeneralPage(COption* option);
    ~COptionGeneralPage() override;

    bool OnInitDialog() override;
    // Stores auto scroll and the position, or shows why it cannot and
    // stores neither.
    void StoreValues() override;

private:
    COption* m_Option;
    CCheckBox m_AutoScroll;
    CEditBox m_ScrollPos;
};
