// The tree: types, factories, positions, ownership, lookups,
// namespaces, Clone and the DOM_Exception texts.
#include <typeinfo>

#include "TesselTestSupport.h"

using namespace Tessel;
using TesselTest::ParseDom;

namespace
{

// Child types of a container, in order, as hex codes.
std::vector<int> Types(const NodeContainer& c)
{
    std::vector<int> t;
    for (Node* n : c)
        t.push_back(n->GetType());
    return t;
}

void ExpectDomError(const DOM_Exception& e, int code, const Node* node, const std::string& file,
                    const std::string& text)
{
    EXPECT_EQ(code, e.GetCode());
    EXPECT_EQ(node, e.GetNode());
    TesselTest::ExpectMessage(e.GetMessageText(), "DOM_Exception", file, {text});
}

int g_textsDestroyed = 0;
struct CountedText : Text
{
    explicit CountedText(std::string v) : Text(std::move(v)) {}
    ~CountedText() override { ++g_textsDestroyed; }
};

}  // namespace

TEST(DomTypes, CodesAreBuiltFromBits)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element& root = doc->GetRootElement();
    Attribute* a = CreateAttribute("a", "1", root);
    Node* t = CreateText("t", root);
    Node* c = CreateComment("c", root);
    EXPECT_EQ(0x40, doc->GetType());
    EXPECT_EQ(0x60, root.GetType());
    EXPECT_EQ(0x30, a->GetType());
    EXPECT_EQ(0x10, t->GetType());
    EXPECT_EQ(0x11, c->GetType());
    EXPECT_EQ(ElementNode, NodeHasName | NodeHasChildren);
    EXPECT_EQ(AttributeNode, NodeHasName | NodeHasValue);
    EXPECT_EQ(CommentNode, TextNode | NodeIsComment);
}

TEST(DomTypes, ConversionsMatchTheType)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element& root = doc->GetRootElement();
    Node* t = CreateText("t", root);
    EXPECT_EQ(&root, root.AsElement());
    EXPECT_EQ(nullptr, t->AsElement());
    EXPECT_NE(nullptr, t->AsText());
    EXPECT_NE(nullptr, t->AsValue());
    EXPECT_EQ(nullptr, t->AsComment());
    EXPECT_EQ(doc.get(), doc->AsDocument());
    EXPECT_NE(nullptr, root.AsNamedNode());
    EXPECT_NE(nullptr, root.AsContainer());
    EXPECT_EQ(dynamic_cast<Text*>(t), t->AsText());
}

TEST(DomFactories, CreateDocumentHoldsOneRootElement)
{
    std::unique_ptr<Document> doc(CreateDocument("script"));
    EXPECT_EQ(std::vector<int>({0x60}), Types(*doc));
    Element& root = doc->GetRootElement();
    EXPECT_EQ("script", root.GetName());
    EXPECT_EQ("", root.GetNamespaceURI());
    EXPECT_EQ(doc.get(), &root.GetParent());
    EXPECT_THROW(doc->GetParent(), DOM_Exception);
}

TEST(DomFactories, PositionInsertsBeforeAChildAndEndAppends)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element& root = doc->GetRootElement();
    Element* b = CreateElement("b", root, root.end());
    CreateElement("a", root, root.begin());
    CreateElement("d", root, root.end());
    NodeIterator at_d = root.begin();
    ++at_d;
    ++at_d;
    CreateElement("c", root, at_d);
    std::string names;
    for (Node* n : root)
        names += n->AsElement()->GetName();
    EXPECT_EQ("abcd", names);
    EXPECT_EQ(b, root.GetElement("b").AsElement());
    std::string backwards;
    for (NodeIterator it = root.end(); it != root.begin();) {
        --it;
        backwards += (*it)->AsElement()->GetName();
    }
    EXPECT_EQ("dcba", backwards);
    EXPECT_EQ(4u, root.GetChildCount());
}

TEST(DomFactories, TextAndCommentAtPositions)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element& root = doc->GetRootElement();
    CreateText("2", root);
    CreateComment("1", root, root.begin());
    EXPECT_EQ(std::vector<int>({0x11, 0x10}), Types(root));
    EXPECT_EQ("1", root.GetFirstChild()->AsComment()->GetValue());
}

