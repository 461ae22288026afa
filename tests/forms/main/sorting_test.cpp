// Sorting the records: the order against a plain exchange sort, the comparisons a user sees,
// and the "Sort Records" and "Sort Mode" menus of the main window.

#include "engine/record_sorting.h"
#include "support/view_fixture.h"

#include <gmock/gmock.h>

#include <random>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;

// Neighbours out of order are exchanged, equal keys never, until a pass exchanges nothing.
void ExchangeSort(ItemRecordList& records, int sortKey, bool ascending)
{
    bool swapped = true;
    for (std::size_t limit = records.size(); limit > 1 && swapped; --limit) {
        swapped = false;
        for (std::size_t i = 0; i + 1 < limit; ++i) {
            const int result = CompareStrings(sortKey, *records[i], *records[i + 1]);
            if (ascending ? result > 0 : result < 0) {
                std::swap(records[i], records[i + 1]);
                swapped = true;
            }
        }
    }
}

ItemRecordList Named(std::initializer_list<std::string> names)
{
    ItemRecordList records;
    for (const std::string& name : names) {
        records.push_back(std::make_shared<ItemRecord>());
        records.back()->RecordName = name;
    }
    return records;
}

std::vector<std::string> SortedNames(ItemRecordList records, int key, bool ascending = true)
{
    DoSort(records, key, ascending);
    std::vector<std::string> names;
    for (const auto& record : records) {
        names.push_back(record->RecordName);
    }
    return names;
}

TEST(RecordSorting, GivesTheOrderOfAnExchangeSortForEveryKeyAndDirection)
{
    // Few distinct values, so that equal keys are common; letters in both cases, bytes above
    // 127 and texts that are prefixes of others.
    const std::vector<std::string> texts = {
        "",   "ann", "Ann", "ANN",  "annie",      "b",          "B",      "\xE9t\xE9", "\xC9t\xE9",
        "_x", "[x",  "zed", "Zed ", "01/15/1999", "12/01/1998", "$10.00", "$9.50"};
    const std::vector<std::string> amounts = {"",  "$9.50", "$10.00", "10",  "9.5",      "n/a",
                                              ".", "1,000", "-3",     "0.0", "$1,000.00"};
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 random(seed);
        auto pick = [&random](const std::vector<std::string>& from) {
            return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
        };
        ItemRecordList records;
        const int count = std::uniform_int_distribution<int>(0, 40)(random);
        for (int i = 0; i < count; ++i) {
            auto record = std::make_shared<ItemRecord>();
            record->RecordName = pick(texts);
            for (int field = 1; field <= 10; ++field) {
                record->Desc[field] = record->Detail[field - 1] = pick(texts);
                record->SalaryFigures[field] = pick(amounts);
                record->Other[(field - 1) % 6 + 1] = pick(texts);
            }
            records.push_back(record);
        }
        for (int key = -2; key <= 36; ++key) {
            for (const bool ascending : {true, false}) {
                ItemRecordList expected = records;
                ExchangeSort(expected, key, ascending);
                ItemRecordList sorted = records;
                DoSort(sorted, key, ascending);
                ASSERT_EQ(sorted, expected) << "seed " << seed << ", key " << key
                                            << (ascending ? " ascending" : " descending");
            }
        }
    }
}

