// CComboBox: wrapper of a combo box. The wrapper does not own the control
// (see CControlBase).
//
// Texts are UTF-8. GetItemText and GetSelectedText read into a
// buffer owned by the object: the pointer they return stays valid until the
// next call of either of them on the same object.
#pragma once

#include <windows.h>

#include <string>

#include "wnd/ControlBase.h"

class CComboBox : public CControlBase
{
public:
    // Number of items the drop-down list shows.
    enum
    {
        kDropDownItems = 10
    };

    // CreateChild of class "COMBOBOX", then SetDropDownHeight. 1 when created
    // and bound; 0 when this object is already bound or creation fails.
    int Create(HWND parent, const char* text, DWORD style, DWORD exStyle, int x, int y, int width,
               int height, int controlId);

    LRESULT ResetContent() const { return Send(CB_RESETCONTENT); }
    // The new item's index, or CB_ERR / CB_ERRSPACE.
    int AddString(const char* text) const
    {
        return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    // CB_ERR when nothing is selected.
    int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    // CB_SETCURSEL: the index, or CB_ERR when it is out of range. -1 clears
    // the selection; an index past the end clears it on Windows but not on
    // Wine, so callers that mean "none" pass -1.
    int SetCurSel(int index) const { return static_cast<int>(Send(CB_SETCURSEL, index)); }

    // CB_FINDSTRINGEXACT when exact, else CB_FINDSTRING (prefix match). The
    // search starts after startIndex (-1: from the top) and wraps. Both
    // compare without case. The found index, or CB_ERR (also for a null text).
    int FindString(const char* text, int startIndex, bool exact) const;

    // The item's whole text, sized from CB_GETLBTEXTLEN; empty for an index
    // that names no item.
    const char* GetItemText(int index);
    const char* GetSelectedText() { return GetItemText(GetCurSel()); }

    // Makes the drop-down list tall enough for ten items (current height +
    // 10 x item height + 2). 0 when unbound or the item height is unknown,
    // else the result of MoveWindow.
    int SetDropDownHeight() const;

    // EM_SETREADONLY on the edit field of a drop-down combo box. 0 when there
    // is no edit field (a drop-down list) or the object is unbound.
    int SetEditReadOnly(bool flag) const;

private:
    std::string m_Text;
};