TEST(DomFactories, ValuesAreStoredUnchanged)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Attribute* a = CreateAttribute("n", "a<&\"b", doc->GetRootElement());
    EXPECT_EQ("a<&\"b", a->GetValue());
}

TEST(DomFactories, NoDuplicateCheck)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element& root = doc->GetRootElement();
    CreateAttribute("x", "1", root);
    CreateAttribute("x", "2", root);
    EXPECT_EQ("1", root.GetAttribute("x").GetValue()) << "the first one is found";
    EXPECT_EQ(2u, root.GetChildCount());
}

TEST(DomLookups, GetElementCountsMatchesFromZero)
{
    auto doc = ParseDom("<s><title/><cast>1</cast><cast>2</cast><serif/></s>");
    Element& root = doc->GetRootElement();
    EXPECT_EQ("1", root.GetElement("cast", 0).GetText());
    EXPECT_EQ("2", root.GetElement("cast", 1).GetText());
    for (std::size_t n : {2u, 5u}) {
        try {
            root.GetElement("cast", n);
            FAIL() << "no exception for " << n;
        } catch (const DOM_Exception& e) {
            ExpectDomError(e, 8, &root, "NodeContainer", "Element not found(cast)");
        }
    }
    EXPECT_EQ(nullptr, root.FindElement("cast", 2));
    EXPECT_EQ(&root.GetElement("serif"), root.FindElement("serif"));
}

TEST(DomLookups, GetAttributeIsCaseSensitive)
{
    auto doc = ParseDom("<s version=\"1.0\"/>");
    Element& root = doc->GetRootElement();
    EXPECT_EQ("1.0", root.GetAttribute("version").GetValue());
    try {
        root.GetAttribute("Version");
        FAIL();
    } catch (const DOM_Exception& e) {
        ExpectDomError(e, 8, &root, "NodeContainer", "Attribute not found(Version)");
    }
    EXPECT_EQ(nullptr, root.FindAttribute("Version"));
}

TEST(DomLookups, GetElementIgnoresAttributesOfTheSameName)
{
    auto doc = ParseDom("<s cast=\"x\"><cast/></s>");
    Element& root = doc->GetRootElement();
    EXPECT_EQ(0x60, root.GetElement("cast").GetType());
    EXPECT_THROW(root.GetElement("cast", 1), DOM_Exception);
    EXPECT_EQ(0x30, root.GetAttribute("cast").GetType());
}

TEST(DomLookups, GetTextJoinsTextChildrenOnly)
{
    auto doc = ParseDom("<a>x<!--c-->y<b/>z</a>", false);
    Element& a = doc->GetRootElement();
    EXPECT_EQ("xyz", a.GetText());
    EXPECT_EQ("", doc->GetRootElement().GetElement("b").GetText());
}

TEST(DomLookups, SetTextReplacesTextChildrenOnly)
{
    auto doc = ParseDom("<a k=\"v\">x<!--c-->y<b/>z</a>", false);
    Element& a = doc->GetRootElement();
    a.SetText("new");
    EXPECT_EQ(std::vector<int>({0x30, 0x11, 0x60, 0x10}), Types(a));
    EXPECT_EQ("new", a.GetLastChild()->AsText()->GetValue());
    EXPECT_EQ("new", a.GetText());
}

TEST(DomLookups, SetTextEmptyLeavesAnEmptyTextChild)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element& root = doc->GetRootElement();
    root.SetText("");
    EXPECT_EQ(std::vector<int>({0x10}), Types(root));
    EXPECT_EQ("", root.GetText());
}

TEST(DomLookups, RootElementNotFound)
{
    auto doc = ParseDom("<?xml version=\"1.0\"?><!--only a comment-->", true);
    // The comment after the declaration is before any root, so it is kept.
    EXPECT_EQ(std::vector<int>({0x30, 0x11}), Types(*doc));
    try {
        doc->GetRootElement();
        FAIL();
    } catch (const DOM_Exception& e) {
        ExpectDomError(e, 8, doc.get(), "Document", "RootNode not found");
    }
}

