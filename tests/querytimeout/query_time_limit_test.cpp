// Technology programs that never end, asked through the C interface: the
// query gives up after the real minute and leaves the program running, also
// when the program has written its answer. A program of its own, natively
// only, so that its minute passes beside the other tests; its two queries,
// and qelquery's explanation of an overrun and its check of a lingering
// program, share that minute.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <thread>

#include "support/dynlib.h"
#include "support/testPrograms.h"

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

// Runs qelquery with `arguments` through the shell; what it printed, and
// its exit status after "exit ".
std::string run_qelquery(const fs::path& directory, const std::string& arguments)
{
    const fs::path out = directory / "qelquery.out";
    const std::string command = std::string("\"") + QELQUERY_PROGRAM + "\" " + arguments + " > \"" +
                                out.string() + "\" 2>&1; echo \"exit $?\" >> \"" + out.string() + "\"";
    std::system(command.c_str());
    std::ifstream in(out);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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

    // qelquery in processes of their own: a query of a program that never
    // ends, and a check of a program that answers and lingers (the other
    // two programs are missing, so the check takes one minute only).
    testsupport::ScratchDirectory overrun;
    overrun.add_program("sleeps_until_stopped", "SurfaceFinish.exe");
    testsupport::ScratchDirectory lingering;
    lingering.add_program("answers_then_lingers", "ElectrodeMaterial.exe");
    std::ofstream(lingering.path() / "answer.xml") << "<A><Type><V>Copper</V></Type></A>";
    std::string overrun_printed, check_printed;
    std::thread explained([&] {
        overrun_printed = run_qelquery(overrun.path(), "--study \"" + overrun.path().string() +
                                                           "\" surface-finishes 1.2379 Copper");
    });
    std::thread checked([&] {
        check_printed = run_qelquery(lingering.path(), "check --study \"" + lingering.path().string() + "\"");
    });
    // Processes are started one at a time here: the queries below begin
    // once both programs of qelquery run.
    const bool qelquery_runs = testsupport::wait_for_file(overrun.path() / "pid", milliseconds(10000)) &&
                               testsupport::wait_for_file(lingering.path() / "pid", milliseconds(10000));

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
    explained.join();
    checked.join();
    std::ofstream(overrun.path() / "stop") << "stop\n";
    std::ofstream(lingering.path() / "stop") << "stop\n";
    ASSERT_TRUE(first_runs);
    ASSERT_TRUE(qelquery_runs);

    const auto printed = [](const std::string& text, const char* pattern) {
        return std::regex_search(text, std::regex(pattern));
    };
    EXPECT_TRUE(printed(overrun_printed, "^qelquery: SurfaceFinish\\.exe was still running when the 60-second "
                                         "limit passed \\(the query took 6[0-4]\\.[0-9] s\\); it is left running: "
                                         "write the answer and end well within 60 s \\(status 4\\)\nexit 4\n$"))
        << overrun_printed;
    EXPECT_TRUE(printed(check_printed, "FAIL  ElectrodeMaterial\\.exe  plain ASCII: answer: ElectrodeMaterial\\.exe "
                                       "was still running when the 60-second limit passed"))
        << check_printed;
    EXPECT_TRUE(printed(check_printed, "FAIL  ElectrodeMaterial\\.exe  plain ASCII: time: still running after "
                                       "6[0-4]\\.[0-9] s \\(limit 60 s\\)\n"
                                       "PASS  ElectrodeMaterial\\.exe  plain ASCII: request: .*\n"
                                       "SKIP  ElectrodeMaterial\\.exe  remaining requests"))
        << check_printed;
    EXPECT_TRUE(printed(check_printed, "gives the rules\\.\nexit 1\n$")) << check_printed;

    EXPECT_EQ(second_status, 4);
    EXPECT_EQ(second_answer, nullptr);
    EXPECT_GE(second_took, milliseconds(60000));
    EXPECT_TRUE(fs::is_regular_file(answering.path() / "A_ElectrodeMat.xml"));
    EXPECT_FALSE(fs::exists(answering.path() / "stopped"));
    std::ofstream(answering.path() / "stop") << "stop\n";
    EXPECT_TRUE(testsupport::wait_for_file(answering.path() / "stopped", testsupport::prompt));

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
    EXPECT_TRUE(testsupport::wait_for_file(exchange.path() / "stopped", testsupport::prompt));
}

} // namespace
