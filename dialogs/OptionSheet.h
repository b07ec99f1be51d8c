// COptionSheet: the modal option sheet ("オプション"): the general, hotkey,
// colours and paste pages, in this tab order.
//
// The sheet and its pages edit the live options (not owned; may be null,
// then nothing is shown filled in and nothing is stored). The pages write
// into the options only when the user confirms with OK, and only the pages
// that were shown; Cancel changes nothing. The sheet owns its pages;
// construct it for each showing and let it end after DoModal.
#pragma once

#include <windows.h>

#include "option/Option.h"
#include "dialogs/OptionColorsPage.h"
#include "dialogs/OptionGeneralPage.h"
#include "dialogs/OptionHotkeyPage.h"
#include "dialogs/OptionPastePage.h"
#include "wnd/PropertySheet.h"

class COptionSheet : public CPropertySheet
{
public:
    COptionSheet(COption* option, HWND parent);
    ~COptionSheet() override;

private:
    COption* m_Option;
    COptionGeneralPage m_GeneralPage;
    COptionHotkeyPage m_HotkeyPage;
    COptionColorsPage m_ColorsPage;
    COptionPastePage m_PastePage;
};
