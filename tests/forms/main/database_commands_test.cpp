// The "File" menu on real files: opening with and without passwords, saving, Save As, merging,
// the database information and password dialogs, New and closing the program; and what one run
// leaves in its settings file for the next.

#include "core/program_settings.h"
#include "forms/main/database_information_form.h"
#include "forms/main/set_password_form.h"
#include "forms/search/search_form.h"
#include "forms/spreadsheet/snapshot_form.h"
#include "support/database_layout.h"
#include "support/test_helpers.h"
#include "support/view_fixture.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <memory>
#include <tuple>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Kind = ScriptedDialogs::Kind;
using Shown = ScriptedDialogs::Shown;

constexpr const char* OpenQuestion =
    "Changes made since last save will be lost. Open new file anyway ?";
constexpr const char* CloseQuestion =
    "Changes made since last save will be lost. Would you like to save before exiting ?";
constexpr const char* NewQuestion =
    "Would you like to save the current database before you create a new one ?";
constexpr const char* WrongReadPassword =
    "You have entered an incorrect password.  A new database will be created.";
constexpr const char* NoPermission = "Sorry, you do not have permission to save this file.";

const std::string& Secret = SecretEnciphered;
// "abc" enciphered with the start key 5281, worked out by hand.
const std::string Abc = Hex("75 01 68");

// The version and identification every database file starts with, then two empty passwords.
const std::string Identified = Hex("06 04 31 2E 31 32") + S("Quillmark");
const std::string Unprotected = Identified + Hex("06 00 06 00");

bool Holds(const std::string& bytes, const std::string& part)
{
    return bytes.find(part) != std::string::npos;
}

// The bytes of a record of that name.
std::string Named(const std::string& name)
{
    RecordLayout record;
    record.RecordName = name;
    return record.Bytes();
}

// The boxes of "Open" over a database unchanged since it was opened, up to the file chosen,
// then those given.
std::vector<Shown> Opening(std::vector<Shown> then)
{
    then.insert(then.begin(), Shown{Kind::OpenFile, "Open File"});
    return then;
}

class DatabaseCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { session.Start(); }
    void TearDown() override { ExpectScriptPlayedOut(session); }

    // A database file put together by hand: the header, then a record for each name.
    std::string MakeFile(const std::string& name, const std::vector<std::string>& names,
                         const HeaderLayout& header = {})
    {
        WriteFileBytes(folder.File(name), DatabaseBytes(names, header));
        return folder.File(name);
    }
    // "Open": yes to losing the changes when there are any, then the file. Passwords are
    // scripted after this.
    ScriptedDialogs& WillOpen(const std::string& path)
    {
        if (workspace.History.Changed()) {
            dialogs.AnswerYes();
        }
        return dialogs.ChooseFile(path);
    }
    // Opens a database whose save password the user does not know.
    void OpenViewOnly()
    {
        HeaderLayout viewOnly;
        viewOnly.SavePassword = Secret;
        OpenDatabase(session, MakeFile("view-only.dat", {"Cid"}, viewOnly), {"wrong"});
        ASSERT_FALSE(workspace.CanSave);
    }
    // Nothing of the database before is left: one untitled record, the default captions in the
    // boxes and the menus, no information and no file to save to.
    void ExpectNewDatabase()
    {
        EXPECT_THAT(session.Names(), ElementsAre("Untitled 1"));
        EXPECT_EQ(view.Caption, "Untitled");
        EXPECT_EQ(view.Description.DetailCaptions[0].caption, "Street");
        EXPECT_EQ(view.DescMenus[2].at(0).caption, "ADD NEW CATEGORY CATEGORY");
        EXPECT_EQ(workspace.database.DatabaseInfo, DatabaseRecord{});
        EXPECT_FALSE(view.Actions.Save.enabled);
    }
    // The boxes shown by merging the file.
    std::vector<Shown> Merge(const std::string& path)
    {
        dialogs.Forget();
        dialogs.ChooseFile(path);
        view.Merge1Click();
        return dialogs.Messages;
    }

    TemporaryFolder folder;
    Session session{20240315, folder.File("Quillmark.ini")};
    TView& view = session.view;
    Workspace& workspace = session.workspace;
    ScriptedDialogs& dialogs = session.dialogs;
    RecordingShell& shell = session.shell;
    // Captions, a category tree and information that a new database does not have.
    const HeaderLayout staffHeader = [] {
        HeaderLayout header;
        header.Captions[1] = "Department";
        header.Captions[10] = "Road";  // the first detail caption
        header.Trees[1] = TreeTextComponent("Sales\r\n");
        header.Information[0] = "Staff";
        return header;
    }();
};

