// The program's code page 932 against the system's: every byte and byte
// pair decoded as MultiByteToWideChar(932, MB_ERR_INVALID_CHARS) decodes
// it, every BMP code point encoded as WideCharToMultiByte(932,
// WC_NO_BEST_FIT_CHARS) encodes it.
#include <windows.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "text/CodePage932.h"

namespace
{

// Deliberate differences: the bytes that Microsoft's table (bestfit932)
// maps to private use code points. MultiByteToWideChar without flags and
// WideCharToMultiByte map them both ways as the table does, but with
// MB_ERR_INVALID_CHARS a single byte that decodes to private use is an
// error (Wine rejects it, and its conformance tests expect the same of
// Windows for 0xFE). We decode them as the table says, so that a file
// holding one loads and saves back unchanged.
struct PrivateUseByte
{
    unsigned char byte;
    char16_t codePoint;
};
constexpr PrivateUseByte kPrivateUseBytes[] = {
    {0xA0, 0xF8F0},
    {0xFD, 0xF8F1},
    {0xFE, 0xF8F2},
    {0xFF, 0xF8F3},
};

bool SystemDecode(const std::string& bytes, DWORD flags, std::u16string& out)
{
    wchar_t buffer[4];
    const int n =
        MultiByteToWideChar(932, flags, bytes.data(), static_cast<int>(bytes.size()), buffer, 4);
    if (n <= 0)
        return false;
    out.assign(buffer, buffer + n);
    return true;
}

// Also says whether one of kPrivateUseBytes was decoded.
bool OwnDecode(const std::string& bytes, std::u16string& out, bool& privateUse)
{
    out.clear();
    privateUse = false;
    for (size_t at = 0; at < bytes.size();) {
        char32_t codePoint;
        size_t length;
        if (!DecodeCodePage932(bytes, at, codePoint, length))
            return false;
        for (const PrivateUseByte& p : kPrivateUseBytes)
            privateUse |= length == 1 && codePoint == p.codePoint;
        out += static_cast<char16_t>(codePoint);
        at += length;
    }
    return true;
}

// Encodable only when no default character was used and the bytes decode
// back to the code point: what WC_NO_BEST_FIT_CHARS promises.
bool SystemEncode(char16_t codePoint, std::string& out)
{
    const wchar_t unit = codePoint;
    char buffer[4];
    BOOL usedDefault = FALSE;
    const int n =
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &unit, 1, buffer, 4, nullptr, &usedDefault);
    if (n <= 0 || usedDefault)
        return false;
    std::u16string back;
    if (!SystemDecode(std::string(buffer, n), 0, back) || back != std::u16string(1, codePoint))
        return false;
    out.assign(buffer, n);
    return true;
}

std::string Describe(const std::u16string* text)
{
    if (!text)
        return "error";
    std::string out;
    for (char16_t unit : *text) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "U+%04X ", static_cast<unsigned>(unit));
        out += hex;
    }
    return out;
}

std::string Hex(const std::string& bytes)
{
    std::string out;
    for (char byte : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(byte));
        out += hex;
    }
    return out;
}

}  // namespace

TEST(CodePage932System, PrivateUseBytesDecodeAsTheTableSays)
{
    for (const PrivateUseByte& p : kPrivateUseBytes) {
        const std::string bytes(1, static_cast<char>(p.byte));
        char32_t codePoint;
        size_t length;
        EXPECT_TRUE(DecodeCodePage932(bytes, 0, codePoint, length));
        EXPECT_EQ(p.codePoint, codePoint);
        std::u16string system;
        EXPECT_FALSE(SystemDecode(bytes, MB_ERR_INVALID_CHARS, system));
        EXPECT_TRUE(SystemDecode(bytes, 0, system));
        EXPECT_EQ(std::u16string(1, p.codePoint), system);
    }
}

TEST(CodePage932System, DecodesEveryByteAndPairAsTheSystem)
{
    int differences = 0;
    for (unsigned value = 0; value < 0x10100; ++value) {
        std::string bytes;
        if (value < 0x100)
            bytes = std::string(1, static_cast<char>(value));
        else
            bytes = {static_cast<char>((value - 0x100) >> 8), static_cast<char>(value & 0xFF)};
        std::u16string system, own;
        bool privateUse;
        const bool ownOk = OwnDecode(bytes, own, privateUse);
        bool systemOk = SystemDecode(bytes, MB_ERR_INVALID_CHARS, system);
        if (ownOk && privateUse) {
            EXPECT_FALSE(systemOk) << Hex(bytes) << " is no longer a difference";
            systemOk = SystemDecode(bytes, 0, system);
        }
        if (systemOk == ownOk && (!ownOk || system == own))
            continue;
        if (++differences <= 20)
            ADD_FAILURE() << Hex(bytes) << ": system " << Describe(systemOk ? &system : nullptr)
                          << ", ours " << Describe(ownOk ? &own : nullptr);
    }
    EXPECT_EQ(0, differences);
}

TEST(CodePage932System, EncodesEveryCodePointAsTheSystem)
{
    int differences = 0;
    for (char32_t codePoint = 0; codePoint < 0x10000; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF)
            continue;
        std::string system, own;
        const bool systemOk = SystemEncode(static_cast<char16_t>(codePoint), system);
        const bool ownOk = EncodeCodePage932(codePoint, own);
        if (systemOk == ownOk && system == own)
            continue;
        if (++differences <= 20)
            ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(codePoint) << ": system "
                          << (systemOk ? Hex(system) : "none") << ", ours "
                          << (ownOk ? Hex(own) : "none");
    }
    EXPECT_EQ(0, differences);
}
