// The jump dialog, played from inside the test: the number as typed, and the
// row it names in a list.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "dialogs/JumpDlg.h"
#include "res/DialogRes.h"
#include "tests/support/DialogDriver.h"

namespace
{
class JumpDlgTest : public ::testing::Test
{
protected:
    // Types `text` into the line box and presses OK.
    INT_PTR Jump(const std::string& text)
    {
        m_Driver.Clear();
        m_Driver.SetText(IDC_JUMP_LINE, text).Click(IDOK);
        return m_Driver.Play([this] { return m_Dialog.DoModal(nullptr, IDD_JUMP); });
    }

    CJumpDlg m_Dialog;
    CDialogDriver m_Driver;
};
}  // namespace

TEST_F(JumpDlgTest, LineOneIsTheFirstRow)
{
    EXPECT_EQ(Jump("1"), 1);
    EXPECT_EQ(m_Dialog.GetLine(), 1);
    EXPECT_EQ(m_Dialog.GetRow(5), 0);
    EXPECT_EQ(m_Dialog.GetRow(0), -1);
}

TEST_F(JumpDlgTest, LineZeroNamesNoRow)
{
    EXPECT_EQ(Jump("0"), 1);
    EXPECT_EQ(m_Dialog.GetLine(), 0);
    EXPECT_EQ(m_Dialog.GetRow(5), -1);
}

TEST_F(JumpDlgTest, LinesPastTheEndNameNoRow)
{
    EXPECT_EQ(Jump("5"), 1);
    EXPECT_EQ(m_Dialog.GetRow(5), 4);
    EXPECT_EQ(Jump("6"), 1);
    EXPECT_EQ(m_Dialog.GetRow(5), -1);
    EXPECT_EQ(Jump("99999999999999"), 1);
    EXPECT_EQ(m_Dialog.GetLine(), INT32_MAX);
    EXPECT_EQ(m_Dialog.GetRow(INT32_MAX), INT32_MAX - 1);
    EXPECT_EQ(m_Dialog.GetRow(5), -1);
}

TEST_F(JumpDlgTest, PastedNegativeNumbersNameNoRowWithoutOverflow)
{
    EXPECT_EQ(Jump("-3"), 1);
    EXPECT_EQ(m_Dialog.GetRow(5), -1);
    EXPECT_EQ(Jump("-99999999999999"), 1);
    EXPECT_EQ(m_Dialog.GetLine(), INT32_MIN);
    EXPECT_EQ(m_Dialog.GetRow(5), -1);
}

TEST_F(JumpDlgTest, ConversionStopsAtTheFirstNonDigit)
{
    EXPECT_EQ(Jump("12abc"), 1);
    EXPECT_EQ(m_Dialog.GetLine(), 12);
}

TEST_F(JumpDlgTest, AnEmptyBoxCountsAsCancelAndKeepsTheLastNumber)
{
    EXPECT_EQ(Jump("3"), 1);
    EXPECT_EQ(Jump(""), 0);
    EXPECT_EQ(m_Dialog.GetLine(), 3);
}

TEST_F(JumpDlgTest, CancelEndsWithZeroAndTheBoxStartsEmpty)
{
    EXPECT_EQ(Jump("4"), 1);
    std::string shown = "(not run)", caption;
    m_Driver.Clear();
    m_Driver.OnDialog([&](HWND dialog) {
        shown = CDialogDriver::Text(GetDlgItem(dialog, IDC_JUMP_LINE));
        caption = CDialogDriver::Text(dialog);
    });
    m_Driver.SetText(IDC_JUMP_LINE, "2").Click(IDCANCEL);
    EXPECT_EQ(m_Driver.Play([this] { return m_Dialog.DoModal(nullptr, IDD_JUMP); }), 0);
    EXPECT_EQ(shown, "");
    EXPECT_EQ(caption, "指定行");
    EXPECT_EQ(m_Dialog.GetLine(), 4);
}
