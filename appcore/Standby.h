// What the standby strip shows: the next press's row, worked out with the
// press's own search (CPasteSequencer::PeekTarget), and the line drawn for
// it.
#pragma once

#include "appcore/PasteSequencer.h"

#include <cstdint>
#include <string>
#include <vector>

class CScript;

enum class EStandbyKind
{
    Paste,    // a press pastes m_Row
    Blocked,  // a press stops at the row without a cast m_Row
    Nothing   // a press pastes nothing
};

struct CStandby
{
    EStandbyKind m_Kind = EStandbyKind::Nothing;
    int32_t m_Row = kNoRow;
    // Rows from m_Row to the end, m_Row included, that a later press may
    // still paste: those of the active cast, or every row without one.
    int32_t m_Remaining = 0;
    bool m_NoActiveCast = false;
};

CStandby PreviewNextPress(const CPasteSequencer& sequencer, const std::vector<int32_t>& rows,
                          int32_t cursor, int32_t activeCast);

// The strip's line in parts: the head (cast name, or what stops the press),
// the first line of what the press pastes (the serif in its format), which
// alone is cut to the strip's width when drawn, the warning of a line
// longer than the user's limit (its length, drawn in the warning colour;
// empty when none) and the tail (the count).
struct CStandbyLine
{
    std::string m_Head;
    std::string m_Text;
    std::string m_Warning;
    std::string m_Tail;

    std::string Whole() const { return m_Head + m_Text + m_Warning + m_Tail; }
};

// `lengthWarning`: warn of a pasted line of more characters than this; 0
// for never.
CStandbyLine StandbyLine(const CStandby& standby, const CScript& script, int32_t lengthWarning = 0);

// The status bar's note for a line longer than the limit: "n 文字の行です";
// empty when the line is within it or the limit is 0.
std::string LongLineNote(const std::string& line, int32_t lengthWarning);

// A text up to its first line break (CR LF, LF or CR).
std::string FirstLine(const std::string& text);
