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

size_t BytesOf(const std::vector<CCast>& casts)
{
    size_t bytes = sizeof(casts) + casts.size() * sizeof(CCast);
    for (const CCast& cast : casts)
        bytes += HeapOf(cast.m_Name) + HeapOf(cast.m_Memo);
    return bytes;
}

// Takes the rows at the ascending positions `rows` out of `serifs`, in one
// pass.
void RemoveRows(std::vector<CSerif>& serifs, const std::vector<int32_t>& rows)
{
    size_t out = static_cast<size_t>(rows.front());
    size_t next = 0;
    for (size_t in = out; in < serifs.size(); ++in) {
        if (next < rows.size() && static_cast<size_t>(rows[next]) == in) {
            ++next;
            continue;
        }
        serifs[out++] = std::move(serifs[in]);
    }
    serifs.resize(out);
}

// Puts `removed` back at the ascending positions `rows` (positions in the
// list as it was before they were taken), in one pass.
void RestoreRows(std::vector<CSerif>& serifs, const std::vector<int32_t>& rows,
                 const CSerif* removed)
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
            serifs[out] = removed[next];
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

void CScriptChange::Count(const std::string& text)
{
    m_Bytes += sizeof(std::string) + HeapOf(text);
}

void CScriptChange::Count(const CSerif& serif)
{
    m_Bytes += sizeof(CSerif) + HeapOf(serif.m_Text) + HeapOf(serif.m_Memo);
}

void CScriptChange::Count(const std::vector<CCast>& casts)
{
    m_Bytes += BytesOf(casts);
}

void CScriptChange::OnText(EKind kind, const std::string& before, const std::string& after)
{
    Add(kind, -1, m_Texts.size(), 0);
    m_Texts.push_back(before);
    m_Texts.push_back(after);
    Count(m_Texts[m_Texts.size() - 2]);
    Count(m_Texts.back());
}

// Cast changes in a row (a text import adds its casts one by one) are one
// operation: the list before the first and after the last.
void CScriptChange::OnCasts(const std::vector<CCast>& before, const std::vector<CCast>& after)
{
    m_ChangesCasts = true;
    if (!m_Ops.empty() && m_Ops.back().m_Kind == EKind::Casts) {
        std::vector<CCast>& last = m_CastLists[m_Ops.back().m_Data + 1];
        m_Bytes -= std::min(m_Bytes, BytesOf(last));
        last = after;
        Count(last);
        return;
    }
    Add(EKind::Casts, -1, m_CastLists.size(), 0);
    m_CastLists.push_back(before);
    m_CastLists.push_back(after);
    Count(before);
    Count(after);
}

void CScriptChange::OnInsert(int32_t row, const CSerif* first, size_t count)
{
    Touch(row);
    Add(EKind::Insert, row, m_Serifs.size(), count);
    for (size_t i = 0; i < count; ++i) {
        m_Serifs.push_back(first[i]);
        Count(first[i]);
    }
}

void CScriptChange::OnErase(int32_t row, CSerif&& serif)
{
    Touch(row);
    Add(EKind::Erase, row, m_Serifs.size(), 1);
    Count(serif);
    m_Serifs.push_back(std::move(serif));
}

void CScriptChange::OnSet(int32_t row, CSerif&& before, const CSerif& after)
{
    Touch(row);
    Add(EKind::Set, row, m_Serifs.size(), 2);
    Count(before);
    Count(after);
    m_Serifs.push_back(std::move(before));
    m_Serifs.push_back(after);
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
    m_Bytes += sizeof(rows) + rows.size() * sizeof(int32_t);
    m_RowLists.push_back(std::move(rows));
    for (CSerif& serif : serifs) {
        Count(serif);
        m_Serifs.push_back(std::move(serif));
    }
}

void CScriptChange::Undo(CScript& script) const
{
    std::vector<CSerif>& serifs = script.m_Serifs;
    for (auto op = m_Ops.rbegin(); op != m_Ops.rend(); ++op) {
        const size_t row = static_cast<size_t>(op->m_Row);
        switch (op->m_Kind) {
        case EKind::Title:
            script.m_Title = m_Texts[op->m_Data];
            break;
        case EKind::Memo:
            script.m_Memo = m_Texts[op->m_Data];
            break;
        case EKind::Casts:
            script.m_Casts = m_CastLists[op->m_Data];
            break;
        case EKind::Insert:
            serifs.erase(serifs.begin() + op->m_Row, serifs.begin() + op->m_Row + op->m_Count);
            break;
        case EKind::Erase:
            serifs.insert(serifs.begin() + op->m_Row, m_Serifs[op->m_Data]);
            break;
        case EKind::Set:
            serifs[row] = m_Serifs[op->m_Data];
            break;
        case EKind::Exchange:
            std::swap(serifs[row], serifs[row - 1]);
            break;
        case EKind::Remove:
            RestoreRows(serifs, m_RowLists[row], &m_Serifs[op->m_Data]);
            break;
        }
    }
}

void CScriptChange::Redo(CScript& script) const
{
    std::vector<CSerif>& serifs = script.m_Serifs;
    for (const COp& op : m_Ops) {
        const size_t row = static_cast<size_t>(op.m_Row);
        switch (op.m_Kind) {
        case EKind::Title:
            script.m_Title = m_Texts[op.m_Data + 1];
            break;
        case EKind::Memo:
            script.m_Memo = m_Texts[op.m_Data + 1];
            break;
        case EKind::Casts:
            script.m_Casts = m_CastLists[op.m_Data + 1];
            break;
        case EKind::Insert:
            serifs.insert(serifs.begin() + op.m_Row, m_Serifs.begin() + op.m_Data,
                          m_Serifs.begin() + op.m_Data + op.m_Count);
            break;
        case EKind::Erase:
            serifs.erase(serifs.begin() + op.m_Row);
            break;
        case EKind::Set:
            serifs[row] = m_Serifs[op.m_Data + 1];
            break;
        case EKind::Exchange:
            std::swap(serifs[row], serifs[row - 1]);
            break;
        case EKind::Remove:
            RemoveRows(serifs, m_RowLists[row]);
            break;
        }
    }
}
