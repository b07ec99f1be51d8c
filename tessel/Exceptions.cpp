#include "tessel/Exceptions.h"

#include <utility>

#include "tessel/Internal.h"

namespace Tessel
{

const char* ErrorCodeName(std::int32_t code) noexcept
{
    switch (code) {
    case ErrorUnexpectedToken:
        return "UnexpectedToken";
    case ErrorUnexpectedEnd:
        return "UnexpectedEnd";
    case ErrorNoHandler:
        return "NoHandler";
    case ErrorNotXmlDeclaration:
        return "NotXmlDeclaration";
    case ErrorEndTagMismatch:
        return "EndTagMismatch";
    case ErrorParentNotFound:
        return "ParentNotFound";
    case ErrorNotFound:
        return "NotFound";
    case ErrorPointerDuplication:
        return "PointerDuplication";
    default:
        return "Unknown";
    }
}

ParsingException::ParsingException(std::int32_t column, std::int32_t code, std::string message,
                                   std::int32_t line)
    : m_Column(column), m_Code(code), m_Message(std::move(message)), m_Line(line)
{}

ParsingException::~ParsingException() = default;

const char* ParsingException::what() const noexcept
{
    return m_Message.c_str();
}

DOM_Exception::DOM_Exception(Node* node, std::int32_t code, std::string message)
    : m_Node(node), m_Code(code), m_Message(std::move(message))
{}

DOM_Exception::~DOM_Exception() = default;

const char* DOM_Exception::what() const noexcept
{
    return m_Message.c_str();
}

namespace detail
{

std::string BuildMessage(const char* className, const char* file, int line,
                         std::initializer_list<std::string_view> lines)
{
    std::string text(className);
    text += '\n';
    if (file) {
        text += SourceName(file);
        text += ':';
        text += std::to_string(line);
        text += '\n';
    }
    for (std::string_view l : lines) {
        text.append(l.data(), l.size());
        text += '\n';
    }
    text += '\0';
    return text;
}

void ThrowDOM(Node* node, ErrorCode code, const char* file, int line,
              std::initializer_list<std::string_view> lines)
{
    throw DOM_Exception(node, code, BuildMessage("DOM_Exception", file, line, lines));
}

}  // namespace detail
}  // namespace Tessel
