#include "core/database.h"
#include "core/field_catalogue.h"
#include "core/item_record.h"
#include "core/random_source.h"
#include "core/record_fields.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace quillmark {
namespace {

ItemRecordList RecordsNamed(std::initializer_list<const char*> names)
{
    ItemRecordList records;
    for (const char* name : names) {
        records.push_back(std::make_shared<ItemRecord>());
        records.back()->RecordName = name;
    }
    return records;
}

TEST(RecordModelTest, NewNamesTakeTheFirstFreeNumber)
{
    EXPECT_EQ(NewRecordName(RecordsNamed({"Untitled 2", "Untitled 1", "Untitled 3"})),
              "Untitled 4");
    EXPECT_EQ(NewRecordName(RecordsNamed({"Untitled 1", "Untitled 3"})), "Untitled 2");
    EXPECT_EQ(NewRecordName(RecordsNamed({"Untitled 1", "Untitled 2", "Untitled 3", "Untitled 4",
                                          "Untitled 5", "Untitled 6", "Untitled 7", "Untitled 8",
                                          "Untitled 9", "Untitled 10"})),
              "Untitled 11");
    // Only the exact form counts as taken.
    EXPECT_EQ(NewRecordName(RecordsNamed({"Untitled 01", "untitled 1", "Untitled  1", "Untitled 1 ",
                                          "Untitled +1", "Untitled 1x", "Untitled"})),
              "Untitled 1");
    // A huge number in a name is not a reason to fail.
    EXPECT_EQ(NewRecordName(RecordsNamed(
                  {"Untitled 99999999999999999999", "Untitled 999999999", "Untitled 1"})),
              "Untitled 2");
}

TEST(RecordModelTest, RecordIdsUseTheLettersAndTheDigitsUpToEight)
{
    SeededRandom random(2024);
    std::map<char, int> seen;
    for (int draw = 0; draw < 5000; ++draw) {
        const std::string id = MakeRecordId(random);
        ASSERT_EQ(id.size(), 8u);
        for (char c : id) {
            ASSERT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '8')) << id;
            ++seen[c];
        }
    }
    EXPECT_EQ(seen.size(), 35u) << "every letter and digit 0..8 turns up";
    EXPECT_EQ(seen.count('9'), 0u);
    for (const auto& [c, count] : seen) {
        EXPECT_GT(count, 40000 / 35 / 2) << c;  // roughly uniform
    }
}

TEST(RecordModelTest, SkillsKeepOnlyWhatWasEntered)
{
    SkillSet skills;
    skills.SetSkillProficiency(100, "Expert");
    skills.SetSkillNotes(100, "night shifts");
    EXPECT_FALSE(skills.HasSkill(100)) << "texts do not set the check mark";
    EXPECT_THROW(skills.HasSkill(0), std::out_of_range);
    EXPECT_THROW(skills.SetSkillNotes(101, "x"), std::out_of_range);
    // So does every list numbered from 1, just outside it.
    ItemRecord record;
    EXPECT_THROW(record.Desc[0], std::out_of_range);
    EXPECT_THROW(record.Images[PictureCount + 1], std::out_of_range);

    // Clearing a text gives the same skills as never having set it, and leaves the other text.
    SkillSet same = skills;
    same.SetSkillProficiency(7, "Fair");
    same.SetSkillNotes(7, "temp");
    same.SetSkillProficiency(7, "");
    same.SetSkillNotes(7, "");
    EXPECT_EQ(same, skills);
    same.SetSkillProficiency(100, "");
    EXPECT_EQ(same.SkillNotes(100), "night shifts");
    same.SetSkillNotes(100, "");
    EXPECT_EQ(same, SkillSet()) << "clearing the last skill's texts leaves no trace either";
    // and keeps those of the skills before it.
    skills.SetSkillTexts(7, "Fair", "temp");
    skills.SetSkillTexts(100, "", "");
    EXPECT_EQ(skills.SkillProficiency(7), "Fair");
}

