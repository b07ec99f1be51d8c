// The SAX parser: events, trimming, entities, declarations,
// comments, every error with its code, column and message lines, and the
// state machine's recovery when OnError answers false.
#include "TesselTestSupport.h"

using namespace Tessel;
using TesselTest::Events;
using TesselTest::Sax;

namespace
{

const std::vector<bool> kGoOn = {false};

// The first error of parsing text (stopping at it): code, column, lines.
void ExpectFirstError(const std::string& text, int code, int column,
                      const std::vector<std::string>& lines, bool location = true)
{
    TesselTest::SaxResult r = Sax(text);
    EXPECT_FALSE(r.ok) << text;
    ASSERT_EQ(1u, r.errors.size()) << text;
    EXPECT_EQ(code, r.errors[0].GetCode()) << text;
    EXPECT_EQ(column, r.errors[0].GetColumn()) << text;
    TesselTest::ExpectMessage(r.errors[0].GetMessageText(), "ParsingException",
                              location ? "SAX_Parser" : "", lines);
}

}  // namespace

// ---- events -------------------------------------------------------------

TEST(SaxEvents, ArriveInDocumentOrder)
{
    auto r = Sax("<a x=\"1\"><b/>t</a>");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"start a [x=1]", "start b []", "end b", "chars t", "end a"}), r.events);
}

TEST(SaxEvents, EmptyElementTagAsWholeDocument)
{
    auto r = Sax("<a/>");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"start a []", "end a"}), r.events);
}

TEST(SaxEvents, WhitespaceAfterLessIsSkipped)
{
    auto r = Sax("< a></a>");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"start a []", "end a"}), r.events);
}

TEST(SaxEvents, WhitespaceInsideTagsIsSkipped)
{
    auto r = Sax("<a\n\tx = 'v'\n\t><b / ></a >");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"start a [x=v]", "start b []", "end b", "end a"}), r.events);
}

TEST(SaxEvents, UnclosedElementsAtEndOfInputAreAccepted)
{
    auto r = Sax("<a><b>");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"start a []", "start b []"}), r.events);
}

TEST(SaxEvents, TextBetweenElementsIsItsOwnRunWithoutTrimming)
{
    auto r = Sax("<a>\n<b/></a>");
    EXPECT_EQ(Events({"start a []", "chars \n", "start b []", "end b", "end a"}), r.events);
}

TEST(SaxEvents, AttributesKeepTheirOrderNamesAndRawValues)
{
    auto r = Sax("<p:a xmlns:p=\"urn:x\" q='1' p:r=\"x &amp; y\"/>");
    EXPECT_EQ(Events({"start p:a [xmlns:p=urn:x,q=1,p:r=x &amp; y]", "end p:a"}), r.events);
}

TEST(SaxEvents, OtherQuoteInsideAValueIsText)
{
    auto r = Sax("<a t='say \"hi\"' u=\"it's\"/>");
    EXPECT_EQ(Events({"start a [t=say \"hi\",u=it's]", "end a"}), r.events);
}

TEST(SaxEvents, ValueMayRunOverSeveralLines)
{
    auto r = Sax("<a v=\"x\n  y\"/>");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"start a [v=x\n  y]", "end a"}), r.events);
}

TEST(SaxEvents, ShiftJisTextPassesThroughUntouched)
{
    std::string sjis = "\x95\x5c\x8e\xa6\x83\x5c";  // trail bytes 0x5C, 0xA6, 0x5C
    auto r = Sax("<a n=\"" + sjis + "\">" + sjis + "</a>");
    EXPECT_EQ(std::vector<std::string>({"start a [n=" + sjis + "]", "chars " + sjis, "end a"}),
              r.events);
}

TEST(SaxEvents, CarriageReturnStaysInCharacterData)
{
    auto r = Sax("<a>\r\n\tx\r\n</a>", true);
    // CR is text: trimming skips nothing before it and removes only the LF
    // at the end.
    EXPECT_EQ(Events({"start a []", "chars \r\n\tx\r", "end a"}), r.events);
}

// ---- trimming -----------------------------------------------------------

