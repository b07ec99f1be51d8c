// The writer (pretty and compact output) and round trips.
#include <algorithm>

#include "TesselTestSupport.h"

using namespace Tessel;
using TesselTest::ParseDom;

namespace
{

const char kScript[] = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
                       "<script version=\"1.0\"><title>T</title></script>";

// A structural dump of a tree, to compare trees after round trips.
std::string Dump(const Node& node)
{
    std::string out;
    std::vector<std::pair<const Node*, int>> stack{{&node, 0}};
    while (!stack.empty()) {
        auto [n, depth] = stack.back();
        stack.pop_back();
        out += std::string(static_cast<std::size_t>(depth), ' ');
        out += std::to_string(n->GetType()) + ":";
        if (const NamedNode* named = n->AsNamedNode())
            out += named->GetName() + "{" + named->GetNamespaceURI() + "}";
        if (const Value* value = n->AsValue())
            out += "=" + value->GetValue();
        out += "\n";
        if (const NodeContainer* c = n->AsContainer()) {
            std::vector<const Node*> children;
            for (Node* child : *c)
                children.push_back(child);
            for (auto it = children.rbegin(); it != children.rend(); ++it)
                stack.emplace_back(*it, depth + 1);
        }
    }
    return out;
}

// The scenario file example, built as the scenario writer builds it.
std::unique_ptr<Document> ExampleScenario()
{
    std::unique_ptr<Document> doc(CreateDocument("script"));
    CreateAttribute("version", "1.0", *doc);
    CreateAttribute("encoding", "Shift_JIS", *doc);
    Element& root = doc->GetRootElement();
    CreateAttribute("version", "1.0", root);
    CreateElement("title", root)->SetText("Morning");
    CreateElement("memo", root)->SetText("");
    Element* cast = CreateElement("cast", root);
    CreateElement("cast_id", *cast)->SetText(FormatString(0, "%ld"));
    CreateElement("name", *cast)->SetText("Taro");
    CreateElement("memo", *cast)->SetText("");
    Element* serif = CreateElement("serif", root);
    CreateElement("cast_id", *serif)->SetText(FormatString(0, "%ld"));
    CreateElement("serif", *serif)->SetText("Hello");
    CreateElement("memo", *serif)->SetText("");
    return doc;
}

}  // namespace

TEST(WriterPretty, DocumentLineByLine)
{
    auto doc = ParseDom(kScript, true);
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
              "<script version=\"1.0\">\n"
              "\t<title>\n"
              "\t\tT\n"
              "\t</title>\n"
              "</script>\n",
              doc->ToString(true, 0));
}

TEST(WriterCompact, DocumentOnOneLine)
{
    auto doc = ParseDom(kScript, true);
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><script "
              "version=\"1.0\"><title>T</title></script>",
              doc->ToString(false, 0));
}

TEST(WriterPretty, ScenarioExampleOfPart12)
{
    auto doc = ExampleScenario();
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
              "<script version=\"1.0\">\n"
              "\t<title>\n\t\tMorning\n\t</title>\n"
              "\t<memo>\n\t\t\n\t</memo>\n"
              "\t<cast>\n"
              "\t\t<cast_id>\n\t\t\t0\n\t\t</cast_id>\n"
              "\t\t<name>\n\t\t\tTaro\n\t\t</name>\n"
              "\t\t<memo>\n\t\t\t\n\t\t</memo>\n"
              "\t</cast>\n"
              "\t<serif>\n"
              "\t\t<cast_id>\n\t\t\t0\n\t\t</cast_id>\n"
              "\t\t<serif>\n\t\t\tHello\n\t\t</serif>\n"
              "\t\t<memo>\n\t\t\t\n\t\t</memo>\n"
              "\t</serif>\n"
              "</script>\n",
              doc->ToString(true, 0));
}