TEST(DomLookups, ParentNotFound)
{
    Element detached("x");
    try {
        detached.GetParent();
        FAIL();
    } catch (const DOM_Exception& e) {
        ExpectDomError(e, 7, &detached, "Node", "Parent not found.");
    }
    EXPECT_EQ(nullptr, detached.GetParentPointer());
}

TEST(DomAppendChild, AppendsAndSetsTheParent)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element& root = doc->GetRootElement();
    Element* e = new Element("e");
    root.AppendChild(e);
    EXPECT_EQ(&root, &e->GetParent());
    EXPECT_EQ(e, root.GetLastChild());
}

TEST(DomAppendChild, SamePointerTwiceIsCode9AndLeavesOneEntry)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element& root = doc->GetRootElement();
    Node* t = new Text("t");
    root.AppendChild(t);
    try {
        root.AppendChild(t);
        FAIL();
    } catch (const DOM_Exception& e) {
        ExpectDomError(e, 9, &root, "NodeContainer", "Pointer duplication");
    }
    EXPECT_EQ(1u, root.GetChildCount());
}

TEST(DomAppendChild, NodeOfAnotherContainerIsRefused)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element& root = doc->GetRootElement();
    Element* a = CreateElement("a", root);
    Element* b = CreateElement("b", root);
    Node* t = CreateText("t", *a);
    try {
        b->AppendChild(t);
        FAIL();
    } catch (const DOM_Exception& e) {
        ExpectDomError(e, 9, b, "NodeContainer", "Node belongs to another container");
    }
    EXPECT_EQ(a, &t->GetParent());
    EXPECT_EQ(1u, a->GetChildCount());
    EXPECT_EQ(0u, b->GetChildCount());
}

TEST(DomAppendChild, CyclesNullAndDocumentsAreRefused)
{
    std::unique_ptr<Element> top(new Element("top"));
    Element* inner = CreateElement("inner", *top);
    EXPECT_THROW(inner->AppendChild(top.get()), DOM_Exception);
    EXPECT_THROW(top->AppendChild(top.get()), DOM_Exception);
    EXPECT_THROW(top->AppendChild(nullptr), DOM_Exception);
    std::unique_ptr<Document> doc(new Document);
    EXPECT_THROW(top->AppendChild(doc.get()), DOM_Exception);
    EXPECT_EQ(1u, top->GetChildCount());
    EXPECT_FALSE(doc->HasParent());
}

TEST(DomOwnership, ReleaseDetachesAtOnce)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element& root = doc->GetRootElement();
    Element* a = CreateElement("a", root);
    CreateElement("b", *a);
    CreateElement("c", root);
    a->Release();
    EXPECT_EQ(1u, root.GetChildCount());
    EXPECT_EQ("c", root.GetFirstChild()->AsElement()->GetName());
    // doc's destruction must not touch a again (checked by the sanitizers).
}

TEST(DomOwnership, DestroyingADocumentDestroysTheWholeTree)
{
    g_textsDestroyed = 0;
    Document* doc = CreateDocument("r");
    Element& root = doc->GetRootElement();
    Element* a = CreateElement("a", root);
    Element* b = CreateElement("b", *a);
    b->AppendChild(new CountedText("1"));
    a->AppendChild(new CountedText("2"));
    root.AppendChild(new CountedText("3"));
    doc->Release();
    EXPECT_EQ(3, g_textsDestroyed);
}

TEST(DomOwnership, DeepTreesAreDestroyedWithoutRecursion)
{
    g_textsDestroyed = 0;
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element* e = &doc->GetRootElement();
    for (int i = 0; i < 300000; ++i)
        e = CreateElement("d", *e);
    e->AppendChild(new CountedText("leaf"));
    doc.reset();
    EXPECT_EQ(1, g_textsDestroyed);
}

