// Two people on one database on a real server, each in a program of their own: saving what
// each changed, the questions when both changed the same record, logins that may only read or
// nothing, and a connection lost in the middle of a save.

#include "support/fake_services.h"
#include "support/test_cluster.h"
#include "support/view_fixture.h"

#include "core/database_file.h"
#include "core/password_cipher.h"
#include "forms/main/server_conflict_form.h"
#include "forms/main/server_database_form.h"
#include "server/postgres.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quillmark::test {
namespace {

using ::testing::Contains;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

using Choice = TServerConflictForm::Choice;

// The server's record table in list order, as "name detail1".
std::vector<std::string> OnServer()
{
    const auto connection = ServerConnection::Connect(TestCluster::Get().ConnectionUri());
    const QueryResult rows =
        connection->Run("SELECT name || ' ' || detail_1 FROM record ORDER BY position, id");
    std::vector<std::string> texts;
    for (int row = 0; row < rows.Rows(); ++row) {
        texts.emplace_back(rows.Text(row, 0));
    }
    return texts;
}

// The dialog of Open From Server or Save To Server filled in as a user does, the databases
// listed first.
void FillServerDialog(Session& run, const std::string& login, const std::string& name)
{
    run.shell.OnDialog([login, name](TServerDatabaseForm& form) {
        form.Host.text = TestCluster::Get().Folder();
        form.Port.text.clear();
        form.ServerDatabase.text = "quillmark_test";
        form.User.text = login;
        form.ListBtnClick();
        form.DatabaseName.text = name;
        form.OKBtnClick();
    });
}

void OpenFromServer(Session& run, const std::string& login = "quillmark")
{
    FillServerDialog(run, login, "Staff");
    run.view.OpenFromServer1Click();
}

// The answer to the next conflict; its question goes to `asked`.
void Answer(Session& run, Choice choice, std::vector<std::string>& asked)
{
    run.shell.OnDialog([choice, &asked](TServerConflictForm& form) {
        asked.push_back(form.Message.caption);
        if (choice == Choice::KeepTheirs) {
            form.KeepTheirsBtnClick();
        } else if (choice == Choice::KeepMine) {
            form.KeepMineBtnClick();
        } else {
            form.CancelBtnClick();
        }
    });
}

// The messages of a save, without "File Saved".
std::vector<std::string> Save(Session& run)
{
    run.dialogs.Forget();
    run.view.Save1Click();
    std::vector<std::string> texts = run.dialogs.BoxTexts();
    std::erase(texts, "File Saved");
    return texts;
}

class SharedDatabaseTest : public ::testing::Test {
protected:
    // Ann makes a database of five records and saves it to a server that has no Quillmark
    // tables yet; Bob opens it.
    void SetUp() override
    {
        cluster.DropTables();
        ann.Start();
        bob.Start();
        ItemRecordList& records = ann.workspace.RecordList();
        records.clear();
        for (const char* name : {"Ann Lee", "Bob Ray", "Cy Dee", "Di Fox", "Ed Gil"}) {
            records.push_back(std::make_shared<ItemRecord>());
            records.back()->RecordName = name;
            records.back()->Detail[0] = "1";
        }
        ann.view.GetRecord(0);
        FillServerDialog(ann, "quillmark", "Staff");
        EXPECT_TRUE(ann.view.SaveToServer1Click());
        EXPECT_EQ(ann.dialogs.BoxTexts().back(), "Saved to the server as \"Staff\"");
        OpenFromServer(bob);
        EXPECT_EQ(bob.Names(), ann.Names());
        ann.dialogs.Forget();
        bob.dialogs.Forget();
    }
    void TearDown() override
    {
        ExpectScriptPlayedOut(ann);
        ExpectScriptPlayedOut(bob);
    }

