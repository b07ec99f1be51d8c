#include "wnd/ComboBox.h"

#include <vector>

int CComboBox::Create(HWND parent, const char* text, DWORD style, DWORD exStyle, int x, int y,
                      int width, int height, int controlId)
{
    if (!CreateChild("COMBOBOX", text, style, exStyle, x, y, width, height, parent,
                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId))))
        return 0;
    SetDropDownHeight();
    return 1;
}

int CComboBox::FindString(const char* text, int startIndex, bool exact) const
{
    if (!text)
        return CB_ERR;
    return static_cast<int>(Send(exact ? CB_FINDSTRINGEXACT : CB_FINDSTRING, startIndex,
                                 reinterpret_cast<LPARAM>(text)));
}

const char* CComboBox::GetItemText(int index)
{
    m_Text.clear();
    if (!m_Wnd)
        return m_Text.c_str();
    // The UTF-16 length, which the box knows exactly: each unit is at most
    // three bytes of UTF-8. Room for a pointer too: an owner-drawn list
    // without strings copies its item data instead of a text.
    const LRESULT units = SendMessageW(m_Wnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (units == CB_ERR || units < 0)
        return m_Text.c_str();
    const LRESULT length = units * 3;
    std::vector<char> buffer(static_cast<size_t>(length) + 1 + sizeof(void*), '\0');
    const LRESULT copied = Send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
    if (copied == CB_ERR || copied < 0)
        return m_Text.c_str();
    m_Text.assign(buffer.data(), static_cast<size_t>(copied) <= static_cast<size_t>(length)
                                     ? static_cast<size_t>(copied)
                                     : static_cast<size_t>(length));
    return m_Text.c_str();
}

int CComboBox::SetDropDownHeight() const
{
    if (!m_Wnd)
        return 0;
    const LRESULT itemHeight = Send(CB_GETITEMHEIGHT, 0);
    if (itemHeight == CB_ERR || itemHeight <= 0)
        return 0;
    RECT rect;
    if (!GetWindowRect(m_Wnd, &rect))
        return 0;
    MapWindowPoints(nullptr, GetParent(m_Wnd), reinterpret_cast<POINT*>(&rect), 2);
    const int height = (rect.bottom - rect.top) + kDropDownItems * static_cast<int>(itemHeight) + 2;
    return MoveWindow(m_Wnd, rect.left, rect.top, rect.right - rect.left, height, TRUE);
}

int CComboBox::SetEditReadOnly(bool flag) const
{
    if (!m_Wnd)
        return 0;
    // The edit field is the one child of class "Edit"; a simple combo box
    // has its list as a child too.
    HWND edit = GetWindow(m_Wnd, GW_CHILD);
    for (; edit; edit = GetWindow(edit, GW_HWNDNEXT)) {
        char className[16] = {};
        GetClassNameA(edit, className, sizeof(className));
        if (lstrcmpiA(className, "Edit") == 0)
            break;
    }
    if (!edit)
        return 0;
    return static_cast<int>(SendMessageA(edit, EM_SETREADONLY, flag ? TRUE : FALSE, 0));
}
