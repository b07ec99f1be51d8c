// CMainWnd: creation, layout, title, options, close sequence and the message
// switchboard. The command handlers live in the *Commands.cpp files.
#include "app/MainWnd.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "appcore/PasteText.h"
#include "dialogs/AboutBox.h"
#include "res/resource.h"
#include "text/Utf8.h"
#include "wnd/Dpi.h"
#include "wnd/MessageBox.h"
#include "wnd/PathSplit.h"

const char CMainWnd::kClassName[] = "Rolecue";
const char CMainWnd::kProductName[] = "Rolecue Ver 0.11";

namespace
{

const char kOptionFileName[] = "option.xml";

// The toolbar, left to right: image, command (separators have neither).
struct CToolButton
{
    int m_Image;
    int m_Command;
    int m_Tip;
};
const CToolButton kToolButtons[] = {
    {0, IDM_FILE_NEW, IDS_TIP_NEW},
    {1, IDM_FILE_OPEN, IDS_TIP_OPEN},
    {2, IDM_FILE_SAVE, IDS_TIP_SAVE},
    {-1, 0, 0},
    {17, IDM_FIND, IDS_TIP_FIND},
    {18, IDM_FIND_UP, IDS_TIP_FIND_UP},
    {19, IDM_FIND_DOWN, IDS_TIP_FIND_DOWN},
    {-1, 0, 0},
    {10, IDM_SERIF_UP, IDS_TIP_SERIF_UP},
    {11, IDM_SERIF_DOWN, IDS_TIP_SERIF_DOWN},
    {-1, 0, 0},
    {16, IDM_EDIT_CASTS, IDS_TIP_CAST_EDIT},
    {4, IDM_SCRIPT_SETTINGS, IDS_TIP_SCRIPT_SETTINGS},
    {-1, 0, 0},
    {12, IDM_MONITOR, IDS_TIP_MONITOR},
};
const int kToolButtonCount = sizeof(kToolButtons) / sizeof(kToolButtons[0]);
const int kToolImageCount = 20;
const COLORREF kToolMaskColour = RGB(192, 192, 192);

// Sizes in pixels at 96 DPI; the window scales them to its own DPI.
const int kToolImageSize = 16;
const int kBandHeight = 25;
const int kHintWidth = 100;
const int kHintHeight = 20;
const int kHintBandWidth = 200;
const int kCastBoxHeight = 200;
const int kSeparatorHeight = 2;
const int kStatusPartWidths[] = {60, 50};
const int kContextMenuIndent = 8;

}  // namespace

CMainWnd::CMainWnd() : m_Saved(true), m_HotKeyRegistered(false) {}

CMainWnd::~CMainWnd()
{
    // The menu bar belongs to the window, which destroys it.
    m_Menu.SetHandle(nullptr);
    if (m_Font != nullptr)
        DeleteObject(m_Font);
}

ATOM CMainWnd::RegisterMainClass()
{
    return RegisterWndClass(kClassName, CS_HREDRAW | CS_VREDRAW, nullptr, nullptr,
                            LoadCursor(nullptr, IDC_ARROW),
                            static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), IDR_MAINMENU);
}

bool CMainWnd::CreateMain()
{
    return Create(kClassName, kProductName, WS_OVERLAPPEDWINDOW, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr) != 0;
}

// The switchboard. Every command id is one line in OnCommand.
LRESULT CMainWnd::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate();
    case WM_DESTROY:
        return OnDestroy();
    case WM_SIZE:
        Layout(LOWORD(lParam));
        return 0;
    case WM_DPICHANGED:
        return OnDpiChanged(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
    case WM_CLOSE:
        return OnClose();
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
        break;
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    case WM_DROPFILES:
        return OnDropFiles(reinterpret_cast<HDROP>(wParam));
    case WM_HOTKEY:
        return OnHotKey(wParam);
    case WM_TIMER:
        return OnTimer(wParam);
    case kRefreshMessage:
        RefreshViews();
        return 0;
    default:
        // Both dialogs send the same registered message ("commdlg_FindReplace");
        // its lParam, the dialog's own record, tells which one it came from.
        if (message != 0 && message == m_FindDlg.GetMessageId() &&
            lParam == reinterpret_cast<LPARAM>(&m_FindDlg.GetRecord())) {
            OnFindMessage();
            RefreshViews();
        } else if (message != 0 && message == m_ReplaceDlg.GetMessageId() &&
                   lParam == reinterpret_cast<LPARAM>(&m_ReplaceDlg.GetRecord())) {
            OnReplaceMessage();
            RefreshViews();
        }
        break;
    }
    return CWindow::WindowProc(hWnd, message, wParam, lParam);
}

