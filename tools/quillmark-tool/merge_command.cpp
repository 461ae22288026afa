#include "commands.h"

#include "database_access.h"

namespace quillmark {

namespace {

// Merging needs the same passwords in both files, so one password opens both.
int Merge(const Arguments& arguments)
{
    ExpectPositional(arguments, 3);
    const std::string& first = arguments.positional[0];
    const std::string& second = arguments.positional[1];
    Database database;
    LoadDatabase(first, arguments, database);
    ExpectLoaded(second, ReadDatabaseFile(second, database, ReadMode::Merge));
    SaveDatabase(arguments.positional[2], database, arguments);
    return 0;
}

}  // namespace

const Command MergeCommand{.name = "merge",
                           .arguments = "A.dat B.dat OUT.dat",
                           .options = {ReadPasswordOption},
                           .replacesDatabase = true,
                           .help = "A's records then B's, with B's header",
                           .run = Merge};

}  // namespace quillmark
