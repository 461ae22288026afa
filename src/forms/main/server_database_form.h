#pragma once

#include "forms/controls.h"
#include "server/server_address.h"
#include "server/server_database.h"

#include <memory>
#include <string>

namespace quillmark {

class Dialogs;

// The dialog of File > Open From Server and File > Save To Server: which server, which login,
// and the Quillmark database there, picked from those the server lists or, to save, named anew.
class TServerDatabaseForm {
public:
    enum class Purpose { Open, Save };
    TServerDatabaseForm(Dialogs& dialogs, Purpose purpose, const ServerLogin& login,
                        const std::string& name);

    std::string Caption;
    LabelControl HostLabel{"Host"};
    EditControl Host;
    LabelControl PortLabel{"Port"};
    EditControl Port;
    LabelControl ServerDatabaseLabel{"Database"};
    EditControl ServerDatabase;
    LabelControl UserLabel{"User"};
    EditControl User;
    LabelControl DatabaseNameLabel{"Quillmark Database"};
    ChoiceControl DatabaseName;
    ButtonControl ListBtn{"List Databases",
                          "Connect to the server and list the Quillmark databases kept there"};
    ButtonControl OKBtn;
    ButtonControl CancelBtn{"Cancel", ""};

    void ListBtnClick();
    void OKBtnClick();
    void CancelBtnClick() { Closed = true; }

    bool Closed = false;
    bool Accepted = false;
    // Once accepted: connected, and told the database's name.
    std::unique_ptr<quillmark::ServerDatabase> Server;

    ServerLogin Login() const;

private:
    // Connects with the login as the boxes give it, unless already connected so; false (the
    // user told why) when the server cannot be reached.
    bool Connect();

    Dialogs& dialogs_;
    Purpose purpose_;
    std::string connectedTo_;
};

// "Enter Server Password": asked when the server wants a password that libpq found nowhere.
ServerPasswordPrompt AskServerPassword(Dialogs& dialogs);

// "Quillmark could not connect to the server: ..."
std::string CannotConnectMessage(const ServerError& error);

}  // namespace quillmark
