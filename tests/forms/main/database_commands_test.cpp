// The "File" menu on real files: opening with and without passwords, saving, Save As, merging,
// the database information and password dialogs, New and closing the program.

#include "support/database_layout.h"
#include "support/test_helpers.h"
#include "forms/main/database_information_form.h"
#include "forms/main/set_password_form.h"
#include "forms/main/view_form.h"
#include "forms/workspace.h"
#include "support/fake_services.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

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
constexpr const char* WrongSavePassword =
    "You have entered an incorrect save password.  You will be able to view the database, but "
    "you will not be able to save it.";
constexpr const char* NoPermission = "Sorry, you do not have permission to save this file.";
constexpr const char* Incompatible =
    "Sorry, the files could not be merged because they are incompatible or they use different "
    "passowrds.";

// "secret" and "abc" enciphered with the start key 5281, worked out by hand.
const std::string Secret = Hex("67 34 BA C2 0E 61");
const std::string Abc = Hex("75 01 68");

// The version and identification every database file starts with, then two empty passwords.
const std::string Identified = Hex("06 04 31 2E 31 32") + S("Quillmark");
const std::string Unprotected = Identified + Hex("06 00 06 00");

bool Holds(const std::string& bytes, const std::string& part)
{
    return bytes.find(part) != std::string::npos;
}

class DatabaseCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { session.Start(); }
    void TearDown() override
    {
        EXPECT_THAT(dialogs.Problems, IsEmpty());
        EXPECT_THAT(shell.Problems, IsEmpty());
        EXPECT_TRUE(dialogs.ScriptUsedUp()) << "answers were scripted but never asked for";
        EXPECT_TRUE(shell.ScriptUsedUp()) << "a dialog was scripted but never shown";
    }

    // A database file put together by hand: the header, then a record for each name.
    std::string MakeFile(const std::string& name, const std::vector<std::string>& names,
                         const HeaderLayout& header = {})
    {
        std::string bytes = header.Bytes(static_cast<std::int32_t>(names.size()));
        for (const std::string& recordName : names) {
            RecordLayout record;
            record.RecordName = recordName;
            bytes += record.Bytes();
        }
        WriteFileBytes(folder.File(name), bytes);
        return folder.File(name);
    }
    // "Open": yes to losing the changes, then the file. Passwords are scripted after this.
    ScriptedDialogs& WillOpen(const std::string& path)
    {
        return dialogs.AnswerYes().ChooseFile(path);
    }
    void OpenQuietly(const std::string& path, const std::vector<std::string>& typed = {})
    {
        WillOpen(path);
        for (const std::string& password : typed) {
            dialogs.Type(password);
        }
        view.Open1Click();
        dialogs.Forget();
    }
    // Opens a database whose save password the user does not know.
    void OpenViewOnly()
    {
        HeaderLayout viewOnly;
        viewOnly.SavePassword = Secret;
        OpenQuietly(MakeFile("view-only.dat", {"Cid"}, viewOnly), {"wrong"});
        ASSERT_FALSE(workspace.CanSave);
    }

    TemporaryFolder folder;
    Session session{20240315, folder.File("Quillmark.ini")};
    TView& view = session.view;
    Workspace& workspace = session.workspace;
    ScriptedDialogs& dialogs = session.dialogs;
    RecordingShell& shell = session.shell;
};

