// The POSIX build converts code pages through tables generated on Windows.
// Here, where Windows is at hand, every page of the list is compared with
// Windows' own conversions: every BMP unit encoded, every sequence of one or
// two bytes decoded. Each direction stops at its first difference and names it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>

#include "core/codePageList.h"
#include "core/posix/codePageTables.h"

namespace {

template <typename T>
std::string hex(const T* data, int n, const char* format)
{
    if (n == 0)
        return "refused";
    std::string text;
    char one[8];
    for (int i = 0; i < n; ++i) {
        std::snprintf(one, sizeof one, format, static_cast<unsigned>(static_cast<std::make_unsigned_t<T>>(data[i])));
        text += (i ? " " : "") + std::string(one);
    }
    return text;
}

// The first unit that the table encodes otherwise than Windows, or "".
std::string first_encode_difference(unsigned int cp, const codepage::codePageTable& table, int* compared)
{
    for (unsigned int u = 1; u <= 0xFFFF; ++u) {
        const wchar_t text[] = {static_cast<wchar_t>(u), 0};
        char windows[8], ours[8];
        BOOL used = FALSE;
        int our_used = 0;
        const int wn = WideCharToMultiByte(cp, 0, text, -1, windows, sizeof windows, nullptr, &used);
        const int on = codepage::table_from_utf16(table, text, ours, sizeof ours, &our_used);
        ++*compared;
        if (wn != on || std::memcmp(windows, ours, wn) != 0 || (used != FALSE) != (our_used != 0)) {
            char unit[16];
            std::snprintf(unit, sizeof unit, "U+%04X", u);
            return std::string("encoding ") + unit + ": Windows " + hex(windows, wn - (wn > 0), "%02X") +
                   (used ? " (default)" : "") + ", table " + hex(ours, on - (on > 0), "%02X") +
                   (our_used ? " (default)" : "");
        }
    }
    return "";
}

// The first sequence of one byte, then of two, that the table decodes
// otherwise than Windows, or "".
std::string first_decode_difference(unsigned int cp, const codepage::codePageTable& table, int* compared)
{
    for (unsigned int second : {0u, 1u}) {
        for (unsigned int code = second ? 0x0101 : 0x01; code <= (second ? 0xFFFFu : 0xFFu); ++code) {
            const char bytes[] = {static_cast<char>(second ? code >> 8 : code),
                                  static_cast<char>(second ? code & 0xFF : 0), 0};
            if (second && bytes[1] == 0)
                continue;
            wchar_t windows[4], ours[4];
            const int wn = MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, bytes, -1, windows, 4);
            const int on = codepage::table_to_utf16(table, bytes, ours, 4);
            ++*compared;
            if (wn != on || std::memcmp(windows, ours, wn * sizeof(wchar_t)) != 0)
                return "decoding " + hex(bytes, second ? 2 : 1, "%02X") + ": Windows " +
                       hex(windows, wn - (wn > 0), "U+%04X") + ", table " + hex(ours, on - (on > 0), "U+%04X");
        }
    }
    return "";
}

} // namespace

namespace codepage {
void PrintTo(const codePageRow& row, std::ostream* out)
{
    *out << "code page " << row.number;
}
} // namespace codepage

namespace {

class CodePageTables : public testing::TestWithParam<codepage::codePageRow> {};

TEST_P(CodePageTables, EqualWindows)
{
    const unsigned int cp = GetParam().number;
    const codepage::codePageTable* table = codepage::code_page_table(cp);
    if (!GetParam().converted) {
        // Windows refuses the page as the library calls it; so does the
        // POSIX build, which has no table.
        EXPECT_EQ(table, nullptr);
        BOOL used = FALSE;
        EXPECT_EQ(MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, "a", -1, nullptr, 0), 0);
        EXPECT_EQ(WideCharToMultiByte(cp, 0, L"a", -1, nullptr, 0, nullptr, &used), 0);
        return;
    }
    ASSERT_NE(table, nullptr) << "no generated table: run tools/cpgen/regenerate.sh";
    int encodes = 0, decodes = 0;
    EXPECT_EQ(first_encode_difference(cp, *table, &encodes), "");
    EXPECT_EQ(first_decode_difference(cp, *table, &decodes), "");
    RecordProperty("encodes", encodes);
    RecordProperty("decodes", decodes);
}

INSTANTIATE_TEST_SUITE_P(EveryListedPage, CodePageTables, testing::ValuesIn(codepage::kCodePages),
                         [](const testing::TestParamInfo<codepage::codePageRow>& info) {
                             return "cp" + std::to_string(info.param.number);
                         });

} // namespace