TEST(RecordModelTest, AScheduleKeepsAnEndWithoutAStartAndEmptiesBackToNothing)
{
    WeeklySchedule schedule;
    schedule.SetScheduleEnd(7, 10, 0.75);  // an end without a start is kept as it is
    EXPECT_EQ(schedule.ScheduleStart(7, 10), 0.0);
    EXPECT_EQ(schedule.ScheduleEnd(7, 10), 0.75);
    EXPECT_THROW(schedule.ScheduleStart(8, 1), std::out_of_range);
    EXPECT_THROW(schedule.SetScheduleEnd(1, 11, 0.5), std::out_of_range);

    // Emptying every slot again gives a week equal to one never touched.
    schedule.SetBits(3, 3, 0x8000000000000000, 0x7FF8000000000001);
    schedule.SetScheduleEnd(7, 10, 0);
    schedule.SetBits(3, 3, 0, 0);
    EXPECT_EQ(schedule, WeeklySchedule{});
}

TEST(RecordModelTest, FiledContentComparisonSeesEveryFiledField)
{
    const ItemRecord base;
    const std::vector<std::pair<const char*, std::function<void(ItemRecord&)>>> changes = {
        {"RecordId", [](ItemRecord& r) { r.RecordId = "X"; }},
        {"RecordName", [](ItemRecord& r) { r.RecordName = "X"; }},
        {"Detail9", [](ItemRecord& r) { r.Detail[9] = "X"; }},
        {"DescTen", [](ItemRecord& r) { r.Desc[10] = "X"; }},
        {"Other6", [](ItemRecord& r) { r.Other[6] = "X"; }},
        {"ImageFile", [](ItemRecord& r) { r.Images[6].ImageFile = "X"; }},
        {"ImageTitle", [](ItemRecord& r) { r.Images[1].ImageTitle = "X"; }},
        {"ImageFlag", [](ItemRecord& r) { r.Images[4].ImageFlag = true; }},
        {"SpareText", [](ItemRecord& r) { r.SpareText = "X"; }},
        {"Keywords", [](ItemRecord& r) { r.Keywords = {""}; }},
        {"ResumeFile", [](ItemRecord& r) { r.ResumeFile = {""}; }},
        {"Notes", [](ItemRecord& r) { r.Notes = {""}; }},
        {"SpareList1", [](ItemRecord& r) { r.SpareList1 = {""}; }},
        {"SpareList2", [](ItemRecord& r) { r.SpareList2 = {""}; }},
        {"Schedule", [](ItemRecord& r) { r.Schedule.SetBits(7, 10, 0, 1); }},
        {"HasSkill", [](ItemRecord& r) { r.Skills.SetHasSkill(100, true); }},
        {"SkillNotes", [](ItemRecord& r) { r.Skills.SetSkillNotes(1, "X"); }},
        {"HoursPerWeek", [](ItemRecord& r) { r.HoursPerWeek = "X"; }},
        {"SalaryAmount", [](ItemRecord& r) { r.SalaryAmount = "X"; }},
        {"WorkDaysPerWeek", [](ItemRecord& r) { r.WorkDaysPerWeek = "X"; }},
        {"SalaryFigures", [](ItemRecord& r) { r.SalaryFigures[10] = "X"; }},
        {"ExperienceStream", [](ItemRecord& r) { r.ExperienceStream = "X"; }},
        {"SalaryType", [](ItemRecord& r) { r.SalaryType = 6; }},
        {"ReadOnly", [](ItemRecord& r) { r.ReadOnly = true; }},
        {"Working", [](ItemRecord& r) { r.Working = true; }},
        {"Available", [](ItemRecord& r) { r.Available = true; }},
        {"NotAvailable", [](ItemRecord& r) { r.NotAvailable = true; }},
    };
    for (const auto& [what, change] : changes) {
        ItemRecord changed;
        change(changed);
        EXPECT_FALSE(changed.SameFiledContent(base)) << what;
    }
    ItemRecord marks;
    marks.InSearchList = marks.SearchHit = marks.Marked = true;
    marks.SheetRow = 12;
    EXPECT_TRUE(marks.SameFiledContent(base)) << "the transient marks are not filed";
}

TEST(FieldCatalogueTest, AmountsAreTheirDigitsAndTheirLastPoint)
{
    const std::pair<const char*, double> amounts[] = {
        {"$1,234.56", 1234.56},
        {"1.234.5", 1234.5},
        {"1.2.3.", 123},
        {"-40", 40},
        {"\xA3 1 000,50", 100050},
        {"12.", 12},
        {".5", 0.5},
        {".", 0},
        {"n/a", 0},
        {"", 0},
    };
    for (const auto& [text, value] : amounts) {
        EXPECT_EQ(CleanNumberValue(text), value) << text;
    }
}

