// The cue keys of CPasteSequencer: skip, back and repeat. Each works from
// the same search as a press (PeekTarget), so none of them can pick a row a
// press would not.
#include "appcore/PasteSequencer.h"

int32_t CPasteSequencer::Skip(const std::vector<int32_t>& rows, int32_t cursor, int32_t activeCast)
{
    const CPressTarget found = PeekTarget(rows, cursor, activeCast);
    if (found.m_PasteRow == kNoRow)
        return kNoRow;
    m_LastPastedRow = found.m_PasteRow;
    const int32_t next = NextRowAfter(rows, found.m_PasteRow, activeCast);
    const int32_t count = static_cast<int32_t>(rows.size());
    // Past the last row the cursor stays on the skipped one, which the
    // never-twice rule now keeps from being pasted.
    return next != kNoRow && next < count ? next : found.m_PasteRow;
}

int32_t CPasteSequencer::Back(const std::vector<int32_t>& rows, int32_t cursor, int32_t activeCast)
{
    const int32_t count = static_cast<int32_t>(rows.size());
    if (count == 0)
        return kNoRow;
    const CPressTarget found = PeekTarget(rows, cursor, activeCast);
    // The press would find the row just pasted and refuse it (the cast has
    // no more rows): going back makes it pastable again.
    if (found.m_Row != kNoRow && !found.m_Blocked && found.m_PasteRow == kNoRow) {
        m_LastPastedRow = kNoRow;
        return found.m_Row;
    }
    // The row the press would act on: the one it pastes, the blocking row
    // it stops at, or the end when it finds nothing.
    const int32_t from = found.m_Row != kNoRow ? found.m_Row : count;
    for (int32_t i = from - 1; i >= 0; --i) {
        const int32_t cast = rows[static_cast<size_t>(i)];
        if (activeCast == -1 || cast == activeCast) {
            m_LastPastedRow = kNoRow;
            return i;
        }
        if (cast < 0)
            break;  // a press from above would stop here
    }
    return kNoRow;
}

int32_t CPasteSequencer::RepeatRow(const std::vector<int32_t>& rows, int32_t activeCast) const
{
    const int32_t row = m_LastTypedRow;
    if (row < 0 || row >= static_cast<int32_t>(rows.size()))
        return kNoRow;
    if (activeCast != -1 && rows[static_cast<size_t>(row)] != activeCast)
        return kNoRow;
    return row;
}
