// What one run of the program leaves in its settings file for the next: the last database,
// the main window's size, the spreadsheet's columns, and "Reset Application".

#include "support/database_layout.h"
#include "core/program_settings.h"
#include "support/test_helpers.h"
#include "forms/main/view_form.h"
#include "forms/search/search_form.h"
#include "forms/spreadsheet/snapshot_form.h"
#include "forms/workspace.h"
#include "support/fake_services.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <utility>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Kind = ScriptedDialogs::Kind;
using Shown = ScriptedDialogs::Shown;

class SettingsFlowTest : public ::testing::Test {
protected:
    // A run of the program over the settings file of this test; the main window is made but
    // not yet shown. The run before must have played its script out.
    Session& Program()
    {
        TearDown();
        program_ = std::make_unique<Session>(20240315, settingsPath);
        return *program_;
    }
    void TearDown() override
    {
        if (program_) {
            EXPECT_THAT(program_->dialogs.Problems, IsEmpty());
            EXPECT_THAT(program_->shell.Problems, IsEmpty());
            EXPECT_TRUE(program_->dialogs.ScriptUsedUp());
        }
    }

    TemporaryFolder folder;
    // In a folder of its own that the first save makes.
    const std::string settingsPath = folder.File("config/Quillmark.ini");
    const SettingsStore store{settingsPath};

private:
    std::unique_ptr<Session> program_;
};

TEST_F(SettingsFlowTest, AFirstRunAsksNothingAndLeavesItsWindowAndColumnsToTheNext)
{
    {
        Session& first = Program();
        first.Start();
        EXPECT_THAT(first.dialogs.Messages, IsEmpty());
        // Nothing saved: the window opens at its own fitting size.
        EXPECT_EQ(std::pair(first.view.Width, first.view.Height), std::pair(0, 0));
        EXPECT_FALSE(first.view.ShortDescriptions());
        EXPECT_TRUE(folder.Entries().empty()) << "reading makes neither the file nor its folder";

        first.view.Width = 812;
        first.view.Height = 590;
        first.view.Actions.ShortDescriptionValues.checked = true;
        first.workspace.SpreadsheetColumns.FieldNumbers[3] = 350;
        first.workspace.SpreadsheetColumns.Widths[3] = 90;
        first.dialogs.AnswerNo();
        first.view.Close1Click();
        EXPECT_EQ(first.shell.ExitRequests, 1);
    }
    // An untitled database leaves no last file to offer.
    Session& second = Program();
    EXPECT_EQ(second.view.Width, 812);
    EXPECT_EQ(second.view.Height, 590);
    second.Start();
    EXPECT_THAT(second.dialogs.Messages, IsEmpty());
    EXPECT_TRUE(second.view.ShortDescriptions());
    const ColumnLayout& columns = second.workspace.SpreadsheetColumns;
    EXPECT_EQ(columns.FieldNumbers[3], 350);
    EXPECT_EQ(columns.Widths[3], 90);
    EXPECT_EQ(columns.FieldNumbers[4], 30);
    EXPECT_EQ(columns.FieldNumbers[22], 210);
    EXPECT_EQ(columns.Widths[50], 136);
}

TEST_F(SettingsFlowTest, TheLastDatabaseIsOfferedAtTheNextStart)
{
    const std::string path = folder.File("staff.dat");
    const Shown question{Kind::YesNo, "Would you like to open the file " + path + " ?"};
    {
        Session& first = Program();
        first.Start();
        first.view.RecordName.text = "Ann Lee";
        first.view.NewRecord1Click();
        first.view.RecordName.text = "Bob Ray";
        first.dialogs.AnswerYes().ChooseFile(folder.File("staff"));
        first.view.Close1Click();
    }
    {
        Session& second = Program();
        second.dialogs.AnswerYes();
        second.Start();
        EXPECT_THAT(second.dialogs.Messages,
                    ElementsAre(question, Shown{Kind::Information, path + " opened."}));
        EXPECT_THAT(second.Names(), ElementsAre("Ann Lee", "Bob Ray"));
        EXPECT_EQ(second.view.Caption, path);
        EXPECT_TRUE(second.view.Actions.Save.enabled);
        // Activating the window again later does not ask again.
        second.view.FormDeactivate();
        second.view.FormActivate();
        EXPECT_EQ(second.dialogs.Messages.size(), 2u);
        second.dialogs.AnswerNo();
        second.view.Close1Click();
    }
    {
        // No, and the program closed straight away: nothing is offered next time.
        Session& third = Program();
        third.dialogs.AnswerNo().AnswerNo();
        third.Start();
        EXPECT_EQ(third.dialogs.Messages.front(), question);
        EXPECT_THAT(third.Names(), ElementsAre("Untitled 1"));
        third.view.Close1Click();
    }
    Session& fourth = Program();
    fourth.Start();
    EXPECT_THAT(fourth.dialogs.Messages, IsEmpty());
}

