// What happens around the paste keys so that the target gets exactly the
// paste: key-ups for modifiers the user still holds, and the refusal to
// paste into a window whose keys Windows would drop.
//
// Virtual-key codes are plain numbers, as in PasteSequencer.h;
// app/PasteCommands.cpp checks them against the Win32 values.
#pragma once

#include "appcore/PasteSequencer.h"

#include <cstdint>
#include <vector>

namespace HeldKeys
{
const uint8_t kLeftShift = 0xA0;   // VK_LSHIFT
const uint8_t kRightShift = 0xA1;  // VK_RSHIFT
const uint8_t kLeftAlt = 0xA4;     // VK_LMENU
const uint8_t kRightAlt = 0xA5;    // VK_RMENU
const uint8_t kLeftWin = 0x5B;     // VK_LWIN
const uint8_t kRightWin = 0x5C;    // VK_RWIN
// An unassigned key: pressed and released between a lone Alt or Windows
// key's down and up, it keeps Windows from taking that release as a request
// for the menu bar or the Start menu.
const uint8_t kMenuMask = 0xE8;

// The modifiers a paste waits for, in the order they are released. Ctrl is
// not among them: a held Ctrl only adds to the Ctrl of the paste keys.
const uint8_t kWatched[] = {kLeftShift, kRightShift, kLeftAlt, kRightAlt, kLeftWin, kRightWin};

// How long a paste waits for the user to let go of them, and how often it
// looks.
const uint32_t kWaitMs = 500;
const uint32_t kPollMs = 5;
}  // namespace HeldKeys

// The synthesised key-ups for the watched keys still down (`held`, virtual
// keys of HeldKeys::kWatched): the Shift keys first, then, when an Alt or
// Windows key is among them, one press and release of kMenuMask followed by
// their ups. Empty when nothing is held.
std::vector<CKeyStep> PlanHeldKeyUps(const std::vector<uint8_t>& held);

// Mandatory integrity levels as Windows numbers them (the last part of the
// label's SID): untrusted 0x0000, low 0x1000, medium 0x2000, high 0x3000,
// system 0x4000.
class IIntegrityProbe
{
public:
    virtual ~IIntegrityProbe() = default;
    // Each false when the level cannot be read.
    virtual bool ReadOwnLevel(uint32_t& level) = 0;
    virtual bool ReadTargetLevel(uint32_t& level) = 0;
};

// True when the window in front belongs to a process above ours: Windows
// drops keys sent to it, so a paste would silently do nothing. When either
// level cannot be read, false: paste as usual.
bool IsTargetAboveUs(IIntegrityProbe& probe);
