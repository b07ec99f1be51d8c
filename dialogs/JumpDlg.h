// CJumpDlg: asks for a line number to jump to (template 180, "指定行").
//
// The main window owns one object and shows it for every jump; the number
// accepted by the last OK stays until the next OK. The dialog owns nothing
// but its control wrapper, which is bound anew at each initialisation.
//
// DoModal(owner, IDD_JUMP) gives 1 after OK with a number, 0 when the box was
// empty or the dialog was cancelled.
#pragma once

#include <windows.h>

#include <cstdint>

#include "dialogs/OkCancelDlg.h"
#include "wnd/EditBox.h"

class CJumpDlg : public COkCancelDlg
{
public:
    CJumpDlg() = default;
    ~CJumpDlg() override = default;

    // The number accepted by the last OK, 1-based as typed. Digits beyond
    // the 32-bit range give INT32_MAX (or INT32_MIN for a pasted minus).
    int32_t GetLine() const { return m_Line; }

    // The row index that GetLine() names in a list of rowCount rows, or -1
    // when it names none (0, negative or past the end). Computed without
    // overflow for every line number.
    int32_t GetRow(int32_t rowCount) const;

private:
    LRESULT OnInitDialog() override;
    void OnOK() override;

    CEditBox m_LineBox;
    int32_t m_Line = 0;
};
