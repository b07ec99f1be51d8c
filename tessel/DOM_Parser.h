// Tessel: DOM_Parser, which builds a Document from the SAX parser's events.
#ifndef TESSEL_DOM_PARSER_H
#define TESSEL_DOM_PARSER_H

#include <cstddef>
#include <istream>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tessel/Document.h"
#include "tessel/SAX_Parser.h"

namespace Tessel
{

class DOM_Parser : public SAX_EventHandler
{
public:
    DOM_Parser();
    ~DOM_Parser() override;
    DOM_Parser(const DOM_Parser&) = delete;
    DOM_Parser& operator=(const DOM_Parser&) = delete;

    // Trim whitespace of character data (off by default).
    void SetTrimWhitespace(bool trim) noexcept { m_Parser.SetTrimWhitespace(trim); }

    // Builds and returns a new document holding everything read; the caller
    // owns it (delete or Release). A parse error leaves as the
    // ParsingException given to OnError, a tree error as DOM_Exception; the
    // partly built document is then destroyed, never returned.
    Document* Parse(std::istream& input);
    Document* Parse(std::string_view text);

    void OnDeclaration(const AttributeList& attributes) override;
    void OnStartElement(const std::string& name, const AttributeList& attributes) override;
    void OnEndElement(const std::string& name) override;
    void OnCharacters(const std::string& text) override;
    void OnComment(const std::string& text) override;
    // Throws a copy of the exception: the builder never lets a parse go on.
    bool OnError(const ParsingException& exception) override;

private:
    void Reset();
    void Declare(Element& element, std::string_view prefix, const std::string& uri);
    const std::string* LookupURI(std::string_view prefix) const;

    SAX_Parser m_Parser;
    NodeContainer* m_Current = nullptr;
    Document* m_Document = nullptr;
    // The namespace declarations of the open elements, so that a lookup does
    // not walk up the tree (deep documents stay linear): for each prefix the
    // URIs declared for it, innermost last; the prefixes each open element
    // declared, in order; and how many each open element declared.
    std::map<std::string, std::vector<std::string>, std::less<>> m_NamespaceStacks;
    std::vector<std::string> m_DeclaredPrefixes;
    std::vector<std::size_t> m_DeclaredCounts;
};

}  // namespace Tessel

#endif
