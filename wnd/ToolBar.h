// CToolBar: the toolbar, built from a button table and one bitmap strip,
// with a tooltip per button.
//
// Create keeps the new toolbar's handle without binding it: the toolbar is
// not subclassed and its messages never reach WindowProc. The toolbar is a
// child of its parent window and ends with it; the tooltip windows made by
// AddTooltip are owned by that parent and end with it too. The object owns
// the button image list made by SetImageList, which must outlive the
// toolbar's use of it (the toolbar only borrows it). Tip texts are string
// resources (UTF-8).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "wnd/ImageList.h"
#include "wnd/WndBase.h"

class CToolBar : public CWndBaseEx
{
public:
    // CreateToolbarEx with the program's module handle, system button size,
    // 16 x 15 bitmaps of resource `bitmapId` and the button table. 0 without
    // creating anything while the object has a live toolbar; 0 when creation
    // fails; else 1.
    int Create(HWND parent, DWORD style, UINT controlId, int bitmapCount, UINT bitmapId,
               const TBBUTTON* buttons, int buttonCount);

    // Makes the button image list (ILC_COLOR32 | ILC_MASK) from the bitmap
    // resource, masked with the colour, and gives it to the toolbar. Returns
    // the TB_SETIMAGELIST result; 0 without changing anything when there is
    // no toolbar, the bitmap cannot be loaded or the list cannot be made.
    LRESULT SetImageList(UINT bitmapId, int imageWidth, int imageHeight, int initialCount,
                         COLORREF maskColour);
    // The same from a bitmap, which stays the caller's; the toolbar's bitmap
    // size becomes the image size and its buttons that size and the padding,
    // so that they follow images of another size (another DPI).
    LRESULT SetImageList(HBITMAP bitmap, int imageWidth, int imageHeight, int initialCount,
                         COLORREF maskColour);

    int GetButtonCount() const;

    // TB_CHECKBUTTON by command id.
    LRESULT CheckButton(UINT commandId, bool check) const;

    // Makes a tooltip window for button `index` that shows string resource
    // `stringId` over the button's rectangle, and makes it the toolbar's
    // tooltip. Nothing when the index is not a button's. Whether the tip was
    // added (a tooltip window that refused the tool is destroyed again).
    bool AddTooltip(int index, UINT stringId);
    // Moves every tip made by AddTooltip to its button's rectangle again,
    // after the buttons changed size.
    void UpdateTooltipRects() const;

    const CImageList& GetImageList() const { return m_Images; }

private:
    LRESULT TakeImages(HBITMAP bitmap, int imageWidth, int imageHeight, int initialCount,
                       COLORREF maskColour, bool setBitmapSize);

    CImageList m_Images;  // the button images
    CImageList m_Spare;   // kept for a disabled or hot image strip; unused
    struct CTip
    {
        HWND m_Window;  // owned by the toolbar's parent
        int m_Index;
        UINT m_StringId;
    };
    std::vector<CTip> m_Tips;
};