TEST_F(DatabaseCommandsTest, OpeningAFileShowsItsFirstRecord)
{
    HeaderLayout header;
    header.Captions[10] = "Road";  // the first detail caption
    const std::string path = MakeFile("staff.dat", {"Ann Lee", "Bob Ray"}, header);

    // No to the question, or no file chosen, keeps the new database.
    dialogs.AnswerNo().AnswerYes().CancelFileDialog();
    view.Open1Click();
    view.Open1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Untitled 1"));
    dialogs.Forget();

    WillOpen(path);
    view.Open1Click();
    EXPECT_THAT(dialogs.Messages,
                ElementsAre(Shown{Kind::YesNo, OpenQuestion}, Shown{Kind::OpenFile, "Open File"},
                            Shown{Kind::Information, path + " opened."}));
    EXPECT_THAT(session.Names(), ElementsAre("Ann Lee", "Bob Ray"));
    EXPECT_EQ(view.Caption, path);
    EXPECT_EQ(view.RecordName.text, "Ann Lee");
    EXPECT_EQ(view.Description.DetailCaptions[0].caption, "Road");
    EXPECT_TRUE(view.Actions.Save.enabled);
    dialogs.Forget();

    // The other windows' save button writes the records as they are; the main window's Save
    // stores what was typed first.
    view.RecordName.text = "Ann Smith";
    workspace.QuickSave();
    EXPECT_THAT(dialogs.Messages, ElementsAre(Shown{Kind::Information, "File Saved"}));
    EXPECT_FALSE(Holds(ReadFileBytes(path), S("Ann Smith")));
    EXPECT_TRUE(view.Save1Click());
    EXPECT_TRUE(Holds(ReadFileBytes(path), S("Ann Smith")));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"staff.dat"});

    // A file of no records opens on a new one.
    OpenQuietly(MakeFile("empty.dat", {}));
    EXPECT_THAT(session.Names(), ElementsAre("Untitled 1"));
    EXPECT_EQ(view.Caption, folder.File("empty.dat"));
    EXPECT_FALSE(view.Actions.DeleteRecord.enabled);
}

// The menus made from captions and trees follow the database at once, not at the window's next
// activation: opening, merging, starting anew and renaming a caption.
TEST_F(DatabaseCommandsTest, MenusFollowTheDatabaseAtOnce)
{
    const auto fieldTwo = [this] {
        std::vector<std::string> shown;
        for (const MenuItemControl& entry : view.DescMenus[2]) {
            shown.push_back(entry.caption);
            for (const MenuItemControl& child : entry.children) {
                shown.push_back(" " + child.caption);
            }
        }
        return shown;
    };
    const auto sortBy = [this](std::size_t entry) { return view.SortSelect.at(entry).caption; };

    HeaderLayout sales;
    sales.Captions[1] = "Department";
    sales.Captions[21] = "Start Date";  // Other 2
    sales.Trees[1] = TreeTextComponent("Sales\r\n\tRetail Sales\r\nStores\r\n");
    OpenQuietly(MakeFile("sales.dat", {"Ann"}, sales));
    EXPECT_THAT(fieldTwo(), ElementsAre("ADD NEW DEPARTMENT CATEGORY", "CLEAR FIELD", "Sales",
                                        " Retail Sales", "Stores"));
    EXPECT_EQ(sortBy(1), "Sort by Department");
    EXPECT_EQ(sortBy(22), "Sory by Start Date");

    HeaderLayout plain = sales;  // a merge needs the same description and detail captions
    plain.Captions[21] = "Shoe Size";
    plain.Trees[1] = TreeTextComponent("Warehouse\r\n");
    dialogs.ChooseFile(MakeFile("plain.dat", {"Bob"}, plain));
    view.Merge1Click();
    dialogs.Forget();
    EXPECT_THAT(fieldTwo(), ElementsAre("ADD NEW DEPARTMENT CATEGORY", "CLEAR FIELD", "Warehouse"));
    EXPECT_EQ(sortBy(22), "Sory by Shoe Size");

    dialogs.Type("Hired On");
    view.CustomizeLabels("OtherC2");
    EXPECT_EQ(sortBy(22), "Sory by Hired On");

    dialogs.AnswerNo();
    view.New1Click();
    EXPECT_EQ(sortBy(22), "Sory by Other 2");
    EXPECT_EQ(fieldTwo().at(0), "ADD NEW CATEGORY CATEGORY");
}

