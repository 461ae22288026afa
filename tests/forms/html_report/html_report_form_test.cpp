// The HTML report window driven as a user drives it: items picked and ordered, the report
// viewed, saved and printed, and its choices kept in a format file.

#include "forms/form_helpers.h"
#include "support/test_helpers.h"
#include "support/view_fixture.h"

#include "forms/html_report/html_report_form.h"

#include <gmock/gmock.h>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr int NameEntry = 22;    // code 230
constexpr int StatusEntry = 20;  // code 210
constexpr int StreetEntry = 10;  // code 110
constexpr int NumberEntry = 21;  // code 220

class HtmlReportFormTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        workspace.UserDataFolder = folder.File("data");
        workspace.RecordList() = Named({"R&D", "<5 years", "Cy"});
        workspace.RecordList()[0]->Working = true;
        workspace.CurrentIndex = 0;
        report.FormActivate();
    }

    std::vector<std::string> Titles() const
    {
        return Collect(report.Fields, &HtmlReportItem::title);
    }
    std::vector<bool> Buttons() const
    {
        return {report.RemoveBtn.enabled, report.ClearBtn.enabled, report.ViewBtn.enabled};
    }
    bool Offered(int entry) const
    {
        return report.ItemMenu[static_cast<std::size_t>(entry)].enabled;
    }

    TemporaryFolder folder;
    THTMLReport report{workspace};
};

