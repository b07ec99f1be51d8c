// Sizes on screens of higher DPI. Every label of every dialog and option
// page fits its control at 96 and at 144 DPI, and what the main window sets
// in pixels grows with the DPI: at start and when the window is told that
// its DPI has changed.
//
// Wine takes its DPI from LogPixels under HKCU\Control Panel\Desktop when a
// process starts, so the measuring runs in a process of its own for each
// DPI (the DpiReport test of this suite, started by DpiLayout), with the
// value set for it and put back afterwards.
#include "MainWndSupport.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "res/DialogRes.h"
#include "res/resource.h"
#include "wnd/WideText.h"
#include "wnd/Dpi.h"

namespace
{

const char kReportVariable[] = "ROLECUE_DPI_REPORT";

std::string WindowText(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

// The text as drawn: "&" marks the access key and is not shown, "&&" shows
// one "&". No byte of a longer UTF-8 character is an "&".
std::string WithoutPrefix(const std::string& text)
{
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

// Room a control leaves its text: the client width less what the control
// draws beside it (a button's edge, a check box, a group box's line). 0 for
// controls that show no caption.
int TextRoom(HWND control, UINT dpi, bool& measure)
{
    char name[32] = {};
    GetClassNameA(control, name, sizeof(name));
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
    RECT client = {};
    GetClientRect(control, &client);
    const int width = client.right - client.left;
    measure = false;
    if (lstrcmpiA(name, "Static") == 0) {
        const DWORD type = style & SS_TYPEMASK;
        measure = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE ||
                  type == SS_LEFTNOWORDWRAP;
        return width;
    }
    if (lstrcmpiA(name, "Button") != 0)
        return 0;
    measure = true;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return width - ScaleToDpi(8, dpi);
    case BS_GROUPBOX:
        return width - ScaleToDpi(16, dpi);
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return width - GetSystemMetrics(SM_CXMENUCHECK) - ScaleToDpi(4, dpi);
    default:
        measure = false;
        return 0;
    }
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

BOOL CALLBACK CollectDialog(HMODULE, LPCSTR, LPSTR name, LONG_PTR found)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<int>*>(found)->push_back(
            static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

// Opens every dialog template of the program (editing dialogs and option
// pages alike) and writes a line "cut TEMPLATE CONTROL NEED ROOM TEXT" for
// each static text or button caption wider than its control leaves room
// for, measured with the control's own font; and "dialog TEMPLATE" for each
// template opened.
void ReportCutTexts(std::ostream& report, UINT dpi)
{
    HMODULE module = GetModuleHandleA(nullptr);
    std::vector<int> templates;
    EnumResourceNamesA(module, RT_DIALOG, CollectDialog, reinterpret_cast<LONG_PTR>(&templates));
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                 module, nullptr);
    for (int id : templates) {
        HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(id), owner, QuietDialogProc, 0);
        if (dialog == nullptr) {
            report << "unopened " << id << "\n";
            continue;
        }
        report << "dialog " << id << "\n";
        for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
             control = GetWindow(control, GW_HWNDNEXT)) {
            bool measure = false;
            const int room = TextRoom(control, dpi, measure);
            const std::string text = WithoutPrefix(WindowText(control));
            if (!measure || text.empty())
                continue;
            HDC dc = GetDC(control);
            HGDIOBJ old =
                SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
            SIZE need = {};
            // GDI measures UTF-16: the "A" call would read the text in the
            // system's code page.
            const std::wstring wide = Widen(text);
            GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &need);
            SelectObject(dc, old);
            ReleaseDC(control, dc);
            RECT client = {};
            GetClientRect(control, &client);
            const bool tooLow = need.cy > client.bottom - client.top;
            if (need.cx > room || tooLow)
                report << "cut " << id << " " << GetDlgCtrlID(control) << " " << need.cx << "x"
                       << need.cy << " " << room << "x" << client.bottom - client.top << " " << text
                       << "\n";
        }
        DestroyWindow(dialog);
    }
    DestroyWindow(owner);
}

