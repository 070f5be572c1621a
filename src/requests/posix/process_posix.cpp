// POSIX: the program runs as a grandchild of the caller.
//
// The program is never the host's child: when it outlives the wait nothing
// is left for the host to reap (init adopts it), and the host's own SIGCHLD
// handling never sees it. Its end is watched in one of two ways:
//
// - pidfd: the caller clones an intermediate that shares its memory and
//   descriptor table and is suspended until the intermediate ends (as
//   vfork does: nothing of the host is copied, however large it is). The
//   intermediate clones the program the same way, asking for a pidfd on
//   it, which lands in the shared descriptor table; once the program has
//   called exec (or failed to) the intermediate ends and the caller goes
//   on. The intermediate ends with no signal to the caller, who reaps it at
//   once. poll() on the pidfd ends the wait; the pidfd names the program
//   itself, so a reaped and reused pid cannot be mistaken for it.
// - watcher: the caller forks an intermediate that forks a watcher and
//   exits. The orphaned watcher forks the program, closes every descriptor
//   but the report pipe, reaps the program and exits, which ends the pipe
//   exactly when the program has ended. The program never holds the pipe
//   (close-on-exec), so neither its own children nor its closing of
//   descriptors matter. Used only where pidfds are missing: the watcher is
//   a copy of the host, and every page the host changes while the program
//   runs is copied for it.
//
// A failed exec reports its errno through shared memory (pidfd) or the
// report pipe (watcher). Between clone or fork and exec only
// async-signal-safe calls run: everything they use is prepared before, and
// every signal stays blocked until the program's signal state is reset, so
// no handler of the host runs in a copy of it or on its memory.
#include "requests/posix/processPosix.h"
#include "requests/process.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstring>


extern char** environ;

