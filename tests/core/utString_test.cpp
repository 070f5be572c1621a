#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <string>

#include "failingAllocator.h"
#include "core/utString.h"

namespace {

std::string text(const utString& s)
{
    return s.c_str() ? std::string(s.c_str(), s.length()) : std::string("<null>");
}

TEST(utStringBuild, Constructors)
{
    EXPECT_TRUE(utString().is_null());
    EXPECT_TRUE(utString(static_cast<const char*>(nullptr)).is_null());
    EXPECT_EQ(text(utString("abc")), "abc");
    EXPECT_EQ(text(utString('x')), "x");
    EXPECT_EQ(text(utString('\0')), "");
    EXPECT_EQ(text(utString('z', 3)), "zzz");
    EXPECT_TRUE(utString('z', -1).is_null());
    EXPECT_TRUE(utString('\0', 3).is_null());

    utString abc("abc");
    EXPECT_EQ(text(utString(abc, 1)), "bc");
    EXPECT_EQ(text(utString(abc, 3)), "");
    EXPECT_TRUE(utString(abc, 4).is_null());
    EXPECT_TRUE(utString(abc, -1).is_null());
    EXPECT_EQ(text(utString(abc, 1, 2)), "bc");
    EXPECT_TRUE(utString(abc, 2, 2).is_null());
    EXPECT_TRUE(utString(abc, 0, -1).is_null());
    EXPECT_TRUE(utString(utString(), 0).is_null());
}

// A sole owner needs no share counter: building a string allocates its
// bytes only, and the counter comes with the second owner.
TEST(utStringShare, SoleOwnerAllocatesItsBytesOnly)
{
    utString abc("abc");
    const struct {
        const char* what;
        utString (*make)(const utString& abc);
    } cases[] = {
        {"from a C string", [](const utString&) { return utString("xyz"); }},
        {"from a character", [](const utString&) { return utString('x'); }},
        {"from a character and count", [](const utString&) { return utString('x', 3); }},
        {"from a position", [](const utString& s) { return utString(s, 1); }},
        {"from a position and count", [](const utString& s) { return utString(s, 1, 1); }},
        {"by erasing", [](const utString& s) {
             utString copy(s, 0);
             copy.erase(0, 1);
             return copy;
         }},
    };
    for (const auto& c : cases) {
        const long before = failalloc::last_serial();
        utString made = c.make(abc);
        const long blocks = c.make == cases[5].make ? 2 : 1; // erase: the copy and the result
        EXPECT_EQ(failalloc::last_serial() - before, blocks) << c.what;
        utString second(made);
        EXPECT_EQ(failalloc::last_serial() - before, blocks + 1) << c.what << ": the counter";
        EXPECT_EQ(second.c_str(), made.c_str()) << c.what;
    }
}

TEST(utStringShare, TransformCopiesLiteralsAndSharedBytes)
{
    static const char literal[] = "MiXeD";
    utString s = ut_lit(literal);
    utString copy(s);
    EXPECT_EQ(copy.c_str(), literal) << "copies of a literal borrow it too";
    s.transform(::tolower);
    EXPECT_EQ(text(s), "mixed");
    EXPECT_STREQ(literal, "MiXeD") << "the literal is never written";
    EXPECT_EQ(copy.c_str(), literal);

    utString shared(s);
    shared.transform(::toupper);
    EXPECT_EQ(text(s), "mixed");
    EXPECT_EQ(text(shared), "MIXED");
    // A sole owner changes in place.
    const char* before = shared.c_str();
    shared.transform(::tolower);
    EXPECT_EQ(shared.c_str(), before);
}

TEST(utStringShare, LastOwnerFrees)
{
    // Run under the sanitizers: any double free or leak fails the build.
    utString* a = new utString("shared");
    utString b(*a), c(*a);
    delete a;
    c = utString("other");
    EXPECT_EQ(text(b), "shared");
    b = b;
    EXPECT_EQ(text(b), "shared");
}

TEST(utStringChange, AppendAndPlusEquals)
{
    utString null;
    null.append(utString("x"));
    EXPECT_TRUE(null.is_null()) << "append on a null string does nothing";
    utString other("x");
    null += other;
    EXPECT_EQ(null.c_str(), other.c_str()) << "+= on a null string shares";

    utString s("ab");
    s.append(utString("cd"));
    EXPECT_EQ(text(s), "abcd");
    s += s;
    EXPECT_EQ(text(s), "abcdabcd");
    s.append(utString());
    EXPECT_EQ(text(s), "abcdabcd");
}

TEST(utStringChange, ReserveKeepsBytes)
{
    utString s("ab");
    s.reserve(1);
    EXPECT_EQ(s.length(), 2);
    s.reserve(4);
    EXPECT_EQ(s.length(), 4);
    EXPECT_EQ(std::string(s.c_str(), 2), "ab");
}

TEST(utStringChange, Erase)
{
    struct {
        int pos, count;
        const char* expected;
    } cases[] = {{1, 1, "ac"}, {0, 0, "abc"}, {0, 3, ""}, {2, 2, "abc"}, {-1, 1, "abc"}, {3, 1, "abc"}};
    for (const auto& c : cases) {
        utString s("abc");
        s.erase(c.pos, c.count);
        EXPECT_EQ(text(s), c.expected) << c.pos << "," << c.count;
    }
}

TEST(utStringQuery, TrimLeftSharesWhenUnchanged)
{
    utString s("  x ");
    EXPECT_EQ(text(s.trim_left(" ")), "x ");
    utString t("x");
    EXPECT_EQ(t.trim_left(" ").c_str(), t.c_str());
    EXPECT_EQ(t.trim_left("").c_str(), t.c_str());
    EXPECT_EQ(text(utString("   ").trim_left(" ")), "");
    EXPECT_FALSE(utString("   ").trim_left(" ").is_null());
}

TEST(utStringQuery, NextTokenWalk)
{
    utString lines("\none\ntwo\n\nthree");
    utString token;
    EXPECT_EQ(lines.next_token("\n", token), 1);
    EXPECT_EQ(text(lines), "\ntwo\n\nthree") << "the rest keeps its separator";
    std::string seen = text(token) + "|";
    while (lines.next_token("\n", token))
        seen += text(token) + "|";
    EXPECT_EQ(seen, "one|two|three|");
    EXPECT_EQ(text(lines), "");
    EXPECT_EQ(text(token), "");

    utString null;
    EXPECT_EQ(null.next_token(" ", token), 0);
    EXPECT_TRUE(token.is_null());
}

TEST(utStringQuery, Find)
{
    utString abc("abc");
    EXPECT_EQ(abc.find(utString("c")), 2);
    EXPECT_EQ(abc.find(utString("bc")), 1);
    EXPECT_EQ(abc.find(utString("")), 0);
    EXPECT_EQ(abc.find(utString("abcd")), -1);
    EXPECT_EQ(abc.find(utString("x")), -1);
    EXPECT_EQ(abc.find(utString()), -1);
    EXPECT_EQ(utString().find(utString("")), -1);
}

TEST(utStringQuery, ToInt)
{
    struct {
        const char* text;
        bool ok;
        int value;
        int error_pos;
    } cases[] = {
        {"12 ", true, 12, -1},     {"12x", false, 12, 2},       {" -7", true, -7, -1},
        {"+3\t\n", true, 3, -1},   {"x", false, 0, 0},          {"2147483647", true, INT_MAX, -1},
        {"2147483648", false, INT_MAX, -1}, {"-2147483649", false, INT_MIN, -1}, {"", false, 0, 0},
    };
    for (const auto& c : cases) {
        int value = 99, pos = 99;
        EXPECT_EQ(utString(c.text).to_int(&value, &pos), c.ok) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(pos, c.error_pos) << c.text;
    }
    int value = 99, pos = 99;
    EXPECT_FALSE(utString().to_int(&value, &pos));
    EXPECT_EQ(value, 99) << "a null string leaves the value alone";
}

} // namespace
