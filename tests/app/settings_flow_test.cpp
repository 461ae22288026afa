// What one run of the program leaves in its settings file for the next: the last database,
// the main window's size, the spreadsheet's columns, and "Reset Application".

#include "app/fake_services.h"
#include "app/view_form.h"
#include "app/workspace.h"
#include "core/database_layout.h"
#include "core/test_helpers.h"
#include "reports/snapshot_form.h"
#include "search/search_form.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <optional>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Kind = ScriptedDialogs::Kind;
using Shown = ScriptedDialogs::Shown;

constexpr const char* CloseQuestion =
    "Changes made since last save will be lost. Would you like to save before exiting ?";

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

class SettingsFlowTest : public ::testing::Test {
protected:
    // A run of the program over the settings file of this test; the main window is made but
    // not yet shown.
    Session& Program()
    {
        if (program_) {
            CheckScriptsPlayed();
        }
        program_ = std::make_unique<Session>(20240315, settingsPath);
        return *program_;
    }
    void TearDown() override
    {
        if (program_) {
            CheckScriptsPlayed();
        }
    }

    // The value of a key of the settings file as the file holds it, keys matched without
    // regard to case; nothing when the key is not there.
    std::optional<std::string> Setting(const std::string& key) const
    {
        const std::string text = ReadFileBytes(settingsPath);
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) {
                end = text.size();
            }
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos && Lower(line.substr(0, equals)) == Lower(key)) {
                return line.substr(equals + 1);
            }
            start = end + 1;
        }
        return std::nullopt;
    }

    TemporaryFolder folder;
    // In a folder of its own that the first save makes.
    const std::string settingsPath = folder.File("config/Quillmark.ini");

private:
    void CheckScriptsPlayed()
    {
        EXPECT_THAT(program_->dialogs.Problems, IsEmpty());
        EXPECT_THAT(program_->shell.Problems, IsEmpty());
        EXPECT_TRUE(program_->dialogs.ScriptUsedUp());
    }

    std::unique_ptr<Session> program_;
};

TEST_F(SettingsFlowTest, TheFirstStartAsksNothingAndAnUntitledDatabaseLeavesNoLastFile)
{
    Session& first = Program();
    EXPECT_EQ(first.view.Width, 634);
    EXPECT_EQ(first.view.Height, 482);
    first.Start();
    EXPECT_THAT(first.dialogs.Messages, IsEmpty());
    const auto& fields = first.workspace.SpreadsheetColumns.FieldNumbers;
    EXPECT_EQ(std::count_if(fields.begin(), fields.end(), [](int field) { return field != -1; }),
              35);
    EXPECT_EQ(fields[22], 210);
    EXPECT_FALSE(first.view.ShortDescriptions());
    EXPECT_FALSE(std::filesystem::exists(settingsPath));

    first.dialogs.AnswerNo();
    first.view.Close1Click();
    EXPECT_EQ(first.shell.ExitRequests, 1);
    EXPECT_EQ(Setting("LAST FILE"), "");
    EXPECT_EQ(Setting("ViewW:"), "634");
    EXPECT_EQ(Setting("SPREADSHEET:22"), "210");
    EXPECT_EQ(Setting("SPREADSHEET SIZE:50"), "136");

    Session& second = Program();
    second.Start();
    EXPECT_THAT(second.dialogs.Messages, IsEmpty());
    EXPECT_EQ(second.view.Caption, "Untitled");
}

TEST_F(SettingsFlowTest, TheLastDatabaseIsOfferedAtTheNextStart)
{
    const std::string path = folder.File("staff.dat");
    {
        Session& first = Program();
        first.Start();
        first.view.RecordName.text = "Ann Lee";
        first.view.NewRecord1Click();
        first.view.RecordName.text = "Bob Ray";
        first.dialogs.AnswerYes().ChooseFile(folder.File("staff"));
        first.view.Close1Click();
        EXPECT_EQ(first.shell.ExitRequests, 1);
        EXPECT_EQ(Setting("LAST FILE"), path);
    }
    {
        Session& second = Program();
        second.dialogs.AnswerYes();
        second.Start();
        EXPECT_THAT(
            second.dialogs.Messages,
            ElementsAre(Shown{Kind::YesNo, "Would you like to open the file " + path + " ?"},
                        Shown{Kind::Information, path + " opened."}));
        EXPECT_THAT(second.Names(), ElementsAre("Ann Lee", "Bob Ray"));
        EXPECT_EQ(second.view.Caption, path);
        EXPECT_EQ(second.view.RecordName.text, "Ann Lee");
        EXPECT_EQ(second.workspace.CurrentIndex, 0);
        EXPECT_TRUE(second.view.Actions.Save.enabled);
        EXPECT_TRUE(second.view.Actions.Merge.enabled);
        // Activating the window again later does not ask again.
        second.view.FormDeactivate();
        second.view.FormActivate();
        EXPECT_EQ(second.dialogs.Messages.size(), 2u);
        second.dialogs.AnswerNo();
        second.view.Close1Click();
        EXPECT_EQ(Setting("LAST FILE"), path);
    }
    {
        // No, and the program closed straight away: nothing is offered next time.
        Session& third = Program();
        third.dialogs.AnswerNo();
        third.Start();
        EXPECT_THAT(third.Names(), ElementsAre("Untitled 1"));
        EXPECT_EQ(third.view.Caption, "Untitled");
        third.dialogs.AnswerNo();
        third.view.Close1Click();
        EXPECT_EQ(Setting("LAST FILE"), "");
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
        first.dialogs.AnswerYes().ChooseFile(path).Type("secret");
        first.Start();
        first.view.Open1Click();
        first.dialogs.AnswerNo();
        first.view.Close1Click();
    }
    {
        Session& second = Program();
        second.dialogs.AnswerYes().Type("secret");
        second.Start();
        EXPECT_THAT(second.dialogs.Texts(),
                    ElementsAre(question, "Please Enter Read Password", path + " opened."));
        EXPECT_THAT(second.Names(), ElementsAre("Ann Lee"));
        // The file goes away while the program runs; it is still the last file at the close.
        std::filesystem::remove(path);
        second.dialogs.AnswerNo();
        second.view.Close1Click();
        EXPECT_EQ(Setting("LAST FILE"), path);
    }
    Session& third = Program();
    third.dialogs.AnswerYes();
    third.Start();
    EXPECT_THAT(third.dialogs.Texts(),
                ElementsAre(question, path + " could not be opened: No such file or directory"));
    EXPECT_THAT(third.Names(), ElementsAre("Untitled 1"));
    EXPECT_EQ(third.view.Caption, "Untitled");
    EXPECT_FALSE(third.view.Actions.Save.enabled);
}

