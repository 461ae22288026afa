#include "commands.h"

#include "database_access.h"

#include <iostream>

namespace quillmark {

namespace {

int Search(const Arguments& arguments)
{
    ExpectPositional(arguments, 2);
    Database& database = DatabaseOfTheCommand();
    LoadDatabase(arguments.positional[0], arguments, database);
    RunSavedSearch(arguments.positional[1], database);
    for (std::size_t position = 0; position < database.RecordList.size(); ++position) {
        if (database.RecordList[position]->InSearchList) {
            std::cout << position + 1 << '\n';
        }
    }
    return 0;
}

int Extract(const Arguments& arguments)
{
    ExpectPositional(arguments, 3);
    Database& database = DatabaseOfTheCommand();
    LoadDatabase(arguments.positional[0], arguments, database);
    RunSavedSearch(arguments.positional[1], database);
    SaveDatabase(arguments.positional[2], database, arguments, DatabaseWriteOptions{true});
    return 0;
}

}  // namespace

const Command SearchCommand{.name = "search",
                            .arguments = "DB.dat SEARCH.srh",
                            .options = {ReadPasswordOption},
                            .help = "the numbers of the records found",
                            .run = Search};
const Command ExtractCommand{.name = "extract",
                             .arguments = "DB.dat SEARCH.srh OUT.dat",
                             .options = {ReadPasswordOption},
                             .replacesDatabase = true,
                             .help = "the records found, as a database",
                             .run = Extract};

}  // namespace quillmark
