// The limits that stand between hostile input and the host's stack, memory
// and time: each must end in its error code, quickly, and ordinary input
// just inside them must still parse.
#include <gtest/gtest.h>

#include <chrono>
#include <istream>
#include <sstream>
#include <string>

#include "files/apPath.h"
#include "support/repeatText.h"
#include "support/tempDir.h"
#include "xml/xmlElement.h"
#include "xml/xmlText.h"
#include "xml/xmlParser.h"
#include "xmlTestSupport.h"

namespace {

struct Outcome {
    bool ok;
    unsigned int error;
};

Outcome parse(const std::string& text)
{
    auto document = xmltest::new_document(apEncodingDescriptor::from_kind(apEncodingDescriptor::kind_utf8));
    xmlParser parser;
    const bool ok = parser.parse(document.get(), apString(text.c_str()));
    return Outcome{ok, parser.error_code()};
}

using testsupport::repeat;

std::string nested(size_t depth)
{
    return repeat("<a>", depth) + repeat("</a>", depth);
}

// Entities e1..en, each made of `copies` references to the one before, e0
// holding `base`; the document's element refers to en once.
std::string entity_ladder(int levels, int copies, const std::string& base, const std::string& wrap = "")
{
    std::string subset = "<!ENTITY e0 \"" + base + "\">";
    for (int i = 1; i <= levels; ++i) {
        std::string body = repeat("&e" + std::to_string(i - 1) + ";", static_cast<size_t>(copies));
        if (!wrap.empty())
            body = "<" + wrap + ">" + body + "</" + wrap + ">";
        subset += "<!ENTITY e" + std::to_string(i) + " \"" + body + "\">";
    }
    return "<!DOCTYPE r SYSTEM [" + subset + "]><r>&e" + std::to_string(levels) + ";</r>";
}

struct LimitCase {
    const char* name;
    std::string text;
    bool ok;
    unsigned int error;
};

class Limits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(Limits, EndInTheirCodeQuickly)
{
    const auto start = std::chrono::steady_clock::now();
    Outcome o = parse(GetParam().text);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(o.ok, GetParam().ok);
    EXPECT_EQ(o.error, GetParam().error);
    EXPECT_LT(took, std::chrono::seconds(2));
}

INSTANTIATE_TEST_SUITE_P(
    Parser, Limits,
    ::testing::Values(
        LimitCase{"depth_at_limit", nested(xml_max_depth), true, NoError},
        LimitCase{"depth_past_limit", nested(xml_max_depth + 1), false, NestingTooDeep},
        LimitCase{"depth_of_a_million", repeat("<a>", 1000000), false, NestingTooDeep},
        LimitCase{"empty_elements_do_not_nest", "<r>" + repeat("<a/>", 1000) + "</r>", true, NoError},
        // Entity contents nest where they are referred to.
        LimitCase{"entity_elements_past_limit", entity_ladder(300, 1, "x", "b"), false, NestingTooDeep},
        LimitCase{"entity_references_past_limit", entity_ladder(300, 1, "x"), false, NestingTooDeep},
        LimitCase{"entity_chain_within_limit", entity_ladder(100, 1, "x", "b"), true, NoError},
        LimitCase{"billion_laughs", entity_ladder(9, 10, "lol"), false, ExpansionTooLarge},
        LimitCase{"quadratic_blowup", entity_ladder(1, 2000, std::string(10000, 'x')), false, ExpansionTooLarge},
        // Twice 50 x 10000 characters (declared, then used): inside the 1 MiB every document may use.
        LimitCase{"expansion_within_budget", entity_ladder(1, 50, std::string(10000, 'x')), true, NoError},
        // 10 times the document's own length is allowed beyond 1 MiB.
        LimitCase{"budget_grows_with_the_document",
                  entity_ladder(1, 100, std::string(20000, 'x')) + std::string(500000, ' '), true, NoError}),
    [](const ::testing::TestParamInfo<LimitCase>& info) { return std::string(info.param.name); });

TEST(Limits, ReferencesWithinTheLimitsExpandFully)
{
    auto document = xmltest::parse(entity_ladder(3, 4, "ab"));
    ASSERT_TRUE(document);
    EXPECT_EQ(document->document_element()->text().length(), 128u);
}

// An external entity file that names itself, and two that name each other.
TEST(Limits, ExternalEntityFilesDoNotIncludeEachOtherForever)
{
    testsupport::TempDir dir;
    const std::string self = testsupport::to_utf8(testsupport::to_text(dir.at("self.xml")));
    const std::string other = testsupport::to_utf8(testsupport::to_text(dir.at("other.xml")));
    const auto including = [](const std::string& file) {
        return "<!DOCTYPE r SYSTEM [<!ENTITY x SYSTEM \"" + file + "\">]><r>&x;</r>";
    };
    testsupport::write_bytes(dir.at("self.xml"), including(self));
    testsupport::write_bytes(dir.at("ring.xml"), including(other));
    testsupport::write_bytes(dir.at("other.xml"), including(testsupport::to_utf8(testsupport::to_text(dir.at("ring.xml")))));

    for (const char* start : {"self.xml", "ring.xml"}) {
        auto document = xmltest::new_document();
        xmlParser parser;
        EXPECT_FALSE(parser.parse_file(document.get(), apPath(testsupport::to_text(dir.at(start)))));
        EXPECT_EQ(parser.error_code(), unsigned(ExternalTooDeep)) << start;
    }
}

// A stream that claims a size but holds no bytes: nothing may be read.
class HugeBuf : public std::streambuf {
public:
    explicit HugeBuf(std::streamoff size) : size_(size) {}

protected:
    pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode) override
    {
        at_ = dir == std::ios_base::beg ? off : dir == std::ios_base::end ? size_ + off : at_ + off;
        return pos_type(at_);
    }
    pos_type seekpos(pos_type pos, std::ios_base::openmode) override
    {
        at_ = pos;
        return pos;
    }
    int_type underflow() override
    {
        ADD_FAILURE() << "the bytes were read";
        return traits_type::eof();
    }

private:
    std::streamoff size_;
    std::streamoff at_ = 0;
};

TEST(Limits, InputsPastTheLargestAreNotRead)
{
    HugeBuf huge(static_cast<std::streamoff>(xml_max_input_bytes) + 1);
    std::istream in(&huge);
    xmlParser parser;
    EXPECT_EQ(parser.load_document(in), nullptr);
    EXPECT_EQ(parser.error_code(), unsigned(InputTooLarge));
}

// A tree built by hand may be far deeper than any parse allows: copying it
// must not recurse.
TEST(Limits, DeepCloneOfAHandBuiltTree)
{
    auto document = xmltest::new_document();
    // Built from the bottom up, so that no append walks a long way up.
    xmlNode* root = static_cast<xmlNode*>(document->create_text_node("deep"));
    for (int i = 0; i <= 200000; ++i) {
        xmlNode* parent = document->create_element("a");
        parent->append_child(root);
        root = parent;
    }
    xmlNode* copy = root->clone_node(true);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->text(), apString("deep"));
    int depth = 0;
    for (xmlNode* n = copy; n->first_child() != nullptr; n = n->first_child())
        ++depth;
    EXPECT_EQ(depth, 200001);
}

} // namespace
