// CScript: the scenario the program edits - a title, a memo, the casts and
// the serifs in reading order. One object lives in the main window for the
// whole run. Plain copyable data held by value; every string is UTF-8
// bytes, compared byte for byte without case folding.
//
// Row numbers are signed 32-bit like the serif list's; the position-taking
// operations return false and change nothing when the position is out of
// range (the callers are expected to have checked it).
#pragma once

#include "scenario/Cast.h"
#include "scenario/ScriptChange.h"
#include "scenario/Serif.h"
#include "persist/XMLBase.h"

#include <cstdint>
#include <string>
#include <vector>

class CScript : public IXMLBase
{
public:
    CScript() = default;
    ~CScript() override = default;
    CScript(const CScript&) = default;
    CScript& operator=(const CScript&) = default;
    CScript(CScript&&) = default;
    CScript& operator=(CScript&&) = default;

    const std::string& GetTitle() const { return m_Title; }
    void SetTitle(const std::string& title);
    // Line breaks in the memo are single line feeds.
    const std::string& GetMemo() const { return m_Memo; }
    void SetMemo(const std::string& memo);
    // How lines without a cast (stage directions) are pasted, as a cast's
    // format; empty for the line alone.
    const std::string& GetDirectionFormat() const { return m_DirectionFormat; }
    void SetDirectionFormat(const std::string& format);

    const std::vector<CCast>& GetCasts() const { return m_Casts; }
    const std::vector<CSerif>& GetSerifs() const { return m_Serifs; }
    int32_t GetCastCount() const { return static_cast<int32_t>(m_Casts.size()); }
    int32_t GetSerifCount() const { return static_cast<int32_t>(m_Serifs.size()); }
    // Position must be in range (asserted).
    const CSerif& GetSerif(int32_t i) const;
    const CCast& GetCast(int32_t i) const;

    // Serif list operations.
    void AddSerif(const CSerif& serif);
    bool InsertSerif(int32_t i, const CSerif& serif);                 // before row i, 0..N
    bool InsertSerifs(int32_t i, const std::vector<CSerif>& serifs);  // in order, before row i
    bool SetSerif(int32_t i, const CSerif& serif);                    // overwrite row i
    bool EraseSerif(int32_t i);
    bool ExchangeSerifs(int32_t i);  // rows i and i-1, 1..N-1

    // Cast list operations.
    void AddCast(const CCast& cast);
    // The cast list becomes a copy of `casts`.
    void ReplaceCasts(const std::vector<CCast>& casts);
    // Rebuilds the serif list, in order, from the serifs whose cast id is not
    // in `ids`. An empty `ids` changes nothing.
    void RemoveSerifsOfCasts(const std::vector<int32_t>& ids);

    // The id a cast added to `casts` gets: one more than the largest id, or
    // 0 when the list is empty or holds only negative ids (a negative id
    // means "no cast"). Should the largest id be INT32_MAX, the smallest
    // non-negative id not in use is given instead.
    static int32_t NextCastId(const std::vector<CCast>& casts);

    // Id of the first cast, in stored order, whose name has exactly these
    // bytes; -1 when none has.
    int32_t FindCastId(const std::string& name) const;
    // Name of the first cast, in stored order, with this id; empty when the
    // id is negative or no cast has it.
    std::string FindCastName(int32_t id) const;

    // Empties title, memo, casts and serifs. The error text stays.
    void Clear();

    // While `change` is set, every operation above that changes the
    // scenario is recorded into it, so that it can be undone (null stops).
    // The recording belongs to this object: copies do not record, and
    // assigning another scenario over this one is recorded as nothing.
    void Record(CScriptChange* change) { m_Recording.m_Change = change; }
    bool IsRecording() const { return m_Recording.m_Change != nullptr; }
    // Counts the changes made to this object, recorded or not (an
    // assignment over it counts too); the history checks it.
    uint64_t GetRevision() const { return m_Recording.m_Revision; }

    // The scenario file (ScriptFile.cpp): XML in Shift_JIS, or in UTF-8 when
    // the text needs it (persist/XMLEncoding.h), with CR LF line ends.
    //
    // Load: false for an empty path, a file that cannot be opened (a missing
    // one is created empty), a folder or an empty file - the scenario and the
    // error text then stay as they were. Once the file has been read the
    // scenario is cleared and filled; on a failure after that it keeps what
    // was read so far and the error text says why (GetError).
    bool Load(const std::string& path);
    // Save: true only when the whole file reached the disk. A failed save
    // leaves the file that was there byte for byte (XMLFile.h).
    bool Save(const std::string& path) const;

private:
    friend class CScriptChange;

    // The recording and the revision, kept out of copies and assignments.
    struct CRecordingSlot
    {
        CRecordingSlot() = default;
        CRecordingSlot(const CRecordingSlot&) {}
        CRecordingSlot& operator=(const CRecordingSlot&)
        {
            ++m_Revision;
            return *this;
        }
        CScriptChange* m_Change = nullptr;
        uint64_t m_Revision = 0;
    };
    // Every change goes through here: counts it and gives the recording.
    CScriptChange* Changing()
    {
        ++m_Recording.m_Revision;
        return m_Recording.m_Change;
    }

    CRecordingSlot m_Recording;
    std::string m_Title;
    std::string m_Memo;
    std::string m_DirectionFormat;
    std::vector<CCast> m_Casts;
    std::vector<CSerif> m_Serifs;
};