TEST(DomNamespaces, PrefixedElementAndAttributes)
{
    auto doc = ParseDom("<p:a xmlns:p=\"urn:x\" q=\"1\" p:r=\"2\"/>");
    Element& a = doc->GetRootElement();
    EXPECT_EQ("a", a.GetName());
    EXPECT_EQ("urn:x", a.GetNamespaceURI());
    EXPECT_EQ("p:a", a.GetQualifiedName());
    Attribute& q = a.GetAttribute("q");
    EXPECT_EQ("", q.GetNamespaceURI());
    EXPECT_EQ("q", q.GetQualifiedName());
    Attribute& r = a.GetAttribute("r");
    EXPECT_EQ("urn:x", r.GetNamespaceURI());
    EXPECT_EQ("r", r.GetQualifiedName()) << "in its element's own namespace: no prefix";
    EXPECT_EQ(std::vector<int>({0x30, 0x30}), Types(a)) << "declarations are no attribute nodes";
}

TEST(DomNamespaces, AttributeInAnotherNamespaceGetsItsPrefix)
{
    auto doc = ParseDom("<a xmlns:p=\"urn:p\" p:x=\"1\"/>");
    Attribute& x = doc->GetRootElement().GetAttribute("p:x");
    EXPECT_EQ("x", x.GetName());
    EXPECT_EQ("urn:p", x.GetNamespaceURI());
    EXPECT_EQ("p:x", x.GetQualifiedName());
}

TEST(DomNamespaces, UndeclaredUriGivesTheBareName)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element* a = CreateElement("a", "urn:y", doc->GetRootElement(), doc->GetRootElement().end());
    EXPECT_EQ("a", a->GetQualifiedName());
    EXPECT_EQ("urn:y", a->GetNamespaceURI());
}

TEST(DomNamespaces, DetachedAttributeHasNoQualifiedName)
{
    Attribute a("x", "1");
    try {
        a.GetQualifiedName();
        FAIL();
    } catch (const DOM_Exception& e) {
        ExpectDomError(e, 7, &a, "Node", "Parent not found.");
    }
}

TEST(DomNamespaces, LookupsWalkUpToTheDocument)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element& root = doc->GetRootElement();
    root.DeclareNamespace("p", "urn:p");
    root.DeclareNamespace("", "urn:d");
    Element* child = CreateElement("c", root);
    EXPECT_EQ("urn:p", child->LookupNamespaceURI("p"));
    EXPECT_EQ("urn:d", child->LookupNamespaceURI(""));
    EXPECT_EQ("", child->LookupNamespaceURI("q"));
    EXPECT_EQ("p", child->LookupPrefix("urn:p"));
    EXPECT_EQ("", child->LookupPrefix("urn:none"));
    doc->DeclareNamespace("z", "urn:z");
    EXPECT_EQ("", doc->LookupNamespaceURI("z")) << "a document answers the empty string";
    EXPECT_EQ("z", child->LookupPrefix("urn:z"));
}

TEST(DomNamespaces, LookupPrefixTakesTheFirstPrefixInOrder)
{
    Element e("e");
    e.DeclareNamespace("b", "urn:u");
    e.DeclareNamespace("a", "urn:u");
    EXPECT_EQ("a", e.LookupPrefix("urn:u"));
}

TEST(DomNamespaces, EarlierDeclarationStays)
{
    Element e("e");
    e.DeclareNamespace("p", "urn:1");
    e.DeclareNamespace("p", "urn:2");
    EXPECT_EQ("urn:1", e.LookupNamespaceURI("p"));
    EXPECT_EQ(1u, e.GetNamespaces().size());
}

TEST(DomNamespaces, DetachedElementLookupThrowsCode7)
{
    Element e("e");
    EXPECT_THROW(e.LookupNamespaceURI("p"), DOM_Exception);
    Element* inner = CreateElement("i", "urn:u", e, e.end());
    EXPECT_THROW(inner->GetQualifiedName(), DOM_Exception);
    e.DeclareNamespace("u", "urn:u");
    EXPECT_EQ("u:i", inner->GetQualifiedName());
}

