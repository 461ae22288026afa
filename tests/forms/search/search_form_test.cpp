// The search window driven as a user drives it: terms chosen from its menus and dialogs, the
// search run, the search list and saved searches.

#include "forms/form_helpers.h"
#include "support/test_helpers.h"
#include "support/view_fixture.h"

#include "core/category_tree.h"
#include "core/database_file.h"
#include "forms/search/search_form.h"
#include "forms/search/select_schedule_form.h"
#include "forms/search/select_skills_form.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;

class SearchFormTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        // Four records: Ann Smith, Bob Smith, Cy Jones, Di Smith; Bob is working.
        workspace.RecordList() = Named({"Ann Smith", "Bob Smith", "Cy Jones", "Di Smith"});
        workspace.RecordList()[1]->Working = true;
        workspace.CurrentIndex = 0;
        view.GetRecord(0);
        search.FormActivate();
    }

    // Picks the field menu's entry with this caption for the current row.
    void ChooseField(const std::string& caption)
    {
        search.GridColumn = TSearch::FieldColumn;
        const std::vector<MenuItemControl>* menu = search.OpenChooser();
        ASSERT_NE(menu, nullptr);
        const auto entry =
            std::ranges::find_if(*menu, [&](const auto& item) { return item.caption == caption; });
        ASSERT_NE(entry, menu->end()) << caption;
        search.ChooserClick({static_cast<int>(entry - menu->begin())});
    }
    bool FieldOffered(const std::string& caption)
    {
        return std::ranges::any_of(search.FieldMenu, [&](const auto& item) {
            return item.caption == caption && item.enabled;
        });
    }
    // The field chosen on a new row, or on the first while it was never used.
    void ChooseFieldOnNewRow(const std::string& caption)
    {
        if (search.GridRows.back().Slot != RowNeverUsed) {
            search.AddTermBtnClick();
        }
        search.GridRow = static_cast<int>(search.GridRows.size()) - 1;
        ChooseField(caption);
    }
    void AddTypedTerm(const std::string& caption, const std::string& text)
    {
        ChooseFieldOnNewRow(caption);
        search.SearchGridSetEditText(search.GridRow, text);
    }
    const std::vector<MenuItemControl>* OpenValueChooser()
    {
        search.GridColumn = TSearch::ValueColumn;
        return search.OpenChooser();
    }
    std::vector<std::string> Listed()
    {
        std::vector<std::string> names;
        for (const auto& record : workspace.RecordList()) {
            if (record->InSearchList) {
                names.push_back(record->RecordName);
            }
        }
        return names;
    }

    TSearch& search = workspace.Search();
    RecordingShell& shell = session.shell;
};

TEST_F(SearchFormTest, TermsAreComposedFromTheMenusAndRunTogether)
{
    AddTypedTerm("Name", "smith");
    EXPECT_THAT(search.GridRows[0], ::testing::Eq(SearchTermRow{"Name", "Includes", "smith", 1}));
    EXPECT_FALSE(FieldOffered("Name")) << "a field other than three appears in one term only";

    // The type chosen before the field is kept when the field comes.
    search.AddTermBtnClick();
    search.GridColumn = TSearch::TypeColumn;
    ASSERT_EQ(search.OpenChooser(), &search.TypeMenu);
    search.ChooserClick({1});
    ChooseField("Status");
    EXPECT_FALSE(search.CellEditable(1, TSearch::ValueColumn)) << "chosen from a menu";
    ASSERT_EQ(OpenValueChooser(), &search.StatusMenu);
    search.ChooserClick({0});
    EXPECT_THAT(search.GridRows[1],
                ::testing::Eq(SearchTermRow{"Status", "Does Not Include", "Working", 2}));
    search.PerformSearchBtnClick();
    EXPECT_THAT(Listed(), ElementsAre("Ann Smith", "Di Smith"));
    EXPECT_EQ(search.SearchResultMessage, "2 new records were found during the previous search.");
    EXPECT_EQ(workspace.SpreadsheetMode, SpreadsheetMode::SearchList);
    EXPECT_THAT(shell.WindowsShown, ElementsAre(ProgramWindow::Spreadsheet));
    EXPECT_TRUE(search.Extract.enabled);
    EXPECT_EQ(search.SearchProgress.position, 4);
    search.PerformSearchBtnClick();
    // The count is shown by the spreadsheet, not in a box.
    EXPECT_THAT(dialogs.Texts(), ElementsAre("No new records were found during this search."));
    EXPECT_EQ(search.SearchResultMessage, "");
}

