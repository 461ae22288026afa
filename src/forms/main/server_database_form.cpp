#include "forms/main/server_database_form.h"

#include "core/file_messages.h"
#include "core/windows1252.h"
#include "forms/services.h"

#include <algorithm>

namespace quillmark {

TServerDatabaseForm::TServerDatabaseForm(Dialogs& dialogs, Purpose purpose,
                                         const ServerLogin& login, const std::string& name)
    : dialogs_(dialogs), purpose_(purpose)
{
    const bool opening = purpose == Purpose::Open;
    Caption = opening ? "Open From Server" : "Save To Server";
    OKBtn = {opening ? "Open" : "Save", ""};
    // The boxes hold record text; the login is spelt as the system spells it.
    Host.text = Utf8ToWindows1252Lossy(login.Host);
    Host.hint = "The server's name or address, or the folder of its socket";
    Port.text = Utf8ToWindows1252Lossy(login.Port);
    ServerDatabase.text = Utf8ToWindows1252Lossy(login.Database);
    ServerDatabase.hint = "The database on the server that keeps the Quillmark databases";
    User.text = Utf8ToWindows1252Lossy(login.User);
    User.hint = "Your login on the server; empty for your name on this computer";
    DatabaseName.text = name;
    DatabaseName.editable = true;
}

ServerLogin TServerDatabaseForm::Login() const
{
    return {Windows1252ToUtf8(Host.text), Windows1252ToUtf8(Port.text),
            Windows1252ToUtf8(ServerDatabase.text), Windows1252ToUtf8(User.text)};
}

bool TServerDatabaseForm::Connect()
{
    const std::string uri = ConnectionUri(Login());
    if (Server && connectedTo_ == uri && !Server->Connection().Broken()) {
        return true;
    }
    Server.reset();
    try {
        Server = quillmark::ServerDatabase::Connect(uri, AskServerPassword(dialogs_));
    } catch (const ServerError& error) {
        dialogs_.ShowError(CannotConnectMessage(error));
        return false;
    }
    connectedTo_ = uri;
    return true;
}

void TServerDatabaseForm::ListBtnClick()
{
    if (!Connect()) {
        return;
    }
    try {
        DatabaseName.items = Server->ListDatabases();
    } catch (const ServerDatabaseError& error) {
        DatabaseName.items.clear();
        // A server with no Quillmark tables yet is where a first save makes them.
        if (purpose_ == Purpose::Open || Server->Connection().Broken() ||
            InstalledSchemaVersion(Server->Connection()) != 0) {
            dialogs_.ShowError(error.what());
        }
        return;
    } catch (const ServerError& error) {
        dialogs_.ShowError(CannotConnectMessage(error));
        return;
    }
    if (purpose_ == Purpose::Open && !DatabaseName.items.empty() &&
        std::find(DatabaseName.items.begin(), DatabaseName.items.end(), DatabaseName.text) ==
            DatabaseName.items.end()) {
        DatabaseName.text = DatabaseName.items.front();
    }
}

void TServerDatabaseForm::OKBtnClick()
{
    if (DatabaseName.text.empty()) {
        dialogs_.ShowError("Please enter the name of the Quillmark database.");
        return;
    }
    if (!Connect()) {
        return;
    }
    Server->SetName(DatabaseName.text);
    Accepted = true;
    Closed = true;
}

ServerPasswordPrompt AskServerPassword(Dialogs& dialogs)
{
    return [&dialogs]() -> std::optional<std::string> {
        const std::optional<std::string> typed =
            dialogs.PasswordBox("Enter Server Password", "Please Enter Server Password");
        if (!typed) {
            return std::nullopt;
        }
        return Windows1252ToUtf8(*typed);
    };
}

std::string CannotConnectMessage(const ServerError& error)
{
    return "Quillmark could not connect to the server: " +
           TextInMessage(Utf8ToWindows1252Lossy(error.what()));
}

}  // namespace quillmark
