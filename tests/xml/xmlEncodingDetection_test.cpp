#include <gtest/gtest.h>

#include <string>

#include "core/codePage.h"
#include "xml/xmlEncodingDetection.h"
#include "xmlTestSupport.h"

namespace {

using xmltest::spread;

const std::string kDeclared1252 = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<a/>";

struct DetectCase {
    const char* what;
    std::string bytes;
    unsigned int kind;
    unsigned int code_page;
    int bom_length;
};

TEST(xmlEncodingDetection, DecidesKindCodePageAndMark)
{
    const unsigned int ansi = codepage::ansi_code_page();
    const DetectCase cases[] = {
        {"UTF-16 mark", "\xFE\xFF" + spread("<a/>", 2, 1), 4, 0, 2},
        {"UTF-16LE mark", "\xFF\xFE" + spread("<a/>", 2, 0), 5, 0, 2},
        {"FF FE 00 is no mark", std::string("\xFF\xFE\0\0", 4), 0, 0, 0},
        {"UTF-8 mark wins over the declaration", "\xEF\xBB\xBF" + kDeclared1252, 3, 0, 3},
        {"mark alone", "\xEF\xBB\xBF", 3, 0, 3},
        {"declaration without encoding", "<?xml version=\"1.0\"?>\n<a/>", 3, 0, 0},
        {"carriage return ends the line", "<?xml version=\"1.0\"?>\r\n<a/>", 3, 0, 0},
        {"code page named", kDeclared1252, 2, 1252, 0},
        {"alias in another case", "<?xml encoding=\"ISO-8859-2\"?>\n", 2, 28592, 0},
        {"unit encoding named in 8-bit text", "<?xml encoding=\"UTF-16\"?>\n", 3, 0, 0},
        {"unknown name", "<?xml encoding=\"bogus\"?>\n", 3, 0, 0},
        {"name starting past empty quotes", "<?xml encoding=\"\" x=\"latin1\"?>\n", 3, 0, 0},
        {"no name before the line end", "<?xml encoding=\"\"\n", 0, 0, 0},
        {"encoding on the second line only", "<?xml version=\"1.0\"\nencoding=\"latin1\"?>", 3, 0, 0},
        {"declaration without a line end", "<?xml version=\"1.0\"?><a/>", 0, 0, 0},
        {"UTF-16LE declaration keeps its kind", spread(kDeclared1252, 2, 0), 5, 0, 0},
        {"UTF-16 declaration keeps its kind", spread(kDeclared1252, 2, 1), 4, 0, 0},
        {"UTF-32", spread(kDeclared1252, 4, 3), 6, 0, 0},
        {"UTF-32LE", spread(kDeclared1252, 4, 0), 7, 0, 0},
        {"order 2143", spread(kDeclared1252, 4, 1), 8, 0, 0},
        {"order 3412", spread(kDeclared1252, 4, 2), 9, 0, 0},
        {"UTF-32LE without encoding becomes UTF-8", spread("<?xml?>\n", 4, 0), 3, 0, 0},
        // The scan of a 16-bit line overshoots the end for the big-endian
        // start and lands on it for the little-endian one.
        {"UTF-16LE line to the end", spread("<?xml?>", 2, 0), 0, 0, 0},
        {"UTF-16 line past the end", spread("<?xml?>", 2, 1), 3, 0, 0},
        {"lone <", "<", 3, 0, 0},
        {"EBCDIC", "\x4C\x6F\xA7\x94\x40", 0, 0, 0},
        {"ASCII without declaration", "<a>text</a>", 2, ansi, 0},
        {"one byte", "x", 2, ansi, 0},
        {"non-ASCII without declaration", "<a>\xC3\xA9</a>", 0, 0, 0},
        {"non-ASCII last", "<a/>\x80", 0, 0, 0},
    };
    for (const DetectCase& c : cases) {
        apEncodingDescriptor found = apEncodingDescriptor::from_kind(99);
        int bom = -1;
        detect_xml_encoding(reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size(), &found, &bom);
        EXPECT_EQ(found.kind(), c.kind) << c.what;
        EXPECT_EQ(found.code_page(), c.code_page) << c.what;
        EXPECT_EQ(bom, c.bom_length) << c.what;
    }
}

TEST(xmlEncodingDetection, ReadsNoByteBeyondTheCount)
{
    // Every prefix of a declaration, in a buffer that ends exactly there, so
    // that the sanitizer sees any read past the count.
    const std::string all = spread(kDeclared1252, 4, 3) + "\xEF\xBB";
    for (size_t n = 0; n <= all.size(); ++n) {
        unsigned char* exact = new unsigned char[n ? n : 1];
        all.copy(reinterpret_cast<char*>(exact), n);
        apEncodingDescriptor found;
        int bom = 0;
        detect_xml_encoding(exact, n, &found, &bom);
        delete[] exact;
    }
}

} // namespace
