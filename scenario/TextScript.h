// Scenarios written as plain text, the way people keep scripts in a text
// editor or a chat palette: one serif a line.
//
//   名前「セリフ」   the name is the text before the first 「, the serif the
//                    text between it and the 」 that ends the line (ASCII
//                    spaces after that 」 are ignored);
//   名前: セリフ     or 名前：セリフ - the name is the text before the first
//                    colon, the serif all after it less one ASCII space
//                    directly after the colon;
//   # メモ           a memo line for the serif read before it ("#" and one
//                    space after it dropped); memo lines in a row are joined
//                    with line feeds; before any serif they belong to the
//                    scenario memo;
//   anything else    a stage direction: a serif with cast id -1.
//
// Lines that are empty or hold only ASCII spaces are skipped. A name is 1 to
// 32 bytes after trimming ASCII spaces and holds no colon (: or ：) and no 「;
// a line whose would-be name breaks that is read by the next form, and in the
// end as a stage direction. The colon rule keeps "名前: 「引用」" - the form
// the export writes for a serif holding 「 or 」 - from reading as a 「」 line
// named "名前:".
//
// Everything here works on Shift_JIS bytes (code page 932) and never splits
// a double-byte character. Converting between Unicode and the code page is
// the platform's: the caller hands in an IShiftJisCodec.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scenario/Script.h"

// One character at a time between Unicode code points and code page 932.
class IShiftJisCodec
{
public:
    virtual ~IShiftJisCodec() = default;
    // The code page's bytes for one code point above U+007F, into `bytes`;
    // false when the code page has no character that converts back to
    // exactly this code point (best-fit look-alikes do not count).
    virtual bool Encode(char32_t codePoint, std::string& bytes) const = 0;
    // The code point of one character of one or two bytes; U+FFFD when the
    // bytes are no character of the code page.
    virtual char32_t Decode(const std::string& character) const = 0;
};

enum class ETextEncoding
{
    ShiftJis,  // no conversion: the bytes are the program's own
    Utf8,
    Utf16Le,
    Utf16Be
};

// A file's encoding: UTF-8 after its byte order mark or when the bytes are
// valid UTF-8 with at least one non-ASCII character; UTF-16 after its byte
// order mark (FF FE or FE FF); Shift_JIS otherwise (plain ASCII included).
ETextEncoding DetectTextEncoding(const std::string& bytes);

// One character that the code page cannot hold and became "?": its line
// (counted from 1 over every line, blank ones included) and its code point.
// A NUL character counts as one (the scenario file cannot hold it), and so
// does a byte sequence that is no character of the file's encoding, as
// U+FFFD.
struct CUnmappedChar
{
    int32_t m_Line = 0;
    char32_t m_CodePoint = 0;
};

// A text cut into Shift_JIS lines, without their line ends (CR LF, LF or
// CR). A line end at the very end starts no further line.
struct CTextLines
{
    enum
    {
        kReportedUnmapped = 10  // how many places m_Unmapped keeps
    };
    ETextEncoding m_Encoding = ETextEncoding::ShiftJis;
    std::vector<std::string> m_Lines;
    std::vector<CUnmappedChar> m_Unmapped;  // the first kReportedUnmapped, in order
    int64_t m_UnmappedCount = 0;            // all of them
};

// Converts `bytes` in the given encoding (a leading byte order mark is
// dropped) or, without one, in the detected encoding, and cuts the result
// into lines.
CTextLines DecodeTextLines(const std::string& bytes, ETextEncoding encoding,
                           const IShiftJisCodec& codec);
CTextLines DecodeTextLines(const std::string& bytes, const IShiftJisCodec& codec);

// What a text adds to a scenario with the given casts.
struct CTextScript
{
    // Names the casts do not have yet, in order of first appearance, with
    // the ids the next-cast-id rule gives them after the existing casts.
    std::vector<CCast> m_NewCasts;
    std::vector<CSerif> m_Serifs;
    // Memo lines before the first serif, joined with line feeds.
    std::string m_ScriptMemo;

    bool IsEmpty() const { return m_Serifs.empty() && m_ScriptMemo.empty(); }
};

// Reads the lines. A name that a cast already has (byte for byte, after
// trimming) takes that cast's id.
CTextScript ParseTextScript(const std::vector<std::string>& lines, const std::vector<CCast>& casts);

// Adds the new casts, inserts the serifs before row `row` (after the last
// row when `row` is negative or past the end) and adds the memo to the end of
// the scenario memo, after a line feed when the memo holds text already.
// `text` must have been parsed against the scenario's current casts.
void ApplyTextScript(const CTextScript& text, int32_t row, CScript& script);

// The scenario as text, UTF-8 with a byte order mark and CR LF line ends:
// each serif as 名前「セリフ」, or 名前: セリフ when the serif holds 「 or 」;
// a serif without a cast (negative id, or an id no cast has) as its bare
// text; each line of its memo after it as "# " and the line. The scenario
// memo and the cast memos are not written. Line breaks inside a serif are
// written as CR LF.
std::string ExportTextScript(const CScript& script, const IShiftJisCodec& codec);
