// Linux's faster way to start and await a technology program: process file
// descriptors and clones that share the caller's memory, built on the POSIX
// pieces (src/requests/posix).
#ifndef QEL_REQUESTS_LINUX_PROCESSLINUX_H
#define QEL_REQUESTS_LINUX_PROCESSLINUX_H

#include "requests/posix/processPosix.h"

namespace process {
namespace pidfd {

// Whether this system hands out process file descriptors (Linux 5.3 and
// later); asked once.
bool available();

// A posix::starter: the program is cloned with a pidfd, which poll()
// watches for its end.
int start_cloned(posix::launch& l, posix::steady::time_point deadline);

} // namespace pidfd
} // namespace process

#endif
