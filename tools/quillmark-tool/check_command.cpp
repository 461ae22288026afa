#include "commands.h"

#include "database_access.h"

#include <iostream>

namespace quillmark {

namespace {

int Check(const Arguments& arguments)
{
    ExpectPositional(arguments, 1);
    Database& database = DatabaseOfTheCommand();
    LoadDatabase(arguments.positional[0], arguments, database);
    std::cout << database.RecordList.size() << " records\n";
    return 0;
}

}  // namespace

const Command CheckCommand{.name = "check",
                           .arguments = "DB.dat",
                           .options = {ReadPasswordOption},
                           .help = "read the whole file, print the count",
                           .run = Check};

}  // namespace quillmark
