#include "forms/main/server_commands.h"

#include "core/database_file.h"
#include "core/file_messages.h"
#include "core/windows1252.h"
#include "forms/main/server_conflict_form.h"
#include "forms/main/server_database_form.h"
#include "forms/main/view_form.h"
#include "forms/search/search_form.h"
#include "forms/spreadsheet/snapshot_form.h"
#include "forms/workspace.h"

#include <algorithm>

namespace quillmark {

namespace {

std::string ServerText(const char* utf8)
{
    return TextInMessage(Utf8ToWindows1252Lossy(utf8));
}

// The dialog starts at the login last used, while the program runs.
ServerLogin& LastLogin()
{
    static ServerLogin login{"localhost", "5432", "", ""};
    return login;
}

// Every window shows the records as the server now has them.
void ShowRecordsAgain(Workspace& workspace, bool settingsChanged)
{
    workspace.CurrentIndex =
        std::clamp(workspace.CurrentIndex, 0, std::max(workspace.RecordCount() - 1, 0));
    workspace.ChangeFlag = true;
    workspace.View().HistoryApplied(settingsChanged);
    workspace.Search().RecordsChanged();
    workspace.Spreadsheet().FillSpreadsheet();
    workspace.services.shell.RefreshWindow(ProgramWindow::Spreadsheet);
    workspace.services.shell.RefreshWindow(ProgramWindow::Search);
    for (const auto& [window, redraw] : workspace.RedrawAfterHistory) {
        redraw();
    }
}

std::string BroughtUpToDateMessage(int count)
{
    return count == 1
               ? "1 record changed by another user was brought up to date."
               : std::to_string(count) + " records changed by other users were brought up to date.";
}

}  // namespace

void TView::OpenFromServer1Click()
{
    ServerCommands(*this, workspace_).OpenFromServer();
}

bool TView::SaveToServer1Click()
{
    return ServerCommands(*this, workspace_).SaveToServer();
}

void ServerCommands::OpenFromServer()
{
    Dialogs& dialogs = workspace_.services.dialogs;
    view_.SaveRecord(workspace_.CurrentIndex);
    if (workspace_.History.Changed() &&
        !dialogs.AskYesNo("Changes made since last save will be lost. Open new file anyway ?")) {
        return;
    }
    TServerDatabaseForm form(dialogs, TServerDatabaseForm::Purpose::Open, LastLogin(), "");
    workspace_.services.shell.RunDialog(form);
    if (form.Accepted) {
        LastLogin() = form.Login();
        Open(std::move(form.Server));
    }
}

void ServerCommands::OpenAddress(const std::string& address)
{
    Dialogs& dialogs = workspace_.services.dialogs;
    std::unique_ptr<ServerDatabase> server;
    try {
        server = ServerDatabase::Connect(address, AskServerPassword(dialogs));
    } catch (const ServerDatabaseError& error) {
        dialogs.ShowError(error.what());
        return;
    } catch (const ServerError& error) {
        dialogs.ShowError(CannotConnectMessage(error));
        return;
    }
    Open(std::move(server));
}

void ServerCommands::Open(std::unique_ptr<ServerDatabase> server)
{
    Dialogs& dialogs = workspace_.services.dialogs;
    const std::string address = server->Address();
    Database opened;
    opened.DescriptionTrees = workspace_.DefaultTrees;
    ServerOpenResult result;
    try {
        BusyWork busy(workspace_.services.shell, "Opening " + server->Name() + " ...");
        const auto askPassword = [&dialogs, &busy](PasswordKind kind) {
            return busy.Asking([&dialogs, kind] {
                return kind == PasswordKind::Read
                           ? dialogs.PasswordBox("Enter Read Password",
                                                 "Please Enter Read Password")
                           : dialogs.PasswordBox("Enter Save Password",
                                                 "Please Enter Save Password");
            });
        };
        result = server->Open(opened, askPassword, busy.Reporter());
        if (result.Outcome != ServerOpenOutcome::WrongReadPassword) {
            // The database it replaces, and the history that keeps its records, are freed while
            // the cursor still says busy, as when a file is opened.
            workspace_.CanSave = result.SaveAllowed;
            std::swap(workspace_.database, opened);
            workspace_.History.Clear();
            opened = Database();
            workspace_.DatabaseFileIdentity.reset();
            workspace_.Server = std::move(server);
            view_.DatabaseOpened(address);
        }
    } catch (const ServerDatabaseError& error) {
        dialogs.ShowError(error.what());
        return;
    } catch (const ServerError& error) {
        dialogs.ShowError("The database could not be read from the server: " +
                          ServerText(error.what()));
        return;
    }
    if (result.Outcome == ServerOpenOutcome::WrongReadPassword) {
        dialogs.ShowError(
            "You have entered an incorrect password.  A new database will be created.");
        view_.DiscardDatabase();
        view_.StartEmptyDatabase();
        return;
    }
    if (result.ReadOnlyLogin) {
        dialogs.ShowError(
            "Your login may only read this database on the server.  You will be able to view "
            "the database, but you will not be able to save it.");
    } else if (!result.SaveAllowed) {
        dialogs.ShowError(
            "You have entered an incorrect save password.  You will be able to view the "
            "database, but you will not be able to save it.");
    }
    dialogs.ShowInformation(FileNameInMessage(address) + " opened.");
}

bool ServerCommands::SaveToServer()
{
    Dialogs& dialogs = workspace_.services.dialogs;
    if (!workspace_.CanSave) {
        dialogs.ShowInformation(NoPermissionToSave);
        return false;
    }
    view_.SaveRecord(workspace_.CurrentIndex);
    TServerDatabaseForm form(dialogs, TServerDatabaseForm::Purpose::Save, LastLogin(),
                             workspace_.database.DatabaseInfo.DatabaseName);
    workspace_.services.shell.RunDialog(form);
    if (!form.Accepted) {
        return false;
    }
    LastLogin() = form.Login();
    ServerDatabase& server = *form.Server;
    try {
        const bool replace = server.Exists();
        if (replace && !dialogs.AskYesNo("A database named " + Quoted(server.Name()) +
                                         " is already on the server.  Do you want to replace "
                                         "it ?")) {
            return false;
        }
        BusyWork busy(workspace_.services.shell, "Saving " + server.Name() + " ...");
        server.Create(workspace_.database, DatabaseFormatVersion, replace, busy.Reporter());
    } catch (const ServerDatabaseError& error) {
        dialogs.ShowError(error.what());
        return false;
    } catch (const ServerError& error) {
        dialogs.ShowError("The database could not be saved to the server: " +
                          ServerText(error.what()));
        return false;
    }
    workspace_.DatabaseFileName = server.Address();
    workspace_.DatabaseFileIdentity.reset();
    workspace_.Server = std::move(form.Server);
    workspace_.History.MarkSaved();
    workspace_.HistoryChanged();
    view_.RememberFile(workspace_.DatabaseFileName);
    view_.GetRecord(workspace_.CurrentIndex);
    view_.SetSaveButtonState(true);
    dialogs.ShowInformation("Saved to the server as " + Quoted(workspace_.Server->Name()));
    return true;
}

bool ServerCommands::SaveChanges(Workspace& workspace)
{
    Dialogs& dialogs = workspace.services.dialogs;
    ServerDatabase& server = *workspace.Server;
    int broughtUpToDate = 0;
    bool settingsReloaded = false;
    for (;;) {
        ServerSaveResult result;
        try {
            BusyWork busy(workspace.services.shell, "Saving " + server.Name() + " ...");
            result = server.Save(workspace.database);
        } catch (const ServerDatabaseError& error) {
            dialogs.ShowError(error.what());
            return false;
        } catch (const ServerError& error) {
            dialogs.ShowError(
                error.ConnectionLost
                    ? "The connection to the server was lost while saving: " +
                          ServerText(error.what()) +
                          "  Nothing was saved; your changes are still here to save again."
                    : "The server refused to save the database: " + ServerText(error.what()) +
                          "  Nothing was saved.");
            return false;
        }
        if (result.Conflicts.empty()) {
            broughtUpToDate += result.BroughtUpToDate;
            settingsReloaded = settingsReloaded || result.SettingsReloaded;
            break;
        }
        // Nothing was written: each record in question is settled, then the save starts over.
        for (const SaveConflict& conflict : result.Conflicts) {
            TServerConflictForm form(conflict);
            workspace.services.shell.RunDialog(form);
            switch (form.Chosen) {
            case TServerConflictForm::Choice::Cancel:
                ShowRecordsAgain(workspace, false);
                return false;
            case TServerConflictForm::Choice::KeepTheirs:
                try {
                    server.KeepTheirs(workspace.database, conflict);
                    settingsReloaded =
                        settingsReloaded || conflict.kind == SaveConflict::SettingsChangedByOther;
                } catch (const ServerError& error) {
                    const bool settings = conflict.kind == SaveConflict::SettingsChangedByOther;
                    dialogs.ShowError(
                        std::string(settings ? "The database's settings" : "The record") +
                        " could not be read from the server: " + ServerText(error.what()));
                    return false;
                }
                break;
            case TServerConflictForm::Choice::KeepMine:
                server.KeepMine(conflict);
                break;
            }
        }
    }
    workspace.History.MarkSaved();
    workspace.HistoryChanged();
    ShowRecordsAgain(workspace, settingsReloaded);
    if (broughtUpToDate > 0) {
        dialogs.ShowInformation(BroughtUpToDateMessage(broughtUpToDate));
    }
    return true;
}

}  // namespace quillmark
