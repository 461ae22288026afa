// A search of ten terms of every kind over sample databases, with terms that hold for nearly
// every record so that each record is tested against all ten: the slowest search there is.

#include "sample_records.h"

#include "engine/search/search_run.h"
#include "support/search_term.h"

#include <benchmark/benchmark.h>

namespace {

using namespace quillmark;
using test::Term;
namespace Tag = SearchFieldTag;

void SearchRecords(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    Database& database = bench::SampleDatabase(count);
    constexpr int Exclude = DoesNotIncludeInclusion;
    SearchTermTable terms;
    terms[1] = Term(Tag::Name, "zzz", "", Exclude);
    terms[2] = Term(Tag::HoursPerWeek, "0", "100");
    terms[3] = Term(Tag::YearlySalary, "0", "1000000000");
    terms[4] = Term(Tag::Detail(1), "A", "zzzz");
    terms[5] = Term(Tag::Description(1), "zzz", "", Exclude);
    terms[6] = Term(Tag::Keywords, "zzz", "", Exclude);
    terms[7] = Term(Tag::Skills, "9", "", Exclude);
    terms[7].SkillName = database.SkillNames[1];
    terms[8] = Term(Tag::Schedule, "03:00", "04:00", Exclude);
    terms[8].DayName = "Any Day";
    terms[9] = Term(Tag::Experience, "zzz", "", Exclude);
    terms[10] = Term(Tag::Other(1), "zzz", "", Exclude);
    SearchContext context;
    context.SkillNames = database.SkillNames;
    const PreparedSearch search(terms, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, context);

    int found = 0;
    for (auto _ : state) {
        for (const auto& record : database.RecordList) {
            record->InSearchList = false;
        }
        found = RunSearch(database.RecordList, search, [](std::size_t) {}).NewRecords;
    }
    state.counters["found"] = found;
    state.counters["records"] = benchmark::Counter(static_cast<double>(count),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}

// The search spreads over the processor's cores: the CPU column counts all of them.
BENCHMARK(SearchRecords)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
