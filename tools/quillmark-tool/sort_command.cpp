#include "commands.h"

#include "database_access.h"

#include "engine/record_sorting.h"

#include <charconv>

namespace quillmark {

namespace {

// The sort keys are the menu's: 1..10 descriptions, 11..20 details, 21..26 other fields,
// 27 name, 28..33 salary figures; any other whole number sorts by name.
int Sort(const Arguments& arguments)
{
    ExpectPositional(arguments, 3);
    const std::string& keyText = arguments.positional[1];
    int key = 0;
    const auto [end, error] = std::from_chars(keyText.data(), keyText.data() + keyText.size(), key);
    if (error != std::errc() || end != keyText.data() + keyText.size()) {
        UsageError("KEY must be a whole number, 0 to 33");
    }
    Database& database = DatabaseOfTheCommand();
    LoadDatabase(arguments.positional[0], arguments, database);
    DoSort(database.RecordList, SortKey{key}, !arguments.Flag("--descending"));
    SaveDatabase(arguments.positional[2], database, arguments);
    return 0;
}

}  // namespace

const Command SortCommand{.name = "sort",
                          .arguments = "DB.dat KEY OUT.dat",
                          .options = {{"--descending"}, ReadPasswordOption},
                          .replacesDatabase = true,
                          .help = "the records sorted by key 0..33",
                          .run = Sort};

}  // namespace quillmark
