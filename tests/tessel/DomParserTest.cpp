// The tree builder: what each event becomes, namespaces, errors.
#include "TesselTestSupport.h"

using namespace Tessel;
using TesselTest::ParseDom;

namespace
{

std::vector<int> Types(const NodeContainer& c)
{
    std::vector<int> t;
    for (Node* n : c)
        t.push_back(n->GetType());
    return t;
}

const char kScript[] = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
                       "<script version=\"1.0\"><title>T</title></script>";

}  // namespace

TEST(DomParser, DeclarationBecomesTheDocumentsAttributes)
{
    auto doc = ParseDom(kScript, true);
    EXPECT_EQ(std::vector<int>({0x30, 0x30, 0x60}), Types(*doc));
    EXPECT_EQ("1.0", doc->GetAttribute("version").GetValue());
    EXPECT_EQ("Shift_JIS", doc->GetAttribute("encoding").GetValue());
    Element& root = doc->GetRootElement();
    EXPECT_EQ("script", root.GetName());
    EXPECT_EQ(std::vector<int>({0x30, 0x60}), Types(root));
    EXPECT_EQ("1.0", root.GetAttribute("version").GetValue());
    EXPECT_EQ("T", root.GetElement("title").GetText());
}

TEST(DomParser, WithoutTrimmingWhitespaceBecomesTextNodes)
{
    auto doc = ParseDom(kScript, false);
    EXPECT_EQ(std::vector<int>({0x30, 0x30, 0x10, 0x60}), Types(*doc));
}

TEST(DomParser, FromMemoryGivesTheSameTree)
{
    DOM_Parser parser;
    parser.SetTrimWhitespace(true);
    std::unique_ptr<Document> doc(parser.Parse(std::string_view(kScript)));
    EXPECT_EQ(ParseDom(kScript, true)->ToString(true, 0), doc->ToString(true, 0));
}

TEST(DomParser, EmptyInputGivesAnEmptyDocument)
{
    auto doc = ParseDom("", true);
    EXPECT_EQ(0u, doc->GetChildCount());
    EXPECT_THROW(doc->GetRootElement(), DOM_Exception);
}

TEST(DomParser, EmptyTextFromMemoryGivesAnEmptyDocument)
{
    // Regression: an empty text read the byte before the reader's placeholder
    // line (caught by AddressSanitizer); the zero-size heap block is what the
    // fuzzer hands over for no bytes.
    std::unique_ptr<char[]> none(new char[0]);
    for (std::string_view text : {std::string_view(), std::string_view(none.get(), 0)}) {
        DOM_Parser parser;
        std::unique_ptr<Document> doc(parser.Parse(text));
        EXPECT_EQ(0u, doc->GetChildCount());
    }
}

TEST(DomParser, DeclarationNamesAreNotSplit)
{
    auto doc = ParseDom("<?xml a:b=\"1\" xmlns=\"u\"?><r/>");
    EXPECT_EQ("1", doc->GetAttribute("a:b").GetValue());
    EXPECT_EQ("a:b", doc->GetAttribute("a:b").GetName());
    EXPECT_EQ("u", doc->GetAttribute("xmlns").GetValue());
    EXPECT_TRUE(doc->GetNamespaces().empty());
}

TEST(DomParser, CommentSplitsTextIntoTwoNodes)
{
    auto doc = ParseDom("<a>x<!--c-->y</a>");
    EXPECT_EQ(std::vector<int>({0x10, 0x11, 0x10}), Types(doc->GetRootElement()));
}

TEST(DomParser, EntitiesAreReplacedInTextOnly)
{
    auto doc = ParseDom("<a v=\"&lt;\">&lt;&amp;&gt;</a>");
    EXPECT_EQ("<&>", doc->GetRootElement().GetText());
    EXPECT_EQ("&lt;", doc->GetRootElement().GetAttribute("v").GetValue());
}

TEST(DomParser, DefaultNamespaceAppliesToElementsNotAttributes)
{
    auto doc = ParseDom("<a xmlns=\"urn:d\" xmlns:p=\"urn:p\" k=\"1\"><b/></a>");
    Element& a = doc->GetRootElement();
    EXPECT_EQ("urn:d", a.GetNamespaceURI());
    EXPECT_EQ("urn:d", a.GetElement("b").GetNamespaceURI());
    EXPECT_EQ("", a.GetAttribute("k").GetNamespaceURI());
    NamespaceMap expected = {{"", "urn:d"}, {"p", "urn:p"}};
    EXPECT_EQ(expected, a.GetNamespaces());
    EXPECT_TRUE(a.GetElement("b").GetNamespaces().empty());
}

TEST(DomParser, OnlyEarlierDeclarationsCountForAttributes)
{
    auto late = ParseDom("<a p:x=\"1\" xmlns:p=\"u\"/>");
    EXPECT_EQ("", late->GetRootElement().GetAttribute("x").GetNamespaceURI());
    auto early = ParseDom("<a xmlns:p=\"u\" p:x=\"1\"/>");
    EXPECT_EQ("u", early->GetRootElement().GetAttribute("p:x").GetNamespaceURI());
}

TEST(DomParser, ElementPrefixCountsEveryDeclarationOfItsTag)
{
    auto doc = ParseDom("<p:a p:k=\"1\" xmlns:p=\"u\"/>");
    Element& a = doc->GetRootElement();
    EXPECT_EQ("u", a.GetNamespaceURI());
    EXPECT_EQ("", a.GetAttribute("k").GetNamespaceURI());
}