TEST_F(SearchFormTest, RowsComeAndGoWithinFiftyTerms)
{
    AddTypedTerm("Experience", "acme");
    AddTypedTerm("Experience", "welding");
    EXPECT_TRUE(FieldOffered("Experience")) << "experience may repeat";
    while (search.GridRows.size() < 50) {
        search.AddTermBtnClick();
    }
    search.AddTermBtnClick();
    EXPECT_THAT(dialogs.Texts(),
                ElementsAre("You may add a maximum of 50 search terms per search."));
    EXPECT_EQ(search.GridRows.size(), 50u);
    search.GridRow = 0;
    ChooseField("REMOVE SEARCH TERM");
    EXPECT_EQ(search.GridRows.size(), 49u);
    EXPECT_TRUE(search.SearchTerms[1].IsFree());
    // The freed slot is the lowest, so the next field chosen takes it.
    search.GridRow = 48;
    ChooseField("Keywords");
    EXPECT_EQ(search.GridRows[48].Slot, 1);
    dialogs.AnswerNo().AnswerYes();
    search.NewSearchBtnClick();
    EXPECT_EQ(search.GridRows.size(), 49u);
    search.NewSearchBtnClick();
    ASSERT_EQ(search.GridRows.size(), 1u);
    EXPECT_EQ(search.GridRows[0].Slot, RowNeverUsed);
    EXPECT_TRUE(FieldOffered("Keywords"));
    ChooseField("REMOVE SEARCH TERM");
    EXPECT_EQ(search.GridRows.size(), 1u) << "the only row stays, empty";
}

TEST_F(SearchFormTest, TheTermDialogsRefuseEmptyBoxesAndSayWhatTheyChose)
{
    session.workspace.Labels.DetailMasks[2] = "!99/99/0000;1;_";
    shell
        .OnDialog([](TSelectRangeForm& form) {
            EXPECT_EQ(form.LowValue.mask, "!99/99/0000;1;_") << "the box's mask on the main window";
            form.SpecificOKBtnClick();
            form.LowValue.text = "01/01/1980";
            form.RangeOKBtnClick();
            EXPECT_EQ(form.FocusedControl, "HighValue");
            form.HighValue.text = "12/31/1989";
            form.RangeOKBtnClick();
        })
        .OnDialog([](TSelectScheduleForm& form) {
            EXPECT_EQ(form.HighValue.text, "24:00");
            EXPECT_EQ(form.Day1.text, "Any Day");
            form.LowValue.text = "09:00";
            form.HighValue.text = "12:00";
            form.Day2.text = "Monday";
            form.RangeOKBtnClick();
        })
        .OnDialog([](TSelectSkillsForm& form) {
            EXPECT_EQ(form.Skill.items.size(), 100u);
            form.Skill.text = "Juggling";
            form.OKBtnClick();
            form.Skill.text = "Welding";
            form.pHighValue.text = "5";
            form.Notes.text = "nights";
            form.FullMatchClick();
            form.OKBtnClick();
        });
    workspace.database.SkillNames[4] = "Welding";
    const std::string birthDate = workspace.database.DetailCaptions[2];
    for (const std::string& field : {birthDate, std::string("Schedule"), std::string("Skills")}) {
        ChooseFieldOnNewRow(field);
        EXPECT_EQ(OpenValueChooser(), nullptr) << "a dialog, not a menu";
    }
    EXPECT_THAT(dialogs.Texts(), ElementsAre("Please enter a value in the search field.",
                                             "Please enter a value in the \"to\" search field.",
                                             "Please select a valid skill."));
    EXPECT_EQ(search.GridRows[0].Value, "01/01/1980 < 12/31/1989");
    EXPECT_EQ(search.GridRows[1].Value, "09:00 < 12:00 on Monday");
    EXPECT_EQ(search.GridRows[2].Value, "Welding with proficiency < 5 Notes nights");
    const SearchRecord& skill = search.SearchTerms[3];
    EXPECT_EQ(skill.SkillName, "Welding");
    EXPECT_EQ(skill.MatchMode, 1);
    EXPECT_EQ(search.SearchTerms[2].DayName, "Monday");
}

