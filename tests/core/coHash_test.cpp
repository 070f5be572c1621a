#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/apString.h"
#include "core/coTable.h"

namespace {

using Table = apStringapStringcoTable;
using Element = apStringapStringcoTableP;

apString key(int i) { return apString(("key" + std::to_string(i)).c_str()); }

TEST(coTable, GrowsAtHalfLoadAndFindsEveryKey)
{
    Table t(4, 50);
    EXPECT_EQ(t.find(apString("a")), nullptr);
    EXPECT_FALSE(t.has_slots());
    // keys added -> log_size afterwards
    const struct { int count; int log_size; } steps[] = {{7, 4}, {8, 5}, {15, 5}, {16, 6}, {32, 7}};
    int added = 0;
    for (const auto& step : steps) {
        for (; added < step.count; ++added)
            EXPECT_EQ(t.add(Element(key(added), key(-added))), &Table::undefined());
        EXPECT_EQ(t.log_size(), step.log_size) << step.count << " keys";
        EXPECT_EQ(t.count(), step.count);
    }
    for (int i = 0; i < added; ++i)
        EXPECT_EQ(t.find(key(i))->value, key(-i));
    EXPECT_EQ(t.member(key(added)), 0);
}

TEST(coTable, HomeSlotsAndDownwardCollisions)
{
    Table t(4, 50);
    // Fibonacci home slot: top 4 bits of hash * 0x9E3779B9.
    const apString k("PartMaterial");
    t[k] = apString("steel");
    EXPECT_EQ(t.slot_element(static_cast<int>((k.hash() * 0x9E3779B9u) >> 28)).key, k);

    // "", "aa" and "bb" hash to 0, home slot 0: the others wrap to the top.
    // "abc" and "cab" share a hash too.
    const apString same[] = {apString::empty_string(), apString("aa"), apString("bb"),
                             apString("abc"), apString("cab")};
    for (const apString& s : same)
        t.add(Element(s, s + apString("!")));
    EXPECT_EQ(t.slot_element(0).key, same[0]);
    EXPECT_EQ(t.slot_element(15).key, same[1]);
    EXPECT_EQ(t.slot_element(14).key, same[2]);
    for (const apString& s : same)
        EXPECT_EQ(t.find(s)->value, s + apString("!"));
    EXPECT_EQ(t.count(), 6);
}

TEST(coTable, AddKeepsTheValueIndexReplacesIt)
{
    Table t(4, 50);
    t.add(Element(apString("k"), apString("first")));
    const std::uint32_t h = t.content_hash();
    EXPECT_EQ(t.add(Element(apString("k"), apString("second")))->value, apString("first"));
    t[apString("k")] = apString("third");
    EXPECT_EQ(t.find(apString("k"))->value, apString("third"));
    EXPECT_EQ(t.count(), 1);
    EXPECT_EQ(t.content_hash(), h);
    EXPECT_TRUE(t[apString("new")].is_null());
    EXPECT_EQ(t.count(), 2);
}

TEST(coTable, NullKeyStoresNothing)
{
    Table t(4, 50);
    t.add(Element(apString(), apString("v")));
    EXPECT_FALSE(t.has_slots());
    t[apString("a")] = apString("1");
    const std::uint32_t h = t.content_hash();
    t[apString()] = apString("written");
    EXPECT_EQ(t.count(), 1);
    EXPECT_EQ(t.content_hash(), h);
    EXPECT_EQ(t.member(apString()), 0);
    EXPECT_TRUE(Table::undefined().value.is_null());
}

TEST(coTable, ContentHashIgnoresInsertionOrder)
{
    Table forward(4, 50), backward(4, 50);
    std::uint32_t expected = 0;
    for (int i = 0; i < 20; ++i) {
        forward[key(i)] = apString("x");
        backward[key(19 - i)] = apString("y");
        expected ^= key(i).hash();
    }
    EXPECT_EQ(forward.content_hash(), expected);
    EXPECT_EQ(backward.content_hash(), expected);
}

void expect_same_layout(const Table& a, const Table& b)
{
    ASSERT_EQ(a.log_size(), b.log_size());
    EXPECT_EQ(a.count(), b.count());
    EXPECT_EQ(a.content_hash(), b.content_hash());
    EXPECT_EQ(a.has_slots(), b.has_slots());
    for (int i = 0; i < static_cast<int>(a.slot_count()); ++i) {
        EXPECT_EQ(a.slot_element(i).key, b.slot_element(i).key) << i;
        EXPECT_EQ(a.slot_element(i).value, b.slot_element(i).value) << i;
    }
}

TEST(coTable, CopiesKeepTheSlotLayout)
{
    Table source(4, 50);
    for (int i = 0; i < 11; ++i)
        source[key(i)] = key(i * 7);
    source.add(Element(apString("aa"), apString("wraps")));
    source.add(Element(apString("bb"), apString("wraps")));
    expect_same_layout(source, Table(source));

    Table assigned(4, 50);
    for (int i = 0; i < 40; ++i)
        assigned[key(100 + i)];
    assigned = source;
    expect_same_layout(source, assigned);
    assigned[key(0)] = apString("changed");
    EXPECT_EQ(source[key(0)], key(0));

    assigned = Table(4, 50);
    EXPECT_FALSE(assigned.has_slots());
    EXPECT_EQ(assigned.count(), 0);
}

TEST(coTable, ClearKeepsOrReplacesTheSlots)
{
    Table t(4, 50);
    for (int i = 0; i < 9; ++i)
        t[key(i)];
    t.clear(2, false);
    EXPECT_EQ(t.log_size(), 5);
    EXPECT_EQ(t.count(), 0);
    EXPECT_EQ(t.content_hash(), 0u);
    EXPECT_EQ(t.member(key(3)), 0);
    t.clear(3, true);
    EXPECT_EQ(t.log_size(), 3);
    for (int i = 0; i < 4; ++i)
        t[key(i)];
    EXPECT_EQ(t.log_size(), 4);
}

TEST(coTable, NodeTableValuesStartNull)
{
    apStringxmlNodecoTablePtrcoPtrcoTable t(4, 50);
    int node;
    xmlNode* p = reinterpret_cast<xmlNode*>(&node);
    EXPECT_EQ(t[apString("a")], nullptr);
    t[apString("a")] = p;
    EXPECT_EQ(t.find(apString("a"))->value, p);
}

} // namespace
