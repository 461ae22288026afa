#include "commands.h"

#include "database_access.h"

#include "core/file_io.h"
#include "core/file_messages.h"
#include "engine/reports/document_title.h"
#include "engine/reports/html_report.h"
#include "engine/text_file_encoding.h"

#include <algorithm>
#include <charconv>
#include <iostream>

namespace quillmark {

namespace {

// "FF8000" as the report writes colours; nothing for anything else.
std::optional<RgbColour> ParseColour(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.size() != 6 || error != std::errc() || end != text.data() + text.size() ||
        text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        return std::nullopt;
    }
    return RgbColour{value >> 16 & 0xFF, value >> 8 & 0xFF, value & 0xFF};
}

std::string HtmlLinesOf(const Arguments& arguments, const std::string& option)
{
    const std::optional<std::string> path = arguments.Option(option);
    if (!path) {
        return {};
    }
    DecodedText decoded;
    try {
        decoded = DecodeTextFile(ReadWholeFile(*path));
    } catch (const ReadError& error) {
        Fail("Cannot read " + FileNameInMessage(*path) + ": " + error.what());
    }
    // The page is written from record text, which the file's text must fit.
    if (decoded.unstorable) {
        Fail("Cannot use " + FileNameInMessage(*path) + ": " +
             UnstorableCharacterMessage(*decoded.unstorable, true));
    }
    return HtmlPageLines(decoded.text);
}

// The report window's HTML report.
int HtmlReport(const Arguments& arguments)
{
    ExpectPositional(arguments, 2);
    const std::optional<std::string> items = arguments.Option("--items");
    if (!items) {
        UsageError("--items is needed: the report's item codes, comma-separated");
    }
    std::vector<int> codes;
    for (std::size_t start = 0; start <= items->size();) {
        const std::size_t comma = std::min(items->find(',', start), items->size());
        int code = 0;
        const char* first = items->data() + start;
        const char* last = items->data() + comma;
        const auto [end, error] = std::from_chars(first, last, code);
        if (error != std::errc() || end != last || !IsHtmlReportItem(code)) {
            UsageError("--items takes codes 10, 20, ... 350: " +
                       TextInMessage(items->substr(start, comma - start)) + " is none of them");
        }
        // A report shows each item once, as its window offers each item once.
        if (std::find(codes.begin(), codes.end(), code) != codes.end()) {
            UsageError("--items takes each code once: " + std::to_string(code) + " is given twice");
        }
        codes.push_back(code);
        start = comma + 1;
    }
    FontSetting font;
    font.Bold = arguments.Flag("--bold");
    font.Italic = arguments.Flag("--italic");
    font.Underline = arguments.Flag("--underline");
    RgbColour background = WhiteColour;
    for (const auto& [option, colour] :
         {std::pair{"--font-color", &font.Colour}, {"--background", &background}}) {
        if (const std::optional<std::string> text = arguments.Option(option)) {
            const std::optional<RgbColour> parsed = ParseColour(*text);
            if (!parsed) {
                UsageError(std::string(option) + " takes six hexadecimal digits, RRGGBB");
            }
            *colour = *parsed;
        }
    }
    std::string header = HtmlLinesOf(arguments, "--header");
    std::string footer = HtmlLinesOf(arguments, "--footer");

    Database& database = DatabaseOfTheCommand();
    LoadDatabase(arguments.positional[0], arguments, database);
    const std::optional<std::string> search = arguments.Option("--search");
    if (search) {
        RunSavedSearch(*search, database);
    }
    const HtmlReportTable table = BuildHtmlReportTable(database, codes, search.has_value(), false);
    if (table.limitReached) {
        std::cerr << "quillmark-tool: warning: " << HtmlReportLimitWarning << '\n';
    }
    const std::string& output = arguments.positional[1];
    const HtmlTableOptions options =
        HtmlReportOptions(std::move(header), std::move(footer), font, background,
                          DocumentTitle({}, database, arguments.positional[0]));
    WriteFile(
        output,
        [&] {
            SaveFileSafely(output,
                           [&](ByteSink& sink) { WriteHtmlTable(sink, table.rows, options); });
        },
        "Cannot write ");
    return 0;
}

}  // namespace

const Command HtmlReportCommand{.name = "html-report",
                                .arguments = "DB.dat OUT.htm",
                                .options = {{.name = "--items", .value = "CODES", .required = true},
                                            {"--bold"},
                                            {"--italic"},
                                            {"--underline"},
                                            {"--font-color", "RRGGBB"},
                                            {"--background", "RRGGBB"},
                                            {"--header", "FILE"},
                                            {"--footer", "FILE"},
                                            {"--search", "SRH"},
                                            ReadPasswordOption},
                                .help =
                                    "the HTML report of the items, codes\n"
                                    "10..350 as in the report's item menu",
                                .run = HtmlReport};

}  // namespace quillmark
