#include "support/search_term.h"
#include "support/test_helpers.h"

#include "engine/search/search_list.h"
#include "engine/search/search_run.h"
#include "engine/time_of_day.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

// Each search rule walked across its edges: values on, just inside and just
// outside each bound, and the first and last of every list a term can name.
namespace quillmark {
namespace {

namespace Tag = SearchFieldTag;
using test::Term;
// Puts a value where a field keeps it.
using Put = std::function<void(ItemRecord&, const std::string&)>;

SearchContext Context()
{
    SearchContext context;
    context.SkillNames[1] = "Typing";
    context.SkillNames[SkillSet::Count] = "Welding";
    return context;
}

bool Holds(const SearchRecord& term, const Put& put, const std::string& value)
{
    ItemRecord record;
    put(record, value);
    return PreparedTerm(term, Context()).Holds(record);
}

// The term holds for a record given each of the first values, and for none given the second;
// the inverted term the other way round.
void ExpectEach(const SearchRecord& term, const Put& put, const std::vector<std::string>& holding,
                const std::vector<std::string>& failing)
{
    SearchRecord inverted = term;
    inverted.Inclusion = DoesNotIncludeInclusion;
    for (const auto* values : {&holding, &failing}) {
        for (const std::string& value : *values) {
            SCOPED_TRACE(term.FromValue + " .. " + term.ToValue + ": \"" + value + "\"");
            EXPECT_EQ(Holds(term, put, value), values == &holding);
            EXPECT_EQ(Holds(inverted, put, value), values != &holding);
        }
    }
}

Put PutDesc(int field)
{
    return [field](ItemRecord& r, const std::string& v) { r.Desc[field] = v; };
}
Put PutDetail(int field)
{
    return [field](ItemRecord& r, const std::string& v) {
        r.Detail[static_cast<std::size_t>(field)] = v;
    };
}
Put PutOther(int field)
{
    return [field](ItemRecord& r, const std::string& v) { r.Other[field] = v; };
}
Put PutFigure(int period)
{
    return [period](ItemRecord& r, const std::string& v) { r.SalaryFigures[period] = v; };
}
const Put PutName = [](ItemRecord& r, const std::string& v) { r.RecordName = v; };

TEST(SearchBoundaries, NumberRangesHoldTheirEndPoints)
{
    const Put hours = [](ItemRecord& r, const std::string& v) { r.HoursPerWeek = v; };
    ExpectEach(Term(Tag::HoursPerWeek, "20", "50"), hours, {"20", "50 hrs"},
               {"19.99", "50.01", ""});  // "" is cleaned to 0
    ExpectEach(Term(Tag::HoursPerWeek, "0", "0"), hours, {"none", ""}, {"."});
    // More digits than a double holds exactly are read the long way.
    ExpectEach(Term(Tag::YearlySalary, "1000000000000000", "2000000000000000"), PutFigure(6),
               {"1,234,567,890,123,456"}, {});
    // Only the last point is a point: "1.500.25" is 1500.25.
    ExpectEach(Term(Tag::HoursPerWeek, "1500.25", "1500.25"), hours, {"1.500.25"}, {});
    ExpectEach(Term(Tag::HourlySalary, "20000", "50000"), PutFigure(1), {"20,000.00"}, {});
    ExpectEach(Term(Tag::YearlySalary, "20000", "50000"), PutFigure(6), {"$50,000"}, {"50000.01"});
    // Signs on both the bounds and the value; a sign alone is no number.
    ExpectEach(Term(Tag::Detail(0), "-5", "+5"), PutDetail(0), {"-5", "+5"}, {"-5.5", "5.5"});
    ExpectEach(Term(Tag::Detail(0), "+", "-"), PutDetail(0), {"+"}, {});
    ExpectEach(Term(Tag::Detail(9), ".5", "9"), PutDetail(9), {" 0.5"}, {});
    ExpectEach(Term(Tag::Detail(9), "1", "9"), PutDetail(9), {}, {"0"});
    ExpectEach(Term(Tag::Detail(3), "-2.5", "1e1"), PutDetail(3), {" 7", "10 kg"}, {});
    ExpectEach(Term(Tag::Detail(3), "10", "9"), PutDetail(3), {}, {"9.5"});
    // A value with more than a number in it is compared as text: "5 kg" (or "5..5", two points
    // running) comes after "10".
    ExpectEach(Term(Tag::Detail(3), "2", "10"), PutDetail(3), {}, {"5 kg", "5..5"});
}

TEST(SearchBoundaries, TextRangesCompareTheValuesBeginningWithEachBound)
{
    for (const int field : {1, 6}) {
        ExpectEach(Term(Tag::Other(field), "b", "d"), PutOther(field), {"B", "Dz"}, {"A", "e", ""});
    }
    ExpectEach(Term(Tag::Name, "Ann", "Ann"), PutName, {"Anne"}, {"An"});
    // One bound alone looks for a piece of the text; the piece may be the whole text, or at its
    // very end.
    ExpectEach(Term(Tag::Name, "smith"), PutName, {"SMITH", "Ann Smith"}, {"Smit"});
    ExpectEach(Term(Tag::Name, "nab"), PutName, {"NaNAB"}, {"NaNa"});
    ExpectEach(Term(Tag::Name, "", "jones"), PutName, {"Bo Jones"}, {});
    ExpectEach(Term(Tag::Name, "", ""), PutName, {}, {""});
    // A single value finds the values that begin with it; a piece of a name is found whatever
    // the case of its letters, accented ones too.
    ExpectEach(Term(Tag::Detail(3), "Sm", "Sm"), PutDetail(3), {}, {"Asmith"});
    ExpectEach(Term(Tag::Name, "\xC9T\xC9"), PutName, {"l'\xE9t\xE9"}, {});
    ExpectEach(Term(Tag::Name, ""), PutName, {}, {"Smith"});
    // Categories are found below themselves too, with case.
    ExpectEach(Term(Tag::Description(2), "Clerk : Office"), PutDesc(2), {"Senior : Clerk : Office"},
               {"clerk : office"});
}

TEST(SearchBoundaries, EveryFieldOfAKindIsSearchedInItsOwnPlace)
{
    for (int field = 1; field <= 10; ++field) {
        ExpectEach(Term(Tag::Description(field), "Clerk"), PutDesc(field), {"Clerk : Office"}, {});
        ExpectEach(Term(Tag::Detail(field - 1), "x", "x"), PutDetail(field - 1), {"x"}, {});
    }
    for (int field = 1; field <= 6; ++field) {
        ExpectEach(Term(Tag::Other(field), "x", "x"), PutOther(field), {"x"}, {});
    }
    for (int period = 1; period <= PayPeriodCount; ++period) {
        ExpectEach(Term(Tag::HourlySalary + period - 1, "10", "10"), PutFigure(period), {"10"}, {});
    }
    // A value in another field is not found.
    ExpectEach(Term(Tag::Detail(9), "x", "x"), PutDetail(8), {}, {"x"});
    ExpectEach(Term(Tag::Description(10), "x"), PutDesc(9), {}, {"x"});
}

// Each "|" of a value begins another line of a list field.
Put PutLines(StringList ItemRecord::*field)
{
    return [field](ItemRecord& r, const std::string& v) {
        std::istringstream in(v);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line, '|');) {
            lines.push_back(line);
        }
        r.*field = lines;
    };
}

