// The decisions behind a hotkey paste, free of any window: whether a press is
// acted on, which row is pasted, which keys are synthesised in which order,
// where the cursor goes and which row is scrolled into view. The main window
// gathers the inputs, calls CPasteSequencer and carries the plan out.
//
// Rows are numbered from 0 like the serif list's; kNoRow (-1) stands for "no
// row" everywhere (cursor, found row, paste row, next row, scroll row), the
// same convention the list view uses. Virtual-key codes are plain numbers so
// that this file stays free of <windows.h>; app/PasteCommands.cpp asserts at
// compile time that they, and kHotKeyId, equal the Win32 values.
#pragma once

#include "option/OptionPaste.h"

#include <cstdint>
#include <vector>

class CSerif;

namespace PasteKeys
{
const uint8_t kControl = 0x11;  // VK_CONTROL
const uint8_t kShift = 0x10;    // VK_SHIFT
const uint8_t kV = 0x56;        // 'V'
const uint8_t kInsert = 0x2D;   // VK_INSERT
const uint8_t kReturn = 0x0D;   // VK_RETURN
}  // namespace PasteKeys

const int32_t kNoRow = -1;

// One step of the key plan: a key transition, or a wait.
struct CKeyStep
{
    enum EKind
    {
        Press,
        Release,
        Wait
    };

    EKind m_Kind = Press;
    uint8_t m_VirtualKey = 0;  // Press and Release only
    uint32_t m_WaitMs = 0;     // Wait only

    bool operator==(const CKeyStep& other) const
    {
        return m_Kind == other.m_Kind && m_VirtualKey == other.m_VirtualKey &&
               m_WaitMs == other.m_WaitMs;
    }
};

// What one accepted press does. Every row is kNoRow when absent.
struct CPastePlan
{
    int32_t m_FoundRow = kNoRow;   // make this the cursor first
    int32_t m_PasteRow = kNoRow;   // paste this row; none: empty the clipboard
    std::vector<CKeyStep> m_Keys;  // to carry out in order; empty without paste row
    int32_t m_NextRow = kNoRow;    // make this the cursor after the paste
    int32_t m_ScrollRow = kNoRow;  // bring this row into view

    bool HasPaste() const { return m_PasteRow != kNoRow; }
};

// The inputs of a plan that come from the options and the menu.
struct CPasteSettings
{
    EPasteKey m_PasteKey = EPasteKey::CtrlV;
    bool m_AddReturn = true;     // Enter after the paste keys
    uint32_t m_KeyWaitMs = 100;  // how long the paste keys are held down
    uint32_t m_EnterWaitMs = 0;  // between the paste keys and Enter
    bool m_AutoScroll = true;
    int32_t m_ScrollPos = 10;  // 1-based row of the visible page; any value from a file
};

// What the next press would act on, found without changing anything.
struct CPressTarget
{
    int32_t m_Row = kNoRow;       // where the search stopped: the cursor goes here
    bool m_Blocked = false;       // m_Row is a row without a cast that stops the search
    int32_t m_PasteRow = kNoRow;  // the row the press pastes; none when blocked,
                                  // when nothing was found or when m_Row was just pasted
};

// The paste keys alone, as PlanPaste plans them.
std::vector<CKeyStep> PlanPasteKeys(const CPasteSettings& settings);

// Holds the state kept between presses: the time of the last accepted press
// (T), the last pasted row (L) and the last row really typed.
class CPasteSequencer
{
public:
    // The paste hotkey is registered under this identifier.
    static constexpr uint32_t kHotKeyId = 1;

    // The press filter. Ignores the press when the main window is in front,
    // when monitoring is off, when the identifier is not kHotKeyId, or when
    // `nowMs` is within `keyWaitMs` (inclusive) of the last accepted press,
    // measured in wrapping 32-bit arithmetic. An accepted press sets T.
    bool AcceptHotKeyPress(uint32_t id, bool inFront, bool monitoring, uint32_t nowMs,
                           uint32_t keyWaitMs);

    // Plans the paste for the rows' cast ids (`rows`), the cursor (kNoRow for
    // none), the active cast id (-1 for none) and the page height in rows.
    // Sets L when the plan has a paste row.
    CPastePlan PlanPaste(const std::vector<int32_t>& rows, int32_t cursor, int32_t activeCast,
                         const CPasteSettings& settings, int32_t pageHeight);

    // The search of PlanPaste, which the standby strip shows and the cue
    // keys use, so that none of them can disagree with a press.
    CPressTarget PeekTarget(const std::vector<int32_t>& rows, int32_t cursor,
                            int32_t activeCast) const;
    // Where the cursor goes after `row` was pasted: the next row (which may
    // be one past the end) without an active cast, else the next row of the
    // active cast or the blocking row before it; kNoRow when there is none.
    static int32_t NextRowAfter(const std::vector<int32_t>& rows, int32_t row, int32_t activeCast);

    // The cue keys (PasteCues.cpp), each returning the new cursor, kNoRow
    // for no change.
    //
    // The press filter of the cue keys: as for the paste hotkey, sharing the
    // time of the last accepted press, for the identifiers 2 to 6.
    bool AcceptCuePress(uint32_t id, bool inFront, bool monitoring, uint32_t nowMs,
                        uint32_t keyWaitMs);
    // Passes over the row the next press would paste, as a paste of it
    // would (the cursor moves on, the row counts as just pasted), but types
    // nothing. The repeat key still repeats the last row really typed.
    int32_t Skip(const std::vector<int32_t>& rows, int32_t cursor, int32_t activeCast);
    // Makes the next press paste the active cast's row before the one it
    // would paste (the row just pasted when the cast has no more), never
    // across a blocking row; forgets the last pasted row.
    int32_t Back(const std::vector<int32_t>& rows, int32_t cursor, int32_t activeCast);
    // The row the repeat key types again: the last row typed, while it
    // exists and, with an active cast, still belongs to it; kNoRow otherwise.
    int32_t RepeatRow(const std::vector<int32_t>& rows, int32_t activeCast) const;

    // A mouse click on a row, and New: the next press may paste any row again.
    void ForgetLastPastedRow() { m_LastPastedRow = kNoRow; }

    int32_t GetLastPastedRow() const { return m_LastPastedRow; }
    int32_t GetLastTypedRow() const { return m_LastTypedRow; }
    uint32_t GetLastPressTime() const { return m_LastPressTime; }

    // Identifiers of the cue hotkeys.
    static constexpr uint32_t kSkipId = 2;
    static constexpr uint32_t kBackId = 3;
    static constexpr uint32_t kRepeatId = 4;
    // The cast switching keys, filtered as the cue keys.
    static constexpr uint32_t kNextCastId = 5;
    static constexpr uint32_t kPrevCastId = 6;

private:
    bool AcceptPress(bool inFront, bool monitoring, uint32_t nowMs, uint32_t keyWaitMs);

    uint32_t m_LastPressTime = 0;
    int32_t m_LastPastedRow = kNoRow;
    int32_t m_LastTypedRow = kNoRow;  // what the repeat key types
};

// The rows of the serif list as the plan needs them: each serif's cast id.
std::vector<int32_t> CastIdsOfSerifs(const std::vector<CSerif>& serifs);
