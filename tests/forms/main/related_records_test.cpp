// "Display Related Records": the relation menu, the records each relation lists and jumping to
// the one picked.

#include "engine/related_records.h"
#include "forms/form_helpers.h"
#include "support/view_fixture.h"

#include <gmock/gmock.h>

#include <functional>
#include <tuple>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RelatedRecordsTest : public ViewTest {
protected:
    // The first call names and fills the record on show, each later one a new record; the
    // first record is left on show.
    void Add(const std::string& name, const std::function<void(ItemRecord&)>& fill)
    {
        if (added_++ > 0) {
            view.NewRecord1Click();
        }
        ItemRecord& record = session.Record(workspace.RecordCount() - 1);
        record.RecordName = name;
        fill(record);
        view.GetRecord(0);
    }
    int added_ = 0;

    // Chooses the entry with this tag from the button's menu; the pick list's user looks at
    // the names offered and closes it.
    std::vector<std::string> Listed(int relation)
    {
        std::vector<std::string> names;
        session.shell.OnDialog([&](TPickListForm& form) {
            names = Collect(form.Items, &TPickListForm::Entry::name);
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

TEST_F(RelatedRecordsTest, TheStatusOnShowCountsOnceStored)
{
    Add("Ann", [](ItemRecord& r) { r.Available = true; });
    Add("Cid", [](ItemRecord& r) { r.Working = r.NotAvailable = true; });  // all differ
    EXPECT_THAT(Listed(StatusRelation), IsEmpty());
    view.Description.CheckBox1.checked = true;
    Leave();
    EXPECT_THAT(Listed(StatusRelation), ElementsAre("Cid"));
    EXPECT_EQ(session.shell.DialogsShown.back(), "Status");
}

TEST_F(RelatedRecordsTest, DisplayShowsThePickedRecordAndTheMenuFollowsTheCaptions)
{
    Add("Ann", [](ItemRecord& r) { r.Detail[1] = "Leeds"; });
    Add("Bob", [](ItemRecord& r) { r.Detail[1] = "York"; });
    Add("Cid", [](ItemRecord& r) { r.Detail[1] = "leeds"; });
    view.RecordBookChange(TView::NotesTab);
    view.RecordName.text = "Ann Smith";  // typed, not stored yet

    // Display without a selection, or Close with one, change nothing.
    session.shell.OnDialog([](TPickListForm& form) { form.DisplayBtnClick(); });
    Choose(DetailRelation(1));
    session.shell.OnDialog([](TPickListForm& form) {
        form.ItemIndex = 0;
        form.CloseBtnClick();
    });
    Choose(DetailRelation(1));
    EXPECT_EQ(workspace.CurrentIndex, 0);
    EXPECT_EQ(view.RecordBook, TView::NotesTab);
    EXPECT_EQ(view.RecordName.text, "Ann Smith");
    EXPECT_EQ(session.Record(0).RecordName, "Ann");

    // The list starts unselected at every showing.
    session.shell.OnDialog([](TPickListForm& form) {
        EXPECT_EQ(form.ItemIndex, -1);
        EXPECT_FALSE(form.Picked);
        ASSERT_EQ(form.Items.size(), 1u);
        form.ItemIndex = 0;
        form.DisplayBtnClick();
    });
    Choose(DetailRelation(1));
    EXPECT_EQ(session.Record(0).RecordName, "Ann Smith");
    EXPECT_EQ(view.RecordName.text, "Cid");
    EXPECT_EQ(view.number.text, "3");
    EXPECT_EQ(view.RecordBook, TView::DescriptionTab);
    EXPECT_TRUE(dialogs.Messages.empty());

    // The menu follows the captions of the moment.
    view.DisplaySameBtnClick();
    const std::vector<MenuItemControl>& menu = view.DisplaySameMenu;
    ASSERT_EQ(menu.size(), 31u);
    // Each entry's tag names the relation it lists.
    for (const auto& [entry, tag, caption] :
         {std::tuple{0, 5, "Display records with the same Primary \"Type\""},
          {10, 0, "Display records with the same Complete \"Type\""},
          {20, 100, "Display records with the same Street"},
          {29, 190, "Display records with the same S.S.N."},
          {30, 200, "Status"}}) {
        EXPECT_EQ(menu[entry].tag, tag) << entry;
        EXPECT_EQ(menu[entry].caption, caption);
    }

    // Renamed fields show at the next pop-up, and the menu is rebuilt rather than added to.
    workspace.database.DescriptionCaptions[1] = "Shift";
    view.Description.boxname.caption = "State of work";
    view.DisplaySameBtnClick();
    ASSERT_EQ(menu.size(), 31u);
    EXPECT_EQ(menu[11].caption, "Display records with the same Complete \"Shift\"");
    EXPECT_EQ(menu[30].caption, "State of work");
}

}  // namespace
}  // namespace quillmark::test
