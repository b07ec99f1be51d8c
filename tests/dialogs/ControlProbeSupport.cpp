#include "ControlProbe.h"

#include <commctrl.h>

#include <vector>

namespace Probe
{
int RowCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string RowText(HWND list, int row, int column)
{
    // Grows the buffer until the text fits: cast names have no length limit.
    for (size_t size = 256;; size *= 4) {
        std::vector<char> buffer(size, '\0');
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        const LRESULT length =
            SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        if (static_cast<size_t>(length) + 1 < size || size > (1u << 20))
            return std::string(buffer.data(), static_cast<size_t>(length));
    }
}

LPARAM RowData(HWND list, int row)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

int SelectedRow(HWND list)
{
    return static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int FindRow(HWND list, const std::string& text)
{
    const int count = RowCount(list);
    for (int row = 0; row < count; ++row) {
        if (RowText(list, row, 0) == text)
            return row;
    }
    return -1;
}

void SelectRow(HWND list, int row)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    if (row < 0)
        return;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

std::string SelectedItem(HWND combo)
{
    const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return std::string();
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

int ItemCount(HWND combo)
{
    return static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
}

bool SelectItem(HWND combo, const std::string& text)
{
    const int count = ItemCount(combo);
    for (int i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, i, 0);
        std::string item(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&item[0]));
        item.resize(static_cast<size_t>(length));
        if (item == text) {
            SendMessageA(combo, CB_SETCURSEL, i, 0);
            return true;
        }
    }
    return false;
}

void SetCheck(HWND button, bool checked)
{
    SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
}  // namespace Probe
