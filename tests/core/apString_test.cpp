#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/apString.h"

namespace {

const char kUtf8Failure[] = "Failed to construct string from UTF8 string.";
const char kUtf16Failure[] = "Failed to construct string from UTF16 string.";

std::vector<unsigned> code_points(const apString& s)
{
    return std::vector<unsigned>(s.data(), s.data() + s.length());
}

apString from_cps(std::vector<unsigned> cps)
{
    return apString(cps.data(), cps.size(), nullptr);
}

std::vector<unsigned> utf16_units(const apString& s)
{
    std::vector<unsigned> out;
    for (const apWchar* p = s.utf16_str(); *p; ++p)
        out.push_back(static_cast<unsigned>(*p));
    return out;
}

struct Utf8Case {
    const char* name;
    std::string bytes;
    std::vector<unsigned> expected; // empty with ok=false: failure
    bool ok;
};

// ASCII is decoded eight bytes at a time: each case must decode, or fail, the
// same on its own and after and before runs of ASCII of any length.
TEST(apStringUtf8, DecodesOrFailsWithMessage)
{
    const Utf8Case cases[] = {
        {"two_byte", "\xC3\xA9", {0xE9}, true},
        {"three_byte", "\xE2\x82\xAC", {0x20AC}, true},
        {"four_byte", "\xF0\x9F\x98\x80", {0x1F600}, true},
        {"max", "\xF4\x8F\xBF\xBF", {0x10FFFF}, true},
        {"bom_kept", "\xEF\xBB\xBF", {0xFEFF}, true},
        {"empty", "", {}, true},
        {"lone_80", "\x80", {}, false},
        {"overlong_nul", std::string("\xC0\x80"), {}, false},
        {"overlong_3", "\xE0\x80\x80", {}, false},
        {"overlong_4", "\xF0\x8F\xBF\xBF", {}, false},
        {"surrogate", "\xED\xA0\x80", {}, false},
        {"above_max", "\xF4\x90\x80\x80", {}, false},
        {"truncated_2", "\xC3", {}, false},
        {"truncated_3", "\xE2\x82", {}, false},
        {"bad_continuation", "\xC3\x41", {}, false},
        {"five_byte", "\xF8\x88\x80\x80\x80", {}, false},
        {"FF", "\xFF", {}, false},
    };
    for (const Utf8Case& c : cases) {
        for (size_t before = 0; before <= 17; ++before) {
            for (size_t after : {0u, 1u, 8u, 9u}) {
                SCOPED_TRACE(std::string(c.name) + " after " + std::to_string(before) + ", before " +
                             std::to_string(after));
                const std::string bytes = std::string(before, 'a') + c.bytes + std::string(after, 'z');
                int err = -1;
                const apString s(bytes.c_str(), &err);
                EXPECT_EQ(err, c.ok ? 0 : 1);
                EXPECT_EQ(s.error(), c.ok ? 0 : 1);
                if (!c.ok) {
                    EXPECT_STREQ(s.utf8_str(), kUtf8Failure);
                    continue;
                }
                std::vector<unsigned> expected(before, 'a');
                expected.insert(expected.end(), c.expected.begin(), c.expected.end());
                expected.insert(expected.end(), after, 'z');
                EXPECT_EQ(code_points(s), expected);
                EXPECT_EQ(std::string(s.utf8_str()), bytes) << "round trip";
            }
        }
    }
}

TEST(apStringUtf8, NullAndEmptyAreDifferent)
{
    int err = 5;
    apString null(static_cast<const char*>(nullptr), &err);
    EXPECT_EQ(err, 0);
    EXPECT_TRUE(null.is_null());
    EXPECT_EQ(null.utf8_str(), nullptr);

    apString empty("", &err);
    EXPECT_FALSE(empty.is_null());
    EXPECT_TRUE(empty.is_empty());
    EXPECT_STREQ(empty.utf8_str(), "");

    EXPECT_FALSE(apString() == apString::empty_string());
    EXPECT_TRUE(apString() == apString());
    EXPECT_TRUE(apString::empty_string() == empty);
}

TEST(apStringUtf16, EncodesSurrogatePairs)
{
    apString smile("\xF0\x9F\x98\x80" "a", nullptr);
    EXPECT_EQ(utf16_units(smile), (std::vector<unsigned>{0xD83D, 0xDE00, 0x61}));
    // Built once: the same pointer on every call.
    EXPECT_EQ(smile.utf16_str(), smile.utf16_str());
}

TEST(apStringUtf16, CountedUnits)
{
    const struct {
        std::vector<unsigned> units;
        std::vector<unsigned> expected; // empty: failure
    } cases[] = {
        {{0xD83D, 0xDE00}, {0x1F600}},
        {{0x41, 0x20AC}, {0x41, 0x20AC}},
        {{0x41, 0x0, 0x42}, {0x41}}, // cut at the 0
        {{0xD800, 0x41}, {}},
        {{0x41, 0xD800}, {}},
        {{0xDC00}, {}},
        {{0xDC00, 0xDC01, 0x41}, {}},
    };
    for (const auto& c : cases) {
        std::vector<apWchar> units(c.units.begin(), c.units.end());
        int err = -1;
        apString s(units.data(), units.size(), &err);
        EXPECT_EQ(err, c.expected.empty() ? 1 : 0) << std::hex << c.units[0];
        if (c.expected.empty())
            EXPECT_STREQ(s.utf8_str(), kUtf16Failure);
        else
            EXPECT_EQ(code_points(s), c.expected);
    }
}

TEST(apStringUtf16, ZeroTerminatedAndLittleEndianBytes)
{
    const apWchar units[] = {0x48, 0x49, 0};
    apString s(units);
    EXPECT_STREQ(s.utf8_str(), "HI");
    EXPECT_TRUE(apString(static_cast<const apWchar*>(nullptr)).is_null());

    // Any alignment; an odd last byte is a unit with high byte 0.
    const unsigned char bytes[] = {0x00, 0x41, 0x00, 0x3D, 0xD8, 0x00, 0xDE, 0x42};
    int err = -1;
    apString le(bytes + 1, 7, &err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(code_points(le), (std::vector<unsigned>{0x41, 0x1F600, 0x42}));
    apString none(bytes, 0, &err);
    EXPECT_FALSE(none.is_null());
    EXPECT_TRUE(none.is_empty());
}

TEST(apStringValue, CopiesShareAndDropTheErrorFlag)
{
    int err = 0;
    apString failed("\x80", &err);
    ASSERT_EQ(failed.error(), 1);
    apString copy(failed);
    EXPECT_EQ(copy.error(), 0);
    EXPECT_TRUE(copy == failed);
    EXPECT_EQ(copy.data(), failed.data()) << "a copy shares the buffer";

    apString assigned;
    assigned = failed;
    EXPECT_EQ(assigned.error(), 0);

    apString moved(std::move(failed));
    EXPECT_EQ(moved.error(), 1) << "the flag survives moves";
    EXPECT_TRUE(failed.is_null());
}

TEST(apStringValue, WriteUtf16le)
{
    std::ostringstream out;
    EXPECT_EQ(apString("A").write_utf16le(out), 2u);
    EXPECT_EQ(out.str(), std::string("A\0", 2));
    std::ostringstream pair;
    EXPECT_EQ(apString("\xF0\x9F\x98\x80").write_utf16le(pair), 4u);
    EXPECT_EQ(pair.str(), std::string("\x3D\xD8\x00\xDE", 4));
    std::ostringstream none;
    EXPECT_EQ(apString().write_utf16le(none), 0u);
    EXPECT_EQ(apString::empty_string().write_utf16le(none), 0u);
    EXPECT_TRUE(none.str().empty());
}

TEST(apStringSearch, FindAndRfind)
{
    apString text("aXa");
    apString a("a");
    EXPECT_EQ(text.find(a).index(), 0u);
    EXPECT_EQ(text.rfind(a).index(), 2u);
    EXPECT_EQ(text.find(apString("Xa")).index(), 1u);
    EXPECT_EQ(text.find(apString("b")), text.end());
    EXPECT_EQ(text.find(apString("aXaa")), text.end());
    // An empty needle gives `from`; an empty text gives `to`.
    EXPECT_EQ(text.find(apString::empty_string(), text.at(2), text.end()).index(), 2u);
    apString empty = apString::empty_string();
    EXPECT_EQ(empty.find(a), empty.end());
    EXPECT_EQ(apString().find(a), apString().end());
    // Range bounds.
    EXPECT_EQ(text.find(a, text.at(1), text.end()).index(), 2u);
    EXPECT_EQ(text.rfind(a, text.begin(), text.at(2)).index(), 0u);
    EXPECT_EQ(text.find(a, text.at(1), text.at(2)), text.at(2));
    // A needle that just fits the range, and one that overruns it by one.
    EXPECT_EQ(text.find(text).index(), 0u);
    EXPECT_EQ(text.rfind(text).index(), 0u);
    EXPECT_EQ(text.rfind(apString("Xa"), text.begin(), text.at(3)).index(), 1u);
    EXPECT_EQ(text.rfind(apString("Xa"), text.begin(), text.at(2)), text.at(2));
    EXPECT_EQ(text.at(99), text.end());
}

TEST(apStringSearch, MatchesStartsEnds)
{
    apString text("hello");
    EXPECT_TRUE(text.starts_with(apString("he")));
    EXPECT_TRUE(text.ends_with(apString("llo")));
    EXPECT_FALSE(text.ends_with(apString("hello!")));
    EXPECT_TRUE(text.matches_at(apString::empty_string(), text.end()));
    EXPECT_FALSE(text.matches_at(apString("o"), text.end()));
    EXPECT_FALSE(apString::empty_string().matches_at(apString("a"), apString::empty_string().begin()));
}

TEST(apStringBuild, SubstringsAndConcatenation)
{
    apString text("abcdef");
    EXPECT_STREQ(text.head(text.at(2)).utf8_str(), "ab");
    EXPECT_STREQ(text.tail(text.at(4)).utf8_str(), "ef");
    EXPECT_STREQ(text.sub(text.at(1), text.at(3)).utf8_str(), "bc");
    EXPECT_NE(text.sub(text.begin(), text.end()).data(), text.data()) << "fresh buffer";
    EXPECT_FALSE(apString().head(apString().begin()).is_null());

    EXPECT_STREQ((apString("ab") + apString("cd")).utf8_str(), "abcd");
    apString joined = apString() + apString();
    EXPECT_FALSE(joined.is_null());
    EXPECT_TRUE(joined.is_empty());
    apString acc("x");
    acc += apString("y");
    acc += apString();
    EXPECT_STREQ(acc.utf8_str(), "xy");
}

struct ReplaceCase {
    const char* text;
    const char* needle;
    const char* replacement;
    const char* expected;
};

class ReplaceAll : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAll, LeftToRightWithoutOverlap)
{
    const ReplaceCase& c = GetParam();
    apString out = apString(c.text).replace_all(apString(c.needle), apString(c.replacement));
    EXPECT_FALSE(out.is_null());
    EXPECT_STREQ(out.utf8_str(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ReplaceAll,
                         ::testing::Values(ReplaceCase{"aaa", "aa", "b", "ba"},
                                           ReplaceCase{"a//b///c", "//", "/", "a/b//c"},
                                           ReplaceCase{"x&y&", "&", "&amp;", "x&amp;y&amp;"},
                                           ReplaceCase{"abc", "z", "q", "abc"},
                                           ReplaceCase{"abab", "ab", "", ""},
                                           ReplaceCase{"", "a", "b", ""},
                                           ReplaceCase{nullptr, "a", "b", ""}));

TEST(apStringValue, CodePointsAndHash)
{
    const unsigned cps[] = {0x61, 0x10FFFF, 0x110000, 0};
    int err = 7;
    apString s(cps, &err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(s.length(), 3u) << "taken as they are, no validation";
    EXPECT_EQ(from_cps({0x41, 0, 0x42}).length(), 1u) << "cut at an embedded 0";
    EXPECT_EQ(apString().hash(), 0u);
    EXPECT_EQ(apString("ab").hash(), apString("ba").hash());
    EXPECT_EQ(apString("ab").hash(), 0x61u ^ 0x62u);
}

TEST(apStringIterator, Arithmetic)
{
    apString s("abcd");
    apString::iterator it = s.begin() + 2;
    EXPECT_EQ(*it, static_cast<unsigned>('c'));
    EXPECT_EQ(s.end() - it, 2);
    ++it;
    it += 1;
    EXPECT_EQ(it, s.end());
    EXPECT_TRUE(s.begin() < s.end());
    EXPECT_NE(s.begin(), apString("abcd").begin()) << "different buffers";
    apString::iterator def;
    EXPECT_EQ(def.index(), static_cast<size_t>(-1));
}

TEST(apStringValue, PermanentTextIsSharedAndStays)
{
    static const apString text = apString::permanent("#text");
    const apString::codepoint* units = text.data();
    {
        std::vector<apString> copies(1000, text);
        EXPECT_EQ(copies.back().data(), units); // shared, not copied
        apString moved(std::move(copies.front()));
        EXPECT_TRUE(moved == text);
    }
    EXPECT_EQ(text.data(), units);
    EXPECT_STREQ(text.utf8_str(), "#text");
    EXPECT_EQ(text.length(), 5u);
}

} // namespace
