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

} // namespace
