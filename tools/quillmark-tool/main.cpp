// quillmark-tool: the headless companion of Quillmark. Reads and writes database files
// exactly as the program does, for scripting, checking and making test data.

#include "database_json.h"
#include "pdf_pages.h"
#include "sample_database.h"

#include "core/database_file.h"
#include "core/default_trees.h"
#include "core/file_io.h"
#include "core/file_messages.h"
#include "core/password_cipher.h"
#include "core/program_version.h"
#include "core/value_writer.h"
#include "core/windows1252.h"
#include "engine/graph_counts.h"
#include "engine/quick_export.h"
#include "engine/record_sorting.h"
#include "engine/reports/column_report.h"
#include "engine/reports/comma_import.h"
#include "engine/reports/document_title.h"
#include "engine/reports/html_report.h"
#include "engine/reports/report_format_file.h"
#include "engine/salary_calculation.h"
#include "engine/search/saved_search_file.h"
#include "engine/search/search_run.h"
#include "engine/text_file_encoding.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace quillmark;

constexpr const char* Usage =
    "usage:\n"
    "  quillmark-tool dump DB.dat [--read-password P]    print the database as JSON\n"
    "  quillmark-tool build IN.json OUT.dat              write a database from JSON\n"
    "  quillmark-tool sample N OUT.dat [--seed S]        write N sample records\n"
    "  quillmark-tool check DB.dat [--read-password P]   read the whole file, print the count\n"
    "  quillmark-tool merge A.dat B.dat OUT.dat [--read-password P]\n"
    "                                                    A's records then B's, with B's header\n"
    "  quillmark-tool sort DB.dat KEY OUT.dat [--descending] [--read-password P]\n"
    "                                                    the records sorted by key 0..33\n"
    "  quillmark-tool recalc DB.dat OUT.dat [--read-password P]\n"
    "                                                    work every record's pay out again\n"
    "  quillmark-tool search DB.dat SEARCH.srh [--read-password P]\n"
    "                                                    the numbers of the records found\n"
    "  quillmark-tool extract DB.dat SEARCH.srh OUT.dat [--read-password P]\n"
    "                                                    the records found, as a database\n"
    "  quillmark-tool graph DB.dat FIELD [CATEGORY] [--read-password P]\n"
    "                                                    records under each sub-category\n"
    "  quillmark-tool export DB.dat OUT.txt [--encoding E] [--read-password P]\n"
    "                                                    every record as Quick Export writes it,\n"
    "                                                    E utf-8 (the default) or windows-1252\n"
    "  quillmark-tool html-report DB.dat OUT.htm --items CODES [--bold] [--italic]\n"
    "        [--underline] [--font-color RRGGBB] [--background RRGGBB] [--header FILE]\n"
    "        [--footer FILE] [--search SRH] [--read-password P]\n"
    "                                                    the HTML report of the items, codes\n"
    "                                                    10..350 as in the report's item menu\n"
    "  quillmark-tool report DB.dat FORMAT.rpt [--csv OUT] [--html OUT] [--pdf OUT]\n"
    "                 [--encoding E] [--search SRH] [--read-password P]\n"
    "                                                    lay the records out as the column\n"
    "                                                    report does, on US Letter pages;\n"
    "                                                    with --search the records it finds;\n"
    "                                                    --encoding as for export, for --csv\n"
    "  quillmark-tool import DB.dat IN.txt OUT.dat --columns POSITIONS [--read-password P]\n"
    "                                                    a record for each line of IN.txt, its\n"
    "                                                    fields for the report items 0..34 given;\n"
    "                                                    UTF-8, UTF-16 or Windows-1252, as found\n"
    "  quillmark-tool cipher encipher TEXT               print the enciphered text as hex\n"
    "  quillmark-tool cipher decipher HEX                print the plain text\n"
    "  quillmark-tool --help | --version                 print this text or the version\n"
    "Commands that write OUT.dat over a database with a save password need\n"
    "--save-password P, the password of the file they replace.\n";

// A failure the user is told about in one line on standard error.
struct ToolFailure {
    std::string message;
    int exitCode = 1;
};

