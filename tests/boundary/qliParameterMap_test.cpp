#include <gtest/gtest.h>

#include <vector>

#include "boundary/qliParameterMap.h"
#include "qellink.h"

namespace {

std::string value_text(const qliParameter& p)
{
    apString v = p.value();
    return v.is_null() ? "<null>" : v.utf8_str();
}

TEST(qliParameterMap, OneEntryPerNameAndNullValuesKept)
{
    qliParameterMap map;
    map.add_parameter("A", "1");
    map.add_parameter("A", "2");
    EXPECT_EQ(value_text(map.parameter("A")), "2");
    map.add_parameter("a", "3");
    map.add_parameter("N", apString());
    map.add_parameter(apString(), "x"); // not stored
    EXPECT_EQ(map.size(), 3) << "names are case-sensitive";
    EXPECT_EQ(value_text(map.parameter("N")), "<null>");
    // A name never set reads as empty, not null.
    EXPECT_EQ(value_text(map.parameter("Never")), "");
}

TEST(qliParameterMap, CopiesAreIndependent)
{
    qliParameterMap map;
    for (int i = 0; i < 40; ++i)
        map.add_parameter(apString(std::to_string(i).c_str()), "v");
    qliParameterMap copy(map);
    copy.add_parameter("0", "changed");
    copy.add_parameter("new", "x");
    EXPECT_EQ(value_text(map.parameter("0")), "v");
    EXPECT_EQ(map.size(), 40);
    EXPECT_EQ(copy.size(), 41);
    for (int i = 1; i < 40; ++i)
        EXPECT_EQ(value_text(copy.parameter(apString(std::to_string(i).c_str()))), "v");
    map = copy;
    EXPECT_EQ(value_text(map.parameter("0")), "changed");
}

TEST(qliParameterMap, FilterYieldsOneParameterPerNameInOrder)
{
    qliParameterMap map;
    map.add_parameter("X", "x");
    std::vector<apString> names = {"X", "Y", "X"};
    std::vector<qliParameter> out;
    map.filter(itIterator<apString>(names), coiFillers::make_filler(out));
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(value_text(out[0]), "x");
    EXPECT_EQ(value_text(out[1]), "");
    EXPECT_EQ(value_text(out[2]), "x");
    EXPECT_STREQ(out[1].name().utf8_str(), "Y");
}

TEST(ProcessParameters, FailedSetLeavesTheMapUnchanged)
{
    int status = -1;
    set_parameter_value("Kept", "before", &status);
    ASSERT_EQ(status, 0);
    set_parameter_value("Kept", "bad \xED\xA0\x80", &status);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(value_text(process_parameters().parameter("Kept")), "before");
    set_parameter_value("Kept", "", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(value_text(process_parameters().parameter("Kept")), "");
}

} // namespace
