#include "forms/form_helpers.h"
#include "support/test_helpers.h"
#include "support/view_fixture.h"

#include "core/file_io.h"
#include "forms/categories/add_description_form.h"

namespace quillmark::test {
namespace {

constexpr const char* RemoveWarning =
    "will be effected by this change.  Are you sure you want to continue ?";

// Field 1's tree: two top-level categories that both have a Part Time below them.
constexpr const char* ShiftTree =
    "Shift\r\n\tFull Time\r\n\tPart Time\r\n\t\tNights\r\nContract\r\n\tPart Time\r\n";

class CategoryEditorTest : public ViewTest {
protected:
    void SetUp() override
    {
        workspace.database.DescriptionTrees[1] = ShiftTree;
        ViewTest::SetUp();
    }

    // Records 1.. with these values of field 1; the first record is on show.
    void GiveValues(const std::vector<std::string>& values)
    {
        for (std::size_t i = 1; i < values.size(); ++i) {
            view.NewRecord1Click();
        }
        GoTo("1");
        for (std::size_t i = 0; i < values.size(); ++i) {
            session.Record(static_cast<int>(i)).Desc[1] = values[i];
        }
        view.GetRecord(0);
    }

    // Opens the editor from field 1's menu and lets the user work in it, then closes it.
    void EditCategories(const std::function<void(TAddDescription&)>& user)
    {
        session.shell.OnDialog([user](TAddDescription& editor) {
            user(editor);
            editor.CloseBtnClick();
        });
        view.DescMenuClick(1, {0});
    }
};

TEST_F(CategoryEditorTest, RenamingAMiddleCategoryRewritesOnlyTheValuesBelowIt)
{
    GiveValues({"Nights : Part Time : Shift", "part time : SHIFT", "Part Time : Contract",
                "Full Time : Shift", "Shift"});
    EditCategories([](TAddDescription& editor) {
        editor.Selected = {0, 1};
        editor.AddText.text = "Half Time";
        editor.RenameBtnClick();
        editor.AddText.text.clear();
        editor.Selected = {1};
        editor.RenameBtnClick();  // an empty name renames nothing
    });
    EXPECT_EQ(Collect(workspace.RecordList(), [](const auto& record) { return record->Desc[1]; }),
              (std::vector<std::string>{"Nights : Half Time : Shift", "Half Time : Shift",
                                        "Part Time : Contract", "Full Time : Shift", "Shift"}));
    // The record on show shows its new value once the editor is closed.
    EXPECT_EQ(view.Description.DescBoxes[1].hint, "Nights : Half Time : Shift");
    EXPECT_EQ(view.DescMenus[1][2].children[1].caption, "Half Time");
}

TEST_F(CategoryEditorTest, InsertedCategoriesGoToTheRecordOnShowAndUnusedOnesGoWithoutAQuestion)
{
    EditCategories([](TAddDescription& editor) {
        editor.InsertBtnClick();  // an empty name adds nothing
        editor.AddText.text = "Temporary";
        editor.Selected = {0, 0};
        editor.InsertBtnClick();
        editor.AddText.text = "Days";
        editor.Selected = {0, 1};
        editor.AddChildBtnClick();
    });
    EXPECT_EQ(workspace.database.DescriptionTrees[1],
              "Shift\r\n\tFull Time\r\n\tPart Time\r\n\t\tNights\r\n\t\tDays\r\n"
              "\tTemporary\r\nContract\r\n\tPart Time\r\n");
    EXPECT_EQ(session.Record(0).Desc[1], "Days : Part Time : Shift");
    EXPECT_EQ(view.Description.DescBoxes[1].text, "Days : Part Time : Shift");

    // Removing a category no record uses asks nothing and leaves nothing selected.
    EditCategories([](TAddDescription& editor) {
        editor.Selected = {0, 2};
        editor.RemoveBtnClick();
        editor.RemoveBtnClick();
        editor.AddText.text = "Seasonal";
        editor.InsertBtnClick();  // a new top-level category
    });
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(workspace.database.DescriptionTrees[1],
              "Shift\r\n\tFull Time\r\n\tPart Time\r\n\t\tNights\r\n\t\tDays\r\n"
              "Contract\r\n\tPart Time\r\nSeasonal\r\n");
    EXPECT_EQ(session.Record(0).Desc[1], "Seasonal");
    EXPECT_EQ(view.DescMenus[1].back().caption, "Seasonal");
}

TEST_F(CategoryEditorTest, SortingAndDraggingKeepCategoriesAtTheirDepth)
{
    EditCategories([](TAddDescription& editor) {
        // Only categories of equal depth take a drop.
        EXPECT_FALSE(editor.DescriptionListDragOver({0, 1}, {1}));
        EXPECT_FALSE(editor.DescriptionListDragOver({0, 1}, {0, 1}));
        EXPECT_TRUE(editor.DescriptionListDragOver({0, 1}, {1, 0}));
        editor.DescriptionListDragDrop({0, 1}, {0});  // refused: not the same depth
        // Part Time with Nights moves under Contract, before its Part Time.
        editor.DescriptionListDragDrop({0, 1}, {1, 0});
        // Moving forward among siblings lands just before the target.
        editor.DescriptionListDragDrop({0}, {1});
        EXPECT_EQ(editor.DescriptionList[0].Text, "Shift");
        editor.SortEverythingBtnClick();
    });
    EXPECT_EQ(workspace.database.DescriptionTrees[1],
              "Contract\r\n\tPart Time\r\n\t\tNights\r\n\tPart Time\r\nShift\r\n\tFull Time\r\n");
    workspace.database.DescriptionTrees[1] = "b\r\n\tz\r\n\tY\r\n\tx\r\na\r\n";
    EditCategories([](TAddDescription& editor) {
        editor.Selected = {0};
        editor.SortChildrenBtnClick();
    });
    EXPECT_EQ(workspace.database.DescriptionTrees[1], "b\r\n\tx\r\n\tY\r\n\tz\r\na\r\n");
}

TEST_F(CategoryEditorTest, MakeDefaultAndHelpThenRemovingAsksWithTheCountOfRecords)
{
    const TemporaryFolder folder;
    workspace.UserDataFolder = folder.File("new/data");  // neither folder made yet
    EditCategories([](TAddDescription& editor) {
        editor.Selected = {1};
        editor.MakeDefaultBtnClick();
        editor.HelpBtnClick();
    });
    EXPECT_EQ(ReadWholeFile(folder.File("new/data/description1.def")), ShiftTree);
    EXPECT_EQ(session.shell.HelpTopics, std::vector<std::string>{"Customizing the Software"});

    // Removing asks with the count of records under the category.
    GiveValues(
        {"Shift", "Nights : Part Time : Shift", "Full Time : shift", "Part Time : Contract"});
    dialogs.AnswerNo().AnswerYes().AnswerYes().AnswerYes();
    EditCategories([&](TAddDescription& editor) {
        EXPECT_EQ(editor.Caption, "Add Type Category");
        editor.Selected = {0};
        editor.RemoveBtnClick();  // No: nothing changes
        editor.Selected = {1, 0};
        editor.RemoveBtnClick();  // Yes
        editor.Selected = {0, 1, 0};
        editor.RemoveBtnClick();  // Nights: used by one record
        editor.Selected = {0, 0};
        editor.RemoveBtnClick();  // Full Time: one record too, differing in case
    });
    const std::string one = std::string("1 record ") + RemoveWarning;
    EXPECT_EQ(dialogs.Texts(),
              (std::vector<std::string>{std::string("3 records ") + RemoveWarning, one, one, one}));
    EXPECT_EQ(workspace.database.DescriptionTrees[1], "Shift\r\n\tPart Time\r\nContract\r\n");
    // Records keep their values even when the category is gone.
    EXPECT_EQ(session.Record(3).Desc[1], "Part Time : Contract");
}

}  // namespace
}  // namespace quillmark::test
