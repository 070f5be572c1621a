// A technology program that never ends, asked through the C interface: the
// query gives up after the real minute and leaves the program running. A
// program of its own, natively only, so that its minute passes beside the
// other tests.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "support/dynlib.h"
#include "support/testPrograms.h"

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

TEST(QueryTimeLimit, ProgramStillRunningAfterAMinuteGivesStatus4AndKeepsRunning)
{
    testsupport::ScratchDirectory exchange;
    exchange.add_program("sleeps_until_stopped", "SurfaceFinish.exe");
    testsupport::DynamicLibrary library(testsupport::library_file());
    auto set = library.function<void (*)(const char*, const char*, int*)>("set_parameter_value");
    auto query =
        library.function<const char* (*)(const char*, const char*, int*)>("surface_finishes");
    ASSERT_TRUE(set && query) << testsupport::library_file();
    int status = -1;
    set("ImportStudyPath", exchange.path().generic_u8string().c_str(), &status);
    ASSERT_EQ(status, 0);

    const auto begin = std::chrono::steady_clock::now();
    const char* answer = query("1.2379", "Copper", &status);
    const auto took = std::chrono::steady_clock::now() - begin;

    EXPECT_EQ(status, 4);
    EXPECT_EQ(answer, nullptr);
    EXPECT_GE(took, milliseconds(60000));
    EXPECT_LT(took, milliseconds(65000));
    EXPECT_TRUE(fs::is_regular_file(exchange.path() / "R_SurfaceFinish.xml"));
    EXPECT_FALSE(fs::exists(exchange.path() / "A_SurfaceFinish.xml"));
    // Started, and not stopped by the library.
    EXPECT_TRUE(fs::exists(exchange.path() / "pid"));
    EXPECT_FALSE(fs::exists(exchange.path() / "stopped"));
    std::ofstream(exchange.path() / "stop") << "stop\n";
    EXPECT_TRUE(testsupport::wait_for_file(exchange.path() / "stopped", milliseconds(5000)));
}

} // namespace
