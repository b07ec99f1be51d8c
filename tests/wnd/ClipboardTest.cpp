#include "wnd/Clipboard.h"

#include <gtest/gtest.h>

#include <thread>

#include "ControlsSupport.h"

using ctltest::ReadClipboardText;
using ctltest::ReadClipboardUnicode;

namespace
{

// Holds the clipboard open from another thread until Release.
class CClipboardHolder
{
public:
    explicit CClipboardHolder(DWORD holdMs = INFINITE)
        : m_Opened(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          m_Release(CreateEventA(nullptr, TRUE, FALSE, nullptr)), m_Thread([this, holdMs] {
              m_Ok = OpenClipboard(nullptr) != FALSE;
              SetEvent(m_Opened);
              WaitForSingleObject(m_Release, holdMs);
              if (m_Ok)
                  CloseClipboard();
          })
    {
        WaitForSingleObject(m_Opened, INFINITE);
    }
    ~CClipboardHolder()
    {
        SetEvent(m_Release);
        m_Thread.join();
        CloseHandle(m_Opened);
        CloseHandle(m_Release);
    }
    bool Holds() const { return m_Ok; }

private:
    HANDLE m_Opened;
    HANDLE m_Release;
    bool m_Ok = false;
    std::thread m_Thread;
};

class ClipboardTest : public ::testing::Test
{
protected:
    ctltest::CTestWindow m_Owner;
};

TEST_F(ClipboardTest, PutsTextThatReadsBackExactly)
{
    const char text[] = "ソフト表示\t台詞♡\tメモ😊";
    CClipboard clipboard(m_Owner.Get());
    ASSERT_EQ(CClipboard::kOk, clipboard.SetText(text));
    bool found = false;
    EXPECT_EQ(std::string(text), ReadClipboardText(&found));
    EXPECT_TRUE(found);
}

TEST_F(ClipboardTest, EmptyTextPutsEmptyString)
{
    CClipboard clipboard(m_Owner.Get());
    ASSERT_EQ(CClipboard::kOk, clipboard.SetText("before"));
    ASSERT_EQ(CClipboard::kOk, clipboard.SetText(""));
    bool found = false;
    EXPECT_EQ("", ReadClipboardText(&found));
    EXPECT_TRUE(found);
}

TEST_F(ClipboardTest, WorksWithoutOwnerWindow)
{
    CClipboard clipboard;
    ASSERT_EQ(CClipboard::kOk, clipboard.SetText("no owner"));
    EXPECT_EQ("no owner", ReadClipboardText());
}

TEST_F(ClipboardTest, PutsUnicodeWithSurrogatePairsWholeAndPastesIntoAnEditExactly)
{
    CClipboard clipboard(m_Owner.Get());
    ASSERT_EQ(CClipboard::kOk, clipboard.SetText("ポ表 ♡😊𠮷 (◕‿◕)"));
    bool found = false;
    const std::wstring expected = L"\u30DD\u8868 \u2661\U0001F60A\U00020BB7 (\u25D5\u203F\u25D5)";
    EXPECT_EQ(expected, ReadClipboardUnicode(&found));
    EXPECT_TRUE(found);

    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 300,
                                20, m_Owner.Get(), nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, edit);
    SendMessageW(edit, WM_PASTE, 0, 0);
    wchar_t pasted[64] = {};
    GetWindowTextW(edit, pasted, 64);
    EXPECT_EQ(expected, std::wstring(pasted));
    char narrow[128] = {};
    GetWindowTextA(edit, narrow, sizeof narrow);
    EXPECT_STREQ("ポ表 ♡😊𠮷 (◕‿◕)", narrow);
    DestroyWindow(edit);
}

TEST_F(ClipboardTest, EmptyTextPutsEmptyUnicodeString)
{
    CClipboard clipboard(m_Owner.Get());
    ASSERT_EQ(CClipboard::kOk, clipboard.SetText(""));
    bool found = false;
    EXPECT_EQ(L"", ReadClipboardUnicode(&found));
    EXPECT_TRUE(found);
}

TEST_F(ClipboardTest, NullTextIsRejectedAndKeepsClipboard)
{
    CClipboard clipboard(m_Owner.Get());
    ASSERT_EQ(CClipboard::kOk, clipboard.SetText("kept"));
    EXPECT_EQ(CClipboard::kNoText, clipboard.SetText(nullptr));
    EXPECT_EQ("kept", ReadClipboardText());
}

TEST_F(ClipboardTest, ClearRemovesText)
{
    CClipboard clipboard(m_Owner.Get());
    ASSERT_EQ(CClipboard::kOk, clipboard.SetText("gone"));
    EXPECT_NE(0, clipboard.Clear());
    bool found = true;
    ReadClipboardText(&found);
    EXPECT_FALSE(found);
    EXPECT_EQ(0, CountClipboardFormats());
}

TEST_F(ClipboardTest, ReportsClipboardHeldByAnotherThread)
{
    CClipboard clipboard(m_Owner.Get());
    ASSERT_EQ(CClipboard::kOk, clipboard.SetText("earlier"));
    {
        CClipboardHolder holder;
        ASSERT_TRUE(holder.Holds());
        EXPECT_EQ(CClipboard::kCannotOpen, clipboard.SetText("later"));
        EXPECT_EQ(0, clipboard.Clear());
    }
    EXPECT_EQ("earlier", ReadClipboardText());
}

TEST_F(ClipboardTest, WaitsForClipboardHeldBriefly)
{
    CClipboard clipboard(m_Owner.Get());
    CClipboardHolder holder(15);
    ASSERT_TRUE(holder.Holds());
    EXPECT_EQ(CClipboard::kOk, clipboard.SetText("after the wait"));
    EXPECT_EQ("after the wait", ReadClipboardText());
}

TEST_F(ClipboardTest, IsStillOursUntilAnotherWriterOrHolder)
{
    CClipboard clipboard(m_Owner.Get());
    EXPECT_FALSE(clipboard.IsStillOurs());  // nothing set yet
    ASSERT_EQ(CClipboard::kOk, clipboard.SetText("台詞"));
    EXPECT_TRUE(clipboard.IsStillOurs());
    EXPECT_TRUE(clipboard.IsStillOurs());  // asking changes nothing
    {
        CClipboardHolder holder;
        ASSERT_TRUE(holder.Holds());
        EXPECT_FALSE(clipboard.IsStillOurs());
    }
    CClipboard other;
    ASSERT_EQ(CClipboard::kOk, other.SetText("別の"));
    EXPECT_FALSE(clipboard.IsStillOurs());
    EXPECT_TRUE(other.IsStillOurs());
    EXPECT_EQ(CClipboard::kCannotOpen, [&] {
        CClipboardHolder holder;
        return clipboard.SetText("later");
    }());
    EXPECT_FALSE(clipboard.IsStillOurs());  // a failed SetText claims nothing
}

}  // namespace
