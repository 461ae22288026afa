#include "engine/record_sorting.h"
#include "engine/related_records.h"

#include <gtest/gtest.h>

#include <functional>

// Sorting and related records at their edges: the first and last key and field of each kind, and
// the smallest list that needs sorting.
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
    // Equal amounts, however written, stay in their order either way.
    ItemRecordList equal = TwoRecords(28);
    equal[1]->SalaryFigures[1] = "10";
    const ItemRecord* first = equal[0].get();
    for (const bool ascending : {true, false}) {
        DoSort(equal, SortKey{28}, ascending);
        EXPECT_EQ(equal[0].get(), first) << ascending;
    }
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
