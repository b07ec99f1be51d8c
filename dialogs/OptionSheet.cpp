#include "dialogs/OptionSheet.h"

#include "res/DialogRes.h"

COptionSheet::COptionSheet(COption* option, HWND parent)
    : CPropertySheet(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDS_OPTION_CAPTION), parent),
      m_Option(option), m_GeneralPage(option), m_HotkeyPage(option), m_ColorsPage(option),
      m_PastePage(option)
{
    AddPage(&m_GeneralPage);
    AddPage(&m_HotkeyPage);
    AddPage(&m_ColorsPage);
    AddPage(&m_PastePage);
}

COptionSheet::~COptionSheet() = default;
