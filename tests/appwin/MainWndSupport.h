// Helpers of the main window suites: a fixture that creates a CMainWnd with
// an option file of its own and scenario files in a temporary folder. The
// message boxes and dialogs the window raises are answered from inside the
// test by the driver of tests/support.
//
// Texts are UTF-8, as in the program.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/MainWnd.h"
#include "scenario/Script.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/Pump.h"
#include "tests/support/TempFolder.h"

// An option file with the given settings and file history (CR LF, UTF-8).
std::string OptionFileText(int addReturn, unsigned hotKey,
                           const std::vector<std::string>& history = {});

// Scenario with casts 0 "アリス", 1 "ボブ" and the given serifs.
CScript MakeScript(const std::vector<CSerif>& serifs, const std::string& title = "散歩");

// An HDROP holding the given paths, as the shell sends it with
// WM_DROPFILES; the window that receives it frees it (DragFinish).
HDROP MakeDrop(const std::vector<std::string>& paths);

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