TEST(SearchBoundaries, ListsStatusesAndPayPeriodsFromFirstToLast)
{
    const Put keywords = PutLines(&ItemRecord::Keywords);
    ExpectEach(Term(Tag::Keywords, "forklift"), keywords, {"Forklift|x"}, {});
    ExpectEach(Term(Tag::Keywords, "aid"), keywords, {"x|First aid"}, {""});
    ExpectEach(Term(Tag::Keywords, ""), keywords, {}, {"Forklift"});
    ExpectEach(Term(Tag::Notes, "late"), PutLines(&ItemRecord::Notes), {"x|LATE"}, {});
    ExpectEach(Term(Tag::ResumeFile, "cv"), PutLines(&ItemRecord::ResumeFile), {"/h/CV.doc"}, {});
    // The status boxes ticked: W, A and N.
    const Put status = [](ItemRecord& r, const std::string& v) {
        r.Working = v.find('W') != std::string::npos;
        r.Available = v.find('A') != std::string::npos;
        r.NotAvailable = v.find('N') != std::string::npos;
    };
    ExpectEach(Term(Tag::Status, "Working"), status, {"W"}, {"A", "N"});
    ExpectEach(Term(Tag::Status, "Available"), status, {"A"}, {"W", "N"});
    ExpectEach(Term(Tag::Status, "Not Available"), status, {"N"}, {"W"});
    ExpectEach(Term(Tag::Status, "Idle"), status, {}, {"W"});
    const Put type = [](ItemRecord& r, const std::string& v) { r.SalaryType = std::stoi(v); };
    ExpectEach(Term(Tag::SalaryType, "Hourly"), type, {"1"}, {"0"});
    ExpectEach(Term(Tag::SalaryType, "Yearly"), type, {"6"}, {"5", "7"});
    ExpectEach(Term(Tag::SalaryType, "daily"), type, {}, {"2"});
}