[[noreturn]] void Fail(const std::string& message, int exitCode = 1)
{
    throw ToolFailure{message, exitCode};
}

[[noreturn]] void UsageError(const std::string& message)
{
    Fail(message + " (quillmark-tool --help lists the commands)", 2);
}

// The arguments after the command: positional ones and "--name value" options.
struct Arguments {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;

    std::optional<std::string> Option(const std::string& name) const
    {
        for (const auto& [key, value] : options) {
            if (key == name) {
                return value;
            }
        }
        return std::nullopt;
    }
};

Arguments ParseArguments(std::span<char*> words, const std::vector<std::string>& knownOptions)
{
    Arguments arguments;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string word = words[i];
        if (word.starts_with("--")) {
            if (std::find(knownOptions.begin(), knownOptions.end(), word) == knownOptions.end()) {
                UsageError("unknown option " + TextInMessage(word));
            }
            if (i + 1 >= words.size()) {
                UsageError(TextInMessage(word) + " needs a value");
            }
            arguments.options.emplace_back(word, words[++i]);
        } else {
            arguments.positional.push_back(word);
        }
    }
    return arguments;
}

void ExpectPositional(const Arguments& arguments, std::size_t count)
{
    if (arguments.positional.size() != count) {
        UsageError("wrong number of arguments");
    }
}

// The program's read-only data sits next to the executable in a build and under
// share/quillmark when installed.
std::vector<std::string> ProgramDataFolders()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    const std::filesystem::path folder = executable.parent_path();
    return {folder.string(), (folder.parent_path() / "share" / "quillmark").string()};
}

// Command-line text is UTF-8; database text is Windows-1252.
std::string CommandLineText(const std::string& utf8, const char* what)
{
    std::optional<std::string> bytes = Utf8ToWindows1252(utf8);
    if (!bytes) {
        Fail(std::string(what) + " holds a character that a Quillmark file cannot store");
    }
    return *bytes;
}

void CheckReadPassword(const std::string& path, const Arguments& arguments)
{
    const std::optional<FilePasswords> passwords = ReadPasswords(path);
    if (!passwords) {
        return;  // the full read below reports what is wrong with the file
    }
    const std::string expected = DecipherPassword(passwords->ReadPassword);
    if (expected.empty()) {
        return;
    }
    const std::optional<std::string> given = arguments.Option("--read-password");
    if (!given || CommandLineText(*given, "The password") != expected) {
        Fail("You have entered an incorrect password.");
    }
}

// Fails with the line that says why the file could not be read; warns, once, about data the
// file holds after its records, which a save would drop.
void ExpectLoaded(const std::string& path, const DatabaseReadResult& result)
{
    const std::string name = FileNameInMessage(path);
    switch (result.Outcome) {
    case ReadOutcome::Loaded:
        if (result.DataAfterRecords) {
            std::cerr << "quillmark-tool: warning: " << DataAfterRecordsMessage(path) << '\n';
        }
        return;
    case ReadOutcome::CannotOpen:
        Fail("Cannot read " + name + ": " + result.Reason);
    case ReadOutcome::NotRegularFile:
        Fail(NotRegularFileMessage(path));
    case ReadOutcome::Empty:
        Fail(EmptyFileMessage(path));
    case ReadOutcome::NotQuillmark:
        Fail(name + " is not a valid Quillmark file.");
    case ReadOutcome::Incompatible:
        Fail(
            "Sorry, the files could not be merged because they are incompatible or they use "
            "different passowrds.");
    case ReadOutcome::Damaged:
        Fail(name + " is not a valid Quillmark file: " + result.Reason + " (at byte " +
             std::to_string(result.Offset) + ").");
    }
}

DatabaseReadResult LoadDatabase(const std::string& path, const Arguments& arguments,
                                Database& database)
{
    CheckReadPassword(path, arguments);
    DatabaseReadResult result = ReadDatabaseFile(path, database, ReadMode::Replace);
    ExpectLoaded(path, result);
    return result;
}