LRESULT CMainWnd::OnCommand(WPARAM wParam, LPARAM)
{
    const int id = LOWORD(wParam);
    m_StatusNote.clear();
    if (id >= IDM_FILE_RECENT_FIRST && id <= IDM_FILE_RECENT_LAST) {
        OpenRecentFile(id - IDM_FILE_RECENT_FIRST);
        RefreshViews();
        return 0;
    }
    switch (id) {
    case IDM_FILE_NEW:
        NewScenario();
        break;
    case IDM_FILE_OPEN:
        OpenScenario(std::string());
        break;
    case IDM_FILE_SAVE_AS:
        SaveScenario(std::string());
        break;
    case IDM_FILE_SAVE:
        SaveScenario(m_FileName);
        break;
    case IDM_FILE_CLEAR_HISTORY:
        ClearFileHistory();
        break;
    case IDM_IMPORT_TEXT:
        ImportTextFile(std::string());
        break;
    case IDM_EXPORT_TEXT:
        ExportTextFile(std::string());
        break;
    case IDM_FILE_EXIT:
        OnExit();
        break;
    case IDM_EDIT_SERIF:
        EditSerif();
        break;
    case IDM_ADD_SERIF:
        AddSerif();
        break;
    case IDM_INSERT_SERIF:
        InsertSerif();
        break;
    case IDM_DELETE_SERIF:
        DeleteSerif();
        break;
    case IDM_COPY_SERIF:
        CopySerif();
        break;
    case IDM_UNDO:
    case IDM_REDO:
        // Ctrl+Z and Ctrl+Y reach us from every window of the thread; in a
        // dialog's edit box (the find dialog's) they belong to the box.
        if (HIWORD(wParam) != 1 || HasFocusHere())
            TakeStep(id == IDM_REDO);
        break;
    case IDM_PASTE_TEXT:
        PasteText();
        break;
    case IDM_SERIF_UP:
        MoveSerifUp();
        break;
    case IDM_SERIF_DOWN:
        MoveSerifDown();
        break;
    case IDM_EDIT_CASTS:
        EditCasts();
        break;
    case IDM_SCRIPT_SETTINGS:
        EditScenarioSettings();
        break;
    case IDM_FIND:
        ShowFindDialog();
        break;
    case IDM_FIND_UP:
        FindNext(false);
        break;
    case IDM_FIND_DOWN:
        FindNext(true);
        break;
    case IDM_REPLACE:
        ShowReplaceDialog();
        break;
    case IDM_JUMP:
        JumpToRow();
        break;
    case IDM_ADD_RETURN:
        ToggleAddReturn();
        break;
    case IDM_MONITOR:
        ToggleMonitoring();
        break;
    case IDM_SHOW_STANDBY:
        ToggleStandby();
        break;
    case IDM_CHOOSE_CASTS:
        ChooseActiveCasts();
        break;
    case IDM_OPTIONS:
        EditOptions();
        break;
    case IDM_ABOUT:
        OnAbout();
        break;
    case IDM_FOCUS_TOGGLE:
        ToggleFocus();
        break;
    case IDM_LIST_EDIT:
        if (ListHasFocus())
            EditSerif();
        break;
    case IDM_LIST_INSERT:
        if (ListHasFocus())
            InsertSerif();
        break;
    case IDM_LIST_DELETE:
        if (ListHasFocus())
            DeleteSerif();
        break;
    case IDM_LIST_ADD:
        if (ListHasFocus())
            AddSerif();
        break;
    case IDM_LIST_UP:
        if (ListHasFocus())
            MoveSerifUp();
        break;
    case IDM_LIST_DOWN:
        if (ListHasFocus())
            MoveSerifDown();
        break;
    case IDC_CAST_BOX:
        if (HIWORD(wParam) == CBN_SELCHANGE)
            OnCastSelected();
        break;
    default:
        break;
    }
    // Every command may change what the views show.
    RefreshViews();
    return 0;
}

