// Starting a technology program and waiting for it to end: the one place
// where the request layer meets the operating system's processes.
#ifndef QEL_REQUESTS_PROCESS_H
#define QEL_REQUESTS_PROCESS_H

#include "core/apString.h"

namespace process {

// How long a request waits for its technology program.
constexpr unsigned program_time_limit_ms = 60000;

// Starts the program file at `program_path` ('/' separators work on every
// platform) with no arguments but its own path, in the caller's environment
// and current directory, without a window, inheriting the caller's
// inheritable handles (POSIX: descriptors without close-on-exec), and waits
// at most `timeout_ms` for it to end.
//
// 1 when the program ended in time, whatever its exit status or however it
// ended; 0 when it could not be started, when the wait failed, or when it
// was still running at the limit. A program that overruns is left running.
int start_and_wait(const apString& program_path, unsigned timeout_ms);

} // namespace process

#endif
