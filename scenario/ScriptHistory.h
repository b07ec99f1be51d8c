// CScriptHistory: the undo and redo steps of one scenario. A step is what
// one command changed (CScriptChange) with the command's name. Begin and End
// frame a command: the scenario's operations in between are recorded, and
// End keeps them as one step when anything changed, dropping the steps that
// could have been redone. Undo and Redo walk the steps back and forth.
//
// The history keeps at most `maxSteps` steps and `maxBytes` of their memory;
// past either, the oldest steps go first (a single step larger than the
// whole budget is not kept at all).
//
// The save point: MarkSaved says the scenario as it is now is the one on
// disk; IsAtSavePoint tells whether undoing or redoing has come back to it.
// Clear forgets every step and makes the present state the save point.
//
// The steps apply only to the scenario they were recorded on, as they left
// it: should it have changed outside Begin and End (its revision tells),
// the steps are dropped rather than applied to other rows.
#pragma once

#include "scenario/ScriptChange.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

class CScript;

class CScriptHistory
{
public:
    static const size_t kDefaultMaxSteps = 1000;
    static const size_t kDefaultMaxBytes = 64u * 1024 * 1024;

    explicit CScriptHistory(size_t maxSteps = kDefaultMaxSteps, size_t maxBytes = kDefaultMaxBytes);

    struct CStep
    {
        std::string m_Name;
        CScriptChange m_Change;
        uint64_t m_Serial = 0;  // the state the step leads to
    };

    // Starts recording `script`'s changes as the step `name`. A Begin inside
    // another joins it: the outer command is the step.
    void Begin(CScript& script, const std::string& name);
    // Ends the recording. True when a step was added (the scenario changed).
    bool End(CScript& script);

    bool CanUndo() const { return m_Applied > 0; }
    bool CanRedo() const { return m_Applied < m_Steps.size(); }
    // The step Undo or Redo would take; null when there is none.
    const CStep* NextUndo() const;
    const CStep* NextRedo() const;
    // Takes one step back or forward on `script`, which must be the state
    // the history left; the step taken, null when there was none.
    const CStep* Undo(CScript& script);
    const CStep* Redo(CScript& script);

    // `script` is the scenario the history follows from now on.
    void Clear(const CScript& script);
    void MarkSaved() { m_SavedSerial = CurrentSerial(); }
    // No state of the history is the one on disk (a scenario never saved).
    void ForgetSavePoint() { m_SavedSerial = kNoSerial; }
    bool IsAtSavePoint() const { return CurrentSerial() == m_SavedSerial; }

    size_t GetStepCount() const { return m_Steps.size(); }
    size_t GetUndoCount() const { return m_Applied; }
    size_t GetBytes() const { return m_Bytes; }

private:
    static const uint64_t kNoSerial = ~uint64_t(0);

    uint64_t CurrentSerial() const;
    void DropOldest();
    // False, with every step dropped, when `script` changed unrecorded.
    bool Follows(const CScript& script);

    size_t m_MaxSteps;
    size_t m_MaxBytes;
    std::deque<CStep> m_Steps;
    size_t m_Applied = 0;  // steps [0, m_Applied) are done, the rest undone
    size_t m_Bytes = 0;
    uint64_t m_BaseSerial = 0;  // the state before the oldest step kept
    uint64_t m_NextSerial = 1;
    uint64_t m_SavedSerial = 0;
    uint64_t m_Revision = 0;  // the scenario's revision as the history left it

    // The recording in progress.
    int m_Depth = 0;
    std::string m_PendingName;
    CScriptChange m_Pending;
};
