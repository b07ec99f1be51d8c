#include "text/CodePage932.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "text/Utf8.h"

namespace
{

#include "text/CodePage932Table.inc"

constexpr unsigned kFirstTrail = 0x40;
constexpr unsigned kEndTrail = 0xFD;
constexpr unsigned kLeadRows = sizeof kDoubleByte / sizeof kDoubleByte[0];

bool IsLeadByte(unsigned byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

unsigned LeadIndex(unsigned lead)
{
    return lead < 0xA0 ? lead - 0x81 : lead - 0xE0 + (0xA0 - 0x81);
}

unsigned LeadOfRow(unsigned row)
{
    return row < 0xA0 - 0x81 ? 0x81 + row : 0xE0 + row - (0xA0 - 0x81);
}

// The code point of a double-byte code, 0 when the code page has none.
char16_t DoubleByte(unsigned lead, unsigned trail)
{
    if (trail < kFirstTrail || trail >= kEndTrail)
        return 0;
    return kDoubleByte[LeadIndex(lead)][trail - kFirstTrail];
}

bool IsAsciiWord(const char* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080ull) == 0;
}

// Where several codes decode to one code point, the lowest rank is the one
// WideCharToMultiByte writes: JIS X 0208 first, then NEC row 13 (0x87), then
// the IBM extensions (0xFA..0xFC), and last their NEC-selected copies
// (0xED, 0xEE), which Windows reads but never writes. No two codes of one
// rank share a code point.
int Rank(std::uint16_t code)
{
    const unsigned lead = code >> 8;
    if (lead == 0x87)
        return 1;
    if (lead >= 0xFA)
        return 2;
    if (lead == 0xED || lead == 0xEE)
        return 3;
    return 0;
}

// Code point to code, for the BMP (the code page holds nothing beyond it):
// a page of 256 codes for every 256 code points that hold one, and a shared
// empty page for the rest, about 55 KB in all. A code below 0x100 is one
// byte, 0 is none; ASCII never reaches the table.
class CEncodeTable
{
public:
    CEncodeTable();
    std::uint16_t Find(char32_t codePoint) const
    {
        return m_Codes[m_Pages[codePoint >> 8] * 256u + (codePoint & 0xFF)];
    }

private:
    void Add(char32_t codePoint, std::uint16_t code);

    std::uint16_t m_Pages[256] = {};
    std::vector<std::uint16_t> m_Codes;
};

CEncodeTable::CEncodeTable() : m_Codes(256, 0)
{
    for (unsigned byte = 0x80; byte < 0x100; ++byte) {
        if (kSingleByte[byte - 0x80] != 0)
            Add(kSingleByte[byte - 0x80], static_cast<std::uint16_t>(byte));
    }
    for (unsigned row = 0; row < kLeadRows; ++row) {
        for (unsigned trail = kFirstTrail; trail < kEndTrail; ++trail) {
            const char16_t codePoint = kDoubleByte[row][trail - kFirstTrail];
            if (codePoint != 0)
                Add(codePoint, static_cast<std::uint16_t>(LeadOfRow(row) << 8 | trail));
        }
    }
}

void CEncodeTable::Add(char32_t codePoint, std::uint16_t code)
{
    std::uint16_t& page = m_Pages[codePoint >> 8];
    if (page == 0) {
        page = static_cast<std::uint16_t>(m_Codes.size() / 256);
        m_Codes.resize(m_Codes.size() + 256, 0);
    }
    std::uint16_t& slot = m_Codes[page * 256u + (codePoint & 0xFF)];
    if (slot == 0 || Rank(code) < Rank(slot))
        slot = code;
}

const CEncodeTable& EncodeTable()
{
    static const CEncodeTable table;
    return table;
}

// Every character's UTF-8, made once from the tables: the first byte in the
// low eight bits, the second and third above it, the length in the top
// eight; 0 for a code with no character.
struct CUtf8Forms
{
    std::uint8_t m_Row[0x100] = {};  // 1 + the row of a lead byte, 0 for other bytes
    std::uint32_t m_Single[0x80] = {};
    std::uint32_t m_Double[kLeadRows][0x100] = {};  // by row and trail byte
};

size_t PutUtf8(char* out, char16_t codePoint);

std::uint32_t Pack(char16_t codePoint)
{
    unsigned char bytes[3] = {};
    const size_t length = PutUtf8(reinterpret_cast<char*>(bytes), codePoint);
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(length) << 24;
}

const CUtf8Forms& Utf8Forms()
{
    static const CUtf8Forms forms = [] {
        CUtf8Forms made;
        for (unsigned byte = 0x80; byte < 0x100; ++byte) {
            if (kSingleByte[byte - 0x80] != 0)
                made.m_Single[byte - 0x80] = Pack(kSingleByte[byte - 0x80]);
        }
        for (unsigned row = 0; row < kLeadRows; ++row) {
            made.m_Row[LeadOfRow(row)] = static_cast<std::uint8_t>(row + 1);
            for (unsigned trail = kFirstTrail; trail < kEndTrail; ++trail) {
                const char16_t codePoint = kDoubleByte[row][trail - kFirstTrail];
                if (codePoint != 0)
                    made.m_Double[row][trail] = Pack(codePoint);
            }
        }
        return made;
    }();
    return forms;
}

// Writes a BMP code point as UTF-8 at `out`; returns the bytes written.
size_t PutUtf8(char* out, char16_t codePoint)
{
    if (codePoint < 0x80) {
        out[0] = static_cast<char>(codePoint);
        return 1;
    }
    if (codePoint < 0x800) {
        out[0] = static_cast<char>(0xC0 | (codePoint >> 6));
        out[1] = static_cast<char>(0x80 | (codePoint & 0x3F));
        return 2;
    }
    out[0] = static_cast<char>(0xE0 | (codePoint >> 12));
    out[1] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (codePoint & 0x3F));
    return 3;
}

}  // namespace

