// Sorting sample databases by name and by a salary figure, as the "Sort Records" menu does.

#include "sample_records.h"

#include "engine/record_sorting.h"

#include <benchmark/benchmark.h>

namespace {

using namespace quillmark;

// Arguments: record count, sort key, 1 for ascending or 0 for descending.
void SortRecords(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const int key = static_cast<int>(state.range(1));
    const bool ascending = state.range(2) != 0;
    const ItemRecordList& sample = bench::SampleDatabase(count).RecordList;
    for (auto _ : state) {
        // Every round starts from the order the sample was made in.
        state.PauseTiming();
        ItemRecordList records = sample;
        state.ResumeTiming();
        DoSort(records, SortKey{key}, ascending);
        benchmark::DoNotOptimize(records.data());
        state.PauseTiming();
        records.clear();
        state.ResumeTiming();
    }
    state.counters["records"] = benchmark::Counter(static_cast<double>(count),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}

// Name ascending and descending, hourly and yearly salary; a million records by name.
BENCHMARK(SortRecords)
    ->ArgsProduct({{10000, 100000}, {27}, {1, 0}})
    ->Args({1000000, 27, 1})
    ->ArgsProduct({{10000, 100000}, {28, 33}, {1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
