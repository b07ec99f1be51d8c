#include "scenario/TextScript.h"

namespace
{

const char kOpenQuote[] = "「";
const char kCloseQuote[] = "」";
const char kWideColon[] = "：";
const size_t kMaxNameBytes = 32;
const char32_t kReplacement = 0xFFFD;
const char32_t kByteOrderMark = 0xFEFF;

// --- Shift_JIS characters ----------------------------------------------

bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsTrailByte(unsigned char byte)
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// Bytes of the character at `at`: 2 for a lead byte with its trail byte,
// else 1 (a lead byte without a valid trail byte stands alone).
size_t CharLength(const std::string& text, size_t at)
{
    if (IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() &&
        IsTrailByte(static_cast<unsigned char>(text[at + 1])))
        return 2;
    return 1;
}

bool IsCharAt(const std::string& text, size_t at, const char* character)
{
    return text.compare(at, std::char_traits<char>::length(character), character) == 0 &&
           CharLength(text, at) == std::char_traits<char>::length(character);
}

// The first character `character` at or after `from`; npos when none.
size_t FindChar(const std::string& text, const char* character, size_t from = 0)
{
    for (size_t at = from; at < text.size(); at += CharLength(text, at)) {
        if (IsCharAt(text, at, character))
            return at;
    }
    return std::string::npos;
}

// The first ":" or "："; npos when none. `length` is its byte count.
size_t FindColon(const std::string& text, size_t& length)
{
    for (size_t at = 0; at < text.size(); at += CharLength(text, at)) {
        if (text[at] == ':' || IsCharAt(text, at, kWideColon)) {
            length = CharLength(text, at);
            return at;
        }
    }
    return std::string::npos;
}

// Start of the last character; npos for an empty text.
size_t LastCharStart(const std::string& text)
{
    size_t last = std::string::npos;
    for (size_t at = 0; at < text.size(); at += CharLength(text, at))
        last = at;
    return last;
}

bool Contains(const std::string& text, const char* character)
{
    return FindChar(text, character) != std::string::npos;
}

// ASCII spaces only (0x20 is never a trail byte).
std::string TrimSpaces(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// --- decoding -------------------------------------------------------------

// One UTF-8 sequence at `at`, strictly (no overlong forms, no surrogates,
// nothing above U+10FFFF). False for a byte that starts no valid sequence.
bool DecodeUtf8(const std::string& bytes, size_t at, char32_t& codePoint, size_t& length)
{
    const unsigned char first = static_cast<unsigned char>(bytes[at]);
    char32_t minimum = 0;
    if (first < 0x80) {
        codePoint = first;
        length = 1;
        return true;
    } else if (first >= 0xC2 && first <= 0xDF) {
        codePoint = first & 0x1F;
        length = 2;
        minimum = 0x80;
    } else if (first >= 0xE0 && first <= 0xEF) {
        codePoint = first & 0x0F;
        length = 3;
        minimum = 0x800;
    } else if (first >= 0xF0 && first <= 0xF4) {
        codePoint = first & 0x07;
        length = 4;
        minimum = 0x10000;
    } else {
        return false;
    }
    if (at + length > bytes.size())
        return false;
    for (size_t i = 1; i < length; ++i) {
        const unsigned char next = static_cast<unsigned char>(bytes[at + i]);
        if ((next & 0xC0) != 0x80)
            return false;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    return codePoint >= minimum && codePoint <= 0x10FFFF &&
           !(codePoint >= 0xD800 && codePoint <= 0xDFFF);
}

// Builds the Shift_JIS lines, one character at a time.
class CLineBuilder
{
public:
    CLineBuilder(const IShiftJisCodec& codec, CTextLines& out) : m_Codec(codec), m_Out(out) {}

    // A character of a Unicode encoding.
    void Add(char32_t codePoint)
    {
        if (TakeControl(codePoint))
            return;
        if (codePoint < 0x80) {
            m_Line += static_cast<char>(codePoint);
            return;
        }
        std::string bytes;
        if (codePoint != kReplacement && m_Codec.Encode(codePoint, bytes) && !bytes.empty())
            m_Line += bytes;
        else
            Unmapped(codePoint);
    }

    // A character of the program's own encoding, taken as it is (a lead
    // byte is never a control character).
    void AddShiftJis(const std::string& text, size_t at, size_t length)
    {
        if (!TakeControl(static_cast<unsigned char>(text[at])))
            m_Line.append(text, at, length);
    }

    void Finish()
    {
        if (!m_Line.empty())
            EndLine();
    }

private:
    // CR, LF and CR LF end the line; a NUL becomes an unmapped character (it
    // would end the line in the scenario file). True for these.
    bool TakeControl(char32_t codePoint)
    {
        const bool afterCr = m_AfterCr;
        m_AfterCr = codePoint == '\r';
        if (codePoint == '\r' || codePoint == '\n') {
            if (!(codePoint == '\n' && afterCr))
                EndLine();
            return true;
        }
        if (codePoint == 0) {
            Unmapped(0);
            return true;
        }
        return false;
    }

    void EndLine()
    {
        m_Out.m_Lines.push_back(std::move(m_Line));
        m_Line.clear();
    }

    void Unmapped(char32_t codePoint)
    {
        m_Line += '?';
        if (m_Out.m_Unmapped.size() < CTextLines::kReportedUnmapped) {
            CUnmappedChar place;
            place.m_Line = static_cast<int32_t>(m_Out.m_Lines.size() + 1);
            place.m_CodePoint = codePoint;
            m_Out.m_Unmapped.push_back(place);
        }
        ++m_Out.m_UnmappedCount;
    }

    const IShiftJisCodec& m_Codec;
    CTextLines& m_Out;
    std::string m_Line;
    bool m_AfterCr = false;
};

bool StartsWith(const std::string& bytes, const char* prefix)
{
    return bytes.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// --- export ---------------------------------------------------------------

void AppendUtf8(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// One text line in UTF-8, followed by CR LF; a line feed inside it (alone or
// after CR) becomes CR LF as well.
void AppendLine(std::string& out, const std::string& line, const IShiftJisCodec& codec)
{
    for (size_t at = 0; at < line.size();) {
        const size_t length = CharLength(line, at);
        const unsigned char byte = static_cast<unsigned char>(line[at]);
        if (byte == '\r' && at + 1 < line.size() && line[at + 1] == '\n') {
            ++at;  // the LF writes the pair
        } else if (byte == '\n') {
            out += "\r\n";
            ++at;
        } else if (length == 1 && byte < 0x80) {
            out += line[at++];
        } else {
            AppendUtf8(out, codec.Decode(line.substr(at, length)));
            at += length;
        }
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

CTextLines DecodeTextLines(const std::string& bytes, const IShiftJisCodec& codec)
{
    return DecodeTextLines(bytes, DetectTextEncoding(bytes), codec);
}

CTextLines DecodeTextLines(const std::string& bytes, ETextEncoding encoding,
                           const IShiftJisCodec& codec)
{
    CTextLines out;
    out.m_Encoding = encoding;
    CLineBuilder builder(codec, out);
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
            const size_t length = CharLength(bytes, at);
            builder.AddShiftJis(bytes, at, length);
            at += length;
        }
        break;
    case ETextEncoding::Utf8:
        for (size_t at = 0; at < bytes.size();) {
            char32_t codePoint = 0;
            size_t length = 0;
            if (!DecodeUtf8(bytes, at, codePoint, length)) {
                codePoint = kReplacement;
                length = 1;
            }
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
    if (name.size() > kMaxNameBytes || FindColon(name, colon) != std::string::npos ||
        Contains(name, kOpenQuote))
        return std::string();
    return name;
}

// Splits a line into name and serif by the first form that fits; false for
// a stage direction.
bool SplitNamedLine(const std::string& line, std::string& name, std::string& serif)
{
    const size_t open = FindChar(line, kOpenQuote);
    if (open != std::string::npos) {
        const std::string trimmed = line.substr(0, line.find_last_not_of(' ') + 1);
        const size_t close = LastCharStart(trimmed);
        if (close > open && IsCharAt(trimmed, close, kCloseQuote)) {
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

std::string ExportTextScript(const CScript& script, const IShiftJisCodec& codec)
{
    std::string out = "\xEF\xBB\xBF";
    for (const CSerif& serif : script.GetSerifs()) {
        const std::string name = script.FindCastName(serif.m_CastId);
        if (name.empty())
            AppendLine(out, serif.m_Text, codec);
        else if (Contains(serif.m_Text, kOpenQuote) || Contains(serif.m_Text, kCloseQuote))
            AppendLine(out, name + ": " + serif.m_Text, codec);
        else
            AppendLine(out, name + kOpenQuote + serif.m_Text + kCloseQuote, codec);
        if (serif.m_Memo.empty())
            continue;
        for (size_t begin = 0;;) {
            size_t end = serif.m_Memo.find('\n', begin);
            std::string line = serif.m_Memo.substr(begin, end - begin);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            AppendLine(out, "# " + line, codec);
            if (end == std::string::npos)
                break;
            begin = end + 1;
        }
    }
    return out;
}