namespace process {
namespace posix {
namespace {

using steady = std::chrono::steady_clock;

#ifndef CLONE_PIDFD
#define CLONE_PIDFD 0x00001000
#endif

// One message on the report pipe, far below PIPE_BUF: written and read whole.
struct report {
    int kind;
    int value;
};
const int start_failed = 'E'; // value: errno of the failed fork or exec

// Everything the forked processes use, made before forking.
struct launch {
    const char* path;
    char* argv[2];
    int report_fd;  // write end of the report pipe (watcher)
    int caller_fd;  // its read end, the caller's
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

// ---- pidfd: two clones that share the caller's memory

// What the cloned processes read and write; it lives in the caller's
// memory, which they share.
struct cloned_launch {
    const launch* l;
    char* program_stack; // top of the program's stack until its exec
    int pidfd;           // set by the intermediate
    int error;           // errno of a failed clone or exec
};

// Each clone's stack until it calls exec or ends; far more than the few
// system calls on it need.
const size_t clone_stack_size = 64 * 1024;

// The clones run on stacks that AddressSanitizer does not know, and it
// warns when code it instruments leaves such a stack for good (_exit); the
// two functions that run there are left uninstrumented.
#define QEL_ON_CLONE_STACK __attribute__((no_sanitize_address))

QEL_ON_CLONE_STACK int cloned_program(void* argument) noexcept
{
    cloned_launch* c = static_cast<cloned_launch*>(argument);
    const launch& l = *c->l;
    setsid();
    for (int number = 1; number < NSIG; ++number)
        sigaction(number, &l.default_action, nullptr);
    sigprocmask(SIG_SETMASK, &l.no_signals, nullptr);
    execve(l.path, l.argv, environ);
    c->error = errno;
    _exit(127);
}

QEL_ON_CLONE_STACK int cloned_intermediate(void* argument) noexcept
{
    cloned_launch* c = static_cast<cloned_launch*>(argument);
    int pidfd = -1;
    // Suspended until the program has called exec or ended; the pidfd goes
    // into the descriptor table shared with the caller, close-on-exec.
    const pid_t program = clone(cloned_program, c->program_stack,
                                CLONE_VM | CLONE_VFORK | CLONE_PIDFD | SIGCHLD, c, &pidfd);
    if (program < 0)
        c->error = errno;
    else
        c->pidfd = pidfd;
    _exit(0);
}

// ---- watcher: forks

[[noreturn]] void run_watcher_intermediate(const launch& l) noexcept
{
    // Without the caller's end the pipe ends when the caller expects.
    close(l.caller_fd);
    // An ignored SIGCHLD would let the system reap the program before it is
    // watched.
    sigaction(SIGCHLD, &l.default_action, nullptr);
    const pid_t watcher = fork();
    if (watcher < 0)
        send(l.report_fd, start_failed, errno);
    if (watcher != 0)
        _exit(0);
    const pid_t program = fork();
    if (program < 0) {
        send(l.report_fd, start_failed, errno);
        _exit(0);
    }
    if (program == 0)
        become_program(l);
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

void reap_clone(pid_t child) noexcept
{
    int status;
    while (waitpid(child, &status, __WALL) < 0 && errno == EINTR) {
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

namespace {

// The two clones' stacks, mapped on first use and kept until unload: the
// caller is suspended while they are in use, and calls come one at a time.
class clone_stacks {
public:
    ~clone_stacks()
    {
        if (base_ != nullptr)
            munmap(base_, 2 * clone_stack_size);
    }
    // Null when no memory could be mapped.
    char* base() noexcept
    {
        if (base_ == nullptr) {
            void* mapped = mmap(nullptr, 2 * clone_stack_size, PROT_READ | PROT_WRITE,
                                MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK, -1, 0);
            if (mapped != MAP_FAILED)
                base_ = static_cast<char*>(mapped);
        }
        return base_;
    }

private:
    char* base_ = nullptr;
};

// 1 when the program ended before the deadline.
int start_cloned(launch& l, steady::time_point deadline) noexcept
{
    static clone_stacks stacks;
    char* base = stacks.base();
    if (base == nullptr)
        return 0;
    cloned_launch c{&l, base + 2 * clone_stack_size, -1, 0};

    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    // No exit signal: the host's SIGCHLD handling never sees the
    // intermediate, and only a wait with __WALL reaps it.
    const pid_t intermediate =
        clone(cloned_intermediate, base + clone_stack_size, CLONE_VM | CLONE_VFORK | CLONE_FILES, &c);
    const int clone_error = errno;
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (intermediate < 0) {
        errno = clone_error;
        return 0;
    }
    // Both clones have left the stacks: the intermediate has ended.
    reap_clone(intermediate);

    descriptor program;
    program.reset(c.pidfd);
    if (c.error != 0 || program.get() < 0)
        return 0;
    return wait_readable(program.get(), deadline) == 1 ? 1 : 0;
}

int start_watched(launch& l, steady::time_point deadline) noexcept
{
    descriptor report_read, report_write;
    if (!open_pipe(report_read, report_write))
        return 0;
    l.report_fd = report_write.get();
    l.caller_fd = report_read.get();
    l.fd_limit = descriptor_limit();

    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t intermediate = fork();
    if (intermediate == 0)
        run_watcher_intermediate(l);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    report_write.reset();
    if (intermediate < 0)
        return 0;
    reap(intermediate);
    // The pipe ends when the watcher has reaped the program; a message
    // before that is a failed start.
    report message{};
    return read_report(report_read.get(), deadline, message) == 0 ? 1 : 0;
}

} // namespace

int start_and_wait(const apString& program_path, unsigned timeout_ms, exit_watch watch)
{
    const steady::time_point deadline = steady::now() + std::chrono::milliseconds(timeout_ms);
    // File names are UTF-8 bytes, whatever the locale.
    const char* file = program_path.utf8_str();
    if (file == nullptr)
        return 0;

    launch l;
    l.path = file;
    l.argv[0] = const_cast<char*>(file);
    l.argv[1] = nullptr;
    l.report_fd = -1;
    l.caller_fd = -1;
    l.fd_limit = 0;
    std::memset(&l.default_action, 0, sizeof l.default_action);
    l.default_action.sa_handler = SIG_DFL;
    sigemptyset(&l.default_action.sa_mask);
    sigemptyset(&l.no_signals);

    return watch == exit_watch::pidfd ? start_cloned(l, deadline) : start_watched(l, deadline);
}

} // namespace posix

int start_and_wait(const apString& program_path, unsigned timeout_ms)
{
    return posix::start_and_wait(program_path, timeout_ms,
                                 posix::pidfd_available() ? posix::exit_watch::pidfd
                                                          : posix::exit_watch::watcher);
}

} // namespace process
