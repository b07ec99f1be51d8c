// COptionCue: the standby strip and the cue hotkeys, stored in the option
// file as
//   <Cue ShowStandby="1" StandbyX="100" StandbyY="40" StandbyWidth="480"
//        Skip="0" Back="0" Repeat="0" NextCast="0" PrevCast="0"/>
// Every attribute is optional. Without a position the strip is placed by
// the program the first time it shows. The hotkeys are hex like the paste
// hotkey (low byte the key, high byte the hotkey control's modifiers); 0 is
// "not registered", the default.
#pragma once

#include "persist/XMLBase.h"

#include <cstdint>

namespace Tessel
{
class Element;
class NodeContainer;
}  // namespace Tessel

class COptionCue : public IXMLBase
{
public:
    static constexpr int32_t kDefaultWidth = 480;
    static constexpr int32_t kMinWidth = 120;
    static constexpr int32_t kMaxWidth = 4000;

    ~COptionCue() override = default;

    // Appends the "Cue" element to `parent`; the position only when there
    // is one.
    void Write(Tessel::NodeContainer& parent) const;
    // Reads the attributes present; false (nothing changed) for an element
    // of another name. The position counts only when both coordinates are
    // there; the width is kept within kMinWidth..kMaxWidth.
    bool Read(const Tessel::Element& element);

    int32_t m_ShowStandby = 1;  // 0 or 1
    bool m_HasPosition = false;
    int32_t m_StandbyX = 0;  // screen coordinates of the strip's top left
    int32_t m_StandbyY = 0;
    int32_t m_StandbyWidth = kDefaultWidth;
    uint16_t m_Skip = 0;
    uint16_t m_Back = 0;
    uint16_t m_Repeat = 0;
    uint16_t m_NextCast = 0;  // the cast box's next entry, while monitoring
    uint16_t m_PrevCast = 0;  // its previous entry
};
