#include "appcore/PasteText.h"

#include "scenario/Script.h"
#include "text/Utf8.h"

#include <algorithm>
#include <cstring>

std::string FormatPasteLine(const std::string& format, const std::string& name,
                            const std::string& text)
{
    if (format.empty())
        return text;
    std::string line;
    line.reserve(format.size() + name.size() + text.size());
    for (size_t i = 0; i < format.size();) {
        if (format.compare(i, 2, "{{") == 0 || format.compare(i, 2, "}}") == 0) {
            line += format[i];
            i += 2;
        } else if (format.compare(i, 6, "{name}") == 0) {
            line += name;
            i += 6;
        } else if (format.compare(i, 6, "{text}") == 0) {
            line += text;
            i += 6;
        } else {
            line += format[i++];
        }
    }
    return line;
}

namespace
{

bool IsMarkup(char c)
{
    return c != 0 && std::strchr("\\*_~`|", c) != nullptr;
}

// The bytes of a line-start marker at `at`: a run of > or of # followed by
// a space, or "- "; 0 for none.
size_t LineMarker(const std::string& text, size_t at)
{
    const char c = text[at];
    if (c == '-')
        return text.compare(at, 2, "- ") == 0 ? 1 : 0;
    if (c != '>' && c != '#')
        return 0;
    size_t end = at;
    while (end < text.size() && text[end] == c)
        ++end;
    return end < text.size() && text[end] == ' ' ? end - at : 0;
}

}  // namespace

std::string EscapeChatMarkup(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    bool lineStart = true;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // Only ASCII bytes are looked at: they never occur inside a UTF-8
        // character.
        if (lineStart) {
            const size_t marker = LineMarker(text, i);
            if (marker > 0) {
                out += '\\';
                out.append(text, i, marker);
                i += marker - 1;
                lineStart = false;
                continue;
            }
        }
        if (IsMarkup(c))
            out += '\\';
        out += c;
        lineStart = c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'));
    }
    return out;
}

size_t CountCharacters(const std::string& text)
{
    size_t count = 0;
    for (size_t at = 0; at < text.size(); at += CodePointLength(text, at))
        ++count;
    return count;
}

std::string FormattedLineOfRow(const CScript& script, int32_t row)
{
    const CSerif& serif = script.GetSerif(row);
    if (serif.m_CastId >= 0) {
        for (const CCast& cast : script.GetCasts()) {
            if (cast.m_Id == serif.m_CastId)
                return FormatPasteLine(cast.m_Format, cast.m_Name, serif.m_Text);
        }
    }
    return FormatPasteLine(script.GetDirectionFormat(), std::string(), serif.m_Text);
}

CPressRows PressRowsOf(const std::vector<CSerif>& serifs, const std::vector<int32_t>& activeCasts)
{
    CPressRows press;
    press.m_Rows.reserve(serifs.size());
    if (activeCasts.empty()) {
        for (const CSerif& serif : serifs)
            press.m_Rows.push_back(serif.m_CastId);
        return press;
    }
    press.m_Active = 0;
    for (const CSerif& serif : serifs) {
        const bool active =
            std::find(activeCasts.begin(), activeCasts.end(), serif.m_CastId) != activeCasts.end();
        press.m_Rows.push_back(serif.m_CastId < 0 ? -1 : active ? 0 : 1);
    }
    return press;
}
