#pragma once

// The tables Quillmark keeps its databases in on a server (docs/SERVER_DATABASES.md), made on
// the first save to a server and upgraded when a newer Quillmark finds them older.

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>

namespace quillmark {

class ServerConnection;

// The version of the tables this program makes and reads.
inline constexpr int ServerSchemaVersion = 3;

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

// Runs `load`, which adds the rows of that many records to the record tables, within the
// caller's transaction. When the login owns the tables and the server holds no more records
// than that, the references from the rows of the lists, skills and so on to their records are
// checked once at the end rather than row by row, which is many times faster; the record
// tables are then closed to others until the transaction ends.
void LoadRecordRows(ServerConnection& connection, std::size_t records,
                    const std::function<void()>& load);

enum class ServerAccess { None, ReadOnly, ReadWrite };

// What the login may do with the tables: read them, and change records and databases.
ServerAccess LoginAccess(ServerConnection& connection);

}  // namespace quillmark
