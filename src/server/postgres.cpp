#include "server/postgres.h"

#include "core/windows1252.h"

#include <libpq-fe.h>

#include <array>
#include <charconv>

namespace quillmark {

namespace {

bool ConnectionBad(pg_conn* connection)
{
    return PQstatus(connection) == CONNECTION_BAD;
}

std::string TrimmedMessage(const char* text)
{
    std::string message = text == nullptr ? std::string() : text;
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
        message.pop_back();
    }
    return message;
}

// Each byte of Windows-1252 as UTF-8, made once.
const std::array<std::string, 256>& Utf8OfByte()
{
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> made;
        for (int byte = 0; byte < 256; ++byte) {
            const char c = static_cast<char>(byte);
            made[static_cast<std::size_t>(byte)] = Windows1252ToUtf8(std::string_view(&c, 1));
        }
        return made;
    }();
    return table;
}

constexpr const char* ZeroByteMessage =
    "A text of the database holds a zero byte, which the server cannot keep.";

}  // namespace

// ---- results ----

QueryResult::QueryResult(pg_result* result) : result_(result) {}

QueryResult::~QueryResult()
{
    if (result_ != nullptr) {
        PQclear(result_);
    }
}

QueryResult::QueryResult(QueryResult&& other) noexcept : result_(other.result_)
{
    other.result_ = nullptr;
}

int QueryResult::Rows() const
{
    return PQntuples(result_);
}

bool QueryResult::IsNull(int row, int column) const
{
    return PQgetisnull(result_, row, column) != 0;
}

std::string_view QueryResult::Text(int row, int column) const
{
    return {PQgetvalue(result_, row, column),
            static_cast<std::size_t>(PQgetlength(result_, row, column))};
}

std::int64_t QueryResult::Integer(int row, int column) const
{
    const std::string_view text = Text(row, column);
    std::int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool QueryResult::Boolean(int row, int column) const
{
    return Text(row, column) == "t";
}

// ---- connections ----

ServerConnection::ServerConnection(pg_conn* connection, std::vector<std::string> keys,
                                   std::vector<std::string> values)
    : connection_(connection), keys_(std::move(keys)), values_(std::move(values))
{
}

ServerConnection::~ServerConnection()
{
    PQfinish(connection_);
}

std::unique_ptr<ServerConnection> ServerConnection::Connect(const std::string& uri,
                                                            const ServerPasswordPrompt& askPassword)
{
    // The address first, so that what follows it wins: the server's texts come as UTF-8.
    std::vector<std::string> keys = {"dbname", "client_encoding", "fallback_application_name"};
    std::vector<std::string> values = {uri, "UTF8", "quillmark"};
    for (;;) {
        std::vector<const char*> keyPointers;
        std::vector<const char*> valuePointers;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            keyPointers.push_back(keys[i].c_str());
            valuePointers.push_back(values[i].c_str());
        }
        keyPointers.push_back(nullptr);
        valuePointers.push_back(nullptr);
        pg_conn* connection = PQconnectdbParams(keyPointers.data(), valuePointers.data(), 1);
        if (connection == nullptr) {
            throw ServerError("Out of memory while connecting to the server.", "", true);
        }
        if (!ConnectionBad(connection)) {
            // The server's notices ("table does not exist, skipping") are nothing to show.
            PQsetNoticeProcessor(
                connection, [](void*, const char*) {}, nullptr);
            return std::unique_ptr<ServerConnection>(
                new ServerConnection(connection, std::move(keys), std::move(values)));
        }
        const bool wantsPassword = PQconnectionNeedsPassword(connection) != 0;
        std::string message = TrimmedMessage(PQerrorMessage(connection));
        PQfinish(connection);
        const bool asked = keys.back() == "password";
        if (wantsPassword && askPassword && !asked) {
            std::optional<std::string> password = askPassword();
            if (password) {
                keys.push_back("password");
                values.push_back(std::move(*password));
                continue;
            }
        }
        throw ServerError(message, "", true);
    }
}

void ServerConnection::Fail(pg_result* result)
{
    std::string state;
    std::string message;
    if (result != nullptr) {
        if (const char* code = PQresultErrorField(result, PG_DIAG_SQLSTATE)) {
            state = code;
        }
        message = TrimmedMessage(PQresultErrorMessage(result));
        PQclear(result);
    }
    if (message.empty()) {
        message = TrimmedMessage(PQerrorMessage(connection_));
    }
    // "FATAL:  terminating connection ..." followed by libpq's own line: the first says why.
    if (const std::size_t line = message.find('\n'); line != std::string::npos) {
        message.resize(line);
    }
    const bool lost = ConnectionBad(connection_) || state.starts_with("08") || state == "57P01";
    throw ServerError(message, state, lost);
}

QueryResult ServerConnection::Run(const std::string& sql,
                                  const std::vector<std::optional<std::string>>& parameters)
{
    std::vector<const char*> values;
    values.reserve(parameters.size());
    for (const std::optional<std::string>& parameter : parameters) {
        values.push_back(parameter ? parameter->c_str() : nullptr);
    }
    // Without parameters several statements may go at once.
    pg_result* result =
        values.empty() ? PQexec(connection_, sql.c_str())
                       : PQexecParams(connection_, sql.c_str(), static_cast<int>(values.size()),
                                      nullptr, values.data(), nullptr, nullptr, 0);
    const ExecStatusType status = result == nullptr ? PGRES_FATAL_ERROR : PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        Fail(result);
    }
    return QueryResult(result);
}

