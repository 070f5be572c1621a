#include <gtest/gtest.h>

#include <string>

#include "core/apEncodingDescriptor.h"
#include "core/codePageNames.h"

namespace {

std::string str(const utString& s)
{
    return s.is_null() ? std::string("<null>") : std::string(s.c_str(), s.length());
}

struct NameCase {
    const char* name;
    unsigned int kind;
    unsigned int code_page;
};

TEST(apEncodingDescriptor, FromName)
{
    const NameCase cases[] = {
        {"Utf-8", 3, 0},         {"utf8", 0, 0},         {"UTF-16", 4, 0},
        {"UTF-16BE", 4, 0},      {"utf-16le", 5, 0},     {"UTF-32", 6, 0},
        {"utf-32BE", 6, 0},      {"UTF-32LE", 7, 0},     {"ISO-8859-1", 2, 1252},
        {"KOI8-R", 2, 20866},    {"windows-1259", 0, 0}, {"", 0, 0},
        {" utf-8", 0, 0},        {"utf-8 ", 0, 0},       {"latin-1", 0, 0},
        {"UTF-16LE\xC4", 0, 0},  {"\xE9", 0, 0},
    };
    for (const NameCase& c : cases) {
        apEncodingDescriptor d = apEncodingDescriptor::from_name(c.name);
        EXPECT_EQ(d.kind(), c.kind) << c.name;
        EXPECT_EQ(d.code_page(), c.code_page) << c.name;
    }
    EXPECT_EQ(apEncodingDescriptor::from_name(utString()), apEncodingDescriptor());
    // Equality compares the code page as well as the kind.
    EXPECT_NE(apEncodingDescriptor::from_code_page(1252), apEncodingDescriptor::from_code_page(1250));
    EXPECT_NE(apEncodingDescriptor::from_code_page(1252), apEncodingDescriptor::from_kind(2));
}

TEST(apEncodingDescriptor, Name)
{
    using D = apEncodingDescriptor;
    const struct {
        D descriptor;
        const char* name;
    } cases[] = {
        {D(), ""}, {D::from_kind(1), ""}, {D::from_kind(3), "UTF-8"}, {D::from_kind(4), "UTF-16"},
        {D::from_kind(5), "UTF-16LE"}, {D::from_kind(6), "UTF-32"}, {D::from_kind(7), "UTF-32LE"},
        {D::from_kind(8), ""}, {D::from_code_page(1252), "windows-1252"}, {D::from_code_page(20866), ""},
        {D::from_code_page(0), ""},
        // The code page only counts for the code-page kind.
        {D::from_kind(2), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(str(c.descriptor.name()), c.name) << c.descriptor.kind() << "/" << c.descriptor.code_page();
}

TEST(CodePageName, Table)
{
    const struct {
        unsigned int cp;
        const char* name;
    } cases[] = {
        {852, "IBM852"},       {874, "windows-874"},   {932, "Shift-JIS"},    {936, "Chinese"},
        {949, "Korean"},       {950, "Big5"},          {1252, "windows-1252"}, {1259, "windows-1259"},
        {28592, "ISO-8859-2"}, {50225, "ISO-2022-kr"}, {0, ""},               {1249, ""},
        {1260, ""},            {20866, ""},            {65001, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(str(code_page_name(c.cp)), c.name) << c.cp;
    EXPECT_EQ(code_page_from_name("windows-1259"), 0);
}

// Names of every code page, with the longest and the most punctuated.
const struct {
    const char* name;
    int code_page;
} kCharsetNames[] = {
    {"ibm852", 852}, {"ibm866", 866}, {"windows-874", 874},
    {"extended_unix_code_packed_format_for_japanese", 932}, {"ms_kanji", 932}, {"x-sjis", 932},
    {"gb_2312-80", 936}, {"ks_c_5601-1987", 949}, {"big5", 950}, {"x-cp1250", 1250},
    {"windows-1251", 1251}, {"ansi_x3.4-1968", 1252}, {"iso_646.irv:1991", 1252}, {"us", 1252},
    {"windows-1253", 1253}, {"windows-1254", 1254}, {"iso_8859-8:1988", 1255}, {"windows-1256", 1256},
    {"windows-1257", 1257}, {"windows-1258", 1258}, {"koi8-r", 20866}, {"l2", 28592},
    {"iso-2022-kr", 50225},
};

std::string upper(const char* s)
{
    std::string u(s);
    for (char& c : u)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return u;
}

TEST(CodePageFromName, NamesInAnyCase)
{
    for (const auto& c : kCharsetNames) {
        EXPECT_EQ(code_page_from_name(c.name), c.code_page) << c.name;
        EXPECT_EQ(code_page_from_name(upper(c.name).c_str()), c.code_page) << c.name;
        apEncodingDescriptor d = apEncodingDescriptor::from_name(upper(c.name).c_str());
        EXPECT_EQ(d.kind(), 2u) << c.name;
        EXPECT_EQ(d.code_page(), static_cast<unsigned int>(c.code_page)) << c.name;
    }
}

TEST(CodePageFromName, NearMissesAreUnknown)
{
    const char* misses[] = {
        "", "utf-8", "cp1252", "windows1252", "iso-8859-15", "iso-8859-1 ", " latin1", "latin",
        "shift jis", "sjis", "koi8r", "iso-2022-kr-", "ibm85", "ibm8522", "x-cp1252", "us-", "u",
        "ISO_8859-1:1987\n", "ascii cp367", "x-euc x-euc-jp",
    };
    for (const char* name : misses)
        EXPECT_EQ(code_page_from_name(name), 0) << name;
    EXPECT_EQ(code_page_from_name(utString()), 0);
    // A name is compared whole: an embedded 0 does not end it early.
    char* block = new char[5]{'u', 's', 0, 'x', 0};
    EXPECT_EQ(code_page_from_name(utString::adopt(block, 4)), 0);
}

} // namespace
