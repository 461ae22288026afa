#include "support/test_helpers.h"

#include "engine/search/search_list.h"
#include "engine/search/search_run.h"
#include "engine/time_of_day.h"

#include <gtest/gtest.h>

#include <functional>

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

bool Holds(const SearchRecord& term, const std::function<void(ItemRecord&)>& fill)
{
    ItemRecord record;
    fill(record);
    return PreparedTerm(term, Context()).Holds(record);
}

void AddSlot(ItemRecord& record, int day, int slot, const char* start, const char* end)
{
    record.Schedule.SetScheduleStart(day, slot, *ReadTimeOfDay(start));
    record.Schedule.SetScheduleEnd(day, slot, *ReadTimeOfDay(end));
}

TEST(SearchRulesTest, EachKindOfFieldMatchesByItsOwnRule)
{
    const auto detail = [](std::string text) {
        return [text](ItemRecord& r) { r.Detail[3] = text; };
    };
    const auto name = [](std::string text) {
        return [text](ItemRecord& r) { r.RecordName = text; };
    };
    const auto category = [](std::string text) {
        return [text](ItemRecord& r) { r.Desc[2] = text; };
    };
    const auto keywords = [](StringList lines) {
        return [lines](ItemRecord& r) { r.Keywords = lines; };
    };
    const auto experience = [](std::string stream) {
        return [stream](ItemRecord& r) { r.ExperienceStream = stream; };
    };
    const auto skill = [](std::string proficiency) {
        return [proficiency](ItemRecord& r) {
            r.Skills.SetHasSkill(7, true);
            r.Skills.SetSkillProficiency(7, proficiency);
        };
    };
    const std::string header = "4,100\r\n0,0,Employer\r\n1,0,Position\r\n";

    const struct {
        const char* what;
        SearchRecord term;
        std::function<void(ItemRecord&)> record;
        bool holds;
    } cases[] = {
        // A single value finds the values that begin with it, ignoring case.
        {"Sm / Asmith", Term(Tag::Detail(3), "Sm", "Sm"), detail("Asmith"), false},
        {"numbers", Term(Tag::Detail(3), "-2.5", "1e1"), detail(" 7"), true},
        {"reversed numbers", Term(Tag::Detail(3), "10", "9"), detail("9.5"), false},
        {"a text among numbers", Term(Tag::Detail(3), "10", "20"), detail("15 kg"), true},
        // Typed values look for a piece of the text, ignoring case.
        {"\xC9T\xC9 / \xE9t\xE9", Term(Tag::Name, "\xC9T\xC9"), name("l'\xE9t\xE9"), true},
        {"no bounds", Term(Tag::Name, ""), name("Smith"), false},
        // Categories are found below themselves too, with case.
        {"leaf first", Term(Tag::Description(2), "Clerk : Office"),
         category("Senior : Clerk : Office"), true},
        {"category case", Term(Tag::Description(2), "Clerk : Office"), category("clerk : office"),
         false},
        {"empty list value", Term(Tag::Keywords, ""), keywords({"Forklift"}), false},
        {"empty list value, inverted", Term(Tag::Keywords, "", "", DoesNotIncludeInclusion),
         keywords({"Forklift"}), true},
        {"resume", Term(Tag::ResumeFile, "cv"), [](ItemRecord& r) { r.ResumeFile = {"/h/CV.doc"}; },
         true},
        {"status, inverted", Term(Tag::Status, "Working", "", DoesNotIncludeInclusion),
         [](ItemRecord& r) { r.Available = true; }, true},
        {"salary type", Term(Tag::SalaryType, "Daily"), [](ItemRecord& r) { r.SalaryType = 2; },
         true},
        {"salary type case", Term(Tag::SalaryType, "daily"),
         [](ItemRecord& r) { r.SalaryType = 2; }, false},
        // Experience: any cell below the header, ignoring case; the stream's size counts.
        {"experience wider", Term(Tag::Experience, "acme"), experience("6,10\r\n5,1,Acme\r\n"),
         true},
        {"experience rewritten", Term(Tag::Experience, "acme"),
         experience(header + "0,1,Acme\r\n0,1,Zenith\r\n"), false},
        {"experience two lines", Term(Tag::Experience, "a\r\nb"),
         experience(header + "3,2,a\t\bb\r\n"), true},
        // Skills: the proficiency's digits count, and only skills the database names.
        {"skill to 5 / five", SkillTerm("Forklift", "", "5"), skill("five"), true},
        {"unknown skill", SkillTerm("Typing", "", ""), skill("9"), false},
        // Schedules: the whole interval within one slot of the day.
        {"two slots", ScheduleTerm("Monday", "09:00", "12:00"),
         [](ItemRecord& r) {
             AddSlot(r, 2, 1, "08:00", "10:00");
             AddSlot(r, 2, 2, "10:00", "12:00");
         },
         false},
        {"any day", ScheduleTerm("Any Day", " 9:00", "12:00"),
         [](ItemRecord& r) { AddSlot(r, 5, 4, "08:00", "17:00"); }, true},
        {"until the end of the day", ScheduleTerm("Any Day", "18:00", "24:00"),
         [](ItemRecord& r) { AddSlot(r, 7, 1, "16:00", "23:59"); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Holds(c.term, c.record), c.holds);
    }
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
              "Search term 2 holds the time \"9 o'clock\", which is not a time of day.  The "
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
