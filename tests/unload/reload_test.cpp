// A host that loads the library, uses it, unloads it and loads it again, as
// a plugin host does: every load must start from a fresh process-wide state,
// every unload must destroy that state and leave nothing of the library in
// the process. A program of its own, so that no other test holds the
// library loaded meanwhile.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/dynlib.h"
#include "support/loadedModules.h"
#include "support/processResources.h"
#include "support/testPrograms.h"

namespace {

namespace fs = std::filesystem;

struct Round {
    int status_unset;    // a query before ImportStudyPath is set: 2 when the map is fresh
    bool installed;      // never: the scratch directory holds no programs
    int status_missing;  // a query that writes its request and finds no program: 4
    bool request_written;
};

// One load, use and unload. `ballast` goes into the parameter map, so that a
// map that outlived its library would show in the process's memory.
Round load_use_unload(const fs::path& study, const std::string& ballast)
{
    testsupport::DynamicLibrary library(testsupport::library_file());
    auto set = library.function<void (*)(const char*, const char*, int*)>("set_parameter_value");
    auto query = library.function<const char* (*)(const char*, int*)>("electrode_materials");
    auto installed = library.function<bool (*)()>("qel_installed");
    auto release = library.function<void (*)(void*)>("delete_string");
    if (!set || !query || !installed || !release)
        return {-1, true, -1, false};

    Round round{};
    fs::remove(study / "R_ElectrodeMat.xml");
    release(const_cast<char*>(query("1.2379", &round.status_unset)));
    int status = -1;
    set("ImportStudyPath", study.generic_u8string().c_str(), &status);
    set("Ballast", ballast.c_str(), &status);
    round.installed = installed();
    release(const_cast<char*>(query("1.2379", &round.status_missing)));
    round.request_written = fs::exists(study / "R_ElectrodeMat.xml");
    return round;
}

TEST(Reload, EachLoadStartsFreshAndEachUnloadLeavesNothing)
{
    const int rounds = 200;
    const int settled = 20; // allocators have found their size by then
    const std::string ballast(256 * 1024, 'x');
    testsupport::ScratchDirectory study;
    const std::string file = fs::path(testsupport::library_file()).filename().string();
    ASSERT_FALSE(testsupport::module_loaded(file)) << file << " is loaded before the first round";

    testsupport::ProcessResources after_settling{};
    int stale = 0, unreleased = 0;
    for (int i = 0; i < rounds; ++i) {
        if (i == settled)
            after_settling = testsupport::process_resources();
        const Round round = load_use_unload(study.path(), ballast);
        ASSERT_EQ(round.status_missing, 4) << "round " << i;
        ASSERT_FALSE(round.installed) << "round " << i;
        ASSERT_TRUE(round.request_written) << "round " << i;
        if (round.status_unset != 2)
            ++stale;
        if (testsupport::module_loaded(file))
            ++unreleased;
    }
    const testsupport::ProcessResources at_end = testsupport::process_resources();

    EXPECT_EQ(stale, 0) << "rounds that saw the parameters of an earlier load";
    EXPECT_EQ(unreleased, 0) << "rounds after which " << file << " stayed loaded";
    // Each round leaves a megabyte in the map: a map that survived its
    // library would add 180 MiB here. The sanitizers' quarantine keeps freed
    // memory, so there LeakSanitizer makes this check at exit.
    if (!QEL_TEST_UNDER_SANITIZERS)
        EXPECT_LT(at_end.resident_kib, after_settling.resident_kib + 16 * 1024)
            << after_settling.resident_kib << " KiB after " << settled << " rounds";
}

} // namespace
