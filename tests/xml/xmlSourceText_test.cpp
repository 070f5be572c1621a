// The bytes a load reads: checked in blocks of eight, turned into UTF-8 from
// the other encodings, and positions of errors counted in characters from
// byte offsets.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "xml/xmlText.h"
#include "xmlTestSupport.h"

namespace {

using xmltest::spread;
using xmltest::utf16le;
using xmltest::utf8;

const std::string kMark = "\xEF\xBB\xBF";

std::tuple<unsigned int, int, int> failure(const std::string& bytes)
{
    std::istringstream in(bytes);
    xmlParser parser;
    xmltest::DocumentPtr document(parser.load_document(in));
    return std::make_tuple(parser.error_code(), parser.error_line(), parser.error_column());
}

std::string utf32be(const std::vector<std::uint32_t>& code_points)
{
    std::string out;
    for (std::uint32_t c : code_points)
        for (int shift = 24; shift >= 0; shift -= 8)
            out += static_cast<char>((c >> shift) & 0xFF);
    return out;
}

// Every sequence at every place of an eight-byte block, inside the text and
// in the last bytes of the input, where fewer than eight remain.
TEST(xmlSourceText, SequencesAreCheckedAtEveryPlaceOfABlock)
{
    const struct {
        const char* what;
        std::string sequence;
        bool valid;
    } sequences[] = {
        {"two bytes", "\xC3\xA9", true},
        {"four bytes", "\xF0\x9F\x98\x80", true},
        {"lead without its continuation", "\xC3", false},
        {"three-byte lead cut short", "\xE2\x82", false},
        {"stray continuation", "\x80", false},
        {"encoded surrogate", "\xED\xA0\x80", false},
        {"overlong", "\xC0\xAF", false},
    };
    for (const auto& s : sequences) {
        for (size_t k = 0; k < 17; ++k) {
            const std::string run(k, 'a');
            xmltest::Loaded inside = xmltest::load(kMark + "<r>" + run + s.sequence + "</r>");
            if (s.valid) {
                ASSERT_TRUE(inside.document) << s.what << " after " << k << ": error " << inside.error;
                EXPECT_EQ(utf8(inside.document->document_element()->text()), run + s.sequence) << s.what << k;
            } else {
                EXPECT_EQ(inside.error, 10u) << s.what << " after " << k;
            }
            // Text after the root: a valid one is refused as a child, a
            // broken one never gets that far.
            const unsigned int at_end = xmltest::load(kMark + "<r/>" + run + s.sequence).error;
            EXPECT_EQ(at_end, s.valid ? 4u : 10u) << s.what << " at the end after " << k;
        }
    }
}

TEST(xmlSourceText, TheTextEndsAtItsFirstZeroWhereverItStands)
{
    for (size_t k = 0; k < 17; ++k) {
        // Cut inside the root: the element is never closed. Bytes past the
        // 0 are not looked at, broken or not.
        const std::string run(k, 'a');
        EXPECT_EQ(xmltest::load(kMark + "<r>" + run + std::string("\0\xFF</r>", 6)).error, 8u) << k;
        EXPECT_EQ(xmltest::load(kMark + "<r/>" + run + std::string("\0\xFF", 2)).error, k == 0 ? 0u : 4u) << k;
    }
    // 16-bit input ends at a 0 unit too, but an unpaired surrogate anywhere
    // breaks it.
    EXPECT_EQ(xmltest::load("\xFF\xFE" + utf16le(u"<r/>") + std::string("\0\0x\0", 4)).error, 0u);
    EXPECT_EQ(xmltest::load("\xFF\xFE" + utf16le(u"<r/>") + std::string("\0\0\x00\xD8", 4)).error, 10u);
}

// 32-bit units are taken unchecked: every width the parser's own UTF-8
// uses, on both sides of its bound, comes back as it went in.
TEST(xmlSourceText, ThirtyTwoBitUnitsComeBackUnchanged)
{
    const std::vector<std::uint32_t> values = {0x7F,     0x80,      0x7FF,      0x800,      0xFFFF,     0x10000,
                                               0x10FFFF, 0x110000,  0x1FFFFF,   0x200000,   0x3FFFFFF,  0x4000000,
                                               0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
    std::vector<std::uint32_t> document = {'<', 'r', '>'};
    document.insert(document.end(), values.begin(), values.end());
    for (std::uint32_t c : {'<', '/', 'r', '>'})
        document.push_back(c);
    const std::string declaration = spread("<?xml encoding=\"UTF-32\"?>\n", 4, 3);
    xmltest::Loaded loaded = xmltest::load(declaration + utf32be(document));
    ASSERT_TRUE(loaded.document) << loaded.error;
    const apString text = loaded.document->document_element()->text();
    ASSERT_EQ(text.length(), values.size());
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(text[i], values[i]) << i;
}

// Lines and columns count characters, whatever bytes or units they took.
TEST(xmlSourceText, ErrorsArePlacedInCharacters)
{
    const struct {
        const char* what;
        std::string bytes;
        unsigned int error;
        int line;
        int column;
    } cases[] = {
        {"at the first character after the mark", kMark + ">", 2, 1, 1},
        {"after two-, three- and four-byte characters", kMark + "<r>\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80>", 2, 1, 7},
        {"right after a line feed", kMark + "<r>\xC3\xA9\n>", 2, 2, 1},
        {"after a line feed and a character", kMark + "<r>\n\xC3\xA9>", 2, 2, 2},
        {"at the end after a line feed", kMark + "<r>\xC3\xA9\n", 8, 2, 1},
        {"a surrogate pair is one character", "\xFF\xFE" + utf16le(u"<r>\U0001F600\u00E9>"), 2, 1, 6},
        {"in a code page", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<r>\xE9\x80>", 2, 2, 6},
        {"in the internal subset, second line",
         kMark + "<!DOCTYPE r SYSTEM [<!ENTITY e \"\xC3\xA9\">\n<!ENTITY f \"\xC3\xA9\"> x ]><r/>", 4, 2, 19},
        {"in a character reference, after non-ASCII", kMark + "<r>\xC3\xA9&#1x;</r>", 2, 1, 8},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failure(c.bytes), std::make_tuple(c.error, c.line, c.column)) << c.what;
}

// Texts of up to 32 bytes are shared through the parser's cache, longer ones
// made each time: names on both sides of that bound, ASCII or not, read and
// close alike.
TEST(xmlSourceText, NamesOnBothSidesOfTheSharedLength)
{
    for (size_t bytes : {31, 32, 33}) {
        for (const std::string last : {"a", "\xC3\xA9"}) {
            const std::string name = std::string(bytes - last.size(), 'n') + last;
            const std::string other = std::string(bytes - last.size(), 'n') + "b";
            xmltest::DocumentPtr document = xmltest::parse("<" + name + "><" + name + "/><" + other + " " + name +
                                                           "='" + other + "'/></" + name + ">");
            ASSERT_TRUE(document) << bytes << " " << last;
            EXPECT_EQ(xmltest::picture(document.get()),
                      name + "{" + name + "," + other + "[" + name + "=" + other + "]}")
                << bytes << " " << last;
            EXPECT_FALSE(xmltest::parse("<" + name + "></" + other + ">")) << bytes << " " << last;
        }
    }
}

// The document keeps its nodes in pages that grow; every node on every page
// is counted and dies with it (the sanitizer run sees any that does not).
TEST(xmlSourceText, EveryNodeOnEveryPageIsKept)
{
    for (int children : {14, 15, 16, 46, 47, 48, 3000}) {
        std::string text = "<r>";
        for (int i = 0; i < children; ++i)
            text += "<c/>";
        xmltest::DocumentPtr document = xmltest::parse(text + "</r>");
        ASSERT_TRUE(document) << children;
        EXPECT_EQ(document->document_element()->child_nodes()->length(), children);
    }
}

} // namespace
