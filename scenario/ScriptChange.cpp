#include "scenario/ScriptChange.h"
#include "scenario/Script.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace
{

// Strings longer than the short-string buffer own a heap block.
const size_t kShortString = 15;

size_t HeapOf(const std::string& text)
{
    return text.capacity() > kShortString ? text.capacity() + 1 : 0;
}

size_t BytesOf(const std::string& text)
{
    return sizeof(std::string) + HeapOf(text);
}

size_t BytesOf(const CSerif& serif)
{
    return sizeof(CSerif) + HeapOf(serif.m_Text) + HeapOf(serif.m_Memo);
}

// Moves the rows at the ascending positions `rows` out of `serifs` into
// `removed`, in one pass.
void RemoveRows(std::vector<CSerif>& serifs, const std::vector<int32_t>& rows, CSerif* removed)
{
    size_t out = static_cast<size_t>(rows.front());
    size_t next = 0;
    for (size_t in = out; in < serifs.size(); ++in) {
        if (next < rows.size() && static_cast<size_t>(rows[next]) == in) {
            removed[next++] = std::move(serifs[in]);
            continue;
        }
        serifs[out++] = std::move(serifs[in]);
    }
    serifs.resize(out);
}

// Moves `removed` back to the ascending positions `rows` (positions in the
// list as it was before they were taken), in one pass.
void RestoreRows(std::vector<CSerif>& serifs, const std::vector<int32_t>& rows, CSerif* removed)
{
    const size_t kept = serifs.size();
    serifs.resize(kept + rows.size());
    // From the end: each kept row moves up by the number of restored rows
    // before it.
    size_t in = kept;
    size_t next = rows.size();
    for (size_t out = serifs.size(); out-- > static_cast<size_t>(rows.front());) {
        if (next > 0 && static_cast<size_t>(rows[next - 1]) == out) {
            --next;
            serifs[out] = std::move(removed[next]);
        } else {
            serifs[out] = std::move(serifs[--in]);
        }
    }
}

}  // namespace

void CScriptChange::Compact()
{
    m_Ops.shrink_to_fit();
    m_Serifs.shrink_to_fit();
    m_Texts.shrink_to_fit();
    m_CastLists.shrink_to_fit();
    m_RowLists.shrink_to_fit();
}

void CScriptChange::Touch(int32_t row)
{
    if (m_FirstRow < 0 || row < m_FirstRow)
        m_FirstRow = row;
}

void CScriptChange::Add(EKind kind, int32_t row, size_t data, size_t count)
{
    m_Ops.push_back(COp{kind, row, static_cast<uint32_t>(data), static_cast<uint32_t>(count)});
    m_Bytes += sizeof(COp);
}

void CScriptChange::OnText(EKind kind, const std::string& before, const std::string& after)
{
    Add(kind, -1, m_Texts.size(), 0);
    m_Texts.push_back(before);
    Count(std::max(BytesOf(before), BytesOf(after)));
}

// Cast changes in a row (a text import adds its casts one by one) are one
// operation: it holds the list before the first, and the scenario has the
// list after the last.
void CScriptChange::OnCasts(const std::vector<CCast>& before, const std::vector<CCast>& after)
{
    m_ChangesCasts = true;
    size_t bytes = sizeof(before) + std::max(before.size(), after.size()) * sizeof(CCast);
    for (const std::vector<CCast>* casts : {&before, &after}) {
        for (const CCast& cast : *casts)
            bytes += HeapOf(cast.m_Name) + HeapOf(cast.m_Memo);
    }
    if (!m_Ops.empty() && m_Ops.back().m_Kind == EKind::Casts) {
        Count(bytes);  // an estimate: the lists in between are counted too
        return;
    }
    Add(EKind::Casts, -1, m_CastLists.size(), 0);
    m_CastLists.push_back(before);
    Count(bytes);
}

void CScriptChange::OnInsert(int32_t row, const CSerif* first, size_t count)
{
    Touch(row);
    Add(EKind::Insert, row, m_Serifs.size(), count);
    // Room for the rows once undone.
    m_Serifs.resize(m_Serifs.size() + count);
    for (size_t i = 0; i < count; ++i)
        Count(BytesOf(first[i]));
}

void CScriptChange::OnErase(int32_t row, CSerif&& serif)
{
    Touch(row);
    Add(EKind::Erase, row, m_Serifs.size(), 1);
    Count(BytesOf(serif));
    m_Serifs.push_back(std::move(serif));
}

void CScriptChange::OnSet(int32_t row, CSerif&& before, const CSerif& after)
{
    Touch(row);
    Add(EKind::Set, row, m_Serifs.size(), 1);
    Count(std::max(BytesOf(before), BytesOf(after)));
    m_Serifs.push_back(std::move(before));
}

void CScriptChange::OnExchange(int32_t row)
{
    Touch(row - 1);
    Add(EKind::Exchange, row, 0, 0);
}

void CScriptChange::OnRemove(std::vector<int32_t>&& rows, std::vector<CSerif>&& serifs)
{
    assert(!rows.empty() && rows.size() == serifs.size());
    Touch(rows.front());
    Add(EKind::Remove, static_cast<int32_t>(m_RowLists.size()), m_Serifs.size(), serifs.size());
    Count(sizeof(rows) + rows.size() * sizeof(int32_t));
    m_RowLists.push_back(std::move(rows));
    for (CSerif& serif : serifs) {
        Count(BytesOf(serif));
        m_Serifs.push_back(std::move(serif));
    }
}

// Undo and Redo are one swap each way, except where rows come and go.
void CScriptChange::Apply(CScript& script, const COp& op, bool undo)
{
    std::vector<CSerif>& serifs = script.m_Serifs;
    const size_t row = static_cast<size_t>(op.m_Row);
    CSerif* held = m_Serifs.data() + op.m_Data;
    switch (op.m_Kind) {
    case EKind::Title:
        script.m_Title.swap(m_Texts[op.m_Data]);
        break;
    case EKind::Memo:
        script.m_Memo.swap(m_Texts[op.m_Data]);
        break;
    case EKind::DirectionFormat:
        script.m_DirectionFormat.swap(m_Texts[op.m_Data]);
        break;
    case EKind::Casts:
        script.m_Casts.swap(m_CastLists[op.m_Data]);
        break;
    case EKind::Set:
        std::swap(serifs[row], *held);
        break;
    case EKind::Exchange:
        std::swap(serifs[row], serifs[row - 1]);
        break;
    case EKind::Insert:
    case EKind::Erase: {
        // Undoing an insert takes rows out as redoing an erase does.
        const bool takeOut = (op.m_Kind == EKind::Insert) == undo;
        const auto at = serifs.begin() + op.m_Row;
        if (takeOut) {
            std::move(at, at + op.m_Count, held);
            serifs.erase(at, at + op.m_Count);
        } else {
            serifs.insert(at, std::make_move_iterator(held),
                          std::make_move_iterator(held + op.m_Count));
        }
        break;
    }
    case EKind::Remove:
        if (undo)
            RestoreRows(serifs, m_RowLists[row], held);
        else
            RemoveRows(serifs, m_RowLists[row], held);
        break;
    }
}

void CScriptChange::Undo(CScript& script)
{
    for (auto op = m_Ops.rbegin(); op != m_Ops.rend(); ++op)
        Apply(script, *op, true);
}

void CScriptChange::Redo(CScript& script)
{
    for (const COp& op : m_Ops)
        Apply(script, op, false);
}
