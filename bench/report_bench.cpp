// The column report over sample databases: laid out to its ten-page limit with the tool's text
// measuring, its pages written as PDF, and comma-delimited files imported.

#include "sample_records.h"

#include "core/byte_stream.h"
#include "engine/reports/column_report.h"
#include "engine/reports/comma_delimited.h"
#include "engine/reports/comma_import.h"
#include "quillmark-tool/pdf_pages.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

namespace {

using namespace quillmark;

const PrinterPage Letter{600, 600, 5100, 6600, 0, 0, 5100, 6600};

ColumnReportSetup SixItems()
{
    ColumnReportSetup setup;
    setup.Items = {22, 10, 11, 20, 0, 23};
    setup.Date = ReportDateText(2024, 6, 1);
    return setup;
}

// Lays out the report to the page limit; with state.range(1) set, writes its pages as PDF too.
void LayOutColumnReport(benchmark::State& state)
{
    const Database& database = bench::SampleDatabase(static_cast<int>(state.range(0)));
    const ColumnReportSetup setup = SixItems();
    CairoTextMeasurer measurer;
    int pages = 0;
    for (auto _ : state) {
        TOrvPrinter store(Letter, measurer);
        ColumnReportLayout layout(setup, database, false, store);
        layout.Run(ReportMode::AllRecords);
        pages = store.PageCount();
        if (state.range(1) != 0) {
            PdfPages pdf(Letter.paperWidth * TwipsPerInch / 600,
                         Letter.paperHeight * TwipsPerInch / 600, "Report Title");
            store.Print(1, pages, pdf);
            benchmark::DoNotOptimize(pdf.Finish());
        }
    }
    state.counters["pages"] = pages;
}
BENCHMARK(LayOutColumnReport)
    ->ArgsProduct({{10000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::size_t ReadSome(char* buffer, std::size_t capacity) override
    {
        const std::size_t size = std::min(capacity, bytes_.size());
        std::memcpy(buffer, bytes_.data(), size);
        bytes_.remove_prefix(size);
        return size;
    }

private:
    std::string_view bytes_;
};

// A line per sample record: name, street, salary, status, type.
void ImportCommaDelimitedLines(benchmark::State& state)
{
    const Database& database = bench::SampleDatabase(static_cast<int>(state.range(0)));
    const std::vector<int> columns = {22, 10, 11, 20, 0};
    std::string file;
    for (const auto& record : database.RecordList) {
        for (const int item : columns) {
            std::string value = ReportCellValue(*record, 0, item, false);
            std::replace(value.begin(), value.end(), ',', ' ');
            file += value;
            file += item == columns.back() ? "\r\n" : ",";
        }
    }
    for (auto _ : state) {
        ItemRecordList records;
        MemorySource source(file);
        benchmark::DoNotOptimize(ImportCommaDelimited(source, columns, records));
        state.PauseTiming();
        records.clear();
        state.ResumeTiming();
    }
    state.counters["lines"] = static_cast<double>(database.RecordList.size());
}
BENCHMARK(ImportCommaDelimitedLines)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
