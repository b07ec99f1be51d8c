// The decisions behind the search menu, free of any window: which row and
// which column a find or a replace-dialog action stops at, which rows a scan
// passes over, what a replacement turns a text into, and which row a jump
// selects. The main window reads the dialogs, calls CTextSearch, and carries
// the result out on the serif list, the title and the message boxes.
//
// Rows are numbered from 0 like the serif list's, which mirrors the
// scenario's serifs one to one; -1 stands for "no row" (CTextSearch::kNoRow).
// All texts are UTF-8. Matching is byte for byte and case-sensitive, on the
// whole texts of the scenario (cast name, serif text, memo), and a match
// always covers whole code points: it never starts or ends inside one.
//
// Nothing here keeps a pointer: the scenario is passed to every call and
// stays owned by the caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CScript;

// The serif list's columns, which are the searchable texts of a row.
enum class ESearchColumn : int32_t
{
    None = -1,
    CastName = 0,  // the name of the serif's cast; searched, never replaced
    Text = 1,      // the serif text
    Memo = 2       // the serif memo
};

enum class ESearchOutcome
{
    Ignored,    // empty search text or no cursor: nothing to do, no message
    Found,      // stopped at m_Row
    ReachedEnd  // the scan left the list: show the end message
};

// What the replace dialog's button asks for.
enum class EReplaceAction
{
    FindNext,   // select the next row whose serif text or memo matches
    Replace,    // the same, then ask and replace in that one text
    ReplaceAll  // replace without asking in every row from the start row down
};

// The common find and replace dialogs' flag bits (FR_DOWN, FR_FINDNEXT,
// FR_REPLACE, FR_REPLACEALL of <commdlg.h>), repeated so that this file stays
// free of <windows.h>. app/SearchCommands.cpp asserts at compile time that
// they equal the originals.
namespace FindFlags
{
const uint32_t kDown = 0x00000001;
const uint32_t kFindNext = 0x00000008;
const uint32_t kReplace = 0x00000010;
const uint32_t kReplaceAll = 0x00000020;
}  // namespace FindFlags

// The replace dialog's action for its flags word. Returns false when none of
// the three button bits is set (the message is then not a request). Should
// more than one be set, Find Next wins over Replace, and Replace (which asks
// first) over Replace All.
bool ReplaceActionFromFlags(uint32_t flags, EReplaceAction& action);

struct CFindResult
{
    ESearchOutcome m_Outcome = ESearchOutcome::Ignored;
    int32_t m_Row = -1;                            // Found: make it the cursor
    ESearchColumn m_Column = ESearchColumn::None;  // Found: first matching column
};

struct CReplaceResult
{
    ESearchOutcome m_Outcome = ESearchOutcome::Ignored;
    // Found: the row the action stopped at (found, replaced, or declined).
    int32_t m_Row = -1;
    ESearchColumn m_Column = ESearchColumn::None;
    // The row to make the cursor (and bring into view) afterwards; -1 leaves
    // the cursor where it is. After a replacement it is the row below the
    // replaced one, or the replaced row itself when it is the last.
    int32_t m_Cursor = -1;
    // Rows whose serif text or memo the action changed in the scenario, in
    // ascending order, each once: write their columns 1 and 2 anew.
    std::vector<int32_t> m_ChangedRows;
    // Occurrences replaced, including ones replaced by identical bytes.
    size_t m_Replacements = 0;

    // Mark the scenario modified only when this is true: a replacement that
    // leaves every byte as it was does not count.
    bool Changed() const { return !m_ChangedRows.empty(); }
};

// Asked by a single Replace before it changes a text. The implementation
// shows row `row` (cursor, in view) and asks the user; it must not change the
// scenario. Returning false leaves the text as it is.
class IReplaceConfirm
{
public:
    virtual ~IReplaceConfirm() = default;
    virtual bool ConfirmReplace(int32_t row, ESearchColumn column) = 0;
};

// Holds the state kept between searches for the whole run: the last found
// row (find dialog, F3, Shift+F3) and the last replace row (replace dialog).
// Neither is reset by New, Open or any edit. Every scan but Replace All
// passes over the row held for it, whatever the text, until it stops at
// another row.
class CTextSearch
{
public:
    static constexpr int32_t kNoRow = -1;

    // Find from row `start` (the cursor; kNoRow for none) downward or upward,
    // testing the cast name, the serif text and the memo of each row in that
    // order. Sets the last found row when a row matches.
    CFindResult FindNext(const CScript& script, const std::string& text, int32_t start, bool down);

    // The replace dialog's action, from row `start` (the cursor; kNoRow for
    // none) down to the end of the list, on the serif text and the memo. A
    // replacement replaces every occurrence of `find` in that text, left to
    // right, never rescanning inserted bytes, and stores the serif back into
    // `script`. `confirm` is asked only by EReplaceAction::Replace. Sets the
    // last replace row when the action stops at a row. Replace All neither
    // passes over that row nor sets it, and always reaches the end.
    CReplaceResult ReplaceNext(CScript& script, const std::string& find,
                               const std::string& replacement, int32_t start, EReplaceAction action,
                               IReplaceConfirm& confirm);

    int32_t GetLastFoundRow() const { return m_LastFoundRow; }
    int32_t GetLastReplaceRow() const { return m_LastReplaceRow; }

private:
    int32_t m_LastFoundRow = kNoRow;
    int32_t m_LastReplaceRow = kNoRow;
};

// Byte offset of the first match of `what` in `text` that covers whole
// characters; std::string::npos when there is none or `what` is empty.
size_t FindInText(const std::string& text, const std::string& what);

// Replaces every whole-character match of `what` in `text` by `with`,
// scanning left to right and going on after each inserted `with`. Returns
// the number of replacements; an empty `what` replaces nothing.
size_t ReplaceInText(std::string& text, const std::string& what, const std::string& with);

// The row a jump to line `line` (counted from 1, as typed; any 32-bit value)
// selects in a list of `rowCount` rows, or CTextSearch::kNoRow when the line
// lies outside the list.
int32_t JumpTargetRow(int32_t line, int32_t rowCount);
