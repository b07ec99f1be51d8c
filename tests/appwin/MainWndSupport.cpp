// Helpers of the main window suites.
#include "MainWndSupport.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>

#include "wnd/WideText.h"

std::string OptionFileText(int addReturn, unsigned hotKey, const std::vector<std::string>& history)
{
    char line[128] = {};
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Option Version=\"1.0\">\r\n";
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

HDROP MakeDrop(const std::vector<std::string>& paths)
{
    // Wide, as the shell makes it: DragQueryFileA gives the paths back in
    // the program's code page.
    std::vector<std::wstring> wide;
    size_t bytes = sizeof(DROPFILES) + sizeof(wchar_t);
    for (const std::string& path : paths) {
        wide.push_back(Widen(path));
        bytes += (wide.back().size() + 1) * sizeof(wchar_t);
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    wchar_t* names = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES));
    for (const std::wstring& path : wide) {
        std::memcpy(names, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        names += path.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
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
        WriteBytes(m_OptionPath, m_OptionText);
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
