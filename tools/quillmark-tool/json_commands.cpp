#include "commands.h"

#include "database_access.h"

#include "core/default_trees.h"
#include "core/file_messages.h"
#include "engine/database_json.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

namespace quillmark {

namespace {

int Dump(const Arguments& arguments)
{
    ExpectPositional(arguments, 1);
    Database& database = DatabaseOfTheCommand();
    const DatabaseReadResult result = LoadDatabase(arguments.positional[0], arguments, database);
    WriteDatabaseJson(std::cout, database, result.Version);
    return 0;
}

int Build(const Arguments& arguments)
{
    ExpectPositional(arguments, 2);
    const std::string& input = arguments.positional[0];
    std::ifstream file(input, std::ios::binary);
    if (!file) {
        Fail("Cannot read " + FileNameInMessage(input) + ": " + std::strerror(errno));
    }
    nlohmann::json json;
    try {
        json = nlohmann::json::parse(file);
    } catch (const nlohmann::json::exception& error) {
        Fail(FileNameInMessage(input) + " is not valid JSON: " + TextInMessage(error.what()));
    }
    DatabaseFromJsonResult built;
    try {
        built = DatabaseFromJson(json, ReadDefaultTrees(ProgramDataFolders()));
    } catch (const JsonInputError& error) {
        Fail(FileNameInMessage(input) + ": " + error.what());
    }
    SaveDatabase(arguments.positional[1], built.database, arguments, built.options);
    return 0;
}

}  // namespace

const Command DumpCommand{.name = "dump",
                          .arguments = "DB.dat",
                          .options = {ReadPasswordOption},
                          .help = "print the database as JSON",
                          .run = Dump};
const Command BuildCommand{.name = "build",
                           .arguments = "IN.json OUT.dat",
                           .replacesDatabase = true,
                           .help = "write a database from JSON",
                           .run = Build};

}  // namespace quillmark
