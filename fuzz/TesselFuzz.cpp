// Fuzz target for the XML library: arbitrary bytes through DOM_Parser with
// trimming off and on, from memory and from a stream (which must agree),
// then written back, re-parsed, cloned and looked up; the same bytes through
// the SAX parser with a handler that always goes on after an error; and the
// string helpers. Any crash, sanitizer report, hang or broken invariant is a
// finding. The memory paths read the fuzzer's own buffer, never a copy, so
// that a read outside the text lands in its redzone (no bytes included:
// libFuzzer runs an empty input first).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "tessel/Tessel.h"

namespace
{

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Goes on after every error and counts the events, so that recovery paths
// run to their end.
class GoOnHandler : public Tessel::SAX_EventHandler
{
public:
    std::size_t events = 0;
    std::size_t errors = 0;
    void OnDeclaration(const Tessel::AttributeList& a) override { events += 1 + a.size(); }
    void OnStartElement(const std::string&, const Tessel::AttributeList& a) override
    {
        events += 1 + a.size();
    }
    void OnEndElement(const std::string&) override { ++events; }
    void OnCharacters(const std::string& t) override
    {
        Check(!t.empty());
        ++events;
    }
    void OnComment(const std::string&) override { ++events; }
    bool OnError(const Tessel::ParsingException& e) override
    {
        const std::string& m = e.GetMessageText();
        Check(m.size() >= 2 && m.back() == '\0' && m[m.size() - 2] == '\n');
        ++errors;
        return false;
    }
};

// Types, names, URIs and values of a tree in document order (namespace
// declarations aside, which Clone does not copy).
std::string Fingerprint(const Tessel::Node& top)
{
    std::string out;
    std::vector<const Tessel::Node*> stack{&top};
    while (!stack.empty()) {
        const Tessel::Node* n = stack.back();
        stack.pop_back();
        out += std::to_string(n->GetType());
        if (const Tessel::NamedNode* named = n->AsNamedNode()) {
            out += named->GetNameRef() + '{' + named->GetNamespaceURIRef() + '}';
        }
        if (const Tessel::Value* value = n->AsValue())
            out += '=' + value->GetValueRef();
        out += '(';
        if (const Tessel::NodeContainer* c = n->AsContainer()) {
            std::vector<const Tessel::Node*> children(c->begin(), c->end());
            stack.insert(stack.end(), children.rbegin(), children.rend());
            out += std::to_string(children.size());
        }
        out += ')';
    }
    return out;
}

struct Outcome
{
    std::unique_ptr<Tessel::Document> document;
    bool parseError = false;
    std::string message;  // of the exception, when one left Parse
};

Outcome Build(std::string_view text, bool trim, bool fromStream)
{
    Outcome outcome;
    Tessel::DOM_Parser parser;
    parser.SetTrimWhitespace(trim);
    try {
        if (fromStream) {
            std::istringstream in{std::string(text)};
            outcome.document.reset(parser.Parse(in));
        } else {
            outcome.document.reset(parser.Parse(text));
        }
    } catch (const Tessel::ParsingException& e) {
        outcome.parseError = true;
        outcome.message = e.GetMessageText();
    } catch (const Tessel::DOM_Exception& e) {
        outcome.message = e.GetMessageText();
    }
    return outcome;
}

void Walk(Tessel::Document& document)
{
    try {
        Tessel::Element& root = document.GetRootElement();
        (void)root.GetText();
        (void)root.FindAttribute("version");
        (void)root.FindElement("serif", 1);
        for (Tessel::Node* child : root) {
            if (Tessel::NamedNode* named = child->AsNamedNode()) {
                try {
                    (void)named->GetQualifiedName();
                } catch (const Tessel::DOM_Exception&) {
                }
            }
            if (Tessel::Element* e = child->AsElement()) {
                (void)e->LookupNamespaceURI("p");
                (void)e->LookupPrefix("urn:x");
            }
        }
        root.SetText("x");
        Check(root.GetText() == "x");
    } catch (const Tessel::DOM_Exception& e) {
        Check(e.GetCode() == Tessel::ErrorNotFound || e.GetCode() == Tessel::ErrorParentNotFound);
    }
}

void FuzzDom(std::string_view text, bool trim)
{
    Outcome memory = Build(text, trim, false);
    Outcome stream = Build(text, trim, true);
    Check(static_cast<bool>(memory.document) == static_cast<bool>(stream.document));
    Check(memory.message == stream.message);
    if (!memory.document)
        return;

    std::string pretty = memory.document->ToString(true, 0);
    std::string compact = memory.document->ToString(false, 0);
    Check(compact == stream.document->ToString(false, 0));
    Check(pretty.size() >= compact.size());

    // Written text parses again to an end (its content may differ: the writer
    // escapes nothing).
    Outcome again = Build(compact, trim, false);
    Outcome againPretty = Build(pretty, true, false);
    (void)again;
    (void)againPretty;

    try {
        std::unique_ptr<Tessel::Document> copy(memory.document->CloneDocument());
        Check(Fingerprint(*copy) == Fingerprint(*memory.document));
    } catch (const std::bad_cast&) {
        // A text or comment directly under the document cannot be cloned.
    }
    Walk(*memory.document);
}

void FuzzSax(std::string_view text, bool trim)
{
    GoOnHandler handler;
    Tessel::SAX_Parser parser;
    parser.SetHandler(&handler);
    parser.SetTrimWhitespace(trim);
    (void)parser.Parse(text);
    Check(parser.GetState() == Tessel::SAX_Parser::StateDone ||
          parser.GetState() == Tessel::SAX_Parser::StateFailed);
}

void FuzzStrings(std::string_view text)
{
    std::string s(text);
    std::size_t escaped = Tessel::EscapeEntities(s);
    Check(Tessel::EscapeEntitiesCopy(text) == s);
    std::size_t unescaped = Tessel::UnescapeEntities(s);
    Check(unescaped >= escaped);
    std::size_t half = text.size() / 2;
    std::string r(text.substr(0, half));
    std::string_view from = text.substr(half, std::min<std::size_t>(3, text.size() - half));
    Tessel::ReplaceAll(r, from, text.substr(0, std::min<std::size_t>(5, text.size())));
    std::int32_t value = 0;
    for (std::size_t i = 0; i < 4 && i < text.size(); ++i) {
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value) << 8 |
                                          static_cast<unsigned char>(text[i]));
    }
    std::string formatted =
        Tessel::FormatString(value, text.substr(0, std::min<std::size_t>(64, text.size())));
    Check(formatted.size() <= 127);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (size == 0) {
        // An empty text has nothing to point at: a null one must read the same.
        Tessel::DOM_Parser parser;
        std::unique_ptr<Tessel::Document> document(parser.Parse(std::string_view()));
        Check(document->GetChildCount() == 0);
    }
    FuzzDom(text, false);
    FuzzDom(text, true);
    FuzzSax(text, false);
    FuzzSax(text, true);
    FuzzStrings(text);
    return 0;
}
