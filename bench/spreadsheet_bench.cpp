// Opening the spreadsheet window over sample databases on the offscreen platform: the grid filled
// for every record, the window shown and drawn once. The same fill alone, without Qt, for
// comparison.

#include "sample_records.h"

#include "forms/spreadsheet/snapshot_form.h"
#include "support/fake_services.h"
#include "ui/spreadsheet/spreadsheet_window.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using namespace quillmark;

// A program started on the sample database, its spreadsheet showing all records.
std::unique_ptr<test::Session> SessionOver(int count)
{
    auto session = std::make_unique<test::Session>();
    session->Start();
    session->workspace.database = bench::SampleDatabase(count);
    session->workspace.CurrentIndex = 0;
    return session;
}

void FillSpreadsheet(benchmark::State& state)
{
    const std::unique_ptr<test::Session> session = SessionOver(static_cast<int>(state.range(0)));
    TSnapShot& sheet = session->workspace.Spreadsheet();
    for (auto _ : state) {
        sheet.FormActivate();
        benchmark::DoNotOptimize(sheet.SpreadView.RowCount);
    }
}

void OpenSpreadsheetWindow(benchmark::State& state)
{
    const std::unique_ptr<test::Session> session = SessionOver(static_cast<int>(state.range(0)));
    TSnapShot& sheet = session->workspace.Spreadsheet();
    for (auto _ : state) {
        SpreadsheetWindow window(session->workspace);
        window.Handle([&sheet] { sheet.FormActivate(); });
        window.show();
        // Everything on screen drawn, the visible cells included.
        const QPixmap drawn = window.grab();
        benchmark::DoNotOptimize(drawn.cacheKey());
        state.PauseTiming();
        window.hide();
        state.ResumeTiming();
    }
}

BENCHMARK(FillSpreadsheet)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OpenSpreadsheetWindow)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