TEST(SaxTrim, CutsLeadingAndTrailingWhitespace)
{
    auto r = Sax("<a>\n\t\thello\n\t</a>", true);
    EXPECT_EQ(Events({"start a []", "chars hello", "end a"}), r.events);
}

TEST(SaxTrim, KeepsInnerWhitespace)
{
    auto r = Sax("<a> \t x \n y \t</a>", true);
    EXPECT_EQ(Events({"start a []", "chars x \n y", "end a"}), r.events);
}

TEST(SaxTrim, WhitespaceOnlyElementGivesNoCharacters)
{
    auto r = Sax("<a>\n\t \n</a>", true);
    EXPECT_EQ(Events({"start a []", "end a"}), r.events);
}

TEST(SaxTrim, OffReportsWhitespaceUnchanged)
{
    auto r = Sax("<a>\n\t\thello\n\t</a>", false);
    EXPECT_EQ(Events({"start a []", "chars \n\t\thello\n\t", "end a"}), r.events);
}

TEST(SaxTrim, DoesNotApplyToComments)
{
    auto r = Sax("<a><!--\n x \n--></a>", true);
    EXPECT_EQ(Events({"start a []", "comment \n x \n", "end a"}), r.events);
}

TEST(SaxTrim, EntityResultIsNotTrimmed)
{
    auto r = Sax("<a> x&#32;</a>", true, kGoOn);
    // An unsupported reference gives no character; trailing spaces of the
    // collected text go, inner ones stay.
    EXPECT_EQ("chars x", r.events[2]);
}

// ---- entities -----------------------------------------------------------

TEST(SaxEntities, FivePredefinedReferencesIgnoringCase)
{
    auto r = Sax("<a>&lt;&GT;&Amp;&quot;&APOS;</a>");
    EXPECT_EQ(Events({"start a []", "chars <>&\"'", "end a"}), r.events);
}

TEST(SaxEntities, ReferenceInsideText)
{
    auto r = Sax("<a>x &LT; y</a>");
    EXPECT_EQ(Events({"start a []", "chars x < y", "end a"}), r.events);
}

TEST(SaxEntities, WhitespaceAfterAmpersandIsSkipped)
{
    auto r = Sax("<a>& lt;</a>");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"start a []", "chars <", "end a"}), r.events);
}

TEST(SaxEntities, MissingSemicolonIsReportedAndTheTokenConsumed)
{
    auto r = Sax("<a>&lt x</a>", false, kGoOn);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"start a []", "error 0 6", "chars <x", "end a"}), r.events);
    TesselTest::ExpectMessage(r.errors[0].GetMessageText(), "ParsingException", "SAX_Parser",
                              {"Unexpected token in 6", "(expected ';')"});
}

TEST(SaxEntities, CharacterReferencesAreNotSupported)
{
    auto r = Sax("<a>&#60;</a>", false, kGoOn);
    EXPECT_EQ(Events({"start a []", "error 0 4", "end a"}), r.events);
    TesselTest::ExpectMessage(r.errors[0].GetMessageText(), "ParsingException", "SAX_Parser",
                              {"Unexpected token in 4", "(not supported refference)"});
}

TEST(SaxEntities, WholeNameMustMatch)
{
    auto r = Sax("<a>&ltx;&l;</a>", false, kGoOn);
    EXPECT_EQ(Events({"start a []", "error 0 4", "error 0 9", "end a"}), r.events);
}

TEST(SaxEntities, NotReplacedInAttributeValues)
{
    auto r = Sax("<a b=\"x &amp; y\"/>");
    EXPECT_EQ(Events({"start a [b=x &amp; y]", "end a"}), r.events);
}

// ---- declarations, markup declarations, comments -------------------------

TEST(SaxDeclaration, AttributesGoToOnDeclaration)
{
    auto r = Sax("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><a/>");
    EXPECT_EQ(Events({"decl [version=1.0,encoding=Shift_JIS]", "start a []", "end a"}), r.events);
}

TEST(SaxDeclaration, NameIgnoresCase)
{
    auto r = Sax("<?XML version=\"1.0\"?><a/>");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"decl [version=1.0]", "start a []", "end a"}), r.events);
}