TEST(DomClone, ElementWithSubtreeAtAPosition)
{
    auto doc = ParseDom("<r xmlns:p=\"urn:p\"><p:a k=\"v\">t<!--c--><b/></p:a><z/></r>", false);
    Element& root = doc->GetRootElement();
    Element& a = root.GetElement("p:a");
    Node* copy = a.Clone(root, root.begin());
    ASSERT_NE(nullptr, copy->AsElement());
    EXPECT_EQ(root.GetFirstChild(), copy);
    EXPECT_EQ("a", copy->AsElement()->GetName());
    EXPECT_EQ("urn:p", copy->AsElement()->GetNamespaceURI());
    EXPECT_EQ(Types(a), Types(*copy->AsElement()));
    EXPECT_EQ("t", copy->AsElement()->GetText());
    EXPECT_EQ("v", copy->AsElement()->GetAttribute("k").GetValue());
    EXPECT_TRUE(copy->AsElement()->GetNamespaces().empty());
    EXPECT_EQ(a.ToString(false, 0), copy->ToString(false, 0));
}

TEST(DomClone, AttributeIsAppendedWhateverThePosition)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element& root = doc->GetRootElement();
    Element* e = CreateElement("e", root);
    Attribute* a = CreateAttribute("x", "urn:x", "1", root);
    Node* copy = a->Clone(*e, e->begin());
    EXPECT_EQ(e->GetLastChild(), copy);
    EXPECT_EQ("urn:x", copy->AsAttribute()->GetNamespaceURI());
    EXPECT_EQ("1", copy->AsAttribute()->GetValue());
}

TEST(DomClone, TextIntoADocumentIsABadCast)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Node* t = CreateText("t", doc->GetRootElement());
    Document other;
    EXPECT_THROW(t->Clone(other, other.end()), std::bad_cast);
    EXPECT_EQ(0u, other.GetChildCount());
}

TEST(DomClone, DocumentCopiesEveryChild)
{
    auto doc = ParseDom("<?xml version=\"1.0\"?><r a=\"1\"><!--c--><x>t</x></r>");
    std::unique_ptr<Node> copy(doc->Clone(*doc, doc->end()));
    ASSERT_NE(nullptr, copy->AsDocument());
    EXPECT_NE(doc.get(), copy.get());
    EXPECT_FALSE(copy->HasParent());
    EXPECT_EQ(doc->ToString(true, 0), copy->ToString(true, 0));
    EXPECT_EQ(Types(*doc), Types(*copy->AsDocument()));
}

TEST(DomClone, DocumentWithTextChildIsABadCast)
{
    auto doc = ParseDom("<?xml version=\"1.0\"?>\n<r/>", false);
    EXPECT_EQ(std::vector<int>({0x30, 0x10, 0x60}), Types(*doc));
    EXPECT_THROW(doc->CloneDocument(), std::bad_cast);
}

TEST(DomClone, DeepElementIsClonedWithoutRecursion)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element* e = &doc->GetRootElement();
    for (int i = 0; i < 200000; ++i)
        e = CreateElement("d", *e);
    CreateText("leaf", *e);
    std::unique_ptr<Node> copy(doc->Clone(*doc, doc->end()));
    const Node* n = copy->AsDocument()->GetFirstChild();
    int depth = 0;
    while (n->AsElement() && n->AsElement()->GetFirstChild()) {
        n = n->AsElement()->GetFirstChild();
        ++depth;
    }
    EXPECT_EQ(200001, depth);
    EXPECT_EQ(0x10, n->GetType());
}

TEST(DomExceptions, NothingChangesWhenThrown)
{
    auto doc = ParseDom("<r><a/></r>");
    std::string before = doc->ToString(false, 0);
    EXPECT_THROW(doc->GetRootElement().GetElement("b"), DOM_Exception);
    EXPECT_THROW(doc->GetRootElement().GetAttribute("b"), DOM_Exception);
    Node* a = doc->GetRootElement().GetFirstChild();
    EXPECT_THROW(doc->GetRootElement().AppendChild(a), DOM_Exception);
    EXPECT_EQ(before, doc->ToString(false, 0));
}

TEST(DomExceptions, CodesHaveNames)
{
    EXPECT_STREQ("ParentNotFound", ErrorCodeName(7));
    EXPECT_STREQ("NotFound", ErrorCodeName(8));
    EXPECT_STREQ("PointerDuplication", ErrorCodeName(9));
    EXPECT_STREQ("EndTagMismatch", ErrorCodeName(6));
    EXPECT_STREQ("Unknown", ErrorCodeName(1));
}
