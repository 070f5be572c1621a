#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "xml/xmlWideUnits.h"

namespace {

// "A", U+00E9, U+20AC and U+1F600 (a surrogate pair in UTF-16).
const char kSample[] = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";

std::string bytes(std::initializer_list<int> list)
{
    std::string s;
    for (int b : list)
        s += static_cast<char>(b);
    return s;
}

template <class Writer>
std::string written(Writer write, const apString& text)
{
    std::ostringstream out;
    write(out, text);
    return out.str();
}

TEST(xmlWideUnits, WritesEachUnitFormWithoutByteOrderMark)
{
    apString text(kSample);
    EXPECT_EQ(written(xmlunits::write_utf16be, text),
              bytes({0x00, 0x41, 0x00, 0xE9, 0x20, 0xAC, 0xD8, 0x3D, 0xDE, 0x00}));
    EXPECT_EQ(written(xmlunits::write_utf32be, text),
              bytes({0, 0, 0, 0x41, 0, 0, 0, 0xE9, 0, 0, 0x20, 0xAC, 0, 0x01, 0xF6, 0x00}));
    EXPECT_EQ(written(xmlunits::write_utf32le, text),
              bytes({0x41, 0, 0, 0, 0xE9, 0, 0, 0, 0xAC, 0x20, 0, 0, 0x00, 0xF6, 0x01, 0}));
    EXPECT_EQ(written(xmlunits::write_utf16be, apString::empty_string()), "");
    EXPECT_EQ(written(xmlunits::write_utf32le, apString()), "");
}

TEST(xmlWideUnits, ReadsWhatItWrote)
{
    apString text(kSample);
    std::string be16 = written(xmlunits::write_utf16be, text);
    bool ok = false;
    apString back = xmlunits::read_utf16be(reinterpret_cast<const unsigned char*>(be16.data()), be16.size(), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(back, text);

    std::string be32 = written(xmlunits::write_utf32be, text);
    EXPECT_EQ(xmlunits::read_utf32be(reinterpret_cast<const unsigned char*>(be32.data()), be32.size()), text);
}

TEST(xmlWideUnits, ReadingCutsPartialUnitsAndStopsAtZero)
{
    const unsigned char odd16[] = {0x00, 0x41, 0x00, 0x42, 0x00};
    bool ok = false;
    EXPECT_EQ(xmlunits::read_utf16be(odd16, sizeof odd16, &ok), apString("AB"));
    EXPECT_TRUE(ok);

    const unsigned char short32[] = {0, 0, 0, 0x41, 0, 0, 0};
    EXPECT_EQ(xmlunits::read_utf32be(short32, sizeof short32), apString("A"));

    const unsigned char zero[] = {0x00, 0x41, 0x00, 0x00, 0x00, 0x42};
    EXPECT_EQ(xmlunits::read_utf16be(zero, sizeof zero, &ok), apString("A"));

    EXPECT_EQ(xmlunits::read_utf16be(zero, 0, &ok), apString::empty_string());
}

TEST(xmlWideUnits, UnpairedSurrogateIsReported)
{
    const unsigned char lone_high[] = {0xD8, 0x3D, 0x00, 0x41};
    const unsigned char lone_low[] = {0xDE, 0x00};
    bool ok = true;
    xmlunits::read_utf16be(lone_high, sizeof lone_high, &ok);
    EXPECT_FALSE(ok);
    ok = true;
    xmlunits::read_utf16be(lone_low, sizeof lone_low, &ok);
    EXPECT_FALSE(ok);
}

} // namespace
