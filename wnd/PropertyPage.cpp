#include "wnd/PropertyPage.h"

#include "wnd/WndBase.h"

namespace
{

void SetMessageResult(HWND hPage, LONG_PTR result)
{
    SetWindowLongPtrA(hPage, DWLP_MSGRESULT, result);
}

}  // namespace

CPropertyPage::CPropertyPage(HINSTANCE instance, int templateId)
    : m_Instance(instance), m_TemplateId(static_cast<WORD>(templateId)), m_Page(),
      m_PageWnd(nullptr), m_SheetWnd(nullptr)
{
    m_Page.dwSize = sizeof(m_Page);
    m_Page.dwFlags = 0;
    m_Page.hInstance = m_Instance;
    m_Page.pszTemplate = MAKEINTRESOURCEA(m_TemplateId);
    m_Page.pfnDlgProc = &CPropertyPage::PageDialogProc;
    m_Page.lParam = reinterpret_cast<LPARAM>(this);
}

CPropertyPage::~CPropertyPage() = default;

INT_PTR CALLBACK CPropertyPage::PageDialogProc(HWND hPage, UINT message, WPARAM wParam,
                                               LPARAM lParam)
{
    CPropertyPage* page = reinterpret_cast<CPropertyPage*>(GetWindowLongPtrA(hPage, GWLP_USERDATA));
    if (message == WM_INITDIALOG) {
        // lParam is the sheet's own copy of our page description.
        const PROPSHEETPAGEA* description = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        page = description ? reinterpret_cast<CPropertyPage*>(description->lParam) : nullptr;
        SetWindowLongPtrA(hPage, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));
        if (page) {
            page->m_PageWnd = hPage;
            page->m_SheetWnd = GetParent(hPage);
        }
    }
    if (!page)
        return 0;
    try {
        return page->PageProc(hPage, message, wParam, lParam);
    } catch (...) {
        ReportCurrentWndProcException();
    }
    return 0;
}

INT_PTR CPropertyPage::PageProc(HWND hPage, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetMessageResult(hPage, OnInitDialog() ? TRUE : FALSE);
        return 1;
    case WM_NOTIFY:
        return OnNotify(hPage, wParam, reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
        return OnCommand(hPage, wParam, lParam);
    case WM_CLOSE:
        OnClose();
        return 0;
    default:
        return 0;
    }
}

INT_PTR CPropertyPage::OnNotify(HWND hPage, WPARAM, NMHDR* header)
{
    if (!header)
        return 0;
    switch (header->code) {
    case PSN_SETACTIVE:
        SetMessageResult(hPage, OnSetActive() ? 0 : 1);
        return 1;
    case PSN_KILLACTIVE:
        SetMessageResult(hPage, OnKillActive() ? FALSE : TRUE);
        return 1;
    case PSN_APPLY:
        SetMessageResult(hPage, OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
        return 1;
    case PSN_RESET:
        OnReset();
        return 1;
    case PSN_QUERYCANCEL:
        SetMessageResult(hPage, OnQueryCancel() ? FALSE : TRUE);
        return 1;
    default:
        return 0;
    }
}

INT_PTR CPropertyPage::OnCommand(HWND, WPARAM, LPARAM)
{
    return TRUE;
}

bool CPropertyPage::OnInitDialog()
{
    return true;
}

bool CPropertyPage::OnSetActive()
{
    return true;
}

bool CPropertyPage::OnKillActive()
{
    return true;
}

void CPropertyPage::OnClose() {}

void CPropertyPage::StoreValues() {}

bool CPropertyPage::OnQueryCancel()
{
    return true;
}

void CPropertyPage::OnReset() {}

bool CPropertyPage::OnApply()
{
    StoreValues();
    return true;
}
