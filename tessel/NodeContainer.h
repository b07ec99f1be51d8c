// Tessel: NodeContainer (children, lookups by name, namespaces) and Element.
//
// A container owns its children: attributes, elements, texts and comments in
// one ordered list. Destroying a container destroys its whole subtree.
#ifndef TESSEL_NODECONTAINER_H
#define TESSEL_NODECONTAINER_H

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "tessel/Node.h"

namespace Tessel
{

// prefix -> namespace URI, ordered by prefix (byte order); the empty prefix
// is the default namespace.
using NamespaceMap = std::map<std::string, std::string, std::less<>>;

class NodeContainer : public virtual Node
{
public:
    using iterator = NodeIterator;
    using const_iterator = NodeIterator;

    // Destroys every child (and so the whole subtree).
    ~NodeContainer() override;

    // The children in document order, attributes included.
    iterator begin() const noexcept { return iterator(this, m_First); }
    iterator end() const noexcept { return iterator(this, nullptr); }
    Node* GetFirstChild() const noexcept { return m_First; }
    Node* GetLastChild() const noexcept { return m_Last; }
    bool HasChildren() const noexcept { return m_First != nullptr; }
    std::size_t GetChildCount() const noexcept;  // counts the list

    // Appends node and makes this container its parent; the container owns it
    // from then on. DOM_Exception code 9 (nothing changes) when node is null,
    // already one of the children ("Pointer duplication"), belongs to another
    // container, is a document, or is this container or one of its ancestors.
    void AppendChild(Node* node);

    // The first attribute child whose qualified name equals name exactly.
    // DOM_Exception code 8 "Attribute not found(<name>)" when there is none.
    Attribute& GetAttribute(std::string_view name);
    const Attribute& GetAttribute(std::string_view name) const;
    // Among the element children whose qualified name equals name exactly, the
    // one numbered n (the first is 0). DOM_Exception code 8
    // "Element not found(<name>)" when there are fewer.
    Element& GetElement(std::string_view name, std::size_t n = 0);
    const Element& GetElement(std::string_view name, std::size_t n = 0) const;
    // The same lookups without exceptions: null when not found.
    Attribute* FindAttribute(std::string_view name) const noexcept;
    Element* FindElement(std::string_view name, std::size_t n = 0) const noexcept;

    // The values of all Text children joined in order (comments excluded).
    std::string GetText() const;

    // Declares prefix -> uri on this container; an earlier declaration of the
    // same prefix here stays.
    void DeclareNamespace(const std::string& prefix, const std::string& uri);
    // The namespaces declared here (empty map when none).
    const NamespaceMap& GetNamespaces() const noexcept;

    // The URI of prefix, from this container's map or its ancestors'; the
    // empty string on a document. DOM_Exception code 7 when an element on the
    // way up is detached.
    virtual std::string LookupNamespaceURI(const std::string& prefix) const;
    // The first prefix (in prefix order) mapped to uri here, else the parent's
    // answer; the empty string at the document.
    virtual std::string LookupPrefix(const std::string& uri) const;

    NodeContainer* AsContainer() noexcept override { return this; }

protected:
    NodeContainer() noexcept = default;

    // Inserts node before position (end: appends), without the checks of
    // AppendChild. The node must be detached.
    void InsertChild(Node* node, Position position) noexcept;
    // Destroys every child (the destructor does it too).
    void DestroyChildren() noexcept;

private:
    friend class Node;
    friend class NodeIterator;
    friend class DOM_Parser;
    friend Element* CreateElement(const std::string&, NodeContainer&, Position);
    friend Element* CreateElement(const std::string&, const std::string&, NodeContainer&, Position);
    friend Attribute* CreateAttribute(const std::string&, const std::string&, NodeContainer&);
    friend Attribute* CreateAttribute(const std::string&, const std::string&, const std::string&,
                                      NodeContainer&);
    friend Node* CreateText(const std::string&, Element&, Position);
    friend Node* CreateComment(const std::string&, Element&, Position);

    void Unlink(Node* node) noexcept;

    Node* m_First = nullptr;
    Node* m_Last = nullptr;
    std::unique_ptr<NamespaceMap> m_Namespaces;  // null while none declared
};

class Element : private noncopyable, public NodeContainer, public NamedNode
{
public:
    explicit Element(std::string name, std::string namespaceURI = std::string());
    ~Element() override;

    std::int32_t GetType() const override { return ElementNode; }
    std::string ToString(bool pretty, int depth) const override;
    // A new element with the same name and URI at position in parent, with
    // every child cloned into it; the namespace map is not copied.
    Node* Clone(NodeContainer& parent, Position position) const override;
    // prefix:name when the URI is not empty and a prefix is declared for it
    // here or on an ancestor; otherwise the name.
    std::string GetQualifiedName() const override;

    // Destroys every Text child, then appends one Text holding text.
    void SetText(const std::string& text);

    Element* AsElement() noexcept override { return this; }

private:
    friend class DOM_Parser;
    struct FromParser
    {};
    Element(FromParser, std::string_view name) : NamedNode(name) {}
};

}  // namespace Tessel

#endif