// The menus made from the captions and trees follow the database at once, not at the window's
// next activation.
TEST_F(DatabaseCommandsTest, OpeningAFileShowsItsFirstRecordCaptionsAndMenus)
{
    const std::string path = MakeFile("staff.dat", {"Ann Lee", "Bob Ray"}, staffHeader);

    // No file chosen keeps the new database; an untouched one asks nothing first.
    dialogs.CancelFileDialog();
    view.Open1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Untitled 1"));
    dialogs.Forget();
    WillOpen(path);
    view.Open1Click();
    EXPECT_EQ(dialogs.Messages, Opening({Shown{Kind::Information, path + " opened."}}));
    EXPECT_THAT(session.Names(), ElementsAre("Ann Lee", "Bob Ray"));
    EXPECT_EQ(view.Caption, path);
    EXPECT_EQ(view.RecordName.text, "Ann Lee");
    EXPECT_EQ(view.Description.DetailCaptions[0].caption, "Road");
    EXPECT_EQ(view.DescMenus[2].at(0).caption, "ADD NEW DEPARTMENT CATEGORY");
    EXPECT_EQ(view.DescMenus[2].at(2).caption, "Sales");
    EXPECT_TRUE(view.Actions.Save.enabled);
    dialogs.Forget();

    // So does renaming a caption.
    dialogs.Type("Start Date");
    view.CustomizeLabels("OtherC2");
    EXPECT_EQ(view.SortSelect.at(22).caption, "Sory by Start Date");
    dialogs.Forget();

    // The other windows' save button writes the records as they are; the main window's Save
    // stores what was typed first.
    view.RecordName.text = "Ann Smith";
    workspace.QuickSave();
    EXPECT_THAT(dialogs.Messages, ElementsAre(Shown{Kind::Information, "File Saved"}));
    EXPECT_FALSE(Holds(ReadFileBytes(path), S("Ann Smith")));
    EXPECT_TRUE(view.Save1Click());
    EXPECT_TRUE(Holds(ReadFileBytes(path), S("Ann Smith")));

    // A file that cannot be opened changes nothing.
    view.NextTBtnClick();
    const std::string empty = folder.File("empty\x1B.dat");
    WriteFileBytes(empty, "");
    dialogs.Forget();
    WillOpen(empty);
    view.Open1Click();
    EXPECT_THAT(dialogs.Texts(),
                ElementsAre("Open File", folder.File("empty\\x1B.dat") + " is empty."));
    EXPECT_THAT(session.Names(), ElementsAre("Ann Smith", "Bob Ray"));
    EXPECT_EQ(view.Caption, path);
    EXPECT_EQ(view.RecordName.text, "Bob Ray");
    EXPECT_TRUE(view.Actions.Save.enabled);

    // A file of no records opens on a new one.
    OpenDatabase(session, MakeFile("empty.dat", {}));
    EXPECT_THAT(session.Names(), ElementsAre("Untitled 1"));
    EXPECT_EQ(view.Caption, folder.File("empty.dat"));
    EXPECT_FALSE(view.Actions.DeleteRecord.enabled);
}

