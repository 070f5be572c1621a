#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "requests/process.h"
#include "startAndWaitPosix.h"
#include "support/scopedLocale.h"
#include "support/testPrograms.h"

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using testsupport::library_text;
using testsupport::prompt;
using testsupport::ScratchDirectory;
using testsupport::wait_for_file;

const unsigned limit_ms = 500;

// Whether the caller is left with any child process, ended or not.
bool caller_has_children()
{
    int status;
    return !(waitpid(-1, &status, WNOHANG) < 0 && errno == ECHILD);
}

// Whether process `pid` is gone altogether (not even a zombie) within `limit`.
bool vanishes(pid_t pid, milliseconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    while (kill(pid, 0) == 0 || errno != ESRCH) {
        if (std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(milliseconds(20));
    }
    return true;
}

TEST_P(StartAndWaitPosix, EndsAndFailures)
{
    const fs::path at_once = directory.add_program("exits_at_once", "AtOnce.exe");
    const fs::path crashes = directory.add_program("crashes", "Crashes.exe");
    const fs::path not_executable = directory.add_program("exits_at_once", "NotExecutable.exe");
    fs::permissions(not_executable,
                    fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::remove);
    const auto script = [&](const char* name, const char* text) {
        const fs::path file = directory.path() / name;
        std::ofstream(file) << text;
        fs::permissions(file, fs::perms::owner_all);
        return file;
    };
    const struct {
        const char* what;
        fs::path program;
        int answer;
    } cases[] = {
        {"ends at once", at_once, 1},
        {"crashes", crashes, 1},
        {"script", script("Script.exe", "#!/bin/sh\nexit 3\n"), 1},
        {"missing", directory.path() / "Missing.exe", 0},
        {"directory", directory.path(), 0},
        {"not executable", not_executable, 0},
        {"executable text, no interpreter line", script("Text.exe", "exit 0\n"), 0},
        {"missing interpreter", script("Orphan.exe", "#!/no/such/shell\n"), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto begin = std::chrono::steady_clock::now();
        EXPECT_EQ(start(c.program, process::program_time_limit_ms), c.answer);
        EXPECT_LT(std::chrono::steady_clock::now() - begin, prompt);
        EXPECT_FALSE(caller_has_children());
    }
}

// A program left running is an ordinary process of its own: not the
// caller's child, with default signal actions whatever the caller ignores,
// and gone without a trace once it ends.
TEST_P(StartAndWaitPosix, ProgramLeftRunningIsNobodysZombie)
{
    const fs::path program = directory.add_program("sleeps_until_stopped", "Sleeper.exe");
    // A pipe of the host's, close-on-exec: nothing that stays behind the
    // start (a watcher) may hold its write end.
    int host_pipe[2];
    ASSERT_EQ(pipe(host_pipe), 0);
    fcntl(host_pipe[0], F_SETFD, FD_CLOEXEC);
    fcntl(host_pipe[0], F_SETFL, O_NONBLOCK);
    fcntl(host_pipe[1], F_SETFD, FD_CLOEXEC);
    struct sigaction ignore {}, previous{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGTERM, &ignore, &previous);
    const int answer = start(program, limit_ms);
    sigaction(SIGTERM, &previous, nullptr);

    EXPECT_EQ(answer, 0);
    EXPECT_FALSE(caller_has_children());
    close(host_pipe[1]);
    char byte;
    EXPECT_EQ(read(host_pipe[0], &byte, 1), 0) << "the write end is held elsewhere";
    close(host_pipe[0]);
    ASSERT_TRUE(wait_for_file(directory.path() / "pid", prompt));
    long pid = 0;
    std::ifstream(directory.path() / "pid") >> pid;
    ASSERT_GT(pid, 1);
    ASSERT_EQ(kill(pid, SIGTERM), 0) << "still running";
    // Reaped by its watcher, or by init, which may take its time.
    EXPECT_TRUE(vanishes(pid, milliseconds(30000)));
    EXPECT_FALSE(fs::exists(directory.path() / "stopped"));
}

// A caller that ignores SIGCHLD has its children reaped by the system; the
// program must still be watched to its end.
TEST_P(StartAndWaitPosix, CallerIgnoringChildSignals)
{
    const fs::path at_once = directory.add_program("exits_at_once", "AtOnce.exe");
    const fs::path sleeper = directory.add_program("sleeps_until_stopped", "Sleeper.exe");
    struct sigaction ignore {}, previous{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGCHLD, &ignore, &previous);
    const int ended = start(at_once, process::program_time_limit_ms);
    const int overran = start(sleeper, limit_ms);
    sigaction(SIGCHLD, &previous, nullptr);

    EXPECT_EQ(ended, 1);
    EXPECT_EQ(overran, 0);
    std::ofstream(directory.path() / "stop") << "stop\n";
    EXPECT_TRUE(wait_for_file(directory.path() / "stopped", prompt));
}

INSTANTIATE_TEST_SUITE_P(Portable, StartAndWaitPosix, testing::Values(process::posix::start_watched),
                         [](const testing::TestParamInfo<process::posix::starter>&) {
                             return "watcher";
                         });

// The path reaches exec as UTF-8 bytes, whatever the locale.
TEST(StartAndWaitPosixPath, NonAsciiPathStartsInTheClassicLocale)
{
    testsupport::ScopedLocale c({"C"});
    ASSERT_TRUE(c.active());
    ScratchDirectory directory;
    const fs::path inner = directory.path() / fs::u8path(u8"\u4E2D \u00FC");
    fs::create_directory(inner);
    const fs::path program = inner / "AtOnce.exe";
    fs::copy_file(testsupport::test_program("exits_at_once"), program);
    EXPECT_EQ(process::start_and_wait(library_text(program), process::program_time_limit_ms), 1);
}

} // namespace
