// Which way starts the program on Linux: the clone with a pidfd where the
// kernel has pidfds, else the portable watcher. Replaces
// src/requests/posix/start_posix.cpp.
#include "requests/linux/processLinux.h"
#include "requests/process.h"

namespace process {

int start_and_wait(const apString& program_path, unsigned timeout_ms)
{
    return posix::start_and_wait_with(program_path, timeout_ms,
                                      pidfd::available() ? pidfd::start_cloned
                                                         : posix::start_watched);
}

} // namespace process
