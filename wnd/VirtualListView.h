// CVirtualListView: a report list view of style LVS_OWNERDATA, whose rows
// live in its owner. The control keeps only the row count, the selection and
// the focus, and asks the parent for every cell it shows with
// LVN_GETDISPINFO. The parent tells it of a change: a new count, or rows to
// paint again. The wrapper does not own the control (see CControlBase).
//
// A row's item data is asked of the parent the same way (LVN_GETDISPINFO
// with LVIF_PARAM): the system answers LVM_GETITEM with LVIF_PARAM on such
// a list with 0 without asking, so this wrapper's procedure asks instead,
// and GetItemData, and other programs that read the list, get the row's
// data as from a list that stores it.
#pragma once

#include <windows.h>

#include "wnd/ListView.h"

class CVirtualListView : public CListView
{
public:
    // LVM_SETITEMCOUNT, keeping the scroll position; the rows shown are
    // painted again. 0 when unbound.
    int SetRowCount(int count) const;
    // Paints rows first to last again (clipped to the rows there are); the
    // control asks for their cells when it paints them. Nothing for an
    // empty range.
    void RedrawRows(int first, int last) const;

    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LPARAM AskItemData(int row) const;
};
