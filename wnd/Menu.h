// CMenu: holder of a menu handle (the menu bar, a context menu, menus built
// at run time).
//
// The holder owns the menu it holds: CreateMenu, Destroy and the destructor
// destroy it. SetHandle takes a handle without destroying the one held
// before; a menu bar taken with SetHandle(GetMenu(...)) is destroyed with its
// window, so take it back (SetHandle(nullptr)) if the holder outlives the
// window. Popups inserted into a menu belong to that menu. Texts are
// UTF-8.
#pragma once

#include <windows.h>

class CMenu
{
public:
    CMenu() : m_HMenu(nullptr) {}
    virtual ~CMenu();

    HMENU GetHandle() const { return m_HMenu; }
    void SetHandle(HMENU menu) { m_HMenu = menu; }

    // Destroys the held menu, then makes an empty menu bar. Whether one was
    // made.
    bool CreateMenu();

    // Destroys the held menu, if any. Always 1.
    int Destroy();

    // Shows the held menu's sub-menu `position` as a popup at the screen
    // point (x, y) for `owner` (TrackPopupMenuEx with `flags`). The call's
    // result (the command with TPM_RETURNCMD); 0 when there is no such
    // sub-menu.
    BOOL TrackPopup(HWND owner, int position, int x, int y, UINT flags) const;

    // Checks or unchecks the item with the command id (sub-menus included).
    void Check(UINT commandId, bool check) const;

    // Enables or greys the item with the command id (sub-menus included).
    void Enable(UINT commandId, bool enable) const;

    // True when the item with the command id exists and is checked.
    bool IsChecked(UINT commandId) const;

    // Inserts a new empty popup as a string item at `position` of `menu` (the
    // held menu when null). The result of InsertMenuItemA; a popup that could
    // not be inserted is destroyed again.
    BOOL InsertPopup(const char* text, UINT position, HMENU menu = nullptr);

    // Inserts an enabled, unchecked string item with the command id into
    // `menu`, or into the held menu's first sub-menu when null, before the
    // item at `position` (an index when byPosition, else a command id). The
    // result of InsertMenuItemA; FALSE when there is no such menu.
    BOOL InsertItem(const char* text, UINT commandId, UINT position, bool byPosition,
                    HMENU menu = nullptr);

    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

private:
    HMENU m_HMenu;
};
