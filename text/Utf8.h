// UTF-8, the encoding of every narrow string in the program: from the files
// (decoded once, at load) to the windows (the "A" calls take UTF-8 under the
// manifest's code page). These helpers step through such text by code point
// and by character, check it, cut it between characters, measure the width
// the old Shift_JIS limits counted, and convert to and from UTF-16.
//
// A "character" here is a code point together with the code points that
// belong to it on screen: combining marks, variation selectors, emoji skin
// tone modifiers, tag characters, a zero width joiner with the code point
// after it, and the second of a pair of regional indicators (a flag). A cut
// between characters never leaves a mark without its base or half a flag.
//
// Invalid bytes (a byte that starts no valid sequence: overlong forms,
// surrogates, values above U+10FFFF, a sequence cut short) count as one code
// point of one byte each, so that every function makes progress and never
// reads past the end.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The code point at `at` (< text.size()), strictly: false for a byte that
// starts no valid sequence, with `length` 1 and `codePoint` U+FFFD.
bool DecodeUtf8(std::string_view text, size_t at, char32_t& codePoint, size_t& length);

// Appends the UTF-8 form of a code point; a surrogate or a value above
// U+10FFFF is appended as U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);

// Offset of the first byte that starts no valid sequence; npos when the
// whole text is valid UTF-8.
size_t FindInvalidUtf8(std::string_view text);
inline bool IsValidUtf8(std::string_view text)
{
    return FindInvalidUtf8(text) == std::string_view::npos;
}

// Bytes of the code point at `at` (1 for an invalid byte, 0 at the end).
size_t CodePointLength(std::string_view text, size_t at);

// Whether the code point belongs to the character before it whatever that
// is (see above). The code point after a zero width joiner and the second
// regional indicator of a flag belong by what comes before them; that is
// the business of CharLength and IsCharBoundary, not of this function.
bool ExtendsCharacter(char32_t codePoint);

// Bytes of the character that starts at `at` (0 at the end).
size_t CharLength(std::string_view text, size_t at);

// Whether a character starts at `at`: true at 0 and at the end, false inside
// a code point or before a code point that belongs to the one before it.
bool IsCharBoundary(std::string_view text, size_t at);

// The byte length of the longest start of `text` that is at most `maxBytes`
// long and ends between characters.
size_t CutAtCharBoundary(std::string_view text, size_t maxBytes);

// The width the program's limits count, as Shift_JIS bytes did: 1 for each
// ASCII code point (U+0000..U+007F) and each half-width katakana
// (U+FF61..U+FF9F), 2 for every other code point (an invalid byte counts 2).
size_t TextWidth(std::string_view text);

// The byte length of the longest start of `text` whose width is at most
// `maxWidth` and that ends between characters.
size_t CutToWidth(std::string_view text, size_t maxWidth);

// UTF-16 (surrogate pairs for code points above U+FFFF). An invalid byte of
// the UTF-8 side, and a lone surrogate of the UTF-16 side, become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
