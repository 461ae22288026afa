// Pictures and the resume file: choosing, showing and clearing them in the main window, and
// moving every record's files to another folder.

#include "support/test_helpers.h"
#include "engine/pictures/bitmap.h"
#include "support/picture_files.h"
#include "support/view_fixture.h"

#include <gmock/gmock.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillmark::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Kind = ScriptedDialogs::Kind;
using Shown = ScriptedDialogs::Shown;

class PicturePageTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        view.RecordBookChange(TView::PictureTab);
    }
    std::string Write(const std::string& name, const std::string& bytes = TinyBmp())
    {
        const std::string path = folder.File(name);
        WriteFileBytes(path, bytes);
        return path;
    }
    void SelectPicture(const std::string& path)
    {
        dialogs.ChooseFile(path);
        view.SelectPictureClick();
    }
    const Bitmap* Displayed() const { return page.RecordImage.picture.get(); }
    std::string StatusDisplayed() const { return page.PicStatVisible ? page.PicStat.caption : ""; }

    PicturePage& page = view.Picture;
    TemporaryFolder folder;
};

TEST_F(PicturePageTest, ChosenPicturesAreShownAndStoredWithTheirTab)
{
    EXPECT_EQ(StatusDisplayed(), "No Image File Selected");
    view.ImageBookChange(2);
    // The system spells "Renée.bmp" in UTF-8; the record keeps it in Windows-1252.
    const std::string systemName = Write("Ren\303\251e.bmp");
    SelectPicture(systemName);
    EXPECT_EQ(dialogs.FileDialogsShown.back().filter,
              "Windows Bitmap|*.bmp|JPEG Bitmat|*.jpg|PCX Bitmap|*.pcx|GIF Bitmap|*.gif");
    EXPECT_NE(Displayed(), nullptr);
    EXPECT_EQ(StatusDisplayed(), "");
    EXPECT_EQ(session.Record(0).Images[2].ImageFile, folder.File("Ren\351e.bmp"));
    EXPECT_EQ(session.Record(0).Images[1].ImageFile, "");

    // Cancelling the chooser, which opened at the file as the system names it, keeps it.
    dialogs.CancelFileDialog();
    view.SelectPictureClick();
    EXPECT_EQ(dialogs.FileDialogsShown.back().initialFile, systemName);
    EXPECT_EQ(session.Record(0).Images[2].ImageFile, folder.File("Ren\351e.bmp"));

    // A name with no Windows-1252 form stays as the system spells it, and is found.
    const std::string greek = Write("\316\251.bmp");
    SelectPicture(greek);
    EXPECT_EQ(session.Record(0).Images[2].ImageFile, greek);
    EXPECT_EQ(StatusDisplayed(), "");
}

TEST_F(PicturePageTest, FilesThatCannotBeShown)
{
    // GIF and PCX files go to the picture library, capitals or not.
    for (const auto& [name, bytes] :
         {std::pair("BOB.GIF", TinyGif()), std::pair("scan.Pcx", TinyPcx())}) {
        SelectPicture(Write(name, bytes));
        EXPECT_NE(Displayed(), nullptr) << name;
    }

    // Whatever cannot be shown says so in its own tab, however the previous tab's picture
    // was shown; the record keeps the path.
    view.ImageBookChange(3);
    SelectPicture(Write("ann.bmp"));
    const std::vector<std::pair<std::string, std::optional<std::string>>> unshowable = {
        {"gone.jpg", std::nullopt},  // missing
        {"fake.jpg", "a text file, not a picture"},
        {"damaged.bmp", TinyBmp().substr(0, 50)},
        {"drawing.wmf", "not read at all"},
        {"missing.GIF", std::nullopt},
        {"fake.pcx", "no picture either"},
    };
    for (const auto& [name, bytes] : unshowable) {
        view.ImageBookChange(3);
        ASSERT_NE(Displayed(), nullptr);
        view.ImageBookChange(4);
        SelectPicture(bytes ? Write(name, *bytes) : folder.File(name));
        EXPECT_FALSE(page.RecordImage.visible) << name;
        EXPECT_EQ(Displayed(), nullptr) << name;
        EXPECT_EQ(StatusDisplayed(), "Image File is Not Valid") << name;
        EXPECT_EQ(session.Record(0).Images[4].ImageFile, folder.File(name));
    }
    EXPECT_THAT(dialogs.Texts(), ::testing::Each(std::string("Open")));
}

