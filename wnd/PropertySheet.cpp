#include "wnd/PropertySheet.h"

#include <algorithm>
#include <new>

namespace {

// The sheet asks for PSH_USECALLBACK; comctl32 builds differ in whether
// they check the pointer before calling it, so there always is one.
int CALLBACK SheetCallback(HWND, UINT, LPARAM)
{
  return 0;
}

}  // namespace

CPropertySheet::CPropertySheet(HINSTANCE instance, LPCSTR caption,
                               HWND parent)
    : m_instance(instance), m_caption(caption), m_parent(parent), m_header()
{
  if (caption && !IS_INTRESOURCE(caption)) {
    m_captionText = caption;
    m_caption = m_captionText.c_str();
  }
  m_header.dwSize = sizeof(m_header);
  m_header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_NOCONTEXTHELP;
  m_header.hwndParent = m_parent;
  m_header.hInstance = m_instance;
  m_header.pszCaption = m_caption;
  m_header.nPages = 0;
  m_header.nStartPage = 0;
  m_header.ppsp = nullptr;
  m_header.pfnCallback = SheetCallback;
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* page)
{
  if (!page)
    return;
  if (std::find(m_pages.begin(), m_pages.end(), page) != m_pages.end())
    return;
  m_pages.push_back(page);
}

INT_PTR CPropertySheet::DoModal()
{
  if (m_pages.empty())
    return -1;
  m_pageArray.clear();
  m_header.nPages = 0;
  m_header.ppsp = nullptr;
  try {
    m_pageArray.reserve(m_pages.size());
  } catch (const std::bad_alloc&) {
    return -1;
  }
  for (CPropertyPage* page : m_pages)
    m_pageArray.push_back(page->GetPageDescription());

  m_header.nPages = static_cast<UINT>(m_pageArray.size());
  m_header.ppsp = m_pageArray.data();
  m_header.dwFlags &= ~static_cast<DWORD>(PSH_MODELESS);
  return PropertySheetA(&m_header);
}
