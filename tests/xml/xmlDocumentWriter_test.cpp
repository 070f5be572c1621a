#include <gtest/gtest.h>

#include <iomanip>
#include <memory>
#include <sstream>
#include <string>

#include "xml/xmlDeclaration.h"
#include "xml/xmlDocumentType.h"
#include "xml/xmlDocumentWriter.h"
#include "xml/xmlElement.h"
#include "xml/xmlEntityReference.h"
#include "xml/xmlProcessingInstruction.h"
#include "xml/xmlText.h"
#include "xmlTestSupport.h"

namespace {

using D = apEncodingDescriptor;
using xmltest::utf8;

const D kRequestEncoding = D::from_code_page(1252);

// <Request> with one <Value> holding `text` (UTF-8).
xmltest::DocumentPtr request(const char* text, D encoding = kRequestEncoding)
{
    auto doc = xmltest::new_document(encoding);
    xmlElement* root = doc->create_element(apString("Request"));
    doc->append_child(root);
    xmlElement* value = doc->create_element(apString("Value"));
    root->append_child(value);
    value->set_text(apString(text));
    return doc;
}

struct Written {
    bool ok;
    std::string bytes;
    D encoding;
};

Written save(xmlDocument* doc)
{
    xmlDocumentWriter writer(doc);
    std::ostringstream out;
    bool ok = writer.write(out);
    return Written{ok, out.str(), writer.encoding()};
}

TEST(xmlDocumentWriter, PicksTheEncodingByContent)
{
    const std::string decl1252 = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n";
    const struct {
        const char* text;
        D document;
        D written;
        std::string bytes; // of <Value>
    } cases[] = {
        // ASCII needs no declaration, and none is added to the document.
        {"Copper", kRequestEncoding, D(), "<Value>Copper</Value>"},
        {"plain", D(), D(), "<Value>plain</Value>"},
        {"Kupfer \xC3\xA9 \xE2\x82\xAC", kRequestEncoding, kRequestEncoding, "<Value>Kupfer \xE9 \x80</Value>"},
        {"\xC3\xA9", D(), D::from_kind(3), "<Value>\xC3\xA9</Value>"},
        // Runs of line feeds separate code page lines as one; none is written empty.
        {"\xC3\xA9\n\n\nb\n", kRequestEncoding, kRequestEncoding, "<Value>\xE9\nb\n</Value>"},
        {"\xE4\xB8\x80", kRequestEncoding, kRequestEncoding, "<Value>?</Value>"}, // U+4E00 has no 1252 form
    };
    for (const auto& c : cases) {
        auto doc = request(c.text, c.document);
        xmlDocumentWriter writer(doc.get());
        if (c.document == D())
            EXPECT_EQ(writer.encoding(), D()) << "the constructor keeps kind 0 for a document without encoding";
        std::ostringstream out;
        EXPECT_TRUE(writer.write(out)) << c.text;
        EXPECT_EQ(writer.encoding(), c.written) << c.text;
        const std::string head = c.written == D()           ? ""
                                 : c.written == D::from_kind(3) ? "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                                                : decl1252;
        EXPECT_EQ(out.str(), head + "<Request>\n  " + c.bytes + "\n</Request>\n") << c.text;
        EXPECT_EQ(doc->child_nodes()->length(), c.written == D() ? 1 : 2) << c.text;
    }
}

TEST(xmlDocumentWriter, ExistingDeclarationIsRewrittenNotDuplicated)
{
    auto doc = request("\xC3\xA9");
    doc->insert_before(doc->create_processing_instruction(apString("xml"),
                                                          apString("version=\"1.0\" encoding=\"UTF-16\"")),
                       doc->first_child());
    // The declaration decides the writer's encoding; the document's own one
    // takes over because the text is not ASCII.
    Written w = save(doc.get());
    EXPECT_EQ(w.encoding, kRequestEncoding);
    EXPECT_EQ(doc->child_nodes()->length(), 2);
    EXPECT_EQ(w.bytes.substr(0, w.bytes.find('\n')), "<?xml version=\"1.0\" encoding=\"windows-1252\"?>");

    auto ascii = request("x", D());
    ascii->insert_before(ascii->create_processing_instruction(apString("xml"),
                                                              apString("version=\"1.0\" encoding=\"UTF-16LE\"")),
                         ascii->first_child());
    Written le = save(ascii.get());
    EXPECT_EQ(le.encoding, D::from_kind(5));
    EXPECT_EQ(le.bytes.substr(0, 4), std::string("<\0?\0", 4));
}

TEST(xmlDocumentWriter, EachEncodingKindWritesItsBytes)
{
    const std::string decl_body = "version=\"1.0\" encoding=\"";
    const struct {
        D encoding;
        const char* name;
        size_t width; // 0: 8-bit with a final line end
        size_t at;
    } cases[] = {
        {D::from_kind(3), "UTF-8", 0, 0},
        {D::from_kind(4), "UTF-16", 2, 1},
        {D::from_kind(5), "UTF-16LE", 2, 0},
        {D::from_kind(6), "UTF-32", 4, 3},
        {D::from_kind(7), "UTF-32LE", 4, 0},
    };
    for (const auto& c : cases) {
        auto doc = request("x", D());
        xmlDocumentWriter writer(doc.get());
        writer.set_encoding(c.encoding);
        std::ostringstream out;
        EXPECT_TRUE(writer.write(out)) << c.name;
        std::string text = "<?xml " + decl_body + c.name + "\"?>\n<Request>\n  <Value>x</Value>\n</Request>";
        std::string expected = c.width ? xmltest::spread(text, c.width, c.at) : text + "\n";
        EXPECT_EQ(out.str(), expected) << c.name;
    }
}

TEST(xmlDocumentWriter, UnitEncodingsCarryCharactersBeyondASCII)
{
    // U+00E9 and U+1F600.
    auto doc = request("\xC3\xA9\xF0\x9F\x98\x80", D::from_kind(4));
    Written w = save(doc.get());
    EXPECT_EQ(w.encoding, D::from_kind(4));
    const std::string tail("\x00\xE9\xD8\x3D\xDE\x00\x00<", 8);
    EXPECT_NE(w.bytes.find(tail), std::string::npos);
    EXPECT_EQ(w.bytes.compare(0, 2, std::string("\0<", 2)), 0) << "no byte order mark";
}

TEST(xmlDocumentWriter, CodePageLinesAreLimitedTo1024Bytes)
{
    // "  <Value>" + filler + "</Value>" is one line of 17 + filler bytes;
    // U+00E9 is one byte in code page 1252.
    for (size_t line : {1024u, 1025u}) {
        std::string filler = "\xC3\xA9" + std::string(line - 17 - 1, 'a');
        auto doc = request(filler.c_str());
        Written w = save(doc.get());
        EXPECT_EQ(w.ok, line == 1024) << line;
        const std::string declaration = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<Request>\n";
        if (line == 1024)
            EXPECT_EQ(w.bytes.size(), declaration.size() + 1024 + 1 + 11);
        else
            EXPECT_EQ(w.bytes, declaration) << "the lines before the long one stay written";
    }
}

TEST(xmlDocumentWriter, SetEncodingByNameAndCodePageBelowOne)
{
    auto zero = request("x", D());
    xmlDocumentWriter failing(zero.get());
    failing.set_encoding(D::from_code_page(0));
    std::ostringstream out;
    EXPECT_FALSE(failing.write(out));
    EXPECT_EQ(out.str(), "");

    auto doc = request("x", D());
    xmlDocumentWriter writer(doc.get());

    writer.set_encoding_by_name(ut_lit("klingon"));
    EXPECT_EQ(writer.encoding(), D());
    EXPECT_EQ(doc->child_nodes()->length(), 1);
    writer.set_encoding_by_name(ut_lit("Latin1"));
    EXPECT_EQ(writer.encoding(), D::from_code_page(1252));
    EXPECT_EQ(declared_encoding(doc.get()), D::from_code_page(1252));
}

TEST(xmlDocumentWriter, EntityReferencesAreWrittenAsReferences)
{
    auto doc = xmltest::parse("<!DOCTYPE r SYSTEM [<!ENTITY e \"\xC3\xA9t\xC3\xA9\">]><r>&e;</r>");
    ASSERT_TRUE(doc);
    doc->set_encoding(D::from_code_page(1252));
    ASSERT_EQ(doc->expand_entity_references(), 1u);
    Written w = save(doc.get());
    EXPECT_EQ(w.bytes,
              "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n"
              "<!DOCTYPE r SYSTEM [\n  <!ENTITY e \"\xE9t\xE9\">\n]>\n<r>&e;</r>\n");
    EXPECT_EQ(doc->expand_entity_references(), 1u) << "the flag is restored";

    // Without the declarations only the expansion would hold non-ASCII text.
    doc->remove_child(doc->first_child());
    doc->remove_child(doc->doctype());
    ASSERT_EQ(utf8(doc->serialize()), "<r>\xC3\xA9t\xC3\xA9</r>");
    xmlDocumentWriter writer(doc.get());
    EXPECT_FALSE(writer.has_non_ascii());
    EXPECT_EQ(writer.encoding(), D());
    std::ostringstream out;
    EXPECT_TRUE(writer.write(out));
    EXPECT_EQ(out.str(), "<r>&e;</r>\n");
}

// UTF-8 goes to the stream a buffer at a time: the bytes must be the
// serialized text's, also where characters of every length straddle the
// buffer's ends.
TEST(xmlDocumentWriter, UTF8IsTheSerializedTextAtAnyLength)
{
    for (int entries : {1, 3000, 20000}) {
        SCOPED_TRACE(entries);
        std::string bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r>";
        for (int i = 0; i < entries; ++i)
            bytes += i % 2 ? "<v a=\"\xC3\xA9&amp;'\">x\xE2\x82\xAC\xF0\x9F\x98\x80 &lt; t</v>"
                           : "<!-- c --><w><![CDATA[<\xC3\xBC>]]></w>";
        bytes += "</r>";
        std::istringstream in(bytes);
        xmlParser parser;
        std::unique_ptr<xmlDocument> doc(parser.load_document(in));
        ASSERT_TRUE(doc);
        const std::string expected = utf8(doc->serialize()) + "\n";
        Written w = save(doc.get());
        EXPECT_TRUE(w.ok);
        EXPECT_EQ(w.bytes.size(), expected.size());
        EXPECT_TRUE(w.bytes == expected);
    }
}

TEST(xmlDocumentWriter, UTF8HonoursTheStreamsFieldWidth)
{
    auto doc = request("\xC3\xA9", D::from_kind(D::kind_utf8));
    xmlDocumentWriter writer(doc.get()); // may add the declaration
    const std::string text = utf8(doc->serialize());
    std::ostringstream out;
    out << std::setw(static_cast<int>(text.size() + 3));
    EXPECT_TRUE(writer.write(out));
    EXPECT_EQ(out.str(), "   " + text + "\n");
}

} // namespace
