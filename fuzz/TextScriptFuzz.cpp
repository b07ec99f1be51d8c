// Fuzz target for scenarios as plain text: arbitrary bytes decoded in the
// detected encoding and in each given one, read into a scenario that already
// holds data, exported and read back. A crash, sanitizer report, leak or
// hang is a finding, and so is a line that still holds a line end or a NUL
// or is no valid UTF-8, or an exported text that is not UTF-8 with CR LF
// line ends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "scenario/TextScript.h"
#include "text/Utf8.h"

namespace
{

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void Read(const CTextLines& lines, CScript& script)
{
    for (const std::string& line : lines.m_Lines) {
        Check(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
        Check(IsValidUtf8(line));
    }
    const CTextScript text = ParseTextScript(lines.m_Lines, script.GetCasts());
    const int32_t before = script.GetSerifCount();
    ApplyTextScript(text, before / 2, script);
    Check(script.GetSerifCount() == before + static_cast<int32_t>(text.m_Serifs.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CScript script;
    script.AddCast(CCast(3, "cast"));
    script.AddSerif(CSerif(3, "serif"));
    Read(DecodeTextLines(bytes), script);
    for (ETextEncoding encoding : {ETextEncoding::ShiftJis, ETextEncoding::Utf8,
                                   ETextEncoding::Utf16Le, ETextEncoding::Utf16Be})
        Read(DecodeTextLines(bytes, encoding), script);

    const std::string exported = ExportTextScript(script);
    Check(exported.compare(0, 3, "\xEF\xBB\xBF") == 0);
    for (size_t at = exported.find('\n'); at != std::string::npos; at = exported.find('\n', at + 1))
        Check(exported[at - 1] == '\r');
    CScript back;
    Read(DecodeTextLines(exported), back);
    Check(DetectTextEncoding(exported) == ETextEncoding::Utf8);
    return 0;
}
