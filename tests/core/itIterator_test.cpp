#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/apString.h"
#include "core/coDList.h"
#include "core/coiFiller.h"
#include "core/itIterator.h"

namespace {

// Steps n times: the element after each true step, "|" after each false one.
std::string walk(itIterator<apString>& it, int n)
{
    std::string s;
    for (int k = 0; k < n; ++k)
        s += ++it ? std::string(it().utf8_str()) : std::string("|");
    return s;
}

TEST(itIterator, StepsFirstAndStartsOverAfterTheEnd)
{
    const struct {
        std::vector<apString> items;
        const char* expected;
    } cases[] = {
        {{}, "|||"},
        {{apString("a")}, "a|a"},
        {{apString("a"), apString("b")}, "ab|ab|"},
    };
    for (const auto& k : cases) {
        itIterator<apString> it(k.items);
        const std::string expected(k.expected);
        EXPECT_EQ(walk(it, static_cast<int>(expected.size())), expected);
        EXPECT_EQ(it.undefined(), expected.back() == '|');
    }
}

TEST(itIterator, CopiesContinueIndependentlyAndResetRestarts)
{
    std::array<apString, 3> v = {apString("a"), apString("b"), apString("c")};
    itIterator<apString> it(v);
    ++it;
    itIterator<apString> copy(it);
    EXPECT_EQ(walk(copy, 3), "bc|");
    EXPECT_EQ(walk(it, 2), "bc");
    copy = it;
    EXPECT_EQ(walk(copy, 2), "|a");
    it.reset();
    EXPECT_TRUE(it.undefined());
    EXPECT_EQ(walk(it, 1), "a");
}

TEST(itIterator, WalksAListOfPointers)
{
    int nodes[2];
    xmlElement* a = reinterpret_cast<xmlElement*>(&nodes[0]);
    xmlElement* b = reinterpret_cast<xmlElement*>(&nodes[1]);
    xmlElementcoDListPtrcoPtrcoDList l;
    l.append(a);
    l.append(b);
    itIterator<xmlElement*> it(l);
    ASSERT_TRUE(++it);
    itIterator<xmlElement*> copy(it);
    EXPECT_TRUE(++it);
    EXPECT_EQ(it(), b);
    EXPECT_FALSE(++it);
    EXPECT_TRUE(++it);
    EXPECT_EQ(it(), a);
    EXPECT_TRUE(++copy);
    EXPECT_EQ(copy(), b);
}

TEST(coiFiller, CopiesShareOneWorkerThatLivesWhileACopyDoes)
{
    std::vector<apString> out;
    coiFiller<apString> f = coiFillers::make_filler(out);
    coiFiller<apString> copy(f);
    f.add(apString("1"));
    copy.add(apString("2"));
    EXPECT_EQ(out, (std::vector<apString>{apString("1"), apString("2")}));

    auto token = std::make_shared<int>(0);
    std::weak_ptr<int> watch = token;
    std::string seen;
    {
        coiFiller<apString> g(nullptr);
        g.add(apString("dropped"));
        g = coiFillers::make_filler<apString>([token, &seen](apString s) { seen += s.utf8_str(); });
        token.reset();
        EXPECT_FALSE(watch.expired());
        g.add(apString("x"));
    }
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(seen, "x");

    coiFiller<apString> empty = coiFillers::make_filler(std::function<void(apString)>());
    EXPECT_THROW(empty.add(apString("x")), std::bad_function_call);
}

} // namespace
