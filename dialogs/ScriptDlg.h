// CScriptDlg: the scenario settings dialog (template 141): the scenario's
// title, memo and direction format (how rows without a cast are pasted).
//
// The dialog keeps a pointer to the scenario (not owned; may be null, then
// the dialog edits nothing) and writes the three back only when its OK
// button (IDC_SCRIPT_OK, not IDOK) is pressed, each trimmed of ASCII spaces.
// The memo is stored with "\n" line ends and shown with "\r\n". Texts are
// UTF-8, read whole.
//
// DoModal(owner, IDD_SCRIPT) gives 1 after OK (scenario updated), 0 after
// Cancel or the close box (nothing changed).
#pragma once

#include <windows.h>

#include <string>

#include "dialogs/OkCancelDlg.h"
#include "scenario/Script.h"
#include "wnd/EditBox.h"

class CScriptDlg : public COkCancelDlg
{
public:
    CScriptDlg() = default;
    ~CScriptDlg() override = default;

    // Stores the scenario and the window caption for the next DoModal.
    void Setup(CScript* script, const std::string& caption);

private:
    LRESULT OnInitDialog() override;
    void OnOK() override;
    // IDC_SCRIPT_OK. IDOK (Enter in the title box) is deliberately not
    // handled.
    int GetOkId() const override;

    CEditBox m_TitleBox;
    CEditBox m_MemoBox;
    CEditBox m_DirectionFormatBox;
    std::string m_Caption;
    CScript* m_Script = nullptr;
};
