// Whether the program keeps the user informed on a large database: the commands a user runs on
// one, each triggered through its window as the user does, on a sample of N records (the
// argument). For each, its time on the wall and the longest stretch of it without the busy
// cursor; a command that spends more than a tenth of a second outside the busy cursor is
// reported, and makes the exit status non-zero.
//
//   quillmark_busy_check [N [--smoke]]    (QT_QPA_PLATFORM=offscreen without a display)

#include "program_windows.h"
#include "sample_records.h"
#include "six_terms.h"
#include "support/fake_services.h"
#include "support/next_menu.h"

#include "core/random_source.h"
#include "engine/search/search_list.h"
#include "engine/search/search_terms.h"
#include "forms/main/view_form.h"
#include "forms/search/search_form.h"
#include "forms/spreadsheet/snapshot_form.h"
#include "forms/workspace.h"
#include "ui/album/album_window.h"
#include "ui/column_report/column_report_window.h"
#include "ui/graph/graph_window.h"
#include "ui/html_report/html_report_window.h"
#include "ui/main/main_window.h"
#include "ui/qt_services.h"
#include "ui/search/search_window.h"
#include "ui/spreadsheet/spreadsheet_window.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace {

using namespace quillmark;

constexpr double SlowSeconds = 0.1;

// The real shell, which also notes when the busy cursor is on during the command being timed.
// The desktop's "open" is left out: it would start another program.
class CountingShell : public QtShell {
public:
    using QtShell::QtShell;

    void BeginBusy(const std::string& text) override
    {
        if (depth_++ == 0) {
            Uncovered(clock_.nsecsElapsed());
            ++busyCount_;
        }
        QtShell::BeginBusy(text);
    }
    void EndBusy() override
    {
        QtShell::EndBusy();
        if (--depth_ == 0) {
            coveredSince_ = clock_.nsecsElapsed();
        }
    }
    void OpenDocument(const std::string& /*path*/) override {}

    // Starts timing a command.
    void Start(std::string name)
    {
        name_ = std::move(name);
        busyCount_ = 0;
        longestUncovered_ = 0;
        coveredSince_ = 0;
        clock_.start();
    }
    // Ends it and prints its line; true when it was slow without the busy cursor.
    bool Finish()
    {
        const qint64 total = clock_.nsecsElapsed();
        if (depth_ == 0) {
            Uncovered(total);
        }
        const bool slow = static_cast<double>(longestUncovered_) / 1e9 > SlowSeconds;
        std::printf("%-34s %9.3f s  busy %-3s  longest without busy %7.3f s%s\n", name_.c_str(),
                    static_cast<double>(total) / 1e9, busyCount_ > 0 ? "yes" : "no",
                    static_cast<double>(longestUncovered_) / 1e9,
                    slow ? "  SLOW WITHOUT BUSY" : "");
        std::fflush(stdout);
        return slow;
    }

private:
    // The stretch since the last busy work ended (or the command started) ends now.
    void Uncovered(qint64 now)
    {
        longestUncovered_ = std::max(longestUncovered_, now - coveredSince_);
    }

    std::string name_;
    QElapsedTimer clock_;
    int depth_ = 0;
    int busyCount_ = 0;
    qint64 coveredSince_ = 0;
    qint64 longestUncovered_ = 0;
};

// The program as main() makes it, with the windows the commands open besides.
struct Program : bench::ProgramWindows<CountingShell> {
    explicit Program(const std::string& settingsPath) : ProgramWindows(settingsPath)
    {
        using Made = QtShell::MadeWindow;
        shell.AddWindowMaker(ProgramWindow::Album, [this] {
            auto* album = new AlbumWindow(workspace);
            return Made{album, [album] { album->Render(); }};
        });
        shell.AddWindowMaker(ProgramWindow::Graph, [this] {
            auto* graph = new GraphWindow(workspace);
            return Made{graph, [graph] { graph->Render(); }};
        });
        shell.AddWindowMaker(ProgramWindow::HtmlReport, [this] {
            htmlReport = new HtmlReportWindow(workspace);
            return Made{htmlReport, [report = htmlReport] { report->Render(); }};
        });
        shell.AddWindowMaker(ProgramWindow::ColumnReport, [this] {
            columnReport = new ColumnReportWindow(workspace);
            return Made{columnReport, [report = columnReport] { report->Render(); }};
        });
    }