LRESULT CMainWnd::OnNotify(NMHDR* header)
{
    if (header == nullptr)
        return 0;
    if (header->hwndFrom == m_ReBar.GetHandle() && header->code == RBN_HEIGHTCHANGE) {
        RECT client = {};
        GetClientRect(m_Wnd, &client);
        Layout(client.right - client.left);
        return 0;
    }
    if (header->idFrom != IDC_SERIF_LIST || header->hwndFrom != m_SerifList.GetHandle())
        return 0;
    switch (header->code) {
    case LVN_GETDISPINFOA:
        OnGetRowInfo(reinterpret_cast<NMLVDISPINFOA*>(header));
        return 0;
    case LVN_ITEMCHANGED: {
        // Only a change of selection moves the cursor the views show.
        const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if (!(change->uChanged & LVIF_STATE) ||
            ((change->uNewState ^ change->uOldState) & LVIS_SELECTED)) {
            m_StatusNote.clear();
            RefreshViews();
        }
        return 0;
    }
    case NM_CLICK:
        if (reinterpret_cast<NMITEMACTIVATE*>(header)->iItem >= 0) {
            m_Sequencer.ForgetLastPastedRow();
            RefreshViews();
        }
        return 0;
    case NM_DBLCLK:
        EditSerif();
        return 0;
    case NM_CUSTOMDRAW:
        return OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    default:
        return 0;
    }
}

LRESULT CMainWnd::OnCustomDraw(NMLVCUSTOMDRAW* draw)
{
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        // Resolved once per paint rather than once per row.
        m_PaintCasts = m_Script.GetCastCount() > 0 ? GetActiveCasts() : std::vector<int32_t>();
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        // The row's cast comes from the scenario: a virtual list stores no
        // item data to hand over.
        const DWORD_PTR row = draw->nmcd.dwItemSpec;
        if (!m_PaintCasts.empty() && row < static_cast<DWORD_PTR>(m_Script.GetSerifCount()) &&
            std::find(m_PaintCasts.begin(), m_PaintCasts.end(),
                      m_Script.GetSerif(static_cast<int32_t>(row)).m_CastId) !=
                m_PaintCasts.end()) {
            const CColorManager& colour = m_Option.GetColor(COption::kActiveCast);
            draw->clrText = colour.m_TextColor;
            draw->clrTextBk = colour.m_BackColor;
        }
        return CDRF_DODEFAULT;
    }
    default:
        return 0;
    }
}

// --- creation ---------------------------------------------------------

LRESULT CMainWnd::OnCreate()
{
    SetIcon(IDI_ROLECUE);
    m_Dpi = GetWindowDpi(m_Wnd);
    m_Separator.Create(m_Wnd, "", WS_CHILD | WS_VISIBLE | SS_SUNKEN, 0, 0, 0, 0, 0, 0);
    CreateBars();
    CreateSerifList();
    m_Menu.SetHandle(GetMenu(m_Wnd));
    m_StatusBar.Create(m_Wnd, IDC_STATUS_BAR, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM,
                       "");
    for (int width : kStatusPartWidths)
        m_StatusBar.AddPart(Scale(width));
    SetChildFonts();
    DragAcceptFiles(m_Wnd, TRUE);
    LoadOptions();
    RebuildRecentFilesMenu();
    RegisterPasteHotKey();
    RegisterCueHotKeys();
    CreateStandby();
    RefreshViews();
    return 0;
}

