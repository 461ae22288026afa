#include "forms/column_report/column_report_form.h"
#include "engine/reports/page_store.h"
#include "engine/reports/report_format_file.h"
#include "forms/form_helpers.h"
#include "support/fake_page_devices.h"
#include "support/test_helpers.h"
#include "support/view_fixture.h"

#include <gmock/gmock.h>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using Sections = std::vector<TPrintBox::ColumnSection>;

constexpr int Name = 22;
constexpr int Street = 10;
constexpr int Status = 20;

// The report window opened over a database of three records, the second without a status.
class ColumnReportFormTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        view.NewRecord1Click();
        view.NewRecord1Click();
        session.Record(0).RecordName = "Ann";
        session.Record(0).Working = true;
        session.Record(2).NotAvailable = true;
        session.Record(2).InSearchList = true;
        view.GetRecord(0);
        report.FormActivate();
    }
    void TearDown() override
    {
        ViewTest::TearDown();
        EXPECT_TRUE(devices.Problems.empty()) << devices.Problems.front();
        EXPECT_TRUE(devices.ScriptUsedUp());
    }

    void Choose(std::initializer_list<int> items)
    {
        for (const int item : items) {
            ASSERT_TRUE(report.AddBtnClick());
            report.ItemMenuClick(item);
        }
    }

    FakePageDevices devices;
    TPrintBox report{workspace, devices};
};

TEST_F(ColumnReportFormTest, ItemsAreChosenAndClearedAndThePreviewShowsTheRecordsOfTheMode)
{
    EXPECT_EQ(report.Caption, "Report (All Records)");
    EXPECT_EQ(report.ItemMenu.size(), 35u);
    EXPECT_EQ(report.ItemMenu[Status].caption, "Status");
    EXPECT_EQ(report.ItemMenu[21].caption, "Record #");
    EXPECT_EQ(report.ItemMenu[34].caption, "Yearly Salary");
    EXPECT_FALSE(report.SaveFormatTBtn.enabled || report.ImportTBtn.enabled);
    EXPECT_TRUE(report.PreviewTBtn.enabled);
    EXPECT_EQ(report.Actions.CloseTBtn.hint, "Close  Report Windw");
    Choose({Name, Street});
    EXPECT_THAT(report.Fields.lines, ElementsAre("Name", workspace.database.DetailCaptions[0]));
    EXPECT_FALSE(report.ItemMenu[Name].enabled);
    const std::vector<const ActionControl*> itemButtons = {
        &report.SaveFormatTBtn, &report.ImportTBtn, &report.ModeTBtn, &report.PreviewTBtn};
    for (const ActionControl* button : itemButtons) {
        EXPECT_TRUE(button->enabled) << button->hint;
    }
    report.UndoBtnClick();
    EXPECT_TRUE(report.ItemMenu[Street].enabled);
    report.UndoBtnClick();
    EXPECT_TRUE(report.Fields.lines.empty());
    for (const ActionControl* button : itemButtons) {
        EXPECT_FALSE(button->enabled) << button->hint;
    }
    EXPECT_FALSE(report.UndoBtn.enabled || report.FontBtn.enabled);

    // A full report says so instead of offering the menu.
    for (int item = 0; item < 21; ++item) {
        Choose({item});
    }
    EXPECT_FALSE(report.AddBtnClick());
    EXPECT_THAT(dialogs.BoxTexts(),
                ElementsAre("A report holds no more than 21 items.  Remove one before adding "
                            "another."));
    report.ClearBtnClick();
    EXPECT_EQ(report.ItemCount(), 0);
    EXPECT_TRUE(report.ItemMenu[0].enabled);
    EXPECT_FALSE(report.ClearBtn.enabled);
    dialogs.Forget();

    // The preview shows the records of the mode and warns past ten pages.
    Choose({Name, Status});
    devices.OnPreview([this](TOrvPreview& preview) {
        EXPECT_EQ(preview.Store().PageCount(), 1);
        EXPECT_FALSE(preview.SpinEdit1.enabled);
        EXPECT_EQ(preview.Pages.caption, "Page 1 of 1");
        preview.CloseBtnClick();
    });
    report.PreviewTBtnClick();
    EXPECT_EQ(report.ExportGrid,
              (ExportTable{{"#", "Name", "Status"},
                           {"1.", "Ann", "Working"},
                           {"2.", session.Record(1).RecordName, "None"},
                           {"3.", session.Record(2).RecordName, "Not Available"}}));
    report.ModeTBtnClick();
    EXPECT_EQ(report.Caption, "Report (Searched Records)");
    EXPECT_EQ(workspace.ReportMode, ReportMode::SearchList);
    devices.OnPreview([](TOrvPreview& preview) { preview.CloseBtnClick(); });
    report.PreviewTBtnClick();
    ASSERT_EQ(report.ExportGrid.size(), 2u);
    EXPECT_EQ(report.ExportGrid[1][2], "Not Available");
    report.ModeTBtnClick();

    // One line a record: 58 records a page, the 581st the first on page 11.
    for (int i = 0; i < 600; ++i) {
        view.NewRecord1Click();
    }
    devices.OnPreview([](TOrvPreview& preview) {
        EXPECT_EQ(preview.Store().PageCount(), 11);
        EXPECT_TRUE(preview.SpinEdit1.enabled);
        preview.CloseBtnClick();
    });
    report.PreviewTBtnClick();
    EXPECT_THAT(dialogs.BoxTexts(), ElementsAre("Warning ... your report contains too much data.  "
                                                "Only the first 581 records will be displayed."));
}