TEST(SaxDeclaration, MayStandInsideAnElement)
{
    auto r = Sax("<a><?xml v='1' ?></a>");
    EXPECT_EQ(Events({"start a []", "decl [v=1]", "end a"}), r.events);
}

TEST(SaxDeclaration, OtherProcessingInstructionIsCode5)
{
    ExpectFirstError("<?foo bar?><a/>", 5, 2, {"Unexpected token in 2", "(Expected \"xml\")"});
}

TEST(SaxDeclaration, OtherProcessingInstructionGoingOn)
{
    auto r = Sax("<?foo bar?><a/>", false, kGoOn);
    EXPECT_TRUE(r.ok);
    // foo dropped; bar lacks '=' and is dropped; '?' and '>' close it.
    EXPECT_EQ(Events({"error 5 2", "error 0 9", "decl []", "start a []", "end a"}), r.events);
}

TEST(SaxMarkup, DocumentTypeDeclarationIsSkipped)
{
    auto r = Sax("<!DOCTYPE x><a/>");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"start a []", "end a"}), r.events);
}

TEST(SaxMarkup, SkipsToTheFirstGreaterThan)
{
    auto r = Sax("<!DOCTYPE x [<!ENTITY e \"v\">]><a/>", false, kGoOn);
    // No internal subset: the first '>' ends the declaration, "]>" is text
    // before the root, and the rest follows.
    EXPECT_EQ(Events({"chars ]>", "start a []", "end a"}), r.events);
}

TEST(SaxMarkup, FirstTokensAreNotExaminedForGreaterThan)
{
    auto r = Sax("<!><a/>");
    // The '>' right after "<!" is the token examined in step 1; the search
    // goes on to the '>' of <a/>.
    EXPECT_EQ(Events({}), r.events);
    EXPECT_TRUE(r.ok);
}

TEST(SaxComment, TextIsVerbatim)
{
    auto r = Sax("<a><!-- a - b --></a>");
    EXPECT_EQ(Events({"start a []", "comment  a - b ", "end a"}), r.events);
}

TEST(SaxComment, ThreeHyphensBeforeTheEnd)
{
    auto r = Sax("<a><!-- x ---></a>");
    EXPECT_EQ(Events({"start a []", "comment  x -", "end a"}), r.events);
}

TEST(SaxComment, SpansLinesAndKeepsLineFeeds)
{
    auto r = Sax("<a><!--1\n-\n2--></a>");
    EXPECT_EQ(Events({"start a []", "comment 1\n-\n2", "end a"}), r.events);
}

TEST(SaxComment, HyphenAtEndOfLineBeforeText)
{
    auto r = Sax("<a><!--x-\ny--></a>");
    EXPECT_EQ(Events({"start a []", "comment x-\ny", "end a"}), r.events);
}

TEST(SaxComment, UnclosedCommentIsDroppedWithoutError)
{
    auto r = Sax("<a><!-- never closed -");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"start a []"}), r.events);
}

TEST(SaxComment, TextRightAfterAComment)
{
    auto r = Sax("<a>x<!--c-->y</a>");
    EXPECT_EQ(Events({"start a []", "chars x", "comment c", "chars y", "end a"}), r.events);
}

// ---- errors: every row of the table --------------------------------------

TEST(SaxErrors, NoHandlerThrowsCode4BeforeReading)
{
    SAX_Parser parser;
    std::istringstream in("<a/>");
    try {
        parser.Parse(in);
        FAIL() << "no exception";
    } catch (const ParsingException& e) {
        EXPECT_EQ(4, e.GetCode());
        EXPECT_EQ(-1, e.GetColumn());
        TesselTest::ExpectMessage(e.GetMessageText(), "ParsingException", "SAX_Parser",
                                  {"Set handler before parse."});
    }
    EXPECT_EQ(0, in.tellg()) << "nothing read";
}