TEST_F(DatabaseCommandsTest, AReadPasswordMustBeTypedExactly)
{
    HeaderLayout locked;
    locked.ReadPassword = Secret;
    const std::string path = MakeFile("locked.dat", {"Ann Lee"}, locked);

    // A wrong password throws the open database away and starts a new one.
    HeaderLayout open;
    open.Captions[10] = "Road";  // the first detail caption
    OpenQuietly(MakeFile("staff.dat", {"Bob Ray"}, open));
    WillOpen(path).Type("Secret");
    view.Open1Click();
    EXPECT_THAT(dialogs.Messages,
                ElementsAre(Shown{Kind::YesNo, OpenQuestion}, Shown{Kind::OpenFile, "Open File"},
                            Shown{Kind::Password, "Please Enter Read Password"},
                            Shown{Kind::Error, WrongReadPassword}));
    EXPECT_THAT(session.Names(), ElementsAre("Untitled 1"));
    EXPECT_EQ(view.Caption, "Untitled");
    EXPECT_EQ(view.Description.DetailCaptions[0].caption, "Street");
    EXPECT_FALSE(view.Actions.Save.enabled);

    // Cancelling the box is a wrong password too, and save permission stays as it was.
    OpenViewOnly();
    WillOpen(path).CancelInput();
    view.Open1Click();
    EXPECT_EQ(dialogs.Texts().back(), WrongReadPassword);
    EXPECT_THAT(session.Names(), ElementsAre("Untitled 1"));
    EXPECT_FALSE(workspace.CanSave);
}

TEST_F(DatabaseCommandsTest, AWrongSavePasswordOpensTheDatabaseForViewingOnly)
{
    HeaderLayout header;
    header.SavePassword = Secret;
    const std::string path = MakeFile("staff.dat", {"Ann Lee"}, header);
    const std::string before = ReadFileBytes(path);

    WillOpen(path).Type("nope");
    view.Open1Click();
    EXPECT_THAT(dialogs.Messages,
                ElementsAre(Shown{Kind::YesNo, OpenQuestion}, Shown{Kind::OpenFile, "Open File"},
                            Shown{Kind::Password, "Please Enter Save Password"},
                            Shown{Kind::Error, WrongSavePassword},
                            Shown{Kind::Information, path + " opened."}));
    EXPECT_FALSE(workspace.CanSave);
    EXPECT_THAT(session.Names(), ElementsAre("Ann Lee"));
    dialogs.Forget();

    // Every way of saving is refused before anything is asked or written, and closing offers
    // nothing to save.
    view.RecordName.text = "Changed";
    EXPECT_FALSE(view.Save1Click());
    EXPECT_FALSE(view.SaveAs1Click());
    workspace.QuickSave();
    const Shown refused{Kind::Information, NoPermission};
    EXPECT_THAT(dialogs.Messages, ElementsAre(refused, refused, refused));
    dialogs.Forget();
    view.Close1Click();
    EXPECT_THAT(dialogs.Messages, IsEmpty());
    EXPECT_EQ(shell.ExitRequests, 1);
    EXPECT_EQ(ReadFileBytes(path), before);
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
    OpenQuietly(path);
    const std::string before = ReadFileBytes(path);

    // Save As into a folder that does not exist: the database keeps its old name.
    const std::string nowhere = folder.File("missing/staff");
    dialogs.ChooseFile(nowhere);
    EXPECT_FALSE(view.SaveAs1Click());
    EXPECT_THAT(dialogs.Messages,
                ElementsAre(Shown{Kind::SaveFile, "Save As"},
                            Shown{Kind::Error, nowhere + ".dat could not be saved: No such file or "
                                                         "directory"}));
    EXPECT_EQ(view.Caption, path);
    dialogs.Forget();

    // A write that fails halfway (here on a category tree that cannot be written) leaves the
    // file as it was and no temporary file behind, and an unnamed database is not named after
    // a file that was never written.
    view.RecordName.text = "Changed";
    workspace.database.DatabaseInfo.DatabaseName.clear();
    workspace.database.DescriptionTrees[4] = "Top\r\n\t\tNested too deep\r\n";
    EXPECT_FALSE(view.Save1Click());
    EXPECT_EQ(workspace.database.DatabaseInfo.DatabaseName, "");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].kind, Kind::Error);
    EXPECT_TRUE(dialogs.Messages[0].text.starts_with(path + " could not be saved: "));
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"staff.dat"});
    workspace.database.DescriptionTrees[4].clear();
    dialogs.Forget();

    // The file has become a folder: nothing replaces it.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    WriteFileBytes(path + "/kept.txt", "kept");
    workspace.QuickSave();
    EXPECT_THAT(dialogs.Messages,
                ElementsAre(Shown{Kind::Error, path + " could not be saved: Is a directory"}));
    EXPECT_EQ(ReadFileBytes(path + "/kept.txt"), "kept");
}

