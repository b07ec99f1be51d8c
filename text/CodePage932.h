// Code page 932, Shift_JIS as Windows has it (JIS X 0208 with the NEC and
// IBM extensions and the user-defined area), converted to and from UTF-8
// with the program's own table, the same on every platform. Old scenario
// and option files are in it; files are still written in it whenever every
// character of their text can be.
//
// Decoding follows MultiByteToWideChar(932, MB_ERR_INVALID_CHARS): every
// byte sequence the code page defines decodes, anything else (a lead byte
// without a valid trail byte, a double-byte code the code page leaves
// unassigned) is an error. One exception: the four single bytes the table
// maps to private use (0xA0 and 0xFD..0xFF, to U+F8F0..U+F8F3) decode, as
// they do without that flag, where the flag rejects them; written back they
// give the same bytes. Encoding follows WideCharToMultiByte(932,
// WC_NO_BEST_FIT_CHARS): a code point encodes only when the code page has a
// code that decodes back to exactly it (no best-fit look-alikes: U+301C WAVE
// DASH has none), and where several codes decode to the same code point
// (the NEC and IBM duplicates) the one Windows writes is chosen.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The code point of the character at `at` (< bytes.size()) and its length
// (1 or 2). False for bytes that are no character of the code page, with
// `length` 1 and `codePoint` U+FFFD.
bool DecodeCodePage932(std::string_view bytes, size_t at, char32_t& codePoint, size_t& length);

// Appends the code page's bytes for one code point; false (and nothing
// appended) when it has none.
bool EncodeCodePage932(char32_t codePoint, std::string& out);

// A whole text, Shift_JIS to UTF-8, replacing what `utf8` held. False at
// the first byte sequence that is no character, with `badAt` its offset and
// `utf8` unchanged.
bool Cp932ToUtf8(std::string_view bytes, std::string& utf8, size_t& badAt);

// A whole text, UTF-8 to Shift_JIS, replacing what `bytes` held. False,
// with `bytes` unchanged, when the text holds a code point the code page
// cannot hold or an invalid byte.
bool Utf8ToCp932(std::string_view utf8, std::string& bytes);
