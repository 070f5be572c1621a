// What the test process holds of the system: open descriptors (handles on
// Windows), resident memory, threads and child processes, to show that long
// runs do not leak them.
#ifndef QEL_TEST_PROCESSRESOURCES_H
#define QEL_TEST_PROCESSRESOURCES_H

#include <cstddef>

namespace testsupport {

struct ProcessResources {
    long open_files;     // -1 when the system does not tell
    size_t resident_kib; // 0 when the system does not tell
    long threads = -1;   // -1 when the system does not tell
    long children = -1;  // processes whose parent this is, ended ones not yet reaped included
};

ProcessResources process_resources();

} // namespace testsupport

#endif
