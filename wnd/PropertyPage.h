// CPropertyPage: one page of a modal property sheet (CPropertySheet).
//
// A page is bound to its window through the window's user data
// (GWLP_USERDATA), not through "CPP_CLASS": the page procedure takes the
// object from the lParam of the PROPSHEETPAGEA that comes with
// WM_INITDIALOG. The page description holds this object's address, so a page
// object is not copyable and must live until the sheet's DoModal returns.
// The page window belongs to the sheet; the object keeps the last page and
// sheet window handles after the sheet has closed.
//
// Derived pages override the On... handlers; OnApply calls StoreValues, so a
// page that only stores its values on Apply or OK overrides StoreValues.
#pragma once

#include <windows.h>
#include <commctrl.h>

class CPropertyPage
{
public:
    // `instance` holds the page's dialog template `templateId`.
    CPropertyPage(HINSTANCE instance, int templateId);
    virtual ~CPropertyPage();

    // Routes WM_INITDIALOG, WM_NOTIFY, WM_COMMAND and WM_CLOSE to the
    // handlers below; every other message returns 0.
    virtual INT_PTR PageProc(HWND hPage, UINT message, WPARAM wParam, LPARAM lParam);

    // Property-sheet notifications: PSN_SETACTIVE, PSN_KILLACTIVE, PSN_APPLY
    // and PSN_QUERYCANCEL store their handler's outcome as the message result
    // (DWLP_MSGRESULT) and return 1; PSN_RESET calls OnReset, stores nothing
    // and returns 1; other codes return 0.
    virtual INT_PTR OnNotify(HWND hPage, WPARAM wParam, NMHDR* header);
    virtual INT_PTR OnCommand(HWND hPage, WPARAM wParam, LPARAM lParam);
    virtual bool OnInitDialog();
    virtual bool OnSetActive();   // false keeps the page from showing
    virtual bool OnKillActive();  // false keeps the user on the page
    virtual void OnClose();
    virtual void StoreValues();
    virtual bool OnQueryCancel();  // false refuses the cancel
    virtual void OnReset();
    virtual bool OnApply();  // StoreValues; false keeps the sheet open

    // The dialog procedure of every page.
    static INT_PTR CALLBACK PageDialogProc(HWND hPage, UINT message, WPARAM wParam, LPARAM lParam);

    const PROPSHEETPAGEA& GetPageDescription() const { return m_Page; }
    HWND GetPageWindow() const { return m_PageWnd; }
    HWND GetSheetWindow() const { return m_SheetWnd; }

    CPropertyPage(const CPropertyPage&) = delete;
    CPropertyPage& operator=(const CPropertyPage&) = delete;

protected:
    HINSTANCE m_Instance;
    WORD m_TemplateId;
    PROPSHEETPAGEA m_Page;
    HWND m_PageWnd;   // set at WM_INITDIALOG
    HWND m_SheetWnd;  // the page window's parent, set with m_PageWnd
};
