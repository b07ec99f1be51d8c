#include "tessel/Writer.h"

#include <map>
#include <set>
#include <string_view>
#include <vector>

#include "tessel/Document.h"
#include "tessel/NodeContainer.h"

namespace Tessel {

namespace {

// Answers LookupPrefix(uri) for the element being written, as the tree's own
// lookup would, but from a stack of the namespace declarations met on the
// way down, so that writing stays linear however deep the tree is.
class PrefixResolver {
public:
  explicit PrefixResolver(const Node& start) : m_start(start) {}

  void Enter(const NodeContainer& container) {
    const NamespaceMap& map = container.GetNamespaces();
    if (map.empty()) return;
    ForFirstPrefixes(map, [this](const std::string& uri, const std::string& prefix) {
      m_byURI[uri].push_back(&prefix);
    });
  }

  void Leave(const NodeContainer& container) {
    const NamespaceMap& map = container.GetNamespaces();
    if (map.empty()) return;
    ForFirstPrefixes(map, [this](const std::string& uri, const std::string&) {
      auto it = m_byURI.find(uri);
      it->second.pop_back();
      if (it->second.empty()) m_byURI.erase(it);
    });
  }

  std::string Lookup(const std::string& uri) {
    auto it = m_byURI.find(uri);
    if (it != m_byURI.end()) return *it->second.back();
    // Not declared inside the written subtree: ask above it. Writing a
    // document ends there; an element's parent answers (or, when the
    // element is detached, GetParent throws as the tree's lookup does).
    if (m_start.GetType() == DocumentNode) return std::string();
    auto cached = m_above.find(uri);
    if (cached != m_above.end()) return cached->second;
    std::string prefix = m_start.GetParent().LookupPrefix(uri);
    m_above.emplace(uri, prefix);
    return prefix;
  }

private:
  // Calls f(uri, prefix) once per URI of map, with its first prefix in
  // prefix order: the one LookupPrefix returns for that container.
  template <typename F>
  static void ForFirstPrefixes(const NamespaceMap& map, F f) {
    std::set<std::string_view> seen;
    for (const auto& entry : map) {
      if (seen.insert(entry.second).second) f(entry.second, entry.first);
    }
  }

  const Node& m_start;
  std::map<std::string, std::vector<const std::string*>, std::less<>> m_byURI;
  std::map<std::string, std::string, std::less<>> m_above;
};

class XmlWriter {
public:
  XmlWriter(std::string& out, bool pretty, const Node& start)
      : m_out(out), m_pretty(pretty), m_resolver(start) {}

  void Indent(int depth) {
    if (m_pretty && depth > 0) m_out.append(static_cast<std::size_t>(depth), '\t');
  }
  void LineEnd() {
    if (m_pretty) m_out += '\n';
  }

  void WriteValueNode(const Node& node, int depth) {
    if (const Text* text = node.AsText()) {
      Indent(depth);
      m_out += text->GetValueRef();
      LineEnd();
    } else if (const Comment* comment = node.AsComment()) {
      Indent(depth);
      m_out += "<!--";
      m_out += comment->GetValueRef();
      m_out += "-->";
      LineEnd();
    }
  }

  void WriteAttribute(const Attribute& attribute, const Element* owner) {
    const std::string& uri = attribute.GetNamespaceURIRef();
    if (owner && !uri.empty() && uri != owner->GetNamespaceURIRef()) {
      std::string prefix = m_resolver.Lookup(uri);
      if (!prefix.empty()) {
        m_out += prefix;
        m_out += ':';
      }
    }
    m_out += attribute.GetNameRef();
    m_out += "=\"";
    m_out += attribute.GetValueRef();
    m_out += '"';
  }

  void QualifiedName(const Element& element, std::string& name) {
    const std::string& uri = element.GetNamespaceURIRef();
    if (!uri.empty()) {
      name = m_resolver.Lookup(uri);
      if (!name.empty()) {
        name += ':';
        name += element.GetNameRef();
        return;
      }
    }
    name = element.GetNameRef();
  }

