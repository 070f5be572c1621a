// What a test program knows about itself: the one platform seam of the
// programs that the process tests start.
#ifndef QEL_TESTPROGRAM_SELF_H
#define QEL_TESTPROGRAM_SELF_H

#include <filesystem>

namespace testprogram {

// The program's own file: argv[0] on POSIX, where the library passes the
// full path; the module's file name on Windows.
std::filesystem::path own_file(char** argv);

long process_id();

// Starts the program's own file again with one argument, not waiting for
// it; false when it could not be started.
bool start_self(char** argv, const char* argument);

// Ends the process the way a faulting program ends, without a crash dialog.
[[noreturn]] void crash();

} // namespace testprogram

#endif