TEST_F(SearchFormTest, HoursSalariesAndTheSalaryTypeAreChosenNotTyped)
{
    const std::vector<std::string> ranged = {
        "Hours per Week",    "Hourly Salary",  "Daily Salary", "Weekly Salary",
        "Bi-Monthly Salary", "Monthly Salary", "Yearly Salary"};
    for (const std::string& field : ranged) {
        shell.OnDialog([field](TSelectRangeForm& form) {
            form.LowValue.text = field == "Hours per Week" ? "15" : "0";
            form.HighValue.text = field == "Hours per Week" ? "25" : "90000";
            form.RangeOKBtnClick();
        });
        ChooseFieldOnNewRow(field);
        EXPECT_FALSE(search.CellEditable(search.GridRow, TSearch::ValueColumn)) << field;
        EXPECT_EQ(OpenValueChooser(), nullptr) << field;
    }
    EXPECT_EQ(shell.DialogsShown.size(), ranged.size());
    EXPECT_EQ(search.GridRows[0].Value, "15 < 25");
    EXPECT_EQ(search.SearchTerms[1].ToValue, "25");
    ChooseFieldOnNewRow("Salary Type");
    EXPECT_FALSE(search.CellEditable(search.GridRow, TSearch::ValueColumn));
    ASSERT_EQ(OpenValueChooser(), &search.SalaryMenu);
    search.ChooserClick({4});
    EXPECT_EQ(search.GridRows.back().Value, "Yearly");
}

TEST_F(SearchFormTest, CategoryMenusListEachLevelInReverseAndGiveLeafFirstValues)
{
    workspace.database.DescriptionTrees[1] = "Clerk\r\n\tOffice\r\n\tStore\r\nManager\r\n";
    workspace.ChangeFlag = true;
    search.FormActivate();
    ChooseField(workspace.database.DescriptionCaptions[0]);
    const std::vector<MenuItemControl>* menu = OpenValueChooser();
    ASSERT_EQ(menu, &search.SearchMenus[1]);
    ASSERT_EQ(menu->size(), 2u);
    EXPECT_EQ((*menu)[0].caption, "Manager");
    EXPECT_EQ((*menu)[1].children[0].caption, "Store");
    search.ChooserClick({1, 1});
    EXPECT_EQ(search.GridRows[0].Value, "Office : Clerk");
    EXPECT_EQ(search.SearchTerms[1].FromValue, "Office : Clerk");

    // As many top-level categories as a tree may hold are listed without moving every entry
    // down once for each one put before it.
    workspace.database.DescriptionTrees[2] = Repeat("C\r\n", static_cast<int>(MaximumCategories));
    const double started = ProcessorSeconds();
    search.FormActivate();
    EXPECT_LT(ProcessorSeconds() - started, 1.0);
    EXPECT_EQ(search.SearchMenus[2].size(), MaximumCategories);
}

TEST_F(SearchFormTest, TheSearchListIsFilledClearedExtractedAndRemoved)
{
    const auto addRange = [&](int low, int high) {
        search.LowRange.value = low;
        search.HighRange.value = high;
        search.AddRangeBtnClick();
    };
    addRange(2, 3);
    addRange(5, 3);
    EXPECT_THAT(Listed(), ElementsAre("Bob Smith", "Cy Jones"));
    EXPECT_THAT(dialogs.Texts(), ElementsAre("Records 2 to 3 have been added to the Search List.",
                                             "Records 5 to 3 have been added to the Search List."));
    dialogs.Forget();

    // Extracting to an existing file answered No asks again; the open database stays as it was.
    TemporaryFolder folder;
    const std::string existing = folder.File("old.dat");
    WriteFileBytes(existing, "keep");
    workspace.DatabaseFileName = folder.File("staff.dat");
    dialogs.ChooseFile(existing).AnswerNo().ChooseFile(folder.File("found"));
    // The entry that deletes records comes last, after a line.
    ASSERT_EQ(search.ExtractType.size(), 3u);
    EXPECT_EQ(search.ExtractType[0].caption, "Extract To File");
    EXPECT_TRUE(search.ExtractType[1].separator);
    EXPECT_EQ(search.ExtractType[2].caption, "Remove From Database");
    search.ExtractTypeClick(0);
    const std::string title = "Extract and Save Searched Records As";
    EXPECT_THAT(dialogs.Texts(),
                ElementsAre(title, existing + " already exists.  Do you want to overwrite it ?",
                            title, "Extract Sucessful !"));
    EXPECT_EQ(ReadFileBytes(existing), "keep");
    EXPECT_EQ(workspace.DatabaseFileName, folder.File("staff.dat"));
    EXPECT_FALSE(workspace.ExtractMode);
    Database extract;
    ASSERT_EQ(ReadDatabaseFile(folder.File("found.dat"), extract, ReadMode::Replace).Outcome,
              ReadOutcome::Loaded);
    ASSERT_EQ(extract.RecordList.size(), 2u);
    EXPECT_EQ(extract.RecordList[1]->RecordName, "Cy Jones");
    dialogs.Forget();

    // Removing keeps the record on show when it stays, and never the last record.
    workspace.CurrentIndex = 3;
    dialogs.AnswerYes();
    search.ExtractTypeClick(2);
    EXPECT_THAT(session.Names(), ElementsAre("Ann Smith", "Di Smith"));
    // Enter answers No: a hurried key press keeps the records.
    EXPECT_EQ(dialogs.Messages.front().kind, ScriptedDialogs::Kind::YesNoDefaultNo);
    EXPECT_EQ(workspace.CurrentIndex, 1);
    EXPECT_EQ(view.RecordName.text, "Di Smith");
    EXPECT_EQ(search.HighRange.maximum, 2);
    EXPECT_FALSE(search.Extract.enabled);
    addRange(1, 2);
    dialogs.AnswerYes();
    search.ExtractTypeClick(2);
    EXPECT_THAT(session.Names(), ElementsAre("Di Smith"));
    // The question counts what goes: all the listed records but the last one left.
    EXPECT_THAT(dialogs.Texts(),
                ElementsAre("All Search List Records (2 records) will be removed.  Are you sure "
                            "you want to continue ?",
                            "2 records have been removed from the Database.",
                            "Records 1 to 2 have been added to the Search List.",
                            "All Search List Records (1 record) will be removed.  Are you sure "
                            "you want to continue ?",
                            "1 records have been removed from the Database."));
    dialogs.Forget();
    search.ClearClick();
    EXPECT_THAT(Listed(), ElementsAre());
    EXPECT_THAT(dialogs.Texts(), ElementsAre("Search List Cleared"));
}