  // Writes the start of element; true when it has content and so is left
  // open (its end tag is written by CloseElement).
  bool OpenElement(const Element& element, int depth, std::string& qname) {
    m_resolver.Enter(element);
    QualifiedName(element, qname);
    Indent(depth);
    m_out += '<';
    m_out += qname;
    for (const auto& entry : element.GetNamespaces()) {
      m_out += " xmlns";
      if (!entry.first.empty()) {
        m_out += ':';
        m_out += entry.first;
      }
      m_out += "=\"";
      m_out += entry.second;
      m_out += '"';
    }
    bool content = false;
    for (const Node* child = element.GetFirstChild(); child; child = child->GetNextSibling()) {
      if (const Attribute* attribute = child->AsAttribute()) {
        m_out += ' ';
        WriteAttribute(*attribute, &element);
      } else {
        content = true;
      }
    }
    if (content) {
      m_out += '>';
      LineEnd();
      return true;
    }
    m_out += "/>";
    LineEnd();
    m_resolver.Leave(element);
    return false;
  }

  void CloseElement(const Element& element, int depth, const std::string& qname) {
    Indent(depth);
    m_out += "</";
    m_out += qname;
    m_out += '>';
    LineEnd();
    m_resolver.Leave(element);
  }

  // The element and its subtree, without recursion.
  void WriteElement(const Element& root, int depth) {
    struct Frame {
      const Element* element;
      const Node* next;  // next child to look at
      int depth;
      std::string qname;
    };
    std::vector<Frame> stack;
    std::string qname;
    if (!OpenElement(root, depth, qname)) return;
    stack.push_back(Frame{&root, root.GetFirstChild(), depth, std::move(qname)});
    while (!stack.empty()) {
      Frame& frame = stack.back();
      const Node* child = frame.next;
      while (child && child->AsAttribute()) child = child->GetNextSibling();
      if (!child) {
        CloseElement(*frame.element, frame.depth, frame.qname);
        stack.pop_back();
        continue;
      }
      frame.next = child->GetNextSibling();
      int childDepth = frame.depth + 1;
      if (const Element* element = child->AsElement()) {
        std::string childName;
        if (OpenElement(*element, childDepth, childName)) {
          stack.push_back(Frame{element, element->GetFirstChild(), childDepth, std::move(childName)});
        }
      } else {
        WriteValueNode(*child, childDepth);
      }
    }
  }

  void WriteDocument(const Document& document, int depth) {
    m_resolver.Enter(document);
    Indent(depth);
    m_out += "<?xml";
    for (const Node* child = document.GetFirstChild(); child; child = child->GetNextSibling()) {
      if (const Attribute* attribute = child->AsAttribute()) {
        m_out += ' ';
        WriteAttribute(*attribute, nullptr);
      }
    }
    m_out += "?>";
    LineEnd();
    for (const Node* child = document.GetFirstChild(); child; child = child->GetNextSibling()) {
      if (child->AsAttribute()) continue;
      if (const Element* element = child->AsElement()) {
        WriteElement(*element, depth);
      } else {
        WriteValueNode(*child, depth);
      }
    }
    m_resolver.Leave(document);
  }

private:
  std::string& m_out;
  bool m_pretty;
  PrefixResolver m_resolver;
};

}  // namespace

void AppendXml(std::string& out, const Node& node, bool pretty, int depth) {
  if (depth < 0) depth = 0;
  if (const Attribute* attribute = node.AsAttribute()) {
    // pretty and depth are not used for an attribute.
    out += attribute->GetQualifiedName();
    out += "=\"";
    out += attribute->GetValueRef();
    out += '"';
    return;
  }
  XmlWriter writer(out, pretty, node);
  if (const Element* element = node.AsElement()) {
    writer.WriteElement(*element, depth);
  } else if (const Document* document = node.AsDocument()) {
    writer.WriteDocument(*document, depth);
  } else {
    writer.WriteValueNode(node, depth);
  }
}

std::string ToString(const Node& node, bool pretty, int depth) {
  std::string out;
  AppendXml(out, node, pretty, depth);
  return out;
}

}  // namespace Tessel
