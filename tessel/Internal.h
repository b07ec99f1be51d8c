// Tessel internals shared by the library's sources; not a public header.
#ifndef TESSEL_INTERNAL_H
#define TESSEL_INTERNAL_H

#include <initializer_list>
#include <string>
#include <string_view>

#include "tessel/Exceptions.h"
#include "tessel/NodeContainer.h"

namespace Tessel
{
namespace detail
{

// The bare file name of a __FILE__ path: messages name our own source file,
// never the build machine's folders.
constexpr const char* SourceName(const char* path) noexcept
{
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '/' || *p == '\\')
            name = p + 1;
    }
    return name;
}

// className, then "file:line" unless file is null, then each line; every
// line ended by a line feed, and one NUL byte after the last.
std::string BuildMessage(const char* className, const char* file, int line,
                         std::initializer_list<std::string_view> lines);

// Clones every child of source into target (appended in order), iteratively.
void CloneElementChildren(const Element& source, Element& target);

[[noreturn]] void ThrowDOM(Node* node, ErrorCode code, const char* file, int line,
                           std::initializer_list<std::string_view> lines);

}  // namespace detail
}  // namespace Tessel

#define TESSEL_THROW_DOM(node, code, ...)                                                          \
    ::Tessel::detail::ThrowDOM((node), (code), __FILE__, __LINE__, {__VA_ARGS__})

#endif
