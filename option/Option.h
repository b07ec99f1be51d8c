// COption: the user's settings, owned by the main window for the whole run
// and kept in "option.xml" beside the executable (XML in Shift_JIS, or UTF-8 when the
// text needs it; CR LF).
//
// The parts are public and read and written directly: the general options,
// the hotkey, the colour table (ordered by name, byte-wise), the file
// history, how lines are pasted and the cue controls. A new COption holds
// the defaults and exactly one colour item, "ActiveCast" (black on
// 0xCCCCFF, a light pink).
#pragma once

#include "option/ColorManager.h"
#include "option/FileHistory.h"
#include "option/OptionCue.h"
#include "option/OptionGeneral.h"
#include "option/OptionHotkey.h"
#include "option/OptionPaste.h"
#include "persist/XMLBase.h"

#include <map>
#include <string>

class COption : public IXMLBase
{
public:
    static const char* const kActiveCast;  // "ActiveCast"

    COption();
    ~COption() override = default;
    COption(const COption&) = default;
    COption& operator=(const COption&) = default;

    // The colour item of that name; a name not in the table is added with
    // the default colours (black on white) and an empty name field.
    CColorManager& GetColor(const std::string& name) { return m_Colors[name]; }

    // Load: false for an empty path, a missing file (created empty, so the
    // first start leaves an empty option.xml behind), an empty file, a file
    // that cannot be read, malformed XML or a "Version" other than "1.0" -
    // in all these cases nothing changes. A missing attribute fails after
    // what was read before it has been assigned. The error text
    // (GetError) says why when a text applies. Items are overwritten and
    // added by name, never removed; no range checks are made.
    bool Load(const std::string& path);
    // Save: true only when the whole file reached the disk; a failed save
    // leaves the file that was there byte for byte.
    bool Save(const std::string& path) const;

    COptionGeneral m_General;
    COptionHotkey m_Hotkey;
    std::map<std::string, CColorManager> m_Colors;
    CFileHistory m_FileHistory;
    COptionPaste m_Paste;
    COptionCue m_Cue;
};
