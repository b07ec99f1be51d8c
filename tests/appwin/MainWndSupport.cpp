// Helpers of the main window suites.
#include "MainWndSupport.h"

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace
{

CBoxAnswerer* g_Answerer = nullptr;

BOOL CALLBACK CollectStatic(HWND child, LPARAM param)
{
    char name[32] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") == 0) {
        char text[1024] = {};
        GetWindowTextA(child, text, sizeof text);
        if (text[0] != '\0') {
            std::string* all = reinterpret_cast<std::string*>(param);
            if (!all->empty())
                *all += "\n";
            *all += text;
        }
    }
    return TRUE;
}

struct CTopSearch
{
    DWORD m_Thread;
    HWND m_Found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param)
{
    CTopSearch* search = reinterpret_cast<CTopSearch*>(param);
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window) && IsWindowEnabled(window) &&
        GetWindowThreadProcessId(window, nullptr) == search->m_Thread) {
        search->m_Found = window;
        return FALSE;
    }
    return TRUE;
}

// A file dialog has the file name box (cmb13 or edt1) somewhere inside.
bool IsFileDialog(HWND box)
{
    return GetDlgItem(box, 0x47c) != nullptr || GetDlgItem(box, 0x480) != nullptr;
}

}  // namespace

CBoxAnswerer::CBoxAnswerer(std::vector<int> answers) : m_Answers(std::move(answers))
{
    g_Answerer = this;
    m_Timer = SetTimer(nullptr, 0, 50, OnTimer);
}

CBoxAnswerer::~CBoxAnswerer()
{
    KillTimer(nullptr, m_Timer);
    g_Answerer = nullptr;
}

void CALLBACK CBoxAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_Answerer != nullptr)
        g_Answerer->Tick();
}

void CBoxAnswerer::Tick()
{
    CTopSearch search = {GetCurrentThreadId(), nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    HWND box = search.m_Found;
    // A box already answered may take a moment to go away.
    if (box == nullptr || box == m_LastBox)
        return;
    CBoxSeen seen;
    char caption[256] = {};
    GetWindowTextA(box, caption, sizeof caption);
    seen.m_Caption = caption;
    seen.m_FileDialog = IsFileDialog(box);
    if (!seen.m_FileDialog)
        EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&seen.m_Text));
    int answer = IDCANCEL;
    if (m_Next < m_Answers.size()) {
        answer = m_Answers[m_Next++];
        m_Seen.push_back(seen);
    } else {
        m_Unexpected.push_back(seen);
    }
    m_LastBox = box;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
}

CTempFolder::CTempFolder()
{
    char base[MAX_PATH] = {};
    GetTempPathA(sizeof base, base);
    char name[MAX_PATH] = {};
    static unsigned counter = 0;
    wsprintfA(name, "%srolecue-appwin-%lu-%u", base, GetCurrentProcessId(), ++counter);
    CreateDirectoryA(name, nullptr);
    m_Path = name;
}

