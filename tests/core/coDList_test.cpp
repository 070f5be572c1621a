#include <gtest/gtest.h>

#include <string>

#include "core/apString.h"
#include "core/coDList.h"

namespace {

using List = apStringcoDList;
using Cursor = apStringcoDListcoIterator;

// The items first to last, then "/" and last to first.
std::string items(const coDListB<apString>& l)
{
    std::string s, r;
    for (const coDLink<apString>* p = l.first_link(); p != nullptr; p = l.next_link(p))
        s += p->read().utf8_str();
    for (const coDLink<apString>* p = l.last_link(); p != nullptr; p = l.prev_link(p))
        r += p->read().utf8_str();
    return s + "/" + r;
}

List& fill(List& l, const char* letters)
{
    for (const char* c = letters; *c; ++c)
        l.append(apString(std::string(1, *c).c_str()));
    return l;
}

std::string at(const Cursor& c) { return c.undefined() ? "-" : c().utf8_str(); }

// n next, p prev, r reset; a, t, s (advance, retreat, seek) take a digit;
// i inserts "X", d removes. Answers the last move's answer.
bool run(Cursor& c, const char* moves)
{
    bool answer = true;
    for (const char* m = moves; *m; ++m) {
        switch (*m) {
        case 'n': answer = c.next(); break;
        case 'p': answer = c.prev(); break;
        case 'r': c.reset(); break;
        case 'a': answer = c.advance(*++m - '0'); break;
        case 't': answer = c.retreat(*++m - '0'); break;
        case 's': answer = c.seek(*++m - '0'); break;
        case 'i': answer = c.insert(apString("X")) == 1; break;
        case 'd': c.remove(); break;
        }
    }
    return answer;
}

TEST(coDList, CursorRules)
{
    const struct {
        const char* start;
        const char* moves;
        bool answer;
        int index;
        const char* item;
        const char* list;
    } cases[] = {
        // moves over "abc"
        {"abc", "n", true, 0, "a", "abc/cba"},
        {"abc", "nnnn", false, -1, "-", "abc/cba"},
        {"abc", "nnnnn", true, 0, "a", "abc/cba"},
        {"abc", "p", true, 2, "c", "abc/cba"},
        {"abc", "pn", false, -1, "-", "abc/cba"},
        {"abc", "a0", true, -1, "-", "abc/cba"},
        {"abc", "a2", true, 1, "b", "abc/cba"},
        {"abc", "a4", false, -1, "-", "abc/cba"},
        {"abc", "t1", true, 2, "c", "abc/cba"},
        {"abc", "s2", true, 2, "c", "abc/cba"},
        {"abc", "a3s0", true, 0, "a", "abc/cba"},
        {"abc", "nnr", true, -1, "-", "abc/cba"},
        {"", "n", false, -1, "-", "/"},
        // insert keeps the cursor on its element, whose index grows
        {"abc", "i", true, -1, "-", "abcX/Xcba"},
        {"abc", "ni", true, 1, "a", "Xabc/cbaX"},
        {"abc", "nni", true, 2, "b", "aXbc/cbXa"},
        {"abc", "pi", true, 3, "c", "abXc/cXba"},
        {"", "i", true, -1, "-", "X/X"},
        // remove moves on to the following element, which takes the index
        {"abc", "nd", true, 0, "b", "bc/cb"},
        {"abc", "nnd", true, 1, "c", "ac/ca"},
        {"abc", "pd", true, -1, "-", "ab/ba"},
        {"abc", "d", true, -1, "-", "abc/cba"},
        {"abc", "nddd", true, -1, "-", "/"},
    };
    for (const auto& k : cases) {
        List l;
        Cursor c(fill(l, k.start));
        const bool answer = run(c, k.moves);
        const std::string where = std::string(k.start) + ":" + k.moves;
        EXPECT_EQ(answer, k.answer) << where;
        EXPECT_EQ(c.index(), k.index) << where;
        EXPECT_EQ(at(c), k.item) << where;
        EXPECT_EQ(items(l.header()), k.list) << where;
        EXPECT_EQ(l.count(), static_cast<int>(std::string(k.list).size() / 2)) << where;
    }
}

TEST(coDList, ListOperationsKeepTheBuiltInCursor)
{
    List l;
    fill(l, "bcd");
    l.advance(2); // on "c", index 1
    EXPECT_EQ(l.prepend(apString("a")), 1);
    EXPECT_EQ(l.index(), 1) << "prepend only links and counts";
    EXPECT_EQ(l(), apString("c"));
    EXPECT_EQ(items(l.header()), "abcd/dcba");
    EXPECT_EQ(l.count(), 4);

    l.clear();
    fill(l, "bcd");
    l.advance(2);
    l.remove_first();
    EXPECT_EQ(l.index(), 0);
    EXPECT_EQ(l(), apString("c"));
    l.remove_first(); // the cursor's own element
    EXPECT_EQ(l.index(), -1);
    EXPECT_EQ(items(l.header()), "d/d");

    List other;
    fill(other, "xyz").next();
    other.copy_from(l);
    EXPECT_TRUE(other.undefined());
    other.copy_from(other);
    List copy(other);
    l.clear();
    EXPECT_EQ(items(copy.header()), "d/d");
    EXPECT_EQ(l.count(), 0);
}

TEST(coDList, KnownLinksWithoutWalking)
{
    List l;
    coDListB<apString>& h = l.header();
    coDLink<apString>* b = h.link_before(&h, apString("b"));
    coDLink<apString>* a = h.link_before(b, apString("a"));
    coDLink<apString>* d = h.link_after(b, apString("d"));
    h.link_after(b, apString("c"));
    h.link_after(&h, apString("0"));
    EXPECT_EQ(items(h), "0abcd/dcba0");
    EXPECT_EQ(h.next_link(d), nullptr);

    Cursor c(l);
    c.place(b, 2);
    EXPECT_TRUE(c.next());
    EXPECT_EQ(c.index(), 3);
    EXPECT_EQ(c(), apString("c"));

    h.unlink(a);
    h.unlink(d);
    EXPECT_EQ(items(h), "0bc/cb0");
    EXPECT_EQ(h.count(), 3);
}

} // namespace
