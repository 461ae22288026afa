// Edit > Undo of Remove From Database: half the records of a sample on the search list removed,
// then brought back. Times the undo, and counts the memory the history keeps for the step.

#include "sample_records.h"
#include "support/fake_services.h"

#include "forms/main/view_form.h"
#include "forms/search/search_form.h"
#include "forms/workspace.h"

#include <benchmark/benchmark.h>

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
    for (auto _ : state) {
        state.PauseTiming();
        session.dialogs.AnswerYes();
        search.SetExtractState();
        search.ExtractTypeClick(TSearch::RemoveFromDatabaseEntry);
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
}

BENCHMARK(UndoRemoveFromDatabase)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
