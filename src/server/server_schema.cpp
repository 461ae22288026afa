#include "server/server_schema.h"

#include "core/file_messages.h"
#include "server/postgres.h"
#include "server/record_rows.h"

namespace quillmark {

namespace {

// Taken for the transaction that makes or upgrades the tables, so that two programs doing it
// at once do it one after the other.
constexpr const char* SchemaLock = "SELECT pg_advisory_xact_lock(5281001)";

std::string RecordTable()
{
    std::string sql =
        "CREATE TABLE record (\n"
        "  id bigserial PRIMARY KEY,\n"
        "  database_id integer NOT NULL REFERENCES quillmark_database ON DELETE CASCADE,\n"
        "  position integer NOT NULL,\n"
        "  revision bigint NOT NULL DEFAULT 1";
    for (const RecordColumn& column : RecordValueColumns()) {
        sql += ",\n  " + column.name + " " + column.type;
    }
    return sql + "\n)";
}

// Version 2 as a whole, for a server that has no tables yet.
std::vector<std::string> CurrentTables()
{
    const std::string child = "record_id bigint NOT NULL REFERENCES record ON DELETE CASCADE, ";
    return {
        "CREATE TABLE quillmark_schema (version integer NOT NULL)",
        "INSERT INTO quillmark_schema VALUES (" + std::to_string(ServerSchemaVersion) + ")",
        "CREATE TABLE quillmark_database (\n"
        "  id serial PRIMARY KEY,\n"
        "  name text NOT NULL UNIQUE,\n"
        "  revision bigint NOT NULL DEFAULT 1,\n"
        "  file_version text NOT NULL,\n"
        "  encrypted boolean NOT NULL DEFAULT false,\n"
        "  read_password bytea NOT NULL,\n"
        "  save_password bytea NOT NULL,\n"
        "  database_name text NOT NULL, database_owner text NOT NULL,\n"
        "  owner_street text NOT NULL, owner_city text NOT NULL, owner_country text NOT NULL,\n"
        "  owner_zip_code text NOT NULL, owner_home_phone text NOT NULL,\n"
        "  owner_work_phone text NOT NULL, owner_email_address text NOT NULL,\n"
        "  owner_web_page text NOT NULL,\n"
        "  database_notes text[] NOT NULL,\n"
        "  description_captions text[] NOT NULL, detail_captions text[] NOT NULL,\n"
        "  other_captions text[] NOT NULL, skill_names text[] NOT NULL,\n"
        "  description_trees text[] NOT NULL\n"
        ")",
        RecordTable(),
        "CREATE INDEX record_of_database ON record (database_id, position)",
        "CREATE TABLE record_line (" + child +
            "list text NOT NULL, number integer NOT NULL, text text NOT NULL, "
            "PRIMARY KEY (record_id, list, number))",
        "CREATE TABLE skill (" + child +
            "skill integer NOT NULL, has_skill boolean NOT NULL, proficiency text NOT NULL, "
            "notes text NOT NULL, PRIMARY KEY (record_id, skill))",
        "CREATE TABLE schedule_slot (" + child +
            "day integer NOT NULL, slot integer NOT NULL, starts double precision NOT NULL, "
            "ends double precision NOT NULL, start_bits bigint, end_bits bigint, "
            "PRIMARY KEY (record_id, day, slot))",
        "CREATE TABLE experience (" + child +
            "line integer NOT NULL, table_column integer NOT NULL, table_row integer NOT NULL, "
            "text text NOT NULL, PRIMARY KEY (record_id, line))",
        "CREATE TABLE picture (" + child +
            "slot integer NOT NULL, file text NOT NULL, title text NOT NULL, "
            "flag boolean NOT NULL, PRIMARY KEY (record_id, slot))",
    };
}

// What turns the tables of each version into those of the next: [0] from 1 to 2. Version 1
// kept neither whether a database is encrypted nor the exact bits of a schedule time that is
// not a number.
const std::vector<std::vector<std::string>> Upgrades = {
    {
        "ALTER TABLE quillmark_database ADD COLUMN encrypted boolean NOT NULL DEFAULT false",
        "ALTER TABLE schedule_slot ADD COLUMN start_bits bigint, ADD COLUMN end_bits bigint",
    },
};

}  // namespace

std::string NoRightsMessage(ServerConnection& connection)
{
    return "The login \"" + TextInMessage(FromServerText(connection.UserName())) +
           "\" has no rights to the Quillmark databases on this server.";
}

int InstalledSchemaVersion(ServerConnection& connection)
{
    const QueryResult found = connection.Run(
        "SELECT to_regclass('quillmark_schema') IS NOT NULL, "
        "       to_regclass('quillmark_schema') IS NULL OR "
        "       has_table_privilege('quillmark_schema', 'SELECT')");
    if (!found.Boolean(0, 0)) {
        return 0;
    }
    if (!found.Boolean(0, 1)) {
        throw ServerDatabaseError(NoRightsMessage(connection));
    }
    const QueryResult version = connection.Run("SELECT max(version) FROM quillmark_schema");
    return version.IsNull(0, 0) ? 0 : static_cast<int>(version.Integer(0, 0));
}

void PrepareSchema(ServerConnection& connection)
{
    ServerTransaction transaction(connection);
    connection.Run(SchemaLock);
    const int version = InstalledSchemaVersion(connection);
    if (version > ServerSchemaVersion) {
        throw ServerDatabaseError(
            "The Quillmark databases on this server were made by a newer version of Quillmark.");
    }
    if (version == ServerSchemaVersion) {
        return;
    }
    if (version == 0) {
        for (const std::string& statement : CurrentTables()) {
            connection.Run(statement);
        }
    } else {
        for (int from = version; from < ServerSchemaVersion; ++from) {
            for (const std::string& statement : Upgrades[static_cast<std::size_t>(from - 1)]) {
                connection.Run(statement);
            }
        }
        connection.Run("UPDATE quillmark_schema SET version = " +
                       std::to_string(ServerSchemaVersion));
    }
    transaction.Commit();
}

void ExpectSchema(ServerConnection& connection)
{
    const int version = InstalledSchemaVersion(connection);
    if (version == 0) {
        throw ServerDatabaseError("There are no Quillmark databases on this server.");
    }
    if (version == ServerSchemaVersion) {
        return;
    }
    try {
        PrepareSchema(connection);
    } catch (const ServerError& error) {
        if (!error.NoPrivilege() && !error.ConnectionLost) {
            throw;
        }
        throw ServerDatabaseError(
            "The Quillmark databases on this server are kept in an older layout.  Someone "
            "allowed to change their tables must open one with this version of Quillmark "
            "first.");
    }
}

ServerAccess LoginAccess(ServerConnection& connection)
{
    const QueryResult rights = connection.Run(
        "SELECT has_table_privilege('quillmark_database', 'SELECT') AND "
        "       has_table_privilege('record', 'SELECT'),"
        "       has_table_privilege('record', 'INSERT, UPDATE, DELETE') AND "
        "       has_table_privilege('record_line', 'INSERT, DELETE') AND "
        "       has_table_privilege('quillmark_database', 'UPDATE')");
    if (!rights.Boolean(0, 0)) {
        return ServerAccess::None;
    }
    return rights.Boolean(0, 1) ? ServerAccess::ReadWrite : ServerAccess::ReadOnly;
}

}  // namespace quillmark
