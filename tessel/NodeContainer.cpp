#include "tessel/NodeContainer.h"

#include <utility>
#include <vector>

#include "tessel/Document.h"
#include "tessel/Internal.h"
#include "tessel/Writer.h"

namespace Tessel
{

namespace
{

const NamespaceMap& EmptyNamespaces()
{
    static const NamespaceMap empty;
    return empty;
}

// True when name equals the qualified name of the element or attribute.
// The common case (no namespace) compares the stored name directly.
bool ElementNameIs(const Element& element, std::string_view name)
{
    if (element.GetNamespaceURIRef().empty())
        return element.GetNameRef() == name;
    return element.GetQualifiedName() == name;
}

bool AttributeNameIs(const Attribute& attribute, std::string_view name)
{
    if (attribute.GetNamespaceURIRef().empty())
        return attribute.GetNameRef() == name;
    return attribute.GetQualifiedName() == name;
}

}  // namespace

NodeContainer::~NodeContainer()
{
    DestroyChildren();
    m_Namespaces.reset();
}

void NodeContainer::DestroyChildren() noexcept
{
    // Destroys the subtree without recursion, so that no depth of nesting can
    // exhaust the stack, touching each node once: the nodes still to go form
    // one chain through m_Next; a container's children are spliced in front
    // of the rest of it, then the container, cut loose from its parent (so
    // that its destructor unlinks nothing), is deleted.
    Node* next = m_First;
    m_First = m_Last = nullptr;
    while (Node* child = next) {
        next = child->m_Next;
        NodeContainer* inner = child->AsContainer();
        if (inner && inner->m_First) {
            inner->m_Last->m_Next = next;
            next = inner->m_First;
            inner->m_First = inner->m_Last = nullptr;
        }
        child->m_Parent = nullptr;
        child->m_Next = child->m_Prev = nullptr;
        delete child;
    }
}

std::size_t NodeContainer::GetChildCount() const noexcept
{
    std::size_t count = 0;
    for (const Node* n = m_First; n; n = n->m_Next)
        ++count;
    return count;
}

void NodeContainer::InsertChild(Node* node, Position position) noexcept
{
    Node* before = position.GetNode();
    if (before && before->m_Parent != this)
        before = nullptr;  // foreign position: append
    node->m_Parent = this;
    node->m_Next = before;
    node->m_Prev = before ? before->m_Prev : m_Last;
    if (node->m_Prev) {
        node->m_Prev->m_Next = node;
    } else {
        m_First = node;
    }
    if (before) {
        before->m_Prev = node;
    } else {
        m_Last = node;
    }
}

void NodeContainer::Unlink(Node* node) noexcept
{
    if (node->m_Prev) {
        node->m_Prev->m_Next = node->m_Next;
    } else {
        m_First = node->m_Next;
    }
    if (node->m_Next) {
        node->m_Next->m_Prev = node->m_Prev;
    } else {
        m_Last = node->m_Prev;
    }
    node->m_Parent = nullptr;
    node->m_Prev = node->m_Next = nullptr;
}

void NodeContainer::AppendChild(Node* node)
{
    if (!node)
        TESSEL_THROW_DOM(this, ErrorPointerDuplication, "Null pointer");
    if (node->m_Parent == this)
        TESSEL_THROW_DOM(this, ErrorPointerDuplication, "Pointer duplication");
    // Moving a node between containers is not supported: the caller releases
    // it there and creates a new one here.
    if (node->m_Parent) {
        TESSEL_THROW_DOM(this, ErrorPointerDuplication, "Node belongs to another container");
    }
    if (node->AsDocument())
        TESSEL_THROW_DOM(this, ErrorPointerDuplication, "Document cannot be a child");
    if (node->AsContainer()) {
        for (const Node* n = this; n; n = n->m_Parent) {
            if (n == node)
                TESSEL_THROW_DOM(this, ErrorPointerDuplication,
                                 "Node is an ancestor of the container");
        }
    }
    InsertChild(node, end());
}

Attribute* NodeContainer::FindAttribute(std::string_view name) const noexcept
{
    for (Node* n = m_First; n; n = n->m_Next) {
        if (Attribute* a = n->AsAttribute()) {
            bool match = false;
            try {
                match = AttributeNameIs(*a, name);
            } catch (const DOM_Exception&) {
                match = false;  // a namespaced name above a detached element
            }
            if (match)
                return a;
        }
    }
    return nullptr;
}

Element* NodeContainer::FindElement(std::string_view name, std::size_t n) const noexcept
{
    for (Node* c = m_First; c; c = c->m_Next) {
        if (Element* e = c->AsElement()) {
            bool match = false;
            try {
                match = ElementNameIs(*e, name);
            } catch (const DOM_Exception&) {
                match = false;  // a namespaced name above a detached element
            }
            if (match) {
                if (n == 0)
                    return e;
                --n;
            }
        }
    }
    return nullptr;
}

Attribute& NodeContainer::GetAttribute(std::string_view name)
{
    for (Node* n = m_First; n; n = n->m_Next) {
        if (Attribute* a = n->AsAttribute()) {
            if (AttributeNameIs(*a, name))
                return *a;
        }
    }
    TESSEL_THROW_DOM(this, ErrorNotFound, "Attribute not found(" + std::string(name) + ")");
}

const Attribute& NodeContainer::GetAttribute(std::string_view name) const
{
    return const_cast<NodeContainer*>(this)->GetAttribute(name);
}

Element& NodeContainer::GetElement(std::string_view name, std::size_t n)
{
    for (Node* c = m_First; c; c = c->m_Next) {
        if (Element* e = c->AsElement()) {
            if (ElementNameIs(*e, name)) {
                if (n == 0)
                    return *e;
                --n;
            }
        }
    }
    TESSEL_THROW_DOM(this, ErrorNotFound, "Element not found(" + std::string(name) + ")");
}

const Element& NodeContainer::GetElement(std::string_view name, std::size_t n) const
{
    return const_cast<NodeContainer*>(this)->GetElement(name, n);
}

std::string NodeContainer::GetText() const
{
    std::string text;
    for (Node* n = m_First; n; n = n->m_Next) {
        if (const Text* t = n->AsText())
            text += t->GetValueRef();
    }
    return text;
}

void NodeContainer::DeclareNamespace(const std::string& prefix, const std::string& uri)
{
    if (!m_Namespaces)
        m_Namespaces = std::make_unique<NamespaceMap>();
    m_Namespaces->emplace(prefix, uri);
}

const NamespaceMap& NodeContainer::GetNamespaces() const noexcept
{
    return m_Namespaces ? *m_Namespaces : EmptyNamespaces();
}

std::string NodeContainer::LookupNamespaceURI(const std::string& prefix) const
{
    // Walks up without recursion; a document ends the walk with "".
    for (const NodeContainer* c = this;;) {
        if (c->GetType() == DocumentNode)
            return std::string();
        if (c->m_Namespaces) {
            auto it = c->m_Namespaces->find(prefix);
            if (it != c->m_Namespaces->end())
                return it->second;
        }
        c = &c->GetParent();
    }
}

std::string NodeContainer::LookupPrefix(const std::string& uri) const
{
    for (const NodeContainer* c = this;;) {
        if (c->m_Namespaces) {
            for (const auto& entry : *c->m_Namespaces) {
                if (entry.second == uri)
                    return entry.first;
            }
        }
        if (c->GetType() == DocumentNode)
            return std::string();
        c = &c->GetParent();
    }
}

Element::Element(std::string name, std::string namespaceURI)
    : NamedNode(std::move(name), std::move(namespaceURI))
{}

Element::~Element() = default;

std::string Element::ToString(bool pretty, int depth) const
{
    return Tessel::ToString(*this, pretty, depth);
}

namespace
{

// Clones the children of source into target (appended, in order) and, the
// same way, the children of every element below; iterative.
void CloneChildren(const Element& source, Element& target)
{
    std::vector<std::pair<const Element*, Element*>> work;
    work.emplace_back(&source, &target);
    while (!work.empty()) {
        auto [from, to] = work.back();
        work.pop_back();
        for (Node* child : *from) {
            if (const Element* e = child->AsElement()) {
                Element* copy =
                    CreateElement(e->GetNameRef(), e->GetNamespaceURIRef(), *to, to->end());
                work.emplace_back(e, copy);
            } else {
                child->Clone(*to, to->end());
            }
        }
    }
}

}  // namespace

Node* Element::Clone(NodeContainer& parent, Position position) const
{
    Element* copy = CreateElement(GetNameRef(), GetNamespaceURIRef(), parent, position);
    CloneChildren(*this, *copy);
    return copy;
}

namespace detail
{
void CloneElementChildren(const Element& source, Element& target)
{
    CloneChildren(source, target);
}
}  // namespace detail

std::string Element::GetQualifiedName() const
{
    const std::string& uri = GetNamespaceURIRef();
    if (uri.empty())
        return GetNameRef();
    std::string prefix = LookupPrefix(uri);
    if (prefix.empty())
        return GetNameRef();
    prefix += ':';
    prefix += GetNameRef();
    return prefix;
}

void Element::SetText(const std::string& text)
{
    auto node = std::make_unique<Text>(text);
    for (Node* n = GetFirstChild(); n;) {
        Node* next = n->GetNextSibling();
        if (n->AsText())
            delete n;
        n = next;
    }
    InsertChild(node.release(), end());
}

}  // namespace Tessel
