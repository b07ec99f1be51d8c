#include "wnd/PropertySheet.h"

#include <algorithm>
#include <new>

namespace
{

// The sheet asks for PSH_USECALLBACK; comctl32 builds differ in whether
// they check the pointer before calling it, so there always is one.
int CALLBACK SheetCallback(HWND, UINT, LPARAM)
{
    return 0;
}

}  // namespace

CPropertySheet::CPropertySheet(HINSTANCE instance, LPCSTR caption, HWND parent)
    : m_Instance(instance), m_Caption(caption), m_Parent(parent), m_Header()
{
    if (caption && !IS_INTRESOURCE(caption)) {
        m_CaptionText = caption;
        m_Caption = m_CaptionText.c_str();
    }
    m_Header.dwSize = sizeof(m_Header);
    m_Header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_NOCONTEXTHELP;
    m_Header.hwndParent = m_Parent;
    m_Header.hInstance = m_Instance;
    m_Header.pszCaption = m_Caption;
    m_Header.nPages = 0;
    m_Header.nStartPage = 0;
    m_Header.ppsp = nullptr;
    m_Header.pfnCallback = SheetCallback;
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* page)
{
    if (!page)
        return;
    if (std::find(m_Pages.begin(), m_Pages.end(), page) != m_Pages.end())
        return;
    m_Pages.push_back(page);
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_Pages.empty())
        return -1;
    m_PageArray.clear();
    m_Header.nPages = 0;
    m_Header.ppsp = nullptr;
    try {
        m_PageArray.reserve(m_Pages.size());
    } catch (const std::bad_alloc&) {
        return -1;
    }
    for (CPropertyPage* page : m_Pages)
        m_PageArray.push_back(page->GetPageDescription());

    m_Header.nPages = static_cast<UINT>(m_PageArray.size());
    m_Header.ppsp = m_PageArray.data();
    m_Header.dwFlags &= ~static_cast<DWORD>(PSH_MODELESS);
    return PropertySheetA(&m_Header);
}