// A wrong read password and a file that ends in the middle of a record both throw the open
// database away and start a new one.
TEST_F(DatabaseCommandsTest, AWrongReadPasswordOrADamagedFileGivesWayToANewDatabase)
{
    const std::string staff = MakeFile("staff.dat", {"Bob Ray"}, staffHeader);
    HeaderLayout locked;
    locked.ReadPassword = Secret;
    const std::string lockedPath = MakeFile("locked.dat", {"Ann Lee"}, locked);
    const std::string cut = folder.File("cut.dat");
    const std::string whole = ReadFileBytes(staff);
    WriteFileBytes(cut, whole.substr(0, whole.size() - 10));
    const std::string notValid = " is not a valid Quillmark file.  A new database will be created.";
    const std::pair<std::string, std::vector<Shown>> cases[] = {
        {lockedPath, Opening({Shown{Kind::Password, "Please Enter Read Password"},
                              Shown{Kind::Error, WrongReadPassword}})},
        {cut, Opening({Shown{Kind::Error, cut + notValid}})},
    };
    for (const auto& [path, boxes] : cases) {
        OpenDatabase(session, staff);
        WillOpen(path);
        if (path == lockedPath) {
            dialogs.Type("Secret");
        }
        view.Open1Click();
        EXPECT_EQ(dialogs.Messages, boxes);
        ExpectNewDatabase();
        dialogs.Forget();
    }

    // Cancelling the box is a wrong password too, and save permission stays as it was.
    OpenViewOnly();
    WillOpen(lockedPath).CancelInput();
    view.Open1Click();
    EXPECT_EQ(dialogs.Texts().back(), WrongReadPassword);
    EXPECT_THAT(session.Names(), ElementsAre("Untitled 1"));
    EXPECT_FALSE(workspace.CanSave);
}

TEST_F(DatabaseCommandsTest, SaveAsNamesTheFile)
{
    // A name without an extension gets ".dat"; the unnamed database takes the file's name,
    // in memory and in the file.
    dialogs.ChooseFile(folder.File("report"));
    EXPECT_TRUE(view.SaveAs1Click());
    const std::string report = folder.File("report.dat");
    EXPECT_THAT(dialogs.Messages, ElementsAre(Shown{Kind::SaveFile, "Save As"},
                                              Shown{Kind::Information, "File Saved as " + report}));
    EXPECT_EQ(view.Caption, report);
    const std::string header = Unprotected + S("report.dat");
    EXPECT_EQ(ReadFileBytes(report).substr(0, header.size()), header);

    // An extension of its own is kept; a dot in a folder's name is not an extension.
    std::filesystem::create_directory(folder.File("my.files"));
    dialogs.ChooseFile(folder.File("report.v2")).ChooseFile(folder.File("my.files/people"));
    EXPECT_TRUE(view.SaveAs1Click());
    EXPECT_TRUE(view.SaveAs1Click());
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"my.files", "report.dat", "report.v2"}));
    EXPECT_EQ(view.Caption, folder.File("my.files/people.dat"));
    EXPECT_EQ(workspace.database.DatabaseInfo.DatabaseName, "report.dat");
    dialogs.Forget();

    // An existing file is only replaced when the user says so; No goes back to the dialog.
    const std::string before = ReadFileBytes(report);
    view.RecordName.text = "Overwritten";
    const std::string overwrite = report + " already exists.  Do you want to overwrite it ?";
    dialogs.ChooseFile(folder.File("report")).AnswerNo().CancelFileDialog();
    EXPECT_FALSE(view.SaveAs1Click());
    EXPECT_THAT(dialogs.Messages,
                ElementsAre(Shown{Kind::SaveFile, "Save As"}, Shown{Kind::YesNo, overwrite},
                            Shown{Kind::SaveFile, "Save As"}));
    EXPECT_EQ(ReadFileBytes(report), before);
    EXPECT_EQ(workspace.DatabaseFileName, folder.File("my.files/people.dat"));
    dialogs.ChooseFile(report).AnswerYes();
    EXPECT_TRUE(view.SaveAs1Click());
    EXPECT_TRUE(Holds(ReadFileBytes(report), S("Overwritten")));
    EXPECT_EQ(view.Caption, report);
}

