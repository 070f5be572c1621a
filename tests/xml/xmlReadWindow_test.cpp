// Loading a large input through a window that slides over the stream and
// grows while one construct needs more: every input ends as it does when
// held whole, with the same tree, or the same error at the same line and
// column.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <streambuf>
#include <string>

#include "xmlTestSupport.h"

namespace {

const size_t kWhole = static_cast<size_t>(-1);
const std::string kDeclaration = "<?xml version=\"1.0\"?>\n";

struct Outcome {
    bool loaded;
    unsigned int error;
    int line;
    int column;
    std::string text;
    unsigned int encoding;
};

Outcome load_through(const std::string& bytes, size_t window)
{
    std::istringstream in(bytes);
    xmlParser parser;
    parser.set_read_window(window);
    xmltest::DocumentPtr document(parser.load_document(in));
    Outcome out{document != nullptr, parser.error_code(), parser.error_line(), parser.error_column(), "", 0};
    if (document) {
        out.text = document->serialize().utf8_str();
        out.encoding = document->encoding().kind();
    }
    return out;
}

void expect_same(const Outcome& whole, const Outcome& windowed, const std::string& what)
{
    EXPECT_EQ(whole.loaded, windowed.loaded) << what;
    EXPECT_EQ(whole.error, windowed.error) << what;
    EXPECT_EQ(whole.line, windowed.line) << what;
    EXPECT_EQ(whole.column, windowed.column) << what;
    EXPECT_EQ(whole.text, windowed.text) << what;
    EXPECT_EQ(whole.encoding, windowed.encoding) << what;
}

std::string lines(size_t count)
{
    std::string out;
    for (size_t i = 0; i < count; ++i)
        out += "  <line n=\"" + std::to_string(i) + "\">caf\xC3\xA9 \xE2\x82\xAC " + std::to_string(i) + "</line>\n";
    return out;
}

// Each construct in a document of its own, through windows of every size
// from the least up: the window's edge falls at every byte of it.
TEST(xmlReadWindow, EveryConstructAcrossTheWindowEdge)
{
    const std::string long_text(300, 'x');
    const struct {
        const char* what;
        std::string body;
    } cases[] = {
        {"text longer than the window", "<r>" + long_text + "</r>"},
        {"characters of two to four bytes",
         "<r>\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80 \xC3\xA9\xC3\xA9\xF0\x9F\x98\x80</r>"},
        {"long names and values",
         "<a-long-element-name attribute-name-longer-than-the-window=\"" + long_text + "\" b='&amp;&lt;'/>"},
        {"comment", "<r><!-- a comment -- with dashes " + long_text + " --></r>"},
        {"CDATA", "<r><![CDATA[ <not> &markup; ]] " + long_text + "]]></r>"},
        {"processing instruction", "<r><?target data ? > " + long_text + "?></r>"},
        {"references and mixed content", "<r>a &lt; b &amp; c &#169; <b>bold</b> tail &gt;</r>"},
        {"document type with entities",
         "<!DOCTYPE r SYSTEM \"r.dtd\" [\n<!ENTITY e \"" + long_text + "\">\n<!ENTITY f 'two words'>\n]>\n"
         "<r>&e; and &f;</r>"},
        {"nesting", "<a><b><c><d><e><f>deep</f></e></d></c></b></a>"},
        {"many lines", "<r>\n" + lines(40) + "</r>"},
        {"text ended by a 0 byte", "<r>" + long_text + "</r>" + std::string(1, '\0') + "<broken"},
    };
    for (const auto& c : cases) {
        const std::string bytes = kDeclaration + c.body;
        const Outcome whole = load_through(bytes, kWhole);
        EXPECT_TRUE(whole.loaded) << c.what;
        for (size_t window = 16; window <= 48; ++window)
            expect_same(whole, load_through(bytes, window), c.what + std::string(", window ") + std::to_string(window));
    }
}

// Errors far behind the window's start are counted again from the stream.
TEST(xmlReadWindow, ErrorsStandWhereTheWholeTextPutsThem)
{
    const std::string body = "<r>\n" + lines(60);
    const struct {
        const char* what;
        std::string bytes;
        unsigned int error;
    } cases[] = {
        {"end tag of another element", body + "</s>", 3},
        {"\">\" in text", body + "a > b</r>", 2},
        {"unterminated attribute value", body + "<x a=\"open", 7},
        {"five-digit character reference", body + "&#12345;</r>", 2},
        {"content that ends after a nested end tag", body, 3},
        {"content that ends long after a nested end tag", body + "</line>" + std::string(200, ' '), 3},
        {"content that ends before any end tag", body + "<x>", 8},
        {"comment in the internal subset", kDeclaration + "<!DOCTYPE r SYSTEM \"x\" [\n<!-- no -->\n]>\n<r/>", 4},
        {"broken UTF-8 near the end", body + "\xC3(</r>", 10},
        {"broken UTF-8 at the very end", body + "</r>\xE2\x82", 10},
    };
    for (const auto& c : cases) {
        const std::string bytes = c.bytes.compare(0, 5, "<?xml") == 0 ? c.bytes : kDeclaration + c.bytes;
        const Outcome whole = load_through(bytes, kWhole);
        EXPECT_EQ(whole.error, c.error) << c.what;
        for (size_t window : {16, 17, 61, 256, 1024})
            expect_same(whole, load_through(bytes, window), c.what + std::string(", window ") + std::to_string(window));
    }
}

// Only UTF-8 named in a first line that ends within the head, or marked by
// its byte order mark, streams; other inputs are read whole, with the same
// outcome.
TEST(xmlReadWindow, TheHeadDecidesWhatStreams)
{
    const std::string body = "<r>\n" + lines(20) + "</r>";
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"declared UTF-8", kDeclaration + body},
        {"byte order mark, one line", "\xEF\xBB\xBF<r>" + std::string(200, 'y') + "</r>"},
        {"declared code page", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<r>\xE9\x80" + body + "</r>"},
        {"no declaration", "<r>\n" + std::string(300, 'n') + "</r>"},
        {"first line longer than the head", "<?xml version=\"1.0\"?>" + std::string(5000, ' ') + "\n<r>z</r>"},
        {"declaration alone on a carriage-return line", "<?xml version=\"1.0\"?>\r" + body},
    };
    for (const auto& c : cases) {
        const Outcome whole = load_through(c.bytes, kWhole);
        EXPECT_TRUE(whole.loaded) << c.what;
        for (size_t window : {16, 100, 4096})
            expect_same(whole, load_through(c.bytes, window),
                        c.what + std::string(", window ") + std::to_string(window));
    }
}

