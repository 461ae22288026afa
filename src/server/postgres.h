#pragma once

// A thin layer over libpq: a connection, its results, transactions and COPY, with failures as
// exceptions that say whether the connection itself was lost.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct pg_conn;
struct pg_result;

namespace quillmark {

// What the server (or the way to it) refused, in its own words.
class ServerError : public std::runtime_error {
public:
    ServerError(const std::string& message, std::string sqlState, bool connectionLost)
        : std::runtime_error(message), SqlState(std::move(sqlState)), ConnectionLost(connectionLost)
    {
    }
    std::string SqlState;  // "42501" for a missing privilege, empty when the server said none
    bool ConnectionLost;   // the connection broke: nothing of the transaction was kept

    bool NoPrivilege() const { return SqlState == "42501"; }
};

// The result of one statement: rows of text values.
class QueryResult {
public:
    explicit QueryResult(pg_result* result);
    ~QueryResult();
    QueryResult(QueryResult&& other) noexcept;
    QueryResult& operator=(QueryResult&&) = delete;
    QueryResult(const QueryResult&) = delete;

    int Rows() const;
    bool IsNull(int row, int column) const;
    // The value's text; empty for NULL.
    std::string_view Text(int row, int column) const;
    std::int64_t Integer(int row, int column) const;
    bool Boolean(int row, int column) const;

private:
    pg_result* result_;
};

// Asked for the password when the server wants one that neither the address, ~/.pgpass nor a
// service file gave; nothing when the user cancels.
using ServerPasswordPrompt = std::function<std::optional<std::string>()>;

class ServerConnection {
public:
    // Connects to a libpq connection URI (or keyword=value string). Throws ServerError.
    static std::unique_ptr<ServerConnection> Connect(const std::string& uri,
                                                     const ServerPasswordPrompt& askPassword = {});
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    // Runs a statement with text parameters (nullopt for NULL), or, without parameters, any
    // number of statements. Throws ServerError.
    QueryResult Run(const std::string& sql,
                    const std::vector<std::optional<std::string>>& parameters = {});
    // Sends COPY ... FROM STDIN with the rows in COPY's text layout.
    void CopyIn(const std::string& copyStatement, std::string_view rows);

    // The connection broke since it was made.
    bool Broken() const;
    // Connects again with what was given the first time (the password included).
    void Reconnect();
    // The backend's process, for a test that ends it from another connection.
    int BackendProcess() const;
    std::string UserName() const;

private:
    explicit ServerConnection(pg_conn* connection, std::vector<std::string> keys,
                              std::vector<std::string> values);
    [[noreturn]] void Fail(pg_result* result);

    pg_conn* connection_;
    std::vector<std::string> keys_;
    std::vector<std::string> values_;
};

// A transaction ended by Commit, or rolled back however the scope is left.
class ServerTransaction {
public:
    explicit ServerTransaction(ServerConnection& connection);
    ~ServerTransaction();
    ServerTransaction(const ServerTransaction&) = delete;
    ServerTransaction& operator=(const ServerTransaction&) = delete;
    void Commit();

private:
    ServerConnection& connection_;
    bool open_ = true;
};

// Appends a Windows-1252 text to COPY's text layout as UTF-8 with its escapes. Throws
// ServerError for a zero byte, which no server text can hold.
void AppendCopyText(std::string& out, std::string_view windows1252);
inline void AppendCopyNull(std::string& out)
{
    out += "\\N";
}

// A one-dimensional text array as PostgreSQL writes and reads it, in UTF-8: {a,"b c"}.
std::string TextArrayLiteral(const std::vector<std::string_view>& windows1252Texts);
// The array's texts, back in Windows-1252; NULL elements read as empty texts.
std::vector<std::string> ReadTextArray(std::string_view literal);

// bytea in its hexadecimal form, both ways.
std::string ByteaLiteral(std::string_view bytes);
std::string ReadBytea(std::string_view literal);

// A Windows-1252 text as the server keeps it, in UTF-8. Throws ServerError for a zero byte.
std::string ToServerText(std::string_view windows1252);

// A text from the server (UTF-8) as record text; what Windows-1252 cannot write becomes "?".
std::string FromServerText(std::string_view utf8);

}  // namespace quillmark
