// The spreadsheet window driven as a user drives it: the rows of each mode and the browse
// panel, the colours of the search list, editing in place and from the pop-up menus, the
// column chooser and columns that keep their places and widths from one run to the next.

#include "forms/form_helpers.h"
#include "support/picture_files.h"
#include "support/test_helpers.h"
#include "support/view_fixture.h"

#include "forms/search/search_form.h"
#include "forms/spreadsheet/select_spreadsheet_form.h"
#include "forms/spreadsheet/snapshot_form.h"

#include <gmock/gmock.h>

#include <initializer_list>
#include <tuple>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// Record #, Name, Type, Street, Birth Date, Country, Status, Image One, Employment Date.
constexpr std::initializer_list<int> Layout = {220, 230, 10, 110, 130, 140, 210, 240, 300};
enum Column { Number, Name, Type, Street, BirthDate, Country, Status, ImageOne, Employed };

class SpreadsheetTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        // Ann and Cy are on the search list, Ann found by a search; Cy is read-only.
        workspace.RecordList() = Named({"Ann Smith", "Bob Jones", "Cy Ng", "Di Lee"});
        Record(0).Desc[1] = "Nights : Part Time : Shift";
        Record(1).Desc[1] = "Shift";
        Record(2).Desc[1] = "Days : Full Time : shift";
        Record(0).Detail[0] = "1 Elm St";
        Record(0).Detail[3] = "Luxembourg";
        Record(0).Working = Record(0).InSearchList = Record(0).SearchHit = true;
        Record(1).Available = Record(1).NotAvailable = true;
        Record(2).InSearchList = Record(2).ReadOnly = true;
        ColumnLayout& columns = workspace.SpreadsheetColumns;
        columns.FieldNumbers.fill(-1);
        std::copy(Layout.begin(), Layout.end(), columns.FieldNumbers.begin());
        workspace.CurrentIndex = 0;
        view.GetRecord(0);
        sheet.FormActivate();
    }

    ItemRecord& Record(int position) { return session.Record(position); }
    // The cells of a column, below its title.
    std::vector<std::string> ColumnText(int column)
    {
        std::vector<std::string> cells;
        for (int row = 1; row < sheet.SpreadView.RowCount; ++row) {
            cells.push_back(sheet.CellText(row, column));
        }
        return cells;
    }
    void Browse(const std::string& field)
    {
        sheet.BrowseBy.text = field;
        sheet.BrowseByChange();
    }
    // What the grid says of its rows: the status line, the row count with the titles, greyed.
    std::tuple<std::string, int, bool> Grid() const
    {
        return {sheet.Status.text, sheet.SpreadView.RowCount, sheet.SpreadView.Silver};
    }
    std::vector<std::string> BrowseValues()
    {
        return Collect(sheet.BrowseView, &BrowseItem::caption);
    }

    TSnapShot& sheet = workspace.Spreadsheet();
    RecordingShell& shell = session.shell;
};

TEST_F(SpreadsheetTest, BrowseValuesPickTheRowsShownAndStayPickedAcrossActivations)
{
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        // The top category: after the last ":" and one blank; letter case tells values apart.
        {"Primary \"Type\" Category", {"Shift", "shift"}},
        {"Complete \"Type\" Category",
         {"Nights : Part Time : Shift", "Shift", "Days : Full Time : shift"}},
        {"Street", {"1 Elm St"}},
        {"Status", {"Working", "Available"}},
    };
    for (const auto& [field, values] : cases) {
        Browse(field);
        EXPECT_EQ(BrowseValues(), values) << field;
    }
    Browse("Primary \"Type\" Category");
    sheet.BrowseViewClick(0);
    EXPECT_EQ(sheet.Status.text, "Selected Records");
    EXPECT_THAT(ColumnText(Name), ElementsAre("Ann Smith", "Bob Jones"));
    EXPECT_TRUE(Record(1).Marked);
    EXPECT_FALSE(Record(2).Marked);
    EXPECT_THAT(Collect(sheet.BrowseView, &BrowseItem::stateIndex), ElementsAre(0, 1));
    EXPECT_EQ(Record(2).SheetRow, -1);
    sheet.FormActivate();
    EXPECT_EQ(sheet.BrowseViewIndex, 0);
    EXPECT_EQ(sheet.Status.text, "Selected Records");
    EXPECT_THAT(ColumnText(Name), ElementsAre("Ann Smith", "Bob Jones"));

    // Picking a value from the list shows its records whatever the mode was.
    sheet.ViewAllClick();
    sheet.BrowseViewClick(1);
    EXPECT_TRUE(sheet.ViewSelected.checked);
    EXPECT_THAT(ColumnText(Name), ElementsAre("Cy Ng"));
    EXPECT_EQ(workspace.CurrentIndex, 2) << "the record on show was not among them";
}