TEST_F(ColumnReportFormTest, ColumnsFontsAndColoursAreChosenFromTheHeaderAndMenus)
{
    EXPECT_EQ(report.PrintableWidth, 8640);
    EXPECT_EQ(report.PrintableHeight, 12960);
    EXPECT_EQ(report.Widths, (Sections{{"2.00", 150}, {"2.00", 150}, {"2.00", 150}}));
    report.WidthsSectionResize(0, 300);
    EXPECT_EQ(report.Widths[0].caption, "4.00");
    report.ColNum.value = 4;
    report.LeftM.text = "0.50";
    report.FormActivate();
    EXPECT_EQ(report.Widths.size(), 4u);
    EXPECT_EQ(report.Widths[0], (TPrintBox::ColumnSection{"1.63", 112})) << "9360 twips in four";
    PageFont big{"Courier New", 12, true};
    dialogs.ChooseColourAnswer(RgbColour{0, 0, 255})
        .ChooseFontAnswer(big)
        .ChooseFontAnswer(std::nullopt)
        .ChooseFontAnswer(big);
    report.WidthsSectionClick(1);
    report.FontMenuClick(0);
    report.FontMenuClick(1);
    report.FontMenuClick(2);
    EXPECT_EQ(report.ColumnColours[1], (RgbColour{0, 0, 255}));
    EXPECT_EQ(report.ReportTitleFont, big);
    EXPECT_EQ(report.ReportBodyFont, PageFont{}) << "cancelled";
    EXPECT_EQ(report.ValueFont.font, big);
    EXPECT_EQ(report.HeaderFont.text, "Title");
    EXPECT_THAT(Collect(dialogs.FontChoosersShown, &std::pair<PageFont, int>::second),
                ElementsAre(18, 12, 18));
}

TEST_F(ColumnReportFormTest, ColumnWidthsShareTheHeaderAndKeepToTheUsersChoice)
{
    auto widths = [this] { return Collect(report.Widths, &TPrintBox::ColumnSection::width); };
    // Widening a column narrows those after it; the last one's are those before it, no
    // narrower than can be caught again.
    report.WidthsSectionResize(0, 300);
    EXPECT_EQ(report.Widths, (Sections{{"4.00", 300}, {"1.00", 75}, {"1.00", 75}}));
    report.WidthsSectionResize(2, 1000);
    EXPECT_THAT(widths(), ElementsAre(10, 10, 430));
    report.WidthsSectionResize(1, 200);
    EXPECT_THAT(widths(), ElementsAre(10, 200, 240));

    // Kept across activations; captioned anew for other margins, with or without "Set".
    report.FormActivate();
    EXPECT_THAT(widths(), ElementsAre(10, 200, 240));
    report.LeftM.text = "0.50";
    report.MarginChange();
    EXPECT_EQ(report.Widths[1].caption, "2.89") << "200 of 450 pixels of 9360 twips";
    report.WidthsResize(900);
    EXPECT_THAT(widths(), ElementsAre(20, 400, 480));
    report.LeftM.text = "1.00";
    report.SetBtnClick();
    EXPECT_EQ(report.Widths, (Sections{{"2.00", 300}, {"2.00", 300}, {"2.00", 300}}));

    // Sections filed for a narrower header, and wider together than it, keep their shares.
    ReportFormat format = report.CurrentFormat();
    format.Sections = {{"1.00", 100}, {"3.00", 300}};
    format.HeaderWidth = 200;
    report.ApplyFormat(format);
    EXPECT_EQ(report.Widths, (Sections{{"1.50", 225}, {"4.50", 675}}));
}

