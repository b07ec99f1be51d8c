// CMainWnd: the program's one top-level window. It holds the serif list, the
// cast box on the rebar, the toolbar, the status bar and the menu bar, owns
// the scenario (CScript), the options (COption, with the file history) and
// one object of every dialog, and routes every command, notification and the
// paste hotkey to its handlers.
//
// The handlers are grouped by command in their own files: MainWnd.cpp
// (creation, layout, title, options, close), FileCommands.cpp,
// PasteCommands.cpp, EditCommands.cpp, SearchCommands.cpp,
// TextCommands.cpp and UndoCommands.cpp. Every command that changes the
// scenario is one undo step (app/UndoStep.h).
//
// The object does not own its window: the window is destroyed by the close
// sequence (or by the test that made it) before the object ends. All texts
// are UTF-8.
//
// The scenario is the only copy of the serifs. The serif list is virtual: it
// holds the row count, the cursor and the selection, and row r shows serif r,
// asked for as it paints (LVN_GETDISPINFO), with the serif's cast id as its
// item data. A command changes the scenario, then tells the list the rows
// that changed or the new count (ShowRowsChanged, ShowRowCount). After every
// command, press and cursor move, RefreshViews brings the status bar, the
// standby strip, the toolbar and the menu's check marks up to date; nothing
// else writes them.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>

#include "app/StandbyWnd.h"
#include "appcore/PasteSequencer.h"
#include "appcore/TextSearch.h"
#include "appcore/Standby.h"
#include "dialogs/ActiveCastsDlg.h"
#include "dialogs/CastDlg.h"
#include "dialogs/JumpDlg.h"
#include "dialogs/ScriptDlg.h"
#include "dialogs/SerifDlg.h"
#include "option/Option.h"
#include "scenario/Script.h"
#include "scenario/ScriptHistory.h"
#include "wnd/Clipboard.h"
#include "wnd/ClipboardSnapshot.h"
#include "wnd/ComboBox.h"
#include "wnd/FindDlg.h"
#include "wnd/ListView.h"
#include "wnd/Menu.h"
#include "wnd/ReBar.h"
#include "wnd/ReplaceDlg.h"
#include "wnd/Static.h"
#include "wnd/StatusBar.h"
#include "wnd/ToolBar.h"
#include "wnd/VirtualListView.h"
#include "wnd/Window.h"

struct CTextLines;

class CMainWnd : public CWindow
{
public:
    static const char kClassName[];    // "Rolecue"
    static const char kProductName[];  // "Rolecue Ver 0.11": title, mutex, about box

    CMainWnd();
    ~CMainWnd() override;

    // Registers the window class "Rolecue" (menu 109, arrow cursor, white
    // background). The class atom, 0 on failure.
    static ATOM RegisterMainClass();
    // Creates the window (WM_CREATE builds the children, loads the options
    // and registers the hotkey). Whether it was created.
    bool CreateMain();

    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // --- main window (MainWnd.cpp) ---
    // The program's error box: owned by this window, caption "エラー".
    void ShowError(const char* text) const;
    // Stores the saved flag and rewrites the title.
    void SetSaved(bool saved);
    // Title = scenario title + mark + " - " + product name.
    void UpdateTitle(const char* mark);
    // Reads and writes the option file. LoadOptions shows the failure box
    // and returns false when the file cannot be read.
    bool LoadOptions();
    bool SaveOptions();
    // Refills the cast box and gives the serif list the scenario's row
    // count, painting every row again; afterwards no cast is active.
    void RefreshCastsAndSerifs();
    // The one refresh of the views that show state (see above). Held while a
    // press is carried out, which refreshes once its keys are out.
    void RefreshViews();
    // The option file; by default "option.xml" beside the executable. Set
    // before the window is created to use another (tests do).
    void SetOptionPath(const std::string& path) { m_OptionPath = path; }
    std::string GetOptionPath() const;
    // The close question for unsaved changes ("内容が変更されています。...").
    // True when the caller may go on: nothing unsaved, No, or Yes and the
    // save succeeded. False for Cancel and for a save that failed or whose
    // dialog was cancelled.
    bool ConfirmDiscardChanges();

    // --- monitoring and hotkey paste (PasteCommands.cpp) ---
    bool IsMonitoring() const { return m_Monitoring; }
    // Switches monitoring and refreshes the views.
    void SetMonitoring(bool on);
    void ToggleMonitoring();
    bool IsAddReturn() const;
    void ToggleAddReturn();
    // Id of the cast named by the cast box's selected entry, -1 for none
    // (and for several).
    int32_t GetActiveCastId();

