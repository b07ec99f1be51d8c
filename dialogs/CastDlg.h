// CCastDlg: edits the cast of a scenario (template 137): change, add and
// delete members, each with its name, memo and paste format.
//
// Every edit goes to a working copy of the cast list; OK writes it back into
// the scenario (not owned; may be null, then nothing is edited) and removes
// the serifs of every member deleted in this run. Cancel drops the copy.
// Rows of the list are sorted by name; each row's item data is the cast id,
// the only link between a row and its member. Names are kept non-blank
// (after trimming ASCII spaces) and unique, by Change as well as by Add, so
// that the serif dialog can find each member by its name. The format box
// offers the usual formats ({name} and {text} for the name and the line;
// empty for the line alone) and takes any other typed; like the memo it is
// trimmed of ASCII spaces. Texts are UTF-8, read whole.
//
// DoModal(owner, IDD_CAST) gives 1 after OK (casts written back, serifs of
// deleted members removed), 0 after Cancel or the close box.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/OkCancelDlg.h"
#include "scenario/Cast.h"
#include "scenario/Script.h"
#include "wnd/ComboBox.h"
#include "wnd/EditBox.h"
#include "wnd/ListView.h"

class CCastDlg : public COkCancelDlg
{
public:
    CCastDlg() = default;
    ~CCastDlg() override = default;

    // Stores the scenario and the caption, copies the scenario's casts into
    // the working list and forgets the ids deleted in an earlier run.
    void Setup(CScript* script, const std::string& caption);

private:
    LRESULT OnInitDialog() override;
    void OnOK() override;
    // Add, Delete and Change.
    void OnCommandId(int id) override;
    // A row selected in the list fills the name, memo and format boxes.
    LRESULT OnNotify(const NMHDR* header) override;
    void OnChange();
    void OnAdd();
    void OnDelete();

    // The working member with this id, or null.
    CCast* FindCast(int32_t id);
    // Whether `name` (already trimmed) may be given to a member: not empty
    // and no other member than `self` (may be null) has exactly this name.
    // Shows the error box and returns false otherwise.
    bool CheckName(const std::string& name, const CCast* self);
    // Appends a row for the member (the list sorts it into place) and fills
    // its memo column.
    void InsertRow(const CCast& cast);

    CListView m_List;
    CEditBox m_NameBox;
    CEditBox m_MemoBox;
    CComboBox m_FormatList;  // the format box with its list
    CEditBox m_FormatBox;    // its edit field
    std::string m_Caption;
    CScript* m_Script = nullptr;
    std::vector<CCast> m_Casts;
    std::vector<int32_t> m_DeletedIds;
};