TEST_F(SpreadsheetTest, HighlightsTellTheSearchListStatesAndEachModeSaysWhatItsRowsAre)
{
    EXPECT_EQ(sheet.CellColour(1), std::nullopt);
    sheet.Hbox.checked = true;
    sheet.HboxClick();
    EXPECT_EQ(sheet.CellColour(1), TSnapShot::Green);   // found by a search
    EXPECT_EQ(sheet.CellColour(3), TSnapShot::Yellow);  // put on the list otherwise
    EXPECT_EQ(sheet.CellColour(2), TSnapShot::Aqua);    // not on the list
    EXPECT_EQ(TSnapShot::Green, (RgbColour{0x00, 0x80, 0x00}));

    // Each mode shows its rows and says what they are.
    EXPECT_EQ(sheet.Status.text, "All Records");
    EXPECT_EQ(sheet.ViewFields.text,
              "Record #+Name+Type+Street+Birth Date+Country+Status+Image One+Employment Date");
    EXPECT_THAT(ColumnText(Name), ElementsAre("Ann Smith", "Bob Jones", "Cy Ng", "Di Lee"));
    EXPECT_THAT(ColumnText(Status), ElementsAre("Working", "Available", "", ""));
    EXPECT_EQ(
        std::tuple(sheet.CellText(0, Type), sheet.CellText(1, Type), sheet.CellText(1, ImageOne)),
        std::tuple("Type", "Nights : Part Time : Shift", ""));
    workspace.ShortDescriptions = true;
    EXPECT_EQ(sheet.CellText(1, Type), "Nights ");

    // A search's message shows once; the record numbers stay those of the whole list.
    workspace.Search().SearchResultMessage = "2 new records were found during the previous search.";
    workspace.SpreadsheetMode = SpreadsheetMode::SearchList;
    sheet.FormActivate();
    EXPECT_EQ(sheet.Status.text, "2 new records were found during the previous search.");
    EXPECT_TRUE(sheet.ViewSearched.checked);
    EXPECT_THAT(ColumnText(Number), ElementsAre("1", "3"));
    sheet.FormActivate();
    EXPECT_EQ(sheet.Status.text, "Search List Records");
    sheet.PrintMenuClick(1);
    ASSERT_EQ(shell.TablesPrinted.size(), 1u);
    const auto& [grid, printed] = shell.TablesPrinted[0];
    ASSERT_EQ(printed.rows.size(), 2u);
    EXPECT_EQ(std::tie(grid, printed.header[Employed], printed.rows[1][Name]),
              std::tuple("SpreadView", "Employment Date", "Cy Ng"));
    EXPECT_EQ(shell.GridSetups.back().second, (GridPageSetup{true}));
    for (const auto& record : workspace.RecordList()) {
        record->InSearchList = false;
    }
    sheet.ViewSearchedClick();
    EXPECT_EQ(Grid(), std::tuple("Search List Empty", 1, true));
    // Nothing picked yet among the browse values.
    Browse("Primary \"Type\" Category");
    EXPECT_TRUE(sheet.ViewSelected.checked);
    EXPECT_EQ(workspace.SpreadsheetMode, SpreadsheetMode::Selected);
    EXPECT_EQ(Grid(), std::tuple("No Records are Selected", 1, true));
    sheet.ViewAllClick();
    EXPECT_EQ(Grid(), std::tuple("All Records", 5, false));
}