TEST_F(DatabaseCommandsTest, NewOffersToSaveFirst)
{
    HeaderLayout header;
    header.Information[0] = "Staff";
    header.Captions[10] = "Road";
    const std::string path = MakeFile("staff.dat", {"Ann Lee", "Bob Ray"}, header);
    OpenQuietly(path);

    dialogs.AnswerCancel();
    view.New1Click();
    EXPECT_THAT(dialogs.Messages, ElementsAre(Shown{Kind::YesNoCancel, NewQuestion}));
    EXPECT_THAT(session.Names(), ElementsAre("Ann Lee", "Bob Ray"));
    dialogs.Forget();

    // Yes saves what was typed, then starts afresh.
    view.RecordName.text = "Ann Saved";
    dialogs.AnswerYes();
    view.New1Click();
    EXPECT_THAT(dialogs.Messages, ElementsAre(Shown{Kind::YesNoCancel, NewQuestion},
                                              Shown{Kind::Information, "File Saved"}));
    EXPECT_TRUE(Holds(ReadFileBytes(path), S("Ann Saved")));
    EXPECT_THAT(session.Names(), ElementsAre("Untitled 1"));
    EXPECT_EQ(view.Caption, "Untitled");
    EXPECT_EQ(workspace.DatabaseFileName, "");
    EXPECT_EQ(workspace.database.DatabaseInfo, DatabaseRecord{});
    EXPECT_EQ(view.Description.DetailCaptions[0].caption, "Street");
    EXPECT_FALSE(view.Actions.Save.enabled);

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
    dialogs.AnswerYes();
    view.New1Click();
    EXPECT_THAT(dialogs.Texts(), ElementsAre(NewQuestion, NoPermission));
    EXPECT_THAT(session.Names(), ElementsAre("Cid"));
    dialogs.AnswerNo().ChooseFile(folder.File("fresh"));
    view.New1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Untitled 1"));
    EXPECT_TRUE(workspace.CanSave);
    EXPECT_TRUE(view.SaveAs1Click());
    EXPECT_EQ(ReadFileBytes(folder.File("fresh.dat")).substr(0, Unprotected.size()), Unprotected);
}

TEST_F(DatabaseCommandsTest, ClosingAsksUntilTheDatabaseIsSavedOrLetGo)
{
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
}