// A database with a save password is only replaced by someone who gives it, as in the program.
void CheckSavePassword(const std::string& path, const Arguments& arguments)
{
    const std::optional<FilePasswords> passwords = ReadPasswords(path);
    if (!passwords) {
        return;  // no database there to protect
    }
    const std::string expected = DecipherPassword(passwords->SavePassword);
    if (expected.empty()) {
        return;
    }
    const std::optional<std::string> given = arguments.Option("--save-password");
    if (!given || CommandLineText(*given, "The password") != expected) {
        Fail(NoPermissionToSave);
    }
}

// Every file the tool writes goes through here; what cannot be written ends the command.
void WriteFile(const std::string& path, const std::function<void()>& write,
               const std::string& failure)
{
    try {
        write();
    } catch (const NoPermissionError&) {
        Fail(NoPermissionToSaveMessage(path));
    } catch (const WriteError& error) {
        Fail(failure + FileNameInMessage(path) + ": " + error.what());
    }
}

void SaveDatabase(const std::string& path, Database& database, const Arguments& arguments,
                  const DatabaseWriteOptions& options = {})
{
    CheckSavePassword(path, arguments);
    WriteFile(
        path, [&] { SaveDatabaseFile(path, database, options); }, "Cannot write ");
}

int Dump(const Arguments& arguments)
{
    ExpectPositional(arguments, 1);
    Database database;
    const DatabaseReadResult result = LoadDatabase(arguments.positional[0], arguments, database);
    WriteDatabaseJson(std::cout, database, result.Version);
    return 0;
}

int Check(const Arguments& arguments)
{
    ExpectPositional(arguments, 1);
    Database database;
    LoadDatabase(arguments.positional[0], arguments, database);
    std::cout << database.RecordList.size() << " records\n";
    return 0;
}

// Merging needs the same passwords in both files, so one password opens both.
int Merge(const Arguments& arguments)
{
    ExpectPositional(arguments, 3);
    const std::string& first = arguments.positional[0];
    const std::string& second = arguments.positional[1];
    Database database;
    LoadDatabase(first, arguments, database);
    ExpectLoaded(second, ReadDatabaseFile(second, database, ReadMode::Merge));
    SaveDatabase(arguments.positional[2], database, arguments);
    return 0;
}

// The sort keys are the menu's: 1..10 descriptions, 11..20 details, 21..26 other fields,
// 27 name, 28..33 salary figures; any other whole number sorts by name.
int Sort(const Arguments& arguments, bool descending)
{
    ExpectPositional(arguments, 3);
    const std::string& keyText = arguments.positional[1];
    int key = 0;
    const auto [end, error] = std::from_chars(keyText.data(), keyText.data() + keyText.size(), key);
    if (error != std::errc() || end != keyText.data() + keyText.size()) {
        UsageError("KEY must be a whole number, 0 to 33");
    }
    Database database;
    LoadDatabase(arguments.positional[0], arguments, database);
    DoSort(database.RecordList, key, !descending);
    SaveDatabase(arguments.positional[2], database, arguments);
    return 0;
}

