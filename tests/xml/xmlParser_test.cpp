#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "xml/xmlDocumentType.h"
#include "xml/xmlEntity.h"
#include "xml/xmlEntityReference.h"
#include "xml/xmlParser.h"
#include "xmlTestSupport.h"

namespace {

using namespace xmltest;

struct Parsed {
    std::unique_ptr<xmlDocument> document;
    bool ok;
    unsigned int error;
    int line;
    int column;
};

Parsed run(const std::string& text)
{
    Parsed p{new_document(kUtf8), false, 0, 0, 0};
    xmlParser parser;
    p.ok = parser.parse(p.document.get(), apString(text.c_str()));
    p.error = parser.error_code();
    p.line = parser.error_line();
    p.column = parser.error_column();
    return p;
}

struct TreeCase {
    const char* text;
    const char* tree;
};

class ParsesTo : public ::testing::TestWithParam<TreeCase> {};

TEST_P(ParsesTo, Tree)
{
    Parsed p = run(GetParam().text);
    ASSERT_TRUE(p.ok) << "error " << p.error << " at " << p.line << ":" << p.column;
    EXPECT_EQ(std::make_tuple(p.error, p.line, p.column), std::make_tuple(0u, 0, 0));
    EXPECT_EQ(picture(p.document.get()), GetParam().tree);
}

INSTANTIATE_TEST_SUITE_P(
    All, ParsesTo,
    ::testing::Values(
        // Elements
        TreeCase{"<a x=\"1\" y='2'><b>t</b><!--c--><![CDATA[<d>&amp;]]></a>",
                 "a[x=1,y=2]{b{\"t\"},!\"c\",CDATA\"<d>&amp;\"}"},
        TreeCase{"<a>\n  <b/>\n\t<c></c>\r\n</a>", "a{b,c}"},
        TreeCase{"<a x=\"1\"y='\"'/>", "a[x=1,y=\"]"},
        TreeCase{"<a x=\"1\" y=\"2\" x=\"3\"/>", "a[x=3,y=2]"},
        TreeCase{"<p:a p:x=\"1\"><p:b/></p:a>", "p:a[p:x=1]{p:b}"},
        TreeCase{"<a-b.c_d x-y.z=''/>", "a-b.c_d[x-y.z=]"},
        TreeCase{"<a></a >", "a"},
        TreeCase{"<\xC3\xA9l\xC3\xA8ve \xC3\xA2ge=\"1\"/>", "\xC3\xA9l\xC3\xA8ve[\xC3\xA2ge=1]"},
        TreeCase{"<\xC3\xA9l\xC3\xA8ve>t</\xC3\xA9l\xC3\xA8ve>", "\xC3\xA9l\xC3\xA8ve{\"t\"}"},
        TreeCase{"<a\xC3\xA9" "b></a\xC3\xA9" "b>", "a\xC3\xA9" "b"},
        // Text
        TreeCase{"<a>w &lt; v</a>", "a{\"w \",&lt,\" v\"}"},
        TreeCase{"<a>  lead</a>", "a{\"  lead\"}"},
        // bytes that are '<', '&' and '>' with the high bit set end nothing
        TreeCase{"<a>\xC2\xBC\xC2\xA6\xC2\xBE\xC2\xBC\xC2\xA6\xC2\xBE</a>",
                 "a{\"\xC2\xBC\xC2\xA6\xC2\xBE\xC2\xBC\xC2\xA6\xC2\xBE\"}"},
        TreeCase{"<a>&lt; <b/></a>", "a{&lt,\" \",b}"},
        TreeCase{"<a><b/> <c/></a>", "a{b,c}"},
        TreeCase{"<a><!--x</a>", "a{!\"<null>\",\"x\"}"},
        TreeCase{"<a>&#65;&#1234;&#5;&name;</a>", "a{&#65,&#1234,&#5,&name}"},
        // AttributeReferences
        TreeCase{"<a v=\"&amp;lt;\"/>", "a[v=&lt;]"},
        TreeCase{"<a v=\"&#65;&#066;&#6;&#0065;\"/>", "a[v=AB&#6;&#0065;]"},
        TreeCase{"<a v=\"&undeclared; &amp &lt;&gt;&quot;&apos;\"/>",
                 "a[v=&undeclared; &amp <>\"']"},
        TreeCase{"<a v='a & b;'/>", "a[v=a & b;]"},
        TreeCase{"<a v='&&lt;'/>", "a[v=&<]"},
        TreeCase{"<a v='x&#00;y&#000;z'/>", "a[v=xyz]"}, // character 0 is no character
        TreeCase{"<a v='&#999;&#1000;&quot&apos;'/>", "a[v=\xCF\xA7&#1000;&quot']"},
        // Prolog
        TreeCase{"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a/>",
                 "?xml\"version=\"1.0\" encoding=\"UTF-8\"\",a"},
        TreeCase{"<?t  data ?><a/><!--after--><?u x?>", "?t\"data \",a,!\"after\",?u\"x\""},
        TreeCase{"<!DOCTYPE a SYSTEM \"a.dtd\">\n<a/>", "DOCTYPE a,a"},
        TreeCase{"<!DOCTYPE a PUBLIC \"-//p\" 's'><a/>", "DOCTYPE a,a"},
        TreeCase{"<!DOCTYPE a SYSTEM [\n <!ENTITY e \"v\">\n]><a/>", "DOCTYPE a,a"},
        // Tolerated
        TreeCase{"", ""}, TreeCase{" \n\t", ""}, TreeCase{"<a/><1 junk", "a"},
        TreeCase{"<a/>\n</x>anything <<< &", "a"}, TreeCase{"</x><a/>", ""},
        TreeCase{"<a/>\n\n", "a"}));

struct ErrorCase {
    const char* text;
    unsigned int error;
    int line;
    int column;
};

class FailsWith : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(FailsWith, CodeLineAndColumn)
{
    Parsed p = run(GetParam().text);
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(std::make_tuple(p.error, p.line, p.column),
              std::make_tuple(GetParam().error, GetParam().line, GetParam().column));
}

INSTANTIATE_TEST_SUITE_P(
    All, FailsWith,
    ::testing::Values(
        // Content
        ErrorCase{"<a>b>c</a>", SyntaxError, 1, 5}, ErrorCase{"<a></b>", EndTagMismatch, 1, 8},
        ErrorCase{"<a><b></b>", EndTagMismatch, 1, 11}, ErrorCase{"<a>text", MissingEndTag, 1, 8},
        // end tags as long as the name in bytes, shorter and longer
        ErrorCase{"<ab></ac>", EndTagMismatch, 1, 10}, ErrorCase{"<ab></a>", EndTagMismatch, 1, 9},
        ErrorCase{"<a></ab>", EndTagMismatch, 1, 9}, ErrorCase{"<ab></\xC3\xA9>", EndTagMismatch, 1, 9},
        ErrorCase{"<a\xC3\xA9></a\xC3\xA8>", EndTagMismatch, 1, 10},
        ErrorCase{"<a>\n  <b>\n  </c>\n</a>", EndTagMismatch, 3, 7},
        ErrorCase{"<a></>", SyntaxError, 1, 6}, ErrorCase{"<a></a x>", SyntaxError, 1, 8},
        ErrorCase{"<a>\r\n<b>\r\n<c/>x>", SyntaxError, 3, 6},
        // Attributes
        ErrorCase{"<a x=1/>", SyntaxError, 1, 6}, ErrorCase{"<a x=\"1/>", UnterminatedLiteral, 1, 10},
        ErrorCase{"<a x =\"1\"/>", SyntaxError, 1, 5}, ErrorCase{"<a x=\"1\" / >", SyntaxError, 1, 11},
        ErrorCase{"<a p:=\"1\"/>", SyntaxError, 1, 6}, ErrorCase{"<a x=\"1\" 1=\"2\"/>", SyntaxError, 1, 10},
        // References
        ErrorCase{"<a>&#12345;</a>", SyntaxError, 1, 10}, ErrorCase{"<a>&#x41;</a>", SyntaxError, 1, 6},
        ErrorCase{"<a>&#1a;</a>", SyntaxError, 1, 7}, ErrorCase{"<a>&#", SyntaxError, 1, 6},
        ErrorCase{"<a>&;</a>", SyntaxError, 1, 5}, ErrorCase{"<a>&lt</a>", SyntaxError, 1, 7},
        ErrorCase{"<a>& b</a>", SyntaxError, 1, 5},
        // TopLevel
        ErrorCase{"<a/><b/>", ChildNotAllowed, 1, 9}, ErrorCase{"<a/>text", ChildNotAllowed, 1, 9},
        ErrorCase{"<a/>\n&lt;", ChildNotAllowed, 2, 5}, ErrorCase{"<![CDATA[x]]>", ChildNotAllowed, 1, 14},
        ErrorCase{"<!ENTITY e \"v\">", ChildNotAllowed, 1, 16}, ErrorCase{"<?xml?>", SyntaxError, 1, 6},
        ErrorCase{"<?" "?>", SyntaxError, 1, 3}, ErrorCase{"<!FOO>", BadDeclaration, 1, 1},
        ErrorCase{"<a><!doctype a></a>", BadDeclaration, 1, 4},
        // DocumentType
        ErrorCase{"<!DOCTYPE a>", SyntaxError, 1, 12}, ErrorCase{"<!DOCTYPE a PUBLIC>", SyntaxError, 1, 19},
        ErrorCase{"<!DOCTYPE a SYSTEM \"x\" [<!ENTITY e \"v\">] >", SyntaxError, 1, 41},
        ErrorCase{"<!DOCTYPE a SYSTEM \"x\" [<!-- c -->]><a/>", ChildNotAllowed, 1, 35},
        ErrorCase{"<!DOCTYPE a SYSTEM \"x\" [\n<!ELEMENT a ANY>]><a/>", BadDeclaration, 2, 1},
        ErrorCase{"<!DOCTYPE a SYSTEM [ <!ENTITY e \"v\"> x ]><a/>", ChildNotAllowed, 1, 40},
        ErrorCase{"<!DOCTYPE a SYSTEM [<!ENTITY e \"v\">", SyntaxError, 1, 21},
        ErrorCase{"<!DOCTYPE a SYSTEM [<!ENTITY e \"<b>\">]><a/>", MissingEndTag, 1, 38},
        ErrorCase{"<!DOCTYPE a SYSTEM [<!ENTITY e \"v>]><a/>", UnterminatedLiteral, 1, 35},
        ErrorCase{"<!DOCTYPE a SYSTEM [<!ENTITY e v>]><a/>", SyntaxError, 1, 33},
        ErrorCase{"<!DOCTYPE a SYSTEM [<!ENTITY e SYSTEM \"x\" FOO y>]><a/>", SyntaxError, 1, 46},
        ErrorCase{"<!DOCTYPE a SYSTEM [<!ENTITY e SYSTEM \"/nonexistent/qel.xml\">]><a/>", ReadError, 1, 62},
        ErrorCase{"<a><!DOCTYPE a SYSTEM></a>", ChildNotAllowed, 1, 23}));

TEST(Parser, DeclaredEntityBindsLaterReferences)
{
    Parsed p = run("<!DOCTYPE a SYSTEM [<!ENTITY e \"word\"><!ENTITY % p 'x'>]><a>&e;|&lt;|&f;</a>");
    ASSERT_TRUE(p.ok) << p.error;
    xmlDocumentType* doctype = p.document->doctype();
    ASSERT_NE(doctype, nullptr);
    EXPECT_TRUE(doctype->is_read_only());
    EXPECT_EQ(doctype->entities()->length(), 2);
    xmlEntity* e = static_cast<xmlEntity*>(doctype->entities()->named_item("e"));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->kind(), unsigned(InternalEntity));
    EXPECT_TRUE(e->is_read_only());
    EXPECT_TRUE(e->first_child()->is_read_only());
    EXPECT_EQ(static_cast<xmlEntity*>(doctype->entities()->named_item("p"))->kind(), unsigned(ParameterEntity));

