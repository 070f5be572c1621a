// Ten thousand queries in a row against the reference technology program:
// the host process must hold no more descriptors and hardly more memory at
// the end than after the first thousand. Natively only, in a program of its
// own so that it runs beside the other tests.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "support/dynlib.h"
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
    testsupport::DynamicLibrary library(testsupport::library_file());
    auto set = library.function<void (*)(const char*, const char*, int*)>("set_parameter_value");
    auto release = library.function<void (*)(void*)>("delete_string");
    auto electrode = library.function<const char* (*)(const char*, int*)>("electrode_materials");
    auto finish = library.function<const char* (*)(const char*, const char*, int*)>("surface_finishes");
    auto undersize = library.function<const char* (*)(const char*, const char*, double, double, double, double,
                                                      int*)>("optimum_undersizes");
    ASSERT_TRUE(set && release && electrode && finish && undersize) << testsupport::library_file();
    int status = -1;
    set("ImportStudyPath", exchange.path().generic_u8string().c_str(), &status);
    ASSERT_EQ(status, 0);

    const int total = 10000;
    const int settled = 1000; // allocators and caches have found their size by then
    testsupport::ProcessResources after_settling{};
    int failures = 0;
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < total; ++i) {
        if (i == settled)
            after_settling = testsupport::process_resources();
        const char* answer = nullptr;
        switch (i % 3) {
        case 0: answer = electrode("1.2379", &status); break;
        case 1: answer = finish("1.2379", "Copper", &status); break;
        default: answer = undersize("1.2379", "Copper", 12.5, 50, 18, 120, &status); break;
        }
        if (status != 0 || answer == nullptr || *answer == 0)
            ++failures;
        release(const_cast<char*>(answer));
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
