// Tessel: the event-driven XML reader.
//
// SAX_Parser reads a document line by line, cuts each line into tokens, runs
// a small state machine over them and reports to a SAX_EventHandler. It works
// on bytes: every delimiter is below 0x40, so UTF-8 (and Shift_JIS) text
// passes through untouched. Carriage return is an ordinary text byte.
#ifndef TESSEL_SAX_PARSER_H
#define TESSEL_SAX_PARSER_H

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tessel/Exceptions.h"

namespace Tessel
{

// Token classes; the numbers appear in one error message and are fixed.
enum TokenClass : std::int32_t
{
    TokenEnd = 0,           // end of input (NUL)
    TokenLineFeed = 1,      // 0x0A
    TokenSpace = 2,         // 0x20
    TokenTab = 3,           // 0x09
    TokenLess = 4,          // <
    TokenEqual = 5,         // =
    TokenGreater = 6,       // >
    TokenSlash = 7,         // /
    TokenHyphen = 8,        // -
    TokenSemicolon = 9,     // ;
    TokenExclamation = 10,  // !
    TokenQuestion = 11,     // ?
    TokenAmpersand = 12,    // &
    TokenQuote = 13,        // "
    TokenApostrophe = 14,   // '
    TokenText = 100         // a maximal run of other bytes
};

// The class of one byte (TokenText for every unlisted byte).
std::int32_t ClassOfByte(unsigned char byte) noexcept;

namespace detail
{
extern const std::int32_t kByteClass[256];  // ClassOfByte as a table
extern const char kDelimiterText[15];       // the byte of each delimiter class
}  // namespace detail

// A token: its bytes as they stand in the input, its class and the byte
// offset of its first byte within its line (-1 in a token never filled).
// The text of a delimiter or end token is a fixed one-byte string; the text
// of a TokenText token views the reader's current line and stays valid only
// until the reader reads the next line.
struct Token
{
    std::string_view text;
    std::int32_t cls = TokenEnd;
    std::int32_t column = -1;
};

// The line reader and tokenizer of SAX_Parser. Reads from a stream (line by
// line into one reused buffer) or from a text in memory (lines are views into
// it, nothing is copied). Neither allocates per token.
class LineReader
{
public:
    LineReader() = default;
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Starts reading input (not owned; must outlive the reading).
    void Start(std::istream& input);
    void Start(std::string_view text);
    // Reads the first line (Parse reads it before the first step).
    void Begin();
    // The line the cursor is on, counted from 1 (the one a token at the end
    // of the input belongs to, as EndColumn counts). Memory input counts its
    // line feeds here, so it is meant for error reports.
    std::int32_t LineNumber() const noexcept;

    // Moves to the next line when the cursor is at the end of the current one
    // or at a NUL byte (which ends its line); false when nothing is left (the
    // current line and the cursor stay).
    bool ReadLine();
    // The next token (a given-back one first); at the end of input an end
    // token, again on every later call.
    Token Next()
    {
        // Inline for the common case: a one-byte delimiter on the current line.
        if (m_PushedBack.empty() && m_Cursor != m_End) {
            const std::int32_t cls = detail::kByteClass[static_cast<unsigned char>(*m_Cursor)];
            if (cls > TokenLineFeed && cls != TokenText) {
                const char* start = m_Cursor++;
                return Token{std::string_view(&detail::kDelimiterText[cls], 1), cls,
                             static_cast<std::int32_t>(start - m_LineStart)};
            }
        }
        return NextToken();
    }
    // Gives a token back; the last one given back is returned next.
    void PushBack(const Token& token);

    // The bytes from the cursor on, as far as they are in memory: the rest of
    // the current line (stream input) or of the whole text (memory input).
    // A NUL byte in it ends its line; callers scanning it stop there.
    std::string_view Rest() const noexcept
    {
        return std::string_view(m_Cursor, static_cast<std::size_t>(m_End - m_Cursor));
    }
    bool HasPushedBack() const noexcept { return !m_PushedBack.empty(); }
    // True when the next token is surely neither whitespace nor the end: no
    // token given back and a byte other than line feed, space, tab or NUL at
    // the cursor.
    bool AtNonWhitespace() const noexcept
    {
        if (!m_PushedBack.empty() || m_Cursor == m_End)
            return false;
        const std::int32_t cls = detail::kByteClass[static_cast<unsigned char>(*m_Cursor)];
        return cls > TokenTab;
    }
    // True for stream input, whose line buffer is replaced as lines are read
    // (views into memory input stay valid for the whole parse).
    bool IsStream() const noexcept { return m_Input != nullptr; }
    // Moves the cursor n bytes on (n <= Rest().size(), no NUL among them),
    // keeping track of the lines passed.
    void Advance(std::size_t n) noexcept;
    // The same, to p, when the caller knows the last line feed before p
    // (null when there is none).
    void AdvanceTo(const char* p, const char* lastLineFeed) noexcept;

private:
    Token NextToken();
    std::int32_t Column(const char* p) const noexcept
    {
        return static_cast<std::int32_t>(p - m_LineStart);
    }
    std::int32_t EndColumn() const noexcept;

