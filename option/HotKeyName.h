// A hotkey value of the option file (low byte the virtual key, high byte
// the hotkey control's HOTKEYF_ flags) in words, as messages name it:
// "Shift+F9", "Ctrl+Alt+Q", "Num 5". Keys without a name of their own read
// as their code, "0xBA".
#pragma once

#include <cstdint>
#include <string>

std::string HotKeyName(uint16_t hotKey);
