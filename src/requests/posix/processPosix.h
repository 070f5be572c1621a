// What every POSIX way of starting and awaiting a technology program
// shares: the launch prepared before any process is made, the child's
// set-up before exec, reaping, and the timed wait on a descriptor. The
// portable way (a watcher process) lives beside it; a system's faster way
// (src/requests/linux) is built on the same pieces.
#ifndef QEL_REQUESTS_POSIX_PROCESSPOSIX_H
#define QEL_REQUESTS_POSIX_PROCESSPOSIX_H

#include <signal.h>
#include <sys/types.h>

#include <chrono>

#include "core/apString.h"

// Code that may run in a new process on a stack AddressSanitizer does not
// know (a speed-up starts the program from one); it warns when instrumented
// code leaves such a stack for good.
#define QEL_CHILD_CODE __attribute__((no_sanitize_address))

namespace process {
namespace posix {

using steady = std::chrono::steady_clock;

// Everything a new process uses, made before it is made: between fork (or
// clone) and exec only async-signal-safe calls run.
struct launch {
    const char* path;
    char* argv[2];
    struct sigaction default_action;
    sigset_t no_signals;
    int last_signal; // SIGRTMAX: the highest signal number
};

// One way to start the program of `l` and wait for its end: 1 when it
// ended before `deadline`, 0 when it could not start or overran.
using starter = int (*)(launch& l, steady::time_point deadline);

// Prepares the launch for the program at `program_path` (named by its UTF-8
// bytes, whatever the locale) and runs `start` on it.
int start_and_wait_with(const apString& program_path, unsigned timeout_ms, starter start);

// The portable way: an orphaned watcher process forks the program, reaps
// it and thereby closes a pipe that the caller polls.
int start_watched(launch& l, steady::time_point deadline);

// In the new process: the program's session, signal actions and mask, then
// exec. Returns only when exec failed, with its errno.
QEL_CHILD_CODE int become_program(const launch& l) noexcept;

// Waits for the end of `child`, which this library started; `options` as
// waitpid takes them.
void reap(pid_t child, int options = 0) noexcept;

// 1 when `fd` is readable or at its end before `deadline`, 0 at the
// deadline, -1 when polling fails.
int wait_readable(int fd, steady::time_point deadline) noexcept;

// An owned descriptor, closed when it goes.
class descriptor {
public:
    descriptor() noexcept = default;
    descriptor(const descriptor&) = delete;
    descriptor& operator=(const descriptor&) = delete;
    ~descriptor() { reset(); }

    int get() const noexcept { return fd_; }
    void reset(int fd = -1) noexcept;

private:
    int fd_ = -1;
};

} // namespace posix
} // namespace process

#endif