SearchRecord ScheduleTerm(std::string day, std::string from, std::string to)
{
    SearchRecord term = Term(Tag::Schedule, std::move(from), std::move(to));
    term.DayName = std::move(day);
    return term;
}

// Each "hh:mm-hh:mm" of a value is the start and end of a slot of that day, from the one given.
Put PutSlot(int day, int slot)
{
    return [=](ItemRecord& r, const std::string& v) {
        for (std::size_t at = 0; at < v.size(); at += 12) {
            const int filled = slot + static_cast<int>(at / 12);
            r.Schedule.SetScheduleStart(day, filled, *ReadTimeOfDay(v.substr(at, 5)));
            r.Schedule.SetScheduleEnd(day, filled, *ReadTimeOfDay(v.substr(at + 6, 5)));
        }
    };
}

TEST(SearchBoundaries, ScheduleTermsFitWithinOneSlotEndsIncluded)
{
    const int last = WeeklySchedule::Slots;
    const auto morning = [](const char* day) { return ScheduleTerm(day, "09:00", "12:00"); };
    ExpectEach(morning("Sunday"), PutSlot(1, 1), {"09:00-12:00"}, {"09:01-12:00", "09:00-11:59"});
    ExpectEach(morning("Saturday"), PutSlot(7, last), {"08:00-12:00"}, {});
    ExpectEach(morning("Saturday"), PutSlot(6, last), {}, {"08:00-12:00"});
    ExpectEach(morning("Any Day"), PutSlot(1, 1), {"09:00-12:00"}, {});
    ExpectEach(morning("Any Day"), PutSlot(7, last), {"09:00-12:00"}, {});
    ExpectEach(morning("Someday"), PutSlot(1, 1), {}, {"09:00-12:00"});
    ExpectEach(ScheduleTerm("Monday", "00:01", "00:02"), PutSlot(2, 1), {"00:01-00:02"}, {});
    // The whole interval within one slot of the day; the time boxes may leave blanks around a
    // time.
    ExpectEach(morning("Monday"), PutSlot(2, 1), {}, {"08:00-10:00 10:00-12:00", ""});
    ExpectEach(ScheduleTerm("Monday", "00:00", "00:00"), PutSlot(2, 1), {}, {""});
    ExpectEach(ScheduleTerm("Any Day", " 9:00", "12:00 "), PutSlot(5, 4), {"08:00-17:00"}, {});
    ExpectEach(ScheduleTerm("Any Day", "18:00", "24:00"), PutSlot(7, 1), {"16:00-23:59"}, {});
}

TEST(SearchBoundaries, SkillTermsFromTheFirstSkillToTheLast)
{
    // Each value the skill's proficiency, or its notes for a term with notes.
    const auto skill = [](int number, bool notes = false) -> Put {
        return [=](ItemRecord& r, const std::string& v) {
            r.Skills.SetHasSkill(number, true);
            r.Skills.SetSkillProficiency(number, notes ? "" : v);
            r.Skills.SetSkillNotes(number, notes ? v : "");
        };
    };
    const auto term = [](std::string name, std::string from, std::string to, std::string notes = {},
                         std::uint8_t mode = 2) {
        SearchRecord t = Term(Tag::Skills, std::move(from), std::move(to));
        t.SkillName = std::move(name);
        t.NotesValue = std::move(notes);
        t.MatchMode = mode;
        return t;
    };
    const int last = SkillSet::Count;
    ExpectEach(term("Typing", "3", "5"), skill(1), {"3", "5"}, {"2.9", "5.1"});
    ExpectEach(term("Typing", "3", ""), skill(1), {}, {"2"});
    ExpectEach(term("Welding", "", ""), skill(last), {""}, {});
    ExpectEach(term("Welding", "", ""), skill(last - 1), {}, {""});
    ExpectEach(term("Welding", "", "", "night", 1), skill(last, true), {"NIGHT"}, {"NIGHTS"});
    ExpectEach(term("Welding", "", "", "night", 2), skill(last, true), {"late nights"}, {"nigh"});
    // A proficiency without digits is none; only skills the database names are found.
    ExpectEach(term("Typing", "", "5"), skill(1), {"five"}, {});
    ExpectEach(term("Typing", "1", ""), skill(1), {}, {"."});
    ExpectEach(term("Driving", "", "5"), skill(1), {}, {"five"});
}