void ServerConnection::CopyIn(const std::string& copyStatement, std::string_view rows)
{
    pg_result* started = PQexec(connection_, copyStatement.c_str());
    if (started == nullptr || PQresultStatus(started) != PGRES_COPY_IN) {
        Fail(started);
    }
    PQclear(started);
    constexpr std::size_t Chunk = 1 << 20;
    bool sent = true;
    for (std::size_t at = 0; at < rows.size() && sent; at += Chunk) {
        const std::size_t size = std::min(Chunk, rows.size() - at);
        sent = PQputCopyData(connection_, rows.data() + at, static_cast<int>(size)) == 1;
    }
    PQputCopyEnd(connection_, sent ? nullptr : "the rows could not be sent");
    pg_result* failed = nullptr;
    while (pg_result* result = PQgetResult(connection_)) {
        if (PQresultStatus(result) != PGRES_COMMAND_OK && failed == nullptr) {
            failed = result;
        } else {
            PQclear(result);
        }
    }
    if (failed != nullptr || !sent) {
        Fail(failed);
    }
}

bool ServerConnection::Broken() const
{
    return ConnectionBad(connection_);
}

void ServerConnection::Reconnect()
{
    PQreset(connection_);
    if (ConnectionBad(connection_)) {
        throw ServerError(TrimmedMessage(PQerrorMessage(connection_)), "", true);
    }
}

int ServerConnection::BackendProcess() const
{
    return PQbackendPID(connection_);
}

std::string ServerConnection::UserName() const
{
    const char* user = PQuser(connection_);
    return user == nullptr ? std::string() : user;
}

// ---- transactions ----

ServerTransaction::ServerTransaction(ServerConnection& connection) : connection_(connection)
{
    connection_.Run("BEGIN");
}

ServerTransaction::~ServerTransaction()
{
    if (open_ && !connection_.Broken()) {
        try {
            connection_.Run("ROLLBACK");
        } catch (const ServerError&) {
            // The server drops the transaction with the connection anyway.
        }
    }
}

void ServerTransaction::Commit()
{
    open_ = false;
    connection_.Run("COMMIT");
}

// ---- values ----

void AppendCopyText(std::string& out, std::string_view windows1252)
{
    const std::array<std::string, 256>& utf8 = Utf8OfByte();
    for (const char c : windows1252) {
        switch (c) {
        case '\0':
            throw ServerError(ZeroByteMessage, "", false);
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x80) {
                out += c;
            } else {
                out += utf8[static_cast<unsigned char>(c)];
            }
        }
    }
}

std::string TextArrayLiteral(const std::vector<std::string_view>& windows1252Texts)
{
    std::string literal = "{";
    for (std::string_view text : windows1252Texts) {
        if (literal.size() > 1) {
            literal += ',';
        }
        literal += '"';
        for (const char c : ToServerText(text)) {
            if (c == '"' || c == '\\') {
                literal += '\\';
            }
            literal += c;
        }
        literal += '"';
    }
    return literal + "}";
}

std::vector<std::string> ReadTextArray(std::string_view literal)
{
    std::vector<std::string> texts;
    std::size_t at = literal.find('{');
    if (at == std::string_view::npos || literal.substr(at) == "{}") {
        return texts;
    }
    ++at;
    while (at < literal.size()) {
        std::string element;
        if (literal[at] == '"') {
            for (++at; at < literal.size() && literal[at] != '"'; ++at) {
                if (literal[at] == '\\' && at + 1 < literal.size()) {
                    ++at;
                }
                element += literal[at];
            }
            ++at;  // the closing quote
        } else {
            const std::size_t end = literal.find_first_of(",}", at);
            element = literal.substr(at, end - at);
            if (element == "NULL") {
                element.clear();
            }
            at = end == std::string_view::npos ? literal.size() : end;
        }
        texts.push_back(FromServerText(element));
        if (at >= literal.size() || literal[at] == '}') {
            break;
        }
        ++at;  // the comma
    }
    return texts;
}

std::string ByteaLiteral(std::string_view bytes)
{
    static constexpr char Digits[] = "0123456789abcdef";
    std::string literal = "\\x";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        literal += Digits[byte >> 4];
        literal += Digits[byte & 15];
    }
    return literal;
}

std::string ReadBytea(std::string_view literal)
{
    std::string bytes;
    if (!literal.starts_with("\\x")) {
        return bytes;
    }
    auto digit = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
    for (std::size_t at = 2; at + 1 < literal.size(); at += 2) {
        bytes += static_cast<char>(digit(literal[at]) * 16 + digit(literal[at + 1]));
    }
    return bytes;
}

std::string ToServerText(std::string_view windows1252)
{
    if (windows1252.find('\0') != std::string_view::npos) {
        throw ServerError(ZeroByteMessage, "", false);
    }
    return Windows1252ToUtf8(windows1252);
}

std::string FromServerText(std::string_view utf8)
{
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return Utf8ToWindows1252Lossy(utf8);
        }
    }
    return std::string(utf8);
}

}  // namespace quillmark
