#include "app/view_fixture.h"

namespace quillmark::test {
namespace {

using FieldCaptionsTest = ViewTest;

TEST_F(FieldCaptionsTest, RenamedCaptionsDecideWhichFieldsAreDateFields)
{
    // Birth Date is a date field to begin with; the calendar opens just off the pointer and
    // shows today.
    dialogs.PickDay(CalendarDate{1999, 3, 5});
    view.DetailClick("Detail2", 300, 200);
    ASSERT_EQ(dialogs.CalendarsShown.size(), 1u);
    EXPECT_EQ(dialogs.CalendarsShown[0].x, 310);
    EXPECT_EQ(dialogs.CalendarsShown[0].y, 210);
    EXPECT_EQ(dialogs.CalendarsShown[0].initial, (CalendarDate{2024, 3, 15}));
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

    // Closing the calendar without a pick still fills in the day it showed.
    dialogs.PickDay(std::nullopt);
    view.DetailClick("Detail4", 0, 0);
    EXPECT_EQ(view.Description.Detail[4].text, "03/15/2024");
    view.FormDeactivate();
    EXPECT_EQ(session.Record(0).Detail[4], "03/15/2024");

    // A read-only record opens no calendar.
    view.ReadonlyBox.checked = true;
    view.ReadonlyBoxClick();
    view.DetailClick("Detail4", 0, 0);
    EXPECT_EQ(dialogs.CalendarsShown.size(), 2u);
}

TEST_F(FieldCaptionsTest, CaptionsMayBeEmptiedAndCancellingKeepsThem)
{
    dialogs.Type("").CancelInput().Type("Shift & Rota");
    view.CustomizeLabels("Desc1");
    EXPECT_EQ(workspace.database.DescriptionCaptions[0], "");
    view.CustomizeLabels("Desc2");
    EXPECT_EQ(workspace.database.DescriptionCaptions[1], "Category");
    view.CustomizeLabels("Desc2");

    // Menus built from the captions follow at the next activation.
    view.FormDeactivate();
    view.FormActivate();
    EXPECT_EQ(view.DescMenus[1][0].caption, "ADD NEW  CATEGORY");
    EXPECT_EQ(view.DescMenus[2][0].caption, "ADD NEW SHIFT & ROTA CATEGORY");
}

}  // namespace
}  // namespace quillmark::test
