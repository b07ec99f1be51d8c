#include "tessel/SAX_Parser.h"

#include <cstring>

#include "tessel/Internal.h"

namespace Tessel {

namespace {

// Class of every byte value: the listed bytes are delimiters,
// everything else is text.
struct ClassTable {
  std::int32_t cls[256];
  bool textStop[256];     // ends a run of character data: < & NUL
  bool commentStop[256];  // ends a run of comment text: - NUL
  constexpr ClassTable() : cls(), textStop(), commentStop() {
    for (int i = 0; i < 256; ++i) cls[i] = TokenText;
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

inline bool IsWhitespaceClass(std::int32_t cls) {
  return cls == TokenLineFeed || cls == TokenSpace || cls == TokenTab;
}

inline bool IsWhitespaceByte(char c) { return c == '\n' || c == ' ' || c == '\t'; }

// The last line feed among the n bytes at p, or null (memrchr is not in
// every C library).
const char* LastLineFeed(const char* p, std::size_t n) {
  while (n > 0) {
    --n;
    if (p[n] == '\n') return p + n;
  }
  return nullptr;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

namespace detail {
const std::int32_t kByteClass[256] = {
#define TESSEL_ROW(b) kTable.cls[b], kTable.cls[b + 1], kTable.cls[b + 2], kTable.cls[b + 3], \
                      kTable.cls[b + 4], kTable.cls[b + 5], kTable.cls[b + 6], kTable.cls[b + 7]
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

std::int32_t ClassOfByte(unsigned char byte) noexcept { return kTable.cls[byte]; }

// ---------------------------------------------------------------------------
// LineReader

// Memory input needs no copy and no splitting: the whole rest of the text is
// the region the tokenizer works on, and the start of the current line is
// moved on as line feeds are passed. Stream input reads one line at a time
// into a reused buffer. Both give the same tokens and columns.

void LineReader::Start(std::istream& input) {
  m_input = &input;
  m_text = std::string_view();
  m_line.clear();
  m_lineStart = m_cursor = m_end = kNoLine;
  m_pushedBack.clear();
}

void LineReader::Start(std::string_view text) {
  m_input = nullptr;
  m_text = text;
  m_line.clear();
  // Even an empty text is its own region (a null one too): the cursor never
  // leaves the text, which EndColumn relies on when it looks one byte back.
  m_lineStart = m_cursor = text.data();
  m_end = text.data() + text.size();
  m_pushedBack.clear();
}

void LineReader::Begin() {
  if (m_input) ReadLine();
}

bool LineReader::ReadLine() {
  if (m_input) {
    // Read into a second buffer first: a failed read leaves the current line
    // (and the views into it) as they were.
    if (!std::getline(*m_input, m_spare)) return false;
    if (!m_input->eof()) m_spare += '\n';
    m_line.swap(m_spare);
    m_lineStart = m_cursor = m_line.data();
    m_end = m_line.data() + m_line.size();
    return true;
  }
  // Memory input: the cursor is at the end of the text (nothing left) or at
  // a NUL byte, which ends its line: go on after that line's line feed.
  if (m_cursor == m_end) return false;
  const void* lf = std::memchr(m_cursor, '\n', static_cast<std::size_t>(m_end - m_cursor));
  if (!lf) return false;
  const char* next = static_cast<const char*>(lf) + 1;
  if (next == m_end) return false;
  m_lineStart = m_cursor = next;
  return true;
}

void LineReader::Advance(std::size_t n) noexcept {
  AdvanceTo(m_cursor + n, LastLineFeed(m_cursor, n));
}

void LineReader::AdvanceTo(const char* p, const char* lastLineFeed) noexcept {
  if (p == m_cursor) return;
  m_cursor = p;
  if (m_input) return;  // stream lines end with their line feed
  if (lastLineFeed) m_lineStart = lastLineFeed + 1;
}

std::int32_t LineReader::EndColumn() const noexcept {
  // At the very end of memory input right after a line feed, the line that
  // feed ends is still the current one (a stream would have failed to read
  // another): the column is that line's length. Anywhere else the byte at
  // the cursor has been looked at, which for a stream means its line was
  // read, so the column counts from the start of the cursor's line.
  if (m_input || m_cursor != m_end || m_cursor == m_text.data() || m_cursor[-1] != '\n') {
    return Column(m_cursor);
  }
  const char* begin = m_text.data();
  const char* lf = LastLineFeed(begin, static_cast<std::size_t>(m_cursor - 1 - begin));
  const char* start = lf ? lf + 1 : begin;
  return static_cast<std::int32_t>(m_cursor - start);
}

Token LineReader::NextToken() {
  if (!m_pushedBack.empty()) {
    Token token = m_pushedBack.back();
    m_pushedBack.pop_back();
    return token;
  }
  // A NUL byte ends its line: the rest of that line is never seen.
  while (m_cursor == m_end || *m_cursor == '\0') {
    if (!ReadLine()) {
      return Token{std::string_view(kDelimiterText, 1), TokenEnd, EndColumn()};
    }
  }
  const char* start = m_cursor;
  std::int32_t cls = kTable.cls[static_cast<unsigned char>(*m_cursor)];
  ++m_cursor;
  if (cls != TokenText) {
    Token token{std::string_view(&kDelimiterText[cls], 1), cls, Column(start)};
    if (cls == TokenLineFeed && !m_input) m_lineStart = m_cursor;
    return token;
  }
  while (m_cursor != m_end && kTable.cls[static_cast<unsigned char>(*m_cursor)] == TokenText) ++m_cursor;
  return Token{std::string_view(start, static_cast<std::size_t>(m_cursor - start)), TokenText, Column(start)};
}

void LineReader::PushBack(const Token& token) { m_pushedBack.push_back(token); }

// ---------------------------------------------------------------------------
// AttributeList

AttributeList::value_type& AttributeList::Add(std::string_view name) {
  // Slots are reused from tag to tag, keeping their strings' capacity.
  if (m_size == m_items.size()) m_items.emplace_back();
  value_type& item = m_items[m_size++];
  item.first.assign(name.data(), name.size());
  item.second.clear();
  return item;
}

SAX_EventHandler::~SAX_EventHandler() = default;

// ---------------------------------------------------------------------------
// SAX_Parser

// Reports a token error: "Unexpected token in <column>" and the expected line.
#define TESSEL_REPORT_TOKEN(token, expected) ReportToken((token), __LINE__, (expected))
#define TESSEL_REPORT_TOKEN_CODE(token, expected, code) ReportToken((token), __LINE__, (expected), (code))

SAX_Parser::SAX_Parser() = default;

SAX_Parser::~SAX_Parser() = default;

bool SAX_Parser::ReportToken(const Token& token, int sourceLine, const char* expected,
                             std::int32_t code) {
  std::string where = "Unexpected token in " + std::to_string(token.column);
  ParsingException exception(token.column, code,
                             detail::BuildMessage("ParsingException", __FILE__, sourceLine,
                                                  {where, expected}));
  if (m_handler->OnError(exception)) {
    m_stop = true;
    return true;
  }
  return false;
}

bool SAX_Parser::Parse(std::istream& input) {
  if (!m_handler) {
    throw ParsingException(-1, ErrorNoHandler,
                           detail::BuildMessage("ParsingException", __FILE__, __LINE__,
                                                {"Set handler before parse."}));
  }
  m_reader.Start(input);
  return Run();
}

bool SAX_Parser::Parse(std::string_view text) {
  if (!m_handler) {
    throw ParsingException(-1, ErrorNoHandler,
                           detail::BuildMessage("ParsingException", __FILE__, __LINE__,
                                                {"Set handler before parse."}));
  }
  m_reader.Start(text);
  return Run();
}

bool SAX_Parser::Run() {
  m_openCount = 0;
  m_stop = false;
  m_reader.Begin();  // the first line; an empty input leaves none
  m_state = StateText;
  while (m_state != StateDone && m_state != StateFailed) {
    switch (m_state) {
      case StateText: m_state = StepText(); break;
      case StateTag: m_state = StepTag(); break;
      case StateComment: m_state = StepComment(); break;
      case StateMarkup: m_state = StepMarkup(); break;
      case StateDeclaration: m_state = StepDeclaration(); break;
      default: m_state = StateFailed; break;
    }
  }
  return m_state == StateDone;
}

void SAX_Parser::SkipWhitespaceSlow() {
  // Given-back tokens first, as tokens.
  while (m_reader.HasPushedBack()) {
    Token token = m_reader.Next();
    if (!IsWhitespaceClass(token.cls)) {
      m_reader.PushBack(token);
      return;
    }
  }
  // Then bytes: whitespace bytes are whole tokens, so skipping them leaves
  // the reader exactly where taking and giving back the first other token
  // would. At the end of a line (or a NUL) the next line is read, as Next
  // would; at the end of input Next will give the end token.
  for (;;) {
    std::string_view rest = m_reader.Rest();
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
    m_reader.AdvanceTo(p, lastLineFeed);
    if (p != end && *p != '\0') return;
    if (!m_reader.ReadLine()) return;
  }
}

SAX_Parser::State SAX_Parser::StepText() {
  if (m_trimWhitespace) SkipWhitespace();
  m_text.clear();
  bool tag = false;
  for (;;) {
    if (!m_reader.HasPushedBack()) {
      // Character data up to the next < & or NUL is appended as it stands,
      // exactly what appending its tokens one by one would give.
      std::string_view rest = m_reader.Rest();
      const char* begin = rest.data();
      const char* end = begin + rest.size();
      const char* p = begin;
      const char* lastLineFeed = nullptr;
      while (p != end) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (kTable.textStop[c]) break;
        if (c == '\n') lastLineFeed = p;
        ++p;
      }
      m_text.append(begin, static_cast<std::size_t>(p - begin));
      m_reader.AdvanceTo(p, lastLineFeed);
    }
    Token token = m_reader.Next();
    if (token.cls == TokenEnd) break;
    if (token.cls == TokenLess) {
      tag = true;
      break;
    }
    if (token.cls == TokenAmpersand) {
      if (!ReadEntity(m_text)) return StateFailed;
      continue;
    }
    m_text.append(token.text.data(), token.text.size());
  }
  if (m_trimWhitespace) {
    std::size_t n = m_text.size();
    while (n > 0 && IsWhitespaceByte(m_text[n - 1])) --n;
    m_text.resize(n);
  }
  if (!m_text.empty()) m_handler->OnCharacters(m_text);
  return tag ? StateTag : StateDone;
}

bool SAX_Parser::ReadEntity(std::string& out) {
  static constexpr std::string_view kNames[] = {"lt", "gt", "amp", "quot", "apos"};
  static constexpr char kCharacters[] = {'<', '>', '&', '"', '\''};
  SkipWhitespace();
  Token name = m_reader.Next();
  if (name.cls != TokenText) {
    if (TESSEL_REPORT_TOKEN(name, "(Expected text)")) return false;
  }
  int found = -1;
  for (int i = 0; i < 5; ++i) {
    if (EqualsIgnoringAsciiCase(name.text, kNames[i])) {
      found = i;
      break;
    }
  }
  if (found < 0) {
    if (TESSEL_REPORT_TOKEN(name, "(not supported refference)")) return false;
  }
  Token semicolon = m_reader.Next();
  if (semicolon.cls != TokenSemicolon) {
    if (TESSEL_REPORT_TOKEN(semicolon, "(expected ';')")) return false;
  }
  if (found >= 0) out += kCharacters[found];
  return true;
}

bool SAX_Parser::CheckEndOfInput() {
  SkipWhitespace();
  Token token = m_reader.Next();
  if (token.cls != TokenEnd) {
    if (TESSEL_REPORT_TOKEN(token, "(Expected '(null)')")) return false;
  }
  return true;
}

SAX_Parser::State SAX_Parser::StepTag() {
  SkipWhitespace();
  Token token = m_reader.Next();
  bool endTag = false;
  Token name;
  switch (token.cls) {
    case TokenText: name = token; break;  // a start tag; the token is its name
    case TokenSlash: endTag = true; break;
    case TokenExclamation: return StateMarkup;
    case TokenQuestion: return StateDeclaration;
    default:
      if (TESSEL_REPORT_TOKEN(token, "(expected !,?,/ or text)")) return StateFailed;
      break;  // a start tag, the token dropped
  }
  if (token.cls != TokenText) name = m_reader.Next();
  if (name.cls != TokenText) {
    if (TESSEL_REPORT_TOKEN(name, "(expected text)")) return StateFailed;
  }
  if (endTag) {
    // Text read from memory stays where it is, so the name can be compared
    // in place; a stream's line may be replaced while the '>' is sought.
    std::string_view endName = name.text;
    if (m_reader.IsStream()) {
      m_name.assign(endName.data(), endName.size());
      endName = m_name;
    }
    SkipWhitespace();
    Token close = m_reader.Next();
    if (close.cls != TokenGreater) {
      if (TESSEL_REPORT_TOKEN(close, "(expected '>')")) return StateFailed;
    }
    if (m_openCount == 0) {
      // An end tag with nothing open: reported as a mismatch with an empty
      // start tag name; going on, the end tag is dropped.
      if (ReportMismatch(std::string(), close.column)) return StateFailed;
      return StateText;
    }
    const std::string& open = m_openElements[m_openCount - 1];
    if (endName != open) {
      if (ReportMismatch(open, close.column)) return StateFailed;
      if (endName.data() != m_name.data()) m_name.assign(endName.data(), endName.size());
      --m_openCount;
      m_handler->OnEndElement(m_name);
    } else {
      --m_openCount;  // the string stays in its slot until the next start tag
      m_handler->OnEndElement(open);
    }
    if (m_openCount == 0) return CheckEndOfInput() ? StateDone : StateFailed;
    return StateText;
  }

  // The name goes straight into its slot of the open elements.
  if (m_openCount == m_openElements.size()) m_openElements.emplace_back();
  std::string& startName = m_openElements[m_openCount++];
  startName.assign(name.text.data(), name.text.size());
  Token close;
  if (!ReadAttributes(m_attributes, close)) return StateFailed;
  bool empty = false;
  if (close.cls == TokenSlash) {
    empty = true;
    SkipWhitespace();
    close = m_reader.Next();
  }
  if (close.cls != TokenGreater) {
    if (TESSEL_REPORT_TOKEN(close, "(Expected '>')")) return StateFailed;
  }
  m_handler->OnStartElement(startName, m_attributes);
  if (empty) {
    m_handler->OnEndElement(startName);
    --m_openCount;
  }
  if (m_openCount == 0) return CheckEndOfInput() ? StateDone : StateFailed;
  return StateText;
}

bool SAX_Parser::ReadAttributes(AttributeList& list, Token& next) {
  // The token that ends the list is never whitespace (it was taken after
  // skipping whitespace), so handing it to the caller is the same as giving
  // it back and letting the caller skip whitespace and take it again.
  list.Clear();
  SkipWhitespace();
  Token token = m_reader.Next();
  if (token.cls != TokenText) {
    next = token;
    return true;
  }
  for (;;) {
    // token is text: an attribute name.
    AttributeList::value_type& pair = list.Add(token.text);
    SkipWhitespace();
    token = m_reader.Next();
    if (token.cls == TokenEqual) {
      SkipWhitespace();
      Token quote = m_reader.Next();
      if (quote.cls != TokenQuote && quote.cls != TokenApostrophe) {
        if (TESSEL_REPORT_TOKEN(quote, "(Expected ' or \" )")) return false;
      }
      for (;;) {
        Token part = m_reader.Next();
        if (part.cls == quote.cls) break;
        if (part.cls == TokenEnd) {
          // The input ended inside the value: the parse cannot go on.
          ReportEnd(part.column, __LINE__);
          return false;
        }
        pair.second.append(part.text.data(), part.text.size());
      }
      SkipWhitespace();
      token = m_reader.Next();
    } else {
      if (TESSEL_REPORT_TOKEN(token, "(Expected '=')")) return false;
      list.PopBack();  // the attribute is dropped; the token in hand is examined next
    }
    if (token.cls != TokenText) {
      next = token;
      return true;
    }
  }
}

SAX_Parser::State SAX_Parser::StepMarkup() {
  Token token = m_reader.Next();
  if (token.cls == TokenHyphen) {
    token = m_reader.Next();
    if (token.cls == TokenHyphen) return StateComment;
  }
  for (;;) {
    token = m_reader.Next();
    if (token.cls == TokenGreater) return StateText;
    if (token.cls == TokenEnd) {
      // Asking again would find the same end forever: the parse ends here
      // whatever the handler answers.
      ReportEnd(token.column, __LINE__);
      return StateFailed;
    }
  }
}

SAX_Parser::State SAX_Parser::StepComment() {
  m_text.clear();
  for (;;) {
    if (!m_reader.HasPushedBack()) {
      std::string_view rest = m_reader.Rest();
      const char* begin = rest.data();
      const char* end = begin + rest.size();
      const char* p = begin;
      const char* lastLineFeed = nullptr;
      while (p != end) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (kTable.commentStop[c]) break;
        if (c == '\n') lastLineFeed = p;
        ++p;
      }
      m_text.append(begin, static_cast<std::size_t>(p - begin));
      m_reader.AdvanceTo(p, lastLineFeed);
    }
    Token token = m_reader.Next();
    if (token.cls == TokenEnd) return StateDone;  // an unclosed comment is dropped
    if (token.cls != TokenHyphen) {
      m_text.append(token.text.data(), token.text.size());
      continue;
    }
    // A '-': the comment ends if "->" follows. Otherwise the tokens taken
    // are given back (the first is returned next) and the '-' is text. A
    // second token is taken only after a '-', which keeps every given-back
    // text token on the current line.
    Token first = m_reader.Next();
    if (first.cls == TokenHyphen) {
      Token second = m_reader.Next();
      if (second.cls == TokenGreater) {
        m_handler->OnComment(m_text);
        return StateText;
      }
      m_reader.PushBack(second);
    }
    m_reader.PushBack(first);
    m_text += '-';
  }
}

SAX_Parser::State SAX_Parser::StepDeclaration() {
  SkipWhitespace();
  Token token = m_reader.Next();
  if (!EqualsIgnoringAsciiCase(token.text, "xml")) {
    if (TESSEL_REPORT_TOKEN_CODE(token, "(Expected \"xml\")", ErrorNotXmlDeclaration)) return StateFailed;
  }
  if (!ReadAttributes(m_attributes, token)) return StateFailed;
  m_handler->OnDeclaration(m_attributes);
  if (token.cls != TokenQuestion) {
    if (TESSEL_REPORT_TOKEN(token, "(Expected '?' )")) return StateFailed;
    m_reader.PushBack(token);
  }
  SkipWhitespace();
  token = m_reader.Next();
  if (token.cls != TokenGreater) {
    std::string expected = "(Expected '>' [" + std::to_string(token.cls) + "] )";
    if (TESSEL_REPORT_TOKEN(token, expected.c_str())) return StateFailed;
  }
  return StateText;
}

bool SAX_Parser::ReportMismatch(const std::string& openName, std::int32_t column) {
  // The mismatch message has no source location line.
  std::string line = "End tag mismatch with start tag(" + openName + ") in " + std::to_string(column);
  ParsingException exception(column, ErrorEndTagMismatch,
                             detail::BuildMessage("ParsingException", nullptr, 0, {line}));
  if (m_handler->OnError(exception)) {
    m_stop = true;
    return true;
  }
  return false;
}

void SAX_Parser::ReportEnd(std::int32_t column, int sourceLine) {
  ParsingException exception(column, ErrorUnexpectedEnd,
                             detail::BuildMessage("ParsingException", __FILE__, sourceLine,
                                                  {"Unexpected end of document"}));
  m_handler->OnError(exception);
  m_stop = true;
}

}  // namespace Tessel
