// Ten thousand queries in a row against the reference technology program:
// the host process must hold no more descriptors and hardly more memory at
// the end than after the first thousand. Natively only, in a program of its
// own so that it runs beside the other tests.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "support/queryHost.h"
#include "support/processResources.h"
#include "support/testPrograms.h"

namespace {

namespace fs = std::filesystem;

TEST(LongRun, TenThousandQueriesLeakNeitherDescriptorsNorMemory)
{
    testsupport::ScratchDirectory exchange;
    for (const char* file :
         {"ElectrodeMaterial.exe", "SurfaceFinish.exe", "OptimumUndersize.exe", "sample-technology.txt"})
        fs::copy_file(fs::absolute("exchange") / file, exchange.path() / file);
    querytest::Host host;
    ASSERT_TRUE(host.ready()) << testsupport::library_file();
    host.set_study(exchange.path());

    const int total = 10000;
    const int settled = 1000; // allocators and caches have found their size by then
    testsupport::ProcessResources after_settling{};
    int failures = 0;
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < total; ++i) {
        if (i == settled)
            after_settling = testsupport::process_resources();
        const querytest::Reply reply = host.ask_in_turn(i);
        if (reply.status != 0 || reply.text.empty())
            ++failures;
    }
    const auto took = std::chrono::steady_clock::now() - begin;
    const testsupport::ProcessResources at_end = testsupport::process_resources();

    EXPECT_EQ(failures, 0);
    EXPECT_EQ(at_end.open_files, after_settling.open_files);
    // A leak of 64 bytes a query would show as 560 KiB.
    EXPECT_LT(at_end.resident_kib, after_settling.resident_kib + 256)
        << after_settling.resident_kib << " KiB after " << settled << " queries";
    std::printf("%d queries in %lld ms; descriptors %ld -> %ld; resident %zu -> %zu KiB\n", total,
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()),
                after_settling.open_files, at_end.open_files, after_settling.resident_kib, at_end.resident_kib);
}

} // namespace