    // --- the casts the user plays (CastCommands.cpp) ---
    // One active cast is the cast box's entry. Several are a set, shown in
    // the box as an entry "（n 人）" after the casts, selected; choosing any
    // other entry ends the set, and so do opening and New (the cast box is
    // filled again).
    // The active casts' ids, in the scenario's cast order; empty for none.
    std::vector<int32_t> GetActiveCasts();
    // Makes these the active casts (ids no cast has are left out) and
    // repaints the list in their colours.
    void SetActiveCasts(const std::vector<int32_t>& ids);
    // 担当キャストを選ぶ: the dialog of check boxes.
    void ChooseActiveCasts();
    // The next (1) or previous (-1) entry of the cast box, the empty one
    // included, wrapping round.
    void StepActiveCast(int step);
    bool RegisterPasteHotKey();
    bool UnregisterPasteHotKey();
    bool IsHotKeyRegistered() const { return m_HotKeyRegistered; }
    LRESULT OnHotKey(WPARAM id);
    // A press of the paste hotkey: the keys go out before any view is
    // touched; the cursor follows, and the views are refreshed afterwards.
    void PasteNextSerif();
    // What a press pastes for `row` (in range): the serif in its format,
    // escaped for the chat when the options say so.
    std::string PasteTextOfRow(int32_t row) const;
    // Types serif `row` again through the clipboard, as a press does, without
    // moving the cursor or changing the last pasted row (the repeat key).
    void TypeSerif(int32_t row);
    // Puts the clipboard the user had before the pastes back now, if it is
    // still ours (the restore timer does this after the set delay).
    void RestoreClipboardNow(DWORD sequence);
    bool IsClipboardRestorePending() const { return m_RestorePending; }

    // --- the standby strip and the cue keys (CueCommands.cpp) ---
    void ToggleStandby();
    // Registers the skip, back and repeat hotkeys that are set; one message
    // names every key another program has taken.
    bool RegisterCueHotKeys();
    void UnregisterCueHotKeys();
    void OnCueKey(uint32_t id);
    CStandbyWnd& GetStandby() { return m_Standby; }

    // --- file commands (FileCommands.cpp) ---
    // Asks first, every time; then opens the scenario settings and cast
    // dialogs.
    void NewScenario();
    // An empty path shows the open dialog. Unsaved changes are offered for
    // saving first. On failure everything stays as it was. True when a
    // scenario was opened.
    bool OpenScenario(const std::string& path);
    // An empty path shows the save dialog. True when the file was written.
    bool SaveScenario(const std::string& path);
    void OpenRecentFile(int position);
    void ClearFileHistory();
    void RebuildRecentFilesMenu();
    LRESULT OnDropFiles(HDROP drop);

    // --- serif editing (EditCommands.cpp) ---
    void EditSerif();
    void AddSerif();
    void InsertSerif();
    void DeleteSerif();
    void MoveSerifUp();
    void MoveSerifDown();
    void CopySerif();
    void EditCasts();
    void EditScenarioSettings();
    void EditOptions();

    // --- undo and redo (UndoCommands.cpp) ---
    // One step back (or forward with `redo`): the scenario as it was, the
    // list and the cast box following it, the cursor on the first changed
    // row, the active cast kept when it is still there, the saved mark at
    // the save point, and "元に戻しました：" + the step in the status bar.
    void TakeStep(bool redo);
    CScriptHistory& GetHistory() { return m_History; }

    // --- search (SearchCommands.cpp) ---
    void ShowFindDialog();
    void ShowReplaceDialog();
    void FindNext(bool down);
    void JumpToRow();

    // --- scenarios as plain text (TextCommands.cpp) ---
    // Import and paste keep every character of the text: they add the new
    // casts and serifs, refresh the cast box (keeping the active cast) and
    // the list, put the cursor on the first new row and mark the scenario
    // unsaved. True when the scenario changed.
    // An empty path shows the open dialog; the serifs go after the last row.
    bool ImportTextFile(const std::string& path);
    // The clipboard's text (CF_UNICODETEXT), inserted before the cursor row,
    // or after the last row without a cursor.
    bool PasteText();
    // An empty path shows the save dialog. The file name, the saved flag and
    // the file history stay as they are. True when the file was written.
    bool ExportTextFile(const std::string& path);