TEST_F(DatabaseCommandsTest, AFileThatCannotBeOpenedChangesNothing)
{
    const std::string path = MakeFile("staff.dat", {"Ann Lee", "Bob Ray"});
    OpenQuietly(path);
    view.NextTBtnClick();

    const std::string gone = folder.File("gone.dat");
    const std::string directory = folder.File("folder.dat");
    std::filesystem::create_directory(directory);
    const std::string fifo = folder.File("fifo.dat");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string empty = folder.File("empty\x1B.dat");
    WriteFileBytes(empty, "");
    WillOpen(gone).AnswerYes().ChooseFile(directory).AnswerYes().ChooseFile(fifo);
    dialogs.AnswerYes().ChooseFile(empty);
    for (int i = 0; i < 4; ++i) {
        view.Open1Click();
    }
    EXPECT_THAT(dialogs.Texts(),
                ElementsAre(OpenQuestion, "Open File",
                            gone + " could not be opened: No such file or directory", OpenQuestion,
                            "Open File", directory + " is not a regular file.", OpenQuestion,
                            "Open File", fifo + " is not a regular file.", OpenQuestion,
                            "Open File", folder.File("empty\\x1B.dat") + " is empty."));
    EXPECT_THAT(session.Names(), ElementsAre("Ann Lee", "Bob Ray"));
    EXPECT_EQ(view.Caption, path);
    EXPECT_EQ(view.RecordName.text, "Bob Ray");
    EXPECT_TRUE(view.Actions.Save.enabled);
    dialogs.Forget();

    // A file that opens but is not a database, or one that ends in the middle of a record,
    // gives way to a new database with none of its records.
    HeaderLayout other;
    other.Identification = "Quillmark ";
    const std::string foreign = MakeFile("other.dat", {"Zed"}, other);
    const std::string whole = ReadFileBytes(path);
    const std::string cut = folder.File("cut.dat");
    WriteFileBytes(cut, whole.substr(0, whole.size() - 10));
    for (const std::string& damaged : {foreign, cut}) {
        OpenQuietly(path);
        WillOpen(damaged);
        view.Open1Click();
        EXPECT_THAT(
            dialogs.Messages,
            ElementsAre(Shown{Kind::YesNo, OpenQuestion}, Shown{Kind::OpenFile, "Open File"},
                        Shown{Kind::Error, damaged + " is not a valid Quillmark file.  A "
                                                     "new database will be created."}));
        EXPECT_THAT(session.Names(), ElementsAre("Untitled 1"));
        EXPECT_EQ(view.Caption, "Untitled");
        EXPECT_FALSE(view.Actions.Save.enabled);
        dialogs.Forget();
    }
}

TEST_F(DatabaseCommandsTest, MergingAppendsTheRecordsAndTakesTheOtherHeader)
{
    const std::string a = MakeFile("a.dat", {"Ann", "Bob"});
    OpenQuietly(a);
    view.RecordName.text = "Ann Typed";

    HeaderLayout second;
    second.Information[0] = "B people";
    second.Captions[20] = "Hired";  // the first of the other captions
    second.SkillNames[4] = "Welding";
    MakeFile("b.dat", {"Cid", "Dee"}, second);

    dialogs.ChooseFile(folder.File("b.dat"));
    view.Merge1Click();
    EXPECT_THAT(dialogs.Messages, ElementsAre(Shown{Kind::OpenFile, "Merge with File"},
                                              Shown{Kind::Information, "Merge Sucessful !"}));
    EXPECT_THAT(session.Names(), ElementsAre("Ann Typed", "Bob", "Cid", "Dee"));
    EXPECT_EQ(view.Caption, a);
    EXPECT_EQ(view.RecordName.text, "Ann Typed");
    EXPECT_EQ(view.Description.OtherCaptions[1].caption, "Hired");
    EXPECT_EQ(view.Skills.ItemList[4].caption, "Welding");
    dialogs.Forget();

    // Saving at the close writes everything to the file that was open.
    view.RecordName.text = "Ann Saved";
    dialogs.AnswerYes();
    view.Close1Click();
    EXPECT_THAT(dialogs.Messages, ElementsAre(Shown{Kind::YesNoCancel, CloseQuestion},
                                              Shown{Kind::Information, "File Saved"}));
    EXPECT_EQ(shell.ExitRequests, 1);
    const std::string saved = ReadFileBytes(a);
    EXPECT_TRUE(Holds(saved, S("Ann Saved")));
    EXPECT_TRUE(Holds(saved, S("Dee")));
    EXPECT_TRUE(Holds(saved, S("B people")));
}

