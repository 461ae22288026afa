// An encrypted database as the user meets it: the password dialog's check box, saving, opening
// with the right and the wrong password, a changed file refused while the database on show
// stays, merging and the backup copy, and the save password inside.
#include "core/encrypted_file.h"
#include "forms/main/set_password_form.h"
#include "support/test_helpers.h"
#include "support/view_fixture.h"

#include <gmock/gmock.h>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;

class EncryptedDatabaseTest : public ViewTest {
protected:
    // Half a second of key derivation a save is the user's; the tests take the least.
    void SetUp() override
    {
        ViewTest::SetUp();
        workspace.KeyLimits = FastestKeyDerivation();
    }

    // Sets the passwords through the dialog, checking the box.
    void Encrypt(const std::string& readPassword, const std::string& savePassword)
    {
        session.shell.OnDialog([&](TSetPasswordForm& form) {
            EXPECT_FALSE(form.EncryptBox.enabled) << "no read password yet";
            form.ReadPassword.text = form.ReadPassword2.text = readPassword;
            form.ReadPasswordChange();
            EXPECT_TRUE(form.EncryptBox.enabled);
            form.EncryptBox.checked = true;
            form.SavePassword.text = form.SavePassword2.text = savePassword;
            form.OKBtnClick();
        });
        view.SetDatabasePassword1Click();
    }

    TemporaryFolder folder;
};

TEST_F(EncryptedDatabaseTest, SavedEncryptedItOpensOnlyWithItsPasswordAndShowsNoText)
{
    view.RecordName.text = "Ann Lee";
    dialogs.ChooseFile(folder.File("staff.dat"));
    ASSERT_TRUE(view.SaveAs1Click());
    const std::string path = folder.File("staff.dat");
    Encrypt("tulip", "rose");
    ASSERT_TRUE(view.Save1Click());
    dialogs.Forget();
    const std::string bytes = ReadFileBytes(path);
    EXPECT_TRUE(StartsAsEncrypted(bytes));
    EXPECT_EQ(bytes.find("Ann Lee"), std::string::npos);
    EXPECT_EQ(bytes.find("Quillmark"), std::string::npos);
    // The plain file it replaced is backed up encrypted: no plain copy stays beside it.
    EXPECT_TRUE(StartsAsEncrypted(ReadFileBytes(path + ".bak")));
    EXPECT_EQ(ReadFileBytes(path + ".bak").find("Ann Lee"), std::string::npos);
    // Saved again, the backup is the previous encrypted file.
    ASSERT_TRUE(view.Save1Click());
    EXPECT_EQ(ReadFileBytes(path + ".bak"), bytes);
    dialogs.Forget();

    // A wrong password is the program's wrong password; the right one opens it, and the save
    // password inside still decides whether it may be saved.
    OpenDatabase(session, path, {"tulips"});
    EXPECT_THAT(session.Names(), ElementsAre("Untitled 1"));
    dialogs.ChooseFile(path).Type("tulip").Type("lily");
    view.Open1Click();
    EXPECT_EQ(dialogs.Texts().back(), path + " opened.");
    EXPECT_THAT(session.Names(), ElementsAre("Ann Lee"));
    EXPECT_TRUE(workspace.database.Encrypted);
    EXPECT_FALSE(workspace.CanSave);
    dialogs.Forget();

    // The box shows the database as it is; emptying the read password ends the encryption.
    session.shell.OnDialog([](TSetPasswordForm& form) {
        EXPECT_TRUE(form.EncryptBox.checked);
        EXPECT_TRUE(form.Encrypt());
        form.ReadPassword.text = form.ReadPassword2.text = "";
        form.ReadPasswordChange();
        EXPECT_FALSE(form.Encrypt());
        form.CancelBtnClick();
    });
    view.SetDatabasePassword1Click();
    EXPECT_TRUE(workspace.database.Encrypted);
}