    QPointer<HtmlReportWindow> htmlReport;
    QPointer<ColumnReportWindow> columnReport;
};

// Runs the events the command left behind: what the user waits for before the next click.
void Settle()
{
    QCoreApplication::processEvents();
}

// The "Sort Records" entry (1-based) whose caption is that, or 0.
int SortEntry(const TView& view, const std::string& caption)
{
    for (std::size_t i = 0; i < view.SortSelect.size(); ++i) {
        if (view.SortSelect[i].caption == caption) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

// Picks the items of a report window from the menu its Add button pops up.
void AddReportItems(QWidget& window)
{
    for (const char* item : {"Name", "City", "Status", "Yearly Salary"}) {
        test::PickFromNextMenu(QLatin1StringView(item));
        window.findChild<QPushButton*>(QStringLiteral("AddBtn"))->click();
        Settle();
    }
}

// Runs then on the first modal window that comes up: the busy work before it runs events too.
void WhenModalShown(std::function<void(QWidget&)> then)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, then = std::move(then)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            then(*modal);
        }
    });
    poll->start(1);
}

QAction* MenuEntry(QWidget& window, const char* menuName, const char* text)
{
    auto* menu = window.findChild<QMenu*>(QLatin1StringView(menuName));
    if (menu != nullptr) {
        for (QAction* entry : menu->actions()) {
            if (entry->text() == QLatin1StringView(text)) {
                return entry;
            }
        }
    }
    std::fprintf(stderr, "no entry %s in %s\n", text, menuName);
    std::exit(2);
}