void CMainWnd::CreateBars()
{
    if (!m_ReBar.Create(m_Wnd,
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER |
                            RBS_BANDBORDERS | CCS_NODIVIDER,
                        0, 0, 0, 0)) {
        ShowError("レバーコントロールの作成に失敗しました。");
        return;
    }

    TBBUTTON buttons[kToolButtonCount] = {};
    for (int i = 0; i < kToolButtonCount; ++i) {
        const CToolButton& b = kToolButtons[i];
        buttons[i].iBitmap = b.m_Image < 0 ? 0 : b.m_Image;
        buttons[i].idCommand = b.m_Command;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = b.m_Image < 0 ? TBSTYLE_SEP : TBSTYLE_BUTTON;
    }
    if (m_ToolBar.Create(m_ReBar.GetHandle(),
                         WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NODIVIDER | CCS_NORESIZE,
                         IDC_TOOLBAR, kToolImageCount, IDB_TOOLBAR, buttons, kToolButtonCount)) {
        SetToolbarImages();
        for (int i = 0; i < kToolButtonCount; ++i) {
            if (kToolButtons[i].m_Tip != 0)
                m_ToolBar.AddTooltip(i, kToolButtons[i].m_Tip);
        }
    }
    RECT bar = {};
    GetWindowRect(m_ReBar.GetHandle(), &bar);
    const UINT barWidth = static_cast<UINT>(bar.right - bar.left);
    const UINT bandHeight = static_cast<UINT>(Scale(kBandHeight));
    const UINT hintWidth = static_cast<UINT>(Scale(kHintWidth));
    m_ReBar.InsertBand(m_ToolBar.GetHandle(), "", barWidth, 0, bandHeight, RBBS_CHILDEDGE);

    m_CastBox.Create(m_ReBar.GetHandle(), "",
                     WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL |
                         WS_TABSTOP | CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL |
                         CBS_NOINTEGRALHEIGHT,
                     0, 0, 0, 0, Scale(kCastBoxHeight), IDC_CAST_BOX);
    m_ReBar.InsertBand(m_CastBox.GetHandle(), "キャスト選択",
                       barWidth > hintWidth ? barWidth - hintWidth : 0, 0, bandHeight,
                       RBBS_BREAK | RBBS_CHILDEDGE);

    m_Hint.Create(m_ReBar.GetHandle(), "", WS_CHILD | WS_VISIBLE, 0, 0, 0, Scale(kHintWidth),
                  Scale(kHintHeight), IDC_HINT);
    m_ReBar.InsertBand(m_Hint.GetHandle(), "選択したキャストのセリフがホットキーで貼り付けられます",
                       static_cast<UINT>(Scale(kHintBandWidth)), 0, bandHeight, RBBS_CHILDEDGE);
}

void CMainWnd::CreateSerifList()
{
    RECT client = {};
    GetClientRect(m_Wnd, &client);
    int top = 0;
    if (m_ReBar.IsBound()) {
        RECT bar = {};
        GetClientRect(m_ReBar.GetHandle(), &bar);
        top = bar.bottom;
    }
    const int width = client.right - client.left;
    m_SerifList.CreateChild(WC_LISTVIEWA, "",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                                LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_OWNERDATA,
                            WS_EX_CLIENTEDGE, 0, top, width, client.bottom - top, m_Wnd,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SERIF_LIST)));
    m_SerifList.AddExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
    m_SerifList.InsertColumn("キャスト", width / 5, 0, LVCFMT_LEFT);
    m_SerifList.InsertColumn("セリフ", width * 3 / 5, 1, LVCFMT_LEFT);
    m_SerifList.InsertColumn("メモ", width / 5, 2, LVCFMT_LEFT);
    SetFocus(m_SerifList.GetHandle());
}

