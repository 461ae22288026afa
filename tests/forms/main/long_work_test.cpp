// Long work on a big database runs as one stretch of busy time each, telling its progress in no
// more than a hundred steps and never with a box in the middle (the scripted dialogs check that).

#include "support/database_layout.h"
#include "support/test_helpers.h"
#include "support/view_fixture.h"

#include "forms/search/search_form.h"
#include "forms/spreadsheet/snapshot_form.h"

#include <gmock/gmock.h>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(LongWorkTest, LongCommandsShowBusyAndProgressOnce)
{
    TemporaryFolder folder;
    const std::string path = folder.File("big.dat");
    constexpr std::size_t Count = 1000;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < Count; ++i) {
        names.push_back("Name " + std::to_string(Count - i));
    }
    WriteFileBytes(path, DatabaseBytes(names));
    Session session;
    session.Start();
    RecordingShell& shell = session.shell;
    // Each piece of work from its first step to its last, at most once per percent.
    auto expectProgressToTheEnd = [&shell](std::size_t total) {
        ASSERT_FALSE(shell.ProgressShown.empty());
        EXPECT_LE(shell.ProgressShown.size(), 101u);
        EXPECT_EQ(shell.ProgressShown.back(), std::pair(total, total));
        shell.ProgressShown.clear();
    };
    OpenDatabase(session, path);
    expectProgressToTheEnd(Count);
    session.view.SortSelectClick(28);  // by name
    EXPECT_THAT(shell.ProgressShown, IsEmpty()) << "a sort takes too little time to count";
    EXPECT_EQ(session.Record(0).RecordName, "Name 1");
    // Keeping and putting back the order of every record takes as long as the sort itself.
    session.view.Undo1Click();
    session.view.Redo1Click();
    session.workspace.Spreadsheet().ViewAllClick();
    session.dialogs.Type("/pictures").AnswerYes();
    session.view.ChangePictureFilePath1Click();
    expectProgressToTheEnd(Count);
    session.view.Save1Click();
    expectProgressToTheEnd(Count);
    // Counting what Remove From Database would take, before its question, is busy time too.
    session.Record(5).InSearchList = true;
    session.dialogs.AnswerYes();
    TSearch& search = session.workspace.Search();
    search.SetExtractState();
    search.ExtractTypeClick(TSearch::RemoveFromDatabaseEntry);
    EXPECT_EQ(session.workspace.RecordCount(), static_cast<int>(Count) - 1);
    EXPECT_THAT(
        shell.BusyTexts,
        ElementsAre("Opening " + path + " ...", "Sorting records ...", "Undoing Sort by Name ...",
                    "Redoing Sort by Name ...", "Filling the spreadsheet ...",
                    "Changing Picture file paths ...", "Saving " + path + " ...",
                    "Counting records ...", "Removing records ..."));
    EXPECT_EQ(shell.Busy, 0);
    ExpectScriptPlayedOut(session);
}

}  // namespace
}  // namespace quillmark::test
