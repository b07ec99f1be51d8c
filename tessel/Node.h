// Tessel: the node base classes and the leaf nodes (Attribute, Text, Comment).
//
// Class tree (Node is a virtual base everywhere, so every object holds
// exactly one Node):
//   Node <- NamedNode, Value, NodeContainer (NodeContainer.h)
//   Attribute = Value + NamedNode     GetType 0x30
//   Text      = Value                 GetType 0x10
//   Comment   = Value                 GetType 0x11
//   Element   = NodeContainer + NamedNode (NodeContainer.h)   0x60
//   Document  = NodeContainer (Document.h)                    0x40
//
// Ownership: a container owns its children. Destroying a node (delete or
// Release) also removes it from its parent's children, with its subtree.
// Nodes are allocated with new; the factory functions (Document.h) create a
// node inside its parent. All names and values are byte strings (UTF-8
// in this program), stored and returned unchanged.
#ifndef TESSEL_NODE_H
#define TESSEL_NODE_H

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

namespace Tessel
{

class Node;
class NodeContainer;
class Element;
class Document;
class Attribute;
class Text;
class Comment;
class NamedNode;
class Value;
class DOM_Parser;

// GetType codes, built from bits: 0x10 carries a value, 0x20 has a name,
// 0x40 holds children, 0x01 tells a comment from a text.
enum NodeType : std::int32_t
{
    NodeHasValue = 0x10,
    NodeHasName = 0x20,
    NodeHasChildren = 0x40,
    NodeIsComment = 0x01,
    TextNode = 0x10,
    CommentNode = 0x11,
    AttributeNode = 0x30,
    DocumentNode = 0x40,
    ElementNode = 0x60
};

// Private base that forbids copying.
class noncopyable
{
protected:
    noncopyable() = default;
    ~noncopyable() = default;
    noncopyable(const noncopyable&) = delete;
    noncopyable& operator=(const noncopyable&) = delete;
};

// A place in a container's list of children: the child it stands on, or the
// end of the list (a null node). Bidirectional; *it is the child's Node*.
// A position is also what the factory functions and Clone take: a new node is
// inserted before the child at that place, and end() appends.
class NodeIterator
{
public:
    using iterator_category = std::bidirectional_iterator_tag;
    using value_type = Node*;
    using difference_type = std::ptrdiff_t;
    using pointer = Node* const*;
    using reference = Node*;

    NodeIterator() noexcept = default;
    NodeIterator(const NodeContainer* container, Node* node) noexcept
        : m_Container(container), m_Node(node)
    {}

    Node* operator*() const noexcept { return m_Node; }
    NodeIterator& operator++() noexcept;
    NodeIterator operator++(int) noexcept
    {
        NodeIterator t = *this;
        ++*this;
        return t;
    }
    NodeIterator& operator--() noexcept;
    NodeIterator operator--(int) noexcept
    {
        NodeIterator t = *this;
        --*this;
        return t;
    }
    bool operator==(const NodeIterator& o) const noexcept { return m_Node == o.m_Node; }
    bool operator!=(const NodeIterator& o) const noexcept { return m_Node != o.m_Node; }

    const NodeContainer* GetContainer() const noexcept { return m_Container; }
    Node* GetNode() const noexcept { return m_Node; }

private:
    const NodeContainer* m_Container = nullptr;
    Node* m_Node = nullptr;
};

using Position = NodeIterator;

class Node
{
public:
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    // Nodes come from the heap, or, while DOM_Parser builds a document, from
    // that document's arena; delete and Release work the same for both.
    static void* operator new(std::size_t size);
    static void operator delete(void* p, std::size_t size) noexcept;

    // Slot 0: detaches the node from its parent.
    virtual ~Node();
    // Slot 1: destroys the node (delete this), which also detaches it.
    virtual void Release();
    // Slot 2: the NodeType code.
    virtual std::int32_t GetType() const = 0;
    // Slot 3: the node's XML text (Writer.h).
    virtual std::string ToString(bool pretty, int depth) const = 0;
    // Slot 4: a copy of the node created inside parent at position; returns it.
    virtual Node* Clone(NodeContainer& parent, Position position) const = 0;

