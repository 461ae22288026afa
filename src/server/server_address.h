#pragma once

// Where a database on a server is: a libpq connection URI with one parameter of ours,
// postgresql://host/company?quillmark=Staff, naming the Quillmark database kept there.

#include <optional>
#include <string>
#include <string_view>

namespace quillmark {

// The parameter that names the Quillmark database; libpq would refuse it, so it is taken out.
inline constexpr std::string_view DatabaseParameter = "quillmark";

// The text is a server address rather than a file's path.
bool IsServerAddress(std::string_view text);

struct ServerAddress {
    std::string ConnectionUri;  // the address without our parameter, for libpq
    std::string DatabaseName;   // UTF-8, as the server keeps it; empty when not given
};

// Nothing when the text is no server address.
std::optional<ServerAddress> ParseServerAddress(std::string_view url);

// The address as it may be kept and shown: without a password, in the user part or as a
// parameter.
std::string AddressWithoutPassword(std::string_view url);

// What the Open From Server dialog asks for.
struct ServerLogin {
    std::string Host;
    std::string Port;
    std::string Database;
    std::string User;
};
std::string ConnectionUri(const ServerLogin& login);
// The connection's address with the Quillmark database's name added.
std::string AddressOfDatabase(std::string_view connectionUri, std::string_view databaseName);

}  // namespace quillmark
