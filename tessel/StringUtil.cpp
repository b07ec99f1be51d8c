#include "tessel/StringUtil.h"

#include <cstdio>
#include <cstring>
#include <functional>

namespace Tessel
{

namespace
{

struct EntityRow
{
    std::string_view character;
    std::string_view reference;
};

// The entity table, in the order the replacements run.
constexpr EntityRow kEntities[] = {
    {"&", "&amp;"}, {"\"", "&quot;"}, {"<", "&lt;"}, {">", "&gt;"}, {"'", "&apos;"},
};

constexpr std::size_t kFormatLimit = 127;  // bytes of a FormatString result

// Position of the first occurrence of from in [p, end), or end.
const char* Find(const char* p, const char* end, std::string_view from)
{
    const char first = from[0];
    const std::size_t rest = from.size() - 1;
    while (static_cast<std::size_t>(end - p) > rest) {
        const void* hit = std::memchr(p, first, static_cast<std::size_t>(end - p) - rest);
        if (!hit)
            return end;
        const char* q = static_cast<const char*>(hit);
        if (rest == 0 || std::memcmp(q + 1, from.data() + 1, rest) == 0)
            return q;
        p = q + 1;
    }
    return end;
}

}  // namespace

std::size_t ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    if (from.empty() || text.size() < from.size())
        return 0;
    // Views into text itself would change under the replacement: copy them.
    auto inside = [&text](std::string_view v) {
        return !v.empty() && std::less_equal<const char*>()(text.data(), v.data()) &&
               std::less<const char*>()(v.data(), text.data() + text.size());
    };
    if (inside(from) || inside(to)) {
        const std::string fromCopy(from), toCopy(to);
        return ReplaceAll(text, fromCopy, toCopy);
    }
    // Left to right, each search resuming after the previous match in the
    // original, which is the same as resuming after the inserted text.
    const char* begin = text.data();
    const char* end = begin + text.size();
    const char* hit = Find(begin, end, from);
    if (hit == end)
        return 0;
    std::size_t count = 0;
    if (to.size() <= from.size()) {
        // Never longer: compact in place (CR LF to LF, entities to characters).
        char* out = &text[0] + (hit - begin);
        const char* in = hit;
        while (in != end) {
            std::memcpy(out, to.data(), to.size());
            out += to.size();
            in += from.size();
            ++count;
            const char* next = Find(in, end, from);
            std::size_t keep = static_cast<std::size_t>(next - in);
            std::memmove(out, in, keep);
            out += keep;
            in = next;
        }
        text.resize(static_cast<std::size_t>(out - text.data()));
        return count;
    }
    std::string out;
    out.reserve(text.size() + (to.size() - from.size()) * 8);
    const char* in = begin;
    while (hit != end) {
        out.append(in, static_cast<std::size_t>(hit - in));
        out.append(to.data(), to.size());
        in = hit + from.size();
        ++count;
        hit = Find(in, end, from);
    }
    out.append(in, static_cast<std::size_t>(end - in));
    text.swap(out);
    return count;
}

std::size_t EscapeEntities(std::string& text)
{
    std::size_t count = 0;
    for (const EntityRow& row : kEntities)
        count += ReplaceAll(text, row.character, row.reference);
    return count;
}

std::size_t UnescapeEntities(std::string& text)
{
    std::size_t count = 0;
    for (const EntityRow& row : kEntities)
        count += ReplaceAll(text, row.reference, row.character);
    return count;
}

std::string EscapeEntitiesCopy(std::string_view text)
{
    std::string copy(text);
    EscapeEntities(copy);
    return copy;
}

std::string UnescapeEntitiesCopy(std::string_view text)
{
    std::string copy(text);
    UnescapeEntities(copy);
    return copy;
}

std::string FormatString(std::int32_t value, std::string_view format)
{
    // Formats piece by piece so that no conversion can read an argument that
    // was not passed: every integer conversion takes value, anything else is
    // copied as it stands. Width and precision are capped at 200, which keeps
    // the first 127 bytes of the output unchanged.
    std::string out;
    std::size_t i = 0;
    while (i < format.size() && out.size() < kFormatLimit) {
        char c = format[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        std::size_t j = i + 1;
        std::string directive = "%";
        while (j < format.size() &&
               std::string_view("-+ 0#").find(format[j]) != std::string_view::npos) {
            directive += format[j++];
        }
        auto number = [&](void) {
            unsigned long n = 0;
            bool any = false;
            while (j < format.size() && format[j] >= '0' && format[j] <= '9') {
                if (n < 1000)
                    n = n * 10 + static_cast<unsigned long>(format[j] - '0');
                ++j;
                any = true;
            }
            if (any)
                directive += std::to_string(n > 200 ? 200 : n);
            return any;
        };
        number();
        if (j < format.size() && format[j] == '.') {
            directive += '.';
            ++j;
            number();
        }
        char length = 0;
        if (j < format.size() && (format[j] == 'l' || format[j] == 'h'))
            length = format[j++];
        char conversion = j < format.size() ? format[j] : '\0';
        if (conversion == '\0' ||
            std::string_view("diuxXoc").find(conversion) == std::string_view::npos) {
            out += '%';  // not a conversion we format: copied as it stands
            ++i;
            continue;
        }
        directive += conversion;
        j += 1;
        char buffer[256];
        int written;
        if (conversion == 'd' || conversion == 'i') {
            int v = length == 'h' ? static_cast<short>(value) : value;
            written = std::snprintf(buffer, sizeof buffer, directive.c_str(), v);
        } else if (conversion == 'c') {
            written =
                std::snprintf(buffer, sizeof buffer, directive.c_str(), static_cast<int>(value));
        } else {
            unsigned v =
                length == 'h' ? static_cast<unsigned short>(value) : static_cast<unsigned>(value);
            written = std::snprintf(buffer, sizeof buffer, directive.c_str(), v);
        }
        if (written > 0) {
            std::size_t n = static_cast<std::size_t>(written) < sizeof buffer
                                ? static_cast<std::size_t>(written)
                                : sizeof buffer - 1;
            out.append(buffer, n);
        }
        i = j;
    }
    // The text up to its terminating NUL (a %c of 0 ends it), at most 127 bytes.
    std::size_t nul = out.find('\0');
    if (nul != std::string::npos)
        out.resize(nul);
    if (out.size() > kFormatLimit)
        out.resize(kFormatLimit);
    return out;
}

}  // namespace Tessel
