// COptionColorsPage: the "色" (colours) page of the option sheet (template
// 161): the named colour pairs, each listed in its own colours.
//
// The page edits a working copy of the options' colour table, taken when the
// page is first shown; each row's item data points into that copy, which the
// page owns. StoreValues (on OK) copies the whole table back into the live
// options (not owned; may be null, then the page shows and stores nothing).
// A page that was never shown has no copy and stores nothing. Texts are
// UTF-8.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "option/Option.h"
#include "wnd/ListView.h"
#include "wnd/PropertyPage.h"

class COptionColorsPage : public CPropertyPage
{
public:
    explicit COptionColorsPage(COption* option);
    ~COptionColorsPage() override;

    // Custom drawing of the list: every row in its item's colours.
    INT_PTR OnNotify(HWND hPage, WPARAM wParam, NMHDR* header) override;
    // The two colour buttons.
    INT_PTR OnCommand(HWND hPage, WPARAM wParam, LPARAM lParam) override;
    bool OnInitDialog() override;
    void StoreValues() override;

private:
    enum class EColourKind
    {
        Text,
        Background
    };
    void ChooseItemColour(EColourKind kind);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw);

    COption* m_Option;
    CListView m_List;
    decltype(COption::m_Colors) m_Colors;  // the working copy
    bool m_HasCopy = false;
};
