#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "core/apStringFormatter.h"

namespace {

std::string fmt(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    apString result = apStringFormatter::vformat(apString(format), args);
    va_end(args);
    EXPECT_FALSE(result.is_null());
    return result.utf8_str();
}

template <class T>
struct Case {
    const char* format;
    T value;
    const char* expected;
};

template <class T>
void check_table(const Case<T>* cases, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        EXPECT_EQ(fmt(cases[i].format, cases[i].value), cases[i].expected)
            << "format " << cases[i].format << " of " << cases[i].value;
}

} // namespace

TEST(apStringFormatter, SignedIntegers)
{
    const Case<int> cases[] = {
        {"%d", 0, "0"}, {"%d", -42, "-42"}, {"%d", INT_MAX, "2147483647"}, {"%d", INT_MIN, "-2147483648"},
        {"%5d", -42, "  -42"}, {"%05d", -42, "-0042"}, {"%05d", 42, "00042"}, {"%3d", -42, "-42"},
        {"%03d", -42, "-42"}, {"%1d", 12345, "12345"}, {"%0d", 5, "5"}, {"%00d", 5, "5"},
        {"%.3d", -7, "-007"}, {"%.0d", 0, "0"}, {"%.d", 5, "5"}, {"%6.3d", -7, "  -007"},
        // The "0" flag still fills when a precision is given (printf would not).
        {"%06.3d", -7, "-00007"}, {"%012d", INT_MIN, "-02147483648"},
    };
    check_table(cases, sizeof cases / sizeof cases[0]);
}

TEST(apStringFormatter, UnsignedAndHex)
{
    const Case<unsigned> cases[] = {
        {"%u", 4294967295u, "4294967295"}, {"%x", 0u, "0"}, {"%X", 255u, "FF"},
        {"%x", 0xdeadbeefu, "deadbeef"}, {"%010X", 0xdeadbeefu, "00DEADBEEF"}, {"%.4x", 0xau, "000a"},
        {"%4x", 10u, "   a"},
    };
    check_table(cases, sizeof cases / sizeof cases[0]);
}

TEST(apStringFormatter, FixedPoint)
{
    const Case<double> cases[] = {
        {"%f", 0.0, "0.000000"}, {"%f", -0.0, "0.000000"}, {"%f", -1e-7, "-0.000000"},
        {"%.0f", 2.5, "3"}, {"%.f", 2.5, "2.500000"}, {"%.0f", 0.4, "0"}, {"%.0f", 0.5, "1"},
        // Half-up on the scaled double where printf rounds the exact value.
        {"%.2f", 0.125, "0.13"}, {"%.1f", 0.25, "0.3"}, {"%.2f", 1.005, "1.00"},
        {"%f", 9.9999999, "10.000000"}, {"%f", 0.9999999, "1.000000"}, {"%.1f", 99.96, "100.0"},
        {"%f", 1e15, "1000000000000000.000000"}, {"%08.3f", -1.5, "-001.500"}, {"%3.1f", -1.5, "-1.5"},
        {"%.3f", 0.0005, "0.001"},
    };
    check_table(cases, sizeof cases / sizeof cases[0]);
}

TEST(apStringFormatter, ExponentForm)
{
    const Case<double> cases[] = {
        {"%e", 0.0, "0.000000e+00"}, {"%e", 1e-100, "1.000000e-100"}, {"%e", 1e100, "1.000000e+100"},
        {"%e", 9.9999999, "1.000000e+01"}, {"%.3e", 9.9996e99, "1.000e+100"}, {"%.0e", 2.5, "3e+00"},
        {"%012.3e", -1.5, "-001.500e+00"}, {"%e", DBL_MAX, "1.797693e+308"},
        {"%e", 4.9406564584124654e-324, "4.940656e-324"}, {"%e", 2.2250738585072014e-308, "2.225074e-308"},
    };
    check_table(cases, sizeof cases / sizeof cases[0]);
}