const Put PutExperience = [](ItemRecord& r, const std::string& v) { r.ExperienceStream = v; };

TEST(SearchBoundaries, ExperienceCellsCountInsideTheTableAndBelowItsHeader)
{
    // Without a size line the table is 4 by 100.
    ExpectEach(Term(Tag::Experience, "acme"), PutExperience,
               {"2,3\r\n0,1,Acme\r\n", "2,3\r\n1,2,Acme\r\n", "\r\n3,99,Acme\r\n"},
               {"2,3\r\n2,1,Acme\r\n", "2,3\r\n0,3,Acme\r\n", "2,3\r\n0,0,Acme\r\n",
                "\r\n4,99,Acme\r\n", "\r\n3,100,Acme\r\n", ""});
    ExpectEach(Term(Tag::Experience, ""), PutExperience, {}, {"0,1,x\r\n"});
    // Its cells fold every letter; keyword lines only ASCII ones.
    ExpectEach(Term(Tag::Experience, "\x9A"), PutExperience, {"\r\n0,1,\x8A\r\n"}, {});
    ExpectEach(Term(Tag::Experience, "\xFF"), PutExperience, {"\r\n0,1,\x9F\r\n"}, {});
    ExpectEach(Term(Tag::Keywords, "\xE9"), PutLines(&ItemRecord::Keywords), {}, {"\xC9"});
    // The stream's size line counts, and so does the last cell written.
    const std::string header = "4,100\r\n0,0,Employer\r\n1,0,Position\r\n";
    ExpectEach(Term(Tag::Experience, "acme"), PutExperience, {"6,10\r\n5,1,Acme\r\n"},
               {header + "0,1,Acme\r\n0,1,Zenith\r\n"});
    ExpectEach(Term(Tag::Experience, "a\r\nb"), PutExperience, {header + "3,2,a\t\bb\r\n"}, {});
}