TEST(WriterPretty, OptionFileDefaultsOfPart41)
{
    std::unique_ptr<Document> doc(CreateDocument("Option"));
    CreateAttribute("version", "1.0", *doc);
    CreateAttribute("encoding", "Shift_JIS", *doc);
    Element& root = doc->GetRootElement();
    CreateAttribute("Version", "1.0", root);
    Element* general = CreateElement("General", root);
    CreateAttribute("AddReturn", FormatString(1, "%ld"), *general);
    CreateAttribute("AutoScroll", FormatString(1, "%ld"), *general);
    CreateAttribute("ScrollPos", FormatString(10, "%ld"), *general);
    Element* hotkey = CreateElement("HotKey", root);
    CreateAttribute("HotKey", FormatString(0x77, "%04x"), *hotkey);
    CreateAttribute("KeyWait", FormatString(100, "%ld"), *hotkey);
    Element* colors = CreateElement("Colors", root);
    Element* color = CreateElement("Color", *colors);
    CreateAttribute("Name", "ActiveCast", *color);
    CreateAttribute("TextColor", FormatString(0, "%06x"), *color);
    CreateAttribute("BackColor", FormatString(0xffcccc, "%06x"), *color);
    CreateElement("FileHistories", root);
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
              "<Option Version=\"1.0\">\n"
              "\t<General AddReturn=\"1\" AutoScroll=\"1\" ScrollPos=\"10\"/>\n"
              "\t<HotKey HotKey=\"0077\" KeyWait=\"100\"/>\n"
              "\t<Colors>\n"
              "\t\t<Color Name=\"ActiveCast\" TextColor=\"000000\" BackColor=\"ffcccc\"/>\n"
              "\t</Colors>\n"
              "\t<FileHistories/>\n"
              "</Option>\n",
              doc->ToString(true, 0));
}

TEST(WriterPretty, ElementWithOnlyAttributesIsEmptyElementTag)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element* e = CreateElement("name", doc->GetRootElement());
    CreateAttribute("a", "1", *e);
    EXPECT_EQ("<name a=\"1\"/>\n", e->ToString(true, 0));
    EXPECT_EQ("\t\t<name a=\"1\"/>\n", e->ToString(true, 2));
    EXPECT_EQ("<name a=\"1\"/>", e->ToString(false, 2));
}

TEST(WriterPretty, AttributesAreWrittenInTheTagWhereverTheyStand)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element& root = doc->GetRootElement();
    CreateText("t", root);
    CreateAttribute("late", "1", root);
    EXPECT_EQ("<r late=\"1\">t</r>", root.ToString(false, 0));
}

TEST(WriterPretty, EmptyTextGivesAnIndentedEmptyLine)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element* e = CreateElement("memo", doc->GetRootElement());
    e->SetText("");
    EXPECT_EQ("\t<memo>\n\t\t\n\t</memo>\n", e->ToString(true, 1));
}

TEST(WriterPretty, CommentAtDepthOne)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Node* c = CreateComment(" note ", doc->GetRootElement());
    EXPECT_EQ("\t<!-- note -->\n", c->ToString(true, 1));
    EXPECT_EQ("<r>\n\t<!-- note -->\n</r>\n", doc->GetRootElement().ToString(true, 0));
}

TEST(WriterPretty, TextAndAttributeOnTheirOwn)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Node* t = CreateText("v", doc->GetRootElement());
    EXPECT_EQ("\t\tv\n", t->ToString(true, 2));
    EXPECT_EQ("v", t->ToString(false, 2));
    Attribute* a = CreateAttribute("x", "1", doc->GetRootElement());
    EXPECT_EQ("x=\"1\"", a->ToString(true, 3)) << "pretty and depth are not used";
}

TEST(WriterPretty, NothingIsEscaped)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element& root = doc->GetRootElement();
    CreateAttribute("a", "say \"hi\"", root);
    CreateText("<&>", root);
    EXPECT_EQ("<r a=\"say \"hi\"\"><&></r>", root.ToString(false, 0));
}