    std::istream* m_Input = nullptr;
    std::string_view m_Text;       // memory input: the whole text
    std::string m_Line;            // stream input: the current line, reused
    std::string m_Spare;           // stream input: the line being read
    std::int32_t m_LinesRead = 0;  // stream input: lines read so far
    const char* m_LineStart = nullptr;
    const char* m_Cursor = nullptr;
    const char* m_End = nullptr;
    std::vector<Token> m_PushedBack;
};

class AttributeList
{
public:
    using value_type = std::pair<std::string, std::string>;
    using const_iterator = const value_type*;

    std::size_t size() const noexcept { return m_Size; }
    bool empty() const noexcept { return m_Size == 0; }
    const value_type& operator[](std::size_t i) const noexcept { return m_Items[i]; }
    const_iterator begin() const noexcept { return m_Items.data(); }
    const_iterator end() const noexcept { return m_Items.data() + m_Size; }

    void Clear() noexcept { m_Size = 0; }
    // Adds a pair with the given name and an empty value; returns it.
    value_type& Add(std::string_view name);
    void Add(std::string_view name, std::string_view value) { Add(name).second.assign(value); }
    // Drops the last pair.
    void PopBack() noexcept
    {
        if (m_Size)
            --m_Size;
    }

private:
    std::vector<value_type> m_Items;
    std::size_t m_Size = 0;
};

// Receiver of the parser's events. The destructor is the last virtual slot.
class SAX_EventHandler
{
public:
    // The pseudo-attributes of an xml declaration.
    virtual void OnDeclaration(const AttributeList& attributes) = 0;
    // A start tag (or an empty-element tag) with its name as written.
    virtual void OnStartElement(const std::string& name, const AttributeList& attributes) = 0;
    // An end tag's name as written (for an empty-element tag, its own name).
    virtual void OnEndElement(const std::string& name) = 0;
    // One run of character data, the five entity references replaced.
    virtual void OnCharacters(const std::string& text) = 0;
    // The text between <!-- and -->, verbatim.
    virtual void OnComment(const std::string& text) = 0;
    // An error. true stops the parse (Parse returns false); false goes on.
    // The handler receives a copy and may throw it.
    virtual bool OnError(const ParsingException& exception) = 0;
    virtual ~SAX_EventHandler();
};

class SAX_Parser
{
public:
    enum State : std::int32_t
    {
        StateText = 0,
        StateTag = 1,
        StateComment = 3,
        StateDone = 4,
        StateMarkup = 5,
        StateDeclaration = 6,
        StateFailed = 8
    };

    SAX_Parser();
    ~SAX_Parser();
    SAX_Parser(const SAX_Parser&) = delete;
    SAX_Parser& operator=(const SAX_Parser&) = delete;

    // The receiver of events; not owned; must be set before Parse.
    void SetHandler(SAX_EventHandler* handler) noexcept { m_Handler = handler; }
    SAX_EventHandler* GetHandler() const noexcept { return m_Handler; }
    // Trim leading and trailing line feeds, spaces and tabs of character data.
    void SetTrimWhitespace(bool trim) noexcept { m_TrimWhitespace = trim; }
    bool GetTrimWhitespace() const noexcept { return m_TrimWhitespace; }

    // Parses one document. true when it ended normally, false when OnError
    // asked to stop (or the input ended where the parse cannot go on).
    // Throws ParsingException code 4 "Set handler before parse." at once when
    // no handler is set. Exceptions thrown by the handler pass through.
    bool Parse(std::istream& input);
    bool Parse(std::string_view text);

    State GetState() const noexcept { return m_State; }

private:
    bool Run();
    State StepText();
    State StepTag();
    State StepComment();
    State StepMarkup();
    State StepDeclaration();

    void SkipWhitespace()
    {
        if (!m_Reader.AtNonWhitespace())
            SkipWhitespaceSlow();
    }
    void SkipWhitespaceSlow();
    bool ReadEntity(std::string& out);
    // Reads an attribute list; next receives the token after it (not text).
    bool ReadAttributes(AttributeList& list, Token& next);
    bool CheckEndOfInput();
    // Each builds the ParsingException, hands it to OnError and returns true
    // when the parse must stop.
    bool ReportToken(const Token& token, int sourceLine, const char* expected,
                     std::int32_t code = ErrorUnexpectedToken);
    bool ReportMismatch(const std::string& openName, std::int32_t column);
    // End of input inside a value or <! ... >: the parse stops in any case.
    void ReportEnd(std::int32_t column, int sourceLine);

    State m_State = StateText;
    LineReader m_Reader;
    SAX_EventHandler* m_Handler = nullptr;
    // Names of the open elements, innermost last: the first m_OpenCount
    // slots (the strings keep their capacity from tag to tag).
    std::vector<std::string> m_OpenElements;
    std::size_t m_OpenCount = 0;
    bool m_TrimWhitespace = false;
    bool m_Stop = false;         // OnError asked to stop
    std::string m_Text;          // character data / comment being collected
    std::string m_Name;          // tag name being read
    AttributeList m_Attributes;  // attributes of the tag being read
};

}  // namespace Tessel

#endif
