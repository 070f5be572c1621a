#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "requests/process.h"
#include "support/testPrograms.h"

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

TEST(ProgramTimeLimit, ProgramRunningPastAMinuteIsLeftRunning)
{
    testsupport::ScratchDirectory directory;
    const fs::path program = directory.add_program("sleeps_until_stopped", "SurfaceFinish.exe");

    const auto begin = std::chrono::steady_clock::now();
    const int answer =
        process::start_and_wait(testsupport::library_text(program), process::program_time_limit_ms);
    const auto took = std::chrono::steady_clock::now() - begin;

    EXPECT_EQ(answer, 0);
    EXPECT_GE(took, milliseconds(60000));
    EXPECT_LT(took, milliseconds(65000));
    EXPECT_FALSE(fs::exists(directory.path() / "stopped"));
    std::ofstream(directory.path() / "stop") << "stop\n";
    EXPECT_TRUE(testsupport::wait_for_file(directory.path() / "stopped", testsupport::prompt));
}

} // namespace
