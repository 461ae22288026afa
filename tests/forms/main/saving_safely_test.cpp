// What keeps a database from being lost: the backup copy a save leaves, the question before a
// file someone else changed is written over, and the database named on the command line.

#include "core/program_settings.h"
#include "support/database_layout.h"
#include "support/test_helpers.h"
#include "support/view_fixture.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;

std::string MakeFile(const std::string& path, const std::string& name)
{
    WriteFileBytes(path, DatabaseBytes({name}));
    return path;
}

std::string ChangedQuestion(const std::string& path)
{
    return path +
           " has been changed by another program since it was opened or last saved.  Do you want "
           "to overwrite it ?  Answer No to save the database under another name.";
}

mode_t PermissionsOf(const std::string& path)
{
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0);
    return status.st_mode & 0777;
}

class SavingSafelyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.Start();
        OpenDatabase(session, MakeFile(path, "Ann Lee"));
    }
    void TearDown() override { ExpectScriptPlayedOut(session); }

    TemporaryFolder folder;
    const std::string path = folder.File("staff.dat");
    Session session;
    TView& view = session.view;
    Workspace& workspace = session.workspace;
    ScriptedDialogs& dialogs = session.dialogs;
};

TEST_F(SavingSafelyTest, SavingOverADatabaseKeepsThePreviousVersionBesideIt)
{
    ASSERT_TRUE(view.Actions.KeepBackupCopy.checked);
    ::chmod(path.c_str(), 0640);
    const std::string opened = ReadFileBytes(path);
    view.RecordName.text = "Changed once";
    ASSERT_TRUE(view.Save1Click());
    EXPECT_EQ(ReadFileBytes(path + ".bak"), opened);
    EXPECT_EQ(PermissionsOf(path + ".bak"), 0640u);

    // Each save keeps the version it replaces, whichever window saves.
    const std::string savedOnce = ReadFileBytes(path);
    view.RecordName.text = "Changed twice";
    view.FormDeactivate();
    workspace.QuickSave();
    EXPECT_EQ(ReadFileBytes(path + ".bak"), savedOnce);
    EXPECT_NE(ReadFileBytes(path), savedOnce);

    // Without the option the backup stays as the last save with it left it; a new file has
    // nothing to keep.
    view.KeepBackupCopy1Click();
    EXPECT_FALSE(view.Actions.KeepBackupCopy.checked);
    ASSERT_TRUE(view.Save1Click());
    EXPECT_EQ(ReadFileBytes(path + ".bak"), savedOnce);
    view.KeepBackupCopy1Click();
    dialogs.ChooseFile(folder.File("copy.dat"));
    ASSERT_TRUE(view.SaveAs1Click());
    EXPECT_EQ(folder.Entries(),
              (std::vector<std::string>{"copy.dat", "staff.dat", "staff.dat.bak"}));
}

// Anyone who may make files in a shared folder can put something in place of the backup
// copy's name, which the user never chose: it is neither followed nor replaced, and the
// database is saved without a backup this time.
TEST_F(SavingSafelyTest, ABackupNameThatIsNoRegularFileIsLeftAloneAndTheSaveGoesOn)
{
    const std::string backup = path + ".bak";
    WriteFileBytes(folder.File("bashrc"), "not a database");
    const struct {
        std::function<bool()> make;
        const char* why;
    } cases[] = {
        {[&] { return ::symlink("bashrc", backup.c_str()) == 0; }, "it is a symbolic link"},
        {[&] { return ::symlink("made-by-a-save", backup.c_str()) == 0; }, "it is a symbolic link"},
        {[&] { return std::filesystem::create_directory(backup); }, "it is a folder"},
        {[&] { return ::mkfifo(backup.c_str(), 0600) == 0; }, "it is a FIFO"},
        // Only the superuser can make a device.
        {[&] { return ::mknod(backup.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0; },
         "it is a device"},
    };
    for (const auto& c : cases) {
        if (!c.make()) {
            continue;
        }
        const auto kind = std::filesystem::symlink_status(backup).type();
        view.RecordName.text = c.why;
        ASSERT_TRUE(view.Save1Click()) << c.why;
        EXPECT_THAT(dialogs.Texts(),
                    ElementsAre("The backup copy " + backup + " was not written: " + c.why + ".",
                                "File Saved"));
        dialogs.Forget();
        EXPECT_NE(ReadFileBytes(path).find(S(c.why)), std::string::npos) << "the database is saved";
        EXPECT_EQ(std::filesystem::symlink_status(backup).type(), kind);
        std::filesystem::remove(backup);
    }
    EXPECT_EQ(ReadFileBytes(folder.File("bashrc")), "not a database");
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"bashrc", "staff.dat"}));
}

