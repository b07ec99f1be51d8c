#include "tessel/DOM_Parser.h"

#include <memory>

#include "tessel/Arena.h"

namespace Tessel {

namespace {

// Splits a name at its first colon; a name without colon has no prefix.
void SplitName(std::string_view name, std::string_view& prefix, std::string_view& local) {
  std::size_t colon = 0;
  while (colon < name.size() && name[colon] != ':') ++colon;  // names are short
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

void DOM_Parser::Reset() {
  m_current = nullptr;
  m_document = nullptr;
  m_namespaceStacks.clear();
  m_declaredPrefixes.clear();
  m_declaredCounts.clear();
}

Document* DOM_Parser::Parse(std::istream& input) {
  m_parser.SetHandler(this);
  Reset();
  auto document = std::make_unique<Document>();
  m_document = document.get();
  m_current = m_document;
  try {
    detail::ArenaScope scope(document->UseArena());
    m_parser.Parse(input);  // every error arrives as an exception
  } catch (...) {
    Reset();
    throw;  // the partly built document is destroyed
  }
  Reset();
  return document.release();
}

Document* DOM_Parser::Parse(std::string_view text) {
  m_parser.SetHandler(this);
  Reset();
  auto document = std::make_unique<Document>();
  m_document = document.get();
  m_current = m_document;
  try {
    detail::ArenaScope scope(document->UseArena());
    m_parser.Parse(text);
  } catch (...) {
    Reset();
    throw;
  }
  Reset();
  return document.release();
}

void DOM_Parser::OnDeclaration(const AttributeList& attributes) {
  for (const auto& pair : attributes) {
    m_current->AppendChild(new Attribute(pair.first, pair.second));
  }
}

const std::string* DOM_Parser::LookupURI(std::string_view prefix) const {
  if (m_namespaceStacks.empty()) return nullptr;
  auto it = m_namespaceStacks.find(prefix);
  if (it == m_namespaceStacks.end() || it->second.empty()) return nullptr;
  return &it->second.back();
}

void DOM_Parser::Declare(Element& element, std::string_view prefix, const std::string& uri) {
  std::string key(prefix);
  if (element.GetNamespaces().count(key)) return;  // the earlier declaration stays
  element.DeclareNamespace(key, uri);
  m_namespaceStacks[key].push_back(uri);
  m_declaredPrefixes.push_back(std::move(key));
  ++m_declaredCounts.back();
}

void DOM_Parser::OnStartElement(const std::string& name, const AttributeList& attributes) {
  std::string_view prefix, local;
  SplitName(name, prefix, local);
  Element* element = new Element(Element::FromParser(), local);
  m_current->InsertChild(element, m_current->end());
  m_current = element;
  m_declaredCounts.push_back(0);
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
        if (const std::string* found = LookupURI(attributePrefix)) uri = *found;
      }
      element->InsertChild(new Attribute(std::string(attributeLocal), std::move(uri), pair.second),
                           element->end());
    }
  }
  if (const std::string* found = LookupURI(prefix)) element->SetNamespaceURI(*found);
}

void DOM_Parser::OnEndElement(const std::string&) {
  // The parser has compared the names already.
  if (!m_declaredCounts.empty()) {
    for (std::size_t n = m_declaredCounts.back(); n > 0; --n) {
      auto it = m_namespaceStacks.find(m_declaredPrefixes.back());
      it->second.pop_back();
      if (it->second.empty()) m_namespaceStacks.erase(it);
      m_declaredPrefixes.pop_back();
    }
    m_declaredCounts.pop_back();
  }
  m_current = &m_current->GetParent();
}

void DOM_Parser::OnCharacters(const std::string& text) {
  m_current->InsertChild(new Text(Text::FromParser(), text), m_current->end());
}

void DOM_Parser::OnComment(const std::string& text) {
  m_current->InsertChild(new Comment(text), m_current->end());
}

bool DOM_Parser::OnError(const ParsingException& exception) { throw exception; }

}  // namespace Tessel
