#include "engine/record_sorting.h"
#include "engine/related_records.h"
#include "engine/salary_calculation.h"

#include <gtest/gtest.h>

#include <functional>

// Sorting, the salary figures and related records at their edges: the first and last key and
// field of each kind, the smallest list that needs sorting, and the limits of work days and hours.
namespace quillmark {
namespace {

ItemRecordList TwoRecords(int key)
{
    ItemRecordList records;
    for (const char* value : {"b", "a"}) {
        auto record = std::make_shared<ItemRecord>();
        record->RecordName = std::string("name ") + (key == 0 ? value : "same");
        if (key >= 1 && key <= 10) {
            record->Desc[key] = value;
        } else if (key >= 11 && key <= 20) {
            record->Detail[static_cast<std::size_t>(key - 11)] = value;
        } else if (key >= 21 && key <= 26) {
            record->Other[key - 20] = value;
        } else if (key >= 28 && key <= 33) {
            // Numbers: "9" is less than "10", although it is not as text.
            record->SalaryFigures[key - 27] = *value == 'b' ? "$10.00" : "9";
        }
        records.push_back(record);
    }
    return records;
}

TEST(RuleBoundaries, EachSortKeyOrdersTwoRecordsByItsOwnField)
{
    // Any key outside 1..33, and 27, means the name.
    for (int key : {1, 10, 11, 20, 21, 26, 28, 33, 0, 27, 34}) {
        SCOPED_TRACE(key);
        ItemRecordList records = TwoRecords(key == 27 || key == 34 ? 0 : key);
        const ItemRecord* first = records[1].get();
        DoSort(records, SortKey{key}, true);
        EXPECT_EQ(records[0].get(), first);
        DoSort(records, SortKey{key}, false);
        EXPECT_EQ(records[1].get(), first);
    }
}

TEST(RuleBoundaries, WorkDaysRunFromOneToSevenAndADayFromNoHoursTo24)
{
    const struct {
        const char* hours;
        const char* days;
        const char* status;
    } cases[] = {
        {"40", "0.99", "Work Days per week must be greater then 1."},
        {"40", "1", "Warning:  Hours per day exceeds 24."},
        {"24", "1", "Calculation Successful"},
        {"24.01", "1", "Warning:  Hours per day exceeds 24."},
        {"40", "7", "Calculation Successful"},
        {"40", "7.01", "Work Days per week can not be greater then 7."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.hours) + " / " + c.days);
        EXPECT_EQ(CalculateSalaryFigures(c.hours, "100", c.days, 3).Status, c.status);
    }
}

TEST(RuleBoundaries, RecalculatingUsesTheRecordsPayPeriodAndYearlyForAnyOther)
{
    const struct {
        int type;
        const char* hourly;  // 40 hours, 5 days, 2080 paid for the period
    } cases[] = {
        {1, "2080.00"}, {5, "1.00"}, {6, "1.00"}, {0, "1.00"}, {7, "1.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        ItemRecord record;
        record.HoursPerWeek = "40";
        record.SalaryAmount = c.type == 5 ? "173.33333333" : "2080";
        record.SalaryType = c.type;
        EXPECT_TRUE(RecalculateSalary(record).Calculated);
        EXPECT_EQ(record.SalaryFigures[1], c.hourly);
        EXPECT_EQ(record.SalaryFigures[6], c.type == 1 ? "4326400.00" : "2080.00");
    }
    ItemRecord unpaid;
    unpaid.SalaryFigures[6] = "1.00";
    EXPECT_FALSE(RecalculateSalary(unpaid).Calculated);
    EXPECT_EQ(unpaid.SalaryFigures[6], "") << "figures that no longer follow are cleared";
}

TEST(RuleBoundaries, RelationsCompareTheFirstToTheLastFieldOfTheirKind)
{
    ItemRecord shown;
    for (int field = 1; field <= 10; ++field) {
        shown.Desc[field] = "Sub : Top";
        shown.Detail[static_cast<std::size_t>(field - 1)] = "d";
    }
    shown.Working = true;
    const auto desc = [](int field, const char* value) {
        return [=](ItemRecord& r) { r.Desc[field] = value; };
    };
    const auto detail = [](std::size_t field) {
        return [=](ItemRecord& r) { r.Detail[field] = "D"; };
    };
    const struct {
        int relation;
        std::function<void(ItemRecord&)> fill;
        bool related;
    } cases[] = {
        {CompleteRelation(1), desc(1, "SUB : TOP"), true},
        {CompleteRelation(1), desc(2, "Sub : Top"), false},
        {PrimaryRelation(1), desc(1, "Other : top"), true},
        {PrimaryRelation(1), desc(1, "Top"), false},  // the top keeps the blank after ":"
        {CompleteRelation(10), desc(10, "Other : Top"), false},
        {PrimaryRelation(10), desc(10, "Other : Top"), true},
        {PrimaryRelation(10), desc(9, "Other : Top"), false},
        {1, desc(1, "Sub : Top"), false},
        {DetailRelation(0), detail(0), true},
        {DetailRelation(9), detail(9), true},
        {DetailRelation(9), detail(8), false},
        {DetailRelation(0) + 5, detail(0), false},
        {StatusRelation, [](ItemRecord& r) { r.NotAvailable = true; }, true},
        {StatusRelation, [](ItemRecord& r) { r.Available = r.NotAvailable = true; }, false},
        {StatusRelation + 10, desc(1, "Sub : Top"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.relation);
        ItemRecord record;
        c.fill(record);
        EXPECT_EQ(IsRelated(record, shown, c.relation), c.related);
    }
    EXPECT_TRUE(IsRelated(ItemRecord{}, ItemRecord{}, DetailRelation(3))) << "empty is a value";

    // The record on show may be the first or the last; one outside the list relates nothing.
    const ItemRecordList records = {std::make_shared<ItemRecord>(shown),
                                    std::make_shared<ItemRecord>(shown)};
    EXPECT_EQ(RelatedPositions(records, 0, DetailRelation(0)), std::vector<int>{1});
    EXPECT_EQ(RelatedPositions(records, 1, DetailRelation(0)), std::vector<int>{0});
    EXPECT_TRUE(RelatedPositions(records, 2, DetailRelation(0)).empty());
    EXPECT_TRUE(RelatedPositions(records, -1, DetailRelation(0)).empty());
}

}  // namespace
}  // namespace quillmark