    xmlNode* ref = p.document->document_element()->first_child();
    ASSERT_EQ(ref->node_type(), unsigned(ENTITY_REFERENCE_NODE));
    EXPECT_EQ(static_cast<xmlEntityReference*>(ref)->entity(), e);
    EXPECT_EQ(utf8(ref->text()), "word");
    EXPECT_EQ(utf8(p.document->document_element()->text()), "word|<|&f;");
}

TEST(Parser, EntityValueIsContent)
{
    Parsed p = run("<!DOCTYPE a SYSTEM [<!ENTITY e \"<b x='1'>t</b>&lt;\">]><a>&e;</a>");
    ASSERT_TRUE(p.ok) << p.error;
    xmlNode* e = p.document->doctype()->entities()->named_item("e");
    EXPECT_EQ(picture(e), "b[x=1]{\"t\"},&lt");
    EXPECT_EQ(utf8(p.document->document_element()->text()), "t<");
}

TEST(Parser, DocumentTypeAndUnparsedEntityKeepTheirIdentifiers)
{
    Parsed p = run("<!DOCTYPE r:a PUBLIC \"-//x//y\" \"y.dtd\" [<!ENTITY pic SYSTEM \"pic.png\" NDATA png>]><r:a/>");
    ASSERT_TRUE(p.ok) << p.error;
    xmlDocumentType* doctype = p.document->doctype();
    ASSERT_NE(doctype, nullptr);
    EXPECT_EQ(p.document->first_child(), doctype);
    EXPECT_EQ(utf8(doctype->node_name()) + "|" + utf8(doctype->public_id()) + "|" + utf8(doctype->system_id()),
              "r:a|-//x//y|y.dtd");
    xmlEntity* e = static_cast<xmlEntity*>(doctype->entities()->named_item("pic"));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->kind(), unsigned(UnparsedEntity));
    EXPECT_EQ(utf8(e->system_id()) + "|" + utf8(e->notation_name()), "pic.png|png");
    EXPECT_FALSE(e->has_child_nodes());
}