// Separator across the top, rebar and status bar placing themselves, the
// list in between (2 pixels below the rebar, at 96 DPI).
void CMainWnd::Layout(int width)
{
    const int separatorHeight = Scale(kSeparatorHeight);
    if (m_Separator.IsBound())
        MoveWindow(m_Separator.GetHandle(), 0, 0, width, separatorHeight, TRUE);
    RECT client = {};
    GetClientRect(m_Wnd, &client);
    const LPARAM size = MAKELPARAM(client.right - client.left, client.bottom - client.top);
    if (m_ReBar.IsBound())
        m_ReBar.Send(WM_SIZE, SIZE_RESTORED, size);
    if (m_StatusBar.IsBound())
        m_StatusBar.Send(WM_SIZE, SIZE_RESTORED, size);

    int statusHeight = 0;
    if (m_StatusBar.IsBound()) {
        RECT status = {};
        GetClientRect(m_StatusBar.GetHandle(), &status);
        statusHeight = status.bottom - status.top;
    }
    int barBottom = 0;
    if (m_ReBar.IsBound()) {
        RECT bar = {};
        GetClientRect(m_ReBar.GetHandle(), &bar);
        barBottom = bar.bottom;
    }
    if (m_SerifList.IsBound()) {
        const int height = client.bottom - client.top - barBottom - statusHeight - separatorHeight;
        MoveWindow(m_SerifList.GetHandle(), client.left, barBottom + separatorHeight, client.right,
                   height > 0 ? height : 0, TRUE);
    }
    if (m_CastBox.IsBound())
        m_CastBox.Redraw(false);
    if (m_SerifList.IsBound())
        m_SerifList.Redraw(true);
}

// --- screen resolution ---------------------------------------------------

int CMainWnd::Scale(int pixels) const
{
    return ScaleToDpi(pixels, m_Dpi);
}

