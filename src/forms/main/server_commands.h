#pragma once

// File > Open From Server and File > Save To Server, and saving a database that came from a
// server: the record window's commands for databases kept on a PostgreSQL server.

#include "server/server_database.h"

#include <memory>
#include <string>

namespace quillmark {

class TView;
class Workspace;

class ServerCommands {
public:
    ServerCommands(TView& view, Workspace& workspace) : view_(view), workspace_(workspace) {}

    void OpenFromServer();
    bool SaveToServer();
    // A server's address from Recent Files, the command line or the last session.
    void OpenAddress(const std::string& address);

    // Save of a database from a server: the changes written, each conflict asked about. True
    // once saved.
    static bool SaveChanges(Workspace& workspace);

private:
    void Open(std::unique_ptr<ServerDatabase> server);

    TView& view_;
    Workspace& workspace_;
};

}  // namespace quillmark
