// Sorting the records: the order against a plain exchange sort, the comparisons a user sees,
// and the "Sort Records" and "Sort Mode" menus of the main window.

#include "app/record_sorting.h"
#include "app/view_fixture.h"

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

std::shared_ptr<ItemRecord> Named(const std::string& name)
{
    auto record = std::make_shared<ItemRecord>();
    record->RecordName = name;
    return record;
}

std::vector<std::string> NamesOf(const ItemRecordList& records)
{
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
                record->Desc[field] = pick(texts);
                record->SalaryFigures[field] = pick(amounts);
            }
            for (std::string& detail : record->Detail) {
                detail = pick(texts);
            }
            for (int field = 1; field <= 6; ++field) {
                record->Other[field] = pick(texts);
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
    ItemRecordList records = {Named("b"), Named("A"), Named("c")};
    DoSort(records, 27, true);
    EXPECT_THAT(NamesOf(records), ElementsAre("A", "b", "c"));
    DoSort(records, 27, false);
    EXPECT_THAT(NamesOf(records), ElementsAre("c", "b", "A"));
    // Key 0, keys past the last and negative ones sort by name too.
    for (const int key : {0, 34, 100, -5}) {
        records = {Named("b"), Named("A"), Named("c")};
        DoSort(records, key, true);
        EXPECT_THAT(NamesOf(records), ElementsAre("A", "b", "c")) << "key " << key;
    }
    // Only ASCII letters fold: "_" lies between the capitals and the small letters, and an
    // accented letter after every ASCII one.
    records = {Named("\xE9"), Named("_"), Named("z"), Named("A")};
    DoSort(records, 27, true);
    EXPECT_THAT(NamesOf(records), ElementsAre("A", "z", "_", "\xE9"));

    // Hourly salaries compare as amounts: empty counts as 0, and $9.50 comes before $10.00,
    // which as text it would not.
    records = {Named("ten"), Named("nine fifty"), Named("none")};
    records[0]->SalaryFigures[1] = "$10.00";
    records[1]->SalaryFigures[1] = "$9.50";
    records[0]->Other[1] = "$10.00";
    records[1]->Other[1] = "$9.50";
    DoSort(records, 28, true);
    EXPECT_THAT(NamesOf(records), ElementsAre("none", "nine fifty", "ten"));
    DoSort(records, 21, true);
    EXPECT_THAT(NamesOf(records), ElementsAre("none", "ten", "nine fifty"));

    // Dates are text: January 1999 before December 1998.
    records = {Named("December"), Named("January")};
    records[0]->Detail[2] = "12/01/1998";
    records[1]->Detail[2] = "01/15/1999";
    DoSort(records, 13, true);
    EXPECT_THAT(NamesOf(records), ElementsAre("January", "December"));

    // Equal keys keep their order both ways; "ann" and "ANN" are equal as names.
    records = {Named("ann"), Named("Bo"), Named("ANN"), Named("bo")};
    DoSort(records, 27, true);
    EXPECT_THAT(NamesOf(records), ElementsAre("ann", "ANN", "Bo", "bo"));
    DoSort(records, 27, false);
    EXPECT_THAT(NamesOf(records), ElementsAre("Bo", "bo", "ann", "ANN"));
}

class SortMenuTest : public ViewTest {
protected:
    // Records named b, A and c, the last one on show with its name typed but not stored.
    void AddBAC()
    {
        view.RecordName.text = "b";
        view.NewRecord1Click();
        view.RecordName.text = "A";
        view.NewRecord1Click();
        view.RecordName.text = "c";
    }

    std::vector<std::string> Captions(const std::vector<MenuItemControl>& entries)
    {
        std::vector<std::string> captions;
        for (const MenuItemControl& entry : entries) {
            captions.push_back(entry.caption);
        }
        return captions;
    }
};

TEST_F(SortMenuTest, EntriesFollowTheCaptionsAtEachActivation)
{
    ASSERT_EQ(view.SortSelect.size(), 34u);
    const Database& database = workspace.database;
    EXPECT_EQ(view.SortSelect[0].caption, "Sort by " + database.DescriptionCaptions[0]);
    EXPECT_EQ(view.SortSelect[10].caption, "Sort by " + database.DetailCaptions[0]);
    EXPECT_EQ(view.SortSelect[21].caption, "Sory by " + database.OtherCaptions[0]);
    EXPECT_EQ(view.SortSelect[27].caption, "Sort by Name");
    const std::vector<std::string> captions = Captions(view.SortSelect);
    EXPECT_THAT(std::vector<std::string>(captions.begin() + 28, captions.end()),
                ElementsAre("Sort by Hourly Salary", "Sort by Daily Salary",
                            "Sort by Weekly Salary", "Sort by Bi-Monthly Salary",
                            "Sort by Monthly Salary", "Sort by Yearly Salary"));
    // Entry 21 sorts by the last detail field, as entry 20 does, and says so.
    EXPECT_EQ(view.SortSelect[20].caption, view.SortSelect[19].caption);
    std::vector<int> keys;
    for (const MenuItemControl& entry : view.SortSelect) {
        keys.push_back(entry.tag);
    }
    EXPECT_EQ(keys, (std::vector<int>{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                      13, 14, 15, 16, 17, 18, 19, 20, 20, 21, 22, 23,
                                      24, 25, 26, 27, 28, 29, 30, 31, 32, 33}));

    // Renamed captions show at the next activation, in the menu and in the tool button's copy.
    workspace.database.DetailCaptions[2] = "Born";
    workspace.database.OtherCaptions[5] = "Hired";
    Leave();
    view.FormActivate();
    EXPECT_EQ(view.SortSelect[12].caption, "Sort by Born");
    EXPECT_EQ(view.SortSelect[26].caption, "Sory by Hired");
    view.SortRecordBtnClick();
    EXPECT_EQ(Captions(view.SortMenu), Captions(view.SortSelect));
}

TEST_F(SortMenuTest, SortingKeepsThePositionOnShowAndStoresTheWindowFirst)
{
    AddBAC();
    view.PreviousTBtnClick();  // stores "c", shows A at number 2
    view.RecordName.text = "a";
    workspace.ChangeFlag = false;

    view.SortSelectClick(28);  // by name, ascending at start
    EXPECT_THAT(session.Names(), ElementsAre("a", "b", "c"));
    EXPECT_EQ(workspace.SortMode, 27);
    EXPECT_TRUE(workspace.ChangeFlag);
    // Number 2 stays on show, now another employee.
    EXPECT_EQ(view.number.text, "2");
    EXPECT_EQ(view.RecordName.text, "b");

    view.DescendingClick();
    EXPECT_TRUE(view.Actions.Descending.checked);
    EXPECT_FALSE(view.Actions.Ascending.checked);
    view.SortRecordBtnClick();
    view.SortSelectClick(28);  // the same entry from the tool button's pop-up
    EXPECT_THAT(session.Names(), ElementsAre("c", "b", "a"));
    view.AscendingClick();
    EXPECT_TRUE(view.Actions.Ascending.checked);
    EXPECT_FALSE(view.Actions.Descending.checked);

    // Hourly salaries: empty first, then $9.50, then $10.00.
    session.Record(0).SalaryFigures[1] = "$10.00";
    session.Record(2).SalaryFigures[1] = "$9.50";
    view.SortSelectClick(29);
    EXPECT_THAT(session.Names(), ElementsAre("b", "a", "c"));
    EXPECT_EQ(workspace.SortMode, 28);
    EXPECT_EQ(view.RecordName.text, "a");
    EXPECT_TRUE(dialogs.Messages.empty());
}

}  // namespace
}  // namespace quillmark::test
