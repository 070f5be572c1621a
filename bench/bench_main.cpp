// The benchmarks' main: Google Benchmark's, with one setting of the C
// library's allocator first.
//
// glibc maps large blocks afresh and unmaps them when freed, but raises that
// threshold (up to 32 MiB) each time it frees such a block, after which
// blocks below it are reused from the heap without page faults. A size just
// below the raised threshold would then run warm and the next size up cold,
// which says nothing about the code. A fixed threshold keeps every large
// block fresh at every size, for every library compared.
#include <benchmark/benchmark.h>
#include <malloc.h>

int main(int argc, char** argv)
{
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
