// The DLL's version resource as Windows reads it: the numbers and strings of
// the release that qellink.h names.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "qellink.h"
#include "support/dynlib.h"

namespace {

std::wstring widened(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

TEST(VersionResource, NamesTheReleaseOfTheHeader)
{
    const std::wstring file = widened(testsupport::library_file());
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version resource";
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(file.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(QELLINK_VERSION_MINOR, QELLINK_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, QELLINK_VERSION_PATCH)));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

    const struct {
        const char* name;
        std::string value;
    } strings[] = {
        {"FileVersion", QELLINK_VERSION_STRING},
        {"ProductVersion", QELLINK_VERSION_STRING},
        {"ProductName", "qellink"},
        {"OriginalFilename", "libqellink.dll"},
    };
    for (const auto& s : strings) {
        const std::wstring path = L"\\StringFileInfo\\040904B0\\" + widened(s.name);
        wchar_t* value = nullptr;
        ASSERT_TRUE(VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
            << s.name << " is missing";
        EXPECT_TRUE(widened(s.value) == value) << s.name;
    }
}

} // namespace