// What the main window sets in pixels, read back from its children.
std::map<std::string, int> MainWindowSizes(CMainWnd& window)
{
    std::map<std::string, int> sizes;
    HWND main = window.GetHandle();
    HWND rebar = FindWindowExA(main, nullptr, REBARCLASSNAMEA, nullptr);
    const int bands = static_cast<int>(SendMessageA(rebar, RB_GETBANDCOUNT, 0, 0));
    for (int i = 0; i < bands; ++i) {
        REBARBANDINFOA band = {};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_CHILDSIZE;
        SendMessageA(rebar, RB_GETBANDINFOA, i, reinterpret_cast<LPARAM>(&band));
        sizes["band " + std::to_string(i) + " height"] = static_cast<int>(band.cyMinChild);
    }
    // The rebar gives the hint what is left of its row, and the band's height.
    RECT hint = {};
    GetWindowRect(GetDlgItem(rebar, IDC_HINT), &hint);
    sizes["hint height"] = hint.bottom - hint.top;
    int parts[4] = {};
    const int count = static_cast<int>(SendMessageA(window.GetStatusBar().GetHandle(), SB_GETPARTS,
                                                    4, reinterpret_cast<LPARAM>(parts)));
    for (int i = 0; i < count && i < 4; ++i)
        sizes["status part " + std::to_string(i) + " right"] = parts[i];
    HWND toolbar = GetDlgItem(rebar, IDC_TOOLBAR);
    int imageWidth = 0, imageHeight = 0;
    ImageList_GetIconSize(
        reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0)), &imageWidth,
        &imageHeight);
    sizes["toolbar image"] = imageWidth;
    RECT separator = {};
    GetWindowRect(FindWindowExA(main, nullptr, "Static", nullptr), &separator);
    sizes["separator height"] = separator.bottom - separator.top;
    LOGFONTA font = {};
    GetObjectA(
        reinterpret_cast<HFONT>(SendMessageA(window.GetSerifList().GetHandle(), WM_GETFONT, 0, 0)),
        sizeof(font), &font);
    sizes["list font height"] = std::abs(font.lfHeight);
    return sizes;
}

// Sets LogPixels for the processes started from now on, and puts the value
// that was there back when it ends.
class CLogPixels
{
public:
    CLogPixels()
    {
        RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, &m_Key);
        DWORD size = sizeof(m_Old);
        m_HadValue = RegQueryValueExA(m_Key, "LogPixels", nullptr, nullptr,
                                      reinterpret_cast<BYTE*>(&m_Old), &size) == ERROR_SUCCESS;
    }
    ~CLogPixels()
    {
        if (m_HadValue)
            Set(m_Old);
        else
            RegDeleteValueA(m_Key, "LogPixels");
        RegCloseKey(m_Key);
    }
    CLogPixels(const CLogPixels&) = delete;
    CLogPixels& operator=(const CLogPixels&) = delete;

    bool Set(DWORD dpi)
    {
        return RegSetValueExA(m_Key, "LogPixels", 0, REG_DWORD, reinterpret_cast<BYTE*>(&dpi),
                              sizeof(dpi)) == ERROR_SUCCESS;
    }

private:
    HKEY m_Key = nullptr;
    DWORD m_Old = 0;
    bool m_HadValue = false;
};

struct CReport
{
    std::set<int> m_Dialogs;
    std::vector<std::string> m_Problems;  // cut texts and unopened templates
    std::map<std::string, int> m_Sizes;
};

// Runs this suite's DpiReport test in a new process and reads its report.
CReport RunReport(const std::string& file)
{
    CReport report;
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof(exe));
    std::string command = std::string("\"") + exe + "\" --gtest_filter=DpiReport.*";
    SetEnvironmentVariableA(kReportVariable, file.c_str());
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE nul =
        CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    SetEnvironmentVariableA(kReportVariable, nullptr);
    CloseHandle(nul);
    if (!started) {
        report.m_Problems.push_back("the measuring process did not start");
        return report;
    }
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        report.m_Problems.push_back("the measuring process did not end within a minute");
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind == "dialog") {
            int id = 0;
            words >> id;
            report.m_Dialogs.insert(id);
        } else if (kind == "size") {
            std::string rest;
            std::getline(words >> std::ws, rest);
            const size_t space = rest.rfind(' ');
            report.m_Sizes[rest.substr(0, space)] = std::atoi(rest.c_str() + space + 1);
        } else if (!kind.empty()) {
            report.m_Problems.push_back(line);
        }
    }
    return report;
}

}  // namespace

// The measuring half, run by DpiLayout in a process of its own.
class DpiReport : public MainWndTest
{};