TEST_F(DatabaseCommandsTest, AFailedSaveKeepsTheOldFileAndSaysSoOnce)
{
    const std::string path = MakeFile("staff.dat", {"Ann Lee"});
    OpenDatabase(session, path);
    const std::string before = ReadFileBytes(path);

    // Save As into a folder that does not exist: the database keeps its old name.
    dialogs.ChooseFile(folder.File("missing/staff"));
    EXPECT_FALSE(view.SaveAs1Click());
    EXPECT_EQ(workspace.DatabaseFileName, path);
    dialogs.Forget();

    // A write that fails halfway (here on a category tree that cannot be written), from either
    // save button, leaves the file as it was and no temporary file behind, and an unnamed
    // database is not named after a file that was never written.
    view.RecordName.text = "Changed";
    workspace.database.DatabaseInfo.DatabaseName.clear();
    workspace.database.DescriptionTrees[4] = "Top\r\n\t\tNested too deep\r\n";
    EXPECT_FALSE(view.Save1Click());
    workspace.QuickSave();
    EXPECT_EQ(workspace.database.DatabaseInfo.DatabaseName, "");
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    for (const Shown& shown : dialogs.Messages) {
        EXPECT_EQ(shown.kind, Kind::Error);
        EXPECT_TRUE(shown.text.starts_with(path + " could not be saved: ")) << shown.text;
    }
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"staff.dat"});
}

TEST_F(DatabaseCommandsTest, NewOffersToSaveFirst)
{
    const std::string path = MakeFile("staff.dat", {"Ann Lee", "Bob Ray"}, staffHeader);
    OpenDatabase(session, path);

    // Only a changed database is offered for saving.
    view.RecordName.text = "Ann Typed";
    dialogs.AnswerCancel();
    view.New1Click();
    EXPECT_THAT(dialogs.Messages, ElementsAre(Shown{Kind::YesNoCancel, NewQuestion}));
    EXPECT_THAT(session.Names(), ElementsAre("Ann Typed", "Bob Ray"));
    dialogs.Forget();

    // Yes saves what was typed, then starts afresh.
    view.RecordName.text = "Ann Saved";
    dialogs.AnswerYes();
    view.New1Click();
    EXPECT_THAT(dialogs.Messages, ElementsAre(Shown{Kind::YesNoCancel, NewQuestion},
                                              Shown{Kind::Information, "File Saved"}));
    EXPECT_TRUE(Holds(ReadFileBytes(path), S("Ann Saved")));
    ExpectNewDatabase();

    // Yes on an untitled database asks for a name; cancelling that keeps the database.
    const ItemRecord* shown = &session.Record(0);
    view.RecordName.text = "Kept";
    dialogs.AnswerYes().CancelFileDialog();
    view.New1Click();
    EXPECT_EQ(&session.Record(0), shown);
    EXPECT_EQ(view.RecordName.text, "Kept");

    // A database that may not be saved is not thrown away by a refused save either; No lets it
    // go, and the new database is the user's own to save.
    OpenViewOnly();
    view.Description.Detail[0].text = "1 Elm St";
    dialogs.AnswerYes();
    view.New1Click();
    EXPECT_THAT(dialogs.Texts(), ElementsAre(NewQuestion, NoPermission));
    EXPECT_THAT(session.Names(), ElementsAre("Cid"));
    dialogs.AnswerNo().ChooseFile(folder.File("fresh"));
    view.New1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Untitled 1"));
    EXPECT_TRUE(view.SaveAs1Click());
    EXPECT_EQ(ReadFileBytes(folder.File("fresh.dat")).substr(0, Unprotected.size()), Unprotected);
}

TEST_F(DatabaseCommandsTest, ClosingAsksUntilTheDatabaseIsSavedOrLetGo)
{
    view.Description.Detail[0].text = "1 Elm St";
    dialogs.AnswerCancel();
    view.Close1Click();
    EXPECT_THAT(dialogs.Messages, ElementsAre(Shown{Kind::YesNoCancel, CloseQuestion}));
    EXPECT_EQ(shell.ExitRequests, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.File("Quillmark.ini")));
    dialogs.Forget();

    // An untitled database: Yes asks for a name; without one, or after a save that failed, the
    // question comes back. No then ends the program without saving.
    const std::string nowhere = folder.File("missing/staff");
    dialogs.AnswerYes().CancelFileDialog().AnswerYes().ChooseFile(nowhere).AnswerNo();
    view.Close1Click();
    EXPECT_THAT(
        dialogs.Messages,
        ElementsAre(Shown{Kind::YesNoCancel, CloseQuestion}, Shown{Kind::SaveFile, "Save As"},
                    Shown{Kind::YesNoCancel, CloseQuestion}, Shown{Kind::SaveFile, "Save As"},
                    Shown{Kind::Error, nowhere + ".dat could not be saved: No such file or "
                                                 "directory"},
                    Shown{Kind::YesNoCancel, CloseQuestion}));
    EXPECT_EQ(shell.ExitRequests, 1);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"Quillmark.ini"});

    // A database that may not be saved is let go without a question.
    OpenViewOnly();
    view.Close1Click();
    EXPECT_THAT(dialogs.Messages, IsEmpty());
    EXPECT_EQ(shell.ExitRequests, 2);
}

