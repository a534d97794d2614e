// The benchmarks' entry: Google Benchmark's own, after the process set-up the
// programs do too.
#include "common/DayNumber.h"

#include <benchmark/benchmark.h>

int main(int argc, char **argv)
{
    DayNumber::cacheLocalTimeZone();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
