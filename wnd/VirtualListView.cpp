#include "wnd/VirtualListView.h"

#include <algorithm>

// An unchanged count is only painted again: under Wine, setting even the
// same count costs a visible list as much as a new one (15-40 ms measured).
int CVirtualListView::SetRowCount(int count) const
{
    if (!m_Wnd)
        return 0;
    if (count == static_cast<int>(Send(LVM_GETITEMCOUNT))) {
        InvalidateRect(m_Wnd, nullptr, TRUE);
        return 1;
    }
    return static_cast<int>(Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL));
}

void CVirtualListView::RedrawRows(int first, int last) const
{
    if (!m_Wnd)
        return;
    // Only the rows on the screen: the control would go through every row
    // of a long range, and the others are asked for when they come into
    // view anyway.
    const int top = static_cast<int>(Send(LVM_GETTOPINDEX));
    const int shown = static_cast<int>(GetCountPerPage()) + 1;
    first = std::max(first, std::max(top, 0));
    last = std::min(last, std::min(GetItemCount() - 1, top + shown));
    if (first > last)
        return;
    Send(LVM_REDRAWITEMS, static_cast<WPARAM>(first), static_cast<LPARAM>(last));
}

LPARAM CVirtualListView::AskItemData(int row) const
{
    NMLVDISPINFOA info = {};
    info.hdr.hwndFrom = m_Wnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(m_Wnd));
    info.hdr.code = LVN_GETDISPINFOA;
    info.item.mask = LVIF_PARAM;
    info.item.iItem = row;
    SendMessageA(GetParent(m_Wnd), WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    return info.item.lParam;
}

LRESULT CVirtualListView::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == LVM_GETITEMA || message == LVM_GETITEMW) && lParam != 0) {
        // The item data sits at the same place in LVITEMA and LVITEMW.
        LVITEMA* item = reinterpret_cast<LVITEMA*>(lParam);
        const bool wantsData = (item->mask & LVIF_PARAM) != 0;
        const LRESULT result = CListView::WindowProc(hWnd, message, wParam, lParam);
        if (result && wantsData && item->iItem >= 0 && item->iItem < GetItemCount())
            item->lParam = AskItemData(item->iItem);
        return result;
    }
    return CListView::WindowProc(hWnd, message, wParam, lParam);
}
