// The core test program counts its calls of operator new, so that tests can
// tell which operations allocate.
#ifndef QEL_TEST_CORE_ALLOCATIONCOUNT_H
#define QEL_TEST_CORE_ALLOCATIONCOUNT_H

#include <cstddef>

namespace testsupport {

// Calls of operator new and operator new[] in this program so far.
std::size_t allocations();

} // namespace testsupport

#endif
