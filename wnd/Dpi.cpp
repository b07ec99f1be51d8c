#include "wnd/Dpi.h"

#include <vector>

namespace
{

// The format of a top-down 32-bit bitmap, 0x00RRGGBB per pixel.
BITMAPINFO TopDownFormat(int width, int height)
{
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return format;
}

using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
using GetDpiForSystemProc = UINT(WINAPI*)();

// A function of user32 that older systems lack, or null.
template <typename Proc>
Proc User32Proc(const char* name)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    FARPROC proc = user32 != nullptr ? GetProcAddress(user32, name) : nullptr;
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(proc));
}

UINT ScreenDpi(HWND window)
{
    HDC dc = GetDC(window);
    if (dc == nullptr)
        return kBaseDpi;
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

// The pixels of a bitmap as 0x00RRGGBB, rows from the top. Empty on failure.
std::vector<DWORD> ReadPixels(HBITMAP bitmap, int& width, int& height)
{
    std::vector<DWORD> pixels;
    BITMAP info = {};
    if (!GetObjectA(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return pixels;
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO format = TopDownFormat(width, height);
    pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &format,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != height)
        pixels.clear();
    for (DWORD& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

// A top-down 32-bit bitmap holding `pixels` (0x00RRGGBB).
HBITMAP MakeBitmap(const std::vector<DWORD>& pixels, int width, int height)
{
    BITMAPINFO format = TopDownFormat(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr && bits != nullptr) {
        CopyMemory(bits, pixels.data(), pixels.size() * sizeof(DWORD));
        GdiFlush();
    }
    return bitmap;
}

DWORD ToPixel(COLORREF colour)
{
    return (static_cast<DWORD>(GetRValue(colour)) << 16) |
           (static_cast<DWORD>(GetGValue(colour)) << 8) | GetBValue(colour);
}

// Each target pixel looks at 4 x 4 points of its area in the source image.
// When at least half of them are drawn it becomes their average, else
// transparent: edges stay free of the grey the images are drawn on, which
// an image list's mask would not remove.
std::vector<DWORD> Resample(const std::vector<DWORD>& source, int sourceWidth, int sourceSize,
                            int count, int size, DWORD transparent)
{
    const int kSamples = 4;
    std::vector<DWORD> target(static_cast<size_t>(count) * size * size, transparent);
    const int targetWidth = count * size;
    for (int image = 0; image < count; ++image) {
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                unsigned red = 0, green = 0, blue = 0, drawn = 0;
                for (int j = 0; j < kSamples; ++j) {
                    const int sy =
                        ((y * kSamples + j) * 2 + 1) * sourceSize / (size * kSamples * 2);
                    for (int i = 0; i < kSamples; ++i) {
                        const int sx =
                            ((x * kSamples + i) * 2 + 1) * sourceSize / (size * kSamples * 2);
                        const DWORD pixel =
                            source[static_cast<size_t>(sy) * sourceWidth + image * sourceSize + sx];
                        if (pixel == transparent)
                            continue;
                        red += (pixel >> 16) & 0xFF;
                        green += (pixel >> 8) & 0xFF;
                        blue += pixel & 0xFF;
                        ++drawn;
                    }
                }
                if (drawn * 2 < kSamples * kSamples)
                    continue;
                DWORD pixel = ((red / drawn) << 16) | ((green / drawn) << 8) | (blue / drawn);
                if (pixel == transparent)
                    pixel ^= 1;  // an average that happens to be the mask colour stays visible
                target[static_cast<size_t>(y) * targetWidth + image * size + x] = pixel;
            }
        }
    }
    return target;
}

}  // namespace

UINT GetWindowDpi(HWND window)
{
    static const auto getDpiForWindow = User32Proc<GetDpiForWindowProc>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0)
            return dpi;
    }
    return ScreenDpi(window);
}

UINT GetSystemDpi()
{
    static const auto getDpiForSystem = User32Proc<GetDpiForSystemProc>("GetDpiForSystem");
    if (getDpiForSystem != nullptr) {
        const UINT dpi = getDpiForSystem();
        if (dpi > 0)
            return dpi;
    }
    return ScreenDpi(nullptr);
}

// Through the "W" calls: the face name of the "A" ones is in the system code
// page, which is not the process's.
HFONT CreateUiFont(UINT dpi)
{
    LOGFONTW font = {};
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0))
        return nullptr;
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(GetSystemDpi()));
    return CreateFontIndirectW(&font);
}

HBITMAP LoadImageStrip(UINT smallId, UINT largeId, int count, int size, COLORREF transparent)
{
    if (count <= 0 || size <= 0)
        return nullptr;
    const bool small = size <= 16;
    const int sourceSize = small ? 16 : 32;
    HBITMAP source = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                     MAKEINTRESOURCEA(small ? smallId : largeId),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (source == nullptr)
        return nullptr;
    int width = 0, height = 0;
    const std::vector<DWORD> pixels = ReadPixels(source, width, height);
    DeleteObject(source);
    if (pixels.empty() || height != sourceSize || width < count * sourceSize)
        return nullptr;
    if (size == sourceSize && width == count * sourceSize)
        return MakeBitmap(pixels, width, height);
    return MakeBitmap(Resample(pixels, width, sourceSize, count, size, ToPixel(transparent)),
                      count * size, size);
}
