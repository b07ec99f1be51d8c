// Screen resolution: the DPI a window is drawn at, sizes given at 96 DPI
// brought to it, the user-interface font for it and the toolbar images
// drawn for it.
//
// The program declares itself per-monitor aware (its manifest): the system
// no longer stretches its windows, so every size it sets in pixels is given
// at 96 DPI and scaled here. Calls that only newer systems have (Windows 10
// 1607 and later) are looked up at run time, so the program still starts on
// older ones, where the system DPI serves every window.
#pragma once

#include <windows.h>

// The DPI every pixel size in the program's code is meant for.
const UINT kBaseDpi = 96;

// The DPI `window` is drawn at: GetDpiForWindow where the system has it,
// else the screen's. 96 when neither can be read.
UINT GetWindowDpi(HWND window);

// `pixels` at 96 DPI, at `dpi` (rounded to the nearest pixel).
inline int ScaleToDpi(int pixels, UINT dpi)
{
    return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}

// The DPI of the system: what the system's fonts and metrics are made for.
UINT GetSystemDpi();

// The font list views use by default (the icon title font), made for `dpi`
// (the system's font scaled from the system DPI). The caller owns it
// (DeleteObject); null when it cannot be made.
HFONT CreateUiFont(UINT dpi);

// A strip of `count` square images `size` pixels wide, from bitmap
// resources holding the same strip drawn at 16 pixels (`smallId`) and at 32
// pixels (`largeId`). The 16-pixel drawing serves 16 pixels and less; any
// other size is resampled from the 32-pixel drawing. Pixels of
// `transparent` colour stay exactly that colour (a resampled pixel is
// either transparent or an average of drawn pixels), so the strip can be
// masked with it. The caller owns the bitmap (DeleteObject); null on
// failure.
HBITMAP LoadImageStrip(UINT smallId, UINT largeId, int count, int size, COLORREF transparent);