int Run(int count)
{
    const std::string& sample = bench::SampleFile(count);
    const std::string folder = std::filesystem::path(sample).parent_path().string();
    bool slow = false;
    // Settings of its own, written on closing as the user's are.
    Program program(folder + "/Quillmark.ini");
    program.workspace.UserDataFolder = folder;
    CountingShell& shell = program.shell;
    Workspace& workspace = program.workspace;
    TView& view = workspace.View();
    test::ScriptedDialogs& dialogs = program.dialogs;
    // Each command as the user gives it to its window, and what follows until the user can go on.
    const auto command = [&](const std::string& name, FormWindow& window,
                             const std::function<void()>& handler) {
        shell.Start(name);
        window.Handle(handler);
        Settle();
        slow = shell.Finish() || slow;
    };

    // Started on the file, as `quillmark FILE.dat` is, until its first record is on show.
    shell.Start("start with the file");
    view.StartupFile = sample;
    program.main.show();
    while (workspace.CurrentIndex < 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    Settle();
    slow = shell.Finish() || slow;

    dialogs.ChooseFile(sample);
    command("Open", program.main, [&] { view.Open1Click(); });
    command("sort by name", program.main,
            [&] { view.SortSelectClick(SortEntry(view, "Sort by Name")); });
    command("sort by yearly salary", program.main,
            [&] { view.SortSelectClick(SortEntry(view, "Sort by Yearly Salary")); });
    view.number.text = std::to_string(count);
    command("go to the last record", program.main, [&] { view.numberEnter(); });

    TSearch& search = workspace.Search();
    command("Search Records (window)", program.main, [&] { view.SearchRecords1Click(); });
    bench::SetSixTerms(search, workspace.database);
    command("search of six terms", program.search, [&] { search.PerformSearchBtnClick(); });
    command("Spreadsheet View", program.main, [&] { view.SpreadsheetView1Click(); });
    TSnapShot& sheet = workspace.Spreadsheet();
    command("spreadsheet: View All", program.spreadsheet, [&] { sheet.ViewAllClick(); });
    command("spreadsheet: View Selected", program.spreadsheet, [&] { sheet.ViewSelectedClick(); });
    command("spreadsheet: View Searched", program.spreadsheet, [&] { sheet.ViewSearchedClick(); });
    command("Album View", program.main, [&] { view.AlbumView1Click(); });
    command("Graph View", program.main, [&] { view.GraphView1Click(); });

    // The column report: previewed, and exported comma-delimited from the preview.
    command("Regular Report (window)", program.main, [&] { view.GenerateRegularReport1Click(); });
    AddReportItems(*program.columnReport);
    const std::string csv = folder + "/report.csv";
    WhenModalShown([&](QWidget& preview) {
        slow = shell.Finish() || slow;
        dialogs.ChooseFile(csv);
        shell.Start("report preview: Export to CSV");
        MenuEntry(preview, "ExportMenu", "Export to CSV")->trigger();
        Settle();
        slow = shell.Finish() || slow;
        preview.close();
    });
    shell.Start("report preview (until shown)");
    program.columnReport->findChild<QAction*>(QStringLiteral("PreviewTBtn"))->trigger();
    Settle();
    dialogs.ChooseFile(csv);
    shell.Start("report: Import Comma Delimited");
    program.columnReport->findChild<QAction*>(QStringLiteral("ImportTBtn"))->trigger();
    Settle();
    slow = shell.Finish() || slow;

    command("HTML Report (window)", program.main, [&] { view.GenerateHTMLReport1Click(); });
    AddReportItems(*program.htmlReport);
    dialogs.ChooseFile(folder + "/report.htm");
    shell.Start("HTML report: Save HTML");
    program.htmlReport->findChild<QPushButton*>(QStringLiteral("SaveHTMLBtn"))->click();
    Settle();
    slow = shell.Finish() || slow;

    dialogs.ChooseFile(folder + "/quick.txt");
    command("Quick Export", program.main, [&] { view.QuickExport1Click(); });

    // The search list: extracted to a file, which is merged back; removed, undone, redone.
    search.SetExtractState();
    dialogs.ChooseFile(folder + "/extract.dat");
    command("Extract to File", program.search,
            [&] { search.ExtractTypeClick(TSearch::ExtractToFileEntry); });
    dialogs.ChooseFile(folder + "/extract.dat");
    command("Merge (import of a database)", program.main, [&] { view.Merge1Click(); });
    dialogs.AnswerYes();
    command("Remove From Database", program.search,
            [&] { search.ExtractTypeClick(TSearch::RemoveFromDatabaseEntry); });
    command("Undo", program.main, [&] { view.Undo1Click(); });
    command("Redo", program.main, [&] { view.Redo1Click(); });

    dialogs.Type("/pictures").AnswerYes();
    command("Change Picture File Path", program.main, [&] { view.ChangePictureFilePath1Click(); });
    command("Save", program.main, [&] { view.Save1Click(); });
    dialogs.ChooseFile(folder + "/saved-as.dat");
    command("Save As", program.main, [&] { view.SaveAs1Click(); });
    command("Close", program.main, [&] { view.Close1Click(); });

    // A command that failed was not timed doing its work.
    bool failed = !dialogs.Problems.empty();
    for (const std::string& problem : dialogs.Problems) {
        std::fprintf(stderr, "unexpected: %s\n", problem.c_str());
    }
    for (const test::ScriptedDialogs::Shown& shown : dialogs.Messages) {
        if (shown.kind == test::ScriptedDialogs::Kind::Error) {
            std::fprintf(stderr, "error box: %s\n", shown.text.c_str());
            failed = true;
        }
    }
    return failed ? 2 : slow ? 1 : 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    // --smoke: only that every command runs; on a loaded machine a small sample can have a
    // stretch over the limit by chance.
    const bool smoke = argc > 2 && std::string_view(argv[2]) == "--smoke";
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (count <= 0 || (argc > 2 && !smoke) || argc > 3) {
        std::fputs("usage: quillmark_busy_check [RECORDS [--smoke]]\n", stderr);
        return 2;
    }
    // The desktop's list of recently used files is written to a folder of the run's own.
    const std::string& sample = bench::SampleFile(count);
    const std::string data = std::filesystem::path(sample).parent_path().string() + "/data";
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    QApplication application(argc, argv);
    std::printf("%d records\n", count);
    const int outcome = Run(count);
    return smoke && outcome == 1 ? 0 : outcome;
}