TEST(WriterPretty, DocumentWithoutAttributes)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    EXPECT_EQ("<?xml?>\n<r/>\n", doc->ToString(true, 0));
    EXPECT_EQ("<?xml?><r/>", doc->ToString(false, 0));
    EXPECT_EQ("\t<?xml?>\n\t<r/>\n", doc->ToString(true, 1)) << "children at the document's depth";
    Document empty;
    EXPECT_EQ("<?xml?>\n", empty.ToString(true, 0));
}

TEST(WriterPretty, FreeFunctionDefaultsToPrettyDepthZero)
{
    auto doc = ParseDom(kScript, true);
    EXPECT_EQ(doc->ToString(true, 0), ToString(*doc));
    std::string out = "x";
    AppendXml(out, *doc, false, 0);
    EXPECT_EQ("x" + doc->ToString(false, 0), out);
}

TEST(WriterNamespaces, DefaultNamespaceRoundTrip)
{
    auto doc = ParseDom("<a xmlns=\"urn:d\" xmlns:p=\"urn:p\"><b/></a>");
    EXPECT_EQ("<?xml?>\n<a xmlns=\"urn:d\" xmlns:p=\"urn:p\">\n\t<b/>\n</a>\n",
              doc->ToString(true, 0));
}

TEST(WriterNamespaces, PrefixesFromTheDeclarationsInScope)
{
    auto doc = ParseDom(
        "<p:a xmlns:p=\"urn:p\" xmlns:q=\"urn:q\" p:x=\"1\" q:y=\"2\" z=\"3\"><q:b/></p:a>");
    EXPECT_EQ("<p:a xmlns:p=\"urn:p\" xmlns:q=\"urn:q\" x=\"1\" q:y=\"2\" z=\"3\"><q:b/></p:a>",
              doc->GetRootElement().ToString(false, 0));
    // Written from the inner element, the prefix comes from above it.
    EXPECT_EQ("<q:b/>", doc->GetRootElement()
                            .GetFirstChild()
                            ->GetNextSibling()
                            ->GetNextSibling()
                            ->GetNextSibling()
                            ->ToString(false, 0));
}

TEST(WriterNamespaces, SameAnswersAsGetQualifiedName)
{
    auto doc = ParseDom(
        "<r xmlns:b=\"u\" xmlns:a=\"u\"><b:x xmlns:c=\"v\"><c:y a:k=\"1\"/></b:x><b:z/></r>");
    // Every element's written name is its GetQualifiedName.
    std::string text = doc->ToString(false, 0);
    EXPECT_EQ(
        "<?xml?><r xmlns:a=\"u\" xmlns:b=\"u\"><a:x xmlns:c=\"v\"><c:y a:k=\"1\"/></a:x><a:z/></r>",
        text);
    Element& x = *doc->GetRootElement().GetFirstChild()->AsElement();
    EXPECT_EQ("a:x", x.GetQualifiedName());
}

TEST(WriterNamespaces, DetachedElementInAnUndeclaredNamespaceThrowsLikeTheLookup)
{
    Element e("e", "urn:u");
    EXPECT_THROW(e.GetQualifiedName(), DOM_Exception);
    EXPECT_THROW(e.ToString(false, 0), DOM_Exception);
    e.DeclareNamespace("u", "urn:u");
    EXPECT_EQ("<u:e xmlns:u=\"urn:u\"/>", e.ToString(false, 0));
}

TEST(WriterDeep, DeepTreeIsWrittenWithoutRecursion)
{
    std::unique_ptr<Document> doc(CreateDocument("r"));
    Element* e = &doc->GetRootElement();
    const int depth = 200000;
    for (int i = 0; i < depth; ++i)
        e = CreateElement("d", *e);
    std::string text = doc->GetRootElement().ToString(false, 0);
    EXPECT_EQ(7u * depth + 4u, text.size());  // <r>, d x depth (the last <d/>), </r>
    EXPECT_EQ("<r><d><d>", text.substr(0, 9));
}

// ---- round trips -------------------------------------------------------------

