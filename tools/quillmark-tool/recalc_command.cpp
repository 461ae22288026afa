#include "commands.h"

#include "database_access.h"

#include "engine/salary_calculation.h"

#include <iostream>

namespace quillmark {

namespace {

// Databases filled by import or by other tools may hold salary texts without the figures the
// salary page works out; this fills them in as showing each record would.
int Recalc(const Arguments& arguments)
{
    ExpectPositional(arguments, 2);
    Database& database = DatabaseOfTheCommand();
    LoadDatabase(arguments.positional[0], arguments, database);
    std::size_t withoutFigures = 0;
    for (const auto& record : database.RecordList) {
        if (!RecalculateSalary(*record).Calculated) {
            ++withoutFigures;
        }
    }
    SaveDatabase(arguments.positional[1], database, arguments);
    std::cout << database.RecordList.size() << " records, " << withoutFigures
              << " without salary figures\n";
    return 0;
}

}  // namespace

const Command RecalcCommand{.name = "recalc",
                            .arguments = "DB.dat OUT.dat",
                            .options = {ReadPasswordOption},
                            .replacesDatabase = true,
                            .help = "work every record's pay out again",
                            .run = Recalc};

}  // namespace quillmark