TEST_F(HtmlReportFormTest, ItemsArePickedOnceOrderedAndClearedAndTheReportIsViewedSavedAndPrinted)
{
    EXPECT_EQ(report.ItemMenu.size(), 35u);
    EXPECT_EQ(report.ItemMenu[StreetEntry].caption, "Street");
    EXPECT_THAT(Buttons(), ElementsAre(false, false, false));
    for (const int entry : {NameEntry, StatusEntry, StreetEntry, NameEntry}) {
        report.ItemMenuClick(entry);
    }
    EXPECT_THAT(Titles(), ElementsAre("Name", "Status", "Street"));
    EXPECT_FALSE(Offered(NameEntry));
    EXPECT_THAT(Buttons(), ElementsAre(true, true, true));
    report.FieldsClick(2);
    for (int times = 0; times < 3; ++times) {
        report.MoveUpBtnClick();  // the third time already first
    }
    EXPECT_THAT(Titles(), ElementsAre("Street", "Name", "Status"));
    report.FieldsClick(1);
    report.MoveDownBtnClick();
    report.MoveDownBtnClick();  // already last
    EXPECT_THAT(Titles(), ElementsAre("Street", "Status", "Name"));
    report.FieldsClick(0);
    report.RemoveBtnClick();
    report.RemoveBtnClick();  // nothing selected now
    EXPECT_THAT(Titles(), ElementsAre("Status", "Name"));
    EXPECT_TRUE(Offered(StreetEntry));

    // Captions renamed elsewhere show in the menu at the next activation.
    workspace.database.DetailCaptions[0] = "Road";
    report.FormActivate();
    EXPECT_EQ(report.ItemMenu[StreetEntry].caption, "Road");
    report.ClearBtnClick();
    EXPECT_TRUE(report.Fields.empty());
    EXPECT_TRUE(Offered(NameEntry) && Offered(StatusEntry));
    EXPECT_THAT(Buttons(), ElementsAre(false, false, false));

    // The report is viewed, saved and printed.
    report.ItemMenuClick(NameEntry);
    report.ItemMenuClick(StatusEntry);
    report.HeaderHTML.lines = {"<h1>Caf\xE9</h1>", "<p>"};
    workspace.database.DatabaseInfo.DatabaseName = "Caf\xE9 Staff";
    dialogs.ChooseFontAnswer(std::nullopt).ChooseColourAnswer(std::nullopt);
    report.FontBtnClick();
    report.ColorBtnClick();  // both cancelled
    PageFont white = PageFontOf(FontSetting{});
    white.colour = WhiteColour;
    white.bold = white.italic = true;
    dialogs.ChooseFontAnswer(white).ChooseColourAnswer(RgbColour{0, 0, 0});
    report.FontBtnClick();
    report.ColorBtnClick();
    ASSERT_EQ(dialogs.ColourChoosersShown.size(), 2u);
    EXPECT_EQ(dialogs.ColourChoosersShown[1], WhiteColour);

    // "View" writes the page and the header and footer beside it, and opens the page.
    report.ViewBtnClick();
    const std::string page = folder.File("data/rphtml.htm");
    EXPECT_THAT(session.shell.DocumentsOpened, ElementsAre(page));
    EXPECT_EQ(ReadFileBytes(folder.File("data/header.htm")), "<h1>Caf\xE9</h1>\r\n<p>\r\n");
    EXPECT_EQ(ReadFileBytes(folder.File("data/footer.htm")), "");
    const std::string html = ReadFileBytes(page);
    EXPECT_THAT(html, HasSubstr("<title>Caf\xC3\xA9 Staff</title>\r\n</head>\r\n<body>\r\n"
                                "<h1>Caf\xC3\xA9</h1>\r\n<p>\r\n<table"));
    EXPECT_THAT(html, HasSubstr("<td nowrap BGCOLOR=\"#000000\"><font color=\"#FFFFFF\"><B><I>"
                                "R&amp;D</I></B></font></td>"));

    // "Save HTML" asks before replacing a file and adds the extension.
    WriteFileBytes(folder.File("old.htm"), "keep");
    dialogs.ChooseFile(folder.File("old")).AnswerNo().ChooseFile(folder.File("new"));
    report.SaveHTMLBtnClick();
    EXPECT_EQ(ReadFileBytes(folder.File("old.htm")), "keep");
    EXPECT_EQ(ReadFileBytes(folder.File("new.htm")), html);
    EXPECT_EQ(dialogs.FileDialogsShown.back().filter, "HTML File|*.htm");
    EXPECT_EQ(dialogs.Texts().back(), "HTML report saved as " + folder.File("new.htm") + ".");

    // The table printed as a grid.
    report.ppreviewClick();
    report.PreviewMenuClick(0);
    report.PreviewMenuClick(1);
    EXPECT_THAT(session.shell.PrintSettingsShown, ElementsAre("ReportData"));
    ASSERT_EQ(session.shell.TablesPrinted.size(), 1u);
    const PrintableTable& printed = session.shell.TablesPrinted[0].second;
    EXPECT_THAT(printed.header, ElementsAre("Name", "Status"));
    EXPECT_EQ(printed.rows, (std::vector<std::vector<std::string>>{
                                {"R&D", "Working"}, {"<5 years", ""}, {"Cy", ""}}));

    // Over a thousand records: warned, and the first thousand written.
    for (int more = 0; more < 998; ++more) {
        workspace.RecordList().push_back(std::make_shared<ItemRecord>());
    }
    dialogs.Forget();
    report.ViewBtnClick();
    EXPECT_THAT(dialogs.Texts(), ElementsAre(HtmlReportLimitWarning));
    EXPECT_EQ(report.ReportData.rows.size(), 1001u);

    // A data folder that cannot be made: said, and nothing opened.
    workspace.UserDataFolder = folder.File("new.htm/data");
    dialogs.Forget();
    report.SearchListOnly.checked = true;
    report.ViewBtnClick();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_THAT(
        dialogs.Messages[0].text,
        HasSubstr("Cannot create file \"" + folder.File("new.htm/data/header.htm") + "\"."));
    EXPECT_EQ(session.shell.DocumentsOpened.size(), 2u);
}