TEST_F(SpreadsheetTest, TextColumnsAreEditedInPlaceExceptOnReadOnlyRecords)
{
    for (int column : {Name, Street, BirthDate, Country, Employed}) {
        EXPECT_TRUE(sheet.CellEditable(1, column)) << column;
        EXPECT_FALSE(sheet.CellEditable(3, column)) << "Cy is read-only";
    }
    for (int column : {Number, Type, Status, ImageOne}) {
        EXPECT_FALSE(sheet.CellEditable(1, column)) << column;
    }
    EXPECT_EQ(sheet.EditMask(BirthDate), "!99/99/0000;1;_");
    EXPECT_EQ(sheet.EditMask(Employed), "") << "the other fields are typed freely here";

    // The editor starts from the whole stored value; the row's record becomes current.
    sheet.SpreadViewSelectCell(Country, 4);
    EXPECT_EQ(sheet.SpreadViewGetEditText(Country, 1), "Luxembourg");
    EXPECT_EQ(workspace.CurrentIndex, 0);
    EXPECT_EQ(sheet.number.text, "1");
    sheet.SpreadViewSetEditText(Name, 2, "Bob Jonas");
    sheet.SpreadViewSetEditText(Street, 2, "  9 Pine Rd ");
    sheet.SpreadViewSetEditText(Employed, 2, "03/04/2001");
    EXPECT_EQ(std::tie(Record(1).RecordName, Record(1).Detail[0], Record(1).Other[1]),
              std::tuple("Bob Jonas", "  9 Pine Rd ", "03/04/2001"));
    EXPECT_EQ(view.RecordName.text, "Bob Jonas") << "the main window shows the record as it is";
    EXPECT_EQ(workspace.CurrentIndex, 1);
    sheet.SpreadViewSetEditText(Name, 3, "Cy Changed");
    EXPECT_EQ(Record(2).RecordName, "Cy Ng");
}

TEST_F(SpreadsheetTest, PopupMenusSetStatusPicturesAndCategoriesButNotOnReadOnlyRecords)
{
    EXPECT_EQ(sheet.SpreadViewMouseDown(Status, 2, false), nullptr) << "left: select only";
    ASSERT_EQ(sheet.SpreadViewMouseDown(Status, 2, true), &sheet.Checkb);
    EXPECT_EQ(sheet.Checkb[2].caption, "Not Available");
    sheet.PopupMenuClick({0});
    EXPECT_TRUE(Record(1).Working);
    EXPECT_FALSE(Record(1).Available || Record(1).NotAvailable);
    EXPECT_TRUE(view.Description.CheckBox1.checked);
    EXPECT_EQ(sheet.CellText(2, Status), "Working");

    // A category picked from the menu is stored as its path, as in the main window.
    const std::vector<MenuItemControl>* menu = sheet.SpreadViewMouseDown(Type, 4, true);
    ASSERT_NE(menu, nullptr);
    ASSERT_GE(menu->size(), 3u);
    ASSERT_FALSE(menu->at(2).children.empty());
    sheet.PopupMenuClick({2, 0});
    EXPECT_EQ(Record(3).Desc[1], menu->at(2).children[0].caption + " : " + menu->at(2).caption);
    EXPECT_EQ(view.Description.DescBoxes[1].hint, Record(3).Desc[1]);
    TemporaryFolder folder;
    const std::string photo = folder.File("di.bmp");
    WriteFileBytes(photo, TinyBmp());
    ASSERT_EQ(sheet.SpreadViewMouseDown(ImageOne, 4, true), &sheet.PictureMenu);
    dialogs.ChooseFile(photo);
    sheet.PopupMenuClick({0});
    EXPECT_EQ(Record(3).Images[1].ImageFile, photo);
    EXPECT_EQ(view.Picture.PictureFileName, photo) << "or the main window would store it back";
    const std::shared_ptr<const Bitmap> drawn = sheet.CellPicture(4, ImageOne);
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->width, 3);
    EXPECT_EQ(sheet.CellPicture(1, ImageOne), nullptr);
    ASSERT_EQ(sheet.SpreadViewMouseDown(ImageOne, 4, true), &sheet.PictureMenu);
    sheet.PopupMenuClick({1});
    EXPECT_EQ(Record(3).Images[1].ImageFile, "");
    EXPECT_EQ(sheet.RowHeightReset, 4);

    // Keys open the menu of the current cell, except in the record number column.
    sheet.SpreadViewSelectCell(Status, 1);
    EXPECT_EQ(sheet.SpreadViewKeyDown(), &sheet.Checkb);
    sheet.SpreadViewSelectCell(Number, 1);
    EXPECT_TRUE(sheet.PopupAllowed);
    EXPECT_EQ(sheet.SpreadViewKeyDown(), nullptr);
    for (int column : {Type, Status, ImageOne}) {
        EXPECT_EQ(sheet.SpreadViewMouseDown(column, 3, true), nullptr) << column;
        EXPECT_FALSE(sheet.PopupAllowed);
        EXPECT_EQ(sheet.SpreadViewKeyDown(), nullptr);
    }
    EXPECT_FALSE(Record(2).Working);
}

