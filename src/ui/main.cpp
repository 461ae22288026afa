#include "core/random_source.h"
#include "forms/main/view_form.h"
#include "forms/workspace.h"
#include "ui/album/album_window.h"
#include "ui/cd_player/cd_player_window.h"
#include "ui/column_report/column_report_window.h"
#include "ui/graph/graph_window.h"
#include "ui/html_report/html_report_window.h"
#include "ui/main/main_window.h"
#include "ui/qt_services.h"
#include "ui/search/search_window.h"
#include "ui/spreadsheet/spreadsheet_window.h"
#include "ui/utilities/help_window.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

// ~/.config/Quillmark/Quillmark.ini
std::string SettingsPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath("Quillmark/Quillmark.ini")
        .toStdString();
}

// ~/.local/share/Quillmark: what the program writes for the user (saved defaults, report pages).
std::string UserDataFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath("Quillmark")
        .toStdString();
}

// Read-only program data sits next to the executable in a build and under share/quillmark
// when installed; the user's own defaults come first.
std::vector<std::string> DataFolders()
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    return {UserDataFolder(), executableFolder.toStdString(),
            QDir(executableFolder).filePath("../share/quillmark").toStdString()};
}

QString HelpFolder()
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    for (const QString& folder : {QDir(executableFolder).filePath("help"),
                                  QDir(executableFolder).filePath("../share/quillmark/help")}) {
        if (QDir(folder).exists()) {
            return QDir(folder).canonicalPath();
        }
    }
    return QDir(executableFolder).filePath("help");
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Quillmark");
    QApplication::setOrganizationName("Quillmark");

    QWidget* mainWindow = nullptr;
    quillmark::QtDialogs dialogs(mainWindow);
    quillmark::QtShell shell(mainWindow, HelpFolder());
    quillmark::HelpKey helpKey(shell);
    application.installEventFilter(&helpKey);
    quillmark::QtClock clock;
    quillmark::SystemRandom random;
    quillmark::Workspace workspace({dialogs, shell, clock, random}, DataFolders(), SettingsPath());
    workspace.UserDataFolder = UserDataFolder();

    quillmark::MainWindow window(workspace);
    mainWindow = &window;
    shell.AddWindow(quillmark::ProgramWindow::Main, &window, [&window] { window.Render(); });
    quillmark::SpreadsheetWindow spreadsheet(workspace);
    shell.AddWindow(quillmark::ProgramWindow::Spreadsheet, &spreadsheet,
                    [&spreadsheet] { spreadsheet.Render(); });
    quillmark::SearchWindow search(workspace);
    shell.AddWindow(quillmark::ProgramWindow::Search, &search, [&search] { search.Render(); });
    // Made on first use and discarded when closed.
    using Made = quillmark::QtShell::MadeWindow;
    shell.AddWindowMaker(quillmark::ProgramWindow::Album, [&workspace] {
        auto* album = new quillmark::AlbumWindow(workspace);
        return Made{album, [album] { album->Render(); }};
    });
    shell.AddWindowMaker(quillmark::ProgramWindow::Graph, [&workspace] {
        auto* graph = new quillmark::GraphWindow(workspace);
        return Made{graph, [graph] { graph->Render(); }};
    });
    shell.AddWindowMaker(quillmark::ProgramWindow::CdPlayer, [&workspace] {
        auto* player = new quillmark::CdPlayerWindow(workspace);
        return Made{player, [player] { player->Render(); }};
    });
    shell.AddWindowMaker(quillmark::ProgramWindow::HtmlReport, [&workspace] {
        auto* report = new quillmark::HtmlReportWindow(workspace);
        return Made{report, [report] { report->Render(); }};
    });
    shell.AddWindowMaker(quillmark::ProgramWindow::ColumnReport, [&workspace] {
        auto* report = new quillmark::ColumnReportWindow(workspace);
        return Made{report, [report] { report->Render(); }};
    });
    window.show();
    return application.exec();
}
