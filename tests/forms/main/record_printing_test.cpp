// Printing from the main window: the window's picture and the experience table.

#include "engine/print_scaling.h"
#include "support/view_fixture.h"

#include <gmock/gmock.h>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(ScaleToPageTest, TheWindowFillsThePageAndKeepsItsProportions)
{
    // Portrait: the full width of the page.
    EXPECT_EQ(ScaleToPage(630, 461, 4800, 6600), (PrintedSize{4800, 3512}));
    // Landscape and square pages: the full height.
    EXPECT_EQ(ScaleToPage(630, 461, 7016, 4960), (PrintedSize{6778, 4960}));
    EXPECT_EQ(ScaleToPage(200, 100, 1000, 1000), (PrintedSize{1000, 500}));
    // Where filling that side would push the window off the paper, the other side is filled.
    EXPECT_EQ(ScaleToPage(630, 461, 6600, 5100), (PrintedSize{6600, 4830}));
    EXPECT_EQ(ScaleToPage(100, 400, 1000, 2000), (PrintedSize{500, 2000}));
    // Nothing to print, or nothing to print on.
    EXPECT_EQ(ScaleToPage(0, 461, 4800, 6600), PrintedSize{});
    EXPECT_EQ(ScaleToPage(630, 461, 0, 0), PrintedSize{});
}

using PrintingTest = ViewTest;

TEST_F(PrintingTest, PrintFormSendsTheWindowToThePrinterAndSaysSo)
{
    view.QuickPrintClick();
    EXPECT_THAT(session.shell.FormsPrinted, ElementsAre(ProgramWindow::Main));
    EXPECT_THAT(dialogs.Texts(), ElementsAre("Form sent to Printer."));

    // Cancelling the choice of printer is not reported as printed.
    dialogs.Forget();
    session.shell.PrintingCancelled = true;
    view.QuickPrintClick();
    EXPECT_THAT(dialogs.Texts(), IsEmpty());
}

TEST_F(PrintingTest, TheExperienceTableIsPrintedDownToItsLastFilledRow)
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
    EXPECT_EQ(session.shell.TablesPrinted[1].second.title, "Experience");
    EXPECT_THAT(session.shell.TablesPrinted[1].second.rows, IsEmpty());
}

}  // namespace
}  // namespace quillmark::test