    TestCluster& cluster = TestCluster::Get();
    std::vector<std::string> asked;  // the conflict questions, in order
    Session ann{1};
    Session bob{2};
};

TEST_F(SharedDatabaseTest, EachSavesWhatTheyChangedAndSeesWhatTheOtherDid)
{
    ann.Record(1).Detail[0] = "ann";
    bob.Record(2).Detail[0] = "bob";
    bob.workspace.RecordList().erase(bob.workspace.RecordList().begin() + 4);
    bob.workspace.RecordList().push_back(std::make_shared<ItemRecord>());
    bob.workspace.RecordList().back()->RecordName = "Fay Hu";
    EXPECT_THAT(Save(ann), ElementsAre());
    EXPECT_THAT(Save(bob), ElementsAre("1 record changed by another user was brought up to date."));
    EXPECT_THAT(Save(ann),
                ElementsAre("3 records changed by other users were brought up to date."));
    const std::vector<std::string> expected = {"Ann Lee 1", "Bob Ray ann", "Cy Dee bob", "Di Fox 1",
                                               "Fay Hu "};
    EXPECT_EQ(OnServer(), expected);
    EXPECT_EQ(ann.Names(), bob.Names());
    EXPECT_EQ(ann.Record(2).Detail[0], "bob");
    EXPECT_FALSE(ann.workspace.History.Changed());

    // Recent Files keeps the address, without a password, and opens it again.
    const RecentFiles::Entry& recent = ann.view.Recent.Entries.front();
    EXPECT_EQ(recent.caption, "Staff");
    EXPECT_THAT(recent.hint, AllOf(StartsWith("postgresql://quillmark@/quillmark_test?host=%2F"),
                                   EndsWith("&quillmark=Staff")));
    EXPECT_TRUE(recent.enabled);
    ann.view.RecentFileClick(0);
    EXPECT_THAT(ann.dialogs.BoxTexts(), Contains(recent.hint + " opened."));
    EXPECT_EQ(ann.Names(), bob.Names());
}

TEST_F(SharedDatabaseTest, BothChangedOneRecord)
{
    const std::string question =
        "Cy Dee was changed by another user since you opened the database.";
    auto bothChange = [this](const std::string& annText, const std::string& bobText) {
        ann.Record(2).Detail[0] = annText;
        bob.Record(2).Detail[0] = bobText;
        Save(bob);
    };
    // Cancel: nothing is written, and Ann keeps what she typed.
    bothChange("ann", "bob");
    Answer(ann, Choice::Cancel, asked);
    EXPECT_FALSE(ann.view.Save1Click());
    EXPECT_EQ(ann.Record(2).Detail[0], "ann");
    EXPECT_EQ(OnServer()[2], "Cy Dee bob");
    // Keep theirs: Ann's record is Bob's, and the rest of Ann's changes are saved.
    ann.Record(3).Detail[0] = "also ann";
    Answer(ann, Choice::KeepTheirs, asked);
    EXPECT_THAT(Save(ann), ElementsAre());
    EXPECT_EQ(ann.Record(2).Detail[0], "bob");
    EXPECT_EQ(OnServer()[3], "Di Fox also ann");
    // Keep mine: Ann's is written over Bob's, and Bob gets it at his next save.
    bothChange("ann again", "bob again");
    Answer(ann, Choice::KeepMine, asked);
    EXPECT_THAT(Save(ann), ElementsAre());
    EXPECT_EQ(OnServer()[2], "Cy Dee ann again");
    EXPECT_THAT(Save(bob), ElementsAre("1 record changed by another user was brought up to date."));
    EXPECT_EQ(bob.Record(2).Detail[0], "ann again");
    EXPECT_THAT(asked, ElementsAre(question, question, question));
}

TEST_F(SharedDatabaseTest, BothChangedTheSettings)
{
    const std::string question =
        "The database's captions or settings were changed by another user since you opened "
        "the database.";
    auto bothChange = [this](const std::string& annCaption, const std::string& bobCaption) {
        ann.workspace.database.DetailCaptions[1] = annCaption;
        bob.workspace.database.DetailCaptions[1] = bobCaption;
        Save(bob);
    };
    // Cancel: nothing is written, and Ann keeps her caption.
    bothChange("Ann's", "Bob's");
    ann.Record(3).Detail[0] = "ann";
    Answer(ann, Choice::Cancel, asked);
    EXPECT_FALSE(ann.view.Save1Click());
    EXPECT_EQ(ann.workspace.database.DetailCaptions[1], "Ann's");
    EXPECT_EQ(OnServer()[3], "Di Fox 1");
    // Keep theirs: Bob's caption, and Ann's record saved.
    Answer(ann, Choice::KeepTheirs, asked);
    EXPECT_THAT(Save(ann), ElementsAre());
    EXPECT_EQ(ann.workspace.database.DetailCaptions[1], "Bob's");
    EXPECT_EQ(OnServer()[3], "Di Fox ann");
    // Keep mine: Ann's is written over Bob's, and Bob gets it at his next save.
    bothChange("Ann's again", "Bob's again");
    Answer(ann, Choice::KeepMine, asked);
    EXPECT_THAT(Save(ann), ElementsAre());
    EXPECT_THAT(Save(bob), ElementsAre());
    EXPECT_EQ(bob.workspace.database.DetailCaptions[1], "Ann's again");
    // The same change made by both asks nothing.
    bothChange("Same", "Same");
    EXPECT_THAT(Save(ann), ElementsAre());
    EXPECT_THAT(asked, ElementsAre(question, question, question));
}

TEST_F(SharedDatabaseTest, ARecordDeletedWhileTheOtherChangedIt)
{
    const std::string question =
        "Cy Dee was deleted by another user since you opened the database.  You changed it "
        "meanwhile.";
    ann.Record(2).Detail[0] = "ann";
    bob.workspace.RecordList().erase(bob.workspace.RecordList().begin() + 2);
    EXPECT_THAT(Save(bob), ElementsAre());
    // Keep mine: the record is saved again, as a new one.
    Answer(ann, Choice::KeepMine, asked);
    EXPECT_THAT(Save(ann), ElementsAre());
    EXPECT_THAT(OnServer(), Contains("Cy Dee ann"));
    // Keep theirs: the record goes here too.
    bob.view.Save1Click();
    bob.Record(2).Detail[0] = "bob";  // Cy Dee is back for Bob
    ann.workspace.RecordList().erase(ann.workspace.RecordList().begin() + 2);
    EXPECT_THAT(Save(ann), ElementsAre());
    Answer(bob, Choice::KeepTheirs, asked);
    EXPECT_THAT(Save(bob), ElementsAre());
    EXPECT_EQ(bob.Names(), ann.Names());
    EXPECT_THAT(OnServer(), ::testing::Not(Contains(HasSubstr("Cy Dee"))));
    EXPECT_THAT(asked, ElementsAre(question, question));
}

TEST_F(SharedDatabaseTest, ALoginThatMayOnlyReadOrNothing)
{
    cluster.Sql(
        "CREATE ROLE reader LOGIN; GRANT SELECT ON ALL TABLES IN SCHEMA public TO reader;"
        "CREATE ROLE stranger LOGIN;");
    Session carol{3};
    carol.Start();
    OpenFromServer(carol, "reader");
    EXPECT_THAT(carol.dialogs.BoxTexts(),
                Contains("Your login may only read this database on the server.  You will be "
                         "able to view the database, but you will not be able to save it."));
    EXPECT_EQ(carol.Names(), ann.Names());
    EXPECT_FALSE(carol.workspace.CanSave);
    carol.dialogs.Forget();
    EXPECT_FALSE(carol.view.Save1Click());
    EXPECT_THAT(carol.dialogs.BoxTexts(),
                ElementsAre("Sorry, you do not have permission to save this file."));

    Session dave{4};
    dave.Start();
    dave.shell.OnDialog([](TServerDatabaseForm& form) {
        form.Host.text = TestCluster::Get().Folder();
        form.ServerDatabase.text = "quillmark_test";
        form.User.text = "stranger";
        form.ListBtnClick();
        EXPECT_TRUE(form.DatabaseName.items.empty());
        form.CancelBtnClick();
    });
    dave.view.OpenFromServer1Click();
    EXPECT_THAT(dave.dialogs.BoxTexts(),
                ElementsAre("The login \"stranger\" has no rights to the Quillmark databases on "
                            "this server."));
    cluster.Sql("DROP OWNED BY reader; DROP ROLE reader; DROP ROLE stranger;");
}

// The database's own passwords are asked as a file's are, with the cursor not busy meanwhile
// (the scripted dialogs report a box shown during long work).
TEST_F(SharedDatabaseTest, ThePasswordsOfADatabaseOnTheServer)
{
    ann.workspace.database.ReadPassword = EncipherPassword("open");
    ann.workspace.database.SavePassword = EncipherPassword("save");
    EXPECT_THAT(Save(ann), ElementsAre());
    Session carol{3};
    carol.Start();
    carol.dialogs.Type("open").Type("guess");
    OpenFromServer(carol);
    EXPECT_EQ(carol.Names(), ann.Names());
    EXPECT_FALSE(carol.workspace.CanSave);
    EXPECT_THAT(carol.dialogs.BoxTexts(),
                ElementsAre("Please Enter Read Password", "Please Enter Save Password",
                            "You have entered an incorrect save password.  You will be able to "
                            "view the database, but you will not be able to save it.",
                            EndsWith(" opened.")));
    EXPECT_THAT(carol.shell.BusyTexts, Each(StartsWith("Opening ")));
    EXPECT_EQ(carol.shell.Busy, 0);
    ExpectScriptPlayedOut(carol);
}

TEST_F(SharedDatabaseTest, AConnectionLostWhileSavingLeavesTheServerAsItWas)
{
    ann.Record(1).Detail[0] = "ann";
    ann.workspace.RecordList().pop_back();
    ann.workspace.Server->BeforeCommit = [this] {
        cluster.Sql("SELECT pg_terminate_backend(" +
                    std::to_string(ann.workspace.Server->Connection().BackendProcess()) + ")");
    };
    const std::vector<std::string> before = OnServer();
    ASSERT_FALSE(ann.view.Save1Click());
    EXPECT_THAT(ann.dialogs.BoxTexts(),
                ElementsAre(AllOf(StartsWith("The connection to the server was lost while "
                                             "saving: "),
                                  HasSubstr("  Nothing was saved; your changes are still here "
                                            "to save again."))));
    EXPECT_EQ(OnServer(), before);
    EXPECT_EQ(ann.Record(1).Detail[0], "ann");
    EXPECT_EQ(ann.workspace.RecordCount(), 4);
    // Saved again once the server is back within reach.
    ann.workspace.Server->BeforeCommit = nullptr;
    EXPECT_THAT(Save(ann), ElementsAre());
    EXPECT_EQ(OnServer(),
              (std::vector<std::string>{"Ann Lee 1", "Bob Ray ann", "Cy Dee 1", "Di Fox 1"}));
}

}  // namespace
}  // namespace quillmark::test
