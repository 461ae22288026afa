#include "commands.h"

#include "database_access.h"

#include "core/file_messages.h"
#include "core/windows1252.h"
#include "engine/graph_counts.h"

#include <charconv>
#include <iostream>

namespace quillmark {

namespace {

// The graph window's bars as text: FIELD 1..10, CATEGORY leaf first as values are stored.
int Graph(const Arguments& arguments)
{
    if (arguments.positional.size() != 2 && arguments.positional.size() != 3) {
        UsageError("wrong number of arguments");
    }
    const std::string& fieldText = arguments.positional[1];
    int field = 0;
    const auto [end, error] =
        std::from_chars(fieldText.data(), fieldText.data() + fieldText.size(), field);
    if (error != std::errc() || end != fieldText.data() + fieldText.size() || field < 1 ||
        field > 10) {
        UsageError("FIELD must be a description field, 1 to 10");
    }
    const std::string category = arguments.positional.size() == 3
                                     ? CommandLineText(arguments.positional[2], "CATEGORY")
                                     : std::string();
    Database& database = DatabaseOfTheCommand();
    LoadDatabase(arguments.positional[0], arguments, database);
    const std::vector<GraphNode> tree =
        BuildGraphTree(database.DescriptionCaptions, database.DescriptionTrees);
    const GraphLineage lineage =
        FindGraphCategory(tree[static_cast<std::size_t>(field - 1)], category);
    if (lineage.empty()) {
        Fail("Field " + std::to_string(field) + " has no category \"" +
             TextInMessage(Windows1252ToUtf8(category)) + "\".");
    }
    const std::string& caption = database.DescriptionCaptions[static_cast<std::size_t>(field - 1)];
    for (const GraphBar& bar : CountGraphBars(database.RecordList, lineage, caption)) {
        std::cout << Windows1252ToUtf8(bar.Caption) << '\t' << bar.Count << '\n';
    }
    return 0;
}

}  // namespace

const Command GraphCommand{.name = "graph",
                           .arguments = "DB.dat FIELD [CATEGORY]",
                           .options = {ReadPasswordOption},
                           .help = "records under each sub-category",
                           .run = Graph};

}  // namespace quillmark