TEST_F(DatabaseCommandsTest, MergingAppendsWhatItCanReadAndSaysWhy)
{
    const std::string a = MakeFile("a.dat", {"Ann"});
    OpenDatabase(session, a);
    // No file chosen: nothing happens, and the next Open is an ordinary one.
    dialogs.CancelFileDialog();
    view.Merge1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Ann"));
    OpenDatabase(session, a);
    EXPECT_THAT(session.Names(), ElementsAre("Ann"));
    view.RecordName.text = "Ann Typed";
    HeaderLayout second;
    second.Information[0] = "B people";
    second.Captions[20] = "Hired";  // the first of the other captions
    second.SkillNames[4] = "Welding";
    second.Trees[1] = TreeTextComponent("Warehouse\r\n");
    const Shown merging{Kind::OpenFile, "Merge with File"};
    const Shown merged{Kind::Information, "Merge Sucessful !"};
    EXPECT_THAT(Merge(MakeFile("b.dat", {"Cid", "Dee"}, second)), ElementsAre(merging, merged));
    EXPECT_THAT(session.Names(), ElementsAre("Ann Typed", "Cid", "Dee"));
    EXPECT_EQ(view.Caption, "*" + a);  // merged records are a change to save
    EXPECT_EQ(view.RecordName.text, "Ann Typed");
    EXPECT_TRUE(view.Actions.DeleteRecord.enabled);
    EXPECT_EQ(view.Description.OtherCaptions[1].caption, "Hired");
    EXPECT_EQ(view.SortSelect.at(21).caption, "Sory by Hired");
    EXPECT_EQ(view.DescMenus[2].at(2).caption, "Warehouse");
    EXPECT_EQ(view.Skills.ItemList[4].caption, "Welding");

    // Another password refuses the whole file.
    HeaderLayout password = second;
    password.SavePassword = Secret;
    EXPECT_THAT(Merge(MakeFile("locked.dat", {"Eve"}, password)),
                ElementsAre(merging, Shown{Kind::Information,
                                           "Sorry, the files could not be merged because they are "
                                           "incompatible or they use different passowrds."}));
    EXPECT_EQ(workspace.database.SavePassword, "");

    // A file damaged after its header adds the records read before the damage.
    const std::string damaged = folder.File("damaged.dat");
    WriteFileBytes(damaged, second.Bytes(2) + Named("Fay") + Named("Gus").substr(0, 40));
    EXPECT_THAT(Merge(damaged),
                ElementsAre(merging, Shown{Kind::Error, damaged + " is not a valid Quillmark file. "
                                                                  " The records read before the "
                                                                  "damage have been added."}));
    EXPECT_THAT(session.Names(), ElementsAre("Ann Typed", "Cid", "Dee", "Fay"));
    dialogs.Forget();

    // Saving at the close writes everything to the file that was open.
    view.RecordName.text = "Ann Saved";
    dialogs.AnswerYes();
    view.Close1Click();
    EXPECT_THAT(dialogs.Messages, ElementsAre(Shown{Kind::YesNoCancel, CloseQuestion},
                                              Shown{Kind::Information, "File Saved"}));
    const std::string saved = ReadFileBytes(a);
    EXPECT_TRUE(Holds(saved, S("Ann Saved")));
    EXPECT_TRUE(Holds(saved, S("Fay")));
    EXPECT_TRUE(Holds(saved, S("B people")));
}

