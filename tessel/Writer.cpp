#include "tessel/Writer.h"

#include <map>
#include <set>
#include <string_view>
#include <vector>

#include "tessel/Document.h"
#include "tessel/NodeContainer.h"

namespace Tessel
{

namespace
{

// Answers LookupPrefix(uri) for the element being written, as the tree's own
// lookup would, but from a stack of the namespace declarations met on the
// way down, so that writing stays linear however deep the tree is.
class PrefixResolver
{
public:
    explicit PrefixResolver(const Node& start) : m_Start(start) {}

    void Enter(const NodeContainer& container)
    {
        const NamespaceMap& map = container.GetNamespaces();
        if (map.empty())
            return;
        ForFirstPrefixes(map, [this](const std::string& uri, const std::string& prefix) {
            m_ByURI[uri].push_back(&prefix);
        });
    }

    void Leave(const NodeContainer& container)
    {
        const NamespaceMap& map = container.GetNamespaces();
        if (map.empty())
            return;
        ForFirstPrefixes(map, [this](const std::string& uri, const std::string&) {
            auto it = m_ByURI.find(uri);
            it->second.pop_back();
            if (it->second.empty())
                m_ByURI.erase(it);
        });
    }

    std::string Lookup(const std::string& uri)
    {
        auto it = m_ByURI.find(uri);
        if (it != m_ByURI.end())
            return *it->second.back();
        // Not declared inside the written subtree: ask above it. Writing a
        // document ends there; an element's parent answers (or, when the
        // element is detached, GetParent throws as the tree's lookup does).
        if (m_Start.GetType() == DocumentNode)
            return std::string();
        auto cached = m_Above.find(uri);
        if (cached != m_Above.end())
            return cached->second;
        std::string prefix = m_Start.GetParent().LookupPrefix(uri);
        m_Above.emplace(uri, prefix);
        return prefix;
    }

private:
    // Calls f(uri, prefix) once per URI of map, with its first prefix in
    // prefix order: the one LookupPrefix returns for that container.
    template <typename F>
    static void ForFirstPrefixes(const NamespaceMap& map, F f)
    {
        std::set<std::string_view> seen;
        for (const auto& entry : map) {
            if (seen.insert(entry.second).second)
                f(entry.second, entry.first);
        }
    }

    const Node& m_Start;
    std::map<std::string, std::vector<const std::string*>, std::less<>> m_ByURI;
    std::map<std::string, std::string, std::less<>> m_Above;
};

class XmlWriter
{
public:
    XmlWriter(std::string& out, bool pretty, const Node& start)
        : m_Out(out), m_Pretty(pretty), m_Resolver(start)
    {}

    void Indent(int depth)
    {
        if (m_Pretty && depth > 0)
            m_Out.append(static_cast<std::size_t>(depth), '\t');
    }
    void LineEnd()
    {
        if (m_Pretty)
            m_Out += '\n';
    }

    void WriteValueNode(const Node& node, int depth)
    {
        if (const Text* text = node.AsText()) {
            Indent(depth);
            m_Out += text->GetValueRef();
            LineEnd();
        } else if (const Comment* comment = node.AsComment()) {
            Indent(depth);
            m_Out += "<!--";
            m_Out += comment->GetValueRef();
            m_Out += "-->";
            LineEnd();
        }
    }

    void WriteAttribute(const Attribute& attribute, const Element* owner)
    {
        const std::string& uri = attribute.GetNamespaceURIRef();
        if (owner && !uri.empty() && uri != owner->GetNamespaceURIRef()) {
            std::string prefix = m_Resolver.Lookup(uri);
            if (!prefix.empty()) {
                m_Out += prefix;
                m_Out += ':';
            }
        }
        m_Out += attribute.GetNameRef();
        m_Out += "=\"";
        m_Out += attribute.GetValueRef();
        m_Out += '"';
    }

    void QualifiedName(const Element& element, std::string& name)
    {
        const std::string& uri = element.GetNamespaceURIRef();
        if (!uri.empty()) {
            name = m_Resolver.Lookup(uri);
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
    bool OpenElement(const Element& element, int depth, std::string& qname)
    {
        m_Resolver.Enter(element);
        QualifiedName(element, qname);
        Indent(depth);
        m_Out += '<';
        m_Out += qname;
        for (const auto& entry : element.GetNamespaces()) {
            m_Out += " xmlns";
            if (!entry.first.empty()) {
                m_Out += ':';
                m_Out += entry.first;
            }
            m_Out += "=\"";
            m_Out += entry.second;
            m_Out += '"';
        }
        bool content = false;
        for (const Node* child = element.GetFirstChild(); child; child = child->GetNextSibling()) {
            if (const Attribute* attribute = child->AsAttribute()) {
                m_Out += ' ';
                WriteAttribute(*attribute, &element);
            } else {
                content = true;
            }
        }
        if (content) {
            m_Out += '>';
            LineEnd();
            return true;
        }
        m_Out += "/>";
        LineEnd();
        m_Resolver.Leave(element);
        return false;
    }

    void CloseElement(const Element& element, int depth, const std::string& qname)
    {
        Indent(depth);
        m_Out += "</";
        m_Out += qname;
        m_Out += '>';
        LineEnd();
        m_Resolver.Leave(element);
    }

    // The element and its subtree, without recursion.
    void WriteElement(const Element& root, int depth)
    {
        struct Frame
        {
            const Element* element;
            const Node* next;  // next child to look at
            int depth;
            std::string qname;
        };
        std::vector<Frame> stack;
        std::string qname;
        if (!OpenElement(root, depth, qname))
            return;
        stack.push_back(Frame{&root, root.GetFirstChild(), depth, std::move(qname)});
        while (!stack.empty()) {
            Frame& frame = stack.back();
            const Node* child = frame.next;
            while (child && child->AsAttribute())
                child = child->GetNextSibling();
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
                    stack.push_back(
                        Frame{element, element->GetFirstChild(), childDepth, std::move(childName)});
                }
            } else {
                WriteValueNode(*child, childDepth);
            }
        }
    }

    void WriteDocument(const Document& document, int depth)
    {
        m_Resolver.Enter(document);
        Indent(depth);
        m_Out += "<?xml";
        for (const Node* child = document.GetFirstChild(); child; child = child->GetNextSibling()) {
            if (const Attribute* attribute = child->AsAttribute()) {
                m_Out += ' ';
                WriteAttribute(*attribute, nullptr);
            }
        }
        m_Out += "?>";
        LineEnd();
        for (const Node* child = document.GetFirstChild(); child; child = child->GetNextSibling()) {
            if (child->AsAttribute())
                continue;
            if (const Element* element = child->AsElement()) {
                WriteElement(*element, depth);
            } else {
                WriteValueNode(*child, depth);
            }
        }
        m_Resolver.Leave(document);
    }

private:
    std::string& m_Out;
    bool m_Pretty;
    PrefixResolver m_Resolver;
};

}  // namespace

void AppendXml(std::string& out, const Node& node, bool pretty, int depth)
{
    if (depth < 0)
        depth = 0;
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

std::string ToString(const Node& node, bool pretty, int depth)
{
    std::string out;
    AppendXml(out, node, pretty, depth);
    return out;
}

}  // namespace Tessel