TEST(DomParser, UndeclaredPrefixGivesNoNamespace)
{
    auto doc = ParseDom("<q:a q:k=\"1\"/>");
    Element& a = doc->GetRootElement();
    EXPECT_EQ("a", a.GetName());
    EXPECT_EQ("", a.GetNamespaceURI());
    EXPECT_EQ("a", a.GetQualifiedName());
    EXPECT_EQ("k", a.GetAttribute("k").GetName());
}

TEST(DomParser, NameIsSplitAtTheFirstColon)
{
    auto doc = ParseDom("<a:b:c xmlns:a=\"u\"/>");
    Element& e = doc->GetRootElement();
    EXPECT_EQ("b:c", e.GetName());
    EXPECT_EQ("u", e.GetNamespaceURI());
    EXPECT_EQ("a:b:c", e.GetQualifiedName());
}

TEST(DomParser, XmlnsComparisonIsCaseSensitive)
{
    auto doc = ParseDom("<a XMLNS:p=\"u\" Xmlns=\"v\"/>");
    Element& a = doc->GetRootElement();
    EXPECT_TRUE(a.GetNamespaces().empty());
    EXPECT_EQ(std::vector<int>({0x30, 0x30}), Types(a));
    EXPECT_EQ("u", a.GetAttribute("p").GetValue());
    EXPECT_EQ("v", a.GetAttribute("Xmlns").GetValue());
}

TEST(DomParser, InnerDeclarationsShadowOuterOnesUntilTheirElementCloses)
{
    auto doc = ParseDom("<a xmlns:p=\"u1\"><p:b xmlns:p=\"u2\"><p:c/></p:b><p:d/></a>");
    Element& a = doc->GetRootElement();
    Element& b = *a.GetFirstChild()->AsElement();
    EXPECT_EQ("u2", b.GetNamespaceURI());
    EXPECT_EQ("u2", b.GetFirstChild()->AsElement()->GetNamespaceURI());
    EXPECT_EQ("u1", a.GetLastChild()->AsElement()->GetNamespaceURI());
}

TEST(DomParser, RepeatedDeclarationInOneTagKeepsTheFirst)
{
    auto doc = ParseDom("<a xmlns:p=\"u1\" xmlns:p=\"u2\"><p:b/></a>");
    EXPECT_EQ("u1", doc->GetRootElement().GetFirstChild()->AsElement()->GetNamespaceURI());
}

TEST(DomParser, ParseErrorLeavesAsTheReportedException)
{
    DOM_Parser parser;
    std::istringstream in("<r>\n<a>&bogus;</a></r>");
    try {
        delete parser.Parse(in);
        FAIL() << "no exception";
    } catch (const ParsingException& e) {
        EXPECT_EQ(0, e.GetCode());
        EXPECT_EQ(4, e.GetColumn());
        TesselTest::ExpectMessage(e.GetMessageText(), "ParsingException", "SAX_Parser",
                                  {"Unexpected token in 4", "(not supported refference)"});
    }
}

TEST(DomParser, MismatchLeavesAsCode6)
{
    DOM_Parser parser;
    try {
        delete parser.Parse(std::string_view("<a></b>"));
        FAIL();
    } catch (const ParsingException& e) {
        EXPECT_EQ(6, e.GetCode());
        EXPECT_STREQ("ParsingException\nEnd tag mismatch with start tag(a) in 6\n", e.what());
    }
}

TEST(DomParser, OnErrorThrowsACopy)
{
    DOM_Parser parser;
    ParsingException original(3, 0, std::string("x\n") + '\0');
    try {
        parser.OnError(original);
        FAIL();
    } catch (const ParsingException& e) {
        EXPECT_NE(&original, &e);
        EXPECT_EQ(3, e.GetColumn());
    }
}

TEST(DomParser, OneParserCanParseAgainAfterAnError)
{
    DOM_Parser parser;
    EXPECT_THROW(delete parser.Parse(std::string_view("<a><b></a>")), ParsingException);
    std::unique_ptr<Document> doc(parser.Parse(std::string_view("<x xmlns:p='u'><p:y/></x>")));
    EXPECT_EQ("u", doc->GetRootElement().GetFirstChild()->AsElement()->GetNamespaceURI());
}

TEST(DomParser, UnclosedElementsStayInTheTree)
{
    auto doc = ParseDom("<a><b>text");
    EXPECT_EQ("text", doc->GetRootElement().GetElement("b").GetText());
}

TEST(DomParser, DeepDocumentStaysLinear)
{
    // 100,000 nested elements under a namespace declaration: building,
    // writing and destroying must neither recurse nor walk up per element.
    std::string text = "<r xmlns=\"urn:d\" xmlns:p=\"urn:p\">";
    const int depth = 100000;
    for (int i = 0; i < depth; ++i)
        text += "<p:e p:a='1'>";
    auto doc = ParseDom(text);
    std::string compact = doc->ToString(false, 0);
    EXPECT_EQ(
        0u, compact.find("<?xml?><r xmlns=\"urn:d\" xmlns:p=\"urn:p\"><p:e a=\"1\"><p:e a=\"1\">"));
}
