// Sorting sample databases by name and by a salary figure, as the "Sort Records" menu does.

#include "core/default_trees.h"
#include "engine/record_sorting.h"
#include "quillmark-tool/sample_database.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

namespace {

using namespace quillmark;

constexpr std::uint64_t SampleSeed = 20240601;

// Only the latest sample is kept: at 100 000 records it is large.
const ItemRecordList& SampleRecords(int count)
{
    static std::unique_ptr<Database> database;
    static int databaseCount = -1;
    if (!database || databaseCount != count) {
        database.reset();
        database = std::make_unique<Database>(
            MakeSampleDatabase(count, SampleSeed, ReadDefaultTrees({QUILLMARK_DATA_DIR})));
        databaseCount = count;
    }
    return database->RecordList;
}

// Arguments: record count, sort key, 1 for ascending or 0 for descending.
void SortRecords(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const int key = static_cast<int>(state.range(1));
    const bool ascending = state.range(2) != 0;
    const ItemRecordList& sample = SampleRecords(count);
    for (auto _ : state) {
        // Every round starts from the order the sample was made in.
        state.PauseTiming();
        ItemRecordList records = sample;
        state.ResumeTiming();
        DoSort(records, key, ascending);
        benchmark::DoNotOptimize(records.data());
        state.PauseTiming();
        records.clear();
        state.ResumeTiming();
    }
    state.counters["records"] = benchmark::Counter(static_cast<double>(count),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}

// Name ascending and descending, hourly and yearly salary.
BENCHMARK(SortRecords)
    ->ArgsProduct({{10000, 100000}, {27}, {1, 0}})
    ->ArgsProduct({{10000, 100000}, {28, 33}, {1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
