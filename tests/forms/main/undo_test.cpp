// Edit > Undo and Edit > Redo: every command that changes the database is taken back and done
// again, the windows show what they showed, and the save questions follow the changes.

#include "support/test_helpers.h"
#include "support/view_fixture.h"

#include "support/fake_page_devices.h"

#include "engine/pictures/thumbnails.h"
#include "forms/album/album_form.h"
#include "forms/categories/add_description_form.h"
#include "forms/category_menus.h"
#include "forms/column_report/column_report_form.h"
#include "forms/graph/chart.h"
#include "forms/graph/graph_form.h"
#include "forms/main/database_information_form.h"
#include "forms/main/edit_skill_form.h"
#include "forms/main/set_password_form.h"
#include "forms/search/search_form.h"
#include "forms/spreadsheet/snapshot_form.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <array>
#include <functional>
#include <tuple>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;

// What the user sees of the database: every record's filed content in order, the search list,
// the captions, a category tree, the information and password, and the record on show.
struct Seen {
    std::vector<ItemRecord> Records;
    std::vector<bool> Listed;
    std::string FirstCaption, FirstSkill, Types, DatabaseName, ReadPassword, OnShow;
    int Index = -1;

    auto Tied() const
    {
        return std::tie(Listed, FirstCaption, FirstSkill, Types, DatabaseName, ReadPassword, OnShow,
                        Index);
    }
    bool operator==(const Seen& other) const
    {
        const auto same = [](const ItemRecord& a, const ItemRecord& b) {
            return a.SameFiledContent(b);
        };
        return std::equal(Records.begin(), Records.end(), other.Records.begin(),
                          other.Records.end(), same) &&
               Tied() == other.Tied();
    }
};

void PrintTo(const Seen& seen, std::ostream* out)
{
    for (const ItemRecord& record : seen.Records) {
        *out << record.RecordName << " ";
    }
    *out << "| on show " << seen.OnShow << " at " << seen.Index << " | " << seen.FirstCaption;
}

class UndoTest : public ViewTest {
protected:
    // Cid, Ann and Bob, stored and saved, with Ann on the search list and Bob on show; Cid has
    // a picture and Ann a type.
    void SetUp() override
    {
        ViewTest::SetUp();
        workspace.database.DescriptionTrees[1] = "Full Time\r\nPart Time\r\n";
        view.MakeMenu(1);
        view.RecordName.text = "Cid";
        view.NewRecord1Click();
        view.RecordName.text = "Ann";
        view.NewRecord1Click();
        view.RecordName.text = "Bob";
        workspace.RecordList()[0]->Images[1].ImageFile = "C:\\Old\\cid.jpg";
        workspace.RecordList()[1]->Desc[1] = "Part Time";
        workspace.RecordList()[1]->InSearchList = true;
        path = folder.File("staff.dat");
        dialogs.ChooseFile(path);
        ASSERT_TRUE(view.SaveAs1Click());
        dialogs.Forget();
    }

    Seen Look()
    {
        Seen seen;
        for (const auto& record : workspace.RecordList()) {
            seen.Records.push_back(*record);
            seen.Listed.push_back(record->InSearchList);
        }
        seen.FirstCaption = workspace.database.DetailCaptions[0];
        seen.FirstSkill = workspace.database.SkillNames[1];
        seen.Types = workspace.database.DescriptionTrees[1];
        seen.ReadPassword = workspace.database.ReadPassword;
        seen.DatabaseName = workspace.database.DatabaseInfo.DatabaseName;
        seen.OnShow = view.RecordName.text;
        seen.Index = workspace.CurrentIndex;
        return seen;
    }

    TemporaryFolder folder;
    std::string path;
};