TEST_F(SearchFormTest, TheMainWindowWalksTheSearchListAndTicksItsBox)
{
    workspace.RecordList()[1]->InSearchList = true;
    view.PreviousSearchClick();
    view.RecordName.text = "Ann Smith-Lee";
    view.NextSearchClick();
    EXPECT_EQ(view.RecordName.text, "Bob Smith");
    EXPECT_EQ(session.Record(0).RecordName, "Ann Smith-Lee") << "stored before moving on";
    view.NextSearchClick();
    EXPECT_EQ(workspace.CurrentIndex, 1) << "nothing listed after Bob";
    view.GetRecord(3);
    view.NextSearchClick();
    view.PreviousSearchClick();
    EXPECT_EQ(workspace.CurrentIndex, 1);
    view.PreviousSearchClick();
    EXPECT_EQ(workspace.CurrentIndex, 1);
    EXPECT_THAT(dialogs.Texts(),
                ElementsAre("There are no records in the search list prior to this one.",
                            "There are no records on the Search List after this one.",
                            "There are no records in the search list after this one.",
                            "There are no records on the Search List prior to this one."));
    view.GetRecord(2);
    view.SearchListBox.checked = true;
    view.SearchListBoxClick();
    EXPECT_TRUE(session.Record(2).InSearchList && session.Record(2).SearchHit);
}

TEST_F(SearchFormTest, ASavedSearchComesBackWithTheCaptionsOfTheOpenDatabase)
{
    // The field of row 2 is chosen first, so row 1 holds slot 2.
    search.AddTermBtnClick();
    search.GridRow = 1;
    ChooseField("Keywords");
    search.GridRow = 0;
    ChooseField("Name");
    search.SearchGridSetEditText(0, "Smith");
    TemporaryFolder folder;
    dialogs.ChooseFile(folder.File("names"));
    search.SaveSearchBtnClick();
    workspace.Labels.Name = "Employee";
    dialogs.AnswerYes();
    search.NewSearchBtnClick();
    search.FormActivate();
    dialogs.AnswerYes().ChooseFile(folder.File("names.srh"));
    search.LoadSearchBtnClick();
    ASSERT_EQ(search.GridRows.size(), 2u);
    EXPECT_EQ(search.GridRows[0].Field, "Employee");
    EXPECT_EQ(search.GridRows[1].Field, "Keywords");
    EXPECT_EQ(search.SearchTerms[2].FromValue, "Smith");
    EXPECT_FALSE(FieldOffered("Keywords"));

    // A damaged file changes nothing.
    WriteFileBytes(folder.File("cut.srh"), I(3) + S("Includes") + S("x"));
    dialogs.AnswerYes().ChooseFile(folder.File("cut.srh"));
    search.LoadSearchBtnClick();
    EXPECT_EQ(search.GridRows.size(), 2u);
    const std::string question =
        "Existing search will be cleared.  Are you sure you want to continue ?";
    EXPECT_THAT(
        dialogs.Texts(),
        ElementsAre("Save Search", "Search Saved.", question, question, "Load Search", question,
                    "Load Search", "Selected search file is invalid.  No search loaded."));
}

}  // namespace
}  // namespace quillmark::test
