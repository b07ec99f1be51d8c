// Numbers as the scenario and option files hold them. Reading follows the C
// library's string-to-long rules (leading white space skipped, an optional
// sign, digits up to the first other byte, no digits gives 0) with the
// results a 32-bit long gives, the same on every platform.
#pragma once

#include <cstdint>
#include <string>

// Base 10. Values beyond the 32-bit range saturate at INT32_MIN / INT32_MAX.
int32_t ReadDecimal(const std::string& text);

// Base 16, with an optional 0x or 0X prefix after the sign. Only the low 32
// bits are kept: higher digits are ignored, so "10077" reads as 0x10077 and
// callers that keep 16 bits get 0x0077.
uint32_t ReadHex(const std::string& text);
