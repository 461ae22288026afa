// The main window as a whole: what activating and leaving it do, the doors to the calendar and
// help, and printing the window and the experience table.

#include "engine/print_scaling.h"
#include "support/view_fixture.h"

#include <gmock/gmock.h>

#include <tuple>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using WindowTest = ViewTest;

TEST_F(WindowTest, ActivationOffersNothingForInsertionAndShowsChangesMadeElsewhere)
{
    view.NewRecord1Click();
    view.CopyRecord1Click();
    ASSERT_TRUE(view.Actions.InsertRecord.enabled);
    Leave();
    session.Record(1).RecordName = "Renamed elsewhere";
    view.FormActivate();
    EXPECT_FALSE(view.Actions.InsertRecord.enabled);
    EXPECT_EQ(view.RecordName.text, "Renamed elsewhere");
}

TEST_F(WindowTest, LeavingTheWindowStoresWhatWasTyped)
{
    view.Description.Other[2].text = "Part time";
    view.Description.CheckBox2.checked = true;
    view.Notes.Notes.lines = {"First line", "Second line"};
    // A description box stores the value picked from its menu, whatever was typed over it.
    view.Description.DescBoxes[3].text = "typed over";
    view.Description.DescBoxes[5].hint = "Night : Shift";
    view.Description.DescBoxes[5].text = "Night";
    Leave();
    const ItemRecord& record = session.Record(0);
    EXPECT_EQ(record.Other[2], "Part time");
    EXPECT_TRUE(record.Available && !record.Working);
    EXPECT_THAT(record.Notes, ElementsAre("First line", "Second line"));
    EXPECT_EQ(std::tie(record.Desc[3], record.Desc[5]), std::tuple("", "Night : Shift"));

    // Shown again, the box shows the whole stored value.
    view.GetRecord(0);
    EXPECT_EQ(std::tie(view.Description.DescBoxes[3].text, view.Description.DescBoxes[5].text),
              std::tuple("", "Night : Shift"));
}

TEST_F(WindowTest, CalendarHelpAndPrintFormOpenWhatTheySay)
{
    session.shell.ScreenSizeShown = {1280, 1024};
    view.Calendar1Click();
    session.shell.ScreenSizeShown = {1025, 769};
    view.Calendar1Click();
    EXPECT_THAT(session.shell.CalendarPositions,
                ElementsAre(std::pair(590, 412), std::pair(462, 284)));
    view.Contents1Click();
    view.Introduction1Click();
    view.GettingStarted1Click();
    EXPECT_THAT(session.shell.HelpTopics, ElementsAre("", "Introduction", "Getting Started"));

    // Print Form sends the window to the printer and says so.
    view.QuickPrintClick();
    EXPECT_THAT(session.shell.FormsPrinted, ElementsAre(ProgramWindow::Main));
    EXPECT_THAT(dialogs.Texts(), ElementsAre("Form sent to Printer."));

    // Cancelling the choice of printer is not reported as printed.
    dialogs.Forget();
    session.shell.PrintingCancelled = true;
    view.QuickPrintClick();
    EXPECT_THAT(dialogs.Texts(), IsEmpty());
}

TEST(ScaleToPageTest, TheWindowFillsThePageAndKeepsItsProportions)
{
    // Portrait: the full width of the page.
    EXPECT_EQ(ScaleToPage(630, 461, 4800, 6600), (PrintedSize{4800, 3512}));
    // Landscape and square pages: the full height.
    EXPECT_EQ(ScaleToPage(630, 461, 7016, 4960), (PrintedSize{6778, 4960}));
    // Where filling that side would push the window off the paper, the other side is filled.
    EXPECT_EQ(ScaleToPage(200, 100, 1000, 1000), (PrintedSize{1000, 500}));
    EXPECT_EQ(ScaleToPage(630, 461, 6600, 5100), (PrintedSize{6600, 4830}));
    EXPECT_EQ(ScaleToPage(100, 400, 1000, 2000), (PrintedSize{500, 2000}));
    // Nothing to print, or nothing to print on.
    EXPECT_EQ(ScaleToPage(0, 461, 4800, 6600), PrintedSize{});
    EXPECT_EQ(ScaleToPage(630, 0, 4800, 6600), PrintedSize{});
    EXPECT_EQ(ScaleToPage(630, 461, 0, 0), PrintedSize{});
}

TEST_F(WindowTest, TheExperienceTableIsPrintedDownToItsLastFilledRow)
{
    const std::vector<MenuItemControl>& menu = view.Experience.PrintMenu;  // settings, print
    ASSERT_EQ(menu.size(), 2u);
    view.PrintMenuClick(menu[0].tag);
    EXPECT_THAT(session.shell.PrintSettingsShown, ElementsAre("DirGrid"));
    view.RecordName.text = "Ada Byron";
    ExperienceTable& grid = view.Experience.DirGrid;
    grid.SetCell(0, 1, "Acme");
    grid.SetCell(3, 1, "Nights\r\nthen days");
    grid.SetCell(1, 3, "Clerk");  // row 2 left empty between filled rows
    view.PrintMenuClick(menu[1].tag);
    ASSERT_EQ(session.shell.TablesPrinted.size(), 1u);
    const auto& [gridName, table] = session.shell.TablesPrinted[0];
    EXPECT_EQ(gridName, "DirGrid");
    EXPECT_EQ(table.title, "Experience: Ada Byron");
    EXPECT_THAT(table.header, ElementsAre("Employer", "Position", "Dates", "Notes"));
    EXPECT_THAT(table.rows,
                ElementsAre(ElementsAre("Acme", "", "", "Nights\r\nthen days"),
                            ElementsAre("", "", "", ""), ElementsAre("", "Clerk", "", "")));

    // An empty table prints its header alone; with no name the title is the table's.
    view.NewRecord1Click();
    view.RecordName.text.clear();
    view.PrintMenuClick(menu[1].tag);
    ASSERT_EQ(session.shell.TablesPrinted.size(), 2u);
    const PrintableTable& empty = session.shell.TablesPrinted[1].second;
    EXPECT_EQ(empty.title, "Experience");
    EXPECT_THAT(empty.rows, IsEmpty());
}

}  // namespace
}  // namespace quillmark::test
