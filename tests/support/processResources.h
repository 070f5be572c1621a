// What the test process holds of the system: open descriptors (handles on
// Windows) and resident memory, to show that long runs do not leak them.
#ifndef QEL_TEST_PROCESSRESOURCES_H
#define QEL_TEST_PROCESSRESOURCES_H

#include <cstddef>

namespace testsupport {

struct ProcessResources {
    long open_files;     // -1 when the system does not tell
    size_t resident_kib; // 0 when the system does not tell
};

ProcessResources process_resources();

} // namespace testsupport

#endif
