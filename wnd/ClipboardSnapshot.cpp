#include "wnd/ClipboardSnapshot.h"

#include <cstring>

#include "wnd/Clipboard.h"

namespace
{

bool IsMemoryFormat(UINT format)
{
    switch (format) {
    case CF_TEXT:
    case CF_OEMTEXT:
    case CF_UNICODETEXT:
    case CF_LOCALE:
    case CF_HDROP:
    case CF_DIB:
    case CF_DIBV5:
    case CF_SYLK:
    case CF_DIF:
    case CF_TIFF:
    case CF_RIFF:
    case CF_WAVE:
        return true;
    default:
        // Registered formats are global memory by convention.
        return format >= 0xC000 && format <= 0xFFFF;
    }
}

bool CopyOut(HANDLE data, std::string& bytes)
{
    const SIZE_T size = GlobalSize(data);
    const void* source = size ? GlobalLock(data) : nullptr;
    if (!source)
        return false;
    bytes.assign(static_cast<const char*>(source), size);
    GlobalUnlock(data);
    return true;
}

HGLOBAL CopyIn(const std::string& bytes)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory)
        return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory);
    return memory;
}

}  // namespace

bool CClipboardSnapshot::Take(const CClipboard& clipboard)
{
    m_Formats.clear();
    COpenClipboard open(clipboard);
    if (!open.IsOpen())
        return false;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        if (!IsMemoryFormat(format))
            continue;
        HANDLE data = GetClipboardData(format);
        std::string bytes;
        if (data && CopyOut(data, bytes))
            m_Formats.emplace_back(format, std::move(bytes));
    }
    return true;
}

bool CClipboardSnapshot::RestoreIf(const CClipboard& clipboard, DWORD sequence) const
{
    COpenClipboard open(clipboard);
    if (!open.IsOpen() || GetClipboardSequenceNumber() != sequence)
        return false;
    EmptyClipboard();
    for (const auto& entry : m_Formats) {
        HGLOBAL memory = CopyIn(entry.second);
        if (memory && !SetClipboardData(entry.first, memory))
            GlobalFree(memory);
    }
    return true;
}
