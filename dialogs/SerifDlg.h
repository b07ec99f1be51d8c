// CSerifDlg: edits one serif - who speaks it, its text and its memo
// (template 140). The same dialog serves edit, insert and add; the caller
// sets the caption.
//
// The dialog works on its own copy of the serif; the caller reads it with
// GetSerif after an OK and copies it into the scenario. The scenario pointer
// (not owned; may be null) only supplies the casts offered in the cast box.
// Texts are UTF-8, read whole.
//
// DoModal(owner, IDD_SERIF) gives 1 after OK, 0 after Cancel or the close
// box.
#pragma once

#include <windows.h>

#include <string>

#include "dialogs/OkCancelDlg.h"
#include "scenario/Script.h"
#include "scenario/Serif.h"
#include "wnd/ComboBox.h"
#include "wnd/EditBox.h"

class CSerifDlg : public COkCancelDlg
{
public:
    CSerifDlg() = default;
    ~CSerifDlg() override = default;

    // Stores the scenario, a copy of the serif and the caption for the next
    // DoModal. A new line is passed as cast id 0 with empty text and memo.
    void Setup(const CScript* script, const CSerif& serif, const std::string& caption);

    // The working copy: after OK the chosen cast, text and memo.
    const CSerif& GetSerif() const { return m_Serif; }

private:
    LRESULT OnInitDialog() override;
    void OnOK() override;
    // Selects the cast box item whose text is exactly `name` (byte for
    // byte, so "a" never stands for "A"); nothing when there is none.
    void SelectCastName(const std::string& name);

    CComboBox m_CastBox;
    CEditBox m_TextBox;
    CEditBox m_MemoBox;
    std::string m_Caption;
    const CScript* m_Script = nullptr;
    CSerif m_Serif;
};
