#include "tessel/SAX_Parser.h"

#include <algorithm>
#include <cstring>

#include "tessel/Internal.h"

namespace Tessel
{

namespace
{

// Class of every byte value: the listed bytes are delimiters,
// everything else is text.
struct ClassTable
{
    std::int32_t cls[256];
    bool textStop[256];     // ends a run of character data: < & NUL
    bool commentStop[256];  // ends a run of comment text: - NUL
    constexpr ClassTable() : cls(), textStop(), commentStop()
    {
        for (int i = 0; i < 256; ++i)
            cls[i] = TokenText;
        cls[0x00] = TokenEnd;
        cls[0x0A] = TokenLineFeed;
        cls[0x20] = TokenSpace;
        cls[0x09] = TokenTab;
        cls['<'] = TokenLess;
        cls['='] = TokenEqual;
        cls['>'] = TokenGreater;
        cls['/'] = TokenSlash;
        cls['-'] = TokenHyphen;
        cls[';'] = TokenSemicolon;
        cls['!'] = TokenExclamation;
        cls['?'] = TokenQuestion;
        cls['&'] = TokenAmpersand;
        cls['"'] = TokenQuote;
        cls['\''] = TokenApostrophe;
        textStop[0] = textStop['<'] = textStop['&'] = true;
        commentStop[0] = commentStop['-'] = true;
    }
};

constexpr ClassTable kTable;

// Stands for the current line of a stream before any line was read.
constexpr char kNoLine[1] = {'\0'};

inline bool IsWhitespaceClass(std::int32_t cls)
{
    return cls == TokenLineFeed || cls == TokenSpace || cls == TokenTab;
}

inline bool IsWhitespaceByte(char c)
{
    return c == '\n' || c == ' ' || c == '\t';
}

// The last line feed among the n bytes at p, or null (memrchr is not in
// every C library).
const char* LastLineFeed(const char* p, std::size_t n)
{
    while (n > 0) {
        --n;
        if (p[n] == '\n')
            return p + n;
    }
    return nullptr;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

}  // namespace

namespace detail
{
const std::int32_t kByteClass[256] = {
#define TESSEL_ROW(b)                                                                              \
    kTable.cls[b], kTable.cls[b + 1], kTable.cls[b + 2], kTable.cls[b + 3], kTable.cls[b + 4],     \
        kTable.cls[b + 5], kTable.cls[b + 6], kTable.cls[b + 7]
    TESSEL_ROW(0),   TESSEL_ROW(8),   TESSEL_ROW(16),  TESSEL_ROW(24),  TESSEL_ROW(32),
    TESSEL_ROW(40),  TESSEL_ROW(48),  TESSEL_ROW(56),  TESSEL_ROW(64),  TESSEL_ROW(72),
    TESSEL_ROW(80),  TESSEL_ROW(88),  TESSEL_ROW(96),  TESSEL_ROW(104), TESSEL_ROW(112),
    TESSEL_ROW(120), TESSEL_ROW(128), TESSEL_ROW(136), TESSEL_ROW(144), TESSEL_ROW(152),
    TESSEL_ROW(160), TESSEL_ROW(168), TESSEL_ROW(176), TESSEL_ROW(184), TESSEL_ROW(192),
    TESSEL_ROW(200), TESSEL_ROW(208), TESSEL_ROW(216), TESSEL_ROW(224), TESSEL_ROW(232),
    TESSEL_ROW(240), TESSEL_ROW(248)
#undef TESSEL_ROW
};
// The one-byte text of every delimiter class, indexed by class.
const char kDelimiterText[15] = {'\0', '\n', ' ', '\t', '<', '=', '>', '/',
                                 '-',  ';',  '!', '?',  '&', '"', '\''};
}  // namespace detail

using detail::kDelimiterText;

std::int32_t ClassOfByte(unsigned char byte) noexcept
{
    return kTable.cls[byte];
}

// ---------------------------------------------------------------------------
// LineReader

// Memory input needs no copy and no splitting: the whole rest of the text is
// the region the tokenizer works on, and the start of the current line is
// moved on as line feeds are passed. Stream input reads one line at a time
// into a reused buffer. Both give the same tokens and columns.

void LineReader::Start(std::istream& input)
{
    m_Input = &input;
    m_Text = std::string_view();
    m_Line.clear();
    m_LinesRead = 0;
    m_LineStart = m_Cursor = m_End = kNoLine;
    m_PushedBack.clear();
}

void LineReader::Start(std::string_view text)
{
    m_Input = nullptr;
    m_Text = text;
    m_Line.clear();
    // Even an empty text is its own region (a null one too): the cursor never
    // leaves the text, which EndColumn relies on when it looks one byte back.
    m_LineStart = m_Cursor = text.data();
    m_End = text.data() + text.size();
    m_PushedBack.clear();
}

void LineReader::Begin()
{
    if (m_Input)
        ReadLine();
}

bool LineReader::ReadLine()
{
    if (m_Input) {
        // Read into a second buffer first: a failed read leaves the current line
        // (and the views into it) as they were.
        if (!std::getline(*m_Input, m_Spare))
            return false;
        if (!m_Input->eof())
            m_Spare += '\n';
        m_Line.swap(m_Spare);
        m_LineStart = m_Cursor = m_Line.data();
        m_End = m_Line.data() + m_Line.size();
        ++m_LinesRead;
        return true;
    }
    // Memory input: the cursor is at the end of the text (nothing left) or at
    // a NUL byte, which ends its line: go on after that line's line feed.
    if (m_Cursor == m_End)
        return false;
    const void* lf = std::memchr(m_Cursor, '\n', static_cast<std::size_t>(m_End - m_Cursor));
    if (!lf)
        return false;
    const char* next = static_cast<const char*>(lf) + 1;
    if (next == m_End)
        return false;
    m_LineStart = m_Cursor = next;
    return true;
}

void LineReader::Advance(std::size_t n) noexcept
{
    AdvanceTo(m_Cursor + n, LastLineFeed(m_Cursor, n));
}

void LineReader::AdvanceTo(const char* p, const char* lastLineFeed) noexcept
{
    if (p == m_Cursor)
        return;
    m_Cursor = p;
    if (m_Input)
        return;  // stream lines end with their line feed
    if (lastLineFeed)
        m_LineStart = lastLineFeed + 1;
}

std::int32_t LineReader::EndColumn() const noexcept
{
    // At the very end of memory input right after a line feed, the line that
    // feed ends is still the current one (a stream would have failed to read
    // another): the column is that line's length. Anywhere else the byte at
    // the cursor has been looked at, which for a stream means its line was
    // read, so the column counts from the start of the cursor's line.
    if (m_Input || m_Cursor != m_End || m_Cursor == m_Text.data() || m_Cursor[-1] != '\n') {
        return Column(m_Cursor);
    }
    const char* begin = m_Text.data();
    const char* lf = LastLineFeed(begin, static_cast<std::size_t>(m_Cursor - 1 - begin));
    const char* start = lf ? lf + 1 : begin;
    return static_cast<std::int32_t>(m_Cursor - start);
}

std::int32_t LineReader::LineNumber() const noexcept
{
    if (m_Input)
        return m_LinesRead > 0 ? m_LinesRead : 1;
    const char* begin = m_Text.data();
    if (begin == nullptr)
        return 1;
    // At the very end right after a line feed, the line it ends is the one.
    const char* end = m_LineStart;
    if (m_Cursor == m_End && end == m_End && end != begin && end[-1] == '\n')
        --end;
    return 1 + static_cast<std::int32_t>(std::count(begin, end, '\n'));
}

Token LineReader::NextToken()
{
    if (!m_PushedBack.empty()) {
        Token token = m_PushedBack.back();
        m_PushedBack.pop_back();
        return token;
    }
    // A NUL byte ends its line: the rest of that line is never seen.
    while (m_Cursor == m_End || *m_Cursor == '\0') {
        if (!ReadLine()) {
            return Token{std::string_view(kDelimiterText, 1), TokenEnd, EndColumn()};
        }
    }
    const char* start = m_Cursor;
    std::int32_t cls = kTable.cls[static_cast<unsigned char>(*m_Cursor)];
    ++m_Cursor;
    if (cls != TokenText) {
        Token token{std::string_view(&kDelimiterText[cls], 1), cls, Column(start)};
        if (cls == TokenLineFeed && !m_Input)
            m_LineStart = m_Cursor;
        return token;
    }
    while (m_Cursor != m_End && kTable.cls[static_cast<unsigned char>(*m_Cursor)] == TokenText)
        ++m_Cursor;
    return Token{std::string_view(start, static_cast<std::size_t>(m_Cursor - start)), TokenText,
                 Column(start)};
}

void LineReader::PushBack(const Token& token)
{
    m_PushedBack.push_back(token);
}

// ---------------------------------------------------------------------------
// AttributeList

AttributeList::value_type& AttributeList::Add(std::string_view name)
{
    // Slots are reused from tag to tag, keeping their strings' capacity.
    if (m_Size == m_Items.size())
        m_Items.emplace_back();
    value_type& item = m_Items[m_Size++];
    item.first.assign(name.data(), name.size());
    item.second.clear();
    return item;
}

SAX_EventHandler::~SAX_EventHandler() = default;

// ---------------------------------------------------------------------------
// SAX_Parser

// Reports a token error: "Unexpected token in <column>" and the expected line.
#define TESSEL_REPORT_TOKEN(token, expected) ReportToken((token), __LINE__, (expected))
#define TESSEL_REPORT_TOKEN_CODE(token, expected, code)                                            \
    ReportToken((token), __LINE__, (expected), (code))

SAX_Parser::SAX_Parser() = default;

SAX_Parser::~SAX_Parser() = default;

bool SAX_Parser::ReportToken(const Token& token, int sourceLine, const char* expected,
                             std::int32_t code)
{
    std::string where = "Unexpected token in " + std::to_string(token.column);
    ParsingException exception(
        token.column, code,
        detail::BuildMessage("ParsingException", __FILE__, sourceLine, {where, expected}),
        m_Reader.LineNumber());
    if (m_Handler->OnError(exception)) {
        m_Stop = true;
        return true;
    }
    return false;
}

bool SAX_Parser::Parse(std::istream& input)
{
    if (!m_Handler) {
        throw ParsingException(-1, ErrorNoHandler,
                               detail::BuildMessage("ParsingException", __FILE__, __LINE__,
                                                    {"Set handler before parse."}));
    }
    m_Reader.Start(input);
    return Run();
}

bool SAX_Parser::Parse(std::string_view text)
{
    if (!m_Handler) {
        throw ParsingException(-1, ErrorNoHandler,
                               detail::BuildMessage("ParsingException", __FILE__, __LINE__,
                                                    {"Set handler before parse."}));
    }
    m_Reader.Start(text);
    return Run();
}

bool SAX_Parser::Run()
{
    m_OpenCount = 0;
    m_Stop = false;
    m_Reader.Begin();  // the first line; an empty input leaves none
    m_State = StateText;
    while (m_State != StateDone && m_State != StateFailed) {
        switch (m_State) {
        case StateText:
            m_State = StepText();
            break;
        case StateTag:
            m_State = StepTag();
            break;
        case StateComment:
            m_State = StepComment();
            break;
        case StateMarkup:
            m_State = StepMarkup();
            break;
        case StateDeclaration:
            m_State = StepDeclaration();
            break;
        default:
            m_State = StateFailed;
            break;
        }
    }
    return m_State == StateDone;
}

void SAX_Parser::SkipWhitespaceSlow()
{
    // Given-back tokens first, as tokens.
    while (m_Reader.HasPushedBack()) {
        Token token = m_Reader.Next();
        if (!IsWhitespaceClass(token.cls)) {
            m_Reader.PushBack(token);
            return;
        }
    }
    // Then bytes: whitespace bytes are whole tokens, so skipping them leaves
    // the reader exactly where taking and giving back the first other token
    // would. At the end of a line (or a NUL) the next line is read, as Next
    // would; at the end of input Next will give the end token.
    for (;;) {
        std::string_view rest = m_Reader.Rest();
        const char* p = rest.data();
        const char* end = p + rest.size();
        const char* lastLineFeed = nullptr;
        while (p != end) {
            char c = *p;
            if (c == ' ' || c == '\t') {
                ++p;
            } else if (c == '\n') {
                lastLineFeed = p++;
            } else {
                break;
            }
        }
        m_Reader.AdvanceTo(p, lastLineFeed);
        if (p != end && *p != '\0')
            return;
        if (!m_Reader.ReadLine())
            return;
    }
}

SAX_Parser::State SAX_Parser::StepText()
{
    if (m_TrimWhitespace)
        SkipWhitespace();
    m_Text.clear();
    bool tag = false;
    for (;;) {
        if (!m_Reader.HasPushedBack()) {
            // Character data up to the next < & or NUL is appended as it stands,
            // exactly what appending its tokens one by one would give.
            std::string_view rest = m_Reader.Rest();
            const char* begin = rest.data();
            const char* end = begin + rest.size();
            const char* p = begin;
            const char* lastLineFeed = nullptr;
            while (p != end) {
                unsigned char c = static_cast<unsigned char>(*p);
                if (kTable.textStop[c])
                    break;
                if (c == '\n')
                    lastLineFeed = p;
                ++p;
            }
            m_Text.append(begin, static_cast<std::size_t>(p - begin));
            m_Reader.AdvanceTo(p, lastLineFeed);
        }
        Token token = m_Reader.Next();
        if (token.cls == TokenEnd)
            break;
        if (token.cls == TokenLess) {
            tag = true;
            break;
        }
        if (token.cls == TokenAmpersand) {
            if (!ReadEntity(m_Text))
                return StateFailed;
            continue;
        }
        m_Text.append(token.text.data(), token.text.size());
    }
    if (m_TrimWhitespace) {
        std::size_t n = m_Text.size();
        while (n > 0 && IsWhitespaceByte(m_Text[n - 1]))
            --n;
        m_Text.resize(n);
    }
    if (!m_Text.empty())
        m_Handler->OnCharacters(m_Text);
    return tag ? StateTag : StateDone;
}

bool SAX_Parser::ReadEntity(std::string& out)
{
    static constexpr std::string_view kNames[] = {"lt", "gt", "amp", "quot", "apos"};
    static constexpr char kCharacters[] = {'<', '>', '&', '"', '\''};
    SkipWhitespace();
    Token name = m_Reader.Next();
    if (name.cls != TokenText) {
        if (TESSEL_REPORT_TOKEN(name, "(Expected text)"))
            return false;
    }
    int found = -1;
    for (int i = 0; i < 5; ++i) {
        if (EqualsIgnoringAsciiCase(name.text, kNames[i])) {
            found = i;
            break;
        }
    }
    if (found < 0) {
        if (TESSEL_REPORT_TOKEN(name, "(not supported refference)"))
            return false;
    }
    Token semicolon = m_Reader.Next();
    if (semicolon.cls != TokenSemicolon) {
        if (TESSEL_REPORT_TOKEN(semicolon, "(expected ';')"))
            return false;
    }
    if (found >= 0)
        out += kCharacters[found];
    return true;
}

bool SAX_Parser::CheckEndOfInput()
{
    SkipWhitespace();
    Token token = m_Reader.Next();
    if (token.cls != TokenEnd) {
        if (TESSEL_REPORT_TOKEN(token, "(Expected '(null)')"))
            return false;
    }
    return true;
}

SAX_Parser::State SAX_Parser::StepTag()
{
    SkipWhitespace();
    Token token = m_Reader.Next();
    bool endTag = false;
    Token name;
    switch (token.cls) {
    case TokenText:
        name = token;
        break;  // a start tag; the token is its name
    case TokenSlash:
        endTag = true;
        break;
    case TokenExclamation:
        return StateMarkup;
    case TokenQuestion:
        return StateDeclaration;
    default:
        if (TESSEL_REPORT_TOKEN(token, "(expected !,?,/ or text)"))
            return StateFailed;
        break;  // a start tag, the token dropped
    }
    if (token.cls != TokenText)
        name = m_Reader.Next();
    if (name.cls != TokenText) {
        if (TESSEL_REPORT_TOKEN(name, "(expected text)"))
            return StateFailed;
    }
    if (endTag) {
        // Text read from memory stays where it is, so the name can be compared
        // in place; a stream's line may be replaced while the '>' is sought.
        std::string_view endName = name.text;
        if (m_Reader.IsStream()) {
            m_Name.assign(endName.data(), endName.size());
            endName = m_Name;
        }
        SkipWhitespace();
        Token close = m_Reader.Next();
        if (close.cls != TokenGreater) {
            if (TESSEL_REPORT_TOKEN(close, "(expected '>')"))
                return StateFailed;
        }
        if (m_OpenCount == 0) {
            // An end tag with nothing open: reported as a mismatch with an empty
            // start tag name; going on, the end tag is dropped.
            if (ReportMismatch(std::string(), close.column))
                return StateFailed;
            return StateText;
        }
        const std::string& open = m_OpenElements[m_OpenCount - 1];
        if (endName != open) {
            if (ReportMismatch(open, close.column))
                return StateFailed;
            if (endName.data() != m_Name.data())
                m_Name.assign(endName.data(), endName.size());
            --m_OpenCount;
            m_Handler->OnEndElement(m_Name);
        } else {
            --m_OpenCount;  // the string stays in its slot until the next start tag
            m_Handler->OnEndElement(open);
        }
        if (m_OpenCount == 0)
            return CheckEndOfInput() ? StateDone : StateFailed;
        return StateText;
    }

    // The name goes straight into its slot of the open elements.
    if (m_OpenCount == m_OpenElements.size())
        m_OpenElements.emplace_back();
    std::string& startName = m_OpenElements[m_OpenCount++];
    startName.assign(name.text.data(), name.text.size());
    Token close;
    if (!ReadAttributes(m_Attributes, close))
        return StateFailed;
    bool empty = false;
    if (close.cls == TokenSlash) {
        empty = true;
        SkipWhitespace();
        close = m_Reader.Next();
    }
    if (close.cls != TokenGreater) {
        if (TESSEL_REPORT_TOKEN(close, "(Expected '>')"))
            return StateFailed;
    }
    m_Handler->OnStartElement(startName, m_Attributes);
    if (empty) {
        m_Handler->OnEndElement(startName);
        --m_OpenCount;
    }
    if (m_OpenCount == 0)
        return CheckEndOfInput() ? StateDone : StateFailed;
    return StateText;
}

bool SAX_Parser::ReadAttributes(AttributeList& list, Token& next)
{
    // The token that ends the list is never whitespace (it was taken after
    // skipping whitespace), so handing it to the caller is the same as giving
    // it back and letting the caller skip whitespace and take it again.
    list.Clear();
    SkipWhitespace();
    Token token = m_Reader.Next();
    if (token.cls != TokenText) {
        next = token;
        return true;
    }
    for (;;) {
        // token is text: an attribute name.
        AttributeList::value_type& pair = list.Add(token.text);
        SkipWhitespace();
        token = m_Reader.Next();
        if (token.cls == TokenEqual) {
            SkipWhitespace();
            Token quote = m_Reader.Next();
            if (quote.cls != TokenQuote && quote.cls != TokenApostrophe) {
                if (TESSEL_REPORT_TOKEN(quote, "(Expected ' or \" )"))
                    return false;
            }
            for (;;) {
                Token part = m_Reader.Next();
                if (part.cls == quote.cls)
                    break;
                if (part.cls == TokenEnd) {
                    // The input ended inside the value: the parse cannot go on.
                    ReportEnd(part.column, __LINE__);
                    return false;
                }
                pair.second.append(part.text.data(), part.text.size());
            }
            SkipWhitespace();
            token = m_Reader.Next();
        } else {
            if (TESSEL_REPORT_TOKEN(token, "(Expected '=')"))
                return false;
            list.PopBack();  // the attribute is dropped; the token in hand is examined next
        }
        if (token.cls != TokenText) {
            next = token;
            return true;
        }
    }
}

SAX_Parser::State SAX_Parser::StepMarkup()
{
    Token token = m_Reader.Next();
    if (token.cls == TokenHyphen) {
        token = m_Reader.Next();
        if (token.cls == TokenHyphen)
            return StateComment;
    }
    for (;;) {
        token = m_Reader.Next();
        if (token.cls == TokenGreater)
            return StateText;
        if (token.cls == TokenEnd) {
            // Asking again would find the same end forever: the parse ends here
            // whatever the handler answers.
            ReportEnd(token.column, __LINE__);
            return StateFailed;
        }
    }
}

SAX_Parser::State SAX_Parser::StepComment()
{
    m_Text.clear();
    for (;;) {
        if (!m_Reader.HasPushedBack()) {
            std::string_view rest = m_Reader.Rest();
            const char* begin = rest.data();
            const char* end = begin + rest.size();
            const char* p = begin;
            const char* lastLineFeed = nullptr;
            while (p != end) {
                unsigned char c = static_cast<unsigned char>(*p);
                if (kTable.commentStop[c])
                    break;
                if (c == '\n')
                    lastLineFeed = p;
                ++p;
            }
            m_Text.append(begin, static_cast<std::size_t>(p - begin));
            m_Reader.AdvanceTo(p, lastLineFeed);
        }
        Token token = m_Reader.Next();
        if (token.cls == TokenEnd)
            return StateDone;  // an unclosed comment is dropped
        if (token.cls != TokenHyphen) {
            m_Text.append(token.text.data(), token.text.size());
            continue;
        }
        // A '-': the comment ends if "->" follows. Otherwise the tokens taken
        // are given back (the first is returned next) and the '-' is text. A
        // second token is taken only after a '-', which keeps every given-back
        // text token on the current line.
        Token first = m_Reader.Next();
        if (first.cls == TokenHyphen) {
            Token second = m_Reader.Next();
            if (second.cls == TokenGreater) {
                m_Handler->OnComment(m_Text);
                return StateText;
            }
            m_Reader.PushBack(second);
        }
        m_Reader.PushBack(first);
        m_Text += '-';
    }
}

SAX_Parser::State SAX_Parser::StepDeclaration()
{
    SkipWhitespace();
    Token token = m_Reader.Next();
    if (!EqualsIgnoringAsciiCase(token.text, "xml")) {
        if (TESSEL_REPORT_TOKEN_CODE(token, "(Expected \"xml\")", ErrorNotXmlDeclaration))
            return StateFailed;
    }
    if (!ReadAttributes(m_Attributes, token))
        return StateFailed;
    m_Handler->OnDeclaration(m_Attributes);
    if (token.cls != TokenQuestion) {
        if (TESSEL_REPORT_TOKEN(token, "(Expected '?' )"))
            return StateFailed;
        m_Reader.PushBack(token);
    }
    SkipWhitespace();
    token = m_Reader.Next();
    if (token.cls != TokenGreater) {
        std::string expected = "(Expected '>' [" + std::to_string(token.cls) + "] )";
        if (TESSEL_REPORT_TOKEN(token, expected.c_str()))
            return StateFailed;
    }
    return StateText;
}

bool SAX_Parser::ReportMismatch(const std::string& openName, std::int32_t column)
{
    // The mismatch message has no source location line.
    std::string line =
        "End tag mismatch with start tag(" + openName + ") in " + std::to_string(column);
    ParsingException exception(column, ErrorEndTagMismatch,
                               detail::BuildMessage("ParsingException", nullptr, 0, {line}),
                               m_Reader.LineNumber());
    if (m_Handler->OnError(exception)) {
        m_Stop = true;
        return true;
    }
    return false;
}

void SAX_Parser::ReportEnd(std::int32_t column, int sourceLine)
{
    ParsingException exception(column, ErrorUnexpectedEnd,
                               detail::BuildMessage("ParsingException", __FILE__, sourceLine,
                                                    {"Unexpected end of document"}),
                               m_Reader.LineNumber());
    m_Handler->OnError(exception);
    m_Stop = true;
}

}  // namespace Tessel