// Character data is searched a block of eight bytes at a time: each byte
// that ends it, at each offset in, at the edge of and past a block.
TEST(Parser, CharacterDataEndsAtEachOffset)
{
    for (size_t n = 0; n <= 17; ++n) {
        const std::string x(n, 'x');
        const std::string text = n ? "\"" + x + "\"," : "";
        Parsed p = run("<a>" + x + "<b/>" + x + "&lt;" + x + "</a>");
        EXPECT_EQ(picture(p.document.get()), "a{" + text + "b," + text + "&lt" + (n ? ",\"" + x + "\"" : "") + "}")
            << n;
        p = run("<a>" + x + ">");
        EXPECT_EQ(std::make_tuple(p.error, p.line, p.column), std::make_tuple(0u + SyntaxError, 1, 4 + int(n))) << n;
    }
}

// A failed parse leaves nothing behind, and the next parse starts afresh.
TEST(Parser, ReusedParserStartsAfresh)
{
    auto document = new_document(kUtf8);
    xmlParser parser;
    EXPECT_FALSE(parser.parse(document.get(), "<a><b/><c></a>"));
    EXPECT_EQ(parser.error_code(), unsigned(EndTagMismatch));
    EXPECT_EQ(document->first_child(), nullptr);
    auto other = new_document(kUtf8);
    EXPECT_TRUE(parser.parse(other.get(), "<b/>"));
    EXPECT_EQ(parser.error_code(), 0u);
    EXPECT_EQ(parser.error_line(), 0);
}