TEST(SaxErrors, NameTheLineOfTheOffendingToken)
{
    const struct
    {
        const char* m_Text;
        int m_Line;
        int m_Column;
    } cases[] = {
        {"<a><</a>", 1, 4},
        {"<a>\n\n  <b x=1/>\n</a>", 3, 7},
        {"<a>\r\n<b>\r\n</c>\r\n</a>", 3, 3},
        {"<a>\n<b x=\"1\n", 2, 8},  // the input ends inside a value: the line it ends on
        {"<a>\nt & u</a>", 2, 4},
    };
    for (const auto& c : cases) {
        TesselTest::SaxResult r = Sax(c.m_Text);
        ASSERT_FALSE(r.errors.empty()) << c.m_Text;
        EXPECT_EQ(c.m_Line, r.errors[0].GetLine()) << c.m_Text;
        EXPECT_EQ(c.m_Column, r.errors[0].GetColumn()) << c.m_Text;
    }
}

TEST(SaxErrors, BadTokenAfterLess)
{
    ExpectFirstError("<a><=b/></a>", 0, 4, {"Unexpected token in 4", "(expected !,?,/ or text)"});
    auto r = Sax("<a><=b/></a>", false, kGoOn);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"start a []", "error 0 4", "start b []", "end b", "end a"}), r.events);
}

TEST(SaxErrors, TagNameNotText)
{
    ExpectFirstError("<a></></a>", 0, 5, {"Unexpected token in 5", "(expected text)"});
    auto r = Sax("<a></></a>", false, kGoOn);
    EXPECT_TRUE(r.ok);
    // '>' is taken as the name, '<' is not the closing '>', the names differ,
    // a is closed anyway and the root is done: '/' is not the end of input.
    EXPECT_EQ(Events({"start a []", "error 0 5", "error 0 6", "error 6 6", "end >", "error 0 7"}),
              r.events);
}

TEST(SaxErrors, SpaceAfterSlashIsTakenForTheName)
{
    auto r = Sax("<a></ a>", false, kGoOn);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"start a []", "error 0 5", "error 0 6", "error 6 6", "end  ", "error 0 7"}),
              r.events);
    TesselTest::ExpectMessage(r.errors[0].GetMessageText(), "ParsingException", "SAX_Parser",
                              {"Unexpected token in 5", "(expected text)"});
}

TEST(SaxErrors, EndTagNotClosed)
{
    ExpectFirstError("<a></a x>", 0, 7, {"Unexpected token in 7", "(expected '>')"});
    auto r = Sax("<a></a x>", false, kGoOn);
    EXPECT_EQ(Events({"start a []", "error 0 7", "end a", "error 0 8"}), r.events);
}

TEST(SaxErrors, StartTagNotClosed)
{
    ExpectFirstError("<a x=\"1\" <b/>", 0, 9, {"Unexpected token in 9", "(Expected '>')"});
    auto r = Sax("<a x=\"1\" <b/>", false, kGoOn);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"error 0 9", "start a [x=1]", "chars b/>"}), r.events);
}

TEST(SaxErrors, AnythingAfterTheRoot)
{
    ExpectFirstError("<a/><!--c-->", 0, 4, {"Unexpected token in 4", "(Expected '(null)')"});
    auto r = Sax("<a/><!--c-->", false, kGoOn);
    EXPECT_TRUE(r.ok) << "the parse ends in Done";
    EXPECT_EQ(Events({"start a []", "end a", "error 0 4"}), r.events);
}

TEST(SaxErrors, WhitespaceAfterTheRootIsFine)
{
    auto r = Sax("<a></a>\n\t \n");
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.errors.empty());
}

TEST(SaxErrors, AttributeWithoutEquals)
{
    ExpectFirstError("<a x y=\"1\"/>", 0, 5, {"Unexpected token in 5", "(Expected '=')"});
    auto r = Sax("<a x y=\"1\"/>", false, kGoOn);
    EXPECT_EQ(Events({"error 0 5", "start a [y=1]", "end a"}), r.events);
}

TEST(SaxErrors, AttributeValueNotQuoted)
{
    ExpectFirstError("<a x=1 y=\"2\"/>", 0, 5, {"Unexpected token in 5", "(Expected ' or \" )"});
    auto r = Sax("<a x=1 y=\"2\"/>", false, kGoOn);
    EXPECT_TRUE(r.ok);
    // The class of '1' (text) closes the value: " " is the value, y ends it.
    EXPECT_EQ(Events({"error 0 5", "error 0 8", "start a [x= ]", "chars \"2\"/>"}), r.events);
}