bool DecodeCodePage932(std::string_view bytes, size_t at, char32_t& codePoint, size_t& length)
{
    const unsigned byte = static_cast<unsigned char>(bytes[at]);
    length = 1;
    if (byte < 0x80) {
        codePoint = byte;
        return true;
    }
    if (!IsLeadByte(byte)) {
        codePoint = kSingleByte[byte - 0x80];
        return true;
    }
    codePoint = 0xFFFD;
    if (at + 1 == bytes.size())
        return false;
    const char16_t value = DoubleByte(byte, static_cast<unsigned char>(bytes[at + 1]));
    if (value == 0)
        return false;
    codePoint = value;
    length = 2;
    return true;
}

bool EncodeCodePage932(char32_t codePoint, std::string& out)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
        return true;
    }
    if (codePoint > 0xFFFF)
        return false;
    const std::uint16_t code = EncodeTable().Find(codePoint);
    if (code == 0)
        return false;
    if (code >= 0x100)
        out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
    return true;
}

bool Cp932ToUtf8(std::string_view bytes, std::string& utf8, size_t& badAt)
{
    const CUtf8Forms& forms = Utf8Forms();
    const size_t size = bytes.size();
    const char* in = bytes.data();
    // Made in blocks: a block of input never more than triples (half-width
    // katakana), so one check of the room per block is enough; three bytes
    // are written for every character, the unused ones overwritten next.
    const size_t kBlock = 4096;
    std::string out(size + size / 2 + 16, '\0');
    size_t used = 0;
    size_t at = 0;
    while (at < size) {
        const size_t blockEnd = size - at > kBlock ? at + kBlock : size;
        if (out.size() - used < 3 * (blockEnd - at) + 4)
            out.resize(used + 3 * (blockEnd - at) + 4 + out.size() / 2);
        char* dst = &out[0];
        while (at < blockEnd) {
            const unsigned byte = static_cast<unsigned char>(in[at]);
            if (byte < 0x80) {
                if (blockEnd - at >= 8 && IsAsciiWord(in + at)) {
                    std::memcpy(dst + used, in + at, 8);
                    used += 8;
                    at += 8;
                } else {
                    dst[used++] = static_cast<char>(byte);
                    ++at;
                }
                continue;
            }
            std::uint32_t form;
            if (const unsigned row = forms.m_Row[byte]) {
                const unsigned trail = at + 1 < size ? static_cast<unsigned char>(in[at + 1]) : 0;
                form = forms.m_Double[row - 1][trail];
                if (form == 0) {
                    badAt = at;
                    return false;
                }
                at += 2;
            } else {
                form = forms.m_Single[byte - 0x80];
                ++at;
            }
            dst[used] = static_cast<char>(form);
            dst[used + 1] = static_cast<char>(form >> 8);
            dst[used + 2] = static_cast<char>(form >> 16);
            used += form >> 24;
        }
    }
    out.resize(used);
    utf8.swap(out);
    return true;
}

bool Utf8ToCp932(std::string_view utf8, std::string& bytes)
{
    const CEncodeTable& table = EncodeTable();
    const size_t size = utf8.size();
    const char* in = utf8.data();
    // No code point takes more bytes in the code page than in UTF-8.
    std::string out(size, '\0');
    size_t used = 0;
    size_t at = 0;
    while (at < size) {
        const unsigned byte = static_cast<unsigned char>(in[at]);
        if (byte < 0x80) {
            if (size - at >= 8 && IsAsciiWord(in + at)) {
                std::memcpy(&out[used], in + at, 8);
                used += 8;
                at += 8;
            } else {
                out[used++] = static_cast<char>(byte);
                ++at;
            }
            continue;
        }
        char32_t codePoint;
        size_t length;
        // Three-byte sequences (kana, kanji, symbols) are most of what comes
        // here: checked inline where no lead byte has a narrower second byte
        // (E0 overlong, ED surrogates), the rest by DecodeUtf8.
        const unsigned second = at + 2 < size ? static_cast<unsigned char>(in[at + 1]) : 0;
        const unsigned third = at + 2 < size ? static_cast<unsigned char>(in[at + 2]) : 0;
        if (byte >= 0xE1 && byte <= 0xEF && byte != 0xED && (second & 0xC0) == 0x80 &&
            (third & 0xC0) == 0x80) {
            codePoint = (byte & 0x0F) << 12 | (second & 0x3F) << 6 | (third & 0x3F);
            length = 3;
        } else if (!DecodeUtf8(utf8, at, codePoint, length) || codePoint > 0xFFFF) {
            return false;
        }
        const std::uint16_t code = table.Find(codePoint);
        if (code == 0)
            return false;
        if (code >= 0x100)
            out[used++] = static_cast<char>(code >> 8);
        out[used++] = static_cast<char>(code & 0xFF);
        at += length;
    }
    out.resize(used);
    bytes.swap(out);
    return true;
}
