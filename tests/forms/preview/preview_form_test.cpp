#include "forms/preview/preview_form.h"
#include "engine/reports/page_store.h"
#include "support/fake_page_devices.h"
#include "support/test_helpers.h"
#include "support/view_fixture.h"

#include <gmock/gmock.h>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A preview of five pages, each showing its number, on US Letter with inch margins, in a
// window 850 by 700 pixels on a screen of 96 pixels an inch.
class PreviewTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        store.Reset();
        store.Margins = {1440, 1440, 1440, 1440};
        for (int page = 1; page <= 5; ++page) {
            if (page > 1) {
                store.NewPage();
            }
            store.Canvas().TextOut(0, 0, std::to_string(page));
        }
        preview.Width = 850;
        preview.Height = 700;
        preview.ScrollBoxWidth = 900;
        preview.FormShow();
    }
    void TearDown() override
    {
        ViewTest::TearDown();
        EXPECT_TRUE(devices.Problems.empty()) << devices.Problems.front();
        EXPECT_TRUE(devices.ScriptUsedUp());
    }

    FakePageDevices devices;
    TOrvPrinter store{devices.Printer, devices};
    ExportTable table{{"#", "Name", "Notes"}, {"1.", "Lee, Ann", "says \"hi\""}, {"2.", "Bob", ""}};
    TOrvPreview preview{workspace, store, table, devices};
};