TEST_F(PicturePageTest, ClearReadOnlyAndAutoSize)
{
    view.ImageBookChange(3);
    page.ImageTitle.text = "Front door";
    view.ImageTitleChange();
    SelectPicture(Write("door.bmp"));
    view.ClearPictureClick();
    EXPECT_FALSE(page.RecordImage.visible);
    EXPECT_EQ(StatusDisplayed(), "No Image File Selected");
    EXPECT_EQ(session.Record(0).Images[3].ImageFile, "");
    EXPECT_EQ(session.Record(0).Images[3].ImageTitle, "Front door");

    view.ReadonlyBox.checked = true;
    view.ReadonlyBoxClick();
    EXPECT_FALSE(page.SelectPictureBtn.enabled);
    EXPECT_FALSE(page.ClearPictureBtn.enabled);
    EXPECT_TRUE(page.ImageTitle.readOnly);

    // Stretching belongs to the window and stays from record to record.
    page.AutoSizeImage.checked = true;
    view.AutosizeClick();
    view.NewRecord1Click();
    EXPECT_TRUE(page.SelectPictureBtn.enabled);
    EXPECT_TRUE(page.RecordImage.stretch);
}

TEST_F(PicturePageTest, ResumeFileIsChosenAndOpened)
{
    view.ViewResumeBtnClick();
    EXPECT_THAT(dialogs.Messages,
                ElementsAre(Shown{Kind::Information, "No resume file is selected."}));

    // The box shows the record's spelling of the name (Windows-1252); the system's (UTF-8)
    // opens it.
    dialogs.ChooseFile("/home/ren\303\251e/cv.doc");
    view.SelectResumeBtnClick();
    EXPECT_EQ(dialogs.FileDialogsShown.back().filter, "All Files|*.*|Word Files|*.doc");
    dialogs.CancelFileDialog();
    view.SelectResumeBtnClick();
    EXPECT_THAT(view.Notes.ResumeFile.lines, ElementsAre("/home/ren\351e/cv.doc"));
    view.ViewResumeBtnClick();
    EXPECT_THAT(session.shell.DocumentsOpened, ElementsAre("/home/ren\303\251e/cv.doc"));

    // The record takes the box's line when the window is stored.
    EXPECT_THAT(session.Record(0).ResumeFile, IsEmpty());
    Leave();
    EXPECT_THAT(session.Record(0).ResumeFile, ElementsAre("/home/ren\351e/cv.doc"));

    // A read-only record keeps its resume file; it can still be viewed.
    view.ReadonlyBox.checked = true;
    view.ReadonlyBoxClick();
    EXPECT_TRUE(view.Notes.ViewResumeBtn.enabled);
    view.SelectResumeBtnClick();
    EXPECT_EQ(dialogs.FileDialogsShown.size(), 2u);
}

TEST_F(PicturePageTest, PicturesAreDecodedOnlyWhenThePageIsOnShow)
{
    SelectPicture(Write("ann.bmp"));
    view.NewRecord1Click();
    session.Record(1).Images[1].ImageFile = Write("bob.bmp");
    view.RecordBookChange(TView::DescriptionTab);
    view.RecordBookChange(TView::PictureTab);
    const Bitmap* bob = Displayed();
    view.RecordBookChange(TView::SkillsTab);
    view.PreviousTBtnClick();
    EXPECT_EQ(Displayed(), bob);  // Ann's picture waits for the page
    view.RecordBookChange(TView::PictureTab);
    ASSERT_NE(Displayed(), nullptr);
    EXPECT_NE(Displayed(), bob);

    // A record without a picture says so whichever page is on show.
    view.RecordBookChange(TView::SkillsTab);
    view.NextTBtnClick();
    view.NewRecord1Click();
    EXPECT_EQ(StatusDisplayed(), "No Image File Selected");
}

class ChangeFilePathTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        view.NewRecord1Click();
        view.NewRecord1Click();
        ItemRecord& first = session.Record(0);
        first.Images[1].ImageFile = "C:\\Old\\a.jpg";
        first.Images[4].ImageFile = "/home/x/old/b.gif";
        first.ResumeFile = {"C:\\Old\\cv.doc", "second line"};
        session.Record(2).Images[6].ImageFile = "c.pcx";
        GoTo("1");
    }
    std::vector<std::string> PicturesOf(int position)
    {
        std::vector<std::string> files;
        for (int picture = 1; picture <= 6; ++picture) {
            files.push_back(session.Record(position).Images[picture].ImageFile);
        }
        return files;
    }
    void ChangePictureFolder(const std::string& folder)
    {
        dialogs.Forget();
        dialogs.Type(folder).AnswerYes();
        view.ChangePictureFilePath1Click();
    }
};

TEST_F(ChangeFilePathTest, PicturesMoveToTheNewFolder)
{
    // What is on show is stored first.
    view.RecordName.text = "Ann Smith";
    ChangePictureFolder("C:\\New");
    EXPECT_THAT(dialogs.Messages,
                ElementsAre(Shown{Kind::Input, "Please enter new path:"},
                            Shown{Kind::YesNo,
                                  "Picture file path will be changed to C:\\New for all records.  "
                                  "Are you sure you want to continue ?"},
                            Shown{Kind::Information, "Picture file path has been changed."}));
    EXPECT_THAT(PicturesOf(0), ElementsAre("C:\\New\\a.jpg", "", "", "C:\\New\\b.gif", "", ""));
    EXPECT_THAT(PicturesOf(1), ElementsAre("", "", "", "", "", ""));
    EXPECT_EQ(session.Record(0).RecordName, "Ann Smith");
    EXPECT_EQ(view.Picture.PictureFileName, "C:\\New\\a.jpg");

    ChangePictureFolder("C:\\Newer\\");
    EXPECT_THAT(PicturesOf(0), ElementsAre("C:\\Newer\\a.jpg", "", "", "C:\\Newer\\b.gif", "", ""));
    ChangePictureFolder("/srv/pics");
    EXPECT_THAT(PicturesOf(0), ElementsAre("/srv/pics/a.jpg", "", "", "/srv/pics/b.gif", "", ""));
    EXPECT_THAT(PicturesOf(2), ElementsAre("", "", "", "", "", "/srv/pics/c.pcx"));
    EXPECT_THAT(session.Record(0).ResumeFile, ElementsAre("C:\\Old\\cv.doc", "second line"));
}

TEST_F(ChangeFilePathTest, ResumeFilesMoveToTheNewFolder)
{
    dialogs.Type("D:\\Resumes").AnswerYes();
    view.ChangeResumeFilePath1Click();
    EXPECT_THAT(dialogs.Texts(),
                ElementsAre("Please enter new path:",
                            "Resume file path will be changed to D:\\Resumes for all records.  "
                            "Are you sure you want to continue ?",
                            "Resume file path has been changed."));
    EXPECT_THAT(session.Record(0).ResumeFile, ElementsAre("D:\\Resumes\\cv.doc", "second line"));
    EXPECT_THAT(session.Record(1).ResumeFile, IsEmpty());
    EXPECT_THAT(view.Notes.ResumeFile.lines, ElementsAre("D:\\Resumes\\cv.doc", "second line"));
    EXPECT_THAT(PicturesOf(0), ElementsAre("C:\\Old\\a.jpg", "", "", "/home/x/old/b.gif", "", ""));
}

TEST_F(ChangeFilePathTest, NoOrAnEmptyFolderChangesNothing)
{
    const std::vector<std::string> before = PicturesOf(0);
    dialogs.Type("/srv/pics").AnswerNo();
    view.ChangePictureFilePath1Click();
    EXPECT_EQ(PicturesOf(0), before);
    EXPECT_EQ(dialogs.Messages.size(), 2u);

    // After Yes, an empty folder only shows the record again.
    view.RecordName.text = "typed, not stored";
    ChangePictureFolder("");
    EXPECT_EQ(PicturesOf(0), before);
    EXPECT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(view.RecordName.text, "Untitled 1");
    dialogs.Forget();
    dialogs.Type("").AnswerYes();
    view.ChangeResumeFilePath1Click();
    EXPECT_THAT(session.Record(0).ResumeFile, ElementsAre("C:\\Old\\cv.doc", "second line"));
}

}  // namespace
}  // namespace quillmark::test