TEST_F(SettingsFlowTest, ResetApplicationRestoresTheSizesAndTheColumnsOfAFirstInstallation)
{
    std::filesystem::create_directory(folder.File("config"));
    WriteFileBytes(settingsPath, "[SETTINGS]\nViewW:=900\nViewH:=700\nAddDescW:=400\n");
    Session& program = Program();
    TView& view = program.view;
    EXPECT_EQ(view.Width, 900);
    EXPECT_EQ(view.Height, 700);
    program.Start();
    ColumnLayout& columns = program.workspace.SpreadsheetColumns;
    columns.FieldNumbers[22] = 300;
    columns.Widths[5] = 50;
    view.Actions.ShortDescriptionValues.checked = true;
    TSearch& search = program.workspace.Search();
    TSnapShot& spreadsheet = program.workspace.Spreadsheet();
    search.Width = 1000;
    spreadsheet.Height = 1000;
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
    EXPECT_EQ(view.Width, 634);
    EXPECT_EQ(view.Height, 482);
    EXPECT_EQ(search.Width, 581);
    EXPECT_EQ(spreadsheet.Height, 475);
    EXPECT_EQ(spreadsheet.BrowsePanelWidth, 174);
    EXPECT_FALSE(view.ShortDescriptions());
    // The window sizes are written at once; the category editor keeps its own.
    EXPECT_EQ(Setting("ViewW:"), "634");
    EXPECT_EQ(Setting("SpreadsheetH:"), "475");
    EXPECT_EQ(Setting("SpreadsheetS:"), "174");
    EXPECT_EQ(Setting("SearchH:"), "454");
    EXPECT_EQ(Setting("AlbumW:"), "518");
    EXPECT_EQ(Setting("GraphH:"), "414");
    EXPECT_EQ(Setting("ReportW:"), "599");
    EXPECT_EQ(Setting("AddDescW:"), "400");
    EXPECT_EQ(Setting("SPREADSHEET:22"), std::nullopt);

    // The columns, without the status column, reach the file when the program closes.
    program.dialogs.AnswerNo();
    view.Close1Click();
    EXPECT_EQ(Setting("SPREADSHEET:21"), "200");
    EXPECT_EQ(Setting("SPREADSHEET:22"), "240");
    EXPECT_EQ(Setting("SPREADSHEET:33"), "350");
    EXPECT_EQ(Setting("SPREADSHEET:34"), "-1");
    EXPECT_EQ(Setting("SPREADSHEET SIZE:5"), "136");
    EXPECT_EQ(Setting("AddDescW:"), "400");
}

TEST_F(SettingsFlowTest, TheWindowSizeAndColumnsOfOneRunAreThoseOfTheNext)
{
    {
        Session& first = Program();
        first.Start();
        first.view.Width = 812;
        first.view.Height = 590;
        first.view.Actions.ShortDescriptionValues.checked = true;
        first.workspace.SpreadsheetColumns.FieldNumbers[3] = 350;
        first.workspace.SpreadsheetColumns.Widths[3] = 90;
        // Closing cancelled writes nothing.
        first.dialogs.AnswerCancel();
        first.view.Close1Click();
        EXPECT_FALSE(std::filesystem::exists(settingsPath));
        first.dialogs.AnswerNo();
        first.view.Close1Click();
    }
    Session& second = Program();
    EXPECT_EQ(second.view.Width, 812);
    EXPECT_EQ(second.view.Height, 590);
    second.Start();
    EXPECT_TRUE(second.view.ShortDescriptions());
    EXPECT_EQ(second.workspace.SpreadsheetColumns.FieldNumbers[3], 350);
    EXPECT_EQ(second.workspace.SpreadsheetColumns.Widths[3], 90);
    EXPECT_EQ(second.workspace.SpreadsheetColumns.FieldNumbers[4], 30);
}

}  // namespace
}  // namespace quillmark::test
