// Queries without end: the three kinds in turn, each asked of a program
// picked at random from the reference program and stand-ins that crash, end
// without a word, answer half and crash, answer garbage, leave a child
// running, or are not there at all. Every status must be the one its
// program calls for, and descriptors, threads, child processes and resident
// memory must end where they stood once the run had settled; the exchange
// directories must hold no file of the library's but the request and the
// answer of each kind.
//
// QEL_SOAK_QUERIES sets the number of queries (default 500, seconds;
// `make soak` asks 100,000). Natively only.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "support/queryHost.h"
#include "support/processResources.h"
#include "support/tempDir.h"
#include "support/testPrograms.h"

namespace {

namespace fs = std::filesystem;

const char* const kPrograms[] = {"ElectrodeMaterial.exe", "SurfaceFinish.exe", "OptimumUndersize.exe"};
const char* const kRequests[] = {"ElectrodeMat", "SurfaceFinish", "OptimumUndersize"};

const char kAnswer[] = "<A><Type><V>Copper</V></Type><Type><V>Graphite</V></Type></A>";

// A directory whose three programs behave alike, and the status that calls for.
struct Behaviour {
    const char* name;
    const char* program;  // of tests/programs; null for the reference program, "" for none
    const char* answer;   // the stand-in's "answer.xml"; null for none
    int status;
};

const Behaviour kBehaviours[] = {
    {"reference", nullptr, nullptr, 0},
    {"crashes", "crashes", nullptr, 5},
    {"silent", "exits_at_once", nullptr, 5},
    {"half answer", "half_answer_then_crashes", kAnswer, 6},
    {"garbage", "answers_from_file", "<A><Type><V>x</Type></A>", 6},
    {"leaves a child", "starts_a_child", kAnswer, 0},
    {"missing", "", nullptr, 4},
};

long queries_asked()
{
    const char* text = std::getenv("QEL_SOAK_QUERIES");
    const long n = text ? std::atol(text) : 0;
    return n > 0 ? n : 500;
}

// Files of the library's own making beyond the request and answer of each
// kind; the programs and what the stand-ins keep beside them are theirs.
std::string stray_files(const fs::path& directory)
{
    std::set<std::string> allowed = {"sample-technology.txt", "answer.xml", "child_pid", "child_stop",
                                     "child_stopped"};
    for (const char* program : kPrograms)
        allowed.insert(program);
    for (const char* request : kRequests) {
        allowed.insert(std::string("R_") + request + ".xml");
        allowed.insert(std::string("A_") + request + ".xml");
        allowed.insert(std::string("seen_R_") + request + ".xml");
    }
    std::string stray;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory))
        if (!allowed.count(entry.path().filename().string()))
            stray += " " + entry.path().filename().string();
    return stray;
}

TEST(Soak, QueriesOfEveryOutcomeLeaveNothingBehind)
{
    testsupport::ScratchDirectory root;
    std::vector<fs::path> directories;
    for (const Behaviour& b : kBehaviours) {
        const fs::path directory = root.path() / std::to_string(directories.size());
        fs::create_directory(directory);
        for (const char* program : kPrograms) {
            if (b.program == nullptr)
                fs::copy_file(fs::absolute("exchange") / program, directory / program);
            else if (*b.program)
                fs::copy_file(testsupport::test_program(b.program), directory / program);
        }
        if (b.program == nullptr)
            fs::copy_file(fs::absolute("exchange") / "sample-technology.txt", directory / "sample-technology.txt");
        if (b.answer)
            testsupport::write_bytes(directory / "answer.xml", b.answer);
        // A child left running ends once it sees this.
        testsupport::write_bytes(directory / "child_stop", "");
        directories.push_back(directory);
    }

    querytest::Host host;
    ASSERT_TRUE(host.ready()) << testsupport::library_file();

    const long total = queries_asked();
    const long settled = std::max(200L, total / 10); // allocators and caches have found their size by then
    std::mt19937 random(19);
    std::uniform_int_distribution<size_t> pick(0, sizeof kBehaviours / sizeof kBehaviours[0] - 1);
    std::map<std::string, long> counts;
    std::map<size_t, std::string> reference_answers; // by kind: every reference answer is the first one
    long wrong = 0;
    std::string first_wrong;
    testsupport::ProcessResources after_settling{};
    const auto begin = std::chrono::steady_clock::now();
    for (long i = 0; i < total; ++i) {
        if (i == settled)
            after_settling = testsupport::process_resources();
        const size_t b = pick(random);
        const Behaviour& behaviour = kBehaviours[b];
        host.set_study(directories[b]);
        const size_t kind = static_cast<size_t>(i % 3);
        const querytest::Reply reply = host.ask_in_turn(i);
        const int status = reply.status;
        const std::string text = reply.is_null ? "<null>" : reply.text;
        ++counts[std::string(behaviour.name) + " -> " + std::to_string(status)];

        bool right = status == behaviour.status && (status == 0) == !reply.is_null;
        if (right && behaviour.program == nullptr) {
            const std::string& first = reference_answers.emplace(kind, text).first->second;
            right = text == first && !text.empty();
        } else if (right && status == 0) {
            right = text == "Copper\nGraphite";
        }
        if (!right && wrong++ == 0)
            first_wrong = "query " + std::to_string(i) + " of kind " + std::to_string(kind) + " (" + behaviour.name +
                          "): status " + std::to_string(status) + ", " + text;
    }
    const auto took = std::chrono::steady_clock::now() - begin;
    const testsupport::ProcessResources at_end = testsupport::process_resources();

    EXPECT_EQ(wrong, 0) << first_wrong;
    for (const fs::path& directory : directories)
        EXPECT_EQ(stray_files(directory), "") << directory;
    EXPECT_EQ(at_end.open_files, after_settling.open_files);
    EXPECT_EQ(at_end.threads, after_settling.threads);
    // A child that leaves one of its own behaves as a program may; the
    // library must still reap its own, so that none piles up.
    EXPECT_LE(at_end.children, after_settling.children + 2);
    // A leak of 64 bytes a query would show as 6 MiB over 100,000 queries.
    EXPECT_LT(at_end.resident_kib, after_settling.resident_kib + 512)
        << after_settling.resident_kib << " KiB after " << settled << " queries";

    std::printf("%ld queries in %lld s\n", total,
                static_cast<long long>(std::chrono::duration_cast<std::chrono::seconds>(took).count()));
    for (const auto& count : counts)
        std::printf("  %-22s %ld\n", count.first.c_str(), count.second);
    std::printf("after %ld queries -> at the end: descriptors %ld -> %ld, threads %ld -> %ld, children %ld -> %ld, "
                "resident %zu -> %zu KiB\n",
                settled, after_settling.open_files, at_end.open_files, after_settling.threads, at_end.threads,
                after_settling.children, at_end.children, after_settling.resident_kib, at_end.resident_kib);
}

} // namespace
