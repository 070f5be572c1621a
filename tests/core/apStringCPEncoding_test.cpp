#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "core/apStringCPEncoding.h"
#include "core/codePage.h"
#include "support/printers.h"

namespace {

using cp_t = apString::codepoint;

std::string bytes(const utString& s)
{
    return s.is_null() ? std::string("<null>") : std::string(s.c_str(), s.length());
}

apString text(std::vector<cp_t> code_points)
{
    int error = 0;
    return apString(code_points.data(), code_points.size(), &error);
}

std::vector<cp_t> code_points(const apString& s)
{
    return std::vector<cp_t>(s.data(), s.data() + s.length());
}

// One conversion of text to a code page's bytes, and the error it reports.
struct Encoding {
    unsigned int cp;
    std::vector<cp_t> text;
    const char* bytes;
    int error;
};

void expect_encodings(std::initializer_list<Encoding> cases)
{
    for (const auto& c : cases) {
        apStringCPEncoding enc(c.cp);
        int error = 7;
        utString s = enc.encode(text(c.text), &error);
        EXPECT_EQ(bytes(s), c.bytes) << c.cp << " " << std::hex << c.text[0];
        EXPECT_EQ(error, c.error) << c.cp << " " << std::hex << c.text[0];
    }
}

// One conversion of a code page's bytes to text; no text: refused. With
// encode_back, what decodes must encode to the same bytes.
struct Decoding {
    unsigned int cp;
    const char* bytes;
    std::vector<cp_t> text;
};

void expect_decodings(std::initializer_list<Decoding> cases, bool encode_back)
{
    for (const auto& c : cases) {
        apStringCPEncoding enc(c.cp);
        int error = 7;
        apString s = enc.decode(c.bytes, &error);
        EXPECT_EQ(error, c.text.empty() ? 1 : 0) << c.cp << " " << c.bytes;
        if (c.text.empty()) {
            EXPECT_EQ(s, apString("Failed to convert to apString.")) << c.cp;
            continue;
        }
        EXPECT_EQ(code_points(s), c.text) << c.cp << " " << c.bytes;
        if (encode_back) {
            EXPECT_EQ(bytes(enc.encode(s, &error)), c.bytes) << c.cp << " back";
            EXPECT_EQ(error, 0) << c.cp << " back";
        }
    }
}

// What code page 1252 makes of each byte: Latin-1, except for 80..9F, where
// five bytes the code page leaves undefined pass through as C1 controls.
cp_t cp1252(unsigned int byte)
{
    static const cp_t row80[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    return byte >= 0x80 && byte < 0xA0 ? row80[byte - 0x80] : byte;
}

TEST(apStringCPEncoding, Cp1252EveryByteBothWays)
{
    apStringCPEncoding enc(1252);
    std::string all;
    std::vector<cp_t> expected;
    for (unsigned int b = 1; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        int decode_error = 7, encode_error = 7;
        EXPECT_EQ(code_points(enc.decode(one.c_str(), &decode_error)), std::vector<cp_t>{cp1252(b)}) << std::hex << b;
        EXPECT_EQ(bytes(enc.encode(text({cp1252(b)}), &encode_error)), one) << std::hex << b;
        EXPECT_EQ(decode_error + encode_error, 0) << b;
        all += one;
        expected.push_back(cp1252(b));
    }
    int error = 7;
    EXPECT_EQ(code_points(enc.decode(all.c_str(), &error)), expected);
    EXPECT_EQ(error, 0);
}

TEST(apStringCPEncoding, Cp1252BestFitAndDefaultCharacter)
{
    expect_encodings({
        {1252, {0x41, 0x4E00, 0x42}, "A?B", 1},
        {1252, {0x1F600}, "??", 1},             // one default per UTF-16 unit
        {1252, {0x0141, 0x00F3, 0x0064, 0x017A}, "L\xF3" "dz", 0},
        {1252, {0xFF21, 0xFF5A}, "Az", 0},
        {1252, {0x2248}, "\x98", 0},
        {1252, {0x0100, 0x4E00}, "A?", 1},
        {1252, {0x003F}, "?", 0},
        {1252, {0x0081, 0x009D}, "\x81\x9D", 0},
        {1252, {0xD800}, "?", 1},               // lone surrogates
        {1252, {0xDC00, 0x41}, "?A", 1},
    });
}

TEST(apStringCPEncoding, EmptyNullAndUnknownCodePages)
{
    apStringCPEncoding enc(1252);
    int error = 7;
    apString decoded = enc.decode("", &error);
    EXPECT_EQ(error, 0);
    EXPECT_FALSE(decoded.is_null());
    EXPECT_TRUE(decoded.is_empty());
    error = 7;
    EXPECT_EQ(bytes(enc.encode(apString::empty_string(), &error)), "");
    EXPECT_EQ(error, 0);

    const char* decode_failure = "Failed to convert to apString.";
    const char* encode_failure = "Failed to convert to 8-bit encoding.";
    error = 0;
    EXPECT_EQ(enc.decode(nullptr, &error), apString(decode_failure));
    EXPECT_EQ(error, 1);
    error = 0;
    EXPECT_EQ(bytes(enc.encode(apString(), &error)), encode_failure);
    EXPECT_EQ(error, 1);
    for (unsigned int cp : {1259u, 1249u, 12345u, 50225u}) {
        apStringCPEncoding unknown(cp);
        error = 0;
        decoded = unknown.decode("abc", &error);
        EXPECT_EQ(decoded, apString(decode_failure)) << cp;
        EXPECT_EQ(decoded.error(), 0) << cp;
        EXPECT_EQ(error, 1) << cp;
        error = 0;
        EXPECT_EQ(bytes(unknown.encode("abc", &error)), encode_failure) << cp;
        EXPECT_EQ(error, 1) << cp;
    }
}

// Conversions of the other named code pages on which Windows and the POSIX
// build agree; whatever decodes encodes back to the same bytes.
TEST(apStringCPEncoding, OtherCodePagesDecodeAndEncodeBack)
{
    expect_decodings({
        {1250, "\x8A\xB9", {0x0160, 0x0105}},
        {1250, "\x81\x98", {0x0081, 0x0098}},   // undefined bytes pass through
        {874, "\x81\xA1", {0x0081, 0x0E01}},
        {1258, "A\xDE", {0x0041, 0x0303}},      // combining marks stay apart
        {1251, "\xC0\xFF", {0x0410, 0x044F}},
        {1253, "\xC1", {0x0391}},
        {1255, "\xE0", {0x05D0}},
        {866, "\x80\xE9", {0x0410, 0x0449}},
        {852, "\xA5", {0x0105}},
        {20866, "\xC1\xF1", {0x0430, 0x042F}},
        {28592, "\xA1\xB1", {0x0104, 0x0105}},
        {932, "A\x82\xA0\xB1", {0x41, 0x3042, 0xFF71}},
        {936, "\xD2\xBB", {0x4E00}},
        {949, "\xB0\xA1", {0xAC00}},
        {950, "\xA4\x40", {0x4E00}},
        {949, "A\xE9\x81", {}},
        {950, "\x82\xA0", {}},
        {932, "\x82", {}},        // a lead byte without its trail
        {50225, "abc", {}},      // no strict decoding of ISO-2022
    }, /*encode_back=*/true);
}

TEST(apStringCPEncoding, OtherCodePagesEncode)
{
    expect_encodings({
        {1250, {0x0100, 0x00C6}, "AA", 0},       // best fit
        {1251, {0x00C0}, "A", 0},
        {1255, {0xFB2C}, "?", 1},                // no decomposition
        {1258, {0x00C3}, "?", 1},
        {866, {0x00A7, 0x0410}, "\x15\x80", 0},
        {932, {0x41, 0x4E00, 0x3042}, "A\x88\xEA\x82\xA0", 0},
        {932, {0x1F600}, "??", 1},
        {949, {0xAC00, 0x0410}, "\xB0\xA1\xAC\xA1", 0},
        {950, {0x4E00, 0x0E01}, "\xA4\x40?", 1},
    });
}

// The double-byte pages where a conversion library of their charsets and
// Windows part: 0x80 and the bytes around the lead-byte ranges, lead bytes
// without a trail, user-defined areas, and the best fit Windows makes.
TEST(apStringCPEncoding, DoubleBytePagesDecodeAsWindows)
{
    expect_decodings({
        {932, "\x80", {0x0080}},
        {932, "\xA0", {}},
        {932, "\xA1\xDF", {0xFF61, 0xFF9F}},
        {932, "\xFD", {}},
        {932, "\x81", {}},                  // lead byte without trail
        {932, "A\x9F", {}},
        {932, "\x81\x3F", {}},              // trail bytes start at 0x40
        {932, "\x81\x40", {0x3000}},
        {932, "\x81\x7F", {}},
        {932, "\xF0\x40\xF9\xFC", {0xE000, 0xE757}}, // user-defined area
        {936, "\x80", {0x20AC}},
        {936, "\xFF", {}},
        {936, "\xFE", {}},
        {936, "\xAA\xA1\xA7\x92", {0xE000, 0xE757}},
        {949, "\x80", {0x0080}},
        {949, "\xFF", {}},
        {949, "\x81", {}},
        {949, "\xC9\xA1", {0xE000}},
        {950, "\x80", {0x0080}},
        {950, "\xFF", {}},
        {950, "\xFE", {}},
        {950, "\xFA\x40\x94\xFA", {0xE000, 0xE757}},
        {950, "\xF9\xF9", {0x2550}},
    }, /*encode_back=*/false);
}

TEST(apStringCPEncoding, DoubleBytePagesEncodeAsWindows)
{
    expect_encodings({
        {932, {0x00A5, 0x00C0}, "\\A", 0},     // best fit
        {932, {0x00B7}, "\x81\x45", 0},
        {932, {0xF8F0}, "\xA0", 0},            // a byte that does not decode back
        {932, {0x0080}, "\x80", 0},
        {932, {0xE000, 0xE757}, "\xF0\x40\xF9\xFC", 0},
        {932, {0xE758}, "?", 1},
        {932, {0x2550, 0x20AC}, "??", 1},
        {936, {0x00A5, 0x00C0}, "\xA3\xA4\xA8\xA4", 0},
        {936, {0x20AC}, "\x80", 0},
        {936, {0x0080}, "?", 1},
        {936, {0xE000, 0xE758}, "\xAA\xA1\xA7\x93", 0},
        {949, {0x00A5}, "\xA1\xCD", 0},
        {949, {0x0080, 0xE000}, "\x80\xC9\xA1", 0},
        {949, {0x0101}, "?", 1},
        {949, {0x1F600}, "??", 1},             // one default per UTF-16 unit
        {950, {0x2550, 0x255E, 0x256A, 0x2561}, "\xF9\xF9\xF9\xE9\xF9\xEA\xF9\xEB", 0},
        {950, {0x2015}, "\xA2\x77", 0},
        {950, {0x0080, 0xE000}, "\x80\xFA\x40", 0},
        {950, {0x2116}, "?", 1},
    });
}

TEST(apStringCPEncoding, CodePageZeroIsTheAnsiCodePage)
{
    apStringCPEncoding ansi(0), named(codepage::ansi_code_page());
    std::string all;
    for (unsigned int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    int e1 = 0, e2 = 0;
    EXPECT_EQ(ansi.decode(all.c_str(), &e1), named.decode(all.c_str(), &e2));
    EXPECT_EQ(e1, e2);
    apString sample = text({0x41, 0x0100, 0x4E00, 0x20AC});
    EXPECT_EQ(bytes(ansi.encode(sample, &e1)), bytes(named.encode(sample, &e2)));
    EXPECT_EQ(e1, e2);
}

// The two-call contract of the conversion seam.
TEST(CodePage, CountsAndCapacity)
{
    apWchar units[8];
    EXPECT_EQ(codepage::to_utf16(1252, "ab\x80", nullptr, 0), 4);
    EXPECT_EQ(codepage::to_utf16(1252, "ab\x80", units, 3), 0);
    EXPECT_EQ(codepage::to_utf16(1252, "ab\x80", units, 8), 4);
    EXPECT_EQ(units[2], static_cast<apWchar>(0x20AC));
    EXPECT_EQ(units[3], static_cast<apWchar>(0));

    const apWchar wide[] = {0x41, 0x4E00, 0};
    char out[8];
    int used = 7;
    EXPECT_EQ(codepage::from_utf16(1252, wide, nullptr, 0, nullptr), 3);
    EXPECT_EQ(codepage::from_utf16(1252, wide, out, 2, &used), 0);
    EXPECT_EQ(codepage::from_utf16(1252, wide, out, 8, &used), 3);
    EXPECT_EQ(std::string(out), "A?");
    EXPECT_EQ(used, 1);
    const apWchar plain[] = {0x41, 0};
    EXPECT_EQ(codepage::from_utf16(1252, plain, out, 8, &used), 2);
    EXPECT_EQ(used, 0);
}

// The same contract where a character takes two bytes.
TEST(CodePage, DoubleByteCountsAndCapacity)
{
    apWchar units[4];
    EXPECT_EQ(codepage::to_utf16(932, "\x82\xA0" "A", nullptr, 0), 3);
    EXPECT_EQ(codepage::to_utf16(932, "\x82\xA0" "A", units, 2), 0);
    EXPECT_EQ(codepage::to_utf16(932, "\x82\xA0" "A", units, 3), 3);
    EXPECT_EQ(units[0], static_cast<apWchar>(0x3042));
    EXPECT_EQ(units[2], static_cast<apWchar>(0));
    EXPECT_EQ(codepage::to_utf16(932, "\x82\xA0" "A", units, -1), 0);

    const apWchar wide[] = {0x3042, 0x41, 0x0101, 0};
    char out[8] = {};
    int used = 7;
    EXPECT_EQ(codepage::from_utf16(932, wide, nullptr, 0, nullptr), 5);
    EXPECT_EQ(codepage::from_utf16(932, wide, out, 4, &used), 0);
    EXPECT_EQ(codepage::from_utf16(932, wide, out, 5, &used), 5);
    EXPECT_EQ(std::string(out), "\x82\xA0" "A?");
    EXPECT_EQ(used, 1);
    EXPECT_EQ(codepage::from_utf16(932, wide, out, -1, &used), 0);
}

} // namespace
