// Remove From Database and its Edit > Undo, through the forms as the user does them. The undo
// takes back half the records of a sample, and the memory the history keeps for it is counted,
// both as the history counts it and as the heap grew over the removal.

#include "sample_records.h"
#include "support/fake_services.h"

#include "forms/main/view_form.h"
#include "forms/search/search_form.h"
#include "forms/workspace.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

using namespace quillmark;

void UndoRemoveFromDatabase(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    test::Session session;
    session.Start();
    Workspace& workspace = session.workspace;
    workspace.database = bench::SampleDatabase(count);
    workspace.CurrentIndex = 0;
    workspace.View().GetRecord(0);
    for (std::size_t position = 0; position < workspace.RecordList().size(); position += 2) {
        workspace.RecordList()[position]->InSearchList = true;
    }
    TSearch& search = workspace.Search();
    std::size_t historyBytes = 0;
    std::size_t heapBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        session.dialogs.AnswerYes();
        search.SetExtractState();
        // Measured while the history is still empty: later removals free the step undone before.
        const bool first = workspace.History.StepCount() == 0;
        const std::size_t heapBefore = mallinfo2().uordblks;
        search.ExtractTypeClick(TSearch::RemoveFromDatabaseEntry);
        if (first) {
            heapBytes = mallinfo2().uordblks - heapBefore;
        }
        session.dialogs.Forget();
        historyBytes = workspace.History.Bytes();
        state.ResumeTiming();
        workspace.Undo();
        benchmark::DoNotOptimize(workspace.RecordCount());
    }
    if (workspace.RecordCount() != count) {
        state.SkipWithError("the records did not come back");
    }
    state.counters["history_MB"] = static_cast<double>(historyBytes) / (1 << 20);
    state.counters["heap_MB"] = static_cast<double>(heapBytes) / (1 << 20);
}

// Remove From Database of what a search typically leaves on the list: 91 records spread over the
// database. Undo puts them back between the runs, untimed.
void RemoveFromDatabase(benchmark::State& state)
{
    constexpr int Listed = 91;
    const int count = static_cast<int>(state.range(0));
    test::Session session;
    session.Start();
    Workspace& workspace = session.workspace;
    workspace.database = bench::SampleDatabase(count);
    workspace.CurrentIndex = 0;
    workspace.View().GetRecord(0);
    const std::size_t spacing = workspace.RecordList().size() / Listed;
    for (int listed = 0; listed < Listed; ++listed) {
        workspace.RecordList()[spacing / 2 + spacing * static_cast<std::size_t>(listed)]
            ->InSearchList = true;
    }
    TSearch& search = workspace.Search();
    int left = 0;
    for (auto _ : state) {
        session.dialogs.AnswerYes();
        search.SetExtractState();
        search.ExtractTypeClick(TSearch::RemoveFromDatabaseEntry);
        left = workspace.RecordCount();
        state.PauseTiming();
        session.dialogs.Forget();
        workspace.Undo();
        state.ResumeTiming();
    }
    if (left != count - Listed || workspace.RecordCount() != count) {
        state.SkipWithError("the listed records were not removed and brought back");
    }
}

BENCHMARK(RemoveFromDatabase)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK(UndoRemoveFromDatabase)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