// Databases filled by import or by other tools may hold salary texts without the figures the
// salary page works out; this fills them in as showing each record would.
int Recalc(const Arguments& arguments)
{
    ExpectPositional(arguments, 2);
    Database database;
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

// Runs a saved search over the database as the search window does, on an empty search list,
// and leaves the records found on the list.
void RunSavedSearch(const std::string& searchPath, Database& database)
{
    SavedSearch search;
    try {
        search = LoadSearchFile(searchPath);
    } catch (const ReadError& error) {
        Fail("Cannot read " + FileNameInMessage(searchPath) + ": " + error.what());
    } catch (const FormatError& error) {
        Fail(FileNameInMessage(searchPath) + " is not a valid saved search: " + error.what() +
             " (at byte " + std::to_string(error.Offset()) + ").");
    }
    SearchContext context;
    context.SkillNames = database.SkillNames;
    std::vector<int> rowSlots;
    for (const SearchTermRow& row : search.Rows) {
        rowSlots.push_back(row.Slot);
    }
    const SearchOutcome outcome =
        RunSearch(database.RecordList, PreparedSearch(search.Terms, rowSlots, context));
    if (outcome.Unreadable) {
        Fail(UnreadableTermMessage(*outcome.Unreadable));
    }
}

int Search(const Arguments& arguments)
{
    ExpectPositional(arguments, 2);
    Database database;
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
    Database database;
    LoadDatabase(arguments.positional[0], arguments, database);
    RunSavedSearch(arguments.positional[1], database);
    SaveDatabase(arguments.positional[2], database, arguments, DatabaseWriteOptions{true});
    return 0;
}

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
    Database database;
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

// --encoding utf-8 or windows-1252 of a comma-delimited file written; UTF-8 when not given.
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

// The main window's "Quick Export", the statuses under the captions of a new database.
int Export(const Arguments& arguments)
{
    ExpectPositional(arguments, 2);
    const TextFileEncoding encoding = ExportEncoding(arguments);
    Database database;
    LoadDatabase(arguments.positional[0], arguments, database);
    const std::string& path = arguments.positional[1];
    WriteFile(
        path,
        [&] { SaveQuickExport(path, database.RecordList, DefaultStatusCaptions(), encoding); },
        "Cannot create file ");
    return 0;
}

// "2001/03/09", as the report's head gives today.
std::string TodayText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return ReportDateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

void WriteOutput(const std::string& path, const std::function<void(ByteSink&)>& write)
{
    WriteFile(
        path, [&] { SaveFileSafely(path, write); }, "Cannot create file ");
}

int Report(const Arguments& arguments)
{
    ExpectPositional(arguments, 2);
    const TextFileEncoding encoding = ExportEncoding(arguments);
    Database database;
    LoadDatabase(arguments.positional[0], arguments, database);
    int reportMode = 1;
    if (const std::optional<std::string> search = arguments.Option("--search")) {
        RunSavedSearch(*search, database);
        reportMode = 2;
    }
    const std::string& formatPath = arguments.positional[1];
    ReportFormat format;
    try {
        LoadReportFormat(formatPath, format);
    } catch (const ReadError& error) {
        Fail("Cannot read " + FileNameInMessage(formatPath) + ": " + error.what());
    } catch (const FormatError& error) {
        Fail("Sorry " + FileNameInMessage(formatPath) + " is not a valid report file: " +
             error.what() + " (at byte " + std::to_string(error.Offset()) + ").");
    }
    ColumnReportSetup setup = SetupFromFormat(format);
    setup.Date = TodayText();
    // US Letter, all of it printable: 8 by 11 whole inches to lay out on.
    constexpr int Dots = 600;
    const PrinterPage letter{Dots, Dots, Dots * 17 / 2, Dots * 11, 0, 0, Dots * 17 / 2, Dots * 11};
    CairoTextMeasurer measurer;
    TOrvPrinter store(letter, measurer);
    ColumnReportLayout layout(setup, database, false, store);
    layout.Run(reportMode);
    if (layout.PageLimitReached) {
        std::cerr << "quillmark-tool: warning: your report contains too much data.  Only the first "
                  << layout.RecordsShown << " records will be displayed.\n";
    }
    const std::string title = DocumentTitle(setup.ShowTitle ? setup.Title : std::string(), database,
                                            arguments.positional[0]);
    if (const std::optional<std::string> csv = arguments.Option("--csv")) {
        WriteOutput(*csv, [&layout, encoding](ByteSink& file) {
            EncodingSink sink(file, encoding);
            WriteExportCsv(sink, layout.Table);
        });
    }
    if (const std::optional<std::string> html = arguments.Option("--html")) {
        WriteOutput(*html, [&layout, &title](ByteSink& sink) {
            WriteExportHtml(sink, layout.Table, title);
        });
    }
    if (const std::optional<std::string> pdf = arguments.Option("--pdf")) {
        PdfPages document(letter.paperWidth * TwipsPerInch / Dots,
                          letter.paperHeight * TwipsPerInch / Dots, title);
        store.Print(1, store.PageCount(), document);
        std::string bytes;
        try {
            bytes = document.Finish();
        } catch (const WriteError& error) {
            Fail("Cannot create file " + FileNameInMessage(*pdf) + ": " + error.what());
        }
        WriteOutput(*pdf, [&bytes](ByteSink& sink) { sink.Write(bytes); });
    }
    std::cout << layout.RecordsShown << " records on " << store.PageCount() << " pages\n";
    return 0;
}

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

int Build(const Arguments& arguments)
{
    ExpectPositional(arguments, 2);
    const std::string& input = arguments.positional[0];
    std::ifstream file(input, std::ios::binary);
    if (!file) {
        Fail("Cannot read " + FileNameInMessage(input) + ": " + std::strerror(errno));
    }
    nlohmann::json json;
    try {
        json = nlohmann::json::parse(file);
    } catch (const nlohmann::json::exception& error) {
        Fail(FileNameInMessage(input) + " is not valid JSON: " + TextInMessage(error.what()));
    }
    DatabaseFromJsonResult built;
    try {
        built = DatabaseFromJson(json, ReadDefaultTrees(ProgramDataFolders()));
    } catch (const JsonInputError& error) {
        Fail(FileNameInMessage(input) + ": " + error.what());
    }
    SaveDatabase(arguments.positional[1], built.database, arguments, built.options);
    return 0;
}

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

// The report window's HTML report; the style flags are taken off the words before parsing.
int HtmlReport(const Arguments& arguments, const FontSetting& style)
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
    FontSetting font = style;
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

    Database database;
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

int Cipher(const Arguments& arguments)
{
    ExpectPositional(arguments, 2);
    const std::string& direction = arguments.positional[0];
    const std::string& text = arguments.positional[1];
    if (direction == "encipher") {
        std::cout << ToHex(EncipherPassword(CommandLineText(text, "The text"))) << '\n';
    } else if (direction == "decipher") {
        const std::optional<std::string> bytes = FromHex(text);
        if (!bytes) {
            Fail("The enciphered text must be an even number of hex digits.");
        }
        std::cout << Windows1252ToUtf8(DecipherPassword(*bytes)) << '\n';
    } else {
        UsageError("cipher takes encipher or decipher");
    }
    return 0;
}

int Run(int argc, char* argv[])
{
    if (argc < 2) {
        UsageError("no command given");
    }
    const std::string command = argv[1];
    const std::span<char*> rest(argv + 2, static_cast<std::size_t>(argc - 2));
    if (command == "dump") {
        return Dump(ParseArguments(rest, {"--read-password"}));
    }
    if (command == "check") {
        return Check(ParseArguments(rest, {"--read-password"}));
    }
    if (command == "merge") {
        return Merge(ParseArguments(rest, {"--read-password", "--save-password"}));
    }
    if (command == "sort") {
        // --descending is the one option that takes no value.
        std::vector<char*> words(rest.begin(), rest.end());
        const auto flag = std::find_if(words.begin(), words.end(), [](const char* word) {
            return std::strcmp(word, "--descending") == 0;
        });
        const bool descending = flag != words.end();
        if (descending) {
            words.erase(flag);
        }
        return Sort(ParseArguments(words, {"--read-password", "--save-password"}), descending);
    }
    if (command == "recalc") {
        return Recalc(ParseArguments(rest, {"--read-password", "--save-password"}));
    }
    if (command == "search") {
        return Search(ParseArguments(rest, {"--read-password"}));
    }
    if (command == "extract") {
        return Extract(ParseArguments(rest, {"--read-password", "--save-password"}));
    }
    if (command == "graph") {
        return Graph(ParseArguments(rest, {"--read-password"}));
    }
    if (command == "export") {
        return Export(ParseArguments(rest, {"--encoding", "--read-password"}));
    }
    if (command == "build") {
        return Build(ParseArguments(rest, {"--save-password"}));
    }
    if (command == "sample") {
        return Sample(ParseArguments(rest, {"--seed", "--save-password"}));
    }
    if (command == "html-report") {
        // The style options are flags without a value.
        std::vector<char*> words;
        FontSetting style;
        for (char* word : rest) {
            bool* flag = std::strcmp(word, "--bold") == 0        ? &style.Bold
                         : std::strcmp(word, "--italic") == 0    ? &style.Italic
                         : std::strcmp(word, "--underline") == 0 ? &style.Underline
                                                                 : nullptr;
            if (flag != nullptr) {
                *flag = true;
            } else {
                words.push_back(word);
            }
        }
        return HtmlReport(
            ParseArguments(words, {"--items", "--font-color", "--background", "--header",
                                   "--footer", "--search", "--read-password"}),
            style);
    }
    if (command == "report") {
        return Report(ParseArguments(
            rest, {"--csv", "--html", "--pdf", "--encoding", "--search", "--read-password"}));
    }
    if (command == "import") {
        return Import(ParseArguments(rest, {"--columns", "--read-password", "--save-password"}));
    }
    if (command == "cipher") {
        return Cipher(ParseArguments(rest, {}));
    }
    if (command == "--help" || command == "help") {
        std::cout << Usage;
        return 0;
    }
    // The same line as the program's own --version.
    if (command == "--version") {
        std::cout << "Quillmark " << ProgramVersion << '\n';
        return 0;
    }
    UsageError("unknown command " + TextInMessage(command));
}

// Standard output through a buffer of the tool's own, which keeps the reason the first failed
// write gave: a command's output is checked once it has finished, and the reason must still be
// there then. After a failure the stream takes no more, so a long list is not worked through.
class StandardOutput : public std::streambuf {
public:
    StandardOutput() { setp(buffer_, buffer_ + sizeof buffer_); }
    int Error() const { return error_; }

protected:
    int_type overflow(int_type c) override
    {
        if (!Drain()) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override { return Drain() ? 0 : -1; }

private:
    bool Drain()
    {
        for (const char* at = pbase(); at < pptr();) {
            const ssize_t done = ::write(STDOUT_FILENO, at, static_cast<std::size_t>(pptr() - at));
            if (done < 0 && errno == EINTR) {
                continue;
            }
            if (done < 0) {
                if (error_ == 0) {
                    error_ = errno;
                }
                setp(buffer_, buffer_ + sizeof buffer_);
                return false;
            }
            at += done;
        }
        setp(buffer_, buffer_ + sizeof buffer_);
        return true;
    }

    char buffer_[64 * 1024];
    int error_ = 0;
};

// What a command printed must have reached its place: a full disk or a closed pipe makes the
// command fail instead of leaving a cut list behind. The descriptor is closed here, where an
// error can still be told, and not at exit.
std::optional<std::string> FinishStandardOutput(StandardOutput& output)
{
    std::cout.flush();
    int error = output.Error();
    const bool failed = !std::cout || error != 0;
    if (::close(STDOUT_FILENO) != 0 && error == 0 && errno != EBADF) {
        error = errno;
    }
    if (!failed && error == 0) {
        return std::nullopt;
    }
    std::string message = "Cannot write to standard output";
    if (error != 0) {
        message += std::string(": ") + std::strerror(error);
    }
    return message;
}

}  // namespace

int main(int argc, char* argv[])
{
    StandardOutput output;
    std::streambuf* const original = std::cout.rdbuf(&output);
    int exitCode = 0;
    try {
        exitCode = Run(argc, argv);
    } catch (const ToolFailure& failure) {
        std::cerr << "quillmark-tool: " << failure.message << '\n';
        exitCode = failure.exitCode;
    } catch (const std::exception& error) {
        std::cerr << "quillmark-tool: " << error.what() << '\n';
        exitCode = 1;
    }
    // A command that failed has said so already, in one line.
    const std::optional<std::string> outputFailure = FinishStandardOutput(output);
    std::cout.rdbuf(original);
    if (outputFailure && exitCode == 0) {
        std::cerr << "quillmark-tool: " << *outputFailure << '\n';
        exitCode = 1;
    }
    return exitCode;
}
