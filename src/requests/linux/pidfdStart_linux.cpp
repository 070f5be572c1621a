// Linux: the program runs as a grandchild of the caller, as on any POSIX
// system, but without copying the caller. The caller clones an
// intermediate that shares its memory and descriptor table and is
// suspended until the intermediate ends (as vfork does: nothing of the
// host is copied, however large it is). The intermediate clones the program
// the same way, asking for a pidfd on it, which lands in the shared
// descriptor table; once the program has called exec (or failed to) the
// intermediate ends and the caller goes on. The intermediate ends with no
// signal to the caller, who reaps it at once. poll() on the pidfd ends the
// wait; the pidfd names the program itself, so a reaped and reused pid
// cannot be mistaken for it. A failed exec reports its errno through the
// shared memory.
#include "requests/linux/processLinux.h"

#include <errno.h>
#include <pthread.h>
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace process {
namespace pidfd {

namespace {

#ifndef CLONE_PIDFD
#define CLONE_PIDFD 0x00001000
#endif

// What the cloned processes read and write; it lives in the caller's
// memory, which they share.
struct cloned_launch {
    const posix::launch* l;
    char* program_stack; // top of the program's stack until its exec
    int pidfd;           // set by the intermediate
    int error;           // errno of a failed clone or exec
};

// Each clone's stack until it calls exec or ends; far more than the few
// system calls on it need.
const size_t clone_stack_size = 64 * 1024;

QEL_CHILD_CODE int cloned_program(void* argument) noexcept
{
    cloned_launch* c = static_cast<cloned_launch*>(argument);
    c->error = posix::become_program(*c->l);
    _exit(127);
}

QEL_CHILD_CODE int cloned_intermediate(void* argument) noexcept
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

} // namespace

bool available()
{
    static const bool answer = [] {
        const int fd = open_pidfd(getpid());
        if (fd < 0)
            return false;
        close(fd);
        return true;
    }();
    return answer;
}

int start_cloned(posix::launch& l, posix::steady::time_point deadline)
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
    posix::reap(intermediate, __WALL);

    posix::descriptor program;
    program.reset(c.pidfd);
    if (c.error != 0 || program.get() < 0)
        return 0;
    return posix::wait_readable(program.get(), deadline) == 1 ? 1 : 0;
}

} // namespace pidfd
} // namespace process
