// Whether a library is still loaded in the test process, asked of the
// system rather than of the loader's handles.
#ifndef QEL_TEST_LOADEDMODULES_H
#define QEL_TEST_LOADEDMODULES_H

#include <string>

namespace testsupport {

// True while a file named `file_name` is mapped into the process (POSIX:
// /proc/self/maps) or a module of that name is loaded (Windows).
bool module_loaded(const std::string& file_name);

} // namespace testsupport

#endif