    // Cheap conversions to the concrete classes; null when the node is not one.
    virtual Element* AsElement() noexcept { return nullptr; }
    virtual Document* AsDocument() noexcept { return nullptr; }
    virtual Attribute* AsAttribute() noexcept { return nullptr; }
    virtual Text* AsText() noexcept { return nullptr; }
    virtual Comment* AsComment() noexcept { return nullptr; }
    virtual NodeContainer* AsContainer() noexcept { return nullptr; }
    virtual NamedNode* AsNamedNode() noexcept { return nullptr; }
    virtual Value* AsValue() noexcept { return nullptr; }
    const Element* AsElement() const noexcept { return const_cast<Node*>(this)->AsElement(); }
    const Document* AsDocument() const noexcept { return const_cast<Node*>(this)->AsDocument(); }
    const Attribute* AsAttribute() const noexcept { return const_cast<Node*>(this)->AsAttribute(); }
    const Text* AsText() const noexcept { return const_cast<Node*>(this)->AsText(); }
    const Comment* AsComment() const noexcept { return const_cast<Node*>(this)->AsComment(); }
    const NodeContainer* AsContainer() const noexcept
    {
        return const_cast<Node*>(this)->AsContainer();
    }
    const NamedNode* AsNamedNode() const noexcept { return const_cast<Node*>(this)->AsNamedNode(); }
    const Value* AsValue() const noexcept { return const_cast<Node*>(this)->AsValue(); }

    // The parent; DOM_Exception code 7 "Parent not found." when detached.
    NodeContainer& GetParent() const;
    // The parent or null; never throws.
    NodeContainer* GetParentPointer() const noexcept { return m_Parent; }
    bool HasParent() const noexcept { return m_Parent != nullptr; }
    // Siblings in the parent's list of children; null at either end.
    Node* GetNextSibling() const noexcept { return m_Next; }
    Node* GetPreviousSibling() const noexcept { return m_Prev; }

protected:
    Node() noexcept = default;

private:
    friend class NodeContainer;
    friend class NodeIterator;
    NodeContainer* m_Parent = nullptr;
    Node* m_Prev = nullptr;
    Node* m_Next = nullptr;
};

// A node with a name: the local name (no prefix) and a namespace URI
// (empty when the node is in no namespace).
class NamedNode : public virtual Node
{
public:
    std::string GetName() const { return m_Name; }
    std::string GetNamespaceURI() const { return GetNamespaceURIRef(); }
    const std::string& GetNameRef() const noexcept { return m_Name; }
    const std::string& GetNamespaceURIRef() const noexcept
    {
        return m_NamespaceURI ? *m_NamespaceURI : EmptyString();
    }
    // The name as written in XML (prefix:name or name).
    virtual std::string GetQualifiedName() const = 0;
    NamedNode* AsNamedNode() noexcept override { return this; }

protected:
    NamedNode(std::string name, std::string namespaceURI);
    explicit NamedNode(std::string_view name) : m_Name(name) {}
    ~NamedNode() override;

private:
    friend class DOM_Parser;
    static const std::string& EmptyString() noexcept;
    void SetNamespaceURI(const std::string& uri);

    std::string m_Name;
    std::unique_ptr<std::string> m_NamespaceURI;  // null: no namespace
};

// A node with a value, stored unchanged (no entity handling).
class Value : public virtual Node
{
public:
    std::string GetValue() const { return m_Value; }
    const std::string& GetValueRef() const noexcept { return m_Value; }
    Value* AsValue() noexcept override { return this; }

protected:
    explicit Value(std::string value);
    explicit Value(std::string_view value) : m_Value(value) {}
    ~Value() override;

private:
    std::string m_Value;
};

// name="value". Stands in its element's (or the document's) children.
class Attribute : private noncopyable, public Value, public NamedNode
{
public:
    Attribute(std::string name, std::string value);
    Attribute(std::string name, std::string namespaceURI, std::string value);
    ~Attribute() override;

    std::int32_t GetType() const override { return AttributeNode; }
    std::string ToString(bool pretty, int depth) const override;
    // CreateAttribute(name, URI, value, parent); the position is not used.
    Node* Clone(NodeContainer& parent, Position position) const override;
    // The name, or prefix:name when the parent is an element whose namespace
    // differs from the attribute's and a prefix is declared for it.
    // DOM_Exception code 7 when the attribute has no parent.
    std::string GetQualifiedName() const override;
    Attribute* AsAttribute() noexcept override { return this; }
};

// Character data.
class Text : private noncopyable, public Value
{
public:
    explicit Text(std::string value);
    ~Text() override;

    std::int32_t GetType() const override { return TextNode; }
    std::string ToString(bool pretty, int depth) const override;
    // CreateText in parent, which must be an element (std::bad_cast otherwise).
    Node* Clone(NodeContainer& parent, Position position) const override;
    Text* AsText() noexcept override { return this; }

private:
    friend class DOM_Parser;
    struct FromParser
    {};
    Text(FromParser, std::string_view value) : Value(value) {}
};

// The text between <!-- and -->.
class Comment : private noncopyable, public Value
{
public:
    explicit Comment(std::string value);
    ~Comment() override;

    std::int32_t GetType() const override { return CommentNode; }
    std::string ToString(bool pretty, int depth) const override;
    // CreateComment in parent, which must be an element (std::bad_cast otherwise).
    Node* Clone(NodeContainer& parent, Position position) const override;
    Comment* AsComment() noexcept override { return this; }
};

}  // namespace Tessel

#endif
