#include "support/test_helpers.h"

#include "engine/search/search_list.h"
#include "engine/search/search_run.h"
#include "engine/time_of_day.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

namespace Tag = SearchFieldTag;

SearchRecord Term(int tag, std::string from, std::string to = {}, int inclusion = IncludesInclusion)
{
    SearchRecord term;
    term.FieldTag = tag;
    term.Inclusion = inclusion;
    term.FromValue = std::move(from);
    term.ToValue = std::move(to);
    return term;
}

SearchRecord ScheduleTerm(std::string day, std::string from, std::string to)
{
    SearchRecord term = Term(Tag::Schedule, std::move(from), std::move(to));
    term.DayName = std::move(day);
    return term;
}

SearchRecord SkillTerm(std::string skill, std::string from, std::string to)
{
    SearchRecord term = Term(Tag::Skills, std::move(from), std::move(to));
    term.SkillName = std::move(skill);
    term.MatchMode = 2;
    return term;
}

SearchContext Context()
{
    SearchContext context;
    context.SkillNames[3] = "Welding";
    context.SkillNames[7] = "Forklift";
    return context;
}

void AddSlot(ItemRecord& record, int day, int slot, const char* start, const char* end)
{
    record.Schedule.SetScheduleStart(day, slot, *ReadTimeOfDay(start));
    record.Schedule.SetScheduleEnd(day, slot, *ReadTimeOfDay(end));
}

ItemRecordList Records(std::initializer_list<const char*> names)
{
    ItemRecordList records;
    for (const char* name : names) {
        records.push_back(std::make_shared<ItemRecord>());
        records.back()->RecordName = name;
    }
    return records;
}

TEST(SearchRunTest, TermsCombineByAndAndOnlyNewMatchesAreCounted)
{
    ItemRecordList records = Records({"Ann Smith", "Bob Smith", "Ann Jones", "Cy Smith"});
    records[1]->Working = true;
    records[3]->InSearchList = true;  // put on the list by hand earlier
    SearchTermTable terms;
    terms[5] = Term(Tag::Name, "smith");
    terms[2] = Term(Tag::Status, "Working", "", DoesNotIncludeInclusion);
    // Rows: the name term, a row still without a field, then the status term.
    const PreparedSearch search(terms, {5, RowAwaitingField, 2}, Context());

    std::vector<std::size_t> progress;
    SearchOutcome outcome =
        RunSearch(records, search, [&](std::size_t n) { progress.push_back(n); });
    EXPECT_EQ(outcome.NewRecords, 1);
    EXPECT_TRUE(records[0]->InSearchList && records[0]->SearchHit);
    EXPECT_FALSE(records[1]->InSearchList || records[2]->InSearchList);
    EXPECT_FALSE(records[3]->SearchHit) << "a listed record is left as it was";
    EXPECT_EQ(progress.back(), 4u);
    EXPECT_EQ(SearchResultText(outcome.NewRecords),
              "1 new record was found during the previous search.");

    EXPECT_EQ(RunSearch(records, search).NewRecords, 0)
        << "the same search again finds nothing new";
    EXPECT_EQ(SearchResultText(2), "2 new records were found during the previous search.");
    EXPECT_EQ(RunSearch(records, PreparedSearch(terms, {RowNeverUsed}, Context())).NewRecords, 0)
        << "a search without terms finds nothing";
}

TEST(SearchRunTest, AScheduleTermThatDoesNotReadStopsTheSearchWhereItIsReached)
{
    ItemRecordList records = Records({"Bob", "Ann", "Ann Lee"});
    records[2]->InSearchList = true;
    SearchTermTable terms;
    terms[1] = Term(Tag::Name, "Ann");
    terms[2] = ScheduleTerm("Monday", "9 o'clock", "12:00");
    std::size_t tested = 0;
    const SearchOutcome outcome = RunSearch(records, PreparedSearch(terms, {1, 2}, Context()),
                                            [&](std::size_t n) { tested = n; });
    ASSERT_TRUE(outcome.Unreadable);
    EXPECT_EQ(outcome.Unreadable->row, 2);
    EXPECT_EQ(UnreadableTermMessage(*outcome.Unreadable),
              "Search term 2 holds the time \"9 o'clock\", which is not a time "
              "of day.  The "
              "search was stopped.");
    EXPECT_EQ(tested, 1u) << "Bob fails the name term before the schedule term is reached";
    EXPECT_TRUE(records[2]->InSearchList) << "what was listed stays listed";
}

TEST(SearchRunTest, SimpleRulesAllocateNothingPerRecord)
{
    ItemRecord record;
    record.RecordName = "Ann Smith";
    record.Detail[3] = "Smithfield";
    record.Keywords = {"forklift", "first aid"};
    record.HoursPerWeek = "40 hrs";
    record.Skills.SetHasSkill(7, true);
    record.Skills.SetSkillProficiency(7, "4");
    AddSlot(record, 2, 1, "08:00", "17:00");
    SearchTermTable terms;
    terms[1] = Term(Tag::Name, "smith");
    terms[2] = Term(Tag::Detail(3), "Sm", "Sz");
    terms[3] = Term(Tag::Keywords, "AID");
    terms[4] = Term(Tag::HoursPerWeek, "35", "45");
    terms[5] = SkillTerm("Forklift", "1", "5");
    terms[6] = ScheduleTerm("Monday", "09:00", "12:00");
    const PreparedSearch search(terms, {1, 2, 3, 4, 5, 6}, Context());
    ASSERT_TRUE(search.Matches(record));
    test::AllocationWatch watch;
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(search.Matches(record));
    }
    EXPECT_EQ(watch.Largest(), 0u);
}

TEST(SearchListTest, RangesClearingAndRemoval)
{
    ItemRecordList records = Records({"1", "2", "3", "4", "5", "6"});
    records[3]->InSearchList = true;
    AddRecordRange(records, 3, 5);
    EXPECT_TRUE(records[2]->InSearchList && !records[2]->SearchHit) << "newly listed: not found";
    EXPECT_TRUE(records[3]->InSearchList && records[3]->SearchHit) << "already listed: found";
    EXPECT_TRUE(records[4]->InSearchList && !records[4]->SearchHit);
    EXPECT_FALSE(records[1]->InSearchList || records[5]->InSearchList);
    AddRecordRange(records, 5, 3);
    AddRecordRange(records, 6, 99);
    EXPECT_EQ(CountOnSearchList(records), 4);

    EXPECT_EQ(RemoveListedRecords(records), 4);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0]->RecordName, "1");
    EXPECT_EQ(records[1]->RecordName, "2");

    AddRecordRange(records, 1, 2);
    EXPECT_EQ(RemoveListedRecords(records), 1) << "the last record always stays";
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->RecordName, "2");
    ClearSearchList(records);
    EXPECT_EQ(CountOnSearchList(records), 0);
    EXPECT_FALSE(records[0]->SearchHit);
}

}  // namespace
}  // namespace quillmark
