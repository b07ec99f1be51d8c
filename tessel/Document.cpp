#include "tessel/Document.h"

#include <memory>

#include "tessel/Arena.h"
#include "tessel/Internal.h"
#include "tessel/Writer.h"

namespace Tessel
{

Document::Document() = default;

Document::~Document()
{
    // The nodes go before the arena that may hold them.
    DestroyChildren();
}

detail::NodeArena* Document::UseArena()
{
    if (!m_Arena)
        m_Arena = std::make_unique<detail::NodeArena>();
    return m_Arena.get();
}

std::string Document::ToString(bool pretty, int depth) const
{
    return Tessel::ToString(*this, pretty, depth);
}

Node* Document::Clone(NodeContainer&, Position) const
{
    return CloneDocument();
}

Document* Document::CloneDocument() const
{
    auto copy = std::make_unique<Document>();
    for (Node* child : *this) {
        if (const Element* e = child->AsElement()) {
            Element* target =
                CreateElement(e->GetNameRef(), e->GetNamespaceURIRef(), *copy, copy->end());
            detail::CloneElementChildren(*e, *target);
        } else {
            child->Clone(*copy, copy->end());  // a text or comment throws std::bad_cast
        }
    }
    return copy.release();
}

Element& Document::GetRootElement()
{
    for (Node* n = GetFirstChild(); n; n = n->GetNextSibling()) {
        if (Element* e = n->AsElement())
            return *e;
    }
    TESSEL_THROW_DOM(this, ErrorNotFound, "RootNode not found");
}

const Element& Document::GetRootElement() const
{
    return const_cast<Document*>(this)->GetRootElement();
}

std::string Document::LookupNamespaceURI(const std::string&) const
{
    return std::string();
}

std::string Document::LookupPrefix(const std::string& uri) const
{
    for (const auto& entry : GetNamespaces()) {
        if (entry.second == uri)
            return entry.first;
    }
    return std::string();
}

Document* CreateDocument(const std::string& rootName)
{
    auto document = std::make_unique<Document>();
    CreateElement(rootName, *document, document->end());
    return document.release();
}

Element* CreateElement(const std::string& name, NodeContainer& parent, Position position)
{
    Element* element = new Element(name);
    parent.InsertChild(element, position);
    return element;
}

Element* CreateElement(const std::string& name, const std::string& namespaceURI,
                       NodeContainer& parent, Position position)
{
    Element* element = new Element(name, namespaceURI);
    parent.InsertChild(element, position);
    return element;
}

Element* CreateElement(const std::string& name, NodeContainer& parent)
{
    return CreateElement(name, parent, parent.end());
}

Attribute* CreateAttribute(const std::string& name, const std::string& value,
                           NodeContainer& container)
{
    Attribute* attribute = new Attribute(name, value);
    container.InsertChild(attribute, container.end());
    return attribute;
}

Attribute* CreateAttribute(const std::string& name, const std::string& namespaceURI,
                           const std::string& value, NodeContainer& container)
{
    Attribute* attribute = new Attribute(name, namespaceURI, value);
    container.InsertChild(attribute, container.end());
    return attribute;
}

Node* CreateText(const std::string& value, Element& element, Position position)
{
    Text* text = new Text(value);
    element.InsertChild(text, position);
    return text;
}

Node* CreateText(const std::string& value, Element& element)
{
    return CreateText(value, element, element.end());
}

Node* CreateComment(const std::string& value, Element& element, Position position)
{
    Comment* comment = new Comment(value);
    element.InsertChild(comment, position);
    return comment;
}

Node* CreateComment(const std::string& value, Element& element)
{
    return CreateComment(value, element, element.end());
}

}  // namespace Tessel
