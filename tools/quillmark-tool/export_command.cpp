#include "commands.h"

#include "database_access.h"

#include "engine/quick_export.h"

namespace quillmark {

TextFileEncoding ExportEncoding(const Arguments& arguments)
{
    const std::optional<std::string> name = arguments.Option("--encoding");
    if (!name) {
        return TextFileEncoding::Utf8;
    }
    const std::optional<TextFileEncoding> encoding = TextFileEncodingNamed(*name);
    if (!encoding) {
        UsageError("--encoding takes utf-8 or windows-1252");
    }
    return *encoding;
}

namespace {

// The main window's "Quick Export", the statuses under the captions of a new database.
int Export(const Arguments& arguments)
{
    ExpectPositional(arguments, 2);
    const TextFileEncoding encoding = ExportEncoding(arguments);
    Database& database = DatabaseOfTheCommand();
    LoadDatabase(arguments.positional[0], arguments, database);
    const std::string& path = arguments.positional[1];
    WriteFile(
        path,
        [&] { SaveQuickExport(path, database.RecordList, DefaultStatusCaptions(), encoding); },
        "Cannot create file ");
    return 0;
}

}  // namespace

const Command ExportCommand{.name = "export",
                            .arguments = "DB.dat OUT.txt",
                            .options = {EncodingOption, ReadPasswordOption},
                            .help =
                                "every record as Quick Export writes it,\n"
                                "E utf-8 (the default) or windows-1252",
                            .run = Export};

}  // namespace quillmark
