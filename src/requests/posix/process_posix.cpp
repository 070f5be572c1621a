// POSIX: the program runs as a grandchild of the caller.
//
// The caller forks an intermediate process that forks the program and then
// exits, and reaps the intermediate at once. The program is therefore never
// the host's child: when it outlives the wait nothing is left for the host
// to reap (init adopts it), and the host's own SIGCHLD handling never sees
// it. Its end is watched in one of two ways:
//
// - pidfd: the intermediate reports the program's pid and keeps it unreaped
//   until the caller holds a pidfd on it, so the pid cannot be reused in
//   between; then it exits. poll() on the pidfd ends the wait.
// - watcher: the intermediate forks a watcher and exits. The orphaned
//   watcher forks the program, closes every descriptor but the report pipe,
//   reaps the program and exits, which ends the pipe exactly when the
//   program has ended. The program never holds the pipe (close-on-exec), so
//   neither its own children nor its closing of descriptors matter. Used
//   only where pidfds are missing: the watcher is a copy of the host, and
//   every page the host changes while the program runs is copied for it.
//
// The report pipe carries only the program's pid (pidfd) and the errno of a
// failed fork or exec. Between fork and exec only async-signal-safe calls
// run: everything they use is prepared before forking, and every signal
// stays blocked until the program's signal state is reset, so no handler of
// the host runs in a forked copy of it.
#include "requests/posix/processPosix.h"
#include "requests/process.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstring>

#include "core/apIStringEncoding.h"

extern char** environ;

namespace process {
namespace posix {
namespace {

using steady = std::chrono::steady_clock;

// One message on the report pipe, far below PIPE_BUF: written and read whole.
struct report {
    int kind;
    int value;
};
const int started_pid = 'P';  // value: the program's process id
const int start_failed = 'E'; // value: errno of the failed fork or exec

// Everything the forked processes use, made before forking.
struct launch {
    const char* path;
    char* argv[2];
    int report_fd;  // write end of the report pipe
    int release_fd; // read end of the release pipe; its end lets the intermediate exit
    int caller_fds[2]; // the caller's ends of both pipes
    exit_watch watch;
    int fd_limit;
    struct sigaction default_action;
    sigset_t no_signals;
};

void send(int fd, int kind, int value) noexcept
{
    const report message{kind, value};
    while (write(fd, &message, sizeof message) < 0 && errno == EINTR) {
    }
}

void close_all_except(int keep, int fd_limit) noexcept
{
#ifdef SYS_close_range
    if ((keep == 0 || syscall(SYS_close_range, 0u, static_cast<unsigned>(keep - 1), 0u) == 0) &&
        syscall(SYS_close_range, static_cast<unsigned>(keep + 1), ~0u, 0u) == 0)
        return;
#endif
    for (int fd = 0; fd < fd_limit; ++fd)
        if (fd != keep)
            close(fd);
}

// The program starts in a session of its own (no controlling terminal, as
// a windowless program has no console), with every signal at its default
// action and none blocked, whatever the host's calling thread had.
[[noreturn]] void become_program(const launch& l) noexcept
{
    setsid();
    for (int number = 1; number < NSIG; ++number)
        sigaction(number, &l.default_action, nullptr);
    sigprocmask(SIG_SETMASK, &l.no_signals, nullptr);
    execve(l.path, l.argv, environ);
    send(l.report_fd, start_failed, errno);
    _exit(127);
}

[[noreturn]] void run_intermediate(const launch& l) noexcept
{
    // Without the caller's ends the pipes end when the caller expects.
    close(l.caller_fds[0]);
    close(l.caller_fds[1]);
    // An ignored SIGCHLD would let the system reap the program before it is
    // watched.
    sigaction(SIGCHLD, &l.default_action, nullptr);
    if (l.watch == exit_watch::watcher) {
        const pid_t watcher = fork();
        if (watcher < 0)
            send(l.report_fd, start_failed, errno);
        if (watcher != 0)
            _exit(0);
    }
    const pid_t program = fork();
    if (program < 0) {
        send(l.report_fd, start_failed, errno);
        _exit(0);
    }
    if (program == 0)
        become_program(l);
    if (l.watch == exit_watch::pidfd) {
        send(l.report_fd, started_pid, program);
        char byte;
        while (read(l.release_fd, &byte, 1) < 0 && errno == EINTR) {
        }
        _exit(0);
    }
    // The watcher lives as long as the program: it must not keep the
    // host's files, sockets and pipes open.
    close_all_except(l.report_fd, l.fd_limit);
    int status;
    while (waitpid(program, &status, 0) < 0 && errno == EINTR) {
    }
    _exit(0);
}

class descriptor {
public:
    descriptor() noexcept = default;
    descriptor(const descriptor&) = delete;
    descriptor& operator=(const descriptor&) = delete;
    ~descriptor() { reset(); }

