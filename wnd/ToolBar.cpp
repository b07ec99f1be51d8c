#include "wnd/ToolBar.h"

int CToolBar::Create(HWND parent, DWORD style, UINT controlId, int bitmapCount, UINT bitmapId,
                     const TBBUTTON* buttons, int buttonCount)
{
    // The toolbar is not bound, so nothing clears the handle when it dies
    // with its parent: a dead handle does not count as a toolbar.
    if (m_Wnd && IsWindow(m_Wnd))
        return 0;
    m_Wnd = nullptr;
    HWND hWnd = CreateToolbarEx(parent, style, controlId, bitmapCount, GetModuleHandleA(nullptr),
                                bitmapId, buttons, buttonCount, 0, 0, 16, 15, sizeof(TBBUTTON));
    if (!hWnd)
        return 0;
    m_Wnd = hWnd;
    return 1;
}

LRESULT CToolBar::SetImageList(UINT bitmapId, int imageWidth, int imageHeight, int initialCount,
                               COLORREF maskColour)
{
    if (!m_Wnd)
        return 0;
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId));
    if (!bitmap)
        return 0;
    LRESULT result = 0;
    if (m_Images.Create(imageWidth, imageHeight, initialCount, ILC_COLOR32 | ILC_MASK)) {
        m_Images.AddMasked(bitmap, maskColour);
        result = Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_Images.GetHandle()));
    }
    // The list keeps copies of the images.
    DeleteObject(bitmap);
    return result;
}

int CToolBar::GetButtonCount() const
{
    return static_cast<int>(Send(TB_BUTTONCOUNT));
}

LRESULT CToolBar::CheckButton(UINT commandId, bool check) const
{
    return Send(TB_CHECKBUTTON, commandId, MAKELPARAM(check ? TRUE : FALSE, 0));
}

bool CToolBar::AddTooltip(int index, UINT stringId)
{
    if (!m_Wnd || index < 0 || index >= GetButtonCount())
        return false;
    HINSTANCE module = GetModuleHandleA(nullptr);
    HWND tip =
        CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, GetParent(m_Wnd), nullptr, module, nullptr);
    if (!tip)
        return false;

    TOOLINFOA info = {};
    // The size without the members that comctl32 6.0 added: older tooltips
    // refuse a larger structure, newer ones take this one.
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = m_Wnd;
    info.uId = stringId;
    Send(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info.rect));
    info.hinst = module;
    info.lpszText = MAKEINTRESOURCEA(stringId);
    if (!SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info))) {
        DestroyWindow(tip);
        return false;
    }
    Send(TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(tip), 0);
    return true;
}
