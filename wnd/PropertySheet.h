// CPropertySheet: a modal property sheet built from CPropertyPage objects.
//
// The sheet keeps pointers to its pages, in the order added; it does not own
// them, and they must live until DoModal returns. DoModal copies the pages'
// descriptions into an array of its own, so it can run again and again.
// The caption is a string-table id (MAKEINTRESOURCEA) or a text, copied.
// Texts are Shift_JIS bytes.
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
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }

  CPropertySheet(const CPropertySheet&) = delete;
  CPropertySheet& operator=(const CPropertySheet&) = delete;

protected:
  HINSTANCE m_instance;
  std::string m_captionText;  // the caption when it is a text
  LPCSTR m_caption;           // resource id or m_captionText
  HWND m_parent;
  PROPSHEETHEADERA m_header;
  std::vector<CPropertyPage*> m_pages;
  std::vector<PROPSHEETPAGEA> m_pageArray;  // built by DoModal
};