TEST_F(ColumnReportFormTest, FormatsAreSavedAndLoadedAndDamagedOnesNamed)
{
    TemporaryFolder folder;
    Choose({Name, Status});
    report.TitleText.text = "Staff";
    report.IndentBox.checked = true;
    report.ReportItemExtras[1] = 7;
    dialogs.ChooseFile(folder.File("staff"));
    report.SaveFormatTBtnClick();
    report.ClearBtnClick();
    report.TitleText.text = "Other";
    report.IndentBox.checked = false;
    dialogs.ChooseFile(folder.File("staff.rpt"));
    report.LoadFormatTBtnClick();
    EXPECT_EQ(report.TitleText.text, "Staff");
    EXPECT_TRUE(report.IndentBox.checked);
    EXPECT_THAT(report.ReportItems, ElementsAre(Name, Status));
    EXPECT_EQ(report.ReportItemExtras[1], 7);
    EXPECT_FALSE(report.ItemMenu[Status].enabled);
    EXPECT_TRUE(report.SaveFormatTBtn.enabled) << "the screen follows the items loaded";
    EXPECT_EQ(dialogs.FileDialogsShown[1].filterIndex, 1) << "the report filter first";

    // Saving over it asks first; a damaged file keeps what was read before the damage.
    dialogs.ChooseFile(folder.File("staff.rpt")).AnswerNo().CancelFileDialog();
    report.SaveFormatTBtnClick();
    WriteFileBytes(folder.File("cut.rpt"), S("Cut") + B(true) + B(true) + B(true) + B(true) +
                                               B(true) + I(1) + I(Street) + I(0) + S("Street"));
    dialogs.ChooseFile(folder.File("cut.rpt"));
    report.LoadFormatTBtnClick();
    EXPECT_EQ(report.TitleText.text, "Cut");
    EXPECT_THAT(report.ReportItems, ElementsAre(Street));
    EXPECT_EQ(dialogs.BoxTexts(),
              (std::vector<std::string>{
                  "Report format saved", "Report format loaded",
                  folder.File("staff.rpt") + " already exists.  Do you want to overwrite it ?",
                  "Sorry " + folder.File("cut.rpt") + " is not a valid report file"}));
}

TEST_F(ColumnReportFormTest, ImportAddsARecordPerLineInTheOrderOfTheItems)
{
    TemporaryFolder folder;
    Choose({Name, Street, Status});
    WriteFileBytes(folder.File("in.txt"), "Ann Lee,12 Main St,Working\r\nBob\r\n");
    WriteFileBytes(folder.File("empty.txt"), "");
    WriteFileBytes(folder.File("wide.txt"), "Cy\r\n\xE6\x97\xA5\r\n");
    dialogs.ChooseFile(folder.File("in.txt"))
        .ChooseFile(folder.File("empty.txt"))
        .ChooseFile(folder.Path())
        .ChooseFile(folder.File("wide.txt"));
    for (int run = 0; run < 4; ++run) {
        report.ImportTBtnClick();
    }
    ASSERT_EQ(workspace.RecordCount(), 5);
    EXPECT_EQ(session.Record(3).RecordName, "Ann Lee");
    EXPECT_EQ(session.Record(3).Detail[0], "12 Main St");
    EXPECT_TRUE(session.Record(3).Working);
    EXPECT_EQ(session.Record(4).Detail[0], "") << "as in a new record";
    EXPECT_EQ(dialogs.FileDialogsShown[0].title, "Import Comma Delimated File");
    EXPECT_THAT(dialogs.BoxTexts(),
                ElementsAre("File Imported\n\n2 records were added.",
                            "File Imported\n\n0 records were added.",
                            "Cannot read " + folder.Path() +
                                ": Is a directory.  0 records were imported before the error.",
                            "Cannot import " + folder.File("wide.txt") +
                                ": Line 2 holds a character that a database cannot store: "
                                "U+65E5.  No records were added."));
}

}  // namespace
}  // namespace quillmark::test
