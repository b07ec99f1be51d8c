// CMonitoringPause: the wrap around every modal dialog opened from the main
// window. Monitoring is off while the dialog runs; when the pause ends, the
// serif list gets the keyboard focus back and monitoring its earlier state.
// Holds a reference to the window, which must outlive the pause.
#pragma once

#include "app/MainWnd.h"

class CMonitoringPause
{
public:
    explicit CMonitoringPause(CMainWnd& window)
        : m_Window(window), m_WasMonitoring(window.IsMonitoring())
    {
        m_Window.SetMonitoring(false);
    }
    ~CMonitoringPause()
    {
        SetFocus(m_Window.GetSerifList().GetHandle());
        m_Window.SetMonitoring(m_WasMonitoring);
    }
    CMonitoringPause(const CMonitoringPause&) = delete;
    CMonitoringPause& operator=(const CMonitoringPause&) = delete;

private:
    CMainWnd& m_Window;
    bool m_WasMonitoring;
};
