// The text a press pastes for a row: the serif in its cast's paste format
// (for a row without a cast, the scenario's format for stage directions),
// and, when the user asks for it, with the chat's markup characters escaped
// so that the chat shows the line as written. Also the set of active casts
// as the press search sees it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CScript;
class CSerif;

// `format` with {name} and {text} replaced by `name` and `text`; {{ and }}
// give { and }, any other {...} and a lone brace stay as they are. An empty
// format gives the text alone. What the name and the text hold is never
// read as a format.
std::string FormatPasteLine(const std::string& format, const std::string& name,
                            const std::string& text);

// A backslash before each of \ * _ ~ ` | and, at the start of a line, before
// a > or # (or a run of them) followed by a space and before "- ", as
// Markdown chats read them.
std::string EscapeChatMarkup(const std::string& text);

// Code points, as chats count the length of a message.
size_t CountCharacters(const std::string& text);

// Row `row` (in range) formatted as a press pastes it, before any escaping.
// A cast id no cast has counts as no cast.
std::string FormattedLineOfRow(const CScript& script, int32_t row);

// The rows as the press search (CPasteSequencer) sees them for a set of
// active casts. With none: each serif's cast id, and -1 as the active cast.
// With one or more: 0 for a row of an active cast, 1 for a row of another
// cast, -1 for a row without a cast, and 0 as the active cast, so that a
// press pastes the next row of any of them and a stage direction still
// stops it.
struct CPressRows
{
    std::vector<int32_t> m_Rows;
    int32_t m_Active = -1;
};
CPressRows PressRowsOf(const std::vector<CSerif>& serifs, const std::vector<int32_t>& activeCasts);