TEST(FieldCatalogueTest, TitlesAndValuesFollowTheNumbering)
{
    Database database;
    database.OtherCaptions[0] = "Hired";
    ItemRecord record;
    record.RecordName = "Ann";
    record.Desc[1] = "Nights : Part Time : Shift";
    record.Desc[10] = "Top";
    record.Detail[0] = "1 High St";
    record.Detail[9] = "123";
    record.Other[1] = "2001-05-01";
    record.Other[6] = "sixth";
    record.SalaryFigures[1] = "12.50";
    record.SalaryFigures[6] = "26000.00";
    record.Working = true;
    record.NotAvailable = true;

    const struct {
        int number;
        const char* spreadsheetTitle;
        const char* spreadsheetValue;
        const char* reportTitle;
        const char* reportValue;
    } fields[] = {
        {10, "Type", "Nights : Part Time : Shift", "Type", "Nights : Part Time : Shift"},
        {100, "Description 9", "Top", "Description 9", "Top"},
        {110, "Street", "1 High St", "Street", "1 High St"},
        {200, "S.S.N.", "123", "S.S.N.", "123"},
        {210, "Status", "Working", "Status", "Working"},
        {220, "Record #", "3", "Record #", "3"},
        {230, "Name", "Ann", "Name", "Ann"},
        {240, "Image One", "", "Hired", "2001-05-01"},
        {290, "Image Six", "", "Other 6", "sixth"},
        {300, "Hired", "2001-05-01", "Hourly Salary", "12.50"},
        {350, "Other 6", "sixth", "Yearly Salary", "26000.00"},
        {0, "", "", "", ""},
        {245, "", "", "", ""},
        {360, "", "", "", ""},
        {-1, "", "", "", ""},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(f.number);
        EXPECT_EQ(FieldTitle(f.number, FieldNumbering::Spreadsheet, database), f.spreadsheetTitle);
        EXPECT_EQ(FieldValue(record, 3, f.number, FieldNumbering::Spreadsheet, false),
                  f.spreadsheetValue);
        EXPECT_EQ(FieldTitle(f.number, FieldNumbering::Report, database), f.reportTitle);
        EXPECT_EQ(FieldValue(record, 3, f.number, FieldNumbering::Report, false), f.reportValue);
    }
    // Short description values end before the first colon, wherever it is.
    EXPECT_EQ(FieldValue(record, 3, 10, FieldNumbering::Report, true), "Nights ");
    EXPECT_EQ(FieldValue(record, 3, 100, FieldNumbering::Report, true), "Top");
    EXPECT_EQ(ShownDescriptionValue("Ratio 1:2 : Top", true), "Ratio 1");

    record.Working = false;
    EXPECT_EQ(FieldValue(record, 1, 210, FieldNumbering::Report, false), "Not Available");
    record.Available = true;
    EXPECT_EQ(FieldValue(record, 1, 210, FieldNumbering::Report, false), "Available");
    record.Available = record.NotAvailable = false;
    EXPECT_EQ(FieldValue(record, 1, 210, FieldNumbering::Report, false), "");

    // A changed caption shows at once.
    database.DetailCaptions[0] = "Road";
    EXPECT_EQ(FieldTitle(110, FieldNumbering::Report, database), "Road");
}

