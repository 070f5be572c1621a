// The POSIX process tests run against each way of starting a program that
// the build has: the portable watcher here, a system's own way beside it
// (tests/requests/linux).
#ifndef QEL_TESTS_REQUESTS_POSIX_STARTANDWAITPOSIX_H
#define QEL_TESTS_REQUESTS_POSIX_STARTANDWAITPOSIX_H

#include <gtest/gtest.h>

#include <filesystem>

#include "requests/posix/processPosix.h"
#include "support/testPrograms.h"

class StartAndWaitPosix : public testing::TestWithParam<process::posix::starter> {
protected:
    int start(const std::filesystem::path& program, unsigned timeout_ms) const
    {
        return process::posix::start_and_wait_with(testsupport::library_text(program), timeout_ms,
                                                   GetParam());
    }

    testsupport::ScratchDirectory directory;
};

#endif