TEST_F(DatabaseCommandsTest, DataAfterTheLastRecordIsAnnouncedWhenOpeningAndMerging)
{
    // A count one lower than the records present: one record would be lost without a word.
    const std::string path = folder.File("short.dat");
    RecordLayout ann;
    ann.RecordName = "Ann";
    RecordLayout bob;
    bob.RecordName = "Bob";
    WriteFileBytes(path, HeaderLayout().Bytes(1) + ann.Bytes() + bob.Bytes());
    const std::string warning = path +
                                " holds data after its last record that Quillmark cannot read. "
                                "Saving the database will not keep it.";
    WillOpen(path);
    view.Open1Click();
    EXPECT_THAT(
        dialogs.Messages,
        ElementsAre(Shown{Kind::YesNo, OpenQuestion}, Shown{Kind::OpenFile, "Open File"},
                    Shown{Kind::Information, path + " opened."}, Shown{Kind::Error, warning}));
    EXPECT_THAT(session.Names(), ElementsAre("Ann"));
    dialogs.Forget();

    dialogs.ChooseFile(path);
    view.Merge1Click();
    EXPECT_THAT(dialogs.Messages, ElementsAre(Shown{Kind::OpenFile, "Merge with File"},
                                              Shown{Kind::Information, "Merge Sucessful !"},
                                              Shown{Kind::Error, warning}));
    EXPECT_THAT(session.Names(), ElementsAre("Ann", "Ann"));
}

TEST_F(DatabaseCommandsTest, IncompatibleOrDamagedMergeFiles)
{
    const std::string a = MakeFile("a.dat", {"Ann"});
    OpenQuietly(a);

    HeaderLayout password;
    password.SavePassword = Secret;
    dialogs.ChooseFile(MakeFile("locked.dat", {"Cid"}, password));
    view.Merge1Click();
    EXPECT_THAT(dialogs.Messages, ElementsAre(Shown{Kind::OpenFile, "Merge with File"},
                                              Shown{Kind::Information, Incompatible}));
    EXPECT_THAT(session.Names(), ElementsAre("Ann"));
    EXPECT_EQ(workspace.database.SavePassword, "");
    dialogs.Forget();

    // No file chosen: nothing happens, and the next Open is an ordinary one.
    dialogs.CancelFileDialog();
    view.Merge1Click();
    EXPECT_THAT(session.Names(), ElementsAre("Ann"));
    OpenQuietly(MakeFile("c.dat", {"Cid"}));
    EXPECT_THAT(session.Names(), ElementsAre("Cid"));
    OpenQuietly(a);

    // A file damaged after its header adds the records read before the damage.
    HeaderLayout header;
    header.Information[0] = "B people";
    RecordLayout cid, dee, eve;
    cid.RecordName = "Cid";
    dee.RecordName = "Dee";
    eve.RecordName = "Eve";
    const std::string b = folder.File("b.dat");
    WriteFileBytes(b, header.Bytes(3) + cid.Bytes() + dee.Bytes() + eve.Bytes().substr(0, 40));
    dialogs.ChooseFile(b);
    view.Merge1Click();
    EXPECT_THAT(dialogs.Messages,
                ElementsAre(Shown{Kind::OpenFile, "Merge with File"},
                            Shown{Kind::Error, b + " is not a valid Quillmark file.  The records "
                                                   "read before the damage have been added."}));
    EXPECT_THAT(session.Names(), ElementsAre("Ann", "Cid", "Dee"));
    EXPECT_EQ(view.Caption, a);
    EXPECT_TRUE(view.Actions.DeleteRecord.enabled);
}

