#include "dialogs/JumpDlg.h"

#include <climits>
#include <cstdlib>
#include <string>

#include "res/DialogRes.h"

LRESULT CJumpDlg::OnInitDialog()
{
    SetIcon(IDI_DIALOG_ICON);
    m_LineBox.AttachDlgItem(m_Wnd, IDC_JUMP_LINE);
    ::SetFocus(m_LineBox.GetHandle());
    return 0;
}

void CJumpDlg::OnOK()
{
    const std::string text = m_LineBox.GetText();
    if (text.empty()) {
        EndDialog(0);
        return;
    }
    // long is 32 bits on Windows, where strtol already saturates; the clamp
    // keeps the same result where it is wider.
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT32_MAX)
        m_Line = INT32_MAX;
    else if (value < INT32_MIN)
        m_Line = INT32_MIN;
    else
        m_Line = static_cast<int32_t>(value);
    EndDialog(1);
}

int32_t CJumpDlg::GetRow(int32_t rowCount) const
{
    const int64_t row = static_cast<int64_t>(m_Line) - 1;
    if (row < 0 || row >= rowCount)
        return -1;
    return static_cast<int32_t>(row);
}
