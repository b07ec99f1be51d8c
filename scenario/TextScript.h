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
// 32 wide after trimming ASCII spaces (ASCII and half-width katakana count
// 1, every other character 2: the 32 bytes a Shift_JIS name had) and holds no
// colon (: or ：) and no 「; a line whose would-be name breaks that is read by
// the next form, and in the end as a stage direction. The colon rule keeps
// "名前: 「引用」" - the form the export writes for a serif holding 「 or 」 -
// from reading as a 「」 line named "名前:".
//
// Everything here is UTF-8. A text comes in from UTF-8, UTF-16 or Shift_JIS
// and keeps every character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scenario/Script.h"

enum class ETextEncoding
{
    ShiftJis,  // code page 932
    Utf8,
    Utf16Le,
    Utf16Be
};

// A file's encoding: UTF-8 after its byte order mark or when the bytes are
// valid UTF-8 with at least one non-ASCII character; UTF-16 after its byte
// order mark (FF FE or FE FF); Shift_JIS otherwise (plain ASCII included).
ETextEncoding DetectTextEncoding(const std::string& bytes);

// A text cut into UTF-8 lines, without their line ends (CR LF, LF or CR). A
// line end at the very end starts no further line. A byte sequence that is
// no character of the text's encoding becomes U+FFFD, and so does a NUL
// character (the scenario file cannot hold it).
struct CTextLines
{
    ETextEncoding m_Encoding = ETextEncoding::ShiftJis;
    std::vector<std::string> m_Lines;
};

// Converts `bytes` in the given encoding (a leading byte order mark is
// dropped) or, without one, in the detected encoding, and cuts the result
// into lines.
CTextLines DecodeTextLines(const std::string& bytes, ETextEncoding encoding);
CTextLines DecodeTextLines(const std::string& bytes);

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
std::string ExportTextScript(const CScript& script);
