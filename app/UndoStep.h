// CUndoStep: the wrap around every command that changes the scenario. The
// scenario's changes while it lives are recorded as one undo step named
// after the command (none when nothing changed); a step inside another
// joins it. Holds a reference to the window, which must outlive it.
#pragma once

#include "app/MainWnd.h"

class CUndoStep
{
public:
    CUndoStep(CMainWnd& window, const char* name) : m_Window(window)
    {
        m_Window.GetHistory().Begin(m_Window.GetScript(), name);
    }
    ~CUndoStep() { m_Window.GetHistory().End(m_Window.GetScript()); }
    CUndoStep(const CUndoStep&) = delete;
    CUndoStep& operator=(const CUndoStep&) = delete;

private:
    CMainWnd& m_Window;
};
