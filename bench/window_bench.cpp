// The program as the user meets it, on the offscreen platform: its windows and Qt services as
// main() makes them, only the message boxes answered from a script. Opening a sample database
// until its first record is shown, a six-term search run from the search window until the
// spreadsheet shows what it found, and Remove From Database of those records until every window
// shows the records left.

#include "program_windows.h"
#include "sample_records.h"
#include "six_terms.h"
#include "support/fake_services.h"

#include "core/random_source.h"
#include "engine/search/search_list.h"
#include "engine/search/search_terms.h"
#include "forms/main/view_form.h"
#include "forms/search/search_form.h"
#include "forms/spreadsheet/snapshot_form.h"
#include "forms/workspace.h"
#include "ui/main/main_window.h"
#include "ui/qt_services.h"
#include "ui/search/search_window.h"
#include "ui/spreadsheet/spreadsheet_window.h"

#include <QApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace quillmark;

// The program as main() makes it, with the shell the user has.
struct Program : bench::ProgramWindows<QtShell> {
    // Runs the events the command left behind: what the user waits for before the next click.
    static void Settle() { QCoreApplication::processEvents(); }
};

// Started on the sample file, as `quillmark FILE.dat` is, its first record on show.
std::unique_ptr<Program> ProgramOn(const std::string& path)
{
    auto program = std::make_unique<Program>();
    program->workspace.View().StartupFile = path;
    program->main.show();
    QElapsedTimer waited;
    waited.start();
    while (program->workspace.CurrentIndex < 0 && waited.elapsed() < 600'000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    Program::Settle();
    return program;
}

void OpenDatabaseInWindow(benchmark::State& state)
{
    const std::string& path = bench::SampleFile(static_cast<int>(state.range(0)));
    int records = 0;
    for (auto _ : state) {
        std::unique_ptr<Program> program = ProgramOn(path);
        records = program->workspace.RecordCount();
        state.PauseTiming();
        program.reset();
        state.ResumeTiming();
    }
    if (records != state.range(0)) {
        state.SkipWithError("the sample did not open");
    }
}

void SearchInWindow(benchmark::State& state)
{
    const std::unique_ptr<Program> program =
        ProgramOn(bench::SampleFile(static_cast<int>(state.range(0))));
    Workspace& workspace = program->workspace;
    TSearch& search = workspace.Search();
    program->search.show();
    program->search.Handle([&search] { search.FormActivate(); });
    bench::SetSixTerms(search, workspace.database);
    int found = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ClearSearchList(workspace.RecordList());
        Program::Settle();
        state.ResumeTiming();
        program->search.Handle([&search] { search.PerformSearchBtnClick(); });
        Program::Settle();
        found = workspace.Spreadsheet().SpreadView.RowCount - 1;
    }
    state.counters["found"] = found;
    if (!program->spreadsheet.isVisible() || found <= 0) {
        state.SkipWithError("the spreadsheet does not show what the search found");
    }
}

void RemoveFromDatabaseInWindow(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::unique_ptr<Program> program = ProgramOn(bench::SampleFile(count));
    Workspace& workspace = program->workspace;
    TSearch& search = workspace.Search();
    program->search.show();
    program->search.Handle([&search] { search.FormActivate(); });
    bench::SetSixTerms(search, workspace.database);
    program->search.Handle([&search] { search.PerformSearchBtnClick(); });
    Program::Settle();
    const int listed = CountOnSearchList(workspace.RecordList());
    int left = 0;
    for (auto _ : state) {
        program->dialogs.AnswerYes();
        program->search.Handle([&search] {
            search.SetExtractState();
            search.ExtractTypeClick(TSearch::RemoveFromDatabaseEntry);
        });
        Program::Settle();
        left = workspace.RecordCount();
        state.PauseTiming();
        program->dialogs.Forget();
        program->main.Handle([&workspace] { workspace.Undo(); });
        Program::Settle();
        state.ResumeTiming();
    }
    state.counters["removed"] = count - left;
    if (listed == 0 || left != count - listed || workspace.RecordCount() != count) {
        state.SkipWithError("the listed records were not removed and brought back");
    }
}

BENCHMARK(OpenDatabaseInWindow)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);
BENCHMARK(SearchInWindow)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RemoveFromDatabaseInWindow)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
