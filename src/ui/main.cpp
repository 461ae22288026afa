#include "core/program_version.h"
#include "core/random_source.h"
#include "forms/main/view_form.h"
#include "forms/utilities/about_form.h"
#include "forms/workspace.h"
#include "server/server_address.h"
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
#include <QIcon>
#include <QStandardPaths>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>

namespace {

constexpr const char* Usage =
    "Usage: quillmark [FILE.dat | URL]\n"
    "\n"
    "Opens the database FILE.dat, or the one a PostgreSQL server keeps at URL\n"
    "(postgresql://HOST/DATABASE?quillmark=NAME), asking for its passwords; without it,\n"
    "offers to open the database that was open when the program was last closed.\n"
    "\n"
    "  -h, --help   show this help and exit\n"
    "  --version    show the version and exit\n";

// "Quillmark 1.12", as the tool says it too.
std::string VersionLine()
{
    return std::string(quillmark::AboutBox::ProductName) + " " + quillmark::ProgramVersion;
}

// What the command line asks for, read before the windowing system is reached so that help
// and version work without a display.
enum class Request { Run, Help, Version };

Request EarlyRequest(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--") {
            break;
        }
        if (argument == "-h" || argument == "--help") {
            return Request::Help;
        }
        if (argument == "--version") {
            return Request::Version;
        }
    }
    return Request::Run;
}

// The database named on the command line, made absolute so that it is remembered as the last
// file whatever folder the next start is in; empty for none. Qt has taken its own options out
// of argv by now.
std::optional<std::string> StartupFile(int argc, char* argv[])
{
    std::string file;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!optionsEnd && argument == "--") {
            optionsEnd = true;
            continue;
        }
        if (!optionsEnd && argument.starts_with('-') && argument.size() > 1) {
            std::fprintf(stderr, "quillmark: unknown option %s\n%s", argv[i], Usage);
            return std::nullopt;
        }
        if (!file.empty()) {
            std::fprintf(stderr, "quillmark: one database at a time\n%s", Usage);
            return std::nullopt;
        }
        // File names are handed on as the system spells them; a server's address as it is.
        file = quillmark::IsServerAddress(argument)
                   ? std::string(argument)
                   : std::filesystem::absolute(argument).lexically_normal().string();
    }
    return file;
}

// ~/.config/Quillmark/Quillmark.ini
std::string SettingsPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("Quillmark/Quillmark.ini"))
        .toStdString();
}

// ~/.local/share/Quillmark: what the program writes for the user (saved defaults, report pages).
std::string UserDataFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Quillmark"))
        .toStdString();
}

// Read-only program data sits next to the executable in a build and under share/quillmark
// when installed; the user's own defaults come first.
std::vector<std::string> DataFolders()
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    return {UserDataFolder(), executableFolder.toStdString(),
            QDir(executableFolder).filePath(QStringLiteral("../share/quillmark")).toStdString()};
}

QString HelpFolder()
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    for (const QString& folder :
         {QDir(executableFolder).filePath(QStringLiteral("help")),
          QDir(executableFolder).filePath(QStringLiteral("../share/quillmark/help"))}) {
        if (QDir(folder).exists()) {
            return QDir(folder).canonicalPath();
        }
    }
    return QDir(executableFolder).filePath(QStringLiteral("help"));
}

}  // namespace

int main(int argc, char* argv[])
{
    switch (EarlyRequest(argc, argv)) {
    case Request::Help:
        std::fputs(Usage, stdout);
        return 0;
    case Request::Version:
        std::puts(VersionLine().c_str());
        return 0;
    case Request::Run:
        break;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    QApplication::setOrganizationName(QStringLiteral("Quillmark"));
    // Ties the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillmark.Quillmark"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("org.quillmark.Quillmark"),
                         QIcon(QStringLiteral(":/icons/org.quillmark.Quillmark.svg"))));
    const std::optional<std::string> startupFile = StartupFile(argc, argv);
    if (!startupFile) {
        return 2;
    }

    QWidget* mainWindow = nullptr;
    quillmark::QtDialogs dialogs(mainWindow);
    quillmark::QtShell shell(mainWindow, HelpFolder());
    quillmark::HelpKey helpKey(shell);
    application.installEventFilter(&helpKey);
    quillmark::QtClock clock;
    quillmark::SystemRandom random;
    quillmark::Workspace workspace({dialogs, shell, clock, random}, DataFolders(), SettingsPath());
    workspace.UserDataFolder = UserDataFolder();

    workspace.View().StartupFile = *startupFile;
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
