// "Display Related Records": the relation menu, the records each relation lists and jumping to
// the one picked.

#include "app/related_records.h"
#include "app/view_fixture.h"

#include <gmock/gmock.h>

#include <functional>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RelatedRecordsTest : public ViewTest {
protected:
    // Adds a record named `name`, set up by `fill`, and leaves the first record on show.
    void AddRecord(const std::string& name, const std::function<void(ItemRecord&)>& fill)
    {
        view.NewRecord1Click();
        ItemRecord& record = session.Record(workspace.RecordCount() - 1);
        record.RecordName = name;
        fill(record);
        view.GetRecord(0);
    }

    // Sets up the first record, the one on show.
    void SetUpShown(const std::string& name, const std::function<void(ItemRecord&)>& fill)
    {
        session.Record(0).RecordName = name;
        fill(session.Record(0));
        view.GetRecord(0);
    }

    // Chooses the entry with this tag from the button's menu; the pick list's user looks at
    // the names offered and closes it.
    std::vector<std::string> Listed(int relation)
    {
        std::vector<std::string> names;
        session.shell.OnPickList([&](TPickListForm& form) {
            for (const TPickListForm::Entry& entry : form.Items) {
                names.push_back(entry.name);
            }
            form.CloseBtnClick();
        });
        Choose(relation);
        return names;
    }

    void Choose(int relation)
    {
        view.DisplaySameBtnClick();
        for (std::size_t entry = 0; entry < view.DisplaySameMenu.size(); ++entry) {
            if (view.DisplaySameMenu[entry].tag == relation) {
                view.DisplaySameClick(entry);
                return;
            }
        }
        ADD_FAILURE() << "no entry tagged " << relation;
    }
};

TEST_F(RelatedRecordsTest, MenuFollowsTheCaptionsOfTheMoment)
{
    EXPECT_TRUE(view.Actions.DisplaySame.enabled);
    view.DisplaySameBtnClick();
    const std::vector<MenuItemControl>& menu = view.DisplaySameMenu;
    ASSERT_EQ(menu.size(), 31u);
    EXPECT_EQ(menu[0].caption, "Display records with the same Primary \"Type\"");
    EXPECT_EQ(menu[0].tag, 5);
    EXPECT_EQ(menu[9].caption, "Display records with the same Primary \"Description 9\"");
    EXPECT_EQ(menu[9].tag, 95);
    EXPECT_EQ(menu[10].caption, "Display records with the same Complete \"Type\"");
    EXPECT_EQ(menu[10].tag, 0);
    EXPECT_EQ(menu[19].tag, 90);
    EXPECT_EQ(menu[20].caption, "Display records with the same Street");
    EXPECT_EQ(menu[20].tag, 100);
    EXPECT_EQ(menu[29].caption, "Display records with the same S.S.N.");
    EXPECT_EQ(menu[29].tag, 190);
    EXPECT_EQ(menu[30].caption, "Status");
    EXPECT_EQ(menu[30].tag, 200);

    // Renamed fields show at the next pop-up, and the menu is rebuilt rather than added to.
    workspace.database.DescriptionCaptions[1] = "Shift";
    workspace.database.DetailCaptions[2] = "Born";
    view.Description.boxname.caption = "State of work";
    view.DisplaySameBtnClick();
    ASSERT_EQ(menu.size(), 31u);
    EXPECT_EQ(menu[1].caption, "Display records with the same Primary \"Shift\"");
    EXPECT_EQ(menu[11].caption, "Display records with the same Complete \"Shift\"");
    EXPECT_EQ(menu[22].caption, "Display records with the same Born");
    EXPECT_EQ(menu[30].caption, "State of work");
}

TEST_F(RelatedRecordsTest, DescriptionValuesMatchWholeOrByTopCategoryIgnoringCase)
{
    SetUpShown("Ann", [](ItemRecord& r) { r.Desc[1] = "Nights : Part Time : Shift"; });
    AddRecord("Bob", [](ItemRecord& r) { r.Desc[1] = "nights : PART TIME : shift"; });
    AddRecord("Cid", [](ItemRecord& r) { r.Desc[1] = "Days : Full Time : Shift"; });
    AddRecord("Dee", [](ItemRecord& r) { r.Desc[1] = "Days : Full Time : Shifts"; });
    // The top category keeps the blank after its colon, so a one-level value differs from it.
    AddRecord("Eve", [](ItemRecord& r) { r.Desc[1] = "Shift"; });
    AddRecord("Fay", [](ItemRecord& r) { r.Desc[2] = "Nights : Part Time : Shift"; });

    EXPECT_THAT(Listed(CompleteRelation(1)), ElementsAre("Bob"));
    EXPECT_THAT(Listed(PrimaryRelation(1)), ElementsAre("Bob", "Cid"));
    EXPECT_EQ(session.shell.DialogsShown.back(), "Display records with the same Primary \"Type\"");

    // Without a colon the whole value is its own top category.
    view.GetRecord(4);
    EXPECT_THAT(Listed(PrimaryRelation(1)), IsEmpty());
    view.GetRecord(0);

    // Field 2 is empty everywhere but in Fay's record.
    EXPECT_THAT(Listed(CompleteRelation(2)), ElementsAre("Bob", "Cid", "Dee", "Eve"));
    EXPECT_EQ(workspace.CurrentIndex, 0);
}

