#include "appcore/PasteSequencer.h"

#include "scenario/Serif.h"

#include <algorithm>

bool CPasteSequencer::AcceptHotKeyPress(uint32_t id, bool inFront, bool monitoring, uint32_t nowMs,
                                        uint32_t keyWaitMs)
{
    return id == kHotKeyId && AcceptPress(inFront, monitoring, nowMs, keyWaitMs);
}

bool CPasteSequencer::AcceptCuePress(uint32_t id, bool inFront, bool monitoring, uint32_t nowMs,
                                     uint32_t keyWaitMs)
{
    return id >= kSkipId && id <= kPrevCastId && AcceptPress(inFront, monitoring, nowMs, keyWaitMs);
}

bool CPasteSequencer::AcceptPress(bool inFront, bool monitoring, uint32_t nowMs, uint32_t keyWaitMs)
{
    if (inFront || !monitoring)
        return false;
    // Unsigned subtraction: the millisecond clock wraps every 49.7 days.
    if (static_cast<uint32_t>(nowMs - m_LastPressTime) <= keyWaitMs)
        return false;
    m_LastPressTime = nowMs;
    return true;
}

namespace
{

// First row from `from` on whose cast id is `cast` or negative (a serif without
// a cast blocks the way); kNoRow when there is none.
int32_t ScanForCast(const std::vector<int32_t>& rows, int32_t from, int32_t cast)
{
    const int32_t count = static_cast<int32_t>(rows.size());
    for (int32_t i = std::max(from, 0); i < count; ++i) {
        if (rows[static_cast<size_t>(i)] == cast || rows[static_cast<size_t>(i)] < 0)
            return i;
    }
    return kNoRow;
}

// The paste keystroke pressed in order, held for KeyWait, and released in
// the order it was pressed (Ctrl first for Ctrl+V); then Enter, after its
// own wait when there is one.
std::vector<CKeyStep> MakeKeyPlan(const CPasteSettings& settings)
{
    std::vector<uint8_t> chord;
    switch (settings.m_PasteKey) {
    case EPasteKey::ShiftInsert:
        chord = {PasteKeys::kShift, PasteKeys::kInsert};
        break;
    case EPasteKey::CtrlShiftV:
        chord = {PasteKeys::kControl, PasteKeys::kShift, PasteKeys::kV};
        break;
    case EPasteKey::CtrlV:
    default:
        chord = {PasteKeys::kControl, PasteKeys::kV};
        break;
    }
    std::vector<CKeyStep> keys;
    for (uint8_t key : chord)
        keys.push_back({CKeyStep::Press, key, 0});
    keys.push_back({CKeyStep::Wait, 0, settings.m_KeyWaitMs});
    for (uint8_t key : chord)
        keys.push_back({CKeyStep::Release, key, 0});
    if (settings.m_AddReturn) {
        if (settings.m_EnterWaitMs > 0)
            keys.push_back({CKeyStep::Wait, 0, settings.m_EnterWaitMs});
        keys.push_back({CKeyStep::Press, PasteKeys::kReturn, 0});
        keys.push_back({CKeyStep::Release, PasteKeys::kReturn, 0});
    }
    return keys;
}

// The row that puts `row` at the ScrollPos-th visible position when it is
// brought into view at the bottom of a page of `pageHeight` rows. Worked in
// 64 bits: ScrollPos comes unchecked from the option file.
int32_t ScrollRowFor(int32_t row, int32_t count, int32_t pageHeight, int32_t scrollPos)
{
    int64_t r = static_cast<int64_t>(pageHeight) + row - scrollPos;
    r = std::max<int64_t>(r, 0);
    r = std::min<int64_t>(r, static_cast<int64_t>(count) - 1);
    return static_cast<int32_t>(r);
}

}  // namespace

CPressTarget CPasteSequencer::PeekTarget(const std::vector<int32_t>& rows, int32_t cursor,
                                         int32_t activeCast) const
{
    CPressTarget found;
    const int32_t count = static_cast<int32_t>(rows.size());
    const int32_t start = cursor < 0 ? 0 : cursor;
    // A cursor past the end (the list changed under it) finds nothing.
    if (count == 0 || start >= count)
        return found;

    if (activeCast == -1) {
        found.m_Row = start;
    } else {
        found.m_Row = ScanForCast(rows, start, activeCast);
        found.m_Blocked =
            found.m_Row != kNoRow && rows[static_cast<size_t>(found.m_Row)] != activeCast;
    }
    if (found.m_Row != kNoRow && !found.m_Blocked && found.m_Row != m_LastPastedRow)
        found.m_PasteRow = found.m_Row;
    return found;
}

std::vector<CKeyStep> PlanPasteKeys(const CPasteSettings& settings)
{
    return MakeKeyPlan(settings);
}

CPastePlan CPasteSequencer::PlanPaste(const std::vector<int32_t>& rows, int32_t cursor,
                                      int32_t activeCast, const CPasteSettings& settings,
                                      int32_t pageHeight)
{
    CPastePlan plan;
    const CPressTarget found = PeekTarget(rows, cursor, activeCast);
    plan.m_FoundRow = found.m_Row;
    if (found.m_PasteRow == kNoRow)
        return plan;

    const int32_t count = static_cast<int32_t>(rows.size());
    const int32_t target = found.m_PasteRow;
    plan.m_PasteRow = target;
    m_LastPastedRow = target;
    m_LastTypedRow = target;
    plan.m_Keys = MakeKeyPlan(settings);

    const int32_t next = NextRowAfter(rows, target, activeCast);
    if (next == kNoRow)
        return plan;  // the cursor stays on the pasted row, no scrolling
    if (next < count)
        plan.m_NextRow = next;
    if (settings.m_AutoScroll)
        plan.m_ScrollRow = ScrollRowFor(next, count, pageHeight, settings.m_ScrollPos);
    return plan;
}

int32_t CPasteSequencer::NextRowAfter(const std::vector<int32_t>& rows, int32_t row,
                                      int32_t activeCast)
{
    // Without an active cast the row after may be one past the end: the
    // cursor stays and scrolling still aims there.
    if (activeCast == -1)
        return row + 1;
    return ScanForCast(rows, row + 1, activeCast);
}

std::vector<int32_t> CastIdsOfSerifs(const std::vector<CSerif>& serifs)
{
    std::vector<int32_t> rows;
    rows.reserve(serifs.size());
    for (const CSerif& serif : serifs)
        rows.push_back(serif.m_CastId);
    return rows;
}
