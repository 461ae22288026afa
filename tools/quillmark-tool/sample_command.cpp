#include "commands.h"

#include "database_access.h"
#include "sample_database.h"

#include "core/default_trees.h"

#include <charconv>
#include <cstdint>

namespace quillmark {

namespace {

int Sample(const Arguments& arguments)
{
    ExpectPositional(arguments, 2);
    int count = 0;
    const std::string& countText = arguments.positional[0];
    const auto [end, error] =
        std::from_chars(countText.data(), countText.data() + countText.size(), count);
    if (error != std::errc() || end != countText.data() + countText.size() || count < 0) {
        UsageError("N must be a whole number of records, 0 or more");
    }
    std::uint64_t seed = 1;
    if (const std::optional<std::string> seedText = arguments.Option("--seed")) {
        const auto [seedEnd, seedError] =
            std::from_chars(seedText->data(), seedText->data() + seedText->size(), seed);
        if (seedError != std::errc() || seedEnd != seedText->data() + seedText->size()) {
            UsageError("--seed must be a whole number");
        }
    }
    Database database = MakeSampleDatabase(count, seed, ReadDefaultTrees(ProgramDataFolders()));
    SaveDatabase(arguments.positional[1], database, arguments);
    return 0;
}

}  // namespace

const Command SampleCommand{.name = "sample",
                            .arguments = "N OUT.dat",
                            .options = {{"--seed", "S"}},
                            .replacesDatabase = true,
                            .help = "write N sample records",
                            .run = Sample};

}  // namespace quillmark
