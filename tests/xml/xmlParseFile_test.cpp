#include <gtest/gtest.h>

#include <string>

#include "files/apPath.h"
#include "support/tempDir.h"
#include "xml/xmlDocumentType.h"
#include "xml/xmlElement.h"
#include "xml/xmlEntity.h"
#include "xml/xmlNamedNodeMap.h"
#include "xmlTestSupport.h"

namespace {

using D = apEncodingDescriptor;
using xmltest::utf8;
using xmltest::utf16le;

TEST(xmlParseFile, ReadsAFileInItsOwnEncoding)
{
    testsupport::TempDir dir;
    testsupport::write_bytes(dir.at("part.xml"), "\xFF\xFE" + utf16le(u"<p>caf\u00E9</p><q/>"));
    auto doc = xmltest::new_document(D::from_kind(3));
    xmlElement* root = doc->create_element(apString("r"));
    doc->append_child(root);

    xmlParser parser;
    ASSERT_TRUE(parser.parse_file(root, apPath(testsupport::to_text(dir.at("part.xml")))));
    EXPECT_EQ(utf8(root->serialize()), "<r>\n  <p>caf\xC3\xA9</p>\n  <q/>\n</r>");
    EXPECT_EQ(doc->encoding(), D::from_kind(5)) << "the document takes the encoding of the last file read";
}

TEST(xmlParseFile, MissingOrUnreadableFilesAreReadErrors)
{
    testsupport::TempDir dir;
    auto doc = xmltest::new_document();
    xmlParser parser;
    EXPECT_FALSE(parser.parse_file(doc.get(), apPath(testsupport::to_text(dir.at("absent.xml")))));
    EXPECT_EQ(parser.error_code(), 1u);
    EXPECT_FALSE(parser.parse_file(doc.get(), apPath(dir.text())));
    EXPECT_EQ(parser.error_code(), 1u);

    testsupport::write_bytes(dir.at("empty.xml"), "");
    EXPECT_FALSE(parser.parse_file(doc.get(), apPath(testsupport::to_text(dir.at("empty.xml")))));
    EXPECT_EQ(parser.error_code(), 12u);
}

TEST(xmlParseFile, ExternalEntities)
{
    testsupport::TempDir dir;
    testsupport::write_bytes(dir.at("ext.xml"), "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<b>\xE9</b>");
    std::string system_id = testsupport::to_utf8(testsupport::to_text(dir.at("ext.xml")));
    auto doc = xmltest::parse("<!DOCTYPE r SYSTEM [<!ENTITY x SYSTEM \"" + system_id + "\">]><r>&x;</r>");
    ASSERT_TRUE(doc);
    EXPECT_EQ(utf8(doc->document_element()->serialize()), "<r><?xml version=\"1.0\" encoding=\"windows-1252\"?><b>\xC3\xA9</b></r>");

    xmlDocument* raw = new xmlDocument(D::from_kind(3));
    xmlParser parser;
    std::string missing = "<!DOCTYPE r SYSTEM [<!ENTITY x SYSTEM \"" + system_id + ".absent\">]><r/>";
    EXPECT_FALSE(parser.parse(raw, apString(missing.c_str())));
    EXPECT_EQ(parser.error_code(), 1u);
    delete raw;
}

} // namespace