TEST(Parser, IntoElementAndRefusedTargets)
{
    auto document = new_document(kUtf8);
    xmlElement* root = document->create_element("root");
    xmlParser parser;
    EXPECT_TRUE(parser.parse(root, "<x/>text<y/>"));
    EXPECT_EQ(picture(root), "root{x,\"text\",y}");

    Parsed p = run("<!DOCTYPE a SYSTEM [<!ENTITY e \"v\">]><a/>");
    xmlNode* entity = p.document->doctype()->entities()->named_item("e");
    EXPECT_FALSE(parser.parse(entity, "<z/>"));
    EXPECT_EQ(parser.error_code(), unsigned(ReadOnlyTarget));
    EXPECT_FALSE(parser.parse(nullptr, "<z/>"));
}

// Inputs that a quadratic reader would not finish in time.
TEST(Parser, LargeInputsStayLinear)
{
    const int n = 50000;
    std::string siblings = "<a>";
    for (int i = 0; i < n; ++i)
        siblings += "<b x='1'>t</b>&lt;";
    siblings += "</a>";
    Parsed p = run(siblings);
    ASSERT_TRUE(p.ok);
    xmlNode* last = p.document->document_element()->last_child();
    int count = 0;
    for (xmlNode* n = last; n != nullptr; n = n->previous_sibling())
        ++count;
    EXPECT_EQ(count, 2 * n);
    EXPECT_EQ(p.document->document_element()->child_nodes()->item(2 * n - 2)->node_name(), apString("b"));

    std::string comments = "<a>";
    for (int i = 0; i < n; ++i)
        comments += "<!--<![CDATA[<?p ";
    EXPECT_EQ(run(comments).error, unsigned(MissingEndTag));

    std::string ampersands = "<a v='";
    ampersands += std::string(n, '&') + ";'/>";
    Parsed amp = run(ampersands);
    ASSERT_TRUE(amp.ok);
    EXPECT_EQ(amp.document->document_element()->attributes()->item(0)->node_value().length(), size_t(n + 1));
}

} // namespace
