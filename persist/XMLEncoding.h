// The encodings of the scenario and option files. Every text in memory is
// UTF-8; on disk a file is in one of two encodings:
//
//   Shift_JIS (code page 932): what every earlier version wrote, and still
//     what is written whenever every character of the text converts to it
//     and back unchanged, byte for byte as before;
//   UTF-8 without a byte order mark, declared encoding="UTF-8": written
//     when the text holds a character Shift_JIS lacks (♡, emoji, U+301C).
//
// Reading, the encoding is the byte order mark's (UTF-8), else the xml
// declaration's: "Shift_JIS", "shift-jis", "sjis", "cp932", "windows-31j"
// (any letter case) are code page 932, "UTF-8" (any letter case) is UTF-8.
// A file without a declared encoding is code page 932, or UTF-8 when its
// bytes are valid UTF-8 and no valid code page 932 (another program that
// left the declaration out, as XML allows for UTF-8).
#pragma once

#include <string>

// Reads the file at `path` into `text` as UTF-8 with line feeds for line
// ends. False when the file cannot be read (as ReadXMLFile, which creates a
// missing file only with `createMissing`, with `error` left empty), and false with the user's message in `error` when the file
// declares an encoding this program does not read ("対応していない文字コード
// です：" + the name) or holds bytes that are no text in its encoding
// ("文字コードが正しくありません（n 行目）", the first such line); `text` is
// untouched then.
bool ReadXMLText(const std::string& path, std::string& text, std::string& error,
                 bool createMissing);

// Writes a document's text (Tessel::ToString), whose declaration names
// encoding="Shift_JIS", as the file: converted to Shift_JIS when every
// character converts and back unchanged, else as UTF-8 with the declaration
// naming "UTF-8". The save is as safe as WriteXMLFile. False when the text
// could not be written. `text` may be changed.
bool WriteXMLText(const std::string& path, std::string& text);