TEST_F(DatabaseCommandsTest, DataAfterTheLastRecordIsAnnouncedAndTheInformationIsEditedInItsDialog)
{
    // A count one lower than the records present: one record would be lost without a word.
    const std::string path = folder.File("short.dat");
    WriteFileBytes(path, HeaderLayout().Bytes(1) + Named("Ann") + RecordLayout().Bytes());
    const Shown warning{Kind::Error,
                        path +
                            " holds data after its last record that Quillmark cannot read. "
                            "Saving the database will not keep it."};
    WillOpen(path);
    view.Open1Click();
    EXPECT_EQ(dialogs.Messages, Opening({Shown{Kind::Information, path + " opened."}, warning}));
    EXPECT_THAT(session.Names(), ElementsAre("Ann"));
    EXPECT_THAT(Merge(path), ElementsAre(Shown{Kind::OpenFile, "Merge with File"},
                                         Shown{Kind::Information, "Merge Sucessful !"}, warning));
    EXPECT_THAT(session.Names(), ElementsAre("Ann", "Ann"));

    // The database information is edited in its dialog.
    HeaderLayout header;
    header.Information = {"Staff", "Dana", "1 High St", "York",    "UK",
                          "YO1",   "555",  "556",       "d@x.org", "x.org"};
    header.Notes = {"first"};
    const std::string staff = MakeFile("staff.dat", {"Ann"}, header);
    OpenDatabase(session, staff);
    const DatabaseRecord before = workspace.database.DatabaseInfo;
    shell.OnDialog([](TDatabaseInformationForm& form) {
        form.Fields[3].text = "Leeds";
        form.CancelBtnClick();
    });
    view.SetDatabaseInformation1Click();
    EXPECT_EQ(workspace.database.DatabaseInfo, before);
    shell.OnDialog([](TDatabaseInformationForm& form) {
        form.Fields[1].text = "Eve";
        form.Fields[3].text = "Leeds";
        form.DatabaseNotes.lines = {"one", "two"};
        form.OKBtnClick();
    });
    view.SetDatabaseInformation1Click();
    EXPECT_THAT(shell.DialogsShown, ElementsAre("Database Information", "Database Information"));

    // The file has the change, and everything left alone, after the next save.
    ASSERT_TRUE(view.Save1Click());
    const std::string expected = Unprotected + S("Staff") + S("Eve") + S("1 High St") + S("Leeds") +
                                 S("UK") + S("YO1") + S("555") + S("556") + S("d@x.org") +
                                 S("x.org") + List({"one", "two"});
    EXPECT_EQ(ReadFileBytes(staff).substr(0, expected.size()), expected);
}

