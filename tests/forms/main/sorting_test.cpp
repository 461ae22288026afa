// Sorting the records: the comparisons a user sees, and the "Sort Records" and "Sort Mode"
// menus of the main window.

#include "engine/record_sorting.h"
#include "forms/form_helpers.h"
#include "support/view_fixture.h"

#include <gmock/gmock.h>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> SortedNames(ItemRecordList records, int key, bool ascending = true)
{
    DoSort(records, SortKey{key}, ascending);
    return NamesOf(records);
}

TEST(RecordSorting, TextKeysIgnoreCaseAndSalaryKeysCompareAmounts)
{
    // Only ASCII letters fold: "_" lies between the capitals and the small letters, and an
    // accented letter after every ASCII one; a name that begins another comes first.
    EXPECT_THAT(SortedNames(Named({"\xE9", "_", "zoe", "z", "b", "A"}), 27),
                ElementsAre("A", "b", "z", "zoe", "_", "\xE9"));
    // Equal keys keep their order both ways.
    const ItemRecordList names = Named({"ann", "Bo", "ANN", "bo"});
    EXPECT_THAT(SortedNames(names, 27), ElementsAre("ann", "ANN", "Bo", "bo"));
    EXPECT_THAT(SortedNames(names, 27, false), ElementsAre("Bo", "bo", "ann", "ANN"));

    // Hourly salaries compare as amounts, empty as 0, so $9.50 comes before $10.00; the same
    // texts in a detail field sort as text.
    const ItemRecordList pay = Named({"ten", "nine fifty", "none"});
    pay[0]->SalaryFigures[1] = pay[0]->Other[1] = "$10.00";
    pay[1]->SalaryFigures[1] = pay[1]->Other[1] = "$9.50";
    EXPECT_THAT(SortedNames(pay, 28), ElementsAre("none", "nine fifty", "ten"));
    EXPECT_THAT(SortedNames(pay, 21), ElementsAre("none", "ten", "nine fifty"));
}

using SortMenuTest = ViewTest;

std::vector<std::string> Captions(const std::vector<MenuItemControl>& entries)
{
    return Collect(entries, &MenuItemControl::caption);
}

TEST_F(SortMenuTest, EntriesFollowTheCaptionsAndSortingKeepsThePositionOnShow)
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

    // Sorting stores the window first and keeps the position on show.
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
    EXPECT_TRUE(workspace.ChangeFlag);
    EXPECT_EQ(view.number.text, "2");  // number 2 stays on show, now another employee
    EXPECT_EQ(view.RecordName.text, "b");
    EXPECT_TRUE(dialogs.Messages.empty());
}

}  // namespace
}  // namespace quillmark::test
