#include "wnd/Menu.h"

CMenu::~CMenu()
{
    Destroy();
}

bool CMenu::CreateMenu()
{
    Destroy();
    m_HMenu = ::CreateMenu();
    return m_HMenu != nullptr;
}

int CMenu::Destroy()
{
    if (m_HMenu) {
        // A menu bar taken from a window is gone once the window is.
        if (IsMenu(m_HMenu))
            DestroyMenu(m_HMenu);
        m_HMenu = nullptr;
    }
    return 1;
}

BOOL CMenu::TrackPopup(HWND owner, int position, int x, int y, UINT flags) const
{
    HMENU popup = GetSubMenu(m_HMenu, position);
    if (!popup)
        return FALSE;
    return TrackPopupMenuEx(popup, flags, x, y, owner, nullptr);
}

void CMenu::Check(UINT commandId, bool check) const
{
    CheckMenuItem(m_HMenu, commandId, MF_BYCOMMAND | (check ? MF_CHECKED : MF_UNCHECKED));
}

void CMenu::Enable(UINT commandId, bool enable) const
{
    EnableMenuItem(m_HMenu, commandId, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

bool CMenu::IsChecked(UINT commandId) const
{
    // GetMenuState gives all bits set for an item that does not exist.
    const UINT state = GetMenuState(m_HMenu, commandId, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1))
        return false;
    return (state & MF_CHECKED) != 0;
}

BOOL CMenu::InsertPopup(const char* text, UINT position, HMENU menu)
{
    HMENU target = menu ? menu : m_HMenu;
    if (!target)
        return FALSE;
    HMENU popup = CreatePopupMenu();
    if (!popup)
        return FALSE;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU | MIIM_TYPE;
    info.fType = MFT_STRING;
    info.hSubMenu = popup;
    info.dwTypeData = const_cast<char*>(text ? text : "");
    const BOOL inserted = InsertMenuItemA(target, position, TRUE, &info);
    if (!inserted)
        DestroyMenu(popup);
    return inserted;
}

BOOL CMenu::InsertItem(const char* text, UINT commandId, UINT position, bool byPosition, HMENU menu)
{
    HMENU target = menu ? menu : GetSubMenu(m_HMenu, 0);
    if (!target)
        return FALSE;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
    info.fType = MFT_STRING;
    info.fState = 0;
    info.wID = static_cast<WORD>(commandId);
    info.dwTypeData = const_cast<char*>(text ? text : "");
    return InsertMenuItemA(target, position, byPosition ? TRUE : FALSE, &info);
}
