#include "scenario/ScriptHistory.h"
#include "scenario/Script.h"

#include <utility>

CScriptHistory::CScriptHistory(size_t maxSteps, size_t maxBytes)
    : m_MaxSteps(maxSteps), m_MaxBytes(maxBytes)
{}

void CScriptHistory::Begin(CScript& script, const std::string& name)
{
    if (m_Depth++ > 0)
        return;
    Follows(script);
    m_PendingName = name;
    m_Pending = CScriptChange();
    script.Record(&m_Pending);
}

bool CScriptHistory::End(CScript& script)
{
    if (m_Depth == 0 || --m_Depth > 0)
        return false;
    script.Record(nullptr);
    m_Revision = script.GetRevision();
    if (m_Pending.IsEmpty())
        return false;

    while (m_Steps.size() > m_Applied) {
        m_Bytes -= m_Steps.back().m_Change.GetBytes();
        m_Steps.pop_back();
    }
    m_Pending.Compact();
    CStep step;
    step.m_Name = std::move(m_PendingName);
    step.m_Change = std::move(m_Pending);
    step.m_Serial = m_NextSerial++;
    m_Bytes += step.m_Change.GetBytes();
    m_Steps.push_back(std::move(step));
    m_Applied = m_Steps.size();
    m_Pending = CScriptChange();
    while (!m_Steps.empty() && (m_Steps.size() > m_MaxSteps || m_Bytes > m_MaxBytes))
        DropOldest();
    return true;
}

void CScriptHistory::DropOldest()
{
    m_BaseSerial = m_Steps.front().m_Serial;
    m_Bytes -= m_Steps.front().m_Change.GetBytes();
    m_Steps.pop_front();
    if (m_Applied > 0)
        --m_Applied;
}

const CScriptHistory::CStep* CScriptHistory::NextUndo() const
{
    return CanUndo() ? &m_Steps[m_Applied - 1] : nullptr;
}

const CScriptHistory::CStep* CScriptHistory::NextRedo() const
{
    return CanRedo() ? &m_Steps[m_Applied] : nullptr;
}

const CScriptHistory::CStep* CScriptHistory::Undo(CScript& script)
{
    if (m_Depth > 0 || !Follows(script) || !CanUndo())
        return nullptr;
    CStep& step = m_Steps[--m_Applied];
    step.m_Change.Undo(script);
    m_Revision = script.GetRevision();
    return &step;
}

const CScriptHistory::CStep* CScriptHistory::Redo(CScript& script)
{
    if (m_Depth > 0 || !Follows(script) || !CanRedo())
        return nullptr;
    CStep& step = m_Steps[m_Applied++];
    step.m_Change.Redo(script);
    m_Revision = script.GetRevision();
    return &step;
}

bool CScriptHistory::Follows(const CScript& script)
{
    if (script.GetRevision() == m_Revision)
        return true;
    m_Steps.clear();
    m_Applied = 0;
    m_Bytes = 0;
    m_BaseSerial = m_NextSerial++;
    m_SavedSerial = kNoSerial;
    m_Revision = script.GetRevision();
    return false;
}

void CScriptHistory::Clear(const CScript& script)
{
    m_Revision = script.GetRevision();
    m_Steps.clear();
    m_Applied = 0;
    m_Bytes = 0;
    m_BaseSerial = m_NextSerial++;
    m_SavedSerial = m_BaseSerial;
}

uint64_t CScriptHistory::CurrentSerial() const
{
    return m_Applied > 0 ? m_Steps[m_Applied - 1].m_Serial : m_BaseSerial;
}
