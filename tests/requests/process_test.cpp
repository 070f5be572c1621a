#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "requests/process.h"
#include "support/testPrograms.h"

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using testsupport::library_text;
using testsupport::prompt;
using testsupport::ScratchDirectory;
using testsupport::wait_for_file;

struct Timed {
    int answer;
    milliseconds took;
};

Timed run(const apString& program, unsigned limit_ms)
{
    const auto begin = std::chrono::steady_clock::now();
    const int answer = process::start_and_wait(program, limit_ms);
    const auto took = std::chrono::steady_clock::now() - begin;
    return {answer, std::chrono::duration_cast<milliseconds>(took)};
}

// Neither a program's exit status (7) nor its way of ending matters; every
// answer comes promptly.
TEST(StartAndWait, EndedProgramsAnswer1AndThoseThatCannotStart0)
{
    ScratchDirectory directory;
    fs::create_directory(directory.path() / "Folder.exe");
    std::ofstream(directory.path() / "Text.exe") << "not a program\n";
    const struct {
        const char* what;
        apString path;
        int answer;
    } cases[] = {
        {"exits", library_text(directory.add_program("exits_at_once", "AtOnce.exe")), 1},
        {"crashes", library_text(directory.add_program("crashes", "Crashes.exe")), 1},
        {"missing file", library_text(directory.path() / "Missing.exe"), 0},
        {"missing directory", library_text(directory.path() / "none" / "Missing.exe"), 0},
        {"directory", library_text(directory.path() / "Folder.exe"), 0},
        {"file that is not a program", library_text(directory.path() / "Text.exe"), 0},
        {"empty path", apString::empty_string(), 0},
        {"null path", apString(), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Timed result = run(c.path, process::program_time_limit_ms);
        EXPECT_EQ(result.answer, c.answer);
        EXPECT_LT(result.took, prompt);
    }
}

TEST(StartAndWait, ProgramGetsOnlyItsPathAndTheCallersDirectory)
{
    ScratchDirectory directory;
    const fs::path program = directory.add_program("writes_beside_itself", "Writer.exe");
    ASSERT_FALSE(fs::equivalent(fs::current_path(), directory.path()));

    ASSERT_EQ(run(library_text(program), process::program_time_limit_ms).answer, 1);
    // The program wrote its record before it ended, so it is complete now.
    std::ifstream in(directory.path() / "ran.txt", std::ios::binary);
    std::vector<std::string> record;
    for (std::string line; std::getline(in, line);)
        record.push_back(line);
    ASSERT_EQ(record.size(), 3u) << "argument count, one argument, directory";
    EXPECT_EQ(record[0], "1");
    EXPECT_TRUE(fs::equivalent(fs::u8path(record[1]), program)) << record[1];
    EXPECT_TRUE(fs::equivalent(fs::u8path(record[2]), fs::current_path())) << record[2];
}

TEST(StartAndWait, ProgramStillRunningAtTheLimitAnswers0AndIsLeftRunning)
{
    ScratchDirectory directory;
    const fs::path program = directory.add_program("sleeps_until_stopped", "Sleeper.exe");
    const unsigned limit_ms = 500;

    const Timed result = run(library_text(program), limit_ms);
    EXPECT_EQ(result.answer, 0);
    EXPECT_GE(result.took, milliseconds(limit_ms - 100));
    EXPECT_LT(result.took, prompt);

    // It ends only when asked to, so answering proves it outlived the wait.
    EXPECT_TRUE(wait_for_file(directory.path() / "pid", prompt)) << "it was started";
    EXPECT_FALSE(fs::exists(directory.path() / "stopped"));
    std::ofstream(directory.path() / "stop") << "stop\n";
    EXPECT_TRUE(wait_for_file(directory.path() / "stopped", prompt));
}

} // namespace