TEST_F(PreviewTest, ZoomSetsTheScaleAndThePreviewPrintsTheRangeChosenAndExportsTheCells)
{
    EXPECT_TRUE(store.Finished());
    EXPECT_EQ(preview.Zoom.text, "Fit Width");
    EXPECT_EQ(preview.Pages.caption, "Page 1 of 5");
    EXPECT_EQ(preview.SpinEdit1Hint, "Total Pages 5");
    EXPECT_TRUE(preview.SpinEdit1.enabled);
    EXPECT_EQ(preview.SpinEdit1.maximum, 5);
    EXPECT_TRUE(preview.MarginBtn.checked);
    // (850 - 50) / 8 inches.
    EXPECT_EQ(preview.Scale, 100);
    EXPECT_EQ(preview.PictureWidth, 800);
    EXPECT_EQ(preview.PictureHeight, 1100);
    EXPECT_EQ(preview.PictureLeft, 38) << "(900 - 800) / 2 - 12";

    // Fit Both: (700 - 45) / 11 inches, 59.5 rounded to 60.
    const std::pair<const char*, int> zooms[] = {
        {"100", 96},      {"150", 144}, {"200", 192},         {"25", 24}, {"33", 28},
        {"Fit Both", 60}, {"1", 4},     {"2000000000", 2000}, {"-50", 4}};
    for (const auto& [zoom, scale] : zooms) {
        preview.Zoom.text = zoom;
        preview.ZoomChange();
        EXPECT_EQ(preview.Scale, scale) << zoom;
    }
    preview.Zoom.text = "Fit Width";
    preview.ZoomChange();
    preview.Zoom.text = "big";
    preview.ZoomChange();
    EXPECT_EQ(dialogs.BoxTexts(), (std::vector<std::string>{"'big' is not a valid integer value"}));
    EXPECT_EQ(preview.Scale, 100) << "the zoom stays as it was";
    EXPECT_EQ(preview.Zoom.text, "Fit Width");

    // Without margins the picture is the area inside them.
    preview.MarginBtnClick();
    EXPECT_FALSE(store.ShowMargins);
    EXPECT_EQ(preview.PictureWidth, 600);
    EXPECT_EQ(preview.PictureHeight, 900);
    EXPECT_EQ(preview.PictureLeft, 138);
    preview.ZoomChange();
    EXPECT_EQ(preview.Scale, 132) << "(850 - 50) / 6 inches, 133 lowered to 132";
    preview.GridBtnClick();
    EXPECT_TRUE(store.ShowGrid);
    preview.SpinEdit1.value = 3;
    preview.SpinEdit1Change();
    EXPECT_EQ(preview.Pages.caption, "Page 3 of 5");
    EXPECT_EQ(preview.PageShown, 3);

    // The preview prints the range chosen and exports the cells.
    dialogs.Forget();
    devices.PrintRangeAnswer(PageRange{2, 3}).PrintRangeAnswer(std::nullopt);
    preview.PrintBtnClick();
    preview.PrintBtnClick();
    EXPECT_THAT(devices.PrintDialogsShown, ElementsAre(5, 5));
    ASSERT_EQ(devices.PrintJobs.size(), 1u) << "a cancelled dialog prints nothing";
    EXPECT_THAT(devices.PrintJobs[0], ElementsAre("2", "3")) << "two sheets";
    TemporaryFolder folder;
    preview.ReportTitle = "Staff";
    dialogs.ChooseFile(folder.File("staff"))
        .ChooseFile(folder.File("staff.htm"))
        .ChooseFile(folder.File("staff.pdf"));
    for (int entry : {0, 1, 2}) {
        preview.ExportMenuClick(entry);
    }
    EXPECT_EQ(ReadFileBytes(folder.File("staff.csv")),
              "#,Name,Notes\r\n1.,\"Lee, Ann\",\"says \"\"hi\"\"\"\r\n2.,Bob,\"\"\r\n");
    // The page is the plain table, under the report's title.
    const std::string page = ReadFileBytes(folder.File("staff.htm"));
    EXPECT_THAT(page, HasSubstr("<title>Staff</title>"));
    EXPECT_THAT(page, HasSubstr("<td nowrap>says \"hi\"</td>"));
    EXPECT_EQ(ReadFileBytes(folder.File("staff.pdf")), "%PDF 1 2 3 4 5");
    EXPECT_THAT(devices.PdfTitles, ElementsAre("Staff"));
    EXPECT_EQ(dialogs.BoxTexts(),
              (std::vector<std::string>{"File Saved", "File Saved", "File Saved"}));

    // An existing file is replaced only when the user says so; one that cannot be written
    // is named.
    dialogs.Forget();
    dialogs.ChooseFile(folder.File("staff.csv")).AnswerNo().CancelFileDialog();
    preview.ExportMenuClick(0);
    dialogs.ChooseFile(folder.File("none/x.csv"));
    preview.ExportMenuClick(0);
    ASSERT_EQ(dialogs.BoxTexts().size(), 2u);
    EXPECT_EQ(dialogs.BoxTexts()[0],
              folder.File("staff.csv") + " already exists.  Do you want to overwrite it ?");
    EXPECT_EQ(
        dialogs.BoxTexts()[1].rfind("Cannot create file " + folder.File("none/x.csv") + ": ", 0),
        0u)
        << dialogs.BoxTexts()[1];
    EXPECT_EQ(dialogs.FileDialogsShown[0].filter,
              "Comma Delimited File, UTF-8|*.CSV|Comma Delimited File, Windows-1252|*.CSV");
    EXPECT_EQ(dialogs.FileDialogsShown[1].filter, "HTML File|*.HTM");

    // UTF-8 unless the other filter is chosen.
    table[2][1] = "Bo\xE9";
    dialogs.Forget();
    dialogs.ChooseFile(folder.File("utf8.csv")).ChooseFile(folder.File("cp1252.csv"), 1);
    preview.ExportMenuClick(0);
    preview.ExportMenuClick(0);
    EXPECT_EQ(ReadFileBytes(folder.File("utf8.csv")).substr(43), "2.,Bo\xC3\xA9,\"\"\r\n");
    EXPECT_EQ(ReadFileBytes(folder.File("cp1252.csv")).substr(43), "2.,Bo\xE9,\"\"\r\n");
    preview.CloseBtnClick();
    EXPECT_TRUE(preview.Closed);
}

}  // namespace
}  // namespace quillmark::test
