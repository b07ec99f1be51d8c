// The mandatory integrity level of a process (the last part of its token's
// integrity label SID: 0x2000 medium, 0x3000 high, ...). Windows drops
// synthesised keys aimed at a window of a process above the sender.
#pragma once

#include <windows.h>

#include <cstdint>

// This process's level. False when it cannot be read.
bool ReadOwnIntegrityLevel(uint32_t& level);
// The level of the process that owns `window`, opened for limited query
// only. False when it cannot be read (no window, no access, no label).
bool ReadWindowIntegrityLevel(HWND window, uint32_t& level);
