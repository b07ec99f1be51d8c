#include "tessel/Node.h"

#include <typeinfo>
#include <utility>

#include "tessel/Document.h"
#include "tessel/Internal.h"
#include "tessel/NodeContainer.h"
#include "tessel/Writer.h"

namespace Tessel
{

NodeIterator& NodeIterator::operator++() noexcept
{
    if (m_Node)
        m_Node = m_Node->m_Next;
    return *this;
}

NodeIterator& NodeIterator::operator--() noexcept
{
    if (m_Node) {
        m_Node = m_Node->m_Prev;
    } else if (m_Container) {
        m_Node = m_Container->GetLastChild();
    }
    return *this;
}

Node::~Node()
{
    if (m_Parent)
        m_Parent->Unlink(this);
}

void Node::Release()
{
    delete this;
}

NodeContainer& Node::GetParent() const
{
    if (!m_Parent) {
        TESSEL_THROW_DOM(const_cast<Node*>(this), ErrorParentNotFound, "Parent not found.");
    }
    return *m_Parent;
}

NamedNode::NamedNode(std::string name, std::string namespaceURI) : m_Name(std::move(name))
{
    if (!namespaceURI.empty())
        m_NamespaceURI = std::make_unique<std::string>(std::move(namespaceURI));
}

const std::string& NamedNode::EmptyString() noexcept
{
    static const std::string empty;
    return empty;
}

void NamedNode::SetNamespaceURI(const std::string& uri)
{
    if (uri.empty()) {
        m_NamespaceURI.reset();
    } else {
        m_NamespaceURI = std::make_unique<std::string>(uri);
    }
}

NamedNode::~NamedNode() = default;

Value::Value(std::string value) : m_Value(std::move(value)) {}

Value::~Value() = default;

Attribute::Attribute(std::string name, std::string value)
    : Value(std::move(value)), NamedNode(std::move(name), std::string())
{}

Attribute::Attribute(std::string name, std::string namespaceURI, std::string value)
    : Value(std::move(value)), NamedNode(std::move(name), std::move(namespaceURI))
{}

Attribute::~Attribute() = default;

std::string Attribute::ToString(bool pretty, int depth) const
{
    return Tessel::ToString(*this, pretty, depth);
}

Node* Attribute::Clone(NodeContainer& parent, Position) const
{
    return CreateAttribute(GetNameRef(), GetNamespaceURIRef(), GetValueRef(), parent);
}

std::string Attribute::GetQualifiedName() const
{
    NodeContainer& parent = GetParent();
    const std::string& uri = GetNamespaceURIRef();
    if (!uri.empty()) {
        if (const Element* element = parent.AsElement()) {
            if (uri != element->GetNamespaceURIRef()) {
                std::string prefix = element->LookupPrefix(uri);
                if (!prefix.empty()) {
                    prefix += ':';
                    prefix += GetNameRef();
                    return prefix;
                }
            }
        }
    }
    return GetNameRef();
}

Text::Text(std::string value) : Value(std::move(value)) {}

Text::~Text() = default;

std::string Text::ToString(bool pretty, int depth) const
{
    return Tessel::ToString(*this, pretty, depth);
}

Node* Text::Clone(NodeContainer& parent, Position position) const
{
    // Texts live in elements only; a document as target is a bad cast.
    return CreateText(GetValueRef(), dynamic_cast<Element&>(parent), position);
}

Comment::Comment(std::string value) : Value(std::move(value)) {}

Comment::~Comment() = default;

std::string Comment::ToString(bool pretty, int depth) const
{
    return Tessel::ToString(*this, pretty, depth);
}

Node* Comment::Clone(NodeContainer& parent, Position position) const
{
    return CreateComment(GetValueRef(), dynamic_cast<Element&>(parent), position);
}

}  // namespace Tessel