TEST_F(RelatedRecordsTest, EmptyDetailsAreSharedAndTheRecordOnShowIsNeverListed)
{
    SetUpShown("Ann", [](ItemRecord& r) { r.Detail[0] = "12 High St"; });
    AddRecord("Ann", [](ItemRecord& r) { r.Detail[0] = "12 HIGH ST"; });
    AddRecord("Bob", [](ItemRecord& r) { r.Detail[3] = "Spain"; });
    AddRecord("Ann", [](ItemRecord&) {});

    // The other two Anns are listed, in record order, but not the one on show.
    EXPECT_THAT(Listed(DetailRelation(0)), ElementsAre("Ann"));
    EXPECT_THAT(Listed(DetailRelation(3)), ElementsAre("Ann", "Ann"));
    view.GetRecord(3);
    EXPECT_THAT(Listed(DetailRelation(3)), ElementsAre("Ann", "Ann"));
    EXPECT_THAT(Listed(DetailRelation(0)), ElementsAre("Bob"));
}

TEST_F(RelatedRecordsTest, OneEqualStatusFlagIsEnough)
{
    SetUpShown("Ann", [](ItemRecord& r) { r.Available = true; });
    AddRecord("Bob", [](ItemRecord& r) { r.NotAvailable = true; });              // both not working
    AddRecord("Cid", [](ItemRecord& r) { r.Working = r.NotAvailable = true; });  // all differ
    AddRecord("Dee", [](ItemRecord& r) { r.Working = r.Available = r.NotAvailable = true; });
    AddRecord("Eve", [](ItemRecord& r) { r.Working = r.Available = true; });

    EXPECT_THAT(Listed(StatusRelation), ElementsAre("Bob", "Dee", "Eve"));
    EXPECT_EQ(session.shell.DialogsShown.back(), "Status");

    // The flags on show count once they are stored, as with every other field.
    view.Description.CheckBox1.checked = true;
    Leave();
    EXPECT_THAT(Listed(StatusRelation), ElementsAre("Cid", "Dee", "Eve"));
}

TEST_F(RelatedRecordsTest, DisplayShowsThePickedRecordOnTheDescriptionPage)
{
    SetUpShown("Ann", [](ItemRecord& r) { r.Detail[1] = "Leeds"; });
    AddRecord("Bob", [](ItemRecord& r) { r.Detail[1] = "York"; });
    AddRecord("Cid", [](ItemRecord& r) {
        r.Detail[1] = "leeds";
        r.Notes = {"night shift"};
    });
    view.RecordBookChange(TView::NotesTab);
    view.RecordName.text = "Ann Smith";  // typed, not stored yet

    session.shell.OnPickList([](TPickListForm& form) {
        ASSERT_EQ(form.Items.size(), 1u);
        form.ItemIndex = 0;
        form.DisplayBtnClick();
    });
    Choose(DetailRelation(1));

    EXPECT_EQ(session.Record(0).RecordName, "Ann Smith");
    EXPECT_EQ(workspace.CurrentIndex, 2);
    EXPECT_EQ(view.RecordName.text, "Cid");
    EXPECT_EQ(view.number.text, "3");
    EXPECT_EQ(view.RecordBook, TView::DescriptionTab);
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(RelatedRecordsTest, CloseOrDisplayWithoutASelectionLeaveEverythingAsItWas)
{
    AddRecord("Bob", [](ItemRecord&) {});
    view.RecordBookChange(TView::SkillsTab);
    view.RecordName.text = "Ann";  // typed, not stored yet

    session.shell.OnPickList([](TPickListForm& form) {
        EXPECT_THAT(form.Items, testing::SizeIs(1));
        form.DisplayBtnClick();
    });
    Choose(DetailRelation(0));
    session.shell.OnPickList([](TPickListForm& form) {
        form.ItemIndex = 0;
        form.CloseBtnClick();
    });
    Choose(DetailRelation(0));

    EXPECT_EQ(workspace.CurrentIndex, 0);
    EXPECT_EQ(view.RecordBook, TView::SkillsTab);
    EXPECT_EQ(view.RecordName.text, "Ann");
    EXPECT_EQ(session.Record(0).RecordName, "Untitled 1");

    // The list starts empty and unselected at every showing.
    session.shell.OnPickList([](TPickListForm& form) {
        EXPECT_EQ(form.ItemIndex, -1);
        EXPECT_FALSE(form.Picked);
        form.CloseBtnClick();
    });
    Choose(StatusRelation);
}

}  // namespace
}  // namespace quillmark::test