// Bytes of a stream that gives its whole text once and, from then on,
// only the first half of it.
class ShrinkingSource : public std::streambuf {
public:
    explicit ShrinkingSource(const std::string& bytes) : bytes_(bytes), size_(bytes.size()) {}

protected:
    int_type underflow() override
    {
        if (position_ >= size_)
            return traits_type::eof();
        return traits_type::to_int_type(bytes_[position_]);
    }
    int_type uflow() override
    {
        const int_type c = underflow();
        if (c != traits_type::eof())
            ++position_;
        return c;
    }
    std::streamsize xsgetn(char* out, std::streamsize count) override
    {
        const size_t n = std::min(static_cast<size_t>(count), size_ - std::min(position_, size_));
        std::copy_n(bytes_.data() + position_, n, out);
        position_ += n;
        if (position_ == bytes_.size())
            size_ = bytes_.size() / 2;
        return static_cast<std::streamsize>(n);
    }
    pos_type seekoff(off_type offset, std::ios_base::seekdir dir, std::ios_base::openmode) override
    {
        const off_type from = dir == std::ios_base::beg ? 0 : dir == std::ios_base::cur ? position_ : bytes_.size();
        position_ = static_cast<size_t>(from + offset);
        return pos_type(static_cast<off_type>(position_));
    }
    pos_type seekpos(pos_type position, std::ios_base::openmode mode) override
    {
        return seekoff(off_type(position), std::ios_base::beg, mode);
    }

private:
    std::string bytes_;
    size_t size_;
    size_t position_ = 0;
};

TEST(xmlReadWindow, AStreamThatGivesLessTheSecondTimeIsAReadError)
{
    const std::string bytes = kDeclaration + "<r>\n" + lines(50) + "</r>";
    ShrinkingSource source(bytes);
    std::istream in(&source);
    xmlParser parser;
    parser.set_read_window(64);
    xmltest::DocumentPtr document(parser.load_document(in));
    EXPECT_EQ(document, nullptr);
    EXPECT_EQ(parser.error_code(), 1u);
}

} // namespace