TEST_F(UndoTest, EveryCommandIsUndoneAndRedoneAcrossASave)
{
    struct Case {
        const char* step;
        std::function<void()> command;
        std::function<void()> first = [] {};  // what the user picks or answers before the step
    };
    FakePageDevices devices;
    TPrintBox report{workspace, devices};
    TSnapShot& sheet = workspace.Spreadsheet();
    // The spreadsheet of Record #, Name, Status and Type, with Ann's cell of a column picked and
    // its pop-up menu open.
    const auto pickAnn = [&](int column, bool popup) {
        return [&, column, popup] {
            workspace.SpreadsheetColumns.FieldNumbers.fill(-1);
            constexpr std::array<int, 4> Columns = {220, 230, 210, 10};
            std::copy(Columns.begin(), Columns.end(),
                      workspace.SpreadsheetColumns.FieldNumbers.begin());
            sheet.FormActivate();
            sheet.SpreadViewSelectCell(column, 2);
            if (popup) {
                ASSERT_NE(sheet.SpreadViewMouseDown(column, 2, true), nullptr);
            }
        };
    };
    const auto onDialog = [&](auto script) {
        return [&, script] { session.shell.OnDialog(script); };
    };
    const std::vector<Case> cases = {
        {"Change of Picture File Path", [&] { view.ChangePictureFilePath1Click(); },
         [&] { dialogs.Type("/srv/pics").AnswerYes(); }},
        // A rename rewrites Ann's value, a child is given to Bob on show, a category moves.
        {"Changes to Type Categories", [&] { view.DescMenuClick(1, {AddCategoryEntry}); },
         onDialog([](TAddDescription& editor) {
             editor.Selected = {1};
             editor.AddText.text = "Half Time";
             editor.RenameBtnClick();
             editor.Selected = {0};
             editor.AddText.text = "Nights";
             editor.AddChildBtnClick();
             editor.DescriptionListDragDrop({1}, {0});
             editor.CloseBtnClick();
         })},
        // The spreadsheet: a cell typed in, and a pop-up choice, each one step.
        {"Changes to Ann Lee", [&] { sheet.SpreadViewSetEditText(1, 2, "Ann Lee"); },
         pickAnn(1, false)},
        {"Changes to Ann Lee", [&] { sheet.PopupMenuClick({2}); }, pickAnn(2, true)},
        {"Changes to Ann Lee", [&] { sheet.PopupMenuClick({ClearFieldEntry}); }, pickAnn(3, true)},
        {"New Record", [&] { view.NewRecord1Click(); }},
        {"Delete Record \"Bob\"", [&] { view.DeleteRecord1Click(); }},
        {"Insert Record \"Cid\"",
         [&] {
             GoTo("1");
             view.CopyRecord1Click();
             GoTo("3");
             view.InsertRecord1Click();
         }},
        {"Changes to Bobby",
         [&] {
             view.RecordName.text = "Bobby";
             view.Description.Detail[0].text = "1 Elm St";
             Leave();
             view.Description.Detail[1].text = "Leeds";  // the same visit: one step
         }},
        {"Sort by Name", [&] { view.SortSelectClick(28); }},
        {"Remove 1 Record From Database",
         [&] { workspace.Search().ExtractTypeClick(TSearch::RemoveFromDatabaseEntry); },
         [&] {
             dialogs.AnswerYes();
             workspace.Search().SetExtractState();
         }},
        {"Merge of 3 Records", [&] { view.Merge1Click(); }, [&] { dialogs.ChooseFile(path); }},
        {"Rename of Skill \"Welding\"", [&] { view.EditSkillBtnClick(); },
         [&] {
             view.Skills.SelectedRow = 0;
             dialogs.Type("Welding");
             session.shell.OnDialog([](TEditSkillForm& form) {
                 form.SkillTitleCaptionDblClick();
                 form.SkillProficiency.text = "Certified";
                 form.OKBtnClick();
             });
         }},
        {"Caption \"Road\"", [&] { view.CustomizeLabels("sn0"); }, [&] { dialogs.Type("Road"); }},
        {"Set Database Information", [&] { view.SetDatabaseInformation1Click(); },
         onDialog([](TDatabaseInformationForm& form) {
             form.Fields[0].text = "Staff";
             form.OKBtnClick();
         })},
        {"Import of 2 Records", [&] { report.ImportTBtnClick(); },
         [&] {
             report.FormActivate();
             ASSERT_TRUE(report.AddBtnClick());
             report.ItemMenuClick(22);
             WriteFileBytes(folder.File("in.txt"), "Dot\r\nEve\r\n");
             dialogs.ChooseFile(folder.File("in.txt"));
         }},
        {"Set Database Password", [&] { view.SetDatabasePassword1Click(); },
         onDialog([](TSetPasswordForm& form) {
             form.ReadPassword.text = form.ReadPassword2.text = "secret";
             form.ReadPasswordChange();
             form.OKBtnClick();
         })},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.step);
        view.GetRecord(2);
        const std::size_t steps = workspace.History.StepCount();
        each.first();
        const Seen before = Look();
        each.command();
        // One step, kept by the command itself rather than by the main window being left, and
        // none for what the user picked first.
        EXPECT_EQ(workspace.History.StepCount(), steps + 1);
        EXPECT_EQ(view.Actions.Undo.caption, std::string("Undo ") + each.step);
        Leave();
        const Seen after = Look();
        ASSERT_FALSE(after == before);
        EXPECT_EQ(view.Caption, "*" + path);
        dialogs.Forget();
        ASSERT_TRUE(view.Save1Click());
        EXPECT_EQ(view.Caption, path);
        view.Undo1Click();
        EXPECT_EQ(Look(), before);
        EXPECT_EQ(view.Caption, "*" + path);  // the file no longer holds what is shown
        EXPECT_EQ(view.Actions.Redo.caption, std::string("Redo ") + each.step);
        view.Redo1Click();
        EXPECT_EQ(Look(), after);
        EXPECT_EQ(view.Caption, path);
        EXPECT_FALSE(view.Actions.Redo.enabled);
        dialogs.Forget();
    }
}