TEST_F(SettingsFlowTest, ReopeningAsksForThePasswordsAndCopesWithAFileThatIsGone)
{
    HeaderLayout header;
    header.ReadPassword = Hex("67 34 BA C2 0E 61");  // "secret", enciphered by hand
    RecordLayout record;
    record.RecordName = "Ann Lee";
    const std::string path = folder.File("locked.dat");
    WriteFileBytes(path, header.Bytes(1) + record.Bytes());
    const std::string question = "Would you like to open the file " + path + " ?";
    {
        Session& first = Program();
        first.dialogs.AnswerYes().ChooseFile(path).Type("secret").AnswerNo();
        first.Start();
        first.view.Open1Click();
        first.view.Close1Click();
    }
    {
        Session& second = Program();
        second.dialogs.AnswerYes().Type("secret").AnswerNo();
        second.Start();
        EXPECT_THAT(second.dialogs.Texts(),
                    ElementsAre(question, "Please Enter Read Password", path + " opened."));
        EXPECT_THAT(second.Names(), ElementsAre("Ann Lee"));
        // The file goes away while the program runs; it is still the last file at the close.
        std::filesystem::remove(path);
        second.view.Close1Click();
    }
    Session& third = Program();
    third.dialogs.AnswerYes();
    third.Start();
    EXPECT_THAT(third.dialogs.Texts(),
                ElementsAre(question, path + " could not be opened: No such file or directory"));
    EXPECT_THAT(third.Names(), ElementsAre("Untitled 1"));
    EXPECT_EQ(third.view.Caption, "Untitled");
}

TEST_F(SettingsFlowTest, ResetApplicationRestoresTheSizesAndTheColumnsOfAFirstInstallation)
{
    std::filesystem::create_directory(folder.File("config"));
    WriteFileBytes(settingsPath, "[SETTINGS]\nViewW:=900\nViewH:=700\nAddDescW:=400\n");
    Session& program = Program();
    TView& view = program.view;
    EXPECT_EQ(view.Width, 900);
    program.Start();
    ColumnLayout& columns = program.workspace.SpreadsheetColumns;
    columns.FieldNumbers[22] = 300;
    view.Actions.ShortDescriptionValues.checked = true;
    TSearch& search = program.workspace.Search();
    TSnapShot& spreadsheet = program.workspace.Spreadsheet();
    search.Width = 1000;
    spreadsheet.BrowsePanelWidth = 300;

    const std::string question =
        "This function will reset the application program to original installation settings.  "
        "Are you sure you want to continue ?";
    program.dialogs.AnswerNo();
    view.ResetApplication1Click();
    EXPECT_THAT(program.dialogs.Messages, ElementsAre(Shown{Kind::YesNo, question}));
    EXPECT_EQ(view.Width, 900);
    EXPECT_EQ(columns.FieldNumbers[22], 300);
    program.dialogs.Forget();

    program.dialogs.AnswerYes();
    view.ResetApplication1Click();
    EXPECT_THAT(
        program.dialogs.Messages,
        ElementsAre(Shown{Kind::YesNo, question},
                    Shown{Kind::Information, "Original application settings have been restored."}));
    EXPECT_EQ(std::pair(view.Width, view.Height), std::pair(0, 0));  // the window's fitting size
    EXPECT_EQ(search.Width, 581);
    EXPECT_EQ(spreadsheet.BrowsePanelWidth, 174);
    EXPECT_FALSE(view.ShortDescriptions());
    // The window sizes are written at once; the category editor keeps its own; the columns wait
    // for the close.
    EXPECT_EQ(ReadWindowSize(store, "ViewW:", "ViewH:", {}), (WindowSize{634, 482}));
    EXPECT_EQ(ReadWindowSize(store, "AddDescW:", "AddDescH:", {}), (WindowSize{400, 0}));
    EXPECT_EQ(ReadStartupSettings(store).Columns, DefaultColumnLayout());

    // The columns are those of a first installation without the status column.
    program.dialogs.AnswerNo();
    view.Close1Click();
    const ColumnLayout saved = ReadStartupSettings(store).Columns;
    EXPECT_EQ(saved.FieldNumbers[21], 200);
    EXPECT_EQ(saved.FieldNumbers[22], 240);
    EXPECT_EQ(saved.FieldNumbers[33], 350);
    EXPECT_EQ(saved.FieldNumbers[34], -1);
    EXPECT_EQ(saved.Widths[5], 136);
}

}  // namespace
}  // namespace quillmark::test
