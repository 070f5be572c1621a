#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "xml/xmlAttr.h"
#include "xml/xmlCDATASection.h"
#include "xml/xmlComment.h"
#include "xml/xmlDocumentFragment.h"
#include "xml/xmlDocumentType.h"
#include "xml/xmlElement.h"
#include "xml/xmlEntity.h"
#include "xml/xmlEntityReference.h"
#include "xml/xmlNamedNodeMap.h"
#include "xml/xmlProcessingInstruction.h"
#include "xml/xmlSerializer.h"
#include "xml/xmlText.h"
#include "xmlTestSupport.h"

namespace {

using xmltest::utf8;

TEST(xmlEscape, TextAndAttribute)
{
    const struct {
        const char* text;
        const char* escaped;
    } cases[] = {
        {"plain 'quoted' \"text\"", "plain 'quoted' \"text\""}, {"a<b>c", "a&lt;b&gt;c"}, {"a & b;", "a &amp; b;"},
        {"&", "&amp;"}, {"&&amp;", "&amp;&amp;"}, {"&amp;&lt;&gt;&quot;&apos;", "&amp;&lt;&gt;&quot;&apos;"},
        {"&#65;&#233;", "&#65;&#233;"}, {"&#6;", "&amp;#6;"}, {"&#1234;", "&amp;#1234;"}, {"&#x41;", "&amp;#x41;"},
        {"&nbsp;", "&amp;nbsp;"}, {"&AMP;", "&amp;AMP;"}, {"&amp", "&amp;amp"}, {"&;", "&amp;;"},
        {"&lt;<", "&lt;&lt;"}, {"x&quot;&", "x&quot;&amp;"}, {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8(escape_text(apString(c.text))), c.escaped) << c.text;
    EXPECT_TRUE(escape_text(apString()).is_null());
    EXPECT_EQ(utf8(escape_attribute(apString("it's \"x\" & <y>"))), "it&apos;s &quot;x&quot; &amp; &lt;y&gt;");
    EXPECT_EQ(utf8(escape_attribute(apString("&quot;"))), "&quot;");
}

TEST(xmlEscape, ManyAmpersandsWithoutSemicolonStayLinear)
{
    std::string text(400000, '&');
    text += ";";
    auto start = std::chrono::steady_clock::now();
    apString escaped = escape_text(apString(text.c_str()));
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(escaped.length(), 400000u * 5 + 1);
    EXPECT_LT(seconds, 20.0);
}

class xmlSerializerTest : public ::testing::Test {
protected:
    xmltest::DocumentPtr doc = xmltest::new_document();

    xmlElement* element(const char* name, xmlNode* parent = nullptr)
    {
        xmlElement* e = doc->create_element(apString(name));
        if (parent)
            parent->append_child(e);
        return e;
    }
    xmlElement* element_with_text(const char* name, const char* text, xmlNode* parent)
    {
        xmlElement* e = element(name, parent);
        e->append_child(doc->create_text_node(apString(text)));
        return e;
    }
    std::string text(const xmlNode* node) { return utf8(node->serialize()); }
};

TEST_F(xmlSerializerTest, ElementLayout)
{
    xmlElement* empty = element("a");
    EXPECT_EQ(text(empty), "<a/>");

    empty->set_attribute(apString("x"), apString("1"));
    EXPECT_EQ(text(empty), "<a x=\"1\"/>");
    empty->set_attribute(apString("y"), apString(""));
    empty->set_attribute(apString("x"), apString("2"));
    EXPECT_EQ(text(empty), "<a x=\"2\" y=\"\"/>") << "insertion order; a replaced value keeps its place";

    xmlElement* empty_text = element_with_text("t", "", nullptr);
    EXPECT_EQ(text(empty_text), "<t></t>");

    xmlElement* root = element("root");
    element_with_text("a", "x", root);
    element_with_text("b", "y", root);
    EXPECT_EQ(text(root), "<root>\n  <a>x</a>\n  <b>y</b>\n</root>");

    xmlElement* outer = element("r");
    xmlElement* middle = element("m", outer);
    element("g", middle);
    EXPECT_EQ(text(outer), "<r>\n  <m>\n    <g/>\n  </m>\n</r>");
    EXPECT_EQ(text(middle), "<m>\n  <g/>\n</m>") << "indentation starts from the serialized node";
    EXPECT_EQ(xml_indentation_depth(), 0);
}

TEST_F(xmlSerializerTest, MixedContentIsNeverReindented)
{
    xmlElement* p = element("p");
    p->append_child(doc->create_text_node(apString("one ")));
    element_with_text("b", "two", p);
    p->append_child(doc->create_text_node(apString(" three")));
    EXPECT_EQ(text(p), "<p>one <b>two</b> three</p>");

    xmlElement* q = element("q");
    element("first", q);
    q->append_child(doc->create_text_node(apString("after")));
    q->append_child(doc->create_comment(apString("c")));
    q->append_child(doc->create_entity_reference(apString("lt")));
    q->append_child(doc->create_cdata_section(apString("<raw>")));
    q->append_child(doc->create_processing_instruction(apString("pi"), apString("d")));
    EXPECT_EQ(text(q), "<q>\n  <first/>after<!--c-->&lt;<![CDATA[<raw>]]>\n  <?pi d?>\n</q>");

    xmlElement* only_reference = element("r");
    only_reference->append_child(doc->create_entity_reference(apString("amp")));
    EXPECT_EQ(text(only_reference), "<r>&amp;</r>");
}

TEST_F(xmlSerializerTest, LeafKinds)
{
    EXPECT_EQ(text(doc->create_text_node(apString("1 < 2 & 3 > 2; &lt;"))), "1 &lt; 2 &amp; 3 &gt; 2; &lt;");
    EXPECT_EQ(text(doc->create_cdata_section(apString("a < & ]] b"))), "<![CDATA[a < & ]] b]]>");
    EXPECT_EQ(text(doc->create_comment(apString("a-->b--->c"))), "<!--a--&gt;b---&gt;c-->");
    EXPECT_EQ(text(doc->create_comment(apString(""))), "<!---->");
    EXPECT_EQ(text(doc->create_processing_instruction(apString("t"), apString(""))), "<?t ?>");
    EXPECT_EQ(text(doc->create_processing_instruction(apString("t"), apString("a<b"))), "<?t a&lt;b?>");
    // Unbound references stay references even when expanding.
    ASSERT_EQ(doc->expand_entity_references(), 1u);
    xmlElement* refs = element("r");
    refs->append_child(doc->create_entity_reference(apString("undeclared")));
    refs->append_child(doc->create_entity_reference(apString("#65")));
    EXPECT_EQ(text(refs), "<r>&undeclared;&#65;</r>");

    xmlAttr* attribute = doc->create_attribute(apString("v"));
    attribute->set_node_value(apString("'both' \"kinds\""));
    EXPECT_EQ(text(attribute), "v=\"&apos;both&apos; &quot;kinds&quot;\"");
}

TEST_F(xmlSerializerTest, DocumentsJoinChildrenWithLineFeeds)
{
    EXPECT_EQ(text(doc.get()), "");
    doc->append_child(doc->create_processing_instruction(apString("xml"), apString("version=\"1.0\"")));
    xmlElement* root = element("root", doc.get());
    EXPECT_EQ(text(doc.get()), "<?xml version=\"1.0\"?>\n<root/>");
    doc->append_child(doc->create_comment(apString("end")));
    element("a", root);
    EXPECT_EQ(text(doc.get()), "<?xml version=\"1.0\"?>\n<root>\n  <a/>\n</root>\n<!--end-->");
    EXPECT_EQ(text(doc.get()), text(doc.get())) << "serializing changes nothing";
    EXPECT_EQ(xml_indentation_depth(), 0);
}

TEST_F(xmlSerializerTest, FragmentsJoinChildrenWithNothing)
{
    xmlDocumentFragment* fragment = doc->create_document_fragment();
    EXPECT_EQ(text(fragment), "");
    element_with_text("a", "x", fragment);
    fragment->append_child(doc->create_text_node(apString("t")));
    xmlElement* b = element("b", fragment);
    element("c", b);
    EXPECT_EQ(text(fragment), "<a>x</a>t<b>\n  <c/>\n</b>");
}

TEST_F(xmlSerializerTest, DocumentTypesAndEntities)
{
    auto parsed = xmltest::parse(
        "<!DOCTYPE root PUBLIC \"-//p\" \"r.dtd\" [\n"
        "<!ENTITY e \"one <b>two</b>\">\n"
        "<!ENTITY % p \"pv\">\n"
        "<!ENTITY u PUBLIC \"-//u\" \"u.bin\" NDATA gif>\n"
        "<!ENTITY s SYSTEM \"s.bin\" NDATA png>\n"
        "]><root>&e;</root>");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(text(parsed->doctype()),
              "<!DOCTYPE root PUBLIC \"-//p\" \"r.dtd\" [\n"
              "  <!ENTITY e \"one <b>two</b>\">\n"
              "  <!ENTITY % p \"pv\">\n"
              "  <!ENTITY u PUBLIC \"-//u\" \"u.bin\" NDATA gif>\n"
              "  <!ENTITY s SYSTEM \"s.bin\" NDATA png>\n"
              "]>");

    xmlElement* root = parsed->document_element();
    EXPECT_EQ(text(root), "<root>one <b>two</b></root>");
    parsed->set_expand_entity_references(0);
    EXPECT_EQ(text(root), "<root>&e;</root>");

    auto bare = xmltest::parse("<!DOCTYPE r SYSTEM><r/>");
    ASSERT_TRUE(bare);
    EXPECT_EQ(text(bare->doctype()), "<!DOCTYPE r SYSTEM>");
    auto system_only = xmltest::parse("<!DOCTYPE r SYSTEM \"r.dtd\"><r/>");
    ASSERT_TRUE(system_only);
    EXPECT_EQ(text(system_only.get()), "<!DOCTYPE r SYSTEM \"r.dtd\">\n<r/>");
}

TEST_F(xmlSerializerTest, WideElementIsLinear)
{
    const int count = 200000;
    xmlElement* root = element("r");
    for (int i = 0; i < count; ++i) {
        element("c", root);
        root->append_child(doc->create_text_node(apString("t")));
    }
    auto start = std::chrono::steady_clock::now();
    apString written = root->serialize();
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // "<r>", then per child "\n  <c/>t", then "\n</r>": every element follows
    // text except the first, so only that one breaks the line.
    EXPECT_EQ(written.length(), 3 + 3 + 5 + (count - 1) * 5 + 1 + 4u);
    EXPECT_LT(seconds, 20.0);
}

TEST_F(xmlSerializerTest, DeepTreeNeedsNoCallStack)
{
    // Built from the leaf up, each element holding a text and then the next
    // level, so nothing is indented and the text stays small.
    const int depth = 100000;
    xmlElement* inner = element("e");
    for (int i = 1; i < depth; ++i) {
        xmlElement* outer = element("e");
        outer->append_child(doc->create_text_node(apString("x")));
        outer->append_child(inner);
        inner = outer;
    }
    apString written = inner->serialize();
    EXPECT_EQ(written.length(), (depth - 1) * (3 + 1 + 4) + 4u);
    EXPECT_EQ(xml_indentation_depth(), 0);
}

} // namespace