TEST_F(DpiReport, MeasuresAtThisProcessDpi)
{
    const char* file = std::getenv(kReportVariable);
    if (file == nullptr)
        GTEST_SKIP() << "started by DpiLayout in a process of its own";
    std::ofstream report(file);
    const UINT dpi = GetSystemDpi();
    report << "size system dpi " << dpi << "\n";
    ReportCutTexts(report, dpi);
    ASSERT_TRUE(CreateWindowNow());
    report << "size window dpi " << Window().GetDpi() << "\n";
    for (const auto& size : MainWindowSizes(Window()))
        report << "size " << size.first << " " << size.second << "\n";
}

TEST(DpiLayout, NoLabelIsCutAndTheMainWindowGrowsAt144Dpi)
{
    CTempFolder folder;
    std::map<UINT, CReport> reports;
    {
        CLogPixels logPixels;
        for (UINT dpi : {96u, 144u}) {
            ASSERT_TRUE(logPixels.Set(dpi));
            reports[dpi] = RunReport(folder.File("report-" + std::to_string(dpi) + ".txt"));
        }
    }
    for (UINT dpi : {96u, 144u}) {
        const CReport& report = reports[dpi];
        EXPECT_EQ(static_cast<int>(dpi),
                  report.m_Sizes.count("system dpi") ? report.m_Sizes.at("system dpi") : 0);
        EXPECT_EQ(static_cast<int>(dpi),
                  report.m_Sizes.count("window dpi") ? report.m_Sizes.at("window dpi") : 0);
        for (int id : {IDD_CAST, IDD_SERIF, IDD_SCRIPT, IDD_JUMP, IDD_OPTION_GENERAL,
                       IDD_OPTION_HOTKEY, IDD_OPTION_COLORS, IDD_OPTION_PASTE})
            EXPECT_EQ(1u, report.m_Dialogs.count(id)) << "template " << id << " at " << dpi;
        for (const std::string& problem : report.m_Problems)
            ADD_FAILURE() << "at " << dpi << " DPI: " << problem;
    }
    // Every size the window sets in pixels grows by half (to the pixel).
    const std::map<std::string, int>& base = reports[96].m_Sizes;
    const std::map<std::string, int>& high = reports[144].m_Sizes;
    EXPECT_GE(base.size(), 10u);
    for (const auto& size : base) {
        if (size.first.find("dpi") != std::string::npos)
            continue;
        ASSERT_EQ(1u, high.count(size.first)) << size.first;
        EXPECT_NEAR(size.second * 3 / 2.0, high.at(size.first), 1.0) << size.first;
    }
}

TEST_F(MainWndTest, DpiChangeScalesWhatTheWindowSetsInPixels)
{
    ASSERT_TRUE(CreateWindowNow());
    const UINT dpi = Window().GetDpi();
    const std::map<std::string, int> before = MainWindowSizes(Window());
    CListView& list = Window().GetSerifList();
    const int column = static_cast<int>(list.Send(LVM_GETCOLUMNWIDTH, 1));
    HWND toolbar =
        GetDlgItem(FindWindowExA(Main(), nullptr, REBARCLASSNAMEA, nullptr), IDC_TOOLBAR);
    const LRESULT buttons = SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0);

    // Onto a screen of half as many pixels again per inch: the suggested
    // rectangle is taken and every size grows by half.
    RECT suggested = {10, 20, 10 + 900, 20 + 700};
    SendMessageA(Main(), WM_DPICHANGED, MAKEWPARAM(dpi * 3 / 2, dpi * 3 / 2),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT now = {};
    GetWindowRect(Main(), &now);
    EXPECT_EQ(suggested.left, now.left);
    EXPECT_EQ(suggested.top, now.top);
    EXPECT_EQ(900, now.right - now.left);
    EXPECT_EQ(700, now.bottom - now.top);
    EXPECT_EQ(dpi * 3 / 2, Window().GetDpi());
    const std::map<std::string, int> scaled = MainWindowSizes(Window());
    for (const auto& size : before)
        EXPECT_NEAR(size.second * 3 / 2.0, scaled.at(size.first), 1.0) << size.first;
    EXPECT_NEAR(column * 3 / 2.0, list.Send(LVM_GETCOLUMNWIDTH, 1), 1.0);
    EXPECT_LT(HIWORD(buttons), HIWORD(SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0)));

    // And back: the sizes it started with.
    SendMessageA(Main(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(before, MainWindowSizes(Window()));
    EXPECT_NEAR(column, list.Send(LVM_GETCOLUMNWIDTH, 1), 1.0);
    EXPECT_EQ(buttons, SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0));
}
