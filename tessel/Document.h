// Tessel: Document and the factory functions that build a tree.
//
// A document is owned by whoever created it (CreateDocument, DOM_Parser::Parse
// or new): destroy it with delete or Release, which destroys the whole tree.
// Its attribute children are the pseudo-attributes of the xml declaration.
#ifndef TESSEL_DOCUMENT_H
#define TESSEL_DOCUMENT_H

#include <memory>
#include <string>

#include "tessel/Node.h"
#include "tessel/NodeContainer.h"

namespace Tessel
{

namespace detail
{
class NodeArena;
}

class Document : private noncopyable, public NodeContainer
{
public:
    Document();
    ~Document() override;

    std::int32_t GetType() const override { return DocumentNode; }
    std::string ToString(bool pretty, int depth) const override;
    // A new document (parent and position are not used) with every child
    // cloned into it; the caller owns it. Text or comment children directly
    // under the document make this throw std::bad_cast (nothing leaks).
    Node* Clone(NodeContainer& parent, Position position) const override;
    // A copy of the whole document; the caller owns it.
    Document* CloneDocument() const;

    // The first element child; DOM_Exception code 8 "RootNode not found".
    Element& GetRootElement();
    const Element& GetRootElement() const;

    // Always the empty string on a document.
    std::string LookupNamespaceURI(const std::string& prefix) const override;
    // The document's own map, else the empty string.
    std::string LookupPrefix(const std::string& uri) const override;

    Document* AsDocument() noexcept override { return this; }

private:
    friend class DOM_Parser;
    // The arena for the nodes a parse creates (made on first use).
    detail::NodeArena* UseArena();

    std::unique_ptr<detail::NodeArena> m_Arena;
};

// Factory functions. A position is a place in parent's children (Position,
// Node.h): the new node goes before that child; parent.end() appends. None of
// them checks for duplicates; each sets the new node's parent, and the parent
// owns the node. Values are stored unchanged (escape them first if needed).

// A document holding one element named rootName; the caller owns it.
Document* CreateDocument(const std::string& rootName);
// An element with no namespace (or with namespaceURI) in parent at position.
Element* CreateElement(const std::string& name, NodeContainer& parent, Position position);
Element* CreateElement(const std::string& name, const std::string& namespaceURI,
                       NodeContainer& parent, Position position);
// The same, appended at the end of parent's children.
Element* CreateElement(const std::string& name, NodeContainer& parent);
// An attribute appended to container (an element or a document).
Attribute* CreateAttribute(const std::string& name, const std::string& value,
                           NodeContainer& container);
Attribute* CreateAttribute(const std::string& name, const std::string& namespaceURI,
                           const std::string& value, NodeContainer& container);
// A text or comment node in element at position (or appended).
Node* CreateText(const std::string& value, Element& element, Position position);
Node* CreateText(const std::string& value, Element& element);
Node* CreateComment(const std::string& value, Element& element, Position position);
Node* CreateComment(const std::string& value, Element& element);

}  // namespace Tessel

#endif
