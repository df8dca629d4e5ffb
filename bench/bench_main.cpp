// The benchmarks' entry point: the programs run with the memory policy of the workbench.

#include <benchmark/benchmark.h>

#include "core/host/memory_policy.h"

int main(int argc, char** argv) {
    mirovale::retainFreedMemory();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
