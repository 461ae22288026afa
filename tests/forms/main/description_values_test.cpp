// The description page: the category menus of the description fields, the values picked from
// them, the captions the user gives the fields, and the dates typed into the date fields.

#include "support/view_fixture.h"

#include "forms/edit_mask.h"
#include "forms/main/field_captions.h"

#include <optional>
#include <tuple>
#include <utility>

namespace quillmark::test {
namespace {

// Field 2's tree: Shift with Part Time and Nights under it, and a category whose own text
// holds a colon.
constexpr const char* ShiftTree =
    "Shift\r\n\tFull Time\r\n\tPart Time\r\n\t\tNights\r\n"
    "Ratio 2:1\r\n";

class DescriptionValuesTest : public ViewTest {
protected:
    void SetUp() override
    {
        workspace.database.DescriptionTrees[2] = ShiftTree;
        ViewTest::SetUp();
    }
};

TEST_F(DescriptionValuesTest, PickingStoresTheLeafFirstPathAndTheMenusFollowTheCaption)
{
    view.DescMenuClick(2, {2, 1, 0});
    EXPECT_EQ(session.Record(0).Desc[2], "Nights : Part Time : Shift");
    EXPECT_EQ(view.Description.DescBoxes[2].text, "Nights : Part Time : Shift");
    view.ShortDescriptionValues1Click();
    EXPECT_TRUE(view.Actions.ShortDescriptionValues.checked);
    EXPECT_EQ(view.Description.DescBoxes[2].text, "Nights ");
    EXPECT_EQ(view.Description.DescBoxes[2].hint, "Nights : Part Time : Shift");

    // A category holding a colon is cut there too, but its value is kept whole.
    view.DescMenuClick(2, {3});
    EXPECT_EQ(view.Description.DescBoxes[2].text, "Ratio 2");
    EXPECT_EQ(session.Record(0).Desc[2], "Ratio 2:1");
    view.ShortDescriptionValues1Click();
    EXPECT_EQ(view.Description.DescBoxes[2].text, "Ratio 2:1");
    view.DescMenuClick(2, {1});  // clear field
    EXPECT_EQ(session.Record(0).Desc[2], "");
    EXPECT_EQ(view.Description.DescBoxes[2].text, "");
    EXPECT_EQ(view.Description.DescBoxes[2].hint, "");
    EXPECT_FALSE(view.DescBoxClick(11));  // no such field

    // The menus hold the fixed entries, then the tree, and follow the caption.
    const auto& menu = view.DescMenus[2];
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[0].caption, "ADD NEW CATEGORY CATEGORY");
    EXPECT_EQ(menu[2].children[1].children.at(0).caption, "Nights");

    // Captions typed anew, even empty ones, and another database's trees show at the next
    // activation; a cancelled caption stays.
    dialogs.Type("").CancelInput().Type("Shift \xe9t\xe9");
    view.CustomizeLabels("Desc1");
    view.CustomizeLabels("Desc2");
    EXPECT_EQ(workspace.database.DescriptionCaptions[1], "Category");
    view.CustomizeLabels("Desc2");
    workspace.database.DescriptionTrees[2].clear();
    view.FormDeactivate();
    view.FormActivate();
    EXPECT_EQ(view.DescMenus[1][0].caption, "ADD NEW  CATEGORY");
    ASSERT_EQ(view.DescMenus[2].size(), 2u);  // an empty tree: the two fixed entries alone
    EXPECT_EQ(view.DescMenus[2][0].caption, "ADD NEW SHIFT \xc9T\xc9 CATEGORY");
}

TEST_F(DescriptionValuesTest, RenamedCaptionsDecideWhichFieldsAreDateFields)
{
    // Birth Date is a date field to begin with; the calendar opens just off the pointer and
    // shows today.
    dialogs.PickDay(CalendarDate{1999, 3, 5});
    view.DetailClick("Detail2", 300, 200);
    ASSERT_EQ(dialogs.CalendarsShown.size(), 1u);
    const auto& [x, y, initial] = dialogs.CalendarsShown[0];
    EXPECT_EQ(std::tuple(x, y, initial), std::tuple(310, 210, CalendarDate{2024, 3, 15}));
    EXPECT_EQ(view.Description.Detail[2].text, "03/05/1999");
    dialogs.Type("Birthday").Type("Start Date").Type("Hire date");
    view.CustomizeLabels("sn2");
    view.CustomizeLabels("sn4");
    view.CustomizeLabels("OtherC1");
    EXPECT_EQ(dialogs.Messages.at(0), (ScriptedDialogs::Shown{ScriptedDialogs::Kind::Input,
                                                              "Please enter a new Filed Name:"}));
    EXPECT_EQ(workspace.database.DetailCaptions[2], "Birthday");
    EXPECT_EQ(workspace.database.DetailCaptions[4], "Start Date");
    EXPECT_EQ(workspace.database.OtherCaptions[0], "Hire date");
    view.DetailClick("Detail2", 0, 0);  // no longer a date field
    view.DetailClick("Other1", 0, 0);   // "date" in lower case is not the word
    EXPECT_EQ(dialogs.CalendarsShown.size(), 1u);
    EXPECT_EQ(view.Description.Detail[2].text, "03/05/1999");

    // The calendar opens at the box's own day; closing it without a pick leaves the box alone.
    dialogs.PickDay(std::nullopt).PickDay(std::nullopt);
    view.Description.Detail[4].text = "12/31/1980";
    view.DetailClick("Detail4", 0, 0);
    view.Description.Detail[4].text = "";
    view.DetailClick("Detail4", 0, 0);
    EXPECT_EQ(dialogs.CalendarsShown.at(1).initial, (CalendarDate{1980, 12, 31}));
    EXPECT_EQ(dialogs.CalendarsShown.at(2).initial, (CalendarDate{2024, 3, 15}));
    EXPECT_EQ(view.Description.Detail[4].text, "");

    // A read-only record opens no calendar.
    view.ReadonlyBox.checked = true;
    view.ReadonlyBoxClick();
    view.DetailClick("Detail4", 0, 0);
    EXPECT_EQ(dialogs.CalendarsShown.size(), 3u);
}

TEST(DateBoxText, GivesTheDayOnlyWhenTheBoxHoldsAWholeRealDate)
{
    for (const auto& [text, day] : {std::pair("03/05/1999", CalendarDate{1999, 3, 5}),
                                    {" 3/5/1999 ", CalendarDate{1999, 3, 5}},
                                    {"02/29/2000", CalendarDate{2000, 2, 29}}}) {
        EXPECT_EQ(CalendarDateFromText(text), day) << '"' << text << '"';
    }
    // "12/__/____" and "  /  /    " are the mask's blanks.
    for (const char* text : {"02/29/1900", "04/31/2001", "13/01/2001", "12/__/____", "  /  /    ",
                             "", "03/05/99", "03//1999", "1999-03-05"}) {
        EXPECT_EQ(CalendarDateFromText(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(EditMaskTest, TheDateMaskIsLaidOnlyOverTextsThatFitIt)
{
    const std::string dateMask = "!99/99/0000;1;_";
    for (const char* text : {"", "12/31/1999", " 1/ 2/1999"}) {
        EXPECT_TRUE(TextFitsMask(text, dateMask)) << '"' << text << '"';
    }
    for (const char* text :
         {"1999/12/31", "12/31/99", "12-31-1999", "12/31/ 999", "ab/cd/efgh", "12/31/19999"}) {
        EXPECT_FALSE(TextFitsMask(text, dateMask)) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace quillmark::test
