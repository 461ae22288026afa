#include "server/server_address.h"

#include <vector>

namespace quillmark {

namespace {

std::string PercentEncoded(std::string_view text)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
            (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' || c == '~') {
            encoded += c;
        } else {
            encoded += '%';
            encoded += Digits[byte >> 4];
            encoded += Digits[byte & 15];
        }
    }
    return encoded;
}

std::string PercentDecoded(std::string_view text)
{
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        c = static_cast<char>(c | 0x20);
        return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    std::string decoded;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '%' && at + 2 < text.size() && digit(text[at + 1]) >= 0 &&
            digit(text[at + 2]) >= 0) {
            decoded += static_cast<char>(digit(text[at + 1]) * 16 + digit(text[at + 2]));
            at += 2;
        } else {
            decoded += text[at];
        }
    }
    return decoded;
}

// The address cut into what comes before the query and the query's parameters.
struct SplitAddress {
    std::string_view base;
    std::vector<std::string_view> parameters;
};

SplitAddress Split(std::string_view url)
{
    SplitAddress split;
    const std::size_t query = url.find('?');
    split.base = url.substr(0, query);
    if (query == std::string_view::npos) {
        return split;
    }
    std::string_view rest = url.substr(query + 1);
    while (!rest.empty()) {
        const std::size_t end = rest.find('&');
        if (end != 0) {
            split.parameters.push_back(rest.substr(0, end));
        }
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return split;
}

std::string_view Key(std::string_view parameter)
{
    return parameter.substr(0, parameter.find('='));
}

std::string Joined(std::string_view base, const std::vector<std::string_view>& parameters)
{
    std::string url(base);
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        url += i == 0 ? '?' : '&';
        url += parameters[i];
    }
    return url;
}

}  // namespace

bool IsServerAddress(std::string_view text)
{
    return text.starts_with("postgresql://") || text.starts_with("postgres://");
}

std::optional<ServerAddress> ParseServerAddress(std::string_view url)
{
    if (!IsServerAddress(url)) {
        return std::nullopt;
    }
    SplitAddress split = Split(url);
    ServerAddress address;
    std::vector<std::string_view> kept;
    for (std::string_view parameter : split.parameters) {
        if (Key(parameter) == DatabaseParameter) {
            const std::size_t equals = parameter.find('=');
            address.DatabaseName = equals == std::string_view::npos
                                       ? ""
                                       : PercentDecoded(parameter.substr(equals + 1));
        } else {
            kept.push_back(parameter);
        }
    }
    address.ConnectionUri = Joined(split.base, kept);
    return address;
}

std::string AddressWithoutPassword(std::string_view url)
{
    SplitAddress split = Split(url);
    std::string base(split.base);
    const std::size_t scheme = base.find("://");
    if (scheme != std::string::npos) {
        const std::size_t authority = scheme + 3;
        const std::size_t path = base.find('/', authority);
        const std::size_t at = base.rfind('@', path == std::string::npos ? base.npos : path);
        if (at != std::string::npos && at >= authority) {
            const std::size_t colon = base.find(':', authority);
            if (colon != std::string::npos && colon < at) {
                base.erase(colon, at - colon);
            }
        }
    }
    std::vector<std::string_view> kept;
    for (std::string_view parameter : split.parameters) {
        if (Key(parameter) != "password") {
            kept.push_back(parameter);
        }
    }
    return Joined(base, kept);
}

std::string ConnectionUri(const ServerLogin& login)
{
    std::string uri = "postgresql://";
    if (!login.User.empty()) {
        uri += PercentEncoded(login.User) + "@";
    }
    // A host that is a folder is a Unix socket, which goes into the host parameter instead.
    const bool socketFolder = login.Host.starts_with("/");
    if (!socketFolder) {
        uri += login.Host.find(':') != std::string::npos ? "[" + login.Host + "]"
                                                         : PercentEncoded(login.Host);
        if (!login.Port.empty()) {
            uri += ":" + PercentEncoded(login.Port);
        }
    }
    uri += "/" + PercentEncoded(login.Database);
    std::vector<std::string> parameters;
    if (socketFolder) {
        parameters.push_back("host=" + PercentEncoded(login.Host));
        if (!login.Port.empty()) {
            parameters.push_back("port=" + PercentEncoded(login.Port));
        }
    }
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        uri += (i == 0 ? "?" : "&") + parameters[i];
    }
    return uri;
}

std::string AddressOfDatabase(std::string_view connectionUri, std::string_view databaseName)
{
    const std::string parameter =
        std::string(DatabaseParameter) + "=" + PercentEncoded(databaseName);
    std::string url(connectionUri);
    url += url.find('?') == std::string::npos ? '?' : '&';
    return url + parameter;
}

}  // namespace quillmark