TEST_F(DatabaseCommandsTest, PasswordsAreSetTwiceTypedReachTheFileAtTheNextSaveAndGuardIt)
{
    dialogs.ChooseFile(folder.File("locked"));
    ASSERT_TRUE(view.SaveAs1Click());
    const std::string path = folder.File("locked.dat");
    dialogs.Forget();
    shell.OnDialog([&](TSetPasswordForm& form) {
        form.ReadPassword.text = "secret";
        form.ReadPassword2.text = "secrets";
        form.SavePassword.text = "abc";
        form.SavePassword2.text = "abd";
        form.OKBtnClick();
        EXPECT_FALSE(form.Closed);
        form.ReadPassword2.text = "secret";
        form.OKBtnClick();
        EXPECT_FALSE(form.Closed);
        form.SavePassword2.text = "abc";
        form.OKBtnClick();
    });
    view.SetDatabasePassword1Click();
    EXPECT_THAT(shell.DialogsShown, ElementsAre("Set Database Password"));
    EXPECT_THAT(dialogs.Texts(), ElementsAre("The read passwords do not match.",
                                             "The save passwords do not match."));
    EXPECT_EQ(ReadFileBytes(path).substr(0, Unprotected.size()), Unprotected);
    ASSERT_TRUE(view.Save1Click());
    const std::string protectedHeader = Identified + S(Secret) + S(Abc);
    EXPECT_EQ(ReadFileBytes(path).substr(0, protectedHeader.size()), protectedHeader);
    dialogs.Forget();

    // A wrong save password opens the database for viewing only: every way of saving is
    // refused before anything is asked or written.
    const std::string before = ReadFileBytes(path);
    WillOpen(path).Type("secret").Type("nope");
    view.Open1Click();
    EXPECT_EQ(dialogs.Messages,
              Opening({Shown{Kind::Password, "Please Enter Read Password"},
                       Shown{Kind::Password, "Please Enter Save Password"},
                       Shown{Kind::Error,
                             "You have entered an incorrect save password.  You will "
                             "be able to view the database, but you will not be able "
                             "to save it."},
                       Shown{Kind::Information, path + " opened."}}));
    dialogs.Forget();
    view.RecordName.text = "Changed";
    EXPECT_FALSE(view.Save1Click());
    EXPECT_FALSE(view.SaveAs1Click());
    workspace.QuickSave();
    const Shown refused{Kind::Information, NoPermission};
    EXPECT_THAT(dialogs.Messages, ElementsAre(refused, refused, refused));
    EXPECT_EQ(ReadFileBytes(path), before);

    // The name typed is a change that opening asks about.
    dialogs.AnswerYes().ChooseFile(path).Type("secret").Type("abc");
    view.Open1Click();
    EXPECT_TRUE(workspace.CanSave);

    // Cancel changes nothing; emptied edits remove both passwords.
    shell.OnDialog([](TSetPasswordForm& form) {
        form.ReadPassword.text = form.ReadPassword2.text = "other";
        form.CancelBtnClick();
    });
    view.SetDatabasePassword1Click();
    shell.OnDialog([](TSetPasswordForm& form) {
        EXPECT_EQ(form.ReadPassword.text, "secret");
        EXPECT_EQ(form.SavePassword2.text, "abc");
        form.ReadPassword.text = form.ReadPassword2.text = "";
        form.SavePassword.text = form.SavePassword2.text = "";
        form.OKBtnClick();
    });
    view.SetDatabasePassword1Click();
    ASSERT_TRUE(view.Save1Click());
    EXPECT_EQ(ReadFileBytes(path).substr(0, Unprotected.size()), Unprotected);
}

// Runs of the program one after another over one settings file, in a folder of its own that the
// first save makes. Each run's main window is made but not yet shown.
class SettingsFlowTest : public ::testing::Test {
protected:
    Session& NextRun()
    {
        TearDown();
        run_ = std::make_unique<Session>(20240315, settingsPath);
        return *run_;
    }
    void TearDown() override
    {
        if (run_) {
            ExpectScriptPlayedOut(*run_);
        }
    }

    TemporaryFolder folder;
    const std::string settingsPath = folder.File("config/Quillmark.ini");
    const SettingsStore store{settingsPath};

private:
    std::unique_ptr<Session> run_;
};

