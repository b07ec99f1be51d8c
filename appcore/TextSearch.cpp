#include "appcore/TextSearch.h"

#include "scenario/Script.h"
#include "text/Utf8.h"

#include <algorithm>

namespace
{

// Matches start and end between code points, stepped through with the UTF-8
// rules: a byte that starts no valid sequence (a text broken elsewhere)
// stands alone, so a match never takes part of a character with it and a
// replacement never corrupts one. In valid UTF-8 a search for a valid
// text cannot find it inside a character anyway; this keeps it so for any
// bytes.
size_t CharLength(const std::string& text, size_t i)
{
    return CodePointLength(text, i);
}

// Whether `what` occurs at code point boundary `i` and ends on one.
bool MatchesAt(const std::string& text, size_t i, const std::string& what)
{
    if (text.compare(i, what.size(), what) != 0)
        return false;
    const size_t end = i + what.size();
    size_t j = i;
    while (j < end)
        j += CharLength(text, j);
    return j == end;
}

// From character boundary `from`; npos when there is no match.
size_t FindFrom(const std::string& text, const std::string& what, size_t from)
{
    if (what.empty())
        return std::string::npos;
    for (size_t i = from; i < text.size() && text.size() - i >= what.size();
         i += CharLength(text, i)) {
        if (MatchesAt(text, i, what))
            return i;
    }
    return std::string::npos;
}

bool Contains(const std::string& text, const std::string& what)
{
    return FindFrom(text, what, 0) != std::string::npos;
}

bool IsRow(const CScript& script, int64_t row)
{
    return row >= 0 && row < script.GetSerifCount();
}

// The first column of a row that the find dialog matches; None also for a
// row outside the list.
ESearchColumn MatchRowForFind(const CScript& script, int64_t row, const std::string& text)
{
    if (!IsRow(script, row))
        return ESearchColumn::None;
    const CSerif& serif = script.GetSerif(static_cast<int32_t>(row));
    if (Contains(script.FindCastName(serif.m_CastId), text))
        return ESearchColumn::CastName;
    if (Contains(serif.m_Text, text))
        return ESearchColumn::Text;
    if (Contains(serif.m_Memo, text))
        return ESearchColumn::Memo;
    return ESearchColumn::None;
}

// The replace-dialog action on one row. Returns true when the action stops
// at this row; Replace All never does.
bool ReplaceOnRow(CScript& script, int64_t row, const std::string& find,
                  const std::string& replacement, EReplaceAction action, IReplaceConfirm& confirm,
                  CReplaceResult& result)
{
    if (!IsRow(script, row))
        return false;
    const int32_t r = static_cast<int32_t>(row);
    for (ESearchColumn column : {ESearchColumn::Text, ESearchColumn::Memo}) {
        const CSerif& current = script.GetSerif(r);
        const std::string& field = column == ESearchColumn::Text ? current.m_Text : current.m_Memo;
        if (!Contains(field, find))
            continue;
        result.m_Cursor = r;
        result.m_Column = column;
        if (action == EReplaceAction::FindNext)
            return true;
        if (action == EReplaceAction::Replace && !confirm.ConfirmReplace(r, column))
            return true;

        CSerif serif = script.GetSerif(r);
        std::string& target = column == ESearchColumn::Text ? serif.m_Text : serif.m_Memo;
        const std::string before = target;
        result.m_Replacements += ReplaceInText(target, find, replacement);
        if (target != before) {
            script.SetSerif(r, serif);
            if (result.m_ChangedRows.empty() || result.m_ChangedRows.back() != r)
                result.m_ChangedRows.push_back(r);
        }
        if (IsRow(script, row + 1))
            result.m_Cursor = r + 1;
        if (action == EReplaceAction::Replace)
            return true;
    }
    return false;
}

}  // namespace

bool ReplaceActionFromFlags(uint32_t flags, EReplaceAction& action)
{
    if (flags & FindFlags::kFindNext)
        action = EReplaceAction::FindNext;
    else if (flags & FindFlags::kReplace)
        action = EReplaceAction::Replace;
    else if (flags & FindFlags::kReplaceAll)
        action = EReplaceAction::ReplaceAll;
    else
        return false;
    return true;
}

CFindResult CTextSearch::FindNext(const CScript& script, const std::string& text, int32_t start,
                                  bool down)
{
    CFindResult result;
    if (text.empty() || start < 0)
        return result;

    // 64-bit row numbers: the steps below may go one past either end.
    const int64_t count = script.GetSerifCount();
    const int64_t step = down ? 1 : -1;
    // Rows past the end never match, so an upward scan may begin at the end.
    int64_t row = down ? start : std::min<int64_t>(start, count);
    while (down ? row < count : row >= 0) {
        if (row == m_LastFoundRow)
            row += step;
        const ESearchColumn column = MatchRowForFind(script, row, text);
        if (column != ESearchColumn::None) {
            m_LastFoundRow = static_cast<int32_t>(row);
            result.m_Outcome = ESearchOutcome::Found;
            result.m_Row = m_LastFoundRow;
            result.m_Column = column;
            return result;
        }
        row += step;
    }
    result.m_Outcome = ESearchOutcome::ReachedEnd;
    return result;
}

CReplaceResult CTextSearch::ReplaceNext(CScript& script, const std::string& find,
                                        const std::string& replacement, int32_t start,
                                        EReplaceAction action, IReplaceConfirm& confirm)
{
    CReplaceResult result;
    if (find.empty() || start < 0)
        return result;

    for (int64_t row = start; row < script.GetSerifCount(); ++row) {
        // Find Next and Replace move on from the row they stopped at last.
        // Replace All covers every row from the cursor down: passing over
        // that row would leave a match behind in the range it reports done.
        if (row == m_LastReplaceRow && action != EReplaceAction::ReplaceAll)
            ++row;
        if (ReplaceOnRow(script, row, find, replacement, action, confirm, result)) {
            m_LastReplaceRow = static_cast<int32_t>(row);
            result.m_Outcome = ESearchOutcome::Found;
            result.m_Row = m_LastReplaceRow;
            return result;
        }
    }
    result.m_Column = ESearchColumn::None;
    result.m_Outcome = ESearchOutcome::ReachedEnd;
    return result;
}

size_t FindInText(const std::string& text, const std::string& what)
{
    return FindFrom(text, what, 0);
}

size_t ReplaceInText(std::string& text, const std::string& what, const std::string& with)
{
    if (what.empty())
        return 0;
    std::string out;
    size_t count = 0;
    size_t copied = 0;
    size_t i = 0;
    while (i < text.size() && text.size() - i >= what.size()) {
        if (MatchesAt(text, i, what)) {
            out.append(text, copied, i - copied);
            out += with;
            i += what.size();
            copied = i;
            ++count;
        } else {
            i += CharLength(text, i);
        }
    }
    if (count != 0) {
        out.append(text, copied, std::string::npos);
        text.swap(out);
    }
    return count;
}

int32_t JumpTargetRow(int32_t line, int32_t rowCount)
{
    // Compared, not computed as line - 1: the typed number may be the
    // smallest 32-bit value.
    if (line < 1 || line > rowCount)
        return CTextSearch::kNoRow;
    return line - 1;
}
