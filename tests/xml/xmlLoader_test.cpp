#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <streambuf>
#include <string>

#include "core/codePage.h"
#include "xml/xmlDocumentWriter.h"
#include "xml/xmlElement.h"
#include "xmlTestSupport.h"

namespace {

using D = apEncodingDescriptor;
using xmltest::utf8;
using xmltest::spread;
using xmltest::utf16le;

TEST(xmlLoader, DecodesByDetectedEncoding)
{
    const unsigned int ansi = codepage::ansi_code_page();
    const struct {
        const char* what;
        std::string bytes;
        D encoding;
        const char* root_text; // UTF-8; null: no element at all
    } cases[] = {
        {"UTF-8 declaration", "<?xml version=\"1.0\"?>\n<r>\xC3\xA9</r>", D::from_kind(3), "\xC3\xA9"},
        {"mark wins over the declared code page",
         "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<r>\xC3\xA9</r>", D::from_kind(3),
         "\xC3\xA9"},
        {"declared code page", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<r>\xE9\x80</r>",
         D::from_code_page(1252), "\xC3\xA9\xE2\x82\xAC"},
        {"declared Cyrillic", "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<r>\xC0</r>",
         D::from_code_page(1251), "\xD0\x90"},
        {"ASCII without declaration", "<r>plain</r>", D::from_code_page(ansi), "plain"},
        {"UTF-16LE with mark", "\xFF\xFE" + utf16le(u"<r>\u00E9\U0001F600</r>"), D::from_kind(5),
         "\xC3\xA9\xF0\x9F\x98\x80"},
        {"UTF-16LE without mark", utf16le(u"<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<r>\u00E9</r>"),
         D::from_kind(5), "\xC3\xA9"},
        {"UTF-16LE, odd last byte", "\xFF\xFE" + utf16le(u"<r>x</r>") + "\n", D::from_kind(5), "x"},
        {"UTF-16 with mark", "\xFE\xFF" + spread("<r>x</r>", 2, 1), D::from_kind(4), "x"},
        // A 16-bit declaration without an encoding is taken as UTF-8, whose
        // decoding ends at the first 0 byte: an empty document.
        {"UTF-16 without mark", spread("<?xml version=\"1.0\"?>\n<r>y</r>", 2, 1), D::from_kind(3), nullptr},
        {"UTF-32", spread("<?xml version=\"1.0\" encoding=\"UTF-32\"?>\n<r>z</r>", 4, 3), D::from_kind(6), "z"},
        {"UTF-32, partial last unit", spread("<?xml encoding=\"UTF-32\"?>\n<r>\xE9</r>", 4, 3) + std::string("\0\0\0", 3),
         D::from_kind(6), "\xC3\xA9"},
        {"UTF-16 with mark, odd last byte", "\xFE\xFF" + spread("<r>x</r>", 2, 1) + "\n", D::from_kind(4), "x"},
    };
    for (const auto& c : cases) {
        xmltest::Loaded loaded = xmltest::load(c.bytes);
        ASSERT_TRUE(loaded.document) << c.what << ": error " << loaded.error;
        EXPECT_EQ(loaded.error, 0u) << c.what;
        EXPECT_EQ(loaded.document->encoding(), c.encoding) << c.what;
        if (c.root_text == nullptr) {
            EXPECT_FALSE(loaded.document->has_child_nodes()) << c.what;
            continue;
        }
        ASSERT_TRUE(loaded.document->document_element()) << c.what;
        EXPECT_EQ(utf8(loaded.document->document_element()->text()), c.root_text) << c.what;
    }
}

TEST(xmlLoader, EveryFailureHasItsCode)
{
    const struct {
        const char* what;
        std::string bytes;
        unsigned int error;
    } cases[] = {
        {"no bytes", "", 12},
        {"declaration without line end", "<?xml version=\"1.0\"?><r/>", 10},
        {"non-ASCII without declaration", "<r>\xC3\xA9</r>", 10},
        {"EBCDIC", "\x4C\x6F\xA7\x94\x93\x40", 10},
        {"FF FE 00", std::string("\xFF\xFE\0\0<\0\0\0", 8), 10},
        {"broken UTF-8", "<?xml version=\"1.0\"?>\n<r>\xC3</r>", 10},
        {"broken UTF-8 after mark", "\xEF\xBB\xBF<r>\xFF</r>", 10},
        {"lone surrogate in UTF-16LE", "\xFF\xFE" + utf16le(u"<r>") + std::string("\x00\xD8", 2) + utf16le(u"</r>"), 10},
        {"lone surrogate in UTF-16", "\xFE\xFF" + std::string("\x00<\x00r\x00>\xDC\x00", 8), 10},
        {"undefined in the declared code page", "<?xml version=\"1.0\" encoding=\"shift_jis\"?>\n<r/>\x82", 10},
        {"declared unknown code page name", "<?xml version=\"1.0\" encoding=\"windows-1259\"?>\n<r>\xE9</r>", 10},
        {"order 2143", spread("<?xml encoding=\"x\"?>\n<r/>", 4, 1), 11},
        {"order 3412", spread("<?xml encoding=\"x\"?>\n<r/>", 4, 2), 11},
        {"syntax", "<?xml version=\"1.0\"?>\n<r>a>b</r>", 2},
        {"unclosed", "<?xml version=\"1.0\"?>\n<r>", 8},
    };
    for (const auto& c : cases) {
        xmltest::Loaded loaded = xmltest::load(c.bytes);
        EXPECT_FALSE(loaded.document) << c.what;
        EXPECT_EQ(loaded.error, c.error) << c.what;
    }
}

TEST(xmlLoader, UnusableStreamsAreReadErrors)
{
    std::istringstream failed("<r/>");
    failed.setstate(std::ios::failbit);
    xmlParser parser;
    EXPECT_EQ(parser.load_document(failed), nullptr);
    EXPECT_EQ(parser.error_code(), 1u);

    // A stream that cannot tell its position.
    struct Unseekable : std::streambuf {
        char bytes[5] = {'<', 'r', '/', '>', '\n'};
        Unseekable() { setg(bytes, bytes, bytes + sizeof bytes); }
    } buffer;
    std::istream unseekable(&buffer);
    EXPECT_EQ(parser.load_document(unseekable), nullptr);
    EXPECT_EQ(parser.error_code(), 1u);
}

TEST(xmlLoader, ReadsFromTheCurrentPosition)
{
    std::istringstream in("garbage<?xml version=\"1.0\"?>\n<r>x</r>");
    in.seekg(7);
    xmlParser parser;
    apString text;
    D encoding;
    ASSERT_TRUE(parser.read_text(in, &text, &encoding));
    EXPECT_EQ(utf8(text), "<?xml version=\"1.0\"?>\n<r>x</r>");
    EXPECT_EQ(encoding, D::from_kind(3));

    std::istringstream at_end("<r/>");
    at_end.seekg(0, std::ios::end);
    EXPECT_FALSE(parser.read_text(at_end, &text, &encoding));
    EXPECT_EQ(parser.error_code(), 12u);
}

TEST(xmlLoader, ParseStreamFillsAGivenDocument)
{
    auto doc = xmltest::new_document();
    xmlParser parser;
    std::istringstream in("\xFF\xFE" + utf16le(u"<r/>"));
    EXPECT_TRUE(parser.parse_stream(doc.get(), in));
    EXPECT_EQ(doc->encoding(), D::from_kind(5));
    EXPECT_EQ(utf8(doc->serialize()), "<r/>");
}

// Documents saved in every encoding the writer picks load back with the
// same encoding and the same text.
TEST(xmlLoader, SavedDocumentsLoadBack)
{
    const D encodings[] = {
        D::from_kind(3),         D::from_kind(4),         D::from_kind(5),         D::from_kind(6),
        D::from_code_page(1252), D::from_code_page(1250), D::from_code_page(28592), D::from_kind(7),
    };
    // U+00E9 exists in every one of the code pages above.
    for (const D& encoding : encodings) {
        SCOPED_TRACE(std::to_string(encoding.kind()) + " " + std::to_string(encoding.code_page()));
        auto doc = xmltest::parse("<root a=\"&quot;q&quot;\">\n  <v>caf\xC3\xA9 &amp; <i>x</i></v>\n  "
                                  "<!--note-->\n  <![CDATA[<raw>]]>\n</root>");
        ASSERT_TRUE(doc);
        doc->set_encoding(encoding);
        xmlDocumentWriter writer(doc.get());
        std::ostringstream out;
        ASSERT_TRUE(writer.write(out));
        ASSERT_EQ(writer.encoding(), encoding);

        xmltest::Loaded loaded = xmltest::load(out.str());
        if (encoding == D::from_kind(7)) { // written, but not read
            EXPECT_EQ(out.str().substr(0, 8), std::string("<\0\0\0?\0\0\0", 8));
            EXPECT_EQ(loaded.error, 11u);
            continue;
        }
        ASSERT_TRUE(loaded.document) << loaded.error;
        EXPECT_EQ(loaded.document->encoding(), encoding);
        EXPECT_EQ(utf8(loaded.document->serialize()), utf8(doc->serialize()));
    }
}

TEST(xmlLoader, ParseSerializeParseKeepsTheTree)
{
    const char* sources[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE doc SYSTEM \"doc.dtd\" [<!ENTITY who \"<b>world</b> &amp; co\">]>\n"
        "<!-- top -->\n"
        "<doc a='1' b=\"two words\" c=\"&lt;&#65;&gt;\">\n"
        "  <p>Hello &who;, 1 &lt; 2 &#66;<br/>line <i>it</i> tail</p>\n"
        "  <?app do=\"this\"?>\n"
        "  <![CDATA[ <not> & markup ]]>\n"
        "  <empty></empty>\n"
        "  <deep><er><est x=\"y\"/></er></deep>\n"
        "</doc>\n"
        "<?after now?>",
        "<r>text only</r>",
        "<r>&undeclared; &#7; &#1234;</r>",
    };
    for (const char* source : sources) {
        auto first = xmltest::parse(source);
        ASSERT_TRUE(first) << source;
        first->set_expand_entity_references(0);
        std::string once = utf8(first->serialize());
        auto second = xmltest::parse(once);
        ASSERT_TRUE(second) << once;
        second->set_expand_entity_references(0);
        EXPECT_EQ(utf8(second->serialize()), once);
        EXPECT_EQ(utf8(second->text()), utf8(first->text()));
    }
}

// Arbitrary bytes end in a document or an error code, never in a crash.
TEST(xmlLoader, ArbitraryBytesNeverCrash)
{
    const std::string seeds[] = {
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<r a=\"1\">x&amp;<b/></r>",
        "\xEF\xBB\xBF<r>\xC3\xA9</r>",
        "\xFF\xFE" + utf16le(u"<?xml version=\"1.0\"?>\n<r>\u00E9</r>"),
        spread("<?xml encoding=\"UTF-32\"?>\n<r/>", 4, 3),
        spread("<?xml encoding=\"UTF-16\"?>\n<r/>", 2, 1),
    };
    std::uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return state >> 16;
    };
    for (const std::string& seed : seeds) {
        for (size_t cut = 0; cut <= seed.size(); ++cut) {
            xmltest::Loaded loaded = xmltest::load(seed.substr(0, cut));
            EXPECT_TRUE(loaded.document || loaded.error != 0);
        }
        for (int round = 0; round < 300; ++round) {
            std::string bytes = seed;
            int changes = 1 + next() % 4;
            for (int i = 0; i < changes; ++i)
                bytes[next() % bytes.size()] = static_cast<char>(next() & 0xFF);
            xmltest::Loaded loaded = xmltest::load(bytes);
            if (loaded.document)
                EXPECT_EQ(loaded.error, 0u);
            else
                EXPECT_NE(loaded.error, 0u);
        }
    }
}

} // namespace