TEST_F(SpreadsheetTest, RecordNumberBoxAndNextOnTheSearchList)
{
    sheet.number.text = "two";
    sheet.numberEnter();
    EXPECT_THAT(dialogs.Texts(),
                ElementsAre("You have entered an invalid number, please try again"));
    EXPECT_EQ(workspace.CurrentIndex, 0);
    sheet.number.text = "3";
    sheet.numberEnter();
    EXPECT_EQ(workspace.CurrentIndex, 2);
    EXPECT_EQ(sheet.SpreadView.Row, 3) << "the record keeps its row selected";
    EXPECT_EQ(view.RecordName.text, "Cy Ng");
    for (const auto& [typed, shown] : {std::pair("99", "4"), std::pair("-5", "1")}) {
        sheet.number.text = typed;
        sheet.numberEnter();
        EXPECT_EQ(sheet.number.text, shown);
    }
    sheet.NextSearchTBtnClick();
    EXPECT_EQ(workspace.CurrentIndex, 2);
    EXPECT_EQ(sheet.SpreadView.Row, 3);
    EXPECT_TRUE(workspace.SpreadsheetIsCaller);
    // A sort made meanwhile shows in the grid at once.
    view.SortSelectClick(28);  // by name
    EXPECT_THAT(ColumnText(Name), ElementsAre("Ann Smith", "Bob Jones", "Cy Ng", "Di Lee"));
    view.DescendingClick();
    view.SortSelectClick(28);
    EXPECT_THAT(ColumnText(Name), ElementsAre("Di Lee", "Cy Ng", "Bob Jones", "Ann Smith"));
    EXPECT_THAT(shell.WindowsRefreshed, ::testing::Contains(ProgramWindow::Spreadsheet));
    sheet.SpreadViewDblClick();
    EXPECT_THAT(shell.WindowsShown, ElementsAre(ProgramWindow::Main));
}