// Every number of a field is stored somewhere (settings, saved searches, report formats), so
// the first and last of each run are pinned here, and no number may name two fields.
TEST(RecordFieldsTest, EachNumberingNamesEveryFieldOnceWhereStoredFilesExpectIt)
{
    // Each numbering's pinned numbers, "number key" pairs, in order.
    const struct {
        const char* numbering;
        int RecordField::*number;
        const char* pinned;
    } numberings[] = {
        {"sort key", &RecordField::sortKey,
         "1 Desc1 10 Desc10 11 Detail0 20 Detail9 21 Other1 26 Other6 27 Name 28 HourlySalary "
         "33 YearlySalary"},
        {"search tag", &RecordField::searchTag,
         "0 Desc1 90 Desc10 100 Detail0 190 Detail9 195 Schedule 197 Skills 200 Status 210 Name "
         "220 Keywords 230 ResumeFile 240 Notes 250 Experience 260 Other1 310 Other6 "
         "320 HoursPerWeek 330 HourlySalary 335 YearlySalary 340 SalaryType"},
        {"spreadsheet", &RecordField::sheetNumber,
         "10 Desc1 100 Desc10 110 Detail0 200 Detail9 210 Status 220 RecordNumber 230 Name "
         "240 Image1 290 Image6 300 Other1 350 Other6"},
        {"report", &RecordField::reportNumber,
         "10 Desc1 100 Desc10 110 Detail0 200 Detail9 210 Status 220 RecordNumber 230 Name "
         "240 Other1 290 Other6 300 HourlySalary 350 YearlySalary"},
        {"quick export", &RecordField::exportColumn,
         "0 Name 1 Desc1 10 Desc10 11 Detail0 20 Detail9 21 Status 22 Other1 27 Other6 "
         "28 HourlySalary 33 YearlySalary 34 WorkDaysPerWeek 35 HoursPerWeek"},
        {"relation", &RecordField::relation,
         "0 Desc1 90 Desc10 100 Detail0 190 Detail9 200 Status"},
    };
    for (const auto& numbering : numberings) {
        SCOPED_TRACE(numbering.numbering);
        std::map<int, std::string> named;
        for (const RecordField& field : RecordFields()) {
            const int number = field.*numbering.number;
            if (number != NotNumbered) {
                EXPECT_TRUE(named.emplace(number, field.key).second) << number << " twice";
            }
        }
        std::istringstream pinned(numbering.pinned);
        std::vector<int> numbers;
        for (std::string key; pinned >> numbers.emplace_back() >> key;) {
            EXPECT_EQ(named[numbers.back()], key) << numbers.back();
        }
        numbers.pop_back();
        EXPECT_EQ(named.begin()->first, numbers.front()) << "first";
        EXPECT_EQ(named.rbegin()->first, numbers.back()) << "last";
    }
    // Export columns leave no gap: every line has 36 cells.
    std::set<int> columns;
    for (const RecordField& field : RecordFields()) {
        if (field.exportColumn != NotNumbered) {
            columns.insert(field.exportColumn);
        }
    }
    EXPECT_EQ(columns.size(), 36U);
    EXPECT_EQ(*columns.rbegin(), 35);

    EXPECT_EQ(FieldBySearchTag(-1), nullptr);
    EXPECT_EQ(FieldBySearchTag(1000), nullptr);
    EXPECT_EQ(FieldBySortKey(0), nullptr);
    EXPECT_EQ(FieldBySheetNumber(351), nullptr);
}

TEST(RecordFieldsTest, EachStoredTextIsReadAndWrittenWhereTheRecordKeepsIt)
{
    ItemRecord record;
    for (const RecordField& field : RecordFields()) {
        if (field.text != nullptr) {
            field.text(record) = field.key;
        }
        if (field.lines != nullptr) {
            field.lines(record).push_back(field.key);
        }
    }
    EXPECT_EQ(record.RecordName, "Name");
    EXPECT_EQ(record.Desc[1], "Desc1");
    EXPECT_EQ(record.Desc[10], "Desc10");
    EXPECT_EQ(record.Detail[0], "Detail0");
    EXPECT_EQ(record.Detail[9], "Detail9");
    EXPECT_EQ(record.Other[1], "Other1");
    EXPECT_EQ(record.Other[6], "Other6");
    EXPECT_EQ(record.SalaryFigures[1], "HourlySalary");
    EXPECT_EQ(record.SalaryFigures[6], "YearlySalary");
    EXPECT_EQ(record.HoursPerWeek, "HoursPerWeek");
    EXPECT_EQ(record.WorkDaysPerWeek, "WorkDaysPerWeek");
    EXPECT_EQ(record.Keywords, StringList({"Keywords"}));
    EXPECT_EQ(record.ResumeFile, StringList({"ResumeFile"}));
    EXPECT_EQ(record.Notes, StringList({"Notes"}));
}

}  // namespace
}  // namespace quillmark
