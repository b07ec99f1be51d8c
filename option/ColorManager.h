// CColorManager: one named colour pair of the option file's colour table
// (the program uses "ActiveCast" for the active cast's rows). Plain copyable
// data; the name is UTF-8.
//
// Colours are COLORREF values, 0x00BBGGRR. ColorRef is the type COLORREF has
// on Windows (a DWORD), so a COLORREF& binds to the fields directly, while
// this header stays free of <windows.h>.
#pragma once

#include <cstdint>
#include <string>

#ifdef _WIN32
using ColorRef = unsigned long;
#else
using ColorRef = uint32_t;
#endif

namespace Tessel
{
class Element;
class NodeContainer;
}  // namespace Tessel

class CColorManager
{
public:
    static constexpr ColorRef kDefaultText = 0x000000;  // black
    static constexpr ColorRef kDefaultBack = 0xFFFFFF;  // white

    CColorManager() = default;
    CColorManager(const std::string& name, ColorRef text, ColorRef back)
        : m_Name(name), m_TextColor(text), m_BackColor(back)
    {}
    virtual ~CColorManager() = default;
    CColorManager(const CColorManager&) = default;
    CColorManager& operator=(const CColorManager&) = default;

    // Appends <Color Name=".." TextColor="rrggbb" BackColor="rrggbb"/> to
    // `parent`, with `name` as the Name (the table's key).
    void Write(Tessel::NodeContainer& parent, const std::string& name) const;
    // Reads Name, TextColor and BackColor, in this order, from a "Color"
    // element; false (nothing changed) for another element. A missing
    // attribute throws the library's not-found exception; the fields read
    // before it keep their new values.
    bool Read(const Tessel::Element& element);

    std::string m_Name;
    ColorRef m_TextColor = kDefaultText;
    ColorRef m_BackColor = kDefaultBack;
};

// The file's colour text: six lower-case hex digits red, green, blue
// ("ffcccc" for the COLORREF 0xCCCCFF), and back. Reading ignores digits
// above the six.
std::string ColorToText(ColorRef color);
ColorRef ColorFromText(const std::string& text);
