#include "engine/reports/column_report.h"
#include "core/database.h"
#include "engine/reports/page_store.h"
#include "support/page_recording.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace quillmark {
namespace {

using test::DrawnText;
using test::TextsOn;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

constexpr int Name = 22;
constexpr int Street = 10;
constexpr int Status = 20;
constexpr int RecordNumber = 21;

// 8.5 by 11 inches at 600 dots per inch.
const PrinterPage Letter{600, 600, 5100, 6600, 0, 0, 5100, 6600};

class ColumnReportTest : public ::testing::Test {
protected:
    ColumnReportTest()
    {
        SetDefaultCaptions(database);
        setup.Items = {Name, Street, Status, RecordNumber};
        setup.Date = ReportDateText(2001, 3, 9);
    }

    void AddRecords(int count)
    {
        for (int i = 1; i <= count; ++i) {
            auto record = std::make_shared<ItemRecord>();
            record->RecordName = "Person " + std::to_string(i);
            record->Detail[0] = std::to_string(i) + " Main St";
            record->NotAvailable = i % 2 == 0;
            database.RecordList.push_back(record);
        }
    }

    ColumnReportLayout Run()
    {
        ColumnReportLayout layout(setup, database, false, store);
        layout.Run(ReportMode::AllRecords);
        return layout;
    }

