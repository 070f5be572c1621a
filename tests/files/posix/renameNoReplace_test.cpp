// Both no-replace renames, the system's (rename_no_replace) and the one of
// POSIX calls alone that stands in where the system has none: a taken name
// is never replaced, whatever is there.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "files/posix/renameNoReplace.h"
#include "support/tempDir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::read_bytes;
using testsupport::write_bytes;

using rename_function = int (*)(const char*, const char*);

class RenameNoReplace : public testing::TestWithParam<rename_function> {};

TEST_P(RenameNoReplace, NeverReplacesATakenName)
{
    testsupport::TempDir tmp;
    const auto at = [&](const char* name) { return tmp.at(name).string(); };
    write_bytes(tmp.at("file"), "file");
    write_bytes(tmp.at("other"), "other");
    fs::create_directory(tmp.at("dir"));
    write_bytes(tmp.at("dir/inside"), "inside");
    fs::create_directory(tmp.at("empty"));
    fs::create_symlink("file", tmp.at("link"));
    const rename_function rename = GetParam();

    const struct {
        const char* from;
        const char* to;
        int errno_value; // 0: renamed
    } cases[] = {
        {"file", "other", EEXIST}, {"file", "empty", EEXIST}, {"dir", "empty", EEXIST},
        {"dir", "other", EEXIST},  {"link", "other", EEXIST}, {"missing", "free", ENOENT},
        {"file", "file2", 0},      {"dir", "dir2", 0},        {"link", "link2", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        errno = 0;
        const int answer = rename(at(c.from).c_str(), at(c.to).c_str());
        if (c.errno_value == 0) {
            EXPECT_EQ(answer, 0);
            EXPECT_FALSE(fs::exists(fs::symlink_status(tmp.at(c.from))));
            EXPECT_TRUE(fs::exists(fs::symlink_status(tmp.at(c.to))));
        } else {
            EXPECT_EQ(answer, -1);
            EXPECT_EQ(errno, c.errno_value);
        }
    }
    EXPECT_EQ(read_bytes(tmp.at("other")), "other");
    EXPECT_TRUE(fs::is_empty(tmp.at("empty")));
    EXPECT_EQ(read_bytes(tmp.at("dir2/inside")), "inside");
    // The link moved, not what it points to (relative, now dangling).
    EXPECT_TRUE(fs::is_symlink(tmp.at("link2")));
    EXPECT_EQ(read_bytes(tmp.at("file2")), "file");
}

INSTANTIATE_TEST_SUITE_P(Both, RenameNoReplace,
                         testing::Values(rename_no_replace, portable_rename_no_replace),
                         [](const testing::TestParamInfo<rename_function>& info) {
                             return info.index == 0 ? "system" : "portable";
                         });

} // namespace
