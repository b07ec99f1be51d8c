#include "scenario/Script.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <utility>

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
    m_Serifs.push_back(serif);
}

bool CScript::InsertSerif(int32_t i, const CSerif& serif)
{
    if (i < 0 || i > GetSerifCount())
        return false;
    m_Serifs.insert(m_Serifs.begin() + i, serif);
    return true;
}

bool CScript::InsertSerifs(int32_t i, const std::vector<CSerif>& serifs)
{
    if (i < 0 || i > GetSerifCount())
        return false;
    m_Serifs.insert(m_Serifs.begin() + i, serifs.begin(), serifs.end());
    return true;
}

bool CScript::SetSerif(int32_t i, const CSerif& serif)
{
    if (i < 0 || i >= GetSerifCount())
        return false;
    m_Serifs[static_cast<size_t>(i)] = serif;
    return true;
}

bool CScript::EraseSerif(int32_t i)
{
    if (i < 0 || i >= GetSerifCount())
        return false;
    m_Serifs.erase(m_Serifs.begin() + i);
    return true;
}

bool CScript::ExchangeSerifs(int32_t i)
{
    if (i < 1 || i >= GetSerifCount())
        return false;
    std::swap(m_Serifs[static_cast<size_t>(i)], m_Serifs[static_cast<size_t>(i) - 1]);
    return true;
}

void CScript::AddCast(const CCast& cast)
{
    m_Casts.push_back(cast);
}

void CScript::ReplaceCasts(const std::vector<CCast>& casts)
{
    if (&casts != &m_Casts)
        m_Casts = casts;
}

void CScript::RemoveSerifsOfCasts(const std::vector<int32_t>& ids)
{
    if (ids.empty())
        return;
    std::vector<CSerif> kept;
    kept.reserve(m_Serifs.size());
    for (const CSerif& serif : m_Serifs) {
        if (std::find(ids.begin(), ids.end(), serif.m_CastId) == ids.end())
            kept.push_back(serif);
    }
    m_Serifs.swap(kept);
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
    m_Title.clear();
    m_Memo.clear();
    m_Casts.clear();
    m_Serifs.clear();
}
