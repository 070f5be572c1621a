// Technology programs that never end, asked through the C interface: the
// query gives up after the real minute and leaves the program running, also
// when the program has written its answer. A program of its own, natively
// only, so that its minute passes beside the other tests; its two queries
// share that minute.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "support/dynlib.h"
#include "support/testPrograms.h"

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

TEST(QueryTimeLimit, ProgramStillRunningAfterAMinuteGivesStatus4AndKeepsRunning)
{
    testsupport::ScratchDirectory exchange;
    exchange.add_program("sleeps_until_stopped", "SurfaceFinish.exe");
    // A second program that answers at once and then runs on: its answer is
    // not taken.
    testsupport::ScratchDirectory answering;
    answering.add_program("answers_then_lingers", "ElectrodeMaterial.exe");
    std::ofstream(answering.path() / "answer.xml") << "<A><Type><V>Copper</V></Type></A>";

    testsupport::DynamicLibrary library(testsupport::library_file());
    auto set = library.function<void (*)(const char*, const char*, int*)>("set_parameter_value");
    auto query =
        library.function<const char* (*)(const char*, const char*, int*)>("surface_finishes");
    auto electrode = library.function<const char* (*)(const char*, int*)>("electrode_materials");
    ASSERT_TRUE(set && query && electrode) << testsupport::library_file();
    int status = -1;
    set("ImportStudyPath", exchange.path().generic_u8string().c_str(), &status);
    ASSERT_EQ(status, 0);

    // The second query starts once the first one's program runs: the two
    // share the minute but never write their requests at the same time.
    const auto begin = std::chrono::steady_clock::now();
    const char* answer = nullptr;
    std::chrono::steady_clock::duration took{};
    std::thread first([&] {
        answer = query("1.2379", "Copper", &status);
        took = std::chrono::steady_clock::now() - begin;
    });
    const bool first_runs = testsupport::wait_for_file(exchange.path() / "pid", milliseconds(10000));
    int second_status = -1;
    const char* second_answer = nullptr;
    std::chrono::steady_clock::duration second_took{};
    if (first_runs) {
        int set_status = -1;
        set("ImportStudyPath", answering.path().generic_u8string().c_str(), &set_status);
        const auto second_begin = std::chrono::steady_clock::now();
        second_answer = electrode("1.2379", &second_status);
        second_took = std::chrono::steady_clock::now() - second_begin;
    }
    first.join();
    ASSERT_TRUE(first_runs);

    EXPECT_EQ(second_status, 4);
    EXPECT_EQ(second_answer, nullptr);
    EXPECT_GE(second_took, milliseconds(60000));
    EXPECT_TRUE(fs::is_regular_file(answering.path() / "A_ElectrodeMat.xml"));
    EXPECT_FALSE(fs::exists(answering.path() / "stopped"));
    std::ofstream(answering.path() / "stop") << "stop\n";
    EXPECT_TRUE(testsupport::wait_for_file(answering.path() / "stopped", milliseconds(5000)));

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
