#include "app/view_fixture.h"

#include "app/description_menus.h"

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

TEST_F(DescriptionValuesTest, MenusHoldTheFixedEntriesThenTheTreeAndFollowTheCaption)
{
    const auto& menu = view.DescMenus[2];
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[0].caption, "ADD NEW CATEGORY CATEGORY");
    EXPECT_EQ(menu[1].caption, "CLEAR FIELD");
    EXPECT_EQ(menu[2].caption, "Shift");
    ASSERT_EQ(menu[2].children.size(), 2u);
    EXPECT_EQ(menu[2].children[1].children.at(0).caption, "Nights");
    EXPECT_EQ(menu[2].children[1].children.at(0).tag, 2);
    EXPECT_EQ(view.DescMenus[1][0].caption, "ADD NEW TYPE CATEGORY");

    // Opening another database's trees or renaming shows at the next activation.
    workspace.database.DescriptionTrees[2].clear();
    workspace.database.DescriptionCaptions[1] = "Shift \xe9t\xe9";
    view.FormDeactivate();
    view.FormActivate();
    ASSERT_EQ(view.DescMenus[2].size(), 2u);  // an empty tree: the two fixed entries alone
    EXPECT_EQ(view.DescMenus[2][0].caption, "ADD NEW SHIFT \xc9T\xc9 CATEGORY");
}

TEST_F(DescriptionValuesTest, PickingStoresTheLeafFirstPathAndShowsItWholeOrShort)
{
    EXPECT_TRUE(view.DescBoxClick(2));
    view.DescMenuClick(2, {2});  // the top-level category
    EXPECT_EQ(session.Record(0).Desc[2], "Shift");
    EXPECT_EQ(view.Description.DescBoxes[2].text, "Shift");

    view.DescMenuClick(2, {2, 1, 0});
    EXPECT_EQ(session.Record(0).Desc[2], "Nights : Part Time : Shift");
    EXPECT_EQ(view.Description.DescBoxes[2].hint, "Nights : Part Time : Shift");
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
    EXPECT_FALSE(view.Actions.ShortDescriptionValues.checked);
    EXPECT_EQ(view.Description.DescBoxes[2].text, "Ratio 2:1");
}

TEST_F(DescriptionValuesTest, ClearingEmptiesRecordAndBoxAndReadOnlyRecordsKeepTheirMenusShut)
{
    view.DescMenuClick(2, {2, 0});
    ASSERT_EQ(session.Record(0).Desc[2], "Full Time : Shift");

    view.DescMenuClick(2, {1});
    EXPECT_EQ(session.Record(0).Desc[2], "");
    EXPECT_EQ(view.Description.DescBoxes[2].text, "");
    EXPECT_EQ(view.Description.DescBoxes[2].hint, "");

    view.ReadonlyBox.checked = true;
    view.ReadonlyBoxClick();
    EXPECT_FALSE(view.DescBoxClick(2));
    EXPECT_FALSE(view.DescBoxClick(11));  // no such field
}

}  // namespace
}  // namespace quillmark::test