TEST_F(HtmlReportFormTest, FormatFilesKeepTheChoicesAndABadOneChangesNothing)
{
    report.ItemMenuClick(StatusEntry);
    report.ItemMenuClick(NumberEntry);
    report.HeaderHTML.lines = {"<h1>Staff</h1>"};
    report.FooterHTML.lines = {"</body>"};
    report.SearchListOnly.checked = true;
    // A size picked in points is filed as a height in pixels.
    PageFont picked = PageFontOf(FontSetting{});
    picked.size = 12;
    picked.underline = true;
    picked.colour = {1, 2, 3};
    FontSetting font;
    font.Height = -16;
    font.Underline = true;
    font.Colour = {1, 2, 3};
    dialogs.ChooseFontAnswer(picked).ChooseColourAnswer(RgbColour{4, 5, 6});
    report.FontBtnClick();
    report.ColorBtnClick();
    dialogs.ChooseFile(folder.File("staff"));
    report.SaveFormatBtnClick();
    EXPECT_EQ(dialogs.FileDialogsShown.back().filter, "HTML Report Format|*.hrf");

    // Coming back to the window keeps the font and colour chosen.
    report.FormActivate();
    EXPECT_EQ(report.ReportFont, font);
    EXPECT_EQ(report.ReportColor, (RgbColour{4, 5, 6}));
    report.ClearBtnClick();
    report.ItemMenuClick(NameEntry);
    report.HeaderHTML.lines.clear();
    report.SearchListOnly.checked = false;
    report.ReportFont = FontSetting{};
    dialogs.ChooseFile(folder.File("staff.hrf"));
    report.LoadFormatBtnClick();
    EXPECT_THAT(dialogs.Texts(),
                ElementsAre("Save Report Format", "HTML Report Format Saved.", "Load Report Form",
                            "HTML Report Format file loaded."));
    EXPECT_THAT(Titles(), ElementsAre("Status", "Record #"));
    EXPECT_THAT(report.HeaderHTML.lines, ElementsAre("<h1>Staff</h1>"));
    EXPECT_THAT(report.FooterHTML.lines, ElementsAre("</body>"));
    EXPECT_EQ(report.ReportFont, font);
    EXPECT_EQ(report.ReportColor, (RgbColour{4, 5, 6}));
    EXPECT_TRUE(report.SearchListOnly.checked);
    // The menu offers what the report does not hold.
    EXPECT_TRUE(Offered(NameEntry));
    EXPECT_FALSE(Offered(StatusEntry) || Offered(NumberEntry));
    EXPECT_THAT(Buttons(), ElementsAre(true, true, true));

    // A damaged file leaves the window as it was; so does a cancelled dialog.
    const std::string bytes = ReadFileBytes(folder.File("staff.hrf"));
    WriteFileBytes(folder.File("cut.hrf"), bytes.substr(0, bytes.size() - 1));
    dialogs.Forget();
    dialogs.ChooseFile(folder.File("cut.hrf")).CancelFileDialog();
    report.ClearBtnClick();
    report.LoadFormatBtnClick();
    report.LoadFormatBtnClick();
    EXPECT_THAT(
        dialogs.Texts(),
        ElementsAre("Load Report Form", "HTML Report Format file is invalid.  No format loaded.",
                    "Load Report Form"));
    EXPECT_TRUE(report.Fields.empty());
    EXPECT_THAT(report.HeaderHTML.lines, ElementsAre("<h1>Staff</h1>"));

    // A header longer than the box takes is refused before it fills the window.
    WriteFileBytes(folder.File("long.htm"), std::string(HtmlPartLineLimit + 1, '\n'));
    dialogs.Forget();
    dialogs.ChooseFile(folder.File("long.htm"));
    report.LoadHeaderBtnClick();
    EXPECT_THAT(dialogs.Texts(),
                ElementsAre("Load Header",
                            "Cannot load \"" + folder.File("long.htm") +
                                "\". A header or footer holds at most 10000 lines and 1 MB."));
    EXPECT_THAT(report.HeaderHTML.lines, ElementsAre("<h1>Staff</h1>"));

    // A header file in UTF-8 shows in the box as it reads in the editor that wrote it.
    WriteFileBytes(folder.File("utf8.htm"), "<h1>Caf\xC3\xA9</h1>\r\n");
    dialogs.ChooseFile(folder.File("utf8.htm"));
    report.LoadHeaderBtnClick();
    EXPECT_THAT(report.HeaderHTML.lines, ElementsAre("<h1>Caf\xE9</h1>"));
}

}  // namespace
}  // namespace quillmark::test