TEST(SaxErrors, AmpersandWithoutName)
{
    ExpectFirstError("<a>&;</a>", 0, 4, {"Unexpected token in 4", "(Expected text)"});
    auto r = Sax("<a>&;</a>", false, kGoOn);
    // ';' is taken as the name (not supported) and '<' as the missing ';'.
    EXPECT_EQ(Events({"start a []", "error 0 4", "error 0 4", "error 0 5", "chars /a>"}), r.events);
}

TEST(SaxErrors, UnsupportedEntityName)
{
    ExpectFirstError("<a>&foo;</a>", 0, 4, {"Unexpected token in 4", "(not supported refference)"});
}

TEST(SaxErrors, EntityNotClosed)
{
    ExpectFirstError("<a>&amp </a>", 0, 7, {"Unexpected token in 7", "(expected ';')"});
}

TEST(SaxErrors, EndOfInputInsideMarkupDeclaration)
{
    ExpectFirstError("<!DOCTYPE x", 3, 11, {"Unexpected end of document"});
}

TEST(SaxErrors, DeclarationNotEndedByQuestionMark)
{
    ExpectFirstError("<?xml version=\"1.0\"><a/>", 0, 19,
                     {"Unexpected token in 19", "(Expected '?' )"});
    auto r = Sax("<?xml version=\"1.0\"><a/>", false, kGoOn);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"decl [version=1.0]", "error 0 19", "start a []", "end a"}), r.events);
}

TEST(SaxErrors, QuestionMarkNotFollowedByGreater)
{
    ExpectFirstError("<?xml version=\"1.0\"?x><a/>", 0, 20,
                     {"Unexpected token in 20", "(Expected '>' [100] )"});
    auto r = Sax("<?xml?<a/>", false, kGoOn);
    // The '<' is the offending token (class 4) and is consumed.
    EXPECT_EQ(Events({"decl []", "error 0 6", "chars a/>"}), r.events);
    TesselTest::ExpectMessage(r.errors[0].GetMessageText(), "ParsingException", "SAX_Parser",
                              {"Unexpected token in 6", "(Expected '>' [4] )"});
}

TEST(SaxErrors, EndTagMismatchHasNoLocationLine)
{
    ExpectFirstError("<a></b>", 6, 6, {"End tag mismatch with start tag(a) in 6"}, false);
    TesselTest::SaxResult r = Sax("<a></b>");
    const std::string expected =
        std::string("ParsingException\nEnd tag mismatch with start tag(a) in 6\n") + '\0';
    EXPECT_EQ(expected, r.errors[0].GetMessageText());
    EXPECT_STREQ("ParsingException\nEnd tag mismatch with start tag(a) in 6\n", r.errors[0].what());
}

TEST(SaxErrors, EndTagMismatchColumnIsTheTokenAfterTheName)
{
    auto r = Sax("<a>\n  </b  >", false, kGoOn);
    EXPECT_EQ(Events({"start a []", "chars \n  ", "error 6 7", "end b"}), r.events);
    EXPECT_TRUE(r.ok);
}

TEST(SaxErrors, MismatchGoingOnClosesTheInnermostElement)
{
    auto r = Sax("<a><b></a></b>", false, kGoOn);
    EXPECT_EQ(Events({"start a []", "start b []", "error 6 9", "end a", "error 6 13", "end b"}),
              r.events);
    TesselTest::ExpectMessage(r.errors[0].GetMessageText(), "ParsingException", "",
                              {"End tag mismatch with start tag(b) in 9"});
}

TEST(SaxErrors, ColumnOnTheThirdLineCountsFromThatLine)
{
    auto r = Sax("<a>\n<b>\n  <c x></c></b></a>", true, kGoOn);
    ASSERT_EQ(1u, r.errors.size());
    EXPECT_EQ(6, r.errors[0].GetColumn());
    TesselTest::ExpectMessage(r.errors[0].GetMessageText(), "ParsingException", "SAX_Parser",
                              {"Unexpected token in 6", "(Expected '=')"});
}