TEST_F(SpreadsheetTest, TheChooserRewritesTheColumnsOnOkOnly)
{
    shell.OnDialog([](TSelectSpreadsheetForm& chooser) {
        EXPECT_EQ(chooser.Fields.size(), Layout.size());
        EXPECT_EQ(chooser.Fields[1], (TSelectSpreadsheetForm::FieldLine{"Name", 230}));
        EXPECT_EQ(chooser.FieldMenu[21].caption, "Record #");
        EXPECT_FALSE(chooser.FieldMenu[21].enabled) << "shown already";
        EXPECT_EQ(chooser.FieldMenu[29].caption, "Employment Date");
        chooser.FieldMenuClick(34);  // Other 6
        chooser.FieldMenuClick(34);
        chooser.ItemIndex = 0;
        chooser.UpBtnClick();
        chooser.DownBtnClick();
        chooser.DownBtnClick();
        EXPECT_EQ(chooser.ItemIndex, 2);
        chooser.ItemIndex = static_cast<int>(chooser.Fields.size()) - 1;
        chooser.DownBtnClick();
        chooser.ItemIndex = 3;  // Street
        chooser.RemoveBtnClick();
        EXPECT_TRUE(chooser.FieldMenu[10].enabled);
        chooser.OKBtnClick();
    });
    sheet.ViewFieldsClick();
    const auto& codes = workspace.SpreadsheetColumns.FieldNumbers;
    EXPECT_THAT(std::vector<int>(codes.begin(), codes.begin() + 10),
                ElementsAre(230, 10, 220, 130, 140, 210, 240, 300, 350, -1));
    EXPECT_EQ(sheet.ViewFields.text,
              "Name+Type+Record #+Birth Date+Country+Status+Image One+Employment Date+Other 6");
    const ColumnLayout before = workspace.SpreadsheetColumns;
    shell.OnDialog([](TSelectSpreadsheetForm& chooser) {
        chooser.ItemIndex = 0;
        chooser.RemoveBtnClick();
        chooser.CancelBtnClick();
    });
    sheet.ViewFieldsClick();
    EXPECT_EQ(workspace.SpreadsheetColumns, before);

    // Emptied down to its last line, then that one too: no column is chosen, two are shown.
    shell.OnDialog([](TSelectSpreadsheetForm& chooser) {
        while (chooser.Fields.size() > 1) {
            chooser.ItemIndex = 0;
            chooser.RemoveBtnClick();
        }
        EXPECT_FALSE(chooser.RemoveBtn.enabled);
        chooser.OKBtnClick();
    });
    sheet.ViewFieldsClick();
    shell.OnDialog([](TSelectSpreadsheetForm& chooser) {
        EXPECT_TRUE(chooser.RemoveBtn.enabled);
        chooser.ItemIndex = 0;
        chooser.RemoveBtnClick();
        chooser.OKBtnClick();
    });
    sheet.ViewFieldsClick();
    EXPECT_THAT(workspace.SpreadsheetColumns.FieldNumbers, ::testing::Each(-1));
    EXPECT_EQ(sheet.SpreadView.ColCount, 2);
    EXPECT_EQ(sheet.ViewFields.text, "+");
}

class SpreadsheetColumnsTest : public ::testing::Test {
protected:
    TemporaryFolder folder;
    const std::string settingsPath = folder.File("Quillmark.ini");
};

TEST_F(SpreadsheetColumnsTest, MovedAndResizedColumnsAreFoundAgainAfterARestart)
{
    {
        Session first(1, settingsPath);
        first.Start();
        TSnapShot& sheet = first.workspace.Spreadsheet();
        sheet.FormActivate();
        EXPECT_EQ(sheet.SpreadView.ColCount, 35);
        EXPECT_THAT(sheet.SpreadView.ColWidths, ::testing::Each(136));
        // Record #, Name, Type, Category, ... : the third column to the front.
        sheet.SpreadViewColumnResized(2, 250);
        sheet.SpreadViewColumnMoved(2, 0);
        EXPECT_EQ(sheet.ViewFields.text.substr(0, 28), "Type+Record #+Name+Category+");
        sheet.SpreadViewColumnMoved(1, 3);
        sheet.SpreadViewColumnResized(30, 300);
        sheet.FormDeactivate();
        first.dialogs.AnswerNo();  // the save question
        first.view.Close1Click();
    }
    Session second(2, settingsPath);
    second.Start();
    TSnapShot& sheet = second.workspace.Spreadsheet();
    sheet.FormActivate();
    const auto& codes = second.workspace.SpreadsheetColumns.FieldNumbers;
    EXPECT_THAT(std::vector<int>(codes.begin(), codes.begin() + 5),
                ElementsAre(10, 230, 20, 220, 30));
    const auto& widths = sheet.SpreadView.ColWidths;
    EXPECT_EQ(std::tie(widths[0], widths[30], widths[3]), std::tuple(250, 300, 136));
    EXPECT_THAT(second.dialogs.Problems, IsEmpty());
}

}  // namespace
}  // namespace quillmark::test
