// "Quick Export" of the File menu: the file name, the replace question and what is reported.

#include "support/test_helpers.h"
#include "support/view_fixture.h"

#include <gmock/gmock.h>

#include <filesystem>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using Kind = ScriptedDialogs::Kind;
using Shown = ScriptedDialogs::Shown;

class QuickExportTest : public ViewTest {
protected:
    TemporaryFolder folder;
};

TEST_F(QuickExportTest, AsksForAFileAndForLeaveToReplaceOne)
{
    dialogs.CancelFileDialog();
    view.QuickExport1Click();
    EXPECT_THAT(dialogs.Messages, ElementsAre(Shown{Kind::SaveFile, "Quick Export"}))
        << "no file, no message";
    EXPECT_EQ(dialogs.FileDialogsShown.at(0).filter,
              "Comma Delimited Text File, UTF-8|*.txt|"
              "Comma Delimited Text File, Windows-1252|*.txt");
    dialogs.Forget();

    // What is typed into the record on show is exported with it.
    view.RecordName.text = "Ann Smith";
    const std::string path = folder.File("staff.txt");
    dialogs.ChooseFile(folder.File("staff"));
    view.QuickExport1Click();
    EXPECT_THAT(dialogs.Texts(), ElementsAre("Quick Export", "Export Successful."));
    const std::string line = ReadFileBytes(path);
    EXPECT_EQ(line.substr(0, 10), "Ann Smith,");
    EXPECT_EQ(line.substr(line.size() - 7), ",5,\"\"\r\n");
    dialogs.Forget();
    WriteFileBytes(path, "kept");
    dialogs.ChooseFile(path).AnswerNo();
    view.QuickExport1Click();
    EXPECT_THAT(dialogs.Messages,
                ElementsAre(Shown{Kind::SaveFile, "Quick Export"},
                            Shown{Kind::YesNo, path + " already exists.  Would you like to "
                                                      "replace it ?"},
                            Shown{Kind::Information, "Export Aborted."}));
    EXPECT_EQ(ReadFileBytes(path), "kept");
    dialogs.Forget();
    dialogs.ChooseFile(path).AnswerYes();
    view.QuickExport1Click();
    EXPECT_EQ(dialogs.Texts().back(), "Export Successful.");
    EXPECT_EQ(ReadFileBytes(path), line);
    dialogs.Forget();

    // A file that cannot be made is named, and nothing is called successful.
    const std::string nowhere = folder.File("no such folder/staff.txt");
    dialogs.ChooseFile(nowhere);
    view.QuickExport1Click();
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[1].kind, Kind::Error);
    EXPECT_EQ(dialogs.Messages[1].text.rfind("Cannot create file " + nowhere + ": ", 0), 0u)
        << dialogs.Messages[1].text;
    EXPECT_FALSE(std::filesystem::exists(nowhere));
}

// UTF-8 until the user picks the other filter; the dialog starts at the one picked last.
TEST(QuickExportEncoding, IsTheOneLastChosen)
{
    TemporaryFolder folder;
    Session session(20240315, folder.File("Quillmark.ini"));
    session.Start();
    session.view.RecordName.text = "Tom\xE1s";
    ScriptedDialogs& dialogs = session.dialogs;
    dialogs.ChooseFile(folder.File("a.txt"))
        .ChooseFile(folder.File("b.txt"), 1)
        .ChooseFile(folder.File("c.txt"));
    for (int run = 0; run < 3; ++run) {
        session.view.QuickExport1Click();
    }
    EXPECT_EQ(ReadFileBytes(folder.File("a.txt")).substr(0, 7), "Tom\xC3\xA1s,");
    EXPECT_EQ(ReadFileBytes(folder.File("b.txt")).substr(0, 6), "Tom\xE1s,");
    EXPECT_EQ(ReadFileBytes(folder.File("c.txt")).substr(0, 6), "Tom\xE1s,");
    ASSERT_EQ(dialogs.FileDialogsShown.size(), 3u);
    EXPECT_EQ(dialogs.FileDialogsShown[0].filterIndex, 0);
    EXPECT_EQ(dialogs.FileDialogsShown[2].filterIndex, 1);
    ExpectScriptPlayedOut(session);
}

}  // namespace
}  // namespace quillmark::test