TEST(SearchBoundaries, TheLowestFreeSlotIsFoundUpToTheLast)
{
    SearchTermTable terms;
    terms[1] = terms[SearchSlotCount] = Term(Tag::Name, "x");
    EXPECT_EQ(LowestFreeSlot(terms), 2);
    for (int slot = 2; slot < SearchSlotCount; ++slot) {
        terms[slot] = terms[1];
    }
    terms[SearchSlotCount] = {};
    EXPECT_EQ(LowestFreeSlot(terms), SearchSlotCount) << "the last slot is free";
    terms[SearchSlotCount] = terms[1];
    EXPECT_EQ(LowestFreeSlot(terms), 0) << "none is free";
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

// Saved search files are checked against the tags a term may hold, and the search window lets
// only some fields into several terms.
TEST(SearchFieldTagTest, TermsHoldTheTagsOfSearchableFieldsOnly)
{
    for (const int tag :
         {Tag::Description(1), Tag::Description(10), Tag::Detail(0), Tag::Detail(9), Tag::Schedule,
          Tag::Skills, Tag::Status, Tag::Experience, Tag::Other(1), Tag::Other(6),
          Tag::HoursPerWeek, Tag::HourlySalary, Tag::YearlySalary, Tag::SalaryType}) {
        EXPECT_TRUE(Tag::IsField(tag)) << tag;
        EXPECT_EQ(Tag::MayRepeat(tag),
                  tag == Tag::Schedule || tag == Tag::Skills || tag == Tag::Experience)
            << tag;
    }
    for (const int tag : {-1, 5, 196, 255, 315, 336, 341, Tag::RemoveTerm}) {
        EXPECT_FALSE(Tag::IsField(tag)) << tag;
    }
    EXPECT_TRUE(Tag::IsDescription(90) && Tag::IsDetail(100) && Tag::IsOther(310));
    EXPECT_FALSE(Tag::IsDescription(100) || Tag::IsDetail(195) || Tag::IsOther(250));
}

TEST(SearchRunTest, TermsCombineByAndAndOnlyNewMatchesAreCounted)
{
    ItemRecordList records = Records({"Ann Smith", "Bob Smith", "Ann Jones", "Cy Smith"});
    records[1]->Working = true;
    records[3]->InSearchList = true;  // put on the list by hand earlier
    SearchTermTable terms;
    terms[SearchSlotCount] = Term(Tag::Name, "smith");
    terms[1] = Term(Tag::Status, "Working", "", DoesNotIncludeInclusion);
    // Rows: the name term in the last slot, a row still without a field, then the status term in
    // the first; each of them fails a record.
    const PreparedSearch search(terms, {SearchSlotCount, RowAwaitingField, 1}, Context());
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
    EXPECT_FALSE(PreparedSearch(terms, {SearchSlotCount + 1}, Context()).Matches(*records[0]));
}

TEST(SearchRunTest, ALongListIsSharedOutAndComesBackAsOneSearchInListOrder)
{
    // Long enough for the records to be tested on several threads, in blocks.
    constexpr std::size_t Count = 28000;
    ItemRecordList records;
    for (std::size_t position = 0; position < Count; ++position) {
        records.push_back(std::make_shared<ItemRecord>());
        records.back()->RecordName = position % 7 == 3 ? "Ann Smith" : "Bob Jones";
    }
    records[3]->InSearchList = true;
    SearchTermTable terms;
    terms[1] = Term(Tag::Name, "smith");
    std::size_t tested = 0;
    EXPECT_EQ(RunSearch(records, PreparedSearch(terms, {1}, Context()),
                        [&](std::size_t n) { tested = std::max(tested, n); })
                  .NewRecords,
              static_cast<int>(Count / 7) - 1);
    EXPECT_EQ(tested, Count);
    for (std::size_t position = 0; position < Count; ++position) {
        ASSERT_EQ(records[position]->InSearchList, position % 7 == 3) << position;
        ASSERT_EQ(records[position]->SearchHit, position % 7 == 3 && position != 3) << position;
    }

    // A term that cannot be tested stops the search at the first record that reaches it,
    // whichever thread reached a later one first; what was listed stays listed.
    records[27000]->RecordName = records[17000]->RecordName = "Cy Lee";
    terms[1] = Term(Tag::Name, "Cy");
    terms[2] = ScheduleTerm("Monday", "9 o'clock", "12:00");
    const SearchOutcome outcome = RunSearch(records, PreparedSearch(terms, {1, 2}, Context()),
                                            [&](std::size_t n) { tested = n; });
    ASSERT_TRUE(outcome.Unreadable);
    EXPECT_EQ(UnreadableTermMessage(*outcome.Unreadable),
              "Search term 2 holds the time \"9 o'clock\", which is not a time of day.  The "
              "search was stopped.");
    EXPECT_EQ(tested, 17000u);
    EXPECT_TRUE(records[3]->InSearchList);
}

TEST(SearchRunTest, SimpleRulesAllocateNothingPerRecord)
{
    ItemRecord record;
    record.RecordName = "Ann Smith";
    record.Detail[3] = "Smithfield";
    record.Keywords = {"forklift", "first aid"};
    record.HoursPerWeek = "40 hrs";
    record.Skills.SetHasSkill(1, true);
    record.Skills.SetSkillProficiency(1, "4");
    PutSlot(2, 1)(record, "08:00-17:00");
    SearchTermTable terms;
    terms[1] = Term(Tag::Name, "smith");
    terms[2] = Term(Tag::Detail(3), "Sm", "Sz");
    terms[3] = Term(Tag::Keywords, "AID");
    terms[4] = Term(Tag::HoursPerWeek, "35", "45");
    terms[5] = Term(Tag::Skills, "1", "5");
    terms[5].SkillName = "Typing";
    terms[6] = ScheduleTerm("Monday", "09:00", "12:00");
    const PreparedSearch search(terms, {1, 2, 3, 4, 5, 6}, Context());
    ASSERT_TRUE(search.Matches(record));
    test::AllocationWatch watch;
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(search.Matches(record));
    }
    EXPECT_EQ(watch.Largest(), 0u);
}

TEST(SearchRunTest, LongNearMissesAreRuledOutInLinearTime)
{
    // Every position of the text matches all of the term but its last letter.
    const std::string text(1 << 19, 'a');
    const std::string term = std::string(1000, 'A') + "B";
    const struct {
        const char* what;
        SearchRecord term;
        Put fill;
    } cases[] = {
        {"name", Term(Tag::Name, term), PutName},
        {"notes", Term(Tag::Notes, term), PutLines(&ItemRecord::Notes)},
        {"experience", Term(Tag::Experience, term),
         [](ItemRecord& r, const std::string& t) { r.ExperienceStream = "4,100\r\n1,1," + t; }},
        {"category", Term(Tag::Description(1), std::string(1000, 'a') + "b"), PutDesc(1)},
    };
    const double started = test::ProcessorSeconds();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(Holds(c.term, c.fill, text));
        EXPECT_TRUE(Holds(c.term, c.fill, text + "b"));
    }
    EXPECT_LT(test::ProcessorSeconds() - started, 0.5);
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
