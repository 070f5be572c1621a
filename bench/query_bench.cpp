// One query's round trip through the exported function, against starting
// and awaiting the same technology program directly.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "qellink.h"
#include "requests/process.h"

extern char** environ;

namespace {

using benchmark::State;
namespace fs = std::filesystem;

// An exchange directory holding the answering program under the name the
// library starts; made once, removed at exit.
const std::string& exchange_directory()
{
    static const std::string directory = [] {
        char pattern[] = "/tmp/qel-bench-XXXXXX";
        const char* made = mkdtemp(pattern);
        std::string dir = made ? made : "";
        if (!dir.empty()) {
            fs::copy_file(QEL_BENCH_ANSWER_PROGRAM, fs::path(dir) / "ElectrodeMaterial.exe");
            std::atexit([] { fs::remove_all(exchange_directory()); });
        }
        return dir;
    }();
    return directory;
}

void query_qel(State& state)
{
    int status = 0;
    set_parameter_value("ImportStudyPath", exchange_directory().c_str(), &status);
    for (auto _ : state) {
        const char* answer = electrode_materials("1.2379", &status);
        if (status != 0 || answer == nullptr) {
            state.SkipWithError("the query failed");
            break;
        }
        delete_string(const_cast<char*>(answer));
    }
}

void query_bare(State& state)
{
    const std::string program = exchange_directory() + "/ElectrodeMaterial.exe";
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    for (auto _ : state) {
        pid_t pid;
        if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("the program did not start");
            break;
        }
        int wait_status = 0;
        while (waitpid(pid, &wait_status, 0) < 0) {
        }
    }
}

// The process seam alone: the same program, started and awaited as a
// request does it, without the request and answer files.
void start_and_wait_qel(State& state)
{
    const apString program((exchange_directory() + "/ElectrodeMaterial.exe").c_str());
    for (auto _ : state) {
        if (process::start_and_wait(program, process::program_time_limit_ms) != 1) {
            state.SkipWithError("the program did not run");
            break;
        }
    }
}

const int registered = [] {
    // Alternating repetitions, so that both meet the same load of the machine.
    for (int round = 0; round < 9; ++round) {
        benchmark::RegisterBenchmark("query/round_trip/qel", query_qel)
            ->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(0.4);
        benchmark::RegisterBenchmark("query/round_trip/bare", query_bare)
            ->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(0.4);
        benchmark::RegisterBenchmark("query/start_and_wait/qel", start_and_wait_qel)
            ->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(0.4);
    }
    return 0;
}();

} // namespace
