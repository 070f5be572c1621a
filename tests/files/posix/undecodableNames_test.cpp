// Names on POSIX are bytes; the library reads them as UTF-8. A name that is
// not UTF-8 is listed as the decoder's failure, as Windows lists a name that
// is not UTF-16, and nothing else is affected.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "files/apIFileOperations.h"
#include "support/tempDir.h"

namespace {

TEST(UndecodableNames, ListedAsFailedTextBesideTheOthers)
{
    testsupport::TempDir tmp;
    const std::string bad = "caf\xE9";
    testsupport::write_bytes(tmp.root() / bad, "x");
    testsupport::write_bytes(tmp.at("plain"), "y");
    apIFileOperations& ops = *default_file_operations();
    std::shared_ptr<apIFileIterator> it = ops.list_directory(apPath(tmp.text()));
    int failed = 0;
    int plain = 0;
    while (it->next()) {
        const apString entry = it->entry().string();
        if (entry == apString("Failed to construct string from UTF8 string."))
            ++failed;
        else if (entry == apString("plain"))
            ++plain;
    }
    EXPECT_EQ(failed, 1);
    EXPECT_EQ(plain, 1);
    EXPECT_EQ(it->failed(), 0);
    EXPECT_EQ(testsupport::read_bytes(tmp.root() / bad), "x");
}

TEST(UndecodableNames, CurrentDirectoryThatIsNotUtf8HasNoAbsolutePath)
{
    testsupport::TempDir tmp;
    const std::filesystem::path bad = tmp.root() / "\xFF\xFE";
    std::filesystem::create_directory(bad);
    const std::filesystem::path previous = std::filesystem::current_path();
    ASSERT_EQ(::chdir(bad.c_str()), 0);
    const apString relative = default_file_operations()->absolute(apPath(apString("a")));
    const apString absolute = default_file_operations()->absolute(apPath(tmp.text()));
    std::filesystem::current_path(previous);
    EXPECT_TRUE(relative.is_null());
    EXPECT_FALSE(absolute.is_null());
}

} // namespace
