#include "commands.h"

#include "database_access.h"

#include "core/password_cipher.h"

namespace quillmark {

namespace {

constexpr OptionSpec PasswordOption{"--password", "P", true};

// The database at IN, opened with --password as its read password.
Database LoadWithPassword(const Arguments& arguments, std::string& password)
{
    ExpectPositional(arguments, 2);
    const std::optional<std::string> given = arguments.Option(PasswordOption.name);
    if (!given || given->empty()) {
        UsageError("--password P is needed");
    }
    password = CommandLineText(*given, "The password");
    Arguments opening = arguments;
    opening.options.emplace_back("--read-password", *given);
    Database database;
    LoadDatabase(arguments.positional[0], opening, database);
    return database;
}

// The read password becomes the key: a file encrypted with P opens with P.
int Encrypt(const Arguments& arguments)
{
    std::string password;
    Database database = LoadWithPassword(arguments, password);
    std::string enciphered = EncipherPassword(password);
    database.ReadPassword = enciphered;
    WipeText(enciphered);
    WipeText(password);
    database.Encrypted = true;
    SaveDatabase(arguments.positional[1], database, arguments);
    return 0;
}

// The plain file keeps the read password, as a classic database does.
int Decrypt(const Arguments& arguments)
{
    std::string password;
    Database database = LoadWithPassword(arguments, password);
    WipeText(password);
    database.Encrypted = false;
    SaveDatabase(arguments.positional[1], database, arguments);
    return 0;
}

}  // namespace

const Command EncryptCommand{.name = "encrypt",
                             .arguments = "IN.dat OUT.dat",
                             .options = {PasswordOption},
                             .replacesDatabase = true,
                             .help =
                                 "OUT.dat encrypted with P, which becomes\n"
                                 "its read password",
                             .run = Encrypt};
const Command DecryptCommand{.name = "decrypt",
                             .arguments = "IN.dat OUT.dat",
                             .options = {PasswordOption},
                             .replacesDatabase = true,
                             .help =
                                 "OUT.dat as a plain database; P is\n"
                                 "IN.dat's read password",
                             .run = Decrypt};

}  // namespace quillmark
