#include <gtest/gtest.h>

#include "xml/xmlComment.h"
#include "xml/xmlDeclaration.h"
#include "xml/xmlElement.h"
#include "xml/xmlProcessingInstruction.h"
#include "xmlTestSupport.h"

namespace {

using D = apEncodingDescriptor;
using xmltest::utf8;

// A document whose first child is a processing instruction with this target
// and data, followed by a root element.
xmltest::DocumentPtr declared(const char* target, const char* data)
{
    auto doc = xmltest::new_document();
    doc->append_child(doc->create_processing_instruction(apString(target), apString(data)));
    doc->append_child(doc->create_element(apString("r")));
    return doc;
}

TEST(xmlDeclaration, DeclaredEncoding)
{
    const struct {
        const char* target;
        const char* data;
        D expected;
    } cases[] = {
        {"xml", "version=\"1.0\" encoding=\"windows-1252\"", D::from_code_page(1252)},
        {"xml", "encoding=\"utf-16le\" standalone=\"yes\"", D::from_kind(5)},
        {"xml", "version=\"1.0\" encoding=\"ISO-8859-1\"", D::from_code_page(1252)},
        {"xml", "version=\"1.0\"", D()},
        {"xml", "version=\"1.0\" encoding='UTF-8'", D()},
        {"xml", "version=\"1.0\" encoding=\"UTF-8", D()},
        {"xml", "version=\"1.0\" encoding=\"\"", D()},
        {"xml", "version=\"1.0\" encoding=\"klingon\"", D()},
        {"XML", "version=\"1.0\" encoding=\"UTF-8\"", D()},
        {"xml-stylesheet", "encoding=\"UTF-8\"", D()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(declared_encoding(declared(c.target, c.data).get()), c.expected) << c.target << " " << c.data;

    auto empty = xmltest::new_document();
    EXPECT_EQ(declared_encoding(empty.get()), D());

    // Only the first child counts.
    auto late = xmltest::new_document();
    late->append_child(late->create_comment(apString("c")));
    late->append_child(late->create_processing_instruction(apString("xml"), apString("encoding=\"UTF-8\"")));
    EXPECT_EQ(declared_encoding(late.get()), D());
}

TEST(xmlDeclaration, SetDeclaredEncodingRewritesTheFirstDeclaration)
{
    const struct {
        const char* data;
        D encoding;
        const char* expected;
    } cases[] = {
        {"version=\"1.0\" encoding=\"UTF-8\"", D::from_code_page(1252), "version=\"1.0\" encoding=\"windows-1252\""},
        {"encoding=\"x\" standalone=\"no\"", D::from_kind(5), "encoding=\"UTF-16LE\" standalone=\"no\""},
        {"version=\"1.0\"", D::from_kind(3), "version=\"1.0\" encoding=\"UTF-8\""},
        {"", D::from_kind(4), " encoding=\"UTF-16\""},
        {"version=\"1.0\" encoding=\"UTF-8", D::from_kind(6), "version=\"1.0\" encoding=\"UTF-8"},
        {"encoding=\"UTF-8\"", D(), "encoding=\"\""},
        {"encoding=\"UTF-8\"", D::from_code_page(20866), "encoding=\"\""},
    };
    for (const auto& c : cases) {
        auto doc = declared("xml", c.data);
        set_declared_encoding(doc.get(), c.encoding);
        EXPECT_EQ(doc->child_nodes()->length(), 2) << c.data;
        EXPECT_EQ(utf8(doc->first_child()->node_value()), c.expected) << c.data;
    }
}

TEST(xmlDeclaration, SetDeclaredEncodingInsertsANewDeclarationFirst)
{
    auto empty = xmltest::new_document();
    set_declared_encoding(empty.get(), D::from_code_page(1252));
    EXPECT_EQ(utf8(empty->serialize()), "<?xml version=\"1.0\" encoding=\"windows-1252\"?>");

    auto late = declared("xml-stylesheet", "href=\"a\"");
    late->append_child(late->create_processing_instruction(apString("xml"), apString("encoding=\"UTF-8\"")));
    set_declared_encoding(late.get(), D::from_kind(3));
    EXPECT_EQ(utf8(late->serialize()),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<?xml-stylesheet href=\"a\"?>\n<r/>\n"
              "<?xml encoding=\"UTF-8\"?>");
    EXPECT_EQ(declared_encoding(late.get()), D::from_kind(3));
}

} // namespace
