// Tessel: the error codes and the two exception classes of the XML library.
//
// Every message is stored as lines, each ended by a line feed, followed by
// one NUL byte that is part of the stored string (GetMessageText().size()
// counts it). what() returns the same bytes as a C string, so it ends at that
// NUL. The second line of most messages is the raising statement's place in
// our own sources, written as "<file name>:<line>" with the bare file name
// (for example "SAX_Parser.cpp:120"), never a path of the build machine.
#ifndef TESSEL_EXCEPTIONS_H
#define TESSEL_EXCEPTIONS_H

#include <cstdint>
#include <exception>
#include <string>

namespace Tessel
{

class Node;

// The library's one numbering of error codes (0 and 3 to 9).
enum ErrorCode : std::int32_t
{
    ErrorUnexpectedToken = 0,    // parser: a token of the wrong class
    ErrorUnexpectedEnd = 3,      // parser: end of input inside <! ... > or a value
    ErrorNoHandler = 4,          // parser: Parse without SetHandler
    ErrorNotXmlDeclaration = 5,  // parser: <? not followed by xml
    ErrorEndTagMismatch = 6,     // parser: end tag does not close the open element
    ErrorParentNotFound = 7,     // tree: a detached node was asked for its parent
    ErrorNotFound = 8,           // tree: lookup by name found nothing
    ErrorPointerDuplication = 9  // tree: AppendChild refused the node
};

// Short English name of a code ("UnexpectedToken", ...); "Unknown" otherwise.
const char* ErrorCodeName(std::int32_t code) noexcept;

// Thrown by SAX_Parser::Parse (no handler) and handed to
// SAX_EventHandler::OnError for every parse error. Copyable.
class ParsingException : public std::exception
{
public:
    // message: the complete stored text, trailing NUL included. line: the
    // line of the input the error is on, counted from 1; 0 when it has none.
    ParsingException(std::int32_t column, std::int32_t code, std::string message,
                     std::int32_t line = 0);
    ~ParsingException() override;
    const char* what() const noexcept override;

    // Byte offset of the offending token within its line, -1 when the error
    // has no place in the input.
    std::int32_t GetColumn() const noexcept { return m_Column; }
    // The line the offending token is on, counted from 1; 0 without a place.
    std::int32_t GetLine() const noexcept { return m_Line; }
    std::int32_t GetCode() const noexcept { return m_Code; }
    // The stored message, including its trailing NUL byte.
    const std::string& GetMessageText() const noexcept { return m_Message; }

private:
    std::int32_t m_Column;
    std::int32_t m_Code;
    std::string m_Message;
    std::int32_t m_Line;
};

// Thrown by the tree's operations. Nothing in the tree changes when one is
// thrown. The node is the one the failing operation was called on; not owned.
class DOM_Exception : public std::exception
{
public:
    DOM_Exception(Node* node, std::int32_t code, std::string message);
    ~DOM_Exception() override;
    const char* what() const noexcept override;

    Node* GetNode() const noexcept { return m_Node; }
    std::int32_t GetCode() const noexcept { return m_Code; }
    const std::string& GetMessageText() const noexcept { return m_Message; }

private:
    Node* m_Node;
    std::int32_t m_Code;
    std::string m_Message;
};

}  // namespace Tessel

#endif