TEST_F(DatabaseCommandsTest, PasswordsAreSetTwiceTypedAndReachTheFileAtTheNextSave)
{
    dialogs.ChooseFile(folder.File("locked"));
    ASSERT_TRUE(view.SaveAs1Click());
    const std::string path = folder.File("locked.dat");
    dialogs.Forget();

    shell.OnSetPassword([&](TSetPasswordForm& form) {
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
    EXPECT_THAT(dialogs.Messages,
                ElementsAre(Shown{Kind::Information, "The read passwords do not match."},
                            Shown{Kind::Information, "The save passwords do not match."}));
    EXPECT_EQ(ReadFileBytes(path).substr(0, Unprotected.size()), Unprotected);

    ASSERT_TRUE(view.Save1Click());
    const std::string protectedHeader = Identified + S(Secret) + S(Abc);
    EXPECT_EQ(ReadFileBytes(path).substr(0, protectedHeader.size()), protectedHeader);
    dialogs.Forget();

    WillOpen(path).Type("secret").Type("abc");
    view.Open1Click();
    EXPECT_THAT(dialogs.Messages,
                ElementsAre(Shown{Kind::YesNo, OpenQuestion}, Shown{Kind::OpenFile, "Open File"},
                            Shown{Kind::Password, "Please Enter Read Password"},
                            Shown{Kind::Password, "Please Enter Save Password"},
                            Shown{Kind::Information, path + " opened."}));
    EXPECT_TRUE(workspace.CanSave);
    dialogs.Forget();

    // Cancel changes nothing; emptied edits remove both passwords.
    shell.OnSetPassword([](TSetPasswordForm& form) {
        form.ReadPassword.text = form.ReadPassword2.text = "other";
        form.CancelBtnClick();
    });
    view.SetDatabasePassword1Click();
    shell.OnSetPassword([](TSetPasswordForm& form) {
        EXPECT_EQ(form.ReadPassword.text, "secret");
        EXPECT_EQ(form.SavePassword2.text, "abc");
        form.ReadPassword.text = form.ReadPassword2.text = "";
        form.SavePassword.text = form.SavePassword2.text = "";
        form.OKBtnClick();
    });
    view.SetDatabasePassword1Click();
    ASSERT_TRUE(view.Save1Click());
    EXPECT_EQ(ReadFileBytes(path).substr(0, Unprotected.size()), Unprotected);
    dialogs.Forget();

    WillOpen(path);
    view.Open1Click();
    EXPECT_THAT(dialogs.Texts(), ElementsAre(OpenQuestion, "Open File", path + " opened."));
}

TEST_F(DatabaseCommandsTest, DatabaseInformationIsEditedInItsDialog)
{
    HeaderLayout header;
    header.Information = {"Staff", "Dana", "1 High St", "York",    "UK",
                          "YO1",   "555",  "556",       "d@x.org", "x.org"};
    header.Notes = {"first"};
    const std::string path = MakeFile("staff.dat", {"Ann"}, header);
    OpenQuietly(path);
    const DatabaseRecord before = workspace.database.DatabaseInfo;

    shell.OnDatabaseInformation([](TDatabaseInformationForm& form) {
        form.Fields[3].text = "Leeds";
        form.CancelBtnClick();
    });
    view.SetDatabaseInformation1Click();
    EXPECT_EQ(workspace.database.DatabaseInfo, before);

    shell.OnDatabaseInformation([](TDatabaseInformationForm& form) {
        form.Fields[1].text = "Eve";
        form.Fields[3].text = "Leeds";
        form.DatabaseNotes.lines = {"one", "two"};
        form.OKBtnClick();
    });
    view.SetDatabaseInformation1Click();
    EXPECT_THAT(shell.DialogsShown, ElementsAre("Database Information", "Database Information"));
    EXPECT_TRUE(dialogs.Messages.empty());

    // The file has the change, and everything left alone, after the next save.
    ASSERT_TRUE(view.Save1Click());
    const std::string expected = Unprotected + S("Staff") + S("Eve") + S("1 High St") + S("Leeds") +
                                 S("UK") + S("YO1") + S("555") + S("556") + S("d@x.org") +
                                 S("x.org") + List({"one", "two"});
    EXPECT_EQ(ReadFileBytes(path).substr(0, expected.size()), expected);
}

}  // namespace
}  // namespace quillmark::test
