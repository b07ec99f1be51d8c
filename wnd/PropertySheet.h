// CPropertySheet: a modal property sheet built from CPropertyPage objects.
//
// The sheet keeps pointers to its pages, in the order added; it does not own
// them, and they must live until DoModal returns. DoModal copies the pages'
// descriptions into an array of its own, so it can run again and again.
// The caption is a string-table id (MAKEINTRESOURCEA) or a text, copied.
// Texts are UTF-8.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "wnd/PropertyPage.h"

class CPropertySheet
{
public:
    CPropertySheet(HINSTANCE instance, LPCSTR caption, HWND parent);
    virtual ~CPropertySheet();

    // Runs the sheet modally (PropertySheetA). Returns its result, or -1
    // without showing anything when there are no pages or the page array
    // cannot be made.
    virtual INT_PTR DoModal();

    // Appends a page unless it is already listed; null is ignored.
    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_Pages.size()); }

    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;

protected:
    HINSTANCE m_Instance;
    std::string m_CaptionText;  // the caption when it is a text
    LPCSTR m_Caption;           // resource id or m_CaptionText
    HWND m_Parent;
    PROPSHEETHEADERA m_Header;
    std::vector<CPropertyPage*> m_Pages;
    std::vector<PROPSHEETPAGEA> m_PageArray;  // built by DoModal
};