TEST_F(SettingsFlowTest, WindowSizesAndColumnsGoToTheNextRunUntilTheApplicationIsReset)
{
    {
        Session& first = NextRun();
        first.Start();
        EXPECT_THAT(first.dialogs.Messages, IsEmpty());
        // Nothing saved: the window opens at its own fitting size.
        EXPECT_EQ(std::pair(first.view.Width, first.view.Height), std::pair(0, 0));
        EXPECT_TRUE(folder.Entries().empty()) << "reading makes neither the file nor its folder";
        first.view.Width = 812;
        first.view.Height = 590;
        first.workspace.ShortDescriptions = true;
        first.workspace.SpreadsheetColumns.FieldNumbers[3] = 350;
        first.workspace.SpreadsheetColumns.Widths[3] = 90;
        first.view.Close1Click();  // nothing changed: nothing to ask
    }
    // An untitled database leaves no last file to offer.
    Session& second = NextRun();
    TView& view = second.view;
    EXPECT_EQ(std::pair(view.Width, view.Height), std::pair(812, 590));
    second.Start();
    EXPECT_THAT(second.dialogs.Messages, IsEmpty());
    EXPECT_TRUE(second.workspace.ShortDescriptions);
    EXPECT_TRUE(view.Actions.ShortDescriptionValues.checked);
    EXPECT_EQ(second.workspace.SpreadsheetColumns.FieldNumbers[3], 350);
    EXPECT_EQ(second.workspace.SpreadsheetColumns.Widths[3], 90);

    // "Reset Application": No changes nothing.
    TSearch& search = second.workspace.Search();
    TSnapShot& spreadsheet = second.workspace.Spreadsheet();
    search.Width = 1000;
    spreadsheet.BrowsePanelWidth = 300;
    const std::string question =
        "This function will reset the application program to original installation settings.  "
        "Are you sure you want to continue ?";
    second.dialogs.AnswerNo().AnswerYes();
    view.ResetApplication1Click();
    EXPECT_EQ(view.Width, 812);
    view.ResetApplication1Click();
    EXPECT_THAT(
        second.dialogs.Messages,
        ElementsAre(Shown{Kind::YesNo, question}, Shown{Kind::YesNo, question},
                    Shown{Kind::Information, "Original application settings have been restored."}));
    EXPECT_EQ(std::pair(view.Width, view.Height), std::pair(0, 0));  // the window's fitting size
    EXPECT_EQ(search.Width, 581);
    EXPECT_EQ(spreadsheet.BrowsePanelWidth, 174);
    EXPECT_FALSE(second.workspace.ShortDescriptions);
    EXPECT_FALSE(view.Actions.ShortDescriptionValues.checked);
    // The window sizes are written at once, the columns at the close: those of a first
    // installation without the status column.
    EXPECT_EQ(ReadWindowSize(store, "ViewW:", "ViewH:", {}), (WindowSize{634, 482}));
    view.Close1Click();
    const ColumnLayout saved = ReadStartupSettings(store).Columns;
    EXPECT_EQ(saved, ResetColumnLayout());
    EXPECT_EQ(std::tuple(saved.FieldNumbers[21], saved.FieldNumbers[22], saved.FieldNumbers[33],
                         saved.FieldNumbers[34]),
              std::tuple(200, 240, 350, -1));
}

TEST_F(SettingsFlowTest, TheLastDatabaseIsOfferedAtTheNextStartWithItsPasswords)
{
    const std::string path = folder.File("staff.dat");
    const std::string question = "Would you like to open the file " + path + " ?";
    {
        // Named only by the save that closing asks for.
        Session& first = NextRun();
        first.Start();
        first.view.RecordName.text = "Ann Lee";
        first.shell.OnDialog([](TSetPasswordForm& form) {
            form.ReadPassword.text = form.ReadPassword2.text = "secret";
            form.OKBtnClick();
        });
        first.view.SetDatabasePassword1Click();
        first.dialogs.AnswerYes().ChooseFile(folder.File("staff"));
        first.view.Close1Click();
    }
    {
        Session& second = NextRun();
        second.dialogs.AnswerYes().Type("secret");
        second.Start();
        EXPECT_THAT(second.dialogs.Texts(),
                    ElementsAre(question, "Please Enter Read Password", path + " opened."));
        EXPECT_THAT(second.Names(), ElementsAre("Ann Lee"));
        EXPECT_EQ(second.view.Caption, path);
        // Activating the window again later does not ask again.
        second.view.FormDeactivate();
        second.view.FormActivate();
        EXPECT_EQ(second.dialogs.Messages.size(), 3u);
        second.view.Close1Click();
    }
    {
        // No opens nothing. The file opened from the menu then goes away while the program
        // runs; it is still the last file at the close.
        Session& third = NextRun();
        third.dialogs.AnswerNo().ChooseFile(path).Type("secret");
        third.Start();
        EXPECT_THAT(third.dialogs.Texts(), ElementsAre(question));
        EXPECT_THAT(third.Names(), ElementsAre("Untitled 1"));
        third.view.Open1Click();
        std::filesystem::remove(path);
        third.view.Close1Click();
    }
    {
        Session& fourth = NextRun();
        fourth.dialogs.AnswerYes();
        fourth.Start();
        EXPECT_THAT(
            fourth.dialogs.Texts(),
            ElementsAre(question, path + " could not be opened: No such file or directory"));
        EXPECT_THAT(fourth.Names(), ElementsAre("Untitled 1"));
        fourth.view.Close1Click();
    }
    // A file that could not be opened is not offered again.
    Session& fifth = NextRun();
    fifth.Start();
    EXPECT_THAT(fifth.dialogs.Messages, IsEmpty());
}

}  // namespace
}  // namespace quillmark::test
