// The album driven as a user drives it: pages of pictures of all records or of the search
// list, their layout, the records picked, and the doors between the windows.

#include "support/picture_files.h"
#include "support/test_helpers.h"
#include "support/view_fixture.h"

#include "engine/pictures/bitmap.h"
#include "engine/pictures/thumbnails.h"
#include "forms/album/album_form.h"
#include "forms/html_report/html_report_form.h"
#include "forms/search/search_form.h"
#include "forms/spreadsheet/snapshot_form.h"

#include <gmock/gmock.h>

#include <tuple>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;

class AlbumFormTest : public ViewTest {
protected:
    // Records named "Name 1" .. "Name n"; the album activated over them.
    void MakeRecords(int count)
    {
        ItemRecordList& records = workspace.RecordList();
        records.clear();
        for (int number = 1; number <= count; ++number) {
            records.push_back(std::make_shared<ItemRecord>());
            records.back()->RecordName = "Name " + std::to_string(number);
        }
        workspace.CurrentIndex = 0;
        album.FormActivate();
    }
    // The record numbers of the page, row by row; 0 for an empty cell.
    std::vector<int> PageShown()
    {
        std::vector<int> numbers;
        for (int row = 0; row < album.Down; ++row) {
            for (int column = 0; column < album.Across; ++column) {
                const int position =
                    album.CellMap[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
                numbers.push_back(position + 1);
            }
        }
        return numbers;
    }

    ThumbnailCache thumbnails{0};  // pictures decoded as they are asked for
    TAlbumView album{workspace, thumbnails};
};

TEST_F(AlbumFormTest, PagesFillRowByRowAndStepBackWhenTheLayoutLeavesThemBeyondTheRecords)
{
    struct Case {
        int records;
        int across, down;  // the layout changed to, a button at a time from 2 X 1
        int pageBefore;    // the page shown before the layout changes
        std::string pagenum;
        bool next, previous;
    };
    const std::vector<Case> cases = {
        {9, 3, 3, 1, "Page 1 of 1", false, false},
        {10, 3, 3, 1, "Page 1 of 2", true, false},
        {0, 3, 3, 1, "Page 0 of 0", false, false},
        {9, 2, 2, 3, "Page 3 of 3", false, true},  // record 9 alone on the page
        {9, 5, 5, 3, "Page 1 of 1", false, false},
    };
    for (const Case& c : cases) {
        album.Across = 2;
        album.Down = 1;
        album.Page = 1;
        MakeRecords(c.records);
        album.Page = c.pageBefore;
        while (album.Across != c.across) {
            album.Across < c.across ? album.MoreRowsClick() : album.LessRowsClick();
        }
        while (album.Down != c.down) {
            album.Down < c.down ? album.MoreColsClick() : album.LessColsClick();
        }
        const std::string what = std::to_string(c.records) + " records on " + album.Size.caption;
        EXPECT_EQ(album.pagenum.caption, c.pagenum) << what;
        EXPECT_EQ(album.Next.enabled, c.next) << what;
        EXPECT_EQ(album.Previous.enabled, c.previous) << what;
    }
    std::vector<int> fivebyFive = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    fivebyFive.resize(25);
    EXPECT_EQ(PageShown(), fivebyFive);
    album.Across = album.Down = 3;
    MakeRecords(10);
    album.LessColsClick();  // 3 across, 2 down
    album.NextClick();
    EXPECT_EQ(album.pagenum.caption, "Page 2 of 2");
    EXPECT_THAT(PageShown(), ElementsAre(7, 8, 9, 10, 0, 0));
    for (int i = 0; i < 12; ++i) {
        album.MoreRowsClick();
    }
    EXPECT_EQ(album.Size.caption, "9 X 2") << "no more than 9 across";
    EXPECT_EQ(album.pagenum.caption, "Page 1 of 1");
}

TEST_F(AlbumFormTest, ModeSwitchesBetweenAllRecordsAndTheSearchListForTheSpreadsheetToo)
{
    MakeRecords(5);
    workspace.RecordList()[1]->InSearchList = workspace.RecordList()[3]->InSearchList = true;
    album.NextClick();
    album.ModeClick();
    EXPECT_EQ(album.Caption, "Album View (Searched Records)");
    EXPECT_EQ(workspace.SpreadsheetMode, SpreadsheetMode::SearchList);
    EXPECT_EQ(album.pagenum.caption, "Page 1 of 1");
    EXPECT_THAT(PageShown(), ElementsAre(2, 4, 0, 0, 0, 0, 0, 0, 0));
    album.ModeClick();
    EXPECT_EQ(album.Caption, "Album View (All Records)");
    EXPECT_EQ(workspace.SpreadsheetMode, SpreadsheetMode::AllRecords);
    workspace.SpreadsheetMode = SpreadsheetMode::SearchList;
    for (const auto& record : workspace.RecordList()) {
        record->InSearchList = false;
    }
    album.FormActivate();
    EXPECT_EQ(album.Caption, "Album View (Searched Records)");
    EXPECT_EQ(album.pagenum.caption, "Page 0 of 0") << "an empty search list";
    EXPECT_TRUE(album.AlbumGridDrawCell(0, 0).empty);
}

TEST_F(AlbumFormTest, CellsShowTheChosenPictureOrThePlaceholderWithoutAMessage)
{
    const TemporaryFolder folder;
    WriteFileBytes(folder.File("tiny.bmp"), TinyBmp());
    MakeRecords(12);
    ItemRecord& twelfth = *workspace.RecordList()[11];
    twelfth.RecordName = "Smith";
    twelfth.Images[2].ImageFile = folder.File("tiny.bmp");
    workspace.RecordList()[10]->Images[2].ImageFile = folder.File("missing.jpg");
    album.Image.text = "2";
    album.ImageChange();
    album.NextClick();  // records 10 to 12 on the second page's first row
    const AlbumCell picture = album.AlbumGridDrawCell(2, 0);
    ASSERT_FALSE(picture.empty);
    ASSERT_NE(picture.picture, nullptr);
    EXPECT_EQ(picture.picture->width, 3);
    EXPECT_EQ(picture.area, (CellRect{0, 0, 3, 2})) << "at its own size";
    EXPECT_EQ(picture.label, "");
    const AlbumCell missing = album.AlbumGridDrawCell(1, 0);
    const AlbumCell empty = album.AlbumGridDrawCell(0, 0);
    for (const AlbumCell& placeholder : {missing, empty}) {
        EXPECT_FALSE(placeholder.empty);
        EXPECT_EQ(placeholder.picture, nullptr);
        EXPECT_EQ(placeholder.area, (CellRect{0, 0, 96, 96}));
    }
    EXPECT_TRUE(album.AlbumGridDrawCell(0, 1).empty);
    EXPECT_TRUE(dialogs.Messages.empty());
    album.UseLabel.checked = true;
    album.AutoSize.checked = true;
    const AlbumCell labelled = album.AlbumGridDrawCell(2, 0);
    EXPECT_EQ(labelled.label, "12: Smith");
    EXPECT_EQ(labelled.area, (CellRect{0, 20, album.CellWidth, album.CellHeight - 20}));
}

TEST(AlbumPictureArea, PicturesAreCutToTheCellOrStretchedAndMakeRoomForTheLabel)
{
    // A cell of 100 by 80: the picture's width and height, stretched, labelled, and its area.
    const std::tuple<int, int, bool, bool, CellRect> cases[] = {
        {40, 30, false, false, {0, 0, 40, 30}},   {400, 300, false, false, {0, 0, 100, 80}},
        {400, 30, false, false, {0, 0, 100, 30}}, {40, 30, true, false, {0, 0, 100, 80}},
        {40, 30, false, true, {0, 20, 40, 30}},   {400, 300, false, true, {0, 20, 100, 60}},
        {40, 30, true, true, {0, 20, 100, 60}},
    };
    for (const auto& [width, height, autoSize, label, area] : cases) {
        EXPECT_EQ(AlbumPictureArea(100, 80, width, height, autoSize, label), area)
            << width << "x" << height << (autoSize ? " auto" : "") << (label ? " label" : "");
    }
}

TEST_F(AlbumFormTest, PickingMakesARecordCurrentAndPrintingSaysSoOnlyWhenItPrinted)
{
    MakeRecords(4);
    album.AlbumGridMouseDown(2, 0, false);
    EXPECT_EQ(workspace.CurrentIndex, 2);
    EXPECT_TRUE(album.AlbumGridDrawCell(2, 0).current);
    album.AlbumGridMouseDown(0, 1, true);
    EXPECT_EQ(workspace.CurrentIndex, 3);
    EXPECT_THAT(session.shell.WindowsShown, ElementsAre(ProgramWindow::Spreadsheet));
    album.AlbumGridDblClick(1, 1);  // an empty cell
    album.AlbumGridMouseDown(2, 2, true);
    EXPECT_EQ(workspace.CurrentIndex, 3);
    album.AlbumGridDblClick(1, 0);
    EXPECT_EQ(workspace.CurrentIndex, 1);
    EXPECT_THAT(session.shell.WindowsShown,
                ElementsAre(ProgramWindow::Spreadsheet, ProgramWindow::Main));
    view.FormActivate();
    EXPECT_EQ(view.RecordName.text, "Name 2");

    // Printing shows the page alone and says so only when it was printed.
    MakeRecords(2);
    album.PrintClick();
    EXPECT_THAT(session.shell.FormsPrinted, ElementsAre(ProgramWindow::Album));
    EXPECT_THAT(dialogs.Texts(), ElementsAre("Form sent to Printer."));
    EXPECT_TRUE(album.ControlPanelVisible);
    EXPECT_EQ(album.Width, 518);
    session.shell.PrintingCancelled = true;
    dialogs.Forget();
    album.PrintClick();
    EXPECT_TRUE(dialogs.Messages.empty());
}

// The doors of the main, search, spreadsheet, album and HTML report windows, each window's own
// shut; a window that cannot be made is reported.
TEST_F(ViewTest, TheReportAlbumGraphAndCdDoorsOpenTheirWindowsOrSayTooManyAreOpen)
{
    TSearch& search = workspace.Search();
    using W = ProgramWindow;
    const std::vector<MenuItemControl> menu = ReportMenuEntries(view.Actions);
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[0].caption, "Generate HTML Report");
    EXPECT_TRUE(menu[0].enabled && menu[1].enabled);
    EXPECT_TRUE(view.Actions.Report.enabled && view.Actions.GenerateHTMLReport.enabled);
    EXPECT_TRUE(search.Actions.ReportTBtn.enabled);
    ThumbnailCache thumbnails{0};
    TAlbumView album{workspace, thumbnails};
    THTMLReport report{workspace};
    EXPECT_TRUE(album.Actions.ReportTBtn.enabled);
    EXPECT_TRUE(report.Actions.ReportTBtn.enabled);
    EXPECT_FALSE(report.Actions.ReportMenu()[0].enabled);
    view.GenerateHTMLReport1Click();
    view.ReportMenuClick(0);
    search.Actions.ReportMenuClick(0);
    album.Actions.ReportMenuClick(0);
    report.Actions.ReportMenuClick(0);
    std::vector<W> shown(4, W::HtmlReport);
    EXPECT_EQ(session.shell.WindowsShown, shown);

