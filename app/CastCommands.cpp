// CMainWnd: the casts the user plays. One is the cast box's entry; several,
// chosen in the 担当キャスト dialog, are a set shown as one more entry
// "（n 人）". The next and previous cast keys step through the box.
#include "app/MainWnd.h"
#include "app/MonitoringPause.h"

#include <algorithm>

#include "res/DialogRes.h"

int32_t CMainWnd::GetActiveCastId()
{
    if (!m_CastBox.IsBound() || IsCastSetSelected())
        return -1;
    return m_Script.FindCastId(m_CastBox.GetSelectedText());
}

bool CMainWnd::IsCastSetSelected()
{
    if (m_ActiveCasts.size() < 2 || !m_CastBox.IsBound())
        return false;
    const LRESULT count = m_CastBox.Send(CB_GETCOUNT);
    return count > 0 && m_CastBox.Send(CB_GETCURSEL) == count - 1;
}

std::vector<int32_t> CMainWnd::GetActiveCasts()
{
    if (IsCastSetSelected())
        return m_ActiveCasts;
    const int32_t id = GetActiveCastId();
    return id >= 0 ? std::vector<int32_t>{id} : std::vector<int32_t>();
}

void CMainWnd::ClearCastBox()
{
    m_CastBox.ResetContent();
    m_ActiveCasts.clear();
}

void CMainWnd::SetActiveCasts(const std::vector<int32_t>& ids)
{
    if (!m_CastBox.IsBound())
        return;
    // Kept in the scenario's cast order, each cast once.
    std::vector<int32_t> known;
    for (const CCast& cast : m_Script.GetCasts()) {
        if (cast.m_Id >= 0 && std::find(ids.begin(), ids.end(), cast.m_Id) != ids.end() &&
            std::find(known.begin(), known.end(), cast.m_Id) == known.end())
            known.push_back(cast.m_Id);
    }
    if (m_ActiveCasts.size() > 1)
        m_CastBox.Send(CB_DELETESTRING, static_cast<WPARAM>(m_CastBox.Send(CB_GETCOUNT) - 1));
    m_ActiveCasts.clear();
    if (known.empty()) {
        m_CastBox.SetCurSel(0);
    } else if (known.size() == 1) {
        SelectCastEntry(m_Script.FindCastName(known[0]));
    } else {
        m_ActiveCasts = known;
        // After the casts, whatever the box's sorting.
        const std::string entry = "（" + std::to_string(known.size()) + " 人）";
        const LRESULT at = m_CastBox.Send(CB_INSERTSTRING, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(entry.c_str()));
        m_CastBox.SetCurSel(static_cast<int>(at));
    }
    OnCastSelected();
}

void CMainWnd::ChooseActiveCasts()
{
    CMonitoringPause pause(*this);
    m_ActiveCastsDlg.Setup(&m_Script, GetActiveCasts());
    if (m_ActiveCastsDlg.DoModal(m_Wnd, IDD_ACTIVE_CASTS) == 1)
        SetActiveCasts(m_ActiveCastsDlg.GetChecked());
}

void CMainWnd::StepActiveCast(int step)
{
    if (!m_CastBox.IsBound())
        return;
    // The entries the keys step through: the empty one and the casts.
    const int entries =
        static_cast<int>(m_CastBox.Send(CB_GETCOUNT)) - (m_ActiveCasts.size() > 1 ? 1 : 0);
    if (entries <= 0)
        return;
    int current = static_cast<int>(m_CastBox.Send(CB_GETCURSEL));
    if (current < 0 || current >= entries)
        current = step > 0 ? -1 : 0;
    m_CastBox.SetCurSel(((current + step) % entries + entries) % entries);
    OnCastSelected();
}
