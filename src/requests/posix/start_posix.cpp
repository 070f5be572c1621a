// Which way starts the program: on a plain POSIX system, the watcher.
// A system with a faster way replaces this file (src/requests/linux).
#include "requests/posix/processPosix.h"
#include "requests/process.h"

namespace process {

int start_and_wait(const apString& program_path, unsigned timeout_ms)
{
    return posix::start_and_wait_with(program_path, timeout_ms, posix::start_watched);
}

} // namespace process