CTempFolder::~CTempFolder()
{
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA((m_Path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((m_Path + "\\" + found.cFileName).c_str());
            else if (lstrcmpA(found.cFileName, ".") != 0 && lstrcmpA(found.cFileName, "..") != 0)
                RemoveDirectoryA((m_Path + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(m_Path.c_str());
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string OptionFileText(int addReturn, unsigned hotKey, const std::vector<std::string>& history)
{
    char line[128] = {};
    std::string text =
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Option Version=\"1.0\">\r\n";
    wsprintfA(line, "\t<General AddReturn=\"%d\" AutoScroll=\"1\" ScrollPos=\"10\"/>\r\n",
              addReturn);
    text += line;
    wsprintfA(line, "\t<HotKey HotKey=\"%04x\" KeyWait=\"100\"/>\r\n", hotKey);
    text += line;
    text += "\t<Colors>\r\n\t\t<Color Name=\"ActiveCast\" TextColor=\"000000\" "
            "BackColor=\"ffcccc\"/>\r\n"
            "\t</Colors>\r\n";
    if (history.empty()) {
        text += "\t<FileHistories/>\r\n";
    } else {
        text += "\t<FileHistories>\r\n";
        for (const std::string& path : history)
            text += "\t\t<FileHistory FullPath=\"" + path + "\"/>\r\n";
        text += "\t</FileHistories>\r\n";
    }
    text += "</Option>\r\n";
    return text;
}

CScript MakeScript(const std::vector<CSerif>& serifs, const std::string& title)
{
    CScript script;
    script.SetTitle(title);
    script.AddCast(CCast(0, "アリス"));
    script.AddCast(CCast(1, "ボブ"));
    for (const CSerif& serif : serifs)
        script.AddSerif(serif);
    return script;
}

// Drains the queue, but for at most a tenth of a second: without a window
// manager, Wine can pass the activation between two top-level windows back
// and forth for ever, and an unbounded loop would then never return.
void PumpMessages()
{
    const DWORD start = GetTickCount();
    MSG message = {};
    while (GetTickCount() - start < 100 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        PumpMessages();
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (done())
            return true;
        if (GetTickCount() - start >= ms)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void MainWndTest::SetUp()
{
    static bool registered = false;
    if (!registered) {
        INITCOMMONCONTROLSEX controls = {sizeof(controls),
                                         ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        registered = CMainWnd::RegisterMainClass() != 0;
    }
    ASSERT_TRUE(registered);
    m_Folder.reset(new CTempFolder);
    m_OptionPath = m_Folder->File("option.xml");
    // F9 without modifiers; add return on.
    m_OptionText = OptionFileText(1, 0x0078);
}

void MainWndTest::TearDown()
{
    DestroyWindowNow();
    m_Folder.reset();
}

bool MainWndTest::CreateWindowNow()
{
    if (!m_OptionText.empty())
        WriteFileBytes(m_OptionPath, m_OptionText);
    m_Window.reset(new CMainWnd);
    m_Window->SetOptionPath(m_OptionPath);
    if (!m_Window->CreateMain())
        return false;
    ShowWindow(Main(), SW_SHOW);
    UpdateWindow(Main());
    PumpMessages();
    return true;
}

void MainWndTest::DestroyWindowNow()
{
    if (m_Window && IsWindow(Main()))
        DestroyWindow(Main());
    m_Window.reset();
    // The window posts WM_QUIT when it ends; the next test must not see it.
    MSG message = {};
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void MainWndTest::Command(int id, int code, HWND source)
{
    SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(source));
}

std::string MainWndTest::SaveScenario(const CScript& script, const std::string& name)
{
    const std::string path = m_Folder->File(name);
    EXPECT_TRUE(script.Save(path));
    return path;
}

std::string MainWndTest::Title() const
{
    char text[512] = {};
    GetWindowTextA(Main(), text, sizeof text);
    return text;
}

std::string MainWndTest::RowText(int row, int column)
{
    std::string text;
    m_Window->GetSerifList().GetItemText(row, column, text);
    return text;
}

std::vector<MainWndTest::CMenuEntry> MainWndTest::RecentMenu() const
{
    std::vector<CMenuEntry> entries;
    HMENU file = GetSubMenu(GetMenu(Main()), 0);
    HMENU recent = GetSubMenu(file, 2);
    const int count = GetMenuItemCount(recent);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info = {};
        char text[512] = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_TYPE | MIIM_STATE;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(recent, static_cast<UINT>(i), TRUE, &info);
        CMenuEntry entry;
        entry.m_Id = static_cast<int>(info.wID);
        entry.m_Separator = (info.fType & MFT_SEPARATOR) != 0;
        entry.m_Text = entry.m_Separator ? "" : text;
        entry.m_Grayed = (info.fState & MFS_GRAYED) != 0;
        entries.push_back(entry);
    }
    return entries;
}
