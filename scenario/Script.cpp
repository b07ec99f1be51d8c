#include "scenario/Script.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <utility>

namespace
{

bool SameCasts(const std::vector<CCast>& a, const std::vector<CCast>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].m_Id != b[i].m_Id || a[i].m_Name != b[i].m_Name || a[i].m_Memo != b[i].m_Memo ||
            a[i].m_Format != b[i].m_Format)
            return false;
    }
    return true;
}

bool SameSerif(const CSerif& a, const CSerif& b)
{
    return a.m_CastId == b.m_CastId && a.m_Text == b.m_Text && a.m_Memo == b.m_Memo;
}

}  // namespace

void CScript::SetTitle(const std::string& title)
{
    CScriptChange* const change = Changing();
    if (change && title != m_Title)
        change->OnText(CScriptChange::EKind::Title, m_Title, title);
    m_Title = title;
}

void CScript::SetMemo(const std::string& memo)
{
    CScriptChange* const change = Changing();
    if (change && memo != m_Memo)
        change->OnText(CScriptChange::EKind::Memo, m_Memo, memo);
    m_Memo = memo;
}

void CScript::SetDirectionFormat(const std::string& format)
{
    CScriptChange* const change = Changing();
    if (change && format != m_DirectionFormat)
        change->OnText(CScriptChange::EKind::DirectionFormat, m_DirectionFormat, format);
    m_DirectionFormat = format;
}

const CSerif& CScript::GetSerif(int32_t i) const
{
    assert(i >= 0 && i < GetSerifCount());
    return m_Serifs[static_cast<size_t>(i)];
}

const CCast& CScript::GetCast(int32_t i) const
{
    assert(i >= 0 && i < GetCastCount());
    return m_Casts[static_cast<size_t>(i)];
}

void CScript::AddSerif(const CSerif& serif)
{
    if (CScriptChange* const change = Changing())
        change->OnInsert(GetSerifCount(), &serif, 1);
    m_Serifs.push_back(serif);
}

bool CScript::InsertSerif(int32_t i, const CSerif& serif)
{
    if (i < 0 || i > GetSerifCount())
        return false;
    if (CScriptChange* const change = Changing())
        change->OnInsert(i, &serif, 1);
    m_Serifs.insert(m_Serifs.begin() + i, serif);
    return true;
}

bool CScript::InsertSerifs(int32_t i, const std::vector<CSerif>& serifs)
{
    if (i < 0 || i > GetSerifCount())
        return false;
    CScriptChange* const change = Changing();
    if (change && !serifs.empty())
        change->OnInsert(i, serifs.data(), serifs.size());
    m_Serifs.insert(m_Serifs.begin() + i, serifs.begin(), serifs.end());
    return true;
}

bool CScript::SetSerif(int32_t i, const CSerif& serif)
{
    if (i < 0 || i >= GetSerifCount())
        return false;
    CSerif& target = m_Serifs[static_cast<size_t>(i)];
    CScriptChange* const change = Changing();
    if (change && !SameSerif(target, serif)) {
        // The old row moves into the change (`serif` is not that row: they differ).
        change->OnSet(i, std::move(target), serif);
    }
    target = serif;
    return true;
}

bool CScript::EraseSerif(int32_t i)
{
    if (i < 0 || i >= GetSerifCount())
        return false;
    if (CScriptChange* const change = Changing())
        change->OnErase(i, std::move(m_Serifs[static_cast<size_t>(i)]));
    m_Serifs.erase(m_Serifs.begin() + i);
    return true;
}

bool CScript::ExchangeSerifs(int32_t i)
{
    if (i < 1 || i >= GetSerifCount())
        return false;
    if (CScriptChange* const change = Changing())
        change->OnExchange(i);
    std::swap(m_Serifs[static_cast<size_t>(i)], m_Serifs[static_cast<size_t>(i) - 1]);
    return true;
}

void CScript::AddCast(const CCast& cast)
{
    if (CScriptChange* const change = Changing()) {
        std::vector<CCast> after = m_Casts;
        after.push_back(cast);
        change->OnCasts(m_Casts, after);
    }
    m_Casts.push_back(cast);
}

void CScript::ReplaceCasts(const std::vector<CCast>& casts)
{
    if (&casts == &m_Casts)
        return;
    CScriptChange* const change = Changing();
    if (change && !SameCasts(m_Casts, casts))
        change->OnCasts(m_Casts, casts);
    m_Casts = casts;
}

void CScript::RemoveSerifsOfCasts(const std::vector<int32_t>& ids)
{
    if (ids.empty())
        return;
    CScriptChange* const change = Changing();
    std::vector<CSerif> kept;
    kept.reserve(m_Serifs.size());
    std::vector<int32_t> rows;
    std::vector<CSerif> removed;
    for (size_t i = 0; i < m_Serifs.size(); ++i) {
        CSerif& serif = m_Serifs[i];
        if (std::find(ids.begin(), ids.end(), serif.m_CastId) == ids.end()) {
            kept.push_back(std::move(serif));
        } else if (change) {
            rows.push_back(static_cast<int32_t>(i));
            removed.push_back(std::move(serif));
        }
    }
    m_Serifs.swap(kept);
    if (change && !rows.empty())
        change->OnRemove(std::move(rows), std::move(removed));
}

int32_t CScript::NextCastId(const std::vector<CCast>& casts)
{
    // Negative ids mean "no cast", so they never raise the next id; a list of
    // only such ids starts over at 0 like an empty one.
    int32_t largest = -1;
    for (const CCast& cast : casts)
        largest = std::max(largest, cast.m_Id);
    if (largest < std::numeric_limits<int32_t>::max())
        return largest + 1;

    // One more than INT32_MAX does not exist (only a file can hold that id):
    // take the smallest free non-negative id, which exists because the list
    // is far shorter than 2^31.
    std::vector<int32_t> used;
    used.reserve(casts.size());
    for (const CCast& cast : casts) {
        if (cast.m_Id >= 0)
            used.push_back(cast.m_Id);
    }
    std::sort(used.begin(), used.end());
    int32_t candidate = 0;
    for (int32_t id : used) {
        if (id > candidate)
            break;
        if (id == candidate)
            ++candidate;
    }
    return candidate;
}

int32_t CScript::FindCastId(const std::string& name) const
{
    for (const CCast& cast : m_Casts) {
        if (cast.m_Name == name)
            return cast.m_Id;
    }
    return -1;
}

std::string CScript::FindCastName(int32_t id) const
{
    if (id < 0)
        return std::string();
    for (const CCast& cast : m_Casts) {
        if (cast.m_Id == id)
            return cast.m_Name;
    }
    return std::string();
}

void CScript::Clear()
{
    if (CScriptChange* const change = Changing()) {
        SetTitle(std::string());
        SetMemo(std::string());
        SetDirectionFormat(std::string());
        ReplaceCasts(std::vector<CCast>());
        std::vector<int32_t> rows;
        for (int32_t i = 0; i < GetSerifCount(); ++i)
            rows.push_back(i);
        if (!rows.empty())
            change->OnRemove(std::move(rows), std::move(m_Serifs));
    }
    m_Title.clear();
    m_Memo.clear();
    m_DirectionFormat.clear();
    m_Casts.clear();
    m_Serifs.clear();
}