    // The column report opens on all records, whatever the spreadsheet showed.
    workspace.SpreadsheetMode = SpreadsheetMode::SearchList;
    view.ReportMenuClick(1);
    EXPECT_EQ(workspace.SpreadsheetMode, SpreadsheetMode::AllRecords);
    report.Actions.ReportMenuClick(1);
    shown.insert(shown.end(), 2, W::ColumnReport);
    EXPECT_EQ(session.shell.WindowsShown, shown);

    session.shell.WindowsShown.clear();
    EXPECT_TRUE(view.Actions.AlbumView.enabled && view.Actions.GraphView.enabled &&
                view.Actions.CdPlayer.enabled);
    EXPECT_TRUE(search.Actions.AlbumTBtn.enabled && search.Actions.GraphTBtn.enabled &&
                search.Actions.CDPlayerBtn.enabled);
    view.AlbumView1Click();
    view.GraphView1Click();
    view.CDButtonClick();
    search.Actions.AlbumTBtnClick();
    search.Actions.GraphTBtnClick();
    search.Actions.CDPlayerBtnClick();
    EXPECT_THAT(session.shell.WindowsShown,
                ElementsAre(W::Album, W::Graph, W::CdPlayer, W::Album, W::Graph, W::CdPlayer));
    TSnapShot sheet{workspace};
    EXPECT_FALSE(search.Actions.SearchTBtn.enabled || sheet.Actions.SpreadsheetTBtn.enabled);
    EXPECT_TRUE(sheet.Actions.ReportTBtn.enabled);
    session.shell.WindowsShown.clear();
    sheet.Actions.SpreadsheetTBtnClick();
    sheet.Actions.AlbumTBtnClick();
    sheet.Actions.SearchTBtnClick();
    search.Actions.SpreadsheetTBtnClick();
    EXPECT_THAT(session.shell.WindowsShown, ElementsAre(W::Album, W::Search, W::Spreadsheet));
    session.shell.WindowsCannotBeMade = true;
    view.CDButtonClick();
    EXPECT_THAT(
        dialogs.Texts(),
        ElementsAre("Too many windows are open.  Please close some windows and try again."));
}

}  // namespace
}  // namespace quillmark::test