    Database database;
    ColumnReportSetup setup;
    test::FixedWidthMeasurer measurer;
    TOrvPrinter store{Letter, measurer};
};

TEST_F(ColumnReportTest, MarginsAndFontsGiveThePrintableAreaAndLineHeight)
{
    ColumnReportLayout layout(setup, database, false, store);
    layout.CalculateSpace();
    EXPECT_EQ(store.PageWidth(), 8) << "8.5 inches count as 8";
    EXPECT_EQ(store.PageHeight(), 11);
    EXPECT_EQ(layout.PrintableWidth, 8640);
    EXPECT_EQ(layout.PrintableHeight, 12960);
    EXPECT_EQ(store.Margins, (PageMargins{1440, 1440, 1440, 1440}));
    EXPECT_EQ(layout.ColumnWidth(0), 2880);
    EXPECT_EQ(layout.LineHeight(), 210) << "10 points: 200 twips and 10";

    // Halves of a twip go to the even one; a column's width is its share of the header.
    EXPECT_EQ(MarginTwips(0.0003472222), 0);
    EXPECT_EQ(MarginTwips(1.25), 1800);
    EXPECT_EQ(ColumnWidthOnPaper(150, 450, 8640), 2880);
    EXPECT_EQ(ColumnWidthOnPaper(100, 300, 8639), 2880);
    EXPECT_EQ(ColumnWidthOnPaper(150, 0, 8640), 0) << "a header of no width";

    // Sections under a header of no width are passed over: the columns share the page evenly.
    setup.SectionWidths = {300, 150, 150};
    setup.HeaderWidth = 0;
    layout.CalculateSpace();
    EXPECT_EQ(layout.ColumnWidth(0), 2880);
    // Sections wider together than their header still share the page, in their proportions.
    setup.HeaderWidth = 450;
    layout.CalculateSpace();
    EXPECT_EQ(layout.ColumnWidth(0), 4320);
    EXPECT_EQ(layout.ColumnWidth(1) + layout.ColumnWidth(2), 4320);
    // Narrower ones keep their widths and leave the rest of the line empty.
    setup.SectionWidths = {75, 75, 150};
    layout.CalculateSpace();
    EXPECT_EQ(layout.ColumnWidth(0), 1440);
    EXPECT_EQ(layout.ColumnWidth(2), 2880);
}

TEST_F(ColumnReportTest, FourItemsInThreeColumnsTakeTwoLinesPerRecordIndentedOrNot)
{
    AddRecords(2);
    struct Case {
        bool indent;
        int secondLineX;
    };
    for (const Case& c : {Case{false, 0}, Case{true, 2880}}) {
        SCOPED_TRACE(c.indent ? "indented" : "not indented");
        setup.Indent = c.indent;
        const ColumnReportLayout layout = Run();
        const std::vector<DrawnText> texts = TextsOn(store.Page(1));
        // The head: page number, title, date, then the labels between two rules.
        EXPECT_EQ(texts[0], (DrawnText{8390, 10, "1", true}));
        EXPECT_EQ(texts[1], (DrawnText{3720, 10, "Report Title", false}));
        EXPECT_EQ(texts[2], (DrawnText{0, 10, "2001/03/09", false}));
        EXPECT_EQ(texts[3], (DrawnText{0, 345, "#", true}));
        EXPECT_EQ(texts[4], (DrawnText{2880, 345, "Name", true}));
        EXPECT_EQ(texts[6], (DrawnText{c.secondLineX, 555, "Status", true}));
        // The first record: number, name and street on one line, status and number below.
        EXPECT_THAT(
            std::vector<DrawnText>(texts.begin() + 8, texts.begin() + 13),
            ElementsAre(DrawnText{0, 905, "1.", true}, DrawnText{2880, 905, "Person 1", true},
                        DrawnText{5760, 905, "1 Main St", true},
                        DrawnText{c.secondLineX, 1115, "None", true},
                        DrawnText{c.secondLineX + 2880, 1115, "1", true}));
        EXPECT_EQ(texts[13], (DrawnText{0, 1325, "2.", true}));
        EXPECT_EQ(texts[16].text, "Not Available");
        EXPECT_EQ(layout.Table,
                  (ExportTable{{"#", "Name", "Street", "Status", "Record #"},
                               {"1.", "Person 1", "1 Main St", "None", "1"},
                               {"2.", "Person 2", "2 Main St", "Not Available", "2"}}));
    }
}

TEST_F(ColumnReportTest, LaterPagesRepeatTheHeadButTheTableHoldsOneRowOfLabels)
{
    AddRecords(40);
    const ColumnReportLayout layout = Run();
    ASSERT_EQ(store.PageCount(), 2);
    EXPECT_TRUE(store.Finished());
    for (const int outside : {0, 3}) {
        EXPECT_THROW(store.Page(outside), std::out_of_range);
        EXPECT_THROW(store.PageSurface(outside), std::out_of_range);
    }
    const std::vector<DrawnText> page2 = TextsOn(store.Page(2));
    EXPECT_EQ(page2[0], (DrawnText{8390, 10, "2", true}));
    EXPECT_EQ(page2[1].text, "Report Title");
    EXPECT_EQ(page2[2].text, "2001/03/09");
    EXPECT_EQ(page2[3], (DrawnText{0, 345, "#", true}));
    // Record 29 starts at the foot of page 1 and ends under the head of page 2; its cells
    // stay together in its own row.
    EXPECT_THAT(TextsOn(store.Page(1)), Contains(DrawnText{0, 12665, "29.", true}));
    EXPECT_EQ(page2[8], (DrawnText{0, 905, "None", true}));
    ASSERT_EQ(layout.Table.size(), 41u);
    EXPECT_EQ(std::count(layout.Table.begin(), layout.Table.end(), layout.Table[0]), 1);
    EXPECT_EQ(layout.Table[29],
              (std::vector<std::string>{"29.", "Person 29", "29 Main St", "None", "29"}));
    EXPECT_EQ(layout.Table[40][0], "40.");
    EXPECT_EQ(layout.RecordsShown, 40);
    EXPECT_FALSE(layout.PageLimitReached);
}

TEST_F(ColumnReportTest, TheRunStopsAfterTheRecordThatReachesPageEleven)
{
    AddRecords(400);
    database.RecordList[1]->InSearchList = true;
    ColumnReportLayout layout(setup, database, false, store);
    layout.Run(ReportMode::SearchList);
    EXPECT_EQ(layout.Table.size(), 2u) << "the search list only";
    EXPECT_EQ(layout.Table[1][0], "1.");
    EXPECT_EQ(layout.Table[1][1], "Person 2");

    layout.Run(ReportMode::AllRecords);
    EXPECT_TRUE(layout.PageLimitReached);
    EXPECT_EQ(store.PageCount(), 11);
    // Two pages hold 57 records, one broken over them; the 286th is the first on page 11.
    EXPECT_EQ(layout.RecordsShown, 286);
    EXPECT_EQ(layout.Table.size(), 287u);
}

TEST_F(ColumnReportTest, ColumnsThatCannotHoldTheCellsNeverLoseOne)
{
    // One column with record numbers and indenting: every cell on a line of its own, none
    // beyond the column.
    AddRecords(1);
    setup.Columns = 1;
    setup.Indent = true;
    setup.Items = {Name, Street};
    const ColumnReportLayout layout = Run();
    const std::vector<DrawnText> texts = TextsOn(store.Page(1));
    EXPECT_THAT(std::vector<DrawnText>(texts.end() - 3, texts.end()),
                ElementsAre(DrawnText{0, 1115, "1.", true}, DrawnText{0, 1325, "Person 1", true},
                            DrawnText{0, 1535, "1 Main St", true}));
    EXPECT_THAT(std::vector<DrawnText>(texts.begin() + 3, texts.end()),
                Not(Contains(::testing::Field(&DrawnText::x, ::testing::Gt(0)))));
    EXPECT_EQ(layout.Table[1], (std::vector<std::string>{"1.", "Person 1", "1 Main St"}));
}

// A title or a value of millions of characters costs no more than the line it is drawn on: the
// page keeps what can show, the export table the whole text.
TEST_F(ColumnReportTest, TextsShowOnOneLineAndOnlyWhatCanShow)
{
    AddRecords(1);
    const std::string longText(1'000'000, 'W');
    setup.Title = longText;
    database.RecordList[0]->RecordName = longText;
    const ColumnReportLayout layout = Run();
    const std::vector<DrawnText> texts = TextsOn(store.Page(1));
    // Centred as any title too wide for the page, at 100 twips a character.
    EXPECT_EQ(texts[1], (DrawnText{(8640 - 864000) / 2, 10, std::string(8640, 'W'), false}));
    EXPECT_EQ(texts[9], (DrawnText{2880, 905, std::string(2880, 'W'), true})) << "the name";
    EXPECT_EQ(layout.Table[1][1], longText);

    // Tabs and line breaks show as spaces; the table keeps the value as it is.
    setup.Title = "Staff\tList";
    const std::string broken = "Line\r\nBreak\nand\rtab\there";
    database.RecordList[0]->RecordName = broken;
    const ColumnReportLayout again = Run();
    const std::vector<DrawnText> shown = TextsOn(store.Page(1));
    EXPECT_EQ(shown[1].text, "Staff List");
    EXPECT_EQ(shown[9].text, "Line Break and tab here");
    EXPECT_EQ(again.Table[1][1], broken);
}

TEST(PageStoreTest, PrintsTheRangeChosenOneSheetAPageOnceFinished)
{
    test::FixedWidthMeasurer measurer;
    TOrvPrinter store(Letter, measurer);
    store.Reset();
    for (int page = 2; page <= 5; ++page) {
        store.NewPage();
    }
    test::RecordingOutput output;
    EXPECT_FALSE(store.Print(2, 3, output)) << "an unfinished store prints nothing";
    EXPECT_TRUE(output.Sheets.front().empty());

    store.Finish();
    store.NewPage();
    EXPECT_EQ(store.PageCount(), 5) << "no pages after finishing";
    EXPECT_TRUE(store.Print(2, 3, output));
    ASSERT_EQ(output.Sheets.size(), 2u);
    EXPECT_THAT(output.Sheets[0], ElementsAre(&store.Page(2)));
    EXPECT_THAT(output.Sheets[1], ElementsAre(&store.Page(3)));
    EXPECT_EQ(store.Page(1).Width(), 8 * 1440);
    EXPECT_EQ(store.Page(1).Height(), 11 * 1440);
}

// Played on any device, the cells' boxes are filled before any text is drawn, and a cell's text
// is cut at its column's sides but keeps the tails of its letters, which reach below the box.
TEST_F(ColumnReportTest, ReplayedPagesPaintNoCellOverTheLineAbove)
{
    class NotedDrawing : public PageDrawing {
    public:
        std::vector<std::string> Calls;
        std::vector<TwipRect> Clips;
        std::vector<TwipRect> Fills;
        void Fill(const TwipRect& rect, RgbColour) override
        {
            Calls.push_back("fill");
            Fills.push_back(rect);
        }
        void Text(int, int, std::string_view, const PageFont&, const std::optional<TwipRect>& clip,
                  const std::optional<RgbColour>&) override
        {
            Calls.push_back("text");
            Clips.push_back(clip.value_or(TwipRect{}));
        }
        void Line(int, int, int, int) override { Calls.push_back("line"); }
    };
    AddRecords(2);
    setup.ColumnColours.fill(WhiteColour);
    Run();
    NotedDrawing drawing;
    ReplayPage(store.Page(1), drawing);
    const auto firstText = std::find(drawing.Calls.begin(), drawing.Calls.end(), "text");
    EXPECT_EQ(std::find(firstText, drawing.Calls.end(), "fill"), drawing.Calls.end());
    EXPECT_GT(std::count(drawing.Calls.begin(), firstText, "fill"), 4);
    // Only the column backgrounds and the cells' boxes are filled.
    const auto& calls = store.Page(1).Calls();
    for (const TwipRect& filled : drawing.Fills) {
        EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [&filled](const PageCall& call) {
            return call.rect == filled &&
                   (call.kind == PageCall::Kind::FillRect || call.kind == PageCall::Kind::TextRect);
        }));
    }
    const PageCall& cell = *std::find_if(calls.begin(), calls.end(), [](const PageCall& call) {
        return call.kind == PageCall::Kind::TextRect;
    });
    const TwipRect& clip = drawing.Clips.front();
    EXPECT_EQ(clip.left, cell.rect.left);
    EXPECT_EQ(clip.right, cell.rect.right);
    EXPECT_GT(clip.bottom, cell.rect.bottom);
}

}  // namespace
}  // namespace quillmark
