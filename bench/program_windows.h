#pragma once

// The program's services and its main, spreadsheet and search windows over one workspace, made
// as main() makes them, with the shell given; only the message boxes answer from a script.

#include "support/fake_services.h"

#include "core/random_source.h"
#include "forms/workspace.h"
#include "ui/main/main_window.h"
#include "ui/search/search_window.h"
#include "ui/spreadsheet/spreadsheet_window.h"

#include <QString>
#include <QWidget>

#include <string>
#include <utility>

namespace quillmark::bench {

template <typename ProgramShell>
struct ProgramWindows {
    explicit ProgramWindows(std::string settingsPath = {})
        : shell(owner, QString()),
          workspace({dialogs, shell, clock, random}, {QUILLMARK_DATA_DIR}, std::move(settingsPath)),
          main(workspace),
          spreadsheet(workspace),
          search(workspace)
    {
        owner = &main;
        shell.AddWindow(ProgramWindow::Main, &main, [this] { main.Render(); });
        shell.AddWindow(ProgramWindow::Spreadsheet, &spreadsheet, [this] { spreadsheet.Render(); });
        shell.AddWindow(ProgramWindow::Search, &search, [this] { search.Render(); });
    }

    QWidget* owner = nullptr;
    test::ScriptedDialogs dialogs;
    ProgramShell shell;
    test::FixedClock clock;
    SeededRandom random{1};
    Workspace workspace;
    MainWindow main;
    SpreadsheetWindow spreadsheet;
    SearchWindow search;
};

}  // namespace quillmark::bench
