#include "wnd/ListView.h"

#include <vector>

#include "text/Utf8.h"

namespace
{

// State bits a row carries: selection, focus, cut, drop highlight, overlay
// image and state image (the check box).
const UINT kAllStates = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED |
                        LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK;

// LVM_GETITEMTEXTA into a buffer of the given size; the copied length.
int ReadCellText(HWND hWnd, int index, int subItem, std::vector<char>& buffer)
{
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    buffer[0] = '\0';
    const LRESULT copied = SendMessageA(hWnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(&item));
    if (copied <= 0)
        return 0;
    return static_cast<int>(copied) < item.cchTextMax ? static_cast<int>(copied)
                                                      : item.cchTextMax - 1;
}

// One row as SwapItems moves it.
struct CRow
{
    std::string text;
    LVITEMA item;
    int check;
};

}  // namespace

int CListView::Select(int index) const
{
    if (!m_Wnd || index >= GetItemCount())
        return 0;
    LVITEMA item = {};
    item.state = LVIS_SELECTED;
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return 1;
}

LPARAM CListView::GetItemData(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return 0;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

int CListView::SetItemData(int index, LPARAM value) const
{
    if (!m_Wnd || index < 0)
        return 0;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = value;
    return static_cast<int>(Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

DWORD CListView::AddExtendedStyle(DWORD bits) const
{
    const DWORD current = static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE));
    return static_cast<DWORD>(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, current | bits));
}

int CListView::GetCheck(int index) const
{
    if (index < 0 || GetItemCount() == 0)
        return 0;
    const UINT state =
        static_cast<UINT>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_STATEIMAGEMASK));
    return static_cast<int>(state >> 12) - 1;
}

void CListView::SetCheck(int index, int flag) const
{
    if (index < 0 || GetItemCount() == 0)
        return;
    LVITEMA item = {};
    item.state = INDEXTOSTATEIMAGEMASK(flag ? 2 : 1);
    item.stateMask = LVIS_STATEIMAGEMASK;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

int CListView::InsertColumn(const char* text, int width, int index, int format)
{
    if (!m_Wnd)
        return 0;
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<char*>(text ? text : "");
    column.iSubItem = index;
    if (Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)) ==
        -1)
        return 0;
    ++m_ColumnCount;
    return 1;
}

int CListView::InsertItem(const char* text, int index, int subItem, int image, LPARAM data) const
{
    if (!m_Wnd)
        return -1;
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    if (image >= 0) {
        item.mask |= LVIF_IMAGE;
        item.iImage = image;
    }
    item.iItem = index;
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text ? text : "");
    item.cchTextMax = kTextBufferSize;
    item.lParam = data;
    return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

int CListView::SetItemTextNoRedraw(const char* text, int index, int subItem) const
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text ? text : "");
    return static_cast<int>(Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

int CListView::SetItemText(int index, int subItem, const char* text) const
{
    if (!m_Wnd || index < 0 || subItem < 0 || !text)
        return 0;
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text);
    Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    Redraw(true);
    return 1;
}

int CListView::GetItemText(int index, int subItem, std::string& text) const
{
    text.clear();
    if (!m_Wnd || index < 0 || subItem < 0)
        return 0;
    // Read whole and cut here: the control's own cut of a UTF-8 text can
    // fall inside a character. The limit keeps its Shift_JIS meaning: 255
    // wide, a character counting 2 (ASCII and half-width katakana 1).
    GetFullItemText(index, subItem, text);
    text.resize(CutToWidth(text, kTextBufferSize - 1));
    return 1;
}

int CListView::GetFullItemText(int index, int subItem, std::string& text) const
{
    text.clear();
    if (!m_Wnd || index < 0 || subItem < 0)
        return 0;
    // The control does not tell a cell's length: read into a buffer that
    // doubles until the text leaves room to spare. A text the control cut
    // fills the buffer to within a character (up to four bytes of UTF-8)
    // and the terminator; one that is shorter still came whole.
    std::vector<char> buffer(kTextBufferSize);
    for (;;) {
        const int length = ReadCellText(m_Wnd, index, subItem, buffer);
        if (length < static_cast<int>(buffer.size()) - 4 || buffer.size() >= (1u << 30)) {
            text.assign(buffer.data(), static_cast<size_t>(length));
            return 1;
        }
        buffer.resize(buffer.size() * 2);
    }
}

int CListView::DeleteItem(int index) const
{
    if (index < 0 || GetItemCount() == 0)
        return 0;
    const int deleted = static_cast<int>(Send(LVM_DELETEITEM, static_cast<WPARAM>(index)));
    if (!deleted)
        return deleted;
    Redraw(true);
    Select(index == 0 ? 0 : index - 1);
    return deleted;
}

bool CListView::SwapItems(int a, int b) const
{
    const int count = GetItemCount();
    if (a < 0 || b < 0 || a == b || a >= count || b >= count)
        return false;

    CRow rows[2];
    const int indexes[2] = {a, b};
    for (int i = 0; i < 2; ++i) {
        LVITEMA& item = rows[i].item;
        item = LVITEMA();
        item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
        item.iItem = indexes[i];
        item.stateMask = kAllStates;
        if (!Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
            return false;
        GetFullItemText(indexes[i], 0, rows[i].text);
        rows[i].check = GetCheck(indexes[i]);
    }

    for (int i = 0; i < 2; ++i) {
        LVITEMA item = rows[1 - i].item;
        item.mask |= LVIF_TEXT;
        item.iItem = indexes[i];
        item.iSubItem = 0;
        item.pszText = const_cast<char*>(rows[1 - i].text.c_str());
        item.stateMask = kAllStates;
        Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    // The state image came along with the states; a row with a check box is
    // set again explicitly, a row without one keeps having none.
    for (int i = 0; i < 2; ++i) {
        if (rows[1 - i].check >= 0)
            SetCheck(indexes[i], rows[1 - i].check);
    }

    for (int subItem = 1; subItem < m_ColumnCount; ++subItem) {
        std::string textA;
        std::string textB;
        GetFullItemText(a, subItem, textA);
        GetFullItemText(b, subItem, textB);
        SetItemText(a, subItem, textB.c_str());
        SetItemText(b, subItem, textA.c_str());
    }
    return true;
}

bool CListView::MoveSelectedUp() const
{
    const int selected = GetSelected();
    if (selected <= 0)
        return false;
    SwapItems(selected, selected - 1);
    Select(selected - 1);
    return true;
}

bool CListView::MoveSelectedDown() const
{
    const int selected = GetSelected();
    const int last = GetItemCount() - 1;
    if (selected < 0 || selected >= last)
        return false;
    SwapItems(selected, selected + 1);
    Select(selected + 1);
    return true;
}
