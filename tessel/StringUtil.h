// Tessel: string helpers used around the XML files.
// All work on bytes (UTF-8 in this program).
#ifndef TESSEL_STRINGUTIL_H
#define TESSEL_STRINGUTIL_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Tessel
{

// Replaces every occurrence of from by to, left to right; the search resumes
// right after the inserted text. Returns the number of replacements. An empty
// from replaces nothing and returns 0.
std::size_t ReplaceAll(std::string& text, std::string_view from, std::string_view to);

// In place: & " < > ' become &amp; &quot; &lt; &gt; &apos; (in this order,
// one ReplaceAll each). Returns the number of replacements.
std::size_t EscapeEntities(std::string& text);
// In place: the five references back to characters, &amp; first (so
// "&amp;lt;" becomes "<"). Returns the number of replacements.
std::size_t UnescapeEntities(std::string& text);
// Copying forms: return the escaped or unescaped copy.
std::string EscapeEntitiesCopy(std::string_view text);
std::string UnescapeEntitiesCopy(std::string_view text);

// Formats one 32-bit integer with a printf-style format such as "%ld",
// "%04x" or "%06x" (the subset of wsprintfA: flags - + 0 space #, width,
// precision, length l or h, conversions d i u x X o c; every such conversion
// takes the same value; anything else is copied as it stands). The result
// holds at most 127 bytes; a longer one is cut there.
std::string FormatString(std::int32_t value, std::string_view format);

}  // namespace Tessel

#endif
