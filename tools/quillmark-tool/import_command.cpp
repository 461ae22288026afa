#include "commands.h"

#include "database_access.h"

#include "core/file_messages.h"
#include "engine/reports/column_report.h"
#include "engine/reports/comma_import.h"

#include <algorithm>
#include <charconv>
#include <iostream>

namespace quillmark {

namespace {

// "22,10,20": the report items the line's fields go to, in order.
std::vector<int> ImportColumns(const Arguments& arguments)
{
    const std::optional<std::string> text = arguments.Option("--columns");
    if (!text) {
        UsageError("import needs --columns");
    }
    std::vector<int> columns;
    std::string_view rest = *text;
    while (true) {
        const std::string_view field = rest.substr(0, rest.find(','));
        int item = -1;
        const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), item);
        if (field.empty() || error != std::errc() || end != field.data() + field.size() ||
            item < 0 || item >= ReportItemChoices ||
            std::find(columns.begin(), columns.end(), item) != columns.end()) {
            UsageError(
                "--columns takes up to 21 different report positions, 0 to 34, "
                "separated by commas");
        }
        columns.push_back(item);
        if (field.size() == rest.size()) {
            break;
        }
        rest.remove_prefix(field.size() + 1);
    }
    if (columns.size() > MaximumReportItems) {
        UsageError(
            "--columns takes up to 21 different report positions, 0 to 34, "
            "separated by commas");
    }
    return columns;
}

int Import(const Arguments& arguments)
{
    ExpectPositional(arguments, 3);
    const std::vector<int> columns = ImportColumns(arguments);
    Database database;
    LoadDatabase(arguments.positional[0], arguments, database);
    const std::string& input = arguments.positional[1];
    const ImportOutcome outcome = ImportCommaDelimitedFile(input, columns, database.RecordList);
    if (outcome.unstorable) {
        Fail("Cannot import " + FileNameInMessage(input) + ": " +
             UnstorableCharacterMessage(*outcome.unstorable, true) + "; " +
             FileNameInMessage(arguments.positional[2]) + " was not written.");
    }
    if (outcome.readError) {
        Fail("Cannot read " + FileNameInMessage(input) + ": " + *outcome.readError + ". " +
             std::to_string(outcome.imported) + " records were imported before it; " +
             FileNameInMessage(arguments.positional[2]) + " was not written.");
    }
    SaveDatabase(arguments.positional[2], database, arguments);
    std::cout << outcome.imported << " records imported\n";
    return 0;
}

}  // namespace

const Command ImportCommand{
    .name = "import",
    .arguments = "DB.dat IN.txt OUT.dat",
    .options = {{.name = "--columns", .value = "POSITIONS", .required = true}, ReadPasswordOption},
    .replacesDatabase = true,
    .help =
        "a record for each line of IN.txt, its\n"
        "fields for the report items 0..34 given;\n"
        "UTF-8, UTF-16 or Windows-1252, as found",
    .run = Import};

}  // namespace quillmark
