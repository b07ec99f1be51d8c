// CMainWnd: the standby strip and the cue hotkeys (skip, back, repeat, and
// the next and previous cast).
#include "app/MainWnd.h"

#include <mmsystem.h>

#include "appcore/PasteText.h"
#include "appcore/Standby.h"
#include "option/HotKeyName.h"
#include "res/resource.h"

static_assert(CPasteSequencer::kSkipId == ID_SKIP_HOTKEY, "skip hotkey identifier");
static_assert(CPasteSequencer::kBackId == ID_BACK_HOTKEY, "back hotkey identifier");
static_assert(CPasteSequencer::kRepeatId == ID_REPEAT_HOTKEY, "repeat hotkey identifier");
static_assert(CPasteSequencer::kNextCastId == ID_NEXT_CAST_HOTKEY, "next cast identifier");
static_assert(CPasteSequencer::kPrevCastId == ID_PREV_CAST_HOTKEY, "previous cast identifier");

namespace
{

struct CCueKey
{
    int m_Id;
    uint16_t COptionCue::*m_Value;
};

const CCueKey kCueKeys[] = {
    {ID_SKIP_HOTKEY, &COptionCue::m_Skip},          {ID_BACK_HOTKEY, &COptionCue::m_Back},
    {ID_REPEAT_HOTKEY, &COptionCue::m_Repeat},      {ID_NEXT_CAST_HOTKEY, &COptionCue::m_NextCast},
    {ID_PREV_CAST_HOTKEY, &COptionCue::m_PrevCast},
};

}  // namespace

void CMainWnd::CreateStandby()
{
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExA(GetModuleHandleA(nullptr), CStandbyWnd::kClassName, &existing))
        CStandbyWnd::RegisterStandbyClass();
    COptionCue& cue = m_Option.m_Cue;
    int x = cue.m_StandbyX;
    int y = cue.m_StandbyY;
    if (!cue.m_HasPosition) {
        // First showing: centred at the top of the main monitor's work area.
        RECT work = {0, 0, 800, 600};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        x = work.left + (work.right - work.left - cue.m_StandbyWidth) / 2;
        y = work.top + 8;
    }
    if (!m_Standby.CreateStandby(m_Wnd, x, y, cue.m_StandbyWidth))
        return;
    // A place moved back onto a monitor is the place kept.
    KeepStandbyPlace();
}

void CMainWnd::KeepStandbyPlace()
{
    if (!m_Standby.IsBound())
        return;
    const RECT rect = m_Standby.GetScreenRect();
    COptionCue& cue = m_Option.m_Cue;
    cue.m_HasPosition = true;
    cue.m_StandbyX = rect.left;
    cue.m_StandbyY = rect.top;
    cue.m_StandbyWidth = rect.right - rect.left;
}

void CMainWnd::ToggleStandby()
{
    COptionCue& cue = m_Option.m_Cue;
    cue.m_ShowStandby = cue.m_ShowStandby ? 0 : 1;
}

CStandby CMainWnd::NextPressPreview()
{
    const CPressRows press = PressRowsOf(m_Script.GetSerifs(), GetActiveCasts());
    return PreviewNextPress(m_Sequencer, press.m_Rows, m_SerifList.GetSelected(), press.m_Active);
}

// Shows what the next press does, while monitoring is on and the strip is
// switched on; hides the strip otherwise.
void CMainWnd::RefreshStandby(const CStandby& next)
{
    if (!m_Standby.IsBound())
        return;
    const bool show = IsMonitoring() && m_Option.m_Cue.m_ShowStandby != 0;
    if (show) {
        m_Standby.SetLine(StandbyLine(next, m_Script, m_Option.m_Paste.m_LengthWarning));
    }
    m_Standby.ShowStrip(show);
}

bool CMainWnd::RegisterCueHotKeys()
{
    std::string failed;
    for (const CCueKey& key : kCueKeys) {
        const unsigned value = m_Option.m_Cue.*key.m_Value;
        if (value == 0)
            continue;
        if (RegisterHotKey(m_Wnd, key.m_Id, PasteHotKeyModifiers(value), value & 0xFF))
            m_CueKeysRegistered |= 1u << key.m_Id;
        else
            failed += (failed.empty() ? "" : "、") + HotKeyName(static_cast<uint16_t>(value));
    }
    if (failed.empty())
        return true;
    ShowError(("ほかのプログラムが使っているため、次のホットキーを設定できませんでした：" + failed)
                  .c_str());
    return false;
}

void CMainWnd::UnregisterCueHotKeys()
{
    for (const CCueKey& key : kCueKeys) {
        if (m_CueKeysRegistered & (1u << key.m_Id))
            UnregisterHotKey(m_Wnd, key.m_Id);
    }
    m_CueKeysRegistered = 0;
}

void CMainWnd::OnCueKey(uint32_t id)
{
    if (id == CPasteSequencer::kNextCastId || id == CPasteSequencer::kPrevCastId) {
        StepActiveCast(id == CPasteSequencer::kNextCastId ? 1 : -1);
        RefreshViews();
        return;
    }
    const CPressRows press = PressRowsOf(m_Script.GetSerifs(), GetActiveCasts());
    const std::vector<int32_t>& rows = press.m_Rows;
    const int32_t cast = press.m_Active;
    const int32_t cursor = m_SerifList.GetSelected();
    int32_t moved = kNoRow;
    if (id == CPasteSequencer::kSkipId) {
        moved = m_Sequencer.Skip(rows, cursor, cast);
    } else if (id == CPasteSequencer::kBackId) {
        moved = m_Sequencer.Back(rows, cursor, cast);
    } else if (id == CPasteSequencer::kRepeatId) {
        const int32_t row = m_Sequencer.RepeatRow(rows, cast);
        if (row != kNoRow)
            TypeSerif(row);
    }
    if (moved != kNoRow) {
        m_SerifList.Select(moved);
        m_SerifList.EnsureVisible(moved, false);
    }
    RefreshViews();
}
