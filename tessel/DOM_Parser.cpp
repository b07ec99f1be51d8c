#include "tessel/DOM_Parser.h"

#include <memory>

#include "tessel/Arena.h"

namespace Tessel
{

namespace
{

// Splits a name at its first colon; a name without colon has no prefix.
void SplitName(std::string_view name, std::string_view& prefix, std::string_view& local)
{
    std::size_t colon = 0;
    while (colon < name.size() && name[colon] != ':')
        ++colon;  // names are short
    if (colon == name.size()) {
        prefix = std::string_view();
        local = name;
    } else {
        prefix = name.substr(0, colon);
        local = name.substr(colon + 1);
    }
}

}  // namespace

DOM_Parser::DOM_Parser() = default;

DOM_Parser::~DOM_Parser() = default;

void DOM_Parser::Reset()
{
    m_Current = nullptr;
    m_Document = nullptr;
    m_NamespaceStacks.clear();
    m_DeclaredPrefixes.clear();
    m_DeclaredCounts.clear();
}

Document* DOM_Parser::Parse(std::istream& input)
{
    m_Parser.SetHandler(this);
    Reset();
    auto document = std::make_unique<Document>();
    m_Document = document.get();
    m_Current = m_Document;
    try {
        detail::ArenaScope scope(document->UseArena());
        m_Parser.Parse(input);  // every error arrives as an exception
    } catch (...) {
        Reset();
        throw;  // the partly built document is destroyed
    }
    Reset();
    return document.release();
}

Document* DOM_Parser::Parse(std::string_view text)
{
    m_Parser.SetHandler(this);
    Reset();
    auto document = std::make_unique<Document>();
    m_Document = document.get();
    m_Current = m_Document;
    try {
        detail::ArenaScope scope(document->UseArena());
        m_Parser.Parse(text);
    } catch (...) {
        Reset();
        throw;
    }
    Reset();
    return document.release();
}

void DOM_Parser::OnDeclaration(const AttributeList& attributes)
{
    for (const auto& pair : attributes) {
        m_Current->AppendChild(new Attribute(pair.first, pair.second));
    }
}

const std::string* DOM_Parser::LookupURI(std::string_view prefix) const
{
    if (m_NamespaceStacks.empty())
        return nullptr;
    auto it = m_NamespaceStacks.find(prefix);
    if (it == m_NamespaceStacks.end() || it->second.empty())
        return nullptr;
    return &it->second.back();
}

void DOM_Parser::Declare(Element& element, std::string_view prefix, const std::string& uri)
{
    std::string key(prefix);
    if (element.GetNamespaces().count(key))
        return;  // the earlier declaration stays
    element.DeclareNamespace(key, uri);
    m_NamespaceStacks[key].push_back(uri);
    m_DeclaredPrefixes.push_back(std::move(key));
    ++m_DeclaredCounts.back();
}

void DOM_Parser::OnStartElement(const std::string& name, const AttributeList& attributes)
{
    std::string_view prefix, local;
    SplitName(name, prefix, local);
    Element* element = new Element(Element::FromParser(), local);
    m_Current->InsertChild(element, m_Current->end());
    m_Current = element;
    m_DeclaredCounts.push_back(0);
    for (const auto& pair : attributes) {
        std::string_view attributePrefix, attributeLocal;
        SplitName(pair.first, attributePrefix, attributeLocal);
        if (attributePrefix == "xmlns") {
            Declare(*element, attributeLocal, pair.second);
        } else if (attributePrefix.empty() && attributeLocal == "xmlns") {
            Declare(*element, std::string_view(), pair.second);
        } else {
            std::string uri;
            if (!attributePrefix.empty()) {
                if (const std::string* found = LookupURI(attributePrefix))
                    uri = *found;
            }
            element->InsertChild(
                new Attribute(std::string(attributeLocal), std::move(uri), pair.second),
                element->end());
        }
    }
    if (const std::string* found = LookupURI(prefix))
        element->SetNamespaceURI(*found);
}

void DOM_Parser::OnEndElement(const std::string&)
{
    // The parser has compared the names already.
    if (!m_DeclaredCounts.empty()) {
        for (std::size_t n = m_DeclaredCounts.back(); n > 0; --n) {
            auto it = m_NamespaceStacks.find(m_DeclaredPrefixes.back());
            it->second.pop_back();
            if (it->second.empty())
                m_NamespaceStacks.erase(it);
            m_DeclaredPrefixes.pop_back();
        }
        m_DeclaredCounts.pop_back();
    }
    m_Current = &m_Current->GetParent();
}

void DOM_Parser::OnCharacters(const std::string& text)
{
    m_Current->InsertChild(new Text(Text::FromParser(), text), m_Current->end());
}

void DOM_Parser::OnComment(const std::string& text)
{
    m_Current->InsertChild(new Comment(text), m_Current->end());
}

bool DOM_Parser::OnError(const ParsingException& exception)
{
    throw exception;
}

}  // namespace Tessel
