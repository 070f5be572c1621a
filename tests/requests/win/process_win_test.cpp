#include <gtest/gtest.h>

#include "requests/process.h"
#include "support/testPrograms.h"

namespace {

namespace fs = std::filesystem;

// The wide path reaches the system whole: any separator, any script.
TEST(StartAndWaitWindows, PathSpellings)
{
    testsupport::ScratchDirectory directory;
    const fs::path inner = directory.path() / fs::u8path(u8"Zähler \u4E2D");
    fs::create_directory(inner);
    const fs::path program = inner / "Writer.exe";
    fs::copy_file(testsupport::test_program("writes_beside_itself"), program);

    const apString slashes = testsupport::library_text(program);
    const apString backslashes = apString(program.u8string().c_str());
    for (const apString& path : {slashes, backslashes}) {
        SCOPED_TRACE(path.utf8_str());
        fs::remove(inner / "ran.txt");
        EXPECT_EQ(process::start_and_wait(path, process::program_time_limit_ms), 1);
        EXPECT_TRUE(fs::exists(inner / "ran.txt"));
    }
}

} // namespace