TEST(apStringFormatter, GeneralForm)
{
    const Case<double> cases[] = {
        {"%g", 0.0, "0"}, {"%g", 10.0, "10"},
        // Fixed while -4 <= E < P, exponent form outside.
        {"%g", 0.0001, "0.0001"}, {"%g", 0.00001, "1e-05"}, {"%G", 0.00001234, "1.234E-05"},
        {"%g", 100000.0, "100000"}, {"%g", 1000000.0, "1e+06"}, {"%g", 1234567.0, "1.23457e+06"},
        {"%g", 1e100, "1e+100"}, {"%G", 1e-10, "1E-10"}, {"%.3g", 1234.0, "1.23e+03"}, {"%.0g", 0.5, "0.5"},
        {"%.1g", 25.0, "3e+01"}, {"%.10g", 0.1, "0.1"}, {"%.2g", 0.000123, "0.00012"},
        // The form is chosen before rounding: a carry keeps it.
        {"%g", 999999.7, "1000000"}, {"%g", 0.000099999999, "1e-04"}, {"%g", 9999995.0, "1e+07"},
        {"%g", 0.99999999, "1"}, {"%010.4g", -3.14159, "-00003.142"},
    };
    check_table(cases, sizeof cases / sizeof cases[0]);
}

TEST(apStringFormatter, Strings)
{
    const Case<const char*> cases[] = {
        {"%s", "", ""}, {"%.3s", "abcdef", "abc"}, {"%05s", "ab", "000ab"}, {"%2s", "abc", "abc"},
        {"%.0s", "abc", ""}, {"%.s", "abc", "abc"}, {"%6.2s", "abcdef", "    ab"}, {"%3s", "", "   "},
        // Precision and width count code points, not bytes.
        {"%.2s", "\xC3\xA4\xC3\xB6\xC3\xBC", "\xC3\xA4\xC3\xB6"}, {"%3s", "\xC3\xA9", "  \xC3\xA9"},
    };
    for (const auto& c : cases) {
        apString argument(c.value);
        EXPECT_EQ(fmt(c.format, &argument), c.expected) << c.format << " of " << c.value;
    }
}

TEST(apStringFormatter, NonFiniteValuesAndNullStrings)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(fmt("%f", inf), "inf");
    EXPECT_EQ(fmt("%6E", -inf), "  -INF");
    EXPECT_EQ(fmt("%05g", std::numeric_limits<double>::quiet_NaN()), "  nan");
    EXPECT_EQ(fmt("[%3s]", static_cast<const apString*>(nullptr)), "[   ]");
}

