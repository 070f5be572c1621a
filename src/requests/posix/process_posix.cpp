// POSIX: the program runs as a grandchild of the caller.
//
// The program is never the host's child: when it outlives the wait nothing
// is left for the host to reap (init adopts it), and the host's own SIGCHLD
// handling never sees it. The caller forks an intermediate that forks a
// watcher and exits; the caller reaps the intermediate at once. The
// orphaned watcher forks the program, closes every descriptor but the
// report pipe, reaps the program and exits, which ends the pipe exactly
// when the program has ended: poll() on the pipe is the timed wait, with no
// signal handler, thread or sleep. The program never holds the pipe
// (close-on-exec), so neither its own children nor its closing of
// descriptors matter. A failed fork or exec sends its errno on the pipe
// before the pipe ends.
//
// Every signal stays blocked from the first fork until the program's
// signal state is reset, so no handler of the host runs in a copy of it.
#include "requests/posix/processPosix.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstring>

extern char** environ;

namespace process {
namespace posix {

namespace {

// One message on the report pipe, far below PIPE_BUF: written and read whole.
struct report {
    int error; // errno of the failed fork or exec
};

void send(int fd, int error) noexcept
{
    const report message{error};
    while (write(fd, &message, sizeof message) < 0 && errno == EINTR) {
    }
}

// poll() marks the descriptors that are not open, a block at a time, so
// that only open ones are closed: one call per block instead of one per
// possible descriptor.
void close_all_except(int keep, int fd_limit) noexcept
{
    const int block = 1024;
    pollfd entries[block];
    for (int first = 0; first < fd_limit; first += block) {
        const int count = fd_limit - first < block ? fd_limit - first : block;
        for (int i = 0; i < count; ++i)
            entries[i] = pollfd{first + i, 0, 0};
        if (poll(entries, static_cast<nfds_t>(count), 0) < 0) {
            for (int i = 0; i < count; ++i)
                entries[i].revents = 0;
        }
        for (int i = 0; i < count; ++i)
            if ((entries[i].revents & POLLNVAL) == 0 && first + i != keep)
                close(first + i);
    }
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

struct watched_launch {
    const launch* l;
    int report_fd; // write end of the report pipe
    int caller_fd; // its read end, the caller's
    int fd_limit;
};

[[noreturn]] void run_watcher_intermediate(const watched_launch& w) noexcept
{
    // Without the caller's end the pipe ends when the caller expects.
    close(w.caller_fd);
    // An ignored SIGCHLD would let the system reap the program before it is
    // watched.
    sigaction(SIGCHLD, &w.l->default_action, nullptr);
    const pid_t watcher = fork();
    if (watcher < 0)
        send(w.report_fd, errno);
    if (watcher != 0)
        _exit(0);
    const pid_t program = fork();
    if (program < 0) {
        send(w.report_fd, errno);
        _exit(0);
    }
    if (program == 0) {
        send(w.report_fd, become_program(*w.l));
        _exit(127);
    }
    // The watcher lives as long as the program: it must not keep the
    // host's files, sockets and pipes open.
    close_all_except(w.report_fd, w.fd_limit);
    reap(program);
    _exit(0);
}

// Both ends close-on-exec: the program never holds them.
bool open_pipe(descriptor& read_end, descriptor& write_end) noexcept
{
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    read_end.reset(fds[0]);
    write_end.reset(fds[1]);
    return fcntl(fds[0], F_SETFD, FD_CLOEXEC) == 0 && fcntl(fds[1], F_SETFD, FD_CLOEXEC) == 0;
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

} // namespace

void descriptor::reset(int fd) noexcept
{
    if (fd_ >= 0)
        close(fd_);
    fd_ = fd;
}

QEL_CHILD_CODE int become_program(const launch& l) noexcept
{
    // A session of its own (no controlling terminal, as a windowless
    // program has no console), every signal at its default action and none
    // blocked, whatever the host's calling thread had.
    setsid();
    for (int number = 1; number <= l.last_signal; ++number)
        sigaction(number, &l.default_action, nullptr);
    sigprocmask(SIG_SETMASK, &l.no_signals, nullptr);
    execve(l.path, l.argv, environ);
    return errno;
}

void reap(pid_t child, int options) noexcept
{
    int status;
    while (waitpid(child, &status, options) < 0 && errno == EINTR) {
    }
}

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

int start_watched(launch& l, steady::time_point deadline)
{
    descriptor report_read, report_write;
    if (!open_pipe(report_read, report_write))
        return 0;
    const watched_launch w{&l, report_write.get(), report_read.get(), descriptor_limit()};

    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t intermediate = fork();
    if (intermediate == 0)
        run_watcher_intermediate(w);
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

int start_and_wait_with(const apString& program_path, unsigned timeout_ms, starter start)
{
    const steady::time_point deadline = steady::now() + std::chrono::milliseconds(timeout_ms);
    const char* file = program_path.utf8_str();
    if (file == nullptr)
        return 0;

    launch l;
    l.path = file;
    l.argv[0] = const_cast<char*>(file);
    l.argv[1] = nullptr;
    std::memset(&l.default_action, 0, sizeof l.default_action);
    l.default_action.sa_handler = SIG_DFL;
    sigemptyset(&l.default_action.sa_mask);
    sigemptyset(&l.no_signals);
    // A call on some systems, so made here.
    l.last_signal = SIGRTMAX;
    return start(l, deadline);
}

} // namespace posix
} // namespace process
