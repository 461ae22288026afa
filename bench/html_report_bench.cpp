// The HTML report as "View" makes it: every one of the 35 items for the first 1000 records,
// built and written to a page on disk. Over 100 000 records the rows are the search list's,
// every hundredth record, so that the whole list is walked for them.

#include "sample_records.h"

#include "core/file_io.h"
#include "engine/reports/html_report.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace quillmark;

void HtmlReport(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    Database& database = bench::SampleDatabase(count);
    const bool searchListOnly = count > 10000;
    for (std::size_t position = 0; position < database.RecordList.size(); ++position) {
        database.RecordList[position]->InSearchList = position % 100 == 0;
    }
    std::vector<int> codes;
    for (int item = 1; item <= HtmlReportItemCount; ++item) {
        codes.push_back(10 * item);
    }
    const std::string page = (std::filesystem::temp_directory_path() /
                              ("quillmark-bench-" + std::to_string(::getpid()) + ".htm"))
                                 .string();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const HtmlReportTable table = BuildHtmlReportTable(database, codes, searchListOnly, false);
        SaveFileSafely(page, [&](ByteSink& sink) {
            WriteHtmlTable(sink, table.rows,
                           HtmlReportOptions({}, {}, FontSetting{}, WhiteColour, "Staff"));
        });
        bytes = std::filesystem::file_size(page);
    }
    std::filesystem::remove(page);
    state.counters["kilobytes"] = static_cast<double>(bytes) / 1024;
}

}  // namespace

BENCHMARK(HtmlReport)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