    // State, for the commands and their tests.
    CScript& GetScript() { return m_Script; }
    const CScript& GetScript() const { return m_Script; }
    COption& GetOption() { return m_Option; }
    bool IsSaved() const { return m_Saved; }
    const std::string& GetFileName() const { return m_FileName; }
    CVirtualListView& GetSerifList() { return m_SerifList; }
    CComboBox& GetCastBox() { return m_CastBox; }
    CStatusBar& GetStatusBar() { return m_StatusBar; }
    CMenu& GetMenuBar() { return m_Menu; }
    // The DPI the window's own pixel sizes are scaled to.
    UINT GetDpi() const { return m_Dpi; }
    CPasteSequencer& GetSequencer() { return m_Sequencer; }

private:
    // MainWnd.cpp
    LRESULT OnCreate();
    void CreateBars();
    void CreateSerifList();
    void Layout(int width);
    // Screen resolution: a size at 96 DPI at the window's DPI, the font of
    // the children, the toolbar images and WM_DPICHANGED.
    int Scale(int pixels) const;
    void SetChildFonts();
    void SetToolbarImages();
    LRESULT OnDpiChanged(UINT dpi, const RECT* suggested);
    void RescaleBars(UINT oldDpi);
    LRESULT OnClose();
    LRESULT OnDestroy();
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnNotify(NMHDR* header);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw);
    // A cell of the virtual list, or a row's item data, from the scenario.
    void OnGetRowInfo(NMLVDISPINFOA* info);
    void OnContextMenu(HWND source, LPARAM position);
    void ToggleFocus();
    void OnCastSelected();
    void OnAbout();
    void OnExit();
    bool ListHasFocus() const;
    // Whether the keyboard focus is on this window or one of its children.
    bool HasFocusHere() const;
    // Selects the cast box entry of exactly this name, if there is one.
    void SelectCastEntry(const std::string& name);
    // Makes a row the cursor and brings it into view.
    void SelectRow(int32_t row);
    // The list follows the scenario: rows first to last changed, or the
    // number of rows did (the rows from `first` on show other serifs now).
    void ShowRowsChanged(int32_t first, int32_t last);
    void ShowRowCount(int32_t first);
    // What the next press does, as the strip shows it (CueCommands.cpp).
    CStandby NextPressPreview();
    // CastCommands.cpp: empties the cast box and ends a set of casts.
    void ClearCastBox();
    bool IsCastSetSelected();
    // RefreshViews' parts (MainWnd.cpp, CueCommands.cpp).
    // `next`: what the next press does, while monitoring (NextPressPreview).
    void RefreshStatusBar(const CStandby& next);
    void RefreshBarsAndMenu();
    void RefreshStandby(const CStandby& next);
    // TextCommands.cpp: the change, for import and paste.
    bool TakeText(const CTextLines& lines, int32_t row, const char* step);

    // PasteCommands.cpp
    CPasteSettings GetPasteSettings();
    bool RefuseElevatedTarget();
    // Sets the clipboard and sends the keys; false when nothing was typed.
    bool TypeText(const std::string& text, const std::vector<CKeyStep>& keys);
    void KeepClipboardForRestore(const CClipboard& clipboard);
    LRESULT OnTimer(WPARAM id);
    // A note in the status bar's first part instead of the row, until the
    // next command or cursor move.
    void ShowStatusNote(const char* text);

    // CueCommands.cpp
    void CreateStandby();
    // Copies the strip's place into the options.
    void KeepStandbyPlace();

    // SearchCommands.cpp
    LRESULT OnFindMessage();
    LRESULT OnReplaceMessage();
    void ShowSearchEnd(HWND owner);

    // Children
    CVirtualListView m_SerifList;
    CStatic m_Hint;
    CComboBox m_CastBox;
    CReBar m_ReBar;
    CToolBar m_ToolBar;
    CStatic m_Separator;
    CMenu m_Menu;
    CStatusBar m_StatusBar;
    UINT m_Dpi = 96;         // the DPI the children are sized for
    HFONT m_Font = nullptr;  // the children's font, made for m_Dpi; owned

    // Document and settings
    CScript m_Script;
    CScriptHistory m_History;  // the undo and redo steps of m_Script
    COption m_Option;
    std::string m_FileName;
    std::string m_OptionPath;
    bool m_Saved;

    // Paste and search state (last pasted row, last press time, last found
    // and replace rows).
    CPasteSequencer m_Sequencer;
    CTextSearch m_Search;
    bool m_HotKeyRegistered;
    bool m_Monitoring = false;
    std::vector<int32_t> m_ActiveCasts;  // a set of several active casts; empty otherwise
    std::vector<int32_t> m_PaintCasts;   // the active casts while the list paints
    std::string m_StatusTexts[2];        // what the status bar parts show
    std::string m_StatusNote;            // shown instead of the row while set
    int m_MonitorButton = -1;            // the toolbar's monitor button as last set

    // The user's clipboard, kept while the pastes use it (PasteCommands.cpp).
    static const UINT_PTR kRestoreTimerId = 1;
    CClipboardSnapshot m_SavedClipboard;
    bool m_RestorePending = false;
    DWORD m_PastedSequence = 0;  // the clipboard's sequence after our last paste

    // The standby strip (CueCommands.cpp). The message asks for the refresh
    // that follows a press.
    static const UINT kRefreshMessage = WM_APP + 1;
    CStandbyWnd m_Standby;
    bool m_HoldRefresh = false;        // no refresh while a press is carried out
    unsigned m_CueKeysRegistered = 0;  // bit n: hotkey id n is registered

    // Dialogs, one object each, reused.
    CSerifDlg m_SerifDlg;
    CCastDlg m_CastDlg;
    CScriptDlg m_ScriptDlg;
    CFindDlg m_FindDlg;
    CReplaceDlg m_ReplaceDlg;
    CJumpDlg m_JumpDlg;
    CActiveCastsDlg m_ActiveCastsDlg;
};

// The RegisterHotKey modifiers of a hotkey value in hotkey-control form
// (high byte HOTKEYF_*): Shift, Ctrl and Alt translated, HOTKEYF_EXT
// dropped, and MOD_NOREPEAT added so that a held key is one press.
UINT PasteHotKeyModifiers(unsigned hotKey);
