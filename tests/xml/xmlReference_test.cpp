#include <gtest/gtest.h>

#include "xml/xmlReference.h"
#include "xmlTestSupport.h"

namespace {

using namespace xmltest;

TEST(References, Validity)
{
    struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"&amp;", true},   {"&lt;", true},    {"&gt;", true},    {"&quot;", true}, {"&apos;", true},
        {"&#65;", true},   {"&#065;", true},  {"&#5;", false},   {"&#0065;", false}, {"&#x41;", false},
        {"&#6a;", false},  {"&amp", false},   {"amp;", false},   {"&;", false},    {"&nbsp;", false},
        {"&AMP;", false},  {"&", false},      {"", false},       {"&#;", false},   {"&# 5;", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(is_valid_reference(c.text), c.valid) << c.text;
    EXPECT_FALSE(is_valid_reference(apString()));
}

TEST(References, Resolution)
{
    struct {
        const char* name;
        const char* text; // null: not resolved
    } cases[] = {
        {"lt", "<"},      {"gt", ">"},   {"amp", "&"},   {"quot", "\""}, {"apos", "'"},
        {"#65", "A"},     {"#065", "A"}, {"#233", "\xC3\xA9"}, {"#5", nullptr},  {"#0065", nullptr},
        {"#x4", nullptr}, {"#6a", nullptr}, {"e", nullptr}, {"", nullptr},
        {"#-1", "\xEF\xBF\xBF"}, {"# 9", "\t"}, // as the C library reads numbers
    };
    for (const auto& c : cases) {
        apString got = resolve_reference(c.name);
        if (c.text == nullptr)
            EXPECT_TRUE(got.is_null()) << c.name;
        else
            EXPECT_EQ(utf8(got), c.text) << c.name;
    }
    EXPECT_EQ(utf8(resolve_reference_text("&lt;")), "<");
    EXPECT_TRUE(resolve_reference_text("lt;").is_null());
    EXPECT_TRUE(resolve_reference_text("&lt").is_null());
    EXPECT_EQ(xml_predefined_entities().count(), 5);
}

// The parser's way to the character, which makes no string, follows the
// two rules above for every name.
TEST(References, CharacterOfANameFollowsTheRules)
{
    const char* const names[] = {"amp", "lt", "gt", "quot", "apos", "#65", "#065", "#00", "#999", "#5", "#0065",
                                 "#x41", "#6a", "", "#", "#;", "# 5", "#-1", "nbsp", "AMP", "am", "ampx", "quo",
                                 "quott", "l", "ltt", "\xC3\xA9"};
    for (const char* name : names) {
        const apString text(name);
        apString::codepoint character = 0xFFFFFFFF;
        const bool resolved = xml_reference_character(text.data(), text.length(), &character);
        const bool valid = is_valid_reference(apString("&") + text + apString(";"));
        EXPECT_EQ(resolved, valid) << name;
        if (resolved) {
            const apString expected = resolve_reference(text);
            ASSERT_LE(expected.length(), 1u) << name;
            EXPECT_EQ(character, expected.is_empty() ? 0 : expected[0]) << name;
        }
    }
}

} // namespace