TEST(RecordSorting, TextKeysIgnoreCaseAndSalaryKeysCompareAmounts)
{
    // Key 0, keys past the last and negative ones sort by name too.
    for (const int key : {27, 0, 34, 100, -5}) {
        EXPECT_THAT(SortedNames(Named({"b", "A", "c"}), key), ElementsAre("A", "b", "c")) << key;
    }
    // Only ASCII letters fold: "_" lies between the capitals and the small letters, and an
    // accented letter after every ASCII one.
    EXPECT_THAT(SortedNames(Named({"\xE9", "_", "z", "A"}), 27),
                ElementsAre("A", "z", "_", "\xE9"));
    // Equal keys keep their order both ways.
    EXPECT_THAT(SortedNames(Named({"ann", "Bo", "ANN", "bo"}), 27, false),
                ElementsAre("Bo", "bo", "ann", "ANN"));

    // Hourly salaries compare as amounts, empty as 0, so $9.50 comes before $10.00; the same
    // texts in a detail field sort as text.
    const ItemRecordList pay = Named({"ten", "nine fifty", "none"});
    pay[0]->SalaryFigures[1] = pay[0]->Other[1] = "$10.00";
    pay[1]->SalaryFigures[1] = pay[1]->Other[1] = "$9.50";
    EXPECT_THAT(SortedNames(pay, 28), ElementsAre("none", "nine fifty", "ten"));
    EXPECT_THAT(SortedNames(pay, 21), ElementsAre("none", "ten", "nine fifty"));
    // Dates are text: January 1999 before December 1998.
    const ItemRecordList dates = Named({"December", "January"});
    dates[0]->Detail[2] = "12/01/1998";
    dates[1]->Detail[2] = "01/15/1999";
    EXPECT_THAT(SortedNames(dates, 13), ElementsAre("January", "December"));
}

using SortMenuTest = ViewTest;

std::vector<std::string> Captions(const std::vector<MenuItemControl>& entries)
{
    std::vector<std::string> captions;
    for (const MenuItemControl& entry : entries) {
        captions.push_back(entry.caption);
    }
    return captions;
}

TEST_F(SortMenuTest, EntriesFollowTheCaptionsAtEachActivation)
{
    const std::vector<std::string> captions = Captions(view.SortSelect);
    ASSERT_EQ(captions.size(), 34u);
    const Database& database = workspace.database;
    EXPECT_EQ(captions[0], "Sort by " + database.DescriptionCaptions[0]);
    EXPECT_EQ(captions[10], "Sort by " + database.DetailCaptions[0]);
    EXPECT_EQ(captions[21], "Sory by " + database.OtherCaptions[0]);
    EXPECT_THAT(std::vector<std::string>(captions.begin() + 27, captions.end()),
                ElementsAre("Sort by Name", "Sort by Hourly Salary", "Sort by Daily Salary",
                            "Sort by Weekly Salary", "Sort by Bi-Monthly Salary",
                            "Sort by Monthly Salary", "Sort by Yearly Salary"));
    // Entry 21 sorts by the last detail field, as entry 20 does, and says so.
    EXPECT_EQ(captions[20], captions[19]);
    for (int entry = 0; entry < 34; ++entry) {
        EXPECT_EQ(view.SortSelect[entry].tag, entry < 20 ? entry + 1 : entry) << entry;
    }

    // Renamed captions show at the next activation, in the menu and in the tool button's copy.
    workspace.database.OtherCaptions[5] = "Hired";
    Leave();
    view.FormActivate();
    EXPECT_EQ(view.SortSelect[26].caption, "Sory by Hired");
    view.SortRecordBtnClick();
    EXPECT_EQ(Captions(view.SortMenu), Captions(view.SortSelect));
}

TEST_F(SortMenuTest, SortingKeepsThePositionOnShowAndStoresTheWindowFirst)
{
    view.RecordName.text = "b";
    view.NewRecord1Click();
    view.RecordName.text = "a";
    view.NewRecord1Click();
    view.RecordName.text = "c";
    view.PreviousTBtnClick();
    view.RecordName.text = "A";  // typed, not stored yet
    workspace.ChangeFlag = false;

    view.SortSelectClick(28);
    EXPECT_THAT(session.Names(), ElementsAre("A", "b", "c"));
    EXPECT_EQ(workspace.SortMode, 27);
    EXPECT_TRUE(workspace.ChangeFlag);
    EXPECT_EQ(view.number.text, "2");  // number 2 stays on show, now another employee
    EXPECT_EQ(view.RecordName.text, "b");
    EXPECT_TRUE(dialogs.Messages.empty());
}

}  // namespace
}  // namespace quillmark::test