// An ordinary user in a folder open to everyone. Only the folder's permission was looked at, so
// a save took over a database the user had made read-only, or someone else's backup copy.
// Whose files may be replaced is the safe save's to test; here the message must reach the user.
TEST(SavingPermissionTest, AFileTheUserMayNotWriteIsNotSavedOver)
{
    TemporaryFolder folder;
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0);
    const bool others = RunningAsSuperuser();
    const std::string shared = folder.File("shared.dat");
    WriteFileBytes(shared + ".bak", "someone else's backup");
    const std::string mine = folder.File("mine.dat");
    Session session;
    session.Start();
    const std::string seen = AsOrdinaryUser([&] {
        std::string texts;
        auto openAndSave = [&](const std::string& file) {
            OpenDatabase(session, file);
            session.view.RecordName.text = "Changed";
            texts += session.view.Save1Click() ? "saved: " : "not saved: ";
            for (const std::string& text : session.dialogs.Texts()) {
                texts += text;
            }
            session.dialogs.Forget();
            texts += "\n";
        };
        if (others) {
            MakeFile(shared, "Shared");
            openAndSave(shared);
        }
        MakeFile(mine, "Mine");
        ::chmod(mine.c_str(), 0444);
        openAndSave(mine);
        return texts + "mine.dat " + std::to_string(PermissionsOf(mine));
    });
    std::string expected;
    if (others) {
        expected = "not saved: The backup copy " + shared +
                   ".bak could not be saved: Permission denied.  The database was not saved.\n";
    }
    expected += "not saved: Sorry, you do not have permission to save " + mine + ".\n" +
                "mine.dat " + std::to_string(0444);
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(ReadFileBytes(mine).find(S("Changed")), std::string::npos);
    if (others) {
        EXPECT_EQ(ReadFileBytes(shared + ".bak"), "someone else's backup");
    }
}

TEST_F(SavingSafelyTest, AFileChangedOnDiskSinceItWasReadIsNotOverwrittenUnasked)
{
    // The program's own saves are no changes by someone else.
    ASSERT_TRUE(view.Save1Click());
    ASSERT_TRUE(view.Save1Click());
    EXPECT_THAT(dialogs.Texts(), ElementsAre("File Saved", "File Saved"));
    dialogs.Forget();
    const std::string question = ChangedQuestion(path);
    // Another program writes the file in place: No offers Save As, and a cancelled dialog
    // leaves their file alone.
    MakeFile(path, "Written elsewhere");
    const std::string theirs = ReadFileBytes(path);
    view.RecordName.text = "Mine";
    dialogs.AnswerNo().CancelFileDialog();
    EXPECT_FALSE(view.Save1Click());
    EXPECT_EQ(ReadFileBytes(path), theirs);
    // Enter answers No: a hurried key press keeps their file.
    EXPECT_THAT(dialogs.Messages,
                ElementsAre(ScriptedDialogs::Shown{ScriptedDialogs::Kind::YesNoDefaultNo, question},
                            ScriptedDialogs::Shown{ScriptedDialogs::Kind::SaveFile, "Save As"}));
    dialogs.Forget();

    // The other windows' save buttons ask too; No and a new name keep both versions.
    const std::string mine = folder.File("mine.dat");
    dialogs.AnswerNo().ChooseFile(mine);
    workspace.QuickSave();
    EXPECT_THAT(dialogs.Texts(), ElementsAre(question, "Save As", "File Saved as " + mine));
    EXPECT_EQ(ReadFileBytes(path), theirs);
    EXPECT_EQ(workspace.DatabaseFileName, mine);
    dialogs.Forget();

    // A file replaced by another one (a sync tool renames its copy into place) is asked about
    // as well; Yes writes over it.
    MakeFile(folder.File("synced.dat"), "Synced");
    std::filesystem::rename(folder.File("synced.dat"), mine);
    dialogs.AnswerYes();
    EXPECT_TRUE(view.Save1Click());
    EXPECT_THAT(dialogs.Texts(), ElementsAre(ChangedQuestion(mine), "File Saved"));
    EXPECT_NE(ReadFileBytes(mine).find(S("Mine")), std::string::npos);
    // A database not read from its file (one from a server, say) has nothing to compare it with.
    workspace.DatabaseFileIdentity.reset();
    EXPECT_FALSE(workspace.DatabaseFileChanged());
}

// Runs of the program over one settings file that remembers the last database, started with
// another database named on the command line. That database is opened as from the menu, so
// passwords are left to the tests of "Open".
TEST(StartupFileTest, TheDatabaseNamedOnTheCommandLineIsOpenedInsteadOfTheLastOne)
{
    TemporaryFolder folder;
    const std::string settingsPath = folder.File("Quillmark.ini");
    const std::string last = MakeFile(folder.File("last.dat"), "Last");
    const std::string plain = MakeFile(folder.File("plain.dat"), "Plain");
    WriteClosingSettings(SettingsStore(settingsPath), last, 0, 0, DefaultColumnLayout(), false,
                         false);
    auto run = [&](const std::string& startupFile) {
        auto session = std::make_unique<Session>(20240315, settingsPath);
        session->view.StartupFile = startupFile;
        session->Start();
        ExpectScriptPlayedOut(*session);
        // The other settings are read as at every start.
        EXPECT_FALSE(session->workspace.KeepBackupCopy);
        EXPECT_FALSE(session->view.Actions.KeepBackupCopy.checked);
        return session;
    };
    const auto opened = run(plain);
    EXPECT_THAT(opened->dialogs.Texts(), ElementsAre(plain + " opened."));
    EXPECT_THAT(opened->Names(), ElementsAre("Plain"));
    EXPECT_EQ(opened->view.Caption, plain);
    const std::string missing = folder.File("missing.dat");
    // One that cannot be opened leaves the new database, and the last one is not offered.
    const auto absent = run(missing);
    EXPECT_THAT(absent->dialogs.Texts(),
                ElementsAre(missing + " could not be opened: No such file or directory"));
    EXPECT_THAT(absent->Names(), ElementsAre("Untitled 1"));
    EXPECT_EQ(absent->view.Caption, "Untitled");
}

}  // namespace
}  // namespace quillmark::test
