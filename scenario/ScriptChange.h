// CScriptChange: what one command did to a scenario, as the scenario's own
// operations, recorded while the command ran (CScript::Record). Undo applies
// their inverses in reverse order and Redo applies them again, so the
// scenario comes back exactly as it was before or after the command.
//
// A change holds the other side of what it touched, never a copy of the
// whole scenario: while it is done, the rows, texts and cast lists as they
// were; once undone, as they became. Undo and Redo swap (move) them between
// the change and the scenario, so a replace over every row holds each row
// once, and a deleted cast the rows it took with it.
#pragma once

#include "scenario/Cast.h"
#include "scenario/Serif.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CScript;

class CScriptChange
{
public:
    bool IsEmpty() const { return m_Ops.empty(); }
    // Memory the change holds, done or undone, in bytes (an estimate that
    // counts the heap blocks of its strings and vectors, the larger side of
    // each operation).
    size_t GetBytes() const { return m_Bytes; }
    // The first serif row the change touched, -1 when it touched none.
    int32_t GetFirstRow() const { return m_FirstRow; }
    // Whether the cast list changed.
    bool ChangesCasts() const { return m_ChangesCasts; }
    // Gives back the spare capacity of the recording; once it is complete.
    void Compact();

    // `script` must be in the state the change left (Undo) or found (Redo).
    // Neither records into a change of `script`.
    void Undo(CScript& script);
    void Redo(CScript& script);

private:
    friend class CScript;

    enum class EKind : uint8_t
    {
        // What the change holds while done (undone: the other side).
        Title,            // m_Texts[data]: the title before (after)
        Memo,             // the same for the memo
        DirectionFormat,  // the same for the stage directions' format
        Casts,            // m_CastLists[data]: the casts before (after)
        Insert,           // m_Serifs[data .. data+count): nothing (the rows inserted before row)
        Erase,            // m_Serifs[data]: the row erased at row (nothing)
        Set,              // m_Serifs[data]: row `row` before (after)
        Exchange,         // nothing: rows row-1 and row swapped
        Remove  // m_Serifs[data .. data+count): the rows taken from m_RowLists[row] (nothing)
    };
    struct COp
    {
        EKind m_Kind;
        int32_t m_Row;
        uint32_t m_Data;
        uint32_t m_Count;
    };

    // Recording, called by CScript's operations before they change it.
    void OnText(EKind kind, const std::string& before, const std::string& after);
    void OnCasts(const std::vector<CCast>& before, const std::vector<CCast>& after);
    void OnInsert(int32_t row, const CSerif* first, size_t count);
    void OnErase(int32_t row, CSerif&& serif);
    void OnSet(int32_t row, CSerif&& before, const CSerif& after);
    void OnExchange(int32_t row);
    void OnRemove(std::vector<int32_t>&& rows, std::vector<CSerif>&& serifs);

    void Apply(CScript& script, const COp& op, bool undo);
    void Touch(int32_t row);
    void Add(EKind kind, int32_t row, size_t data, size_t count);
    void Count(size_t bytes) { m_Bytes += bytes; }

    std::vector<COp> m_Ops;
    std::vector<CSerif> m_Serifs;
    std::vector<std::string> m_Texts;
    std::vector<std::vector<CCast>> m_CastLists;
    std::vector<std::vector<int32_t>> m_RowLists;
    size_t m_Bytes = 0;
    int32_t m_FirstRow = -1;
    bool m_ChangesCasts = false;
};