    int get() const noexcept { return fd_; }
    void reset(int fd = -1) noexcept
    {
        if (fd_ >= 0)
            close(fd_);
        fd_ = fd;
    }

private:
    int fd_ = -1;
};

bool open_pipe(descriptor& read_end, descriptor& write_end) noexcept
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return false;
    read_end.reset(fds[0]);
    write_end.reset(fds[1]);
    return true;
}

// 1 when `fd` is readable or at its end before `deadline`, 0 at the
// deadline, -1 when polling fails.
int wait_readable(int fd, steady::time_point deadline) noexcept
{
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - steady::now()).count();
        const int timeout = left <= 0 ? 0 : left > INT_MAX ? INT_MAX : static_cast<int>(left);
        pollfd entry{fd, POLLIN, 0};
        const int ready = poll(&entry, 1, timeout);
        if (ready > 0)
            return 1;
        if (ready == 0 && timeout == 0)
            return 0;
        if (ready < 0 && errno != EINTR)
            return -1;
    }
}

// 1: one message; 0: the pipe ended; -1: the deadline passed or reading failed.
int read_report(int fd, steady::time_point deadline, report& message) noexcept
{
    if (wait_readable(fd, deadline) != 1)
        return -1;
    for (;;) {
        const ssize_t n = read(fd, &message, sizeof message);
        if (n == static_cast<ssize_t>(sizeof message))
            return 1;
        if (n == 0)
            return 0;
        if (n < 0 && errno == EINTR)
            continue;
        return -1;
    }
}

void reap(pid_t child) noexcept
{
    int status;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

int open_pidfd(pid_t pid) noexcept
{
#ifdef SYS_pidfd_open
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0u));
#else
    (void)pid;
    errno = ENOSYS;
    return -1;
#endif
}

int descriptor_limit() noexcept
{
    const rlim_t cap = 1 << 20;
    rlimit limit;
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
        limit.rlim_cur > cap)
        return static_cast<int>(cap);
    return static_cast<int>(limit.rlim_cur);
}

} // namespace

bool pidfd_available()
{
    static const bool available = [] {
        const int fd = open_pidfd(getpid());
        if (fd < 0)
            return false;
        close(fd);
        return true;
    }();
    return available;
}

int start_and_wait(const apString& program_path, unsigned timeout_ms, exit_watch watch)
{
    const steady::time_point deadline = steady::now() + std::chrono::milliseconds(timeout_ms);
    int error = 0;
    const utString file = default_string_encoding()->encode(program_path, &error);
    if (error != 0 || file.is_null())
        return 0;

    descriptor report_read, report_write, release_read, release_write;
    if (!open_pipe(report_read, report_write) || !open_pipe(release_read, release_write))
        return 0;

    launch l;
    l.path = file.c_str();
    l.argv[0] = const_cast<char*>(file.c_str());
    l.argv[1] = nullptr;
    l.report_fd = report_write.get();
    l.release_fd = release_read.get();
    l.caller_fds[0] = report_read.get();
    l.caller_fds[1] = release_write.get();
    l.watch = watch;
    l.fd_limit = watch == exit_watch::watcher ? descriptor_limit() : 0;
    std::memset(&l.default_action, 0, sizeof l.default_action);
    l.default_action.sa_handler = SIG_DFL;
    sigemptyset(&l.default_action.sa_mask);
    sigemptyset(&l.no_signals);

    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t intermediate = fork();
    if (intermediate == 0)
        run_intermediate(l);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    report_write.reset();
    release_read.reset();
    if (intermediate < 0)
        return 0;

    report message{};
    if (watch == exit_watch::watcher) {
        release_write.reset();
        reap(intermediate);
        // The pipe ends when the watcher has reaped the program; a message
        // before that is a failed start.
        return read_report(report_read.get(), deadline, message) == 0 ? 1 : 0;
    }

    descriptor program;
    if (read_report(report_read.get(), deadline, message) == 1 && message.kind == started_pid)
        program.reset(open_pidfd(message.value));
    release_write.reset(); // the intermediate exits; init adopts the program
    reap(intermediate);
    if (program.get() < 0)
        return 0;
    // The pipe ends once the program has replaced its forked copy; a message
    // before that is a failed exec.
    if (read_report(report_read.get(), deadline, message) != 0)
        return 0;
    return wait_readable(program.get(), deadline) == 1 ? 1 : 0;
}

} // namespace posix

int start_and_wait(const apString& program_path, unsigned timeout_ms)
{
    return posix::start_and_wait(program_path, timeout_ms,
                                 posix::pidfd_available() ? posix::exit_watch::pidfd
                                                          : posix::exit_watch::watcher);
}

} // namespace process
