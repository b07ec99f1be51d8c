// Helpers of the main window suites: a fixture that creates a CMainWnd with
// an option file of its own, scenario files in a temporary folder, and a
// box answerer that answers the message boxes and file dialogs the window
// raises, from inside the test.
//
// Texts are Shift_JIS bytes (the sources are compiled to CP932).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWnd.h"
#include "scenario/Script.h"

// A box seen by the answerer: its caption and the texts of its static
// controls, joined by "\n".
struct CBoxSeen
{
    std::string m_Caption;
    std::string m_Text;
    bool m_FileDialog = false;  // an open or save dialog, not a message box
};

// Answers the modal windows of this thread, in order, from a thread timer
// (every modal loop dispatches it). Each queued answer is a button id
// (IDYES, IDNO, IDCANCEL, IDOK) posted as WM_COMMAND to the box. A box for
// which nothing is queued is answered with IDCANCEL and counted in
// Unexpected(). Stops in its destructor.
class CBoxAnswerer
{
public:
    explicit CBoxAnswerer(std::vector<int> answers = {});
    ~CBoxAnswerer();
    CBoxAnswerer(const CBoxAnswerer&) = delete;
    CBoxAnswerer& operator=(const CBoxAnswerer&) = delete;

    const std::vector<CBoxSeen>& Seen() const { return m_Seen; }
    const std::vector<CBoxSeen>& Unexpected() const { return m_Unexpected; }
    bool AllAnswered() const { return m_Next >= m_Answers.size(); }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::vector<int> m_Answers;
    size_t m_Next = 0;
    std::vector<CBoxSeen> m_Seen;
    std::vector<CBoxSeen> m_Unexpected;
    UINT_PTR m_Timer = 0;
    HWND m_LastBox = nullptr;
};

// A temporary folder, removed with what it holds.
class CTempFolder
{
public:
    CTempFolder();
    ~CTempFolder();
    const std::string& Path() const { return m_Path; }
    std::string File(const std::string& name) const { return m_Path + "\\" + name; }

private:
    std::string m_Path;
};

// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// An option file with the given settings and file history (CR LF, Shift_JIS).
std::string OptionFileText(int addReturn, unsigned hotKey,
                           const std::vector<std::string>& history = {});

// Scenario with casts 0 "アリス", 1 "ボブ" and the given serifs.
CScript MakeScript(const std::vector<CSerif>& serifs, const std::string& title = "散歩");

// Dispatches the thread's pending messages (a WM_QUIT is dropped).
void PumpMessages();
// Pumps for about `ms` milliseconds.
void PumpFor(DWORD ms);
// Pumps this thread's messages until `done` holds or `ms` have passed, and
// says whether it held.
bool PumpUntil(const std::function<bool()>& done, DWORD ms = 5000);

// Creates and destroys a main window around each test.
class MainWndTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the window with the current option file (Options() is written
    // first when not empty). Returns whether it was created.
    bool CreateWindowNow();
    // Ends the window without questions.
    void DestroyWindowNow();

    HWND Main() const { return m_Window ? m_Window->GetHandle() : nullptr; }
    CMainWnd& Window() { return *m_Window; }
    void Command(int id, int code = 0, HWND source = nullptr);
    // Saves a scenario under the temporary folder and returns its path.
    std::string SaveScenario(const CScript& script, const std::string& name);
    std::string Title() const;
    std::string RowText(int row, int column);
    // Items of the recent-files popup, in order.
    struct CMenuEntry
    {
        int m_Id = 0;
        std::string m_Text;
        bool m_Separator = false;
        bool m_Grayed = false;
    };
    std::vector<CMenuEntry> RecentMenu() const;

    std::unique_ptr<CTempFolder> m_Folder;
    std::string m_OptionPath;
    std::string m_OptionText;  // written before CreateWindowNow when not empty
    std::unique_ptr<CMainWnd> m_Window;
};
