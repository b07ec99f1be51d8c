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

TEST_F(ClipboardTest, PutsShiftJisTextThatReadsBackByteForByte)
{
    const char text[] = "ソフト表示\t台詞\tメモ";
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

TEST_F(ClipboardTest, AlsoPlacesUnicodeConvertedFromAnsiCodePage)
{
    if (!ctltest::IsShiftJisSystem())
        GTEST_SKIP() << "needs the Shift_JIS code page";
    CClipboard clipboard(m_Owner.Get());
    ASSERT_EQ(CClipboard::kOk, clipboard.SetText("ポ表 abc", true));
    bool found = false;
    EXPECT_EQ(std::wstring(L"\u30DD\u8868 abc"), ReadClipboardUnicode(&found));
    EXPECT_TRUE(found);
    EXPECT_EQ(std::string("ポ表 abc"), ReadClipboardText());
}

TEST_F(ClipboardTest, EmptyTextWithUnicodePutsTwoEmptyStrings)
{
    CClipboard clipboard(m_Owner.Get());
    ASSERT_EQ(CClipboard::kOk, clipboard.SetText("", true));
    bool foundText = false;
    bool foundUnicode = false;
    EXPECT_EQ("", ReadClipboardText(&foundText));
    EXPECT_EQ(L"", ReadClipboardUnicode(&foundUnicode));
    EXPECT_TRUE(foundText);
    EXPECT_TRUE(foundUnicode);
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
    ASSERT_EQ(CClipboard::kOk, clipboard.SetText("gone", true));
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
    ASSERT_EQ(CClipboard::kOk, clipboard.SetText("台詞", true));
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
