// COptionHotkey: the paste hotkey and its key wait, stored in the option
// file as <HotKey HotKey="0077" KeyWait="100"/>. Plain data read and written
// directly by the main window and the option sheet.
#pragma once

#include "persist/XMLBase.h"

#include <cstdint>

namespace Tessel
{
class Element;
class NodeContainer;
}  // namespace Tessel

class COptionHotkey : public IXMLBase
{
public:
    ~COptionHotkey() override = default;

    // Appends the "HotKey" element to `parent`.
    void Write(Tessel::NodeContainer& parent) const;
    // Reads HotKey (hex, low 16 bits kept) and then KeyWait, each field
    // assigned as soon as it has been read; false (nothing changed) for an
    // element of another name. No range checks. A missing attribute throws
    // the library's not-found exception.
    bool Read(const Tessel::Element& element);

    // Low byte: virtual-key code; high byte: hotkey-control modifier flags
    // (HOTKEYF_SHIFT 0x01, HOTKEYF_CONTROL 0x02, HOTKEYF_ALT 0x04,
    // HOTKEYF_EXT 0x08). 0x0077 is F8 alone.
    uint16_t m_HotKey = 0x0077;
    // Milliseconds Ctrl+V is held, and the least spacing of two accepted
    // presses (10..10000 from the sheet; anything from the file).
    int32_t m_KeyWait = 100;
};