TEST_F(UndoTest, TheQuestionsComeOnlyWithChanges)
{
    // Saved: closing, opening and starting anew ask nothing.
    EXPECT_TRUE(view.FormCloseQuery());
    view.New1Click();
    EXPECT_EQ(view.Caption, "Untitled");
    EXPECT_EQ(view.Actions.Undo.caption, "Undo");
    EXPECT_FALSE(view.Actions.Undo.enabled);
    EXPECT_TRUE(view.FormCloseQuery());
    dialogs.ChooseFile(path);
    view.Open1Click();
    EXPECT_THAT(dialogs.BoxTexts(), ElementsAre(path + " opened."));
    EXPECT_FALSE(view.Actions.Undo.enabled);

    // Typing alone is a change once the window is stored; taking it back is none.
    dialogs.Forget();
    view.RecordName.text = "Ann Lee";
    dialogs.AnswerCancel();
    EXPECT_FALSE(view.FormCloseQuery());
    EXPECT_EQ(view.Caption, "*" + path);
    view.Undo1Click();
    EXPECT_EQ(view.RecordName.text, "Cid");
    EXPECT_TRUE(view.FormCloseQuery());
    dialogs.AnswerNo();
    view.Redo1Click();
    view.Open1Click();
    EXPECT_THAT(dialogs.BoxTexts(),
                ElementsAre("Changes made since last save will be lost. Would you like to save "
                            "before exiting ?",
                            "Changes made since last save will be lost. Open new file anyway ?"));
}

TEST(EditHistoryTest, KeepsTheNewestHundredStepsWithinItsMemory)
{
    EditHistory history;
    const auto named = [](std::string name) {
        HistoryStep step;
        step.Name = std::move(name);
        return step;
    };
    for (int step = 1; step <= 101; ++step) {
        history.Add(named("Step " + std::to_string(step)));
    }
    EXPECT_EQ(history.StepCount(), 100u);
    EXPECT_EQ(UndoCaption(history), "Undo Step 101");
    for (int step = 0; step < 100; ++step) {
        history.Undo();
    }
    EXPECT_EQ(RedoCaption(history), "Redo Step 2");
    // The state saved before the oldest step was dropped cannot come back.
    EXPECT_TRUE(history.Changed());

    // Two steps of 40 MB each: the older goes.
    history.Clear();
    for (const char* name : {"Remove", "Sort"}) {
        HistoryStep big = named(name);
        big.OrderBefore = ItemRecordList(1'250'000);
        big.OrderAfter = big.OrderBefore;
        history.Add(std::move(big));
    }
    EXPECT_EQ(history.StepCount(), 1u);
    EXPECT_EQ(UndoCaption(history), "Undo Sort");
    EXPECT_LE(history.Bytes(), EditHistory::MaxBytes);
    history.Undo();
    history.Add(named("Other"));
    EXPECT_EQ(RedoCaption(history), "Redo");
    EXPECT_EQ(history.StepCount(), 1u);
}

// A chart that keeps the bars it was last given.
class BarsChart : public Chart {
public:
    std::vector<int> Bars;
    void OpenData(int bars) override { Bars.assign(static_cast<std::size_t>(bars), 0); }
    void SetScale(double /*maximum*/) override {}
    void SelectSeries(int /*series*/) override {}
    void SetValue(int bar, double value) override
    {
        Bars.at(static_cast<std::size_t>(bar)) = static_cast<int>(value);
    }
    void SetLabel(int /*bar*/, const std::string& /*label*/) override {}
    void SetTitle(const std::string& /*title*/) override {}
    void CloseData() override {}
    bool Print() override { return true; }
    std::optional<std::vector<std::uint8_t>> PngImage() override { return std::nullopt; }
};

TEST_F(UndoTest, TheAlbumAndTheGraphFollowUndoWithoutTheFocus)
{
    workspace.RecordList()[0]->Desc[1] = "Full Time";
    workspace.RecordList()[2]->Desc[1] = "Full Time";
    ThumbnailCache thumbnails{0};
    BarsChart chart;
    {
        TAlbumView album{workspace, thumbnails};
        TGraphDisplay graph{workspace, chart};
        album.FormActivate();
        graph.FormActivate();
        EXPECT_THAT(chart.Bars, ElementsAre(2, 1));
        view.FormActivate();        // the album and the graph stay open behind the main window
        view.DeleteRecord1Click();  // Bob
        EXPECT_THAT(chart.Bars, ElementsAre(2, 1)) << "drawn again when next shown";
        view.Undo1Click();
        EXPECT_EQ(album.CellMap[2][0], 2);
        EXPECT_THAT(chart.Bars, ElementsAre(2, 1));
        view.GetRecord(0);
        view.DeleteRecord1Click();  // Cid
        view.Undo1Click();
        view.Redo1Click();
        EXPECT_EQ(album.CellMap[2][0], -1);
        EXPECT_THAT(chart.Bars, ElementsAre(1, 1));
    }
    // Closed, they are no longer drawn.
    EXPECT_TRUE(workspace.RedrawAfterHistory.empty());
    view.Undo1Click();
}

}  // namespace
}  // namespace quillmark::test
