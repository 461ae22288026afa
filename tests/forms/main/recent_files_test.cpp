// File > Recent Files: what opening and saving put on the list, what the next run finds in the
// settings, and that an entry opens its file as "Open" does.

#include "forms/form_helpers.h"
#include "support/database_layout.h"
#include "support/test_helpers.h"
#include "support/view_fixture.h"

#include <gmock/gmock.h>

#include <filesystem>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

TEST(RecentFilesTest, NewestFirstOnceEachSixKeptAndOpenedAsOpenDoes)
{
    TemporaryFolder folder;
    const std::string settings = folder.File("Quillmark.ini");
    std::vector<std::string> paths;
    for (const char* name : {"a.dat", "b.dat", "c.dat", "d.dat", "e.dat", "f.dat", "g.dat"}) {
        paths.push_back(folder.File(name));
        WriteFileBytes(paths.back(), DatabaseBytes({name}));
    }
    HeaderLayout locked;
    locked.ReadPassword = SecretEnciphered;
    WriteFileBytes(paths[0], DatabaseBytes({"Ann Lee"}, locked));
    {
        Session first(1, settings);
        first.Start();
        EXPECT_THAT(first.view.Recent.Entries, IsEmpty());
        EXPECT_FALSE(first.view.Recent.ClearRecentFiles.enabled);
        OpenDatabase(first, paths[0], {"secret"});
        for (std::size_t file = 1; file < paths.size(); ++file) {
            OpenDatabase(first, paths[file]);
        }
        // Saved again, a file already listed moves to the front rather than twice.
        OpenDatabase(first, paths[2]);
        first.dialogs.ChooseFile(folder.File("copy"));
        first.view.SaveAs1Click();
        first.dialogs.Forget();
        EXPECT_THAT(first.view.Recent.Paths(), ElementsAre(folder.File("copy.dat"), paths[2],
                                                           paths[6], paths[5], paths[4], paths[3]));
        first.view.Close1Click();  // just saved: nothing to ask
        ExpectScriptPlayedOut(first);
    }
    std::filesystem::remove(paths[4]);
    std::filesystem::remove(paths[6]);
    // The next run lists them from the settings: the file name, the path as its hint, a file
    // that has gone greyed out.
    Session second(1, settings);
    second.dialogs.AnswerNo();  // not the last file again
    second.Start();
    second.dialogs.Forget();
    TView& view = second.view;
    view.Recent.RecentFilesPopup();
    const auto& entries = view.Recent.Entries;
    EXPECT_THAT(Collect(entries, &RecentFiles::Entry::caption),
                ElementsAre("copy.dat", "c.dat", "g.dat", "f.dat", "e.dat", "d.dat"));
    EXPECT_THAT(Collect(entries, &RecentFiles::Entry::hint), ElementsAreArray(view.Recent.Paths()));
    EXPECT_THAT(Collect(entries, &RecentFiles::Entry::enabled),
                ElementsAre(true, true, false, true, false, true));

    // An entry asks what "Open" asks, and a gone file is reported as "Open" reports it.
    view.RecordName.text = "Ann Typed";
    second.dialogs.AnswerNo().AnswerYes();
    view.RecentFileClick(1);
    view.RecentFileClick(2);
    EXPECT_THAT(second.dialogs.Texts(),
                ElementsAre("Changes made since last save will be lost. Open new file anyway ?",
                            "Changes made since last save will be lost. Open new file anyway ?",
                            paths[6] + " could not be opened: No such file or directory"));
    EXPECT_THAT(second.Names(), ElementsAre("Ann Typed"));
    second.dialogs.Forget();
    second.dialogs.AnswerYes();
    view.RecentFileClick(1);
    EXPECT_THAT(second.Names(), ElementsAre("c.dat"));
    EXPECT_EQ(view.Recent.Paths().front(), paths[2]);
    view.Recent.ClearRecentFilesClick();
    EXPECT_THAT(view.Recent.Entries, IsEmpty());
    EXPECT_FALSE(view.Recent.ClearRecentFiles.enabled);
    second.dialogs.Forget();
    view.Close1Click();  // nothing changed since c.dat was opened: nothing to ask
    ExpectScriptPlayedOut(second);
    Session third(1, settings);
    EXPECT_THAT(third.view.Recent.Paths(), IsEmpty());
}

}  // namespace
}  // namespace quillmark::test
