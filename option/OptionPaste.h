// COptionPaste: how a line reaches the chat window, stored in the option
// file as
//   <Paste Key="CtrlV" EnterWait="0" KeepOutOfHistory="1" RestoreClipboard="0"
//          RestoreWait="500" EscapeMarkup="0" LengthWarning="0"/>
// Every attribute is optional: a file without the element, or without one
// of its attributes, gives the default, which pastes as Ctrl+V with Enter
// right after it. Plain data read and written directly by the main window
// and the option sheet.
#pragma once

#include "persist/XMLBase.h"

#include <cstdint>
#include <string>

namespace Tessel
{
class Element;
class NodeContainer;
}  // namespace Tessel

// The keystroke that pastes: Ctrl+V, or what consoles and some terminals
// and games take instead.
enum class EPasteKey
{
    CtrlV,
    ShiftInsert,
    CtrlShiftV
};

// The names the option file uses: "CtrlV", "ShiftInsert", "CtrlShiftV".
const char* PasteKeyName(EPasteKey key);
// False (and `key` unchanged) for any other text.
bool PasteKeyFromName(const std::string& name, EPasteKey& key);

class COptionPaste : public IXMLBase
{
public:
    // Both waits run from 0 to 10000 ms; values outside are clamped on load.
    static constexpr int32_t kMaxWaitMs = 10000;

    ~COptionPaste() override = default;

    // Appends the "Paste" element to `parent`, with every attribute.
    void Write(Tessel::NodeContainer& parent) const;
    // Reads the attributes present; false (nothing changed) for an element
    // of another name. An unknown key name keeps the current key.
    bool Read(const Tessel::Element& element);

    static int32_t ClampWait(int32_t ms);
    // The length warning: 0 (off) or 1..kMaxLengthWarning characters.
    static constexpr int32_t kMaxLengthWarning = 100000;
    static constexpr int32_t kSuggestedLengthWarning = 2000;
    static int32_t ClampLengthWarning(int32_t characters);

    EPasteKey m_Key = EPasteKey::CtrlV;
    int32_t m_EnterWait = 0;         // ms between the paste keys and Enter
    int32_t m_KeepOutOfHistory = 1;  // 0 or 1: mark our text for clipboard history and sync
    int32_t m_RestoreClipboard = 0;  // 0 or 1: put the user's clipboard back afterwards
    int32_t m_RestoreWait = 500;     // ms from the last key to the restore
    int32_t m_EscapeMarkup = 0;      // 0 or 1: a backslash before the chat's markup characters
    int32_t m_LengthWarning = 0;     // 0, or warn of lines longer than this many characters
};