TEST(WriterRoundTrip, PrettyThenTrimmedParseGivesTheSameTree)
{
    auto doc = ExampleScenario();
    std::string text = doc->ToString(true, 0);
    auto again = ParseDom(text, true);
    // Empty values come back as no Text node at all; everything else equal.
    auto expected = ExampleScenario();
    for (const char* path : {"memo"}) {
        Element& memo = expected->GetRootElement().GetElement(path);
        memo.GetFirstChild()->Release();
    }
    for (const char* parent : {"cast", "serif"}) {
        Element& p = expected->GetRootElement().GetElement(parent);
        p.GetElement("memo").GetFirstChild()->Release();
    }
    // The factories append the declaration's attributes after the root; the
    // parser puts them first. Written, both give the same declaration line.
    EXPECT_EQ(Dump(expected->GetRootElement()), Dump(again->GetRootElement()));
    EXPECT_EQ("1.0", again->GetAttribute("version").GetValue());
    EXPECT_EQ("Shift_JIS", again->GetAttribute("encoding").GetValue());
    std::string second = again->ToString(true, 0);
    EXPECT_EQ(second, ParseDom(second, true)->ToString(true, 0)) << "stable after one trip";
}

TEST(WriterRoundTrip, CompactThenUntrimmedParseGivesTheSameTree)
{
    const std::string text = "<?xml version=\"1.0\"?><r xmlns:p=\"urn:p\" xmlns:q=\"urn:q\" "
                             "k=\"v\"> a <p:b q:x=\"1\"/><!-- c -->\n"
                             "<c>t\tu</c></r>";
    auto doc = ParseDom(text, false);
    auto again = ParseDom(doc->ToString(false, 0), false);
    EXPECT_EQ(Dump(*doc), Dump(*again));
    EXPECT_EQ(doc->ToString(false, 0), again->ToString(false, 0));
}

TEST(WriterRoundTrip, ShiftJisScenarioFile)
{
    // A scenario as saved on Windows: Shift_JIS, CR LF; read in text mode.
    std::string file = TesselTest::ReadDataFile("scenario_sjis.xml");
    ASSERT_FALSE(file.empty());
    std::string text = TesselTest::TextMode(file);
    auto doc = ParseDom(text, true);
    Element& root = doc->GetRootElement();
    EXPECT_EQ("1.0", root.GetAttribute("version").GetValue());
    // "表示" (display) and "ソース" (source): trail bytes 0x5C.
    EXPECT_EQ("\x95\x5c\x8e\xa6\x83\x5c\x81\x5b\x83\x58", root.GetElement("title").GetText());
    EXPECT_EQ(3, static_cast<int>(std::count_if(root.begin(), root.end(), [](Node* n) {
                  return n->AsElement() && n->AsElement()->GetName() == "serif";
              })));
    Element& second = root.GetElement("serif", 1);
    EXPECT_EQ("a&lt;b &amp; &quot;c&quot;",
              EscapeEntitiesCopy(second.GetElement("serif").GetText()));
    // Escaped again and set on every value element, as the scenario writer
    // does, it is written as the same file, up to the line ends.
    std::vector<Element*> work{&root};
    while (!work.empty()) {
        Element* e = work.back();
        work.pop_back();
        bool leaf = true;
        for (Node* n : *e) {
            if (Element* child = n->AsElement()) {
                work.push_back(child);
                leaf = false;
            }
        }
        if (leaf)
            e->SetText(EscapeEntitiesCopy(e->GetText()));
    }
    EXPECT_EQ(text, doc->ToString(true, 0));
}

TEST(WriterRoundTrip, OptionFile)
{
    std::string text = TesselTest::TextMode(TesselTest::ReadDataFile("option.xml"));
    auto doc = ParseDom(text, true);
    EXPECT_EQ(text, doc->ToString(true, 0));
    Element& color = doc->GetRootElement().GetElement("Colors").GetElement("Color", 1);
    EXPECT_EQ("Warn", color.GetAttribute("Name").GetValue());
}
