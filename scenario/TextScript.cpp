#include "scenario/TextScript.h"

#include "text/CodePage932.h"
#include "text/Utf8.h"

namespace
{

const char kOpenQuote[] = "「";
const char kCloseQuote[] = "」";
const char kWideColon[] = "：";
const size_t kMaxNameWidth = 32;
const char32_t kReplacement = 0xFFFD;
const char32_t kByteOrderMark = 0xFEFF;

// The texts are valid UTF-8 (they were decoded here), where a search for a
// character can only find that character.

bool EndsWith(const std::string& text, const char* suffix)
{
    const size_t length = std::char_traits<char>::length(suffix);
    return text.size() >= length && text.compare(text.size() - length, length, suffix) == 0;
}

// The first ":" or "："; npos when none. `length` is its byte count.
size_t FindColon(const std::string& text, size_t& length)
{
    const size_t ascii = text.find(':');
    const size_t wide = text.find(kWideColon);
    if (wide < ascii) {
        length = sizeof kWideColon - 1;
        return wide;
    }
    length = 1;
    return ascii;
}

bool Contains(const std::string& text, const char* character)
{
    return text.find(character) != std::string::npos;
}

// ASCII spaces only.
std::string TrimSpaces(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// --- decoding -------------------------------------------------------------

// Builds the lines, one code point at a time.
class CLineBuilder
{
public:
    explicit CLineBuilder(CTextLines& out) : m_Out(out) {}

    void Add(char32_t codePoint)
    {
        const bool afterCr = m_AfterCr;
        m_AfterCr = codePoint == '\r';
        if (codePoint == '\r' || codePoint == '\n') {
            if (!(codePoint == '\n' && afterCr))
                EndLine();
            return;
        }
        // A NUL would end the text in the scenario file.
        AppendUtf8(m_Line, codePoint == 0 ? kReplacement : codePoint);
    }

    void Finish()
    {
        if (!m_Line.empty())
            EndLine();
    }

private:
    void EndLine()
    {
        m_Out.m_Lines.push_back(std::move(m_Line));
        m_Line.clear();
    }

    CTextLines& m_Out;
    std::string m_Line;
    bool m_AfterCr = false;
};

bool StartsWith(const std::string& bytes, const char* prefix)
{
    return bytes.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// --- export ---------------------------------------------------------------

// One text line followed by CR LF; a line feed inside it (alone or after
// CR) becomes CR LF as well.
void AppendLine(std::string& out, const std::string& line)
{
    for (size_t at = 0; at < line.size(); ++at) {
        if (line[at] == '\r' && at + 1 < line.size() && line[at + 1] == '\n')
            continue;  // the LF writes the pair
        if (line[at] == '\n')
            out += "\r\n";
        else
            out += line[at];
    }
    out += "\r\n";
}

}  // namespace

ETextEncoding DetectTextEncoding(const std::string& bytes)
{
    if (StartsWith(bytes, "\xEF\xBB\xBF"))
        return ETextEncoding::Utf8;
    if (StartsWith(bytes, "\xFF\xFE"))
        return ETextEncoding::Utf16Le;
    if (StartsWith(bytes, "\xFE\xFF"))
        return ETextEncoding::Utf16Be;
    bool nonAscii = false;
    for (size_t at = 0; at < bytes.size();) {
        char32_t codePoint = 0;
        size_t length = 0;
        if (!DecodeUtf8(bytes, at, codePoint, length))
            return ETextEncoding::ShiftJis;
        nonAscii = nonAscii || codePoint >= 0x80;
        at += length;
    }
    return nonAscii ? ETextEncoding::Utf8 : ETextEncoding::ShiftJis;
}

CTextLines DecodeTextLines(const std::string& bytes)
{
    return DecodeTextLines(bytes, DetectTextEncoding(bytes));
}

CTextLines DecodeTextLines(const std::string& bytes, ETextEncoding encoding)
{
    CTextLines out;
    out.m_Encoding = encoding;
    CLineBuilder builder(out);
    bool first = true;
    // The byte order mark of a Unicode encoding is no text.
    auto add = [&builder, &first](char32_t codePoint) {
        if (!(first && codePoint == kByteOrderMark))
            builder.Add(codePoint);
        first = false;
    };
    switch (encoding) {
    case ETextEncoding::ShiftJis:
        for (size_t at = 0; at < bytes.size();) {
            char32_t codePoint = 0;
            size_t length = 0;
            if (!DecodeCodePage932(bytes, at, codePoint, length))
                codePoint = kReplacement;
            builder.Add(codePoint);
            at += length;
        }
        break;
    case ETextEncoding::Utf8:
        for (size_t at = 0; at < bytes.size();) {
            char32_t codePoint = 0;
            size_t length = 0;
            DecodeUtf8(bytes, at, codePoint, length);  // U+FFFD for a bad byte
            add(codePoint);
            at += length;
        }
        break;
    case ETextEncoding::Utf16Le:
    case ETextEncoding::Utf16Be: {
        const size_t high = encoding == ETextEncoding::Utf16Le ? 1 : 0;
        auto unit = [&bytes, high](size_t at) {
            return static_cast<char32_t>(static_cast<unsigned char>(bytes[at + high]) << 8 |
                                         static_cast<unsigned char>(bytes[at + 1 - high]));
        };
        size_t at = 0;
        for (; at + 1 < bytes.size(); at += 2) {
            char32_t codePoint = unit(at);
            if (codePoint >= 0xD800 && codePoint <= 0xDBFF && at + 3 < bytes.size() &&
                unit(at + 2) >= 0xDC00 && unit(at + 2) <= 0xDFFF) {
                codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (unit(at + 2) - 0xDC00);
                at += 2;
            } else if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
                codePoint = kReplacement;
            }
            add(codePoint);
        }
        if (at < bytes.size())
            add(kReplacement);  // half a code unit at the end
        break;
    }
    }
    builder.Finish();
    return out;
}

namespace
{

// The name before a 「」 or colon form, trimmed; empty when it breaks the
// rules.
std::string NameOf(const std::string& text)
{
    const std::string name = TrimSpaces(text);
    size_t colon = 0;
    if (TextWidth(name) > kMaxNameWidth || FindColon(name, colon) != std::string::npos ||
        Contains(name, kOpenQuote))
        return std::string();
    return name;
}

// Splits a line into name and serif by the first form that fits; false for
// a stage direction.
bool SplitNamedLine(const std::string& line, std::string& name, std::string& serif)
{
    const size_t open = line.find(kOpenQuote);
    if (open != std::string::npos) {
        const std::string trimmed = line.substr(0, line.find_last_not_of(' ') + 1);
        const size_t close = trimmed.size() - (sizeof kCloseQuote - 1);
        if (EndsWith(trimmed, kCloseQuote) && close >= open + sizeof kOpenQuote - 1) {
            name = NameOf(line.substr(0, open));
            if (!name.empty()) {
                const size_t begin = open + sizeof kOpenQuote - 1;
                serif = trimmed.substr(begin, close - begin);
                return true;
            }
        }
    }
    size_t colonLength = 0;
    const size_t colon = FindColon(line, colonLength);
    if (colon != std::string::npos) {
        name = NameOf(line.substr(0, colon));
        if (!name.empty()) {
            size_t begin = colon + colonLength;
            if (begin < line.size() && line[begin] == ' ')
                ++begin;
            serif = line.substr(begin);
            return true;
        }
    }
    return false;
}

void AddMemoLine(std::string& memo, bool& started, const std::string& line)
{
    if (started)
        memo += '\n';
    memo += line;
    started = true;
}

}  // namespace

CTextScript ParseTextScript(const std::vector<std::string>& lines, const std::vector<CCast>& casts)
{
    CTextScript out;
    std::vector<CCast> known = casts;
    bool scriptMemoStarted = false;
    bool serifMemoStarted = false;
    for (const std::string& line : lines) {
        if (line.find_first_not_of(' ') == std::string::npos)
            continue;
        if (line[0] == '#') {
            const std::string memo = line.substr(line.size() > 1 && line[1] == ' ' ? 2 : 1);
            if (out.m_Serifs.empty())
                AddMemoLine(out.m_ScriptMemo, scriptMemoStarted, memo);
            else
                AddMemoLine(out.m_Serifs.back().m_Memo, serifMemoStarted, memo);
            continue;
        }
        serifMemoStarted = false;
        std::string name;
        std::string text;
        if (!SplitNamedLine(line, name, text)) {
            out.m_Serifs.emplace_back(-1, line);
            continue;
        }
        int32_t id = -1;
        for (const CCast& cast : known) {
            if (cast.m_Name == name) {
                id = cast.m_Id;
                break;
            }
        }
        if (id < 0) {
            id = CScript::NextCastId(known);
            known.emplace_back(id, name);
            out.m_NewCasts.emplace_back(id, name);
        }
        out.m_Serifs.emplace_back(id, text);
    }
    return out;
}

void ApplyTextScript(const CTextScript& text, int32_t row, CScript& script)
{
    for (const CCast& cast : text.m_NewCasts)
        script.AddCast(cast);
    if (row < 0 || row > script.GetSerifCount())
        row = script.GetSerifCount();
    script.InsertSerifs(row, text.m_Serifs);
    if (!text.m_ScriptMemo.empty()) {
        std::string memo = script.GetMemo();
        if (!memo.empty())
            memo += '\n';
        script.SetMemo(memo + text.m_ScriptMemo);
    }
}

std::string ExportTextScript(const CScript& script)
{
    std::string out = "\xEF\xBB\xBF";
    for (const CSerif& serif : script.GetSerifs()) {
        const std::string name = script.FindCastName(serif.m_CastId);
        if (name.empty())
            AppendLine(out, serif.m_Text);
        else if (Contains(serif.m_Text, kOpenQuote) || Contains(serif.m_Text, kCloseQuote))
            AppendLine(out, name + ": " + serif.m_Text);
        else
            AppendLine(out, name + kOpenQuote + serif.m_Text + kCloseQuote);
        if (serif.m_Memo.empty())
            continue;
        for (size_t begin = 0;;) {
            size_t end = serif.m_Memo.find('\n', begin);
            std::string line = serif.m_Memo.substr(begin, end - begin);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            AppendLine(out, "# " + line);
            if (end == std::string::npos)
                break;
            begin = end + 1;
        }
    }
    return out;
}
