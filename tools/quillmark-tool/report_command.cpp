#include "commands.h"

#include "database_access.h"
#include "pdf_pages.h"

#include "core/file_io.h"
#include "core/file_messages.h"
#include "engine/reports/column_report.h"
#include "engine/reports/document_title.h"
#include "engine/reports/report_format_file.h"
#include "engine/text_file_encoding.h"

#include <ctime>
#include <functional>
#include <iostream>

namespace quillmark {

namespace {

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
    Database& database = DatabaseOfTheCommand();
    LoadDatabase(arguments.positional[0], arguments, database);
    ReportMode reportMode = ReportMode::AllRecords;
    if (const std::optional<std::string> search = arguments.Option("--search")) {
        RunSavedSearch(*search, database);
        reportMode = ReportMode::SearchList;
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

}  // namespace

const Command ReportCommand{.name = "report",
                            .arguments = "DB.dat FORMAT.rpt",
                            .options = {{"--csv", "OUT"},
                                        {"--html", "OUT"},
                                        {"--pdf", "OUT"},
                                        EncodingOption,
                                        {"--search", "SRH"},
                                        ReadPasswordOption},
                            .help =
                                "lay the records out as the column\n"
                                "report does, on US Letter pages;\n"
                                "with --search the records it finds;\n"
                                "--encoding as for export, for --csv",
                            .run = Report};

}  // namespace quillmark
