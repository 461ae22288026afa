#pragma once

// The tables Quillmark keeps its databases in on a server (docs/SERVER_DATABASES.md), made on
// the first save to a server and upgraded when a newer Quillmark finds them older.

#include <stdexcept>
#include <string>

namespace quillmark {

class ServerConnection;

// The version of the tables this program makes and reads.
inline constexpr int ServerSchemaVersion = 2;

// What keeps a database on a server from being used, in the user's words.
class ServerDatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "The login "ann" has no rights to the Quillmark databases on this server."
std::string NoRightsMessage(ServerConnection& connection);

// The version of the tables on the server; 0 when there are none. Throws ServerDatabaseError
// when the login may not read them.
int InstalledSchemaVersion(ServerConnection& connection);

// Makes the tables when there are none and upgrades older ones, one version at a time, in one
// transaction. Throws ServerDatabaseError for tables of a newer program, ServerError when the
// login may not make or change them.
void PrepareSchema(ServerConnection& connection);

// Checks that the tables are there and of this version, upgrading older ones when the login
// may; throws ServerDatabaseError in the user's words when the databases cannot be read.
void ExpectSchema(ServerConnection& connection);

enum class ServerAccess { None, ReadOnly, ReadWrite };

// What the login may do with the tables: read them, and change records and databases.
ServerAccess LoginAccess(ServerConnection& connection);

}  // namespace quillmark
