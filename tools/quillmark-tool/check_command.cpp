#include "commands.h"

#include "database_access.h"

#include <iostream>

namespace quillmark {

namespace {

int Check(const Arguments& arguments)
{
    ExpectPositional(arguments, 1);
    // Each record is checked as it is read and then forgotten: checking a file takes neither
    // the memory nor the time its records would take to hold.
    Database database;
    const DatabaseReadResult result =
        LoadDatabase(arguments.positional[0], arguments, database, ReadMode::Check);
    std::cout << result.RecordsRead << " records\n";
    return 0;
}

}  // namespace

const Command CheckCommand{.name = "check",
                           .arguments = "DB.dat",
                           .options = {ReadPasswordOption},
                           .help = "read the whole file, print the count",
                           .run = Check};

}  // namespace quillmark
