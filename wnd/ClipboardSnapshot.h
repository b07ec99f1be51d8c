// CClipboardSnapshot: a copy of what the clipboard holds, to put back after
// a paste has used the clipboard for its own text.
//
// Only formats whose data is global memory are copied, byte for byte: the
// text formats, CF_LOCALE, CF_HDROP, CF_DIB and CF_DIBV5, and registered
// formats (HTML, RTF and the like). Left out, because their data is a GDI or
// metafile handle that cannot be copied as bytes: CF_BITMAP, CF_PALETTE,
// CF_METAFILEPICT, CF_ENHMETAFILE, the CF_DSP... display formats,
// CF_OWNERDISPLAY and the private and GDI object ranges. A bitmap survives
// through CF_DIB, from which the system makes CF_BITMAP again.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

class CClipboard;

class CClipboardSnapshot
{
public:
    // Copies the clipboard's formats (opening it as `clipboard` does). False
    // when it could not be opened; an empty clipboard gives an empty
    // snapshot and true.
    bool Take(const CClipboard& clipboard);

    // Puts the copy back, but only while the clipboard's sequence number is
    // still `sequence` (nothing has changed it since): something the user
    // copied in the meantime is never overwritten. Whether it was put back.
    bool RestoreIf(const CClipboard& clipboard, DWORD sequence) const;

    bool IsEmpty() const { return m_Formats.empty(); }
    const std::vector<std::pair<UINT, std::string>>& GetFormats() const { return m_Formats; }

private:
    std::vector<std::pair<UINT, std::string>> m_Formats;
};