TEST(apStringFormatter, FormatsAndDirectives)
{
    apString a("A"), b("B");
    struct Row {
        std::string got;
        const char* expected;
    };
    const Row rows[] = {
        {fmt(""), ""},
        {fmt("plain text"), "plain text"},
        {fmt("100%%"), "100%"},
        {fmt("%5%|%.2%"), "%|%"},
        {fmt("\xC3\xBC%d\xC3\xA4", 5), "\xC3\xBC" "5\xC3\xA4"},
        {fmt("%d-%s-%f", 1, &a, 2.5), "1-A-2.500000"},
        // An unknown conversion reads nothing, so the next directive gets its argument.
        {fmt("%ld %d", 5), "Error formatting string 5"},
        {fmt("%-5d|%d", 3), "Error formatting string|3"},
        // Only "sduxXfeEgG%" end a directive: "%c and" is one directive.
        {fmt("%c and %d", 7), "Error formatting string 7"},
        {fmt("abc%"), "abcError formatting string"},
        {fmt("%5"), "Error formatting string"},
        {fmt("%2$s %1$s", &a, &b), "B A"},
        {fmt("%2$d %1$s", &a, 7), "7 A"},
        {fmt("%2$05d|%1$.1f", 2.25, 42), "00042|2.3"},
        {fmt("%1$3s|%2$.1s", &a, &b), "  A|B"},
        {fmt("%2$s 100%% %1$s", &a, &b), "B 100% A"},
        {fmt("%1$s %1$s", &a), "A Error formatting string"},
        {fmt("%1$s %3$s", &a), "A Error formatting string"},
        {fmt("%1$s %s", &a), "A Error formatting string"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.got, r.expected);
}

TEST(apStringFormatter, ManyDirectives)
{
    std::string format, expected;
    for (int i = 0; i < 40; ++i) {
        format += "%d,";
        expected += std::to_string(i * 7) + ",";
    }
    EXPECT_EQ(fmt(format.c_str(), 0, 7, 14, 21, 28, 35, 42, 49, 56, 63, 70, 77, 84, 91, 98, 105, 112, 119,
                  126, 133, 140, 147, 154, 161, 168, 175, 182, 189, 196, 203, 210, 217, 224, 231, 238, 245,
                  252, 259, 266, 273),
              expected);
}

// Past 2^53 the scaled value is no longer an exact integer and the digits
// below its precision are whatever the repeated division leaves; the text
// still has every digit position.
TEST(apStringFormatter, HugeFixedValueKeepsEveryDigitPosition)
{
    const std::string text = fmt("%f", 1e300);
    EXPECT_EQ(text.size(), 301u + 1 + 6);
    EXPECT_EQ(text.substr(0, 16), "1000000000000000");
    EXPECT_EQ(text[301], '.');
    EXPECT_EQ(fmt("%f", -DBL_MAX).size(), 1 + 309u + 1 + 6);
    EXPECT_EQ(fmt("%.400f", 1e-5).substr(0, 9), "0.0000100");
}

namespace {

// Whether printf's exact decimal value lies within 1% of a unit of the last
// kept digit from a halfway point, where rounding the scaled double may go
// the other way.
bool near_tie(const char* format, double value)
{
    const char conversion = format[std::strlen(format) - 1];
    const char* dot = std::strchr(format, '.');
    int precision = dot ? std::atoi(dot + 1) : 6;
    const bool general = conversion == 'g' || conversion == 'G';
    if (general)
        precision = (precision ? precision : 1) - 1;
    char probe[16], text[512];
    std::snprintf(probe, sizeof probe, "%%.%d%c", precision + 4, conversion == 'f' ? 'f' : 'e');
    std::snprintf(text, sizeof text, probe, value);
    const int tail = std::atoi(std::string(std::strchr(text, '.') + 1 + precision, 4).c_str());
    return tail >= 4900 && tail <= 5100;
}

} // namespace

// Below these magnitudes the scaled double is off by less than 1% of a unit,
// and away from halfway cases the digits must then agree with printf.
TEST(apStringFormatter, AgreesWithPrintfAwayFromTies)
{
    const struct {
        const char* format;
        double below;
    } formats[] = {{"%f", 1e7},    {"%.2f", 1e11},   {"%e", 1e300},  {"%.3E", 1e300}, {"%g", 1e300},
                   {"%.4g", 1e300}, {"%G", 1e300}, {"%12.5e", 1e300}, {"%015.3f", 1e10}, {"%.12g", 1e300}};
    std::mt19937_64 random(20240611);
    char expected[512];
    int compared = 0;
    for (int i = 0; i < 4000; ++i) {
        const double mantissa = 1.0 + static_cast<double>(random() >> 11) / 9007199254740992.0 * 9.0;
        const int exponent = static_cast<int>(random() % 41) - 20;
        double value = mantissa;
        for (int k = 0; k < (exponent < 0 ? -exponent : exponent); ++k)
            value = exponent < 0 ? value / 10 : value * 10;
        if (random() & 1)
            value = -value;
        for (const auto& f : formats) {
            if (value >= f.below || -value >= f.below || near_tie(f.format, value))
                continue;
            std::snprintf(expected, sizeof expected, f.format, value);
            ASSERT_EQ(fmt(f.format, value), expected) << f.format << " of " << value;
            ++compared;
        }
    }
    EXPECT_GT(compared, 30000);
}
