#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/apStringCRTEncoding.h"
#include "support/printers.h"
#include "support/scopedLocale.h"

namespace {

using testsupport::ScopedLocale;

std::string bytes(const utString& s)
{
    return s.is_null() ? std::string("<null>") : std::string(s.c_str(), s.length());
}

apString text(std::vector<apString::codepoint> code_points)
{
    int error = 0;
    return apString(code_points.data(), code_points.size(), &error);
}

// The "C" locale answers as the Windows C runtime's (the same test runs
// there): every byte is the character of its number, and only characters
// up to U+00FF have a byte, across the whole of the BMP.
TEST(apStringCRTEncoding, ClassicLocaleIsTheWindowsOne)
{
    ScopedLocale c({"C"});
    ASSERT_TRUE(c.active());
    apStringCRTEncoding enc;
    int error = 7;
    EXPECT_EQ(bytes(enc.encode(apString::empty_string(), &error)), "");
    EXPECT_EQ(error, 0);
    for (unsigned b = 1; b <= 0xFF; ++b) {
        const char one[] = {static_cast<char>(b), 'x', 0};
        error = 7;
        ASSERT_EQ(enc.decode(one, &error), text({b, 'x'})) << b;
        ASSERT_EQ(error, 0) << b;
    }
    for (apString::codepoint cp = 1; cp <= 0xFFFF; ++cp) {
        error = 7;
        const utString out = enc.encode(text({'a', cp}), &error);
        if (cp <= 0xFF) {
            ASSERT_EQ(bytes(out), std::string({'a', static_cast<char>(cp)})) << cp;
            ASSERT_EQ(error, 0) << cp;
        } else {
            ASSERT_EQ(bytes(out), "Failed to convert string to MB") << cp;
            ASSERT_EQ(error, 1) << cp;
        }
    }
    error = 0;
    EXPECT_EQ(bytes(enc.encode(text({0x41, 0x1F600}), &error)), "Failed to convert string to MB");
    EXPECT_EQ(error, 1);
}

TEST(apStringCRTEncoding, Utf8Locale)
{
    ScopedLocale utf8 = ScopedLocale::utf8();
    if (!utf8.active())
        GTEST_SKIP() << "the C runtime has no UTF-8 locale";
    apStringCRTEncoding enc;
    int error = 7;
    EXPECT_EQ(enc.decode("caf\xC3\xA9 \xF0\x9F\x98\x80", &error), text({'c', 'a', 'f', 0xE9, ' ', 0x1F600}));
    EXPECT_EQ(error, 0);
    error = 7;
    EXPECT_EQ(bytes(enc.encode(text({0xE9, 0x4E00, 0x1F600}), &error)), "\xC3\xA9\xE4\xB8\x80\xF0\x9F\x98\x80");
    EXPECT_EQ(error, 0);
    for (const char* bad : {"\xFF", "a\xC3", "\xC3\x41", "\x80"}) {
        error = 0;
        apString s = enc.decode(bad, &error);
        EXPECT_EQ(s, apString("Failed to construct string from MB string.")) << bad;
        EXPECT_EQ(error, 1) << bad;
    }
}

TEST(apStringCRTEncoding, DefaultEncodingIsOneProcessWideObject)
{
    apIStringEncoding* first = default_string_encoding();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, default_string_encoding());
    EXPECT_NE(dynamic_cast<apStringCRTEncoding*>(first), nullptr);
}

} // namespace