// The children that show text get one font made for the window's DPI (the
// one list views use by default), so that they keep their size when the
// window moves to a screen of another DPI. The old font is deleted only
// after every child has the new one.
void CMainWnd::SetChildFonts()
{
    HFONT font = CreateUiFont(m_Dpi);
    if (font == nullptr)
        return;
    for (HWND child : {m_SerifList.GetHandle(), m_CastBox.GetHandle(), m_StatusBar.GetHandle(),
                       m_ReBar.GetHandle()}) {
        if (child != nullptr)
            SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (m_Font != nullptr)
        DeleteObject(m_Font);
    m_Font = font;
}

// The strip is drawn at 16 and at 32 pixels (res/images/make_images.py);
// other sizes are resampled from the larger drawing. A toolbar made at 96
// DPI takes the bitmap resource as it is.
void CMainWnd::SetToolbarImages()
{
    const int size = Scale(kToolImageSize);
    if (size == kToolImageSize && m_ToolBar.GetImageList().GetHandle() == nullptr) {
        m_ToolBar.SetImageList(IDB_TOOLBAR, size, size, kToolImageCount, kToolMaskColour);
        return;
    }
    HBITMAP strip =
        LoadImageStrip(IDB_TOOLBAR, IDB_TOOLBAR_32, kToolImageCount, size, kToolMaskColour);
    if (strip == nullptr)
        return;
    m_ToolBar.SetImageList(strip, size, size, kToolImageCount, kToolMaskColour);
    DeleteObject(strip);
}

// The window has moved to a screen of another DPI, or that screen's scale
// has changed: everything sized in pixels is scaled again, then the window
// takes the rectangle the system suggests, which lays the children out.
LRESULT CMainWnd::OnDpiChanged(UINT dpi, const RECT* suggested)
{
    const UINT oldDpi = m_Dpi;
    if (dpi != 0 && dpi != oldDpi) {
        m_Dpi = dpi;
        SetChildFonts();
        RescaleBars(oldDpi);
        if (m_StatusBar.IsBound()) {
            std::vector<int> widths;
            for (int width : kStatusPartWidths)
                widths.push_back(Scale(width));
            m_StatusBar.SetPartWidths(widths);
        }
        // Column widths are the user's to change: each keeps its share.
        for (int column = 0; m_SerifList.IsBound() && column < m_SerifList.GetColumnCount();
             ++column) {
            const int width = static_cast<int>(m_SerifList.Send(LVM_GETCOLUMNWIDTH, column));
            m_SerifList.Send(LVM_SETCOLUMNWIDTH, column,
                             MulDiv(width, static_cast<int>(dpi), static_cast<int>(oldDpi)));
        }
    }
    if (suggested != nullptr)
        SetWindowPos(m_Wnd, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client = {};
    GetClientRect(m_Wnd, &client);
    Layout(client.right - client.left);
    return 0;
}

void CMainWnd::RescaleBars(UINT oldDpi)
{
    if (!m_ReBar.IsBound())
        return;
    if (m_ToolBar.GetHandle() != nullptr) {
        SetToolbarImages();
        m_ToolBar.UpdateTooltipRects();
    }
    if (m_Hint.IsBound())
        SetWindowPos(m_Hint.GetHandle(), nullptr, 0, 0, Scale(kHintWidth), Scale(kHintHeight),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_CastBox.IsBound()) {
        // Closed height and drop-down list, as made: the list's item height
        // follows the new font.
        RECT box = {};
        GetWindowRect(m_CastBox.GetHandle(), &box);
        SetWindowPos(m_CastBox.GetHandle(), nullptr, 0, 0, box.right - box.left,
                     Scale(kCastBoxHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_CastBox.SetDropDownHeight();
    }
    const int bands = static_cast<int>(m_ReBar.Send(RB_GETBANDCOUNT));
    for (int i = 0; i < bands; ++i) {
        REBARBANDINFOA band = {};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_SIZE | RBBIM_CHILDSIZE;
        if (!m_ReBar.Send(RB_GETBANDINFOA, i, reinterpret_cast<LPARAM>(&band)))
            continue;
        band.cx = static_cast<UINT>(
            MulDiv(static_cast<int>(band.cx), static_cast<int>(m_Dpi), static_cast<int>(oldDpi)));
        band.cyMinChild = static_cast<UINT>(Scale(kBandHeight));
        m_ReBar.Send(RB_SETBANDINFOA, i, reinterpret_cast<LPARAM>(&band));
    }
}

// --- title, errors, options ------------------------------------------------

void CMainWnd::ShowError(const char* text) const
{
    ShowMessage(m_Wnd, text, "エラー", kErrorBoxFlags);
}

void CMainWnd::SetSaved(bool saved)
{
    m_Saved = saved;
    UpdateTitle(saved ? "" : " *");
}

void CMainWnd::UpdateTitle(const char* mark)
{
    std::string title = m_Script.GetTitle();
    title += mark != nullptr ? mark : "";
    title += " - ";
    title += kProductName;
    SetText(title.c_str());
}

std::string CMainWnd::GetOptionPath() const
{
    if (!m_OptionPath.empty())
        return m_OptionPath;
    char module[CPathSplit::kPathSize] = {};
    const DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    CPathSplit split;
    if (length == 0 || length >= sizeof module || !split.Set(module))
        return kOptionFileName;
    return std::string(split.GetFolder()) + kOptionFileName;
}

bool CMainWnd::LoadOptions()
{
    const bool loaded = m_Option.Load(GetOptionPath());
    if (!loaded)
        ShowError("設定の読み込みに失敗しました。");
    m_Menu.Check(IDM_ADD_RETURN, m_Option.m_General.m_AddReturn != 0);
    return loaded;
}

bool CMainWnd::SaveOptions()
{
    m_Option.m_General.m_AddReturn = IsAddReturn() ? 1 : 0;
    KeepStandbyPlace();
    const bool saved = m_Option.Save(GetOptionPath());
    if (!saved)
        ShowError("設定の保存に失敗しました。");
    return saved;
}

// --- the virtual list and the one refresh ----------------------------------

void CMainWnd::OnGetRowInfo(NMLVDISPINFOA* info)
{
    LVITEMA& item = info->item;
    if (item.iItem < 0 || item.iItem >= m_Script.GetSerifCount())
        return;
    const CSerif& serif = m_Script.GetSerif(item.iItem);
    if (item.mask & LVIF_PARAM)
        item.lParam = serif.m_CastId;
    if ((item.mask & LVIF_TEXT) && item.pszText != nullptr && item.cchTextMax > 0) {
        const std::string name =
            item.iSubItem == 0 ? m_Script.FindCastName(serif.m_CastId) : std::string();
        const std::string& text = item.iSubItem == 0   ? name
                                  : item.iSubItem == 1 ? serif.m_Text
                                                       : serif.m_Memo;
        // Cut between characters to the control's buffer.
        const size_t length = CutAtCharBoundary(text, static_cast<size_t>(item.cchTextMax - 1));
        std::memcpy(item.pszText, text.data(), length);
        item.pszText[length] = '\0';
    }
}

void CMainWnd::ShowRowsChanged(int32_t first, int32_t last)
{
    m_SerifList.RedrawRows(first, last);
}

void CMainWnd::ShowRowCount(int32_t first)
{
    m_SerifList.SetRowCount(m_Script.GetSerifCount());
    m_SerifList.RedrawRows(first, m_Script.GetSerifCount() - 1);
}

void CMainWnd::RefreshCastsAndSerifs()
{
    ClearCastBox();
    m_CastBox.AddString("");
    for (const CCast& cast : m_Script.GetCasts())
        m_CastBox.AddString(cast.m_Name.c_str());
    ShowRowCount(0);
}

void CMainWnd::RefreshViews()
{
    if (m_HoldRefresh)
        return;
    // What the next press does, worked out once for the strip and the
    // status bar's long-line note, and only while one of them shows it.
    CStandby next;
    if (m_Monitoring && (m_Option.m_Cue.m_ShowStandby != 0 || m_Option.m_Paste.m_LengthWarning > 0))
        next = NextPressPreview();
    RefreshStatusBar(next);
    RefreshBarsAndMenu();
    RefreshStandby(next);
}

// A part is rewritten (and repainted) only when its text changes.
void CMainWnd::RefreshStatusBar(const CStandby& next)
{
    if (!m_StatusBar.IsBound())
        return;
    std::string row = m_StatusNote;
    if (row.empty()) {
        const int32_t cursor = m_SerifList.IsBound() ? m_SerifList.GetSelected() : -1;
        row = std::to_string(cursor + 1) + "行";
        // While monitoring, the next press's line when it is over the limit.
        const int32_t limit = m_Option.m_Paste.m_LengthWarning;
        if (m_Monitoring && limit > 0) {
            if (next.m_Kind == EStandbyKind::Paste && next.m_Row < m_Script.GetSerifCount()) {
                const std::string note =
                    LongLineNote(FormattedLineOfRow(m_Script, next.m_Row), limit);
                if (!note.empty())
                    row += "　" + note;
            }
        }
    }
    const std::string state = m_Monitoring ? "監視中" : "停止中";
    if (row != m_StatusTexts[0]) {
        m_StatusBar.SetText(0, row.c_str());
        m_StatusTexts[0] = row;
    }
    if (state != m_StatusTexts[1]) {
        m_StatusBar.SetText(1, state.c_str());
        m_StatusTexts[1] = state;
    }
}

void CMainWnd::RefreshBarsAndMenu()
{
    if (m_Monitoring != (m_MonitorButton == 1)) {
        m_ToolBar.CheckButton(IDM_MONITOR, m_Monitoring);
        m_MonitorButton = m_Monitoring ? 1 : 0;
    }
    m_Menu.Check(IDM_MONITOR, m_Monitoring);
    m_Menu.Check(IDM_SHOW_STANDBY, m_Option.m_Cue.m_ShowStandby != 0);
    m_Menu.Enable(IDM_UNDO, m_History.CanUndo());
    m_Menu.Enable(IDM_REDO, m_History.CanRedo());
}

void CMainWnd::SelectRow(int32_t row)
{
    if (row < 0 || row >= m_SerifList.GetItemCount())
        return;
    m_SerifList.Select(row);
    m_SerifList.EnsureVisible(row, true);
}

bool CMainWnd::ListHasFocus() const
{
    HWND focus = GetFocus();
    return focus != nullptr && focus == m_SerifList.GetHandle();
}

bool CMainWnd::HasFocusHere() const
{
    HWND focus = GetFocus();
    return focus != nullptr && (focus == m_Wnd || IsChild(m_Wnd, focus));
}

// The box's own search ignores case; this one takes the exact bytes.
void CMainWnd::SelectCastEntry(const std::string& name)
{
    const int count = static_cast<int>(m_CastBox.Send(CB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        if (name == m_CastBox.GetItemText(i)) {
            m_CastBox.SetCurSel(i);
            return;
        }
    }
}

// --- small commands -------------------------------------------------------

void CMainWnd::OnCastSelected()
{
    // One cast chosen in the box ends a choice of several.
    if (m_ActiveCasts.size() > 1 && !IsCastSetSelected()) {
        m_CastBox.Send(CB_DELETESTRING, static_cast<WPARAM>(m_CastBox.Send(CB_GETCOUNT) - 1));
        m_ActiveCasts.clear();
    }
    // The main window does not clip its children, so this repaints the list
    // with the new active cast's colours.
    InvalidateRect(m_Wnd, nullptr, FALSE);
    UpdateWindow(m_Wnd);
    if (m_SerifList.IsBound())
        InvalidateRect(m_SerifList.GetHandle(), nullptr, FALSE);
}

void CMainWnd::ToggleFocus()
{
    HWND focus = GetFocus();
    if (focus == nullptr)
        return;
    HWND castEdit = m_CastBox.IsBound() ? GetWindow(m_CastBox.GetHandle(), GW_CHILD) : nullptr;
    if (focus == m_SerifList.GetHandle() && m_CastBox.IsBound())
        SetFocus(m_CastBox.GetHandle());
    else if (focus == castEdit || focus == m_CastBox.GetHandle())
        SetFocus(m_SerifList.GetHandle());
}

void CMainWnd::OnContextMenu(HWND, LPARAM position)
{
    if (!m_SerifList.IsBound())
        return;
    POINT screen = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    if (position == -1) {
        // From the keyboard (Shift+F10, the menu key): at the cursor row, or
        // at the list's corner.
        RECT rect = {};
        const int32_t row = m_SerifList.GetSelected();
        rect.left = LVIR_BOUNDS;
        if (row < 0 || !m_SerifList.Send(LVM_GETITEMRECT, static_cast<WPARAM>(row),
                                         reinterpret_cast<LPARAM>(&rect)))
            rect = RECT{};
        screen.x = rect.left + Scale(kContextMenuIndent);
        screen.y = rect.bottom;
        ClientToScreen(m_SerifList.GetHandle(), &screen);
    } else {
        LVHITTESTINFO hit = {};
        hit.pt = screen;
        ScreenToClient(m_SerifList.GetHandle(), &hit.pt);
        const LRESULT row = m_SerifList.Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (m_SerifList.GetItemCount() > 0 && row < 0)
            return;
    }
    m_Menu.TrackPopup(m_Wnd, 1, screen.x, screen.y, TPM_LEFTALIGN | TPM_RIGHTBUTTON);
}

void CMainWnd::OnAbout()
{
    ShowAboutBox(m_Wnd);
}

void CMainWnd::OnExit()
{
    SendMessageA(m_Wnd, WM_CLOSE, 0, 0);
}

// --- close ----------------------------------------------------------------

bool CMainWnd::ConfirmDiscardChanges()
{
    if (m_Saved)
        return true;
    const int answer = ShowMessage(m_Wnd, "内容が変更されています。変更を保存しますか？", "確認",
                                   MB_YESNOCANCEL | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
    if (answer == IDYES)
        return SaveScenario(m_FileName);
    return answer == IDNO;
}

// A failed or cancelled save keeps the window open (and the hotkey
// registered): closing anyway would lose the changes the user asked to keep.
LRESULT CMainWnd::OnClose()
{
    if (!ConfirmDiscardChanges())
        return 0;
    UnregisterPasteHotKey();
    SaveOptions();
    Destroy();
    return 0;
}

LRESULT CMainWnd::OnDestroy()
{
    if (m_RestorePending)
        RestoreClipboardNow(m_PastedSequence);
    if (m_HotKeyRegistered)
        UnregisterHotKey(m_Wnd, ID_PASTE_HOTKEY);
    m_HotKeyRegistered = false;
    UnregisterCueHotKeys();
    m_Menu.SetHandle(nullptr);
    PostQuitMessage(0);
    return 0;
}
