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
    const LRESULT result =
        TakeImages(bitmap, imageWidth, imageHeight, initialCount, maskColour, false);
    // The list keeps copies of the images.
    DeleteObject(bitmap);
    return result;
}

LRESULT CToolBar::SetImageList(HBITMAP bitmap, int imageWidth, int imageHeight, int initialCount,
                               COLORREF maskColour)
{
    if (!m_Wnd || !bitmap)
        return 0;
    return TakeImages(bitmap, imageWidth, imageHeight, initialCount, maskColour, true);
}

LRESULT CToolBar::TakeImages(HBITMAP bitmap, int imageWidth, int imageHeight, int initialCount,
                             COLORREF maskColour, bool setBitmapSize)
{
    // The toolbar keeps using the old list until it has the new one; the old
    // one ends with `images`.
    CImageList images;
    if (!images.Create(imageWidth, imageHeight, initialCount, ILC_COLOR32 | ILC_MASK))
        return 0;
    images.AddMasked(bitmap, maskColour);
    if (setBitmapSize)
        Send(TB_SETBITMAPSIZE, 0, MAKELPARAM(imageWidth, imageHeight));
    const LRESULT result = Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.GetHandle()));
    m_Images.Swap(images);
    if (setBitmapSize) {
        // Buttons grow with larger images by themselves but never shrink.
        const DWORD padding = static_cast<DWORD>(Send(TB_GETPADDING));
        Send(TB_SETBUTTONSIZE, 0,
             MAKELPARAM(imageWidth + LOWORD(padding), imageHeight + HIWORD(padding)));
    }
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
    m_Tips.push_back(CTip{tip, index, stringId});
    return true;
}

void CToolBar::UpdateTooltipRects() const
{
    if (!m_Wnd)
        return;
    for (const CTip& tip : m_Tips) {
        if (!IsWindow(tip.m_Window))
            continue;
        TOOLINFOA info = {};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.hwnd = m_Wnd;
        info.uId = tip.m_StringId;
        Send(TB_GETITEMRECT, static_cast<WPARAM>(tip.m_Index),
             reinterpret_cast<LPARAM>(&info.rect));
        SendMessageA(tip.m_Window, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
    }
}
