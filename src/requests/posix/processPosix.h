// The two ways the POSIX start-and-wait watches for the program's end,
// reachable on their own so that both can be tested on one machine.
#ifndef QEL_REQUESTS_POSIX_PROCESSPOSIX_H
#define QEL_REQUESTS_POSIX_PROCESSPOSIX_H

#include "core/apString.h"

namespace process {
namespace posix {

enum class exit_watch {
    // A process file descriptor on the program (Linux 5.3 and later).
    pidfd,
    // An orphaned watcher process that waits for the program as its parent
    // and closes a pipe when it ends; costs one more process per program.
    watcher,
};

// Whether this system hands out process file descriptors; asked once.
bool pidfd_available();

int start_and_wait(const apString& program_path, unsigned timeout_ms, exit_watch watch);

} // namespace posix
} // namespace process

#endif
