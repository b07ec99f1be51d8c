// CMainWnd: New, Open, Save, Save as, the recent-files menu and dropped files.
#include "app/MainWnd.h"

#include <shellapi.h>

#include <utility>
#include <vector>

#include "res/resource.h"
#include "wnd/FileDialog.h"
#include "wnd/MessageBox.h"
#include "wnd/PathSplit.h"

namespace
{

const char kScenarioFilter[] = "シナリオファイル(*.xml)|*.xml";

std::vector<std::string> HistoryEntries(const CFileHistory& history)
{
    std::vector<std::string> entries;
    std::string path;
    int32_t cursor = history.Begin();
    while (history.GetNext(path, cursor))
        entries.push_back(path);
    return entries;
}

}  // namespace

void CMainWnd::NewScenario()
{
    if (!AskYesNo(m_Wnd, "現在のシナリオを破棄します。\nよろしいですか？", "確認"))
        return;
    m_Sequencer.ForgetLastPastedRow();
    m_Saved = true;
    m_FileName.clear();
    m_Script.Clear();
    m_History.Clear(m_Script);
    ClearCastBox();
    ShowRowCount(0);
    UpdateTitle("");
    EditScenarioSettings();
    EditCasts();
}

// The file is read into a scenario of its own and taken over only when the
// whole file was read: a failed open leaves the current scenario, the list,
// the cast box, the file name, the saved flag and the title as they were.
bool CMainWnd::OpenScenario(const std::string& requested)
{
    if (!ConfirmDiscardChanges())
        return false;
    std::string path = requested;
    if (!ChoosePathIfEmpty(m_Wnd, kScenarioFilter, false, path))
        return false;
    CScript loaded;
    if (!loaded.Load(path)) {
        ShowError(loaded.GetError().empty() ? "読み込みに失敗しました。"
                                            : loaded.GetError().c_str());
        return false;
    }
    m_Script = std::move(loaded);
    m_History.Clear(m_Script);
    RefreshCastsAndSerifs();
    m_SerifList.Select(0);
    SetFocus(m_SerifList.GetHandle());
    m_FileName = path;
    m_Option.m_FileHistory.Add(path);
    RebuildRecentFilesMenu();
    SetSaved(true);
    return true;
}

bool CMainWnd::SaveScenario(const std::string& requested)
{
    std::string path = requested;
    if (!ChoosePathIfEmpty(m_Wnd, kScenarioFilter, true, path))
        return false;
    if (!m_Script.Save(path)) {
        ShowError("保存に失敗しました。");
        return false;
    }
    m_FileName = path;
    m_History.MarkSaved();
    SetSaved(true);
    return true;
}

void CMainWnd::OpenRecentFile(int position)
{
    const std::vector<std::string> entries = HistoryEntries(m_Option.m_FileHistory);
    if (position < 0 || position >= static_cast<int>(entries.size()))
        return;
    OpenScenario(entries[static_cast<size_t>(position)]);
}

void CMainWnd::ClearFileHistory()
{
    if (!AskYesNo(m_Wnd, "全てのファイル履歴を削除します。\r\nよろしいですか？", "確認"))
        return;
    m_Option.m_FileHistory.Clear();
    RebuildRecentFilesMenu();
}

void CMainWnd::RebuildRecentFilesMenu()
{
    HMENU menu = m_Wnd != nullptr ? GetMenu(m_Wnd) : nullptr;
    if (menu == nullptr)
        return;
    for (UINT id = IDM_FILE_RECENT_FIRST; id <= IDM_FILE_RECENT_LAST; ++id) {
        while (RemoveMenu(menu, id, MF_BYCOMMAND)) {
        }
    }
    while (RemoveMenu(menu, IDM_FILE_RECENT_SEPARATOR, MF_BYCOMMAND)) {
    }

    const std::vector<std::string> entries = HistoryEntries(m_Option.m_FileHistory);
    const int shown = static_cast<int>(entries.size()) < 10 ? static_cast<int>(entries.size()) : 10;
    for (int p = 0; p < shown; ++p) {
        char number[16] = {};
        wsprintfA(number, "%ld", static_cast<long>(p));
        const std::string text = std::string("&") + number + " " + entries[static_cast<size_t>(p)];
        m_Menu.InsertItem(text.c_str(), IDM_FILE_RECENT_FIRST + p, IDM_FILE_CLEAR_HISTORY, false,
                          menu);
    }
    if (shown > 0) {
        EnableMenuItem(menu, IDM_FILE_CLEAR_HISTORY, MF_BYCOMMAND | MF_ENABLED);
    } else {
        MENUITEMINFOA none = {};
        none.cbSize = sizeof(none);
        none.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
        none.fType = MFT_STRING;
        none.fState = MFS_GRAYED | MFS_DISABLED;
        none.wID = IDM_FILE_RECENT_FIRST;
        none.dwTypeData = const_cast<char*>("(なし)");
        InsertMenuItemA(menu, IDM_FILE_CLEAR_HISTORY, FALSE, &none);
        EnableMenuItem(menu, IDM_FILE_CLEAR_HISTORY, MF_BYCOMMAND | MF_GRAYED);
    }
    MENUITEMINFOA separator = {};
    separator.cbSize = sizeof(separator);
    separator.fMask = MIIM_ID | MIIM_TYPE;
    separator.fType = MFT_SEPARATOR;
    separator.wID = IDM_FILE_RECENT_SEPARATOR;
    InsertMenuItemA(menu, IDM_FILE_CLEAR_HISTORY, FALSE, &separator);
    DrawMenuBar(m_Wnd);
}

// The first scenario (.xml) is opened; without one, the first text file
// (.txt) is imported. The rest are ignored.
LRESULT CMainWnd::OnDropFiles(HDROP drop)
{
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    std::string scenario;
    std::string text;
    for (UINT i = 0; i < count && scenario.empty(); ++i) {
        char path[CPathSplit::kPathSize] = {};
        const UINT length = DragQueryFileA(drop, i, path, sizeof path);
        if (length == 0 || length >= sizeof path)
            continue;
        CPathSplit split;
        if (!split.Set(path))
            continue;
        if (lstrcmpiA(split.GetExt(), ".xml") == 0)
            scenario = path;
        else if (text.empty() && lstrcmpiA(split.GetExt(), ".txt") == 0)
            text = path;
    }
    DragFinish(drop);
    if (!scenario.empty())
        OpenScenario(scenario);
    else if (!text.empty())
        ImportTextFile(text);
    return 0;
}
