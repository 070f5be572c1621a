// The POSIX process tests, run against the clone with a process file
// descriptor where the kernel has them.
#include <gtest/gtest.h>

#include <vector>

#include "../posix/startAndWaitPosix.h"
#include "requests/linux/processLinux.h"

namespace {

std::vector<process::posix::starter> linux_starters()
{
    if (!process::pidfd::available())
        return {};
    return {process::pidfd::start_cloned};
}

INSTANTIATE_TEST_SUITE_P(Linux, StartAndWaitPosix, testing::ValuesIn(linux_starters()),
                         [](const testing::TestParamInfo<process::posix::starter>&) {
                             return "pidfd";
                         });

} // namespace
