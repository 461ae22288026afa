#include "commands.h"

#include "database_access.h"

#include "core/file_messages.h"
#include "server/server_database.h"

#include <iostream>
#include <termios.h>
#include <unistd.h>

namespace quillmark {

namespace {

constexpr OptionSpec ReplaceOption{"--replace"};

// The server's password when libpq found none: asked on the terminal, without echo, as the
// server's own tools do. Nobody to ask when the tool does not run at a terminal.
std::optional<std::string> AskServerPassword()
{
    if (::isatty(STDIN_FILENO) == 0) {
        return std::nullopt;
    }
    std::cerr << "Password for the server: " << std::flush;
    termios before{};
    ::tcgetattr(STDIN_FILENO, &before);
    termios silent = before;
    silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    std::string password;
    std::getline(std::cin, password);
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &before);
    std::cerr << '\n';
    return password;
}

std::unique_ptr<ServerDatabase> ConnectTo(const std::string& address)
{
    std::unique_ptr<ServerDatabase> server;
    try {
        server = ServerDatabase::Connect(address, AskServerPassword);
    } catch (const ServerDatabaseError& error) {
        UsageError(error.what());
    } catch (const ServerError& error) {
        Fail("Cannot connect to the server: " + TextInMessage(error.what()));
    }
    if (server->Name().empty()) {
        UsageError(FileNameInMessage(address) + " names no database: add ?quillmark=NAME");
    }
    return server;
}

// The server's failures end the command in one line, as the file's do.
template <typename Work>
void OnServer(Work work)
{
    try {
        work();
    } catch (const ServerDatabaseError& error) {
        Fail(error.what());
    } catch (const ServerError& error) {
        Fail("The server refused: " + TextInMessage(error.what()));
    }
}

int Push(const Arguments& arguments)
{
    ExpectPositional(arguments, 2);
    Database& database = DatabaseOfTheCommand();
    const DatabaseReadResult read = LoadDatabase(arguments.positional[0], arguments, database);
    const std::unique_ptr<ServerDatabase> server = ConnectTo(arguments.positional[1]);
    OnServer([&] { server->Create(database, read.Version, arguments.Flag(ReplaceOption.name)); });
    return 0;
}

int Pull(const Arguments& arguments)
{
    ExpectPositional(arguments, 2);
    const std::unique_ptr<ServerDatabase> server = ConnectTo(arguments.positional[0]);
    Database& database = DatabaseOfTheCommand();
    const std::optional<std::string> readPassword = arguments.Option(ReadPasswordOption.name);
    OnServer([&] {
        const ServerOpenResult opened =
            server->Open(database, [&](PasswordKind kind) -> std::optional<std::string> {
                if (kind != PasswordKind::Read || !readPassword) {
                    return std::nullopt;
                }
                return CommandLineText(*readPassword, "The password");
            });
        if (opened.Outcome == ServerOpenOutcome::WrongReadPassword) {
            Fail("You have entered an incorrect password.");
        }
    });
    DatabaseWriteOptions options;
    options.Version = server->FileVersion();
    SaveDatabase(arguments.positional[1], database, arguments, options);
    return 0;
}

}  // namespace

const Command PushCommand{.name = "push",
                          .arguments = "DB.dat URL",
                          .options = {ReadPasswordOption, ReplaceOption},
                          .help =
                              "store the database on a PostgreSQL server as URL names it\n"
                              "(postgresql://HOST/DATABASE?quillmark=NAME); --replace\n"
                              "replaces a database of that name",
                          .run = Push};
const Command PullCommand{.name = "pull",
                          .arguments = "URL OUT.dat",
                          .options = {ReadPasswordOption},
                          .replacesDatabase = true,
                          .help = "write the database a server keeps at URL to OUT.dat",
                          .run = Pull};

}  // namespace quillmark