TEST_F(EncryptedDatabaseTest, AChangedFileIsRefusedAndTheDatabaseOnShowStays)
{
    view.RecordName.text = "Ann Lee";
    Encrypt("tulip", "");
    dialogs.ChooseFile(folder.File("staff.dat"));
    ASSERT_TRUE(view.SaveAs1Click());
    const std::string path = folder.File("staff.dat");
    const std::string whole = ReadFileBytes(path);
    dialogs.Forget();

    // Merged into itself: both encrypted with the same passwords.
    dialogs.ChooseFile(path);
    view.Merge1Click();
    EXPECT_EQ(dialogs.Texts().back(), "Merge Sucessful !");
    EXPECT_THAT(session.Names(), ElementsAre("Ann Lee", "Ann Lee"));
    dialogs.Forget();

    // Where a change is found is the encrypted file's concern; one is enough here.
    std::string changed = whole;
    changed[whole.size() / 2] ^= 1;
    WriteFileBytes(path, changed);
    dialogs.AnswerYes().ChooseFile(path).Type("tulip");
    view.Open1Click();
    ASSERT_FALSE(dialogs.Texts().empty());
    EXPECT_THAT(dialogs.Texts().back(),
                ::testing::StartsWith(path + " is damaged and was not opened: "));
    EXPECT_THAT(session.Names(), ElementsAre("Ann Lee", "Ann Lee"));
    dialogs.Forget();
    dialogs.ChooseFile(path);
    view.Merge1Click();
    EXPECT_THAT(dialogs.Texts().back(),
                ::testing::StartsWith(path + " is damaged and was not opened: "));
    EXPECT_THAT(session.Names(), ElementsAre("Ann Lee", "Ann Lee"));
}

TEST_F(EncryptedDatabaseTest, SaveAsChoosesTheFileTypeAndTheChoiceIsUndone)
{
    view.RecordName.text = "Ann Lee";
    const std::string path = folder.File("staff.dat");
    // Without a read password there is no key: the user is told and chooses again.
    dialogs.ChooseFile(path, 1).ChooseFile(path, 0);
    ASSERT_TRUE(view.SaveAs1Click());
    EXPECT_FALSE(StartsAsEncrypted(ReadFileBytes(path)));
    ASSERT_EQ(dialogs.Texts().size(), 4U);
    EXPECT_THAT(dialogs.Texts()[1], ::testing::StartsWith("An encrypted database is locked"));
    session.shell.OnDialog([](TSetPasswordForm& form) {
        form.ReadPassword.text = form.ReadPassword2.text = "tulip";
        form.ReadPasswordChange();
        form.OKBtnClick();
    });
    view.SetDatabasePassword1Click();
    ASSERT_FALSE(workspace.database.Encrypted);
    dialogs.ChooseFile(path, 1).AnswerYes();
    ASSERT_TRUE(view.SaveAs1Click());
    EXPECT_TRUE(StartsAsEncrypted(ReadFileBytes(path)));
    EXPECT_TRUE(workspace.database.Encrypted);
    EXPECT_FALSE(workspace.History.Changed()) << "the new type is what was saved";
    // The dialog then starts at the type the database has.
    dialogs.ChooseFile(path).AnswerYes();
    ASSERT_TRUE(view.SaveAs1Click());
    EXPECT_EQ(dialogs.FileDialogsShown.back().filterIndex, 1);
    EXPECT_TRUE(StartsAsEncrypted(ReadFileBytes(path)));
    // A plain copy that cannot be written leaves the database encrypted.
    dialogs.ChooseFile(folder.File("gone/staff.dat"), 0);
    EXPECT_FALSE(view.SaveAs1Click());
    EXPECT_TRUE(workspace.database.Encrypted);
    workspace.Undo();
    EXPECT_FALSE(workspace.database.Encrypted);
    EXPECT_TRUE(workspace.History.Changed());
    ASSERT_TRUE(view.Save1Click());
    EXPECT_FALSE(StartsAsEncrypted(ReadFileBytes(path)));
}

}  // namespace
}  // namespace quillmark::test
