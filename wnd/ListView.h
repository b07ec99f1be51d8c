// CListView: wrapper of a report-style list view. The wrapper does not own
// the control (see CControlBase); it owns an image list that nothing fills.
//
// Item indexes are 0-based. Texts are UTF-8. The object counts the
// columns it inserted itself; SwapItems exchanges that many column texts.
// An unbound object acts on nothing: its operations return 0 (InsertItem and
// GetSelected -1) and change nothing.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "wnd/ControlBase.h"
#include "wnd/ImageList.h"

class CListView : public CControlBase
{
public:
    enum
    {
        kTextBufferSize = 256
    };  // GetItemText: at most 255 bytes

    CListView() : m_ColumnCount(0) {}

    LRESULT DeleteAllItems() const { return Send(LVM_DELETEALLITEMS); }
    // The first selected row, -1 when none.
    int GetSelected() const
    {
        if (!m_Wnd)
            return -1;
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }

    // Selects the row and clears its focus, cut and drop-highlight states.
    // 0 without a call when index >= count; else 1. A negative index is
    // passed on: the control then selects every row.
    int Select(int index) const;

    // The row's item data; 0 when index < 0 or >= count.
    LPARAM GetItemData(int index) const;
    // 0 without a call when index < 0; else the control's result.
    int SetItemData(int index, LPARAM value) const;

    // ORs bits into the extended list-view style; returns the previous style.
    DWORD AddExtendedStyle(DWORD bits) const;

    // 1 checked, 0 unchecked, -1 for a row without a check box (every row of
    // a list without LVS_EX_CHECKBOXES); 0 when the list is empty or index < 0.
    int GetCheck(int index) const;
    // Checks (non-zero flag) or unchecks the row; nothing when the list is
    // empty or index < 0.
    void SetCheck(int index, int flag) const;

    // Inserts a column at index (its sub-item is index too). 1 and one more
    // counted column when the control made it, else 0.
    int InsertColumn(const char* text, int width, int index, int format = LVCFMT_LEFT);
    int GetColumnCount() const { return m_ColumnCount; }

    // Inserts a row with text and item data (and image when image >= 0).
    // Returns the new row's index, -1 on failure. A null text counts as empty.
    int InsertItem(const char* text, int index, int subItem, int image, LPARAM data) const;

    // LVM_SETITEMA with the text only; no redraw. The control's result.
    int SetItemTextNoRedraw(const char* text, int index, int subItem) const;
    // LVM_SETITEMTEXTA, then a redraw with erase. 0 without a call when index
    // or subItem < 0 (or text is null), else 1.
    int SetItemText(int index, int subItem, const char* text) const;

    // The cell's text, cut between characters to a width of 255 (ASCII and
    // half-width katakana count 1, every other character 2: the 255 bytes of
    // a Shift_JIS text). 0 when index or subItem < 0 (text emptied), else 1.
    int GetItemText(int index, int subItem, std::string& text) const;
    // The cell's whole text, however long. Same results as GetItemText.
    int GetFullItemText(int index, int subItem, std::string& text) const;

    // 0 when the list is empty or index < 0; else the result of
    // LVM_DELETEITEM. After a deletion the row above (row 0 when row 0 went)
    // is selected; an emptied list has nothing selected.
    int DeleteItem(int index) const;

    // Exchanges two rows completely: texts of every counted column (whole,
    // however long), image, indent, item data, states and check box. False
    // (nothing changed) when either index is negative or past the end, or
    // when they are equal.
    bool SwapItems(int a, int b) const;

    // Moves the selected row up (down) by one and keeps it selected. False
    // (nothing changed) when no row is selected or it is the first (last).
    bool MoveSelectedUp() const;
    bool MoveSelectedDown() const;

    // Scrolls the row into view (LVM_ENSUREVISIBLE).
    bool EnsureVisible(int index, bool partialOk) const
    {
        return Send(LVM_ENSUREVISIBLE, index, partialOk ? TRUE : FALSE) != FALSE;
    }
    // Number of rows that fit in the view (LVM_GETCOUNTPERPAGE).
    int GetCountPerPage() const { return static_cast<int>(Send(LVM_GETCOUNTPERPAGE)); }

    CImageList& GetImageList() { return m_ImageList; }

private:
    CImageList m_ImageList;
    int m_ColumnCount;
};