// ---- OnError's answer ------------------------------------------------------

TEST(SaxRecovery, FalseLetsTheRestBeReported)
{
    auto r = Sax("<a>&foo;b<c/></a>", false, kGoOn);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"start a []", "error 0 4", "chars b", "start c []", "end c", "end a"}),
              r.events);
}

TEST(SaxRecovery, TrueStopsWithNoFurtherEvent)
{
    auto r = Sax("<a>&foo;b<c/></a>", false, {true});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(Events({"start a []", "error 0 4"}), r.events);
}

TEST(SaxRecovery, StopInsideAnAttributeList)
{
    auto r = Sax("<a x y='1'/><b/>", false, {true});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(Events({"error 0 5"}), r.events);
}

TEST(SaxRecovery, StopAtTheSecondError)
{
    auto r = Sax("<a>&foo;&bar;x</a>", false, {false, true});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(Events({"start a []", "error 0 4", "error 0 9"}), r.events);
}

TEST(SaxRecovery, ParserStateIsFailedOrDone)
{
    Tessel::SAX_Parser parser;
    TesselTest::Recorder recorder;
    parser.SetHandler(&recorder);
    EXPECT_FALSE(parser.Parse(std::string_view("<a>&x;</a>")));
    EXPECT_EQ(SAX_Parser::StateFailed, parser.GetState());
    Tessel::SAX_Parser other;
    other.SetHandler(&recorder);
    EXPECT_TRUE(other.Parse(std::string_view("<a/>")));
    EXPECT_EQ(SAX_Parser::StateDone, other.GetState());
}

// ---- left to the implementer ----------------------------------------------

TEST(SaxImplementerChoices, EmptyInputEndsWithoutEvents)
{
    auto r = Sax("");
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.events.empty());
    auto w = Sax("", true);
    EXPECT_TRUE(w.ok);
    EXPECT_TRUE(w.events.empty());
}

TEST(SaxImplementerChoices, EndTagWithNothingOpenIsAMismatchWithAnEmptyName)
{
    ExpectFirstError("</a>", 6, 3, {"End tag mismatch with start tag() in 3"}, false);
    // Going on, the end tag is dropped and the parse continues with the text.
    auto r = Sax("</x><a/>", false, kGoOn);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(Events({"error 6 3", "start a []", "end a"}), r.events);
}

TEST(SaxImplementerChoices, EndOfInputInsideAnAttributeValueEndsTheParse)
{
    for (bool answer : {true, false}) {
        auto r = Sax("<a b=\"xyz", false, {answer});
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(Events({"error 3 9"}), r.events) << "one report, no element";
        TesselTest::ExpectMessage(r.errors[0].GetMessageText(), "ParsingException", "SAX_Parser",
                                  {"Unexpected end of document"});
    }
}

TEST(SaxImplementerChoices, EndOfInputInsideUnquotedValueEndsTheParse)
{
    auto r = Sax("<a b=c", false, kGoOn);
    EXPECT_FALSE(r.ok);
    // The text class closes the value; the input ends first.
    EXPECT_EQ(Events({"error 0 5", "error 3 6"}), r.events);
}

TEST(SaxImplementerChoices, HandlerAnsweringFalseAtEndInsideMarkupIsAskedOnce)
{
    auto r = Sax("<!DOCTYPE x", false, kGoOn);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(Events({"error 3 11"}), r.events);
}

TEST(SaxImplementerChoices, TruncatedDocumentsEndEveryWay)
{
    // Every prefix of a document parses to an end, with the handler going on.
    const std::string doc =
        "<?xml version=\"1.0\"?><!DOCTYPE s><s v='1'><t>a &amp; b</t><!-- c - d --><e/></s>";
    for (std::size_t n = 0; n <= doc.size(); ++n) {
        auto r = Sax(doc.substr(0, n), n % 2 == 0, kGoOn);
        EXPECT_LE(r.errors.size(), 8u) << n;
    }
}
