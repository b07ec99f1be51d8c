// Fuzz target for scenarios as plain text: arbitrary bytes decoded in the
// detected encoding and in each given one, read into a scenario that already
// holds data, exported and read back. A crash, sanitizer report, leak or
// hang is a finding, and so is a line that still holds a line end or a NUL,
// or an exported text that is not UTF-8 with CR LF line ends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "scenario/TextScript.h"

namespace
{

// A small stand-in for code page 932: U+3041..U+307E as 0x83 0x41..0x7E.
class CToyCodec : public IShiftJisCodec
{
public:
    bool Encode(char32_t codePoint, std::string& bytes) const override
    {
        if (codePoint < 0x3041 || codePoint > 0x307E)
            return false;
        bytes = {'\x83', static_cast<char>(codePoint - 0x3000)};
        return true;
    }
    char32_t Decode(const std::string& character) const override
    {
        if (character.size() == 2 && character[0] == '\x83' && character[1] >= 0x41 &&
            character[1] <= 0x7E)
            return 0x3000 + static_cast<char32_t>(character[1]);
        return 0xFFFD;
    }
};

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void Read(const CTextLines& lines, CScript& script)
{
    Check(lines.m_Unmapped.size() <= CTextLines::kReportedUnmapped);
    Check(static_cast<int64_t>(lines.m_Unmapped.size()) <= lines.m_UnmappedCount);
    for (const std::string& line : lines.m_Lines)
        Check(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
    const CTextScript text = ParseTextScript(lines.m_Lines, script.GetCasts());
    const int32_t before = script.GetSerifCount();
    ApplyTextScript(text, before / 2, script);
    Check(script.GetSerifCount() == before + static_cast<int32_t>(text.m_Serifs.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const CToyCodec codec;
    CScript script;
    script.AddCast(CCast(3, "cast"));
    script.AddSerif(CSerif(3, "serif"));
    Read(DecodeTextLines(bytes, codec), script);
    for (ETextEncoding encoding : {ETextEncoding::ShiftJis, ETextEncoding::Utf8,
                                   ETextEncoding::Utf16Le, ETextEncoding::Utf16Be})
        Read(DecodeTextLines(bytes, encoding, codec), script);

    const std::string exported = ExportTextScript(script, codec);
    Check(exported.compare(0, 3, "\xEF\xBB\xBF") == 0);
    for (size_t at = exported.find('\n'); at != std::string::npos; at = exported.find('\n', at + 1))
        Check(exported[at - 1] == '\r');
    CScript back;
    Read(DecodeTextLines(exported, codec), back);
    Check(DetectTextEncoding(exported) == ETextEncoding::Utf8);
    return 0;
}
