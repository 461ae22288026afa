// The record pages of the main window: what they show of a record and what they store back,
// the pictures and the resume file, and moving every record's files to another folder.

#include "engine/pictures/bitmap.h"
#include "forms/form_helpers.h"
#include "support/picture_files.h"
#include "support/test_helpers.h"
#include "support/view_fixture.h"

#include <gmock/gmock.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace quillmark::test {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int Hourly = 1, Daily = 2, Weekly = 3, Monthly = 5, Yearly = 6;
constexpr int Monday = 2, Tuesday = 3, Wednesday = 4;

double At(int hours, int minutes = 0)
{
    return (hours * 60 + minutes) / 1440.0;
}

class RecordPagesTest : public ViewTest {
protected:
    std::vector<std::string> AmountsShown() const
    {
        return Collect(view.Salary.Amounts, &LabelControl::caption);
    }
    std::vector<std::string> FiguresStored()
    {
        const auto& figures = session.Record(0).SalaryFigures;
        return {figures.begin(), figures.end()};
    }
    std::vector<std::string> PicturesOf(int position)
    {
        std::vector<std::string> files;
        for (int picture = 1; picture <= 6; ++picture) {
            files.push_back(session.Record(position).Images[picture].ImageFile);
        }
        return files;
    }
};

TEST_F(RecordPagesTest, SalaryIsWorkedOutAsTheUserTypes)
{
    SalaryPage& salary = view.Salary;
    view.RecordBookChange(TView::SalaryTab);
    view.SalaryTypeClick(Weekly);
    salary.HoursPerWeekEdit.text = "40";
    view.HoursPerWeekEditChange();
    EXPECT_EQ(salary.CalcStatus.caption, "Please enter salary.");
    salary.SalaryEdit.text = "500";
    view.SalaryEditChange();
    // The figures are the calculation's; one of them shows each reaches its label.
    EXPECT_EQ(salary.CalcStatus.caption, "Calculation Successful");
    EXPECT_EQ(AmountsShown()[0], "$12.50 per hour");
    EXPECT_EQ(salary.SalaryLabel.caption, "Weekly Salary");
    EXPECT_EQ(salary.HoursPerDay.caption, "8.00 hours per day");

    // The figures reach the record at once; the typed texts only when the window is stored.
    EXPECT_EQ(FiguresStored()[5], "26000.00");
    EXPECT_EQ(session.Record(0).SalaryAmount, "");
    Leave();
    const ItemRecord& record = session.Record(0);
    EXPECT_EQ(std::tie(record.HoursPerWeek, record.SalaryAmount, record.WorkDaysPerWeek,
                       record.SalaryType),
              std::tuple("40", "500", "5", Weekly));

    // Another period keeps the pay: the box takes the pay for that period.
    view.SalaryTypeClick(Monthly);
    EXPECT_EQ(std::tie(salary.SalaryEdit.text, salary.SalaryLabel.caption),
              std::tuple("2166.67", "Monthly Salary"));

    // A refused figure leaves the record without figures.
    salary.WorkDaysPerWeekEdit.text = "8";
    view.WorkDaysPerWeekEditChange();
    EXPECT_EQ(salary.CalcStatus.caption, "Work Days per week can not be greater then 7.");
    EXPECT_THAT(AmountsShown(), Each(::testing::StartsWith("$0.00 ")));
    EXPECT_EQ(salary.HoursPerDay.caption, "");
    EXPECT_THAT(FiguresStored(), Each(IsEmpty()));

    // With no figure for the new period the box keeps what the user typed.
    view.SalaryTypeClick(Hourly);
    EXPECT_EQ(salary.SalaryEdit.text, "2166.67");
    Leave();
    EXPECT_EQ(record.SalaryAmount, "2166.67");
}

TEST_F(RecordPagesTest, ShowingARecordWorksItsSalaryOutAndNamesItsPeriod)
{
    ItemRecord& record = session.Record(0);
    std::tie(record.SalaryType, record.HoursPerWeek, record.SalaryAmount) =
        std::tuple(Weekly, "40", "500");
    view.GetRecord(0);
    view.RecordBookChange(TView::SalaryTab);
    EXPECT_EQ(view.Salary.SalaryLabel.caption, "Weekly Salary");

    // "Daily" leaves the label as it was. Showing the page works the figures out again from
    // the boxes.
    std::tie(record.SalaryType, record.SalaryAmount) = std::tuple(Daily, "100");
    view.GetRecord(0);
    view.RecordBookChange(TView::SalaryTab);
    EXPECT_EQ(view.Salary.SalaryLabel.caption, "Weekly Salary");
    view.Salary.SalaryEdit.text = "200";
    view.RecordBookChange(TView::DescriptionTab);
    view.RecordBookChange(TView::SalaryTab);
    EXPECT_EQ(view.Salary.Amounts[Weekly].caption, "$1000.00 per week");

    // With the page on show, a record is worked out as it is shown: figures left over from an
    // earlier calculation go when its inputs are refused.
    record.HoursPerWeek = "0";
    view.GetRecord(0);
    EXPECT_EQ(view.Salary.CalcStatus.caption, "Please enter hours per week.");
    EXPECT_THAT(FiguresStored(), Each(IsEmpty()));

    // Any code past Monthly reads as Yearly.
    record.SalaryType = 9;
    view.GetRecord(0);
    EXPECT_TRUE(view.Salary.PeriodButtons[Yearly].checked);
    Leave();
    EXPECT_EQ(record.SalaryType, Yearly);
}

TEST_F(RecordPagesTest, ScheduleIsPackedWhenShownAndStoredBackInOrder)
{
    WeeklySchedule& schedule = session.Record(0).Schedule;
    const auto setSlot = [&](int day, int slot, double start, double end) {
        schedule.SetScheduleStart(day, slot, start);
        schedule.SetScheduleEnd(day, slot, end);
    };
    setSlot(Monday, 1, At(9), At(12));
    setSlot(Monday, 3, At(13), At(17, 30));
    view.GetRecord(0);
    EXPECT_THAT(view.Schedule.Days[Monday].Start, ElementsAre("09:00", "13:00"));
    EXPECT_THAT(view.Schedule.Days[Monday].End, ElementsAre("12:00", "17:30"));
    view.DayClick(Monday);
    EXPECT_EQ(view.Schedule.Day.caption, "Monday");
    Leave();
    EXPECT_DOUBLE_EQ(schedule.ScheduleStart(Monday, 2), At(13));
    EXPECT_DOUBLE_EQ(schedule.ScheduleEnd(Monday, 2), At(17, 30));
    EXPECT_EQ(schedule.ScheduleStart(Monday, 3), 0);

    // The chosen day stays on the bar from record to record.
    view.NewRecord1Click();
    EXPECT_EQ(view.Schedule.Day.caption, "Monday");
    EXPECT_THAT(view.Schedule.TimeBar1.SelectedStart, IsEmpty());
    view.PreviousTBtnClick();

    // Ten slots a day at most: the eleventh is dropped.
    ScheduleDayLists eleven;
    for (int hour = 7; hour <= 17; ++hour) {
        eleven.Start.push_back((hour < 10 ? "0" : "") + std::to_string(hour) + ":00");
        eleven.End.push_back((hour < 10 ? "0" : "") + std::to_string(hour) + ":30");
    }
    view.Schedule.Days[Wednesday] = eleven;
    Leave();
    EXPECT_DOUBLE_EQ(schedule.ScheduleEnd(Wednesday, 10), At(16, 30));

    // A bad end keeps the old end; a bad start leaves the slot; a missing end is a bad one.
    for (int slot = 1; slot <= 4; ++slot) {
        const int start[] = {9, 13, 16, 19}, end[] = {12, 15, 18, 20};
        setSlot(Tuesday, slot, At(start[slot - 1]), At(end[slot - 1]));
    }
    view.GetRecord(0);
    view.Schedule.Days[Tuesday] = {{"10:00", "half past one", "16:30"}, {"noon", "15:30"}};
    Leave();
    const double stored[][2] = {{At(10), At(12)}, {At(13), At(15)}, {At(16, 30), At(18)}, {0, 0}};
    for (int slot = 1; slot <= 4; ++slot) {
        EXPECT_DOUBLE_EQ(schedule.ScheduleStart(Tuesday, slot), stored[slot - 1][0]) << slot;
        EXPECT_DOUBLE_EQ(schedule.ScheduleEnd(Tuesday, slot), stored[slot - 1][1]) << slot;
    }
}

TEST_F(RecordPagesTest, ExperienceTableAndSkillListAreStoredAndReadToTheirLastRowAndCell)
{
    const std::string header =
        "4,100\r\n0,0,Employer\r\n1,0,Position\r\n2,0,Dates\r\n3,0,Notes\r\n";
    // Line breaks in a cell become bytes 9 and 8; commas stay as they are.
    view.Experience.DirGrid.SetCell(0, 1, "Acme");
    view.Experience.DirGrid.SetCell(3, 1, "Night shift\r\nthen days");
    view.Experience.DirGrid.SetCell(0, 2, "Smith, Jones & Co");
    view.Experience.DirGrid.SetCell(2, 99, "1999");
    Leave();
    EXPECT_EQ(session.Record(0).ExperienceStream,
              header + "0,1,Acme\r\n3,1,Night shift\x09\x08then days\r\n0,2,Smith, Jones & Co\r\n" +
                  "2,99,1999\r\n");
    view.NewRecord1Click();
    view.PreviousTBtnClick();
    EXPECT_EQ(view.Experience.DirGrid.Cell(3, 1), "Night shift\r\nthen days");
    EXPECT_EQ(view.Experience.DirGrid.Cell(0, 2), "Smith, Jones & Co");

    // Streams from elsewhere: the header row always shows the four column names, whatever the
    // stream says.
    ItemRecord& record = session.Record(0);
    record.ExperienceStream = "4,100\r\n0,0,Firm\r\n1,3,Clerk\r\n";
    view.GetRecord(0);
    EXPECT_EQ(view.Experience.DirGrid.Cell(0, 0), "Employer");
    EXPECT_EQ(view.Experience.DirGrid.Cell(1, 3), "Clerk");

    // A smaller table keeps its own size when stored.
    record.ExperienceStream = "2,3\r\n1,2,Clerk\r\n";
    view.GetRecord(0);
    Leave();
    EXPECT_EQ(record.ExperienceStream, "2,3\r\n0,0,Employer\r\n1,0,Position\r\n1,2,Clerk\r\n");

    // The skill list runs to the hundredth skill.
    workspace.database.SkillNames[100] = "Welding";
    session.Record(0).Skills.SetSkillNotes(100, "Last one");
    view.GetRecord(0);
    ASSERT_EQ(view.Skills.ItemList.size(), 100u);
    EXPECT_EQ(view.Skills.ItemList[99], (SkillRow{false, "Welding", "", "Last one"}));
    view.Skills.ItemList[99] = {true, "Welding", "Basic", "Course in 2020"};
    Leave();
    const SkillSet& skills = session.Record(0).Skills;
    EXPECT_EQ(
        std::tuple(skills.HasSkill(100), skills.SkillProficiency(100), skills.SkillNotes(100)),
        std::tuple(true, "Basic", "Course in 2020"));
}

TEST_F(RecordPagesTest, FilePathsMoveEveryRecordsFilesToAnotherFolder)
{
    view.NewRecord1Click();
    view.NewRecord1Click();
    ItemRecord& first = session.Record(0);
    first.Images[1].ImageFile = "C:\\Old\\a.jpg";
    first.Images[4].ImageFile = "/home/x/old/b.gif";
    first.ResumeFile = {"C:\\Old\\cv.doc", "second line"};
    session.Record(2).Images[6].ImageFile = "c.pcx";
    GoTo("1");

    // What is on show is stored first. The folder is joined with the separator it uses.
    view.RecordName.text = "Ann Smith";
    for (const auto& [typed, joined] : {std::pair<std::string, std::string>{"C:\\New", "C:\\New\\"},
                                        {"C:\\Newer\\", "C:\\Newer\\"},
                                        {"/srv/pics", "/srv/pics/"}}) {
        dialogs.Forget();
        dialogs.Type(typed).AnswerYes();
        view.ChangePictureFilePath1Click();
        EXPECT_THAT(dialogs.Texts(), ElementsAre("Please enter new path:",
                                                 "Picture file path will be changed to " + typed +
                                                     " for all records.  Are you sure you want "
                                                     "to continue ?",
                                                 "Picture file path has been changed."));
        EXPECT_THAT(PicturesOf(0), ElementsAre(joined + "a.jpg", "", "", joined + "b.gif", "", ""));
        EXPECT_EQ(view.Picture.PictureFileName, joined + "a.jpg");
    }
    EXPECT_EQ(first.RecordName, "Ann Smith");
    EXPECT_THAT(PicturesOf(1), Each(IsEmpty()));
    EXPECT_THAT(PicturesOf(2), ElementsAre("", "", "", "", "", "/srv/pics/c.pcx"));
    EXPECT_THAT(first.ResumeFile, ElementsAre("C:\\Old\\cv.doc", "second line"));

    // The resume file is the first line of the list.
    dialogs.Forget();
    dialogs.Type("D:\\Resumes").AnswerYes();
    view.ChangeResumeFilePath1Click();
    EXPECT_THAT(dialogs.Texts(),
                ElementsAre("Please enter new path:",
                            "Resume file path will be changed to D:\\Resumes for all records.  "
                            "Are you sure you want to continue ?",
                            "Resume file path has been changed."));
    EXPECT_THAT(first.ResumeFile, ElementsAre("D:\\Resumes\\cv.doc", "second line"));
    EXPECT_THAT(session.Record(1).ResumeFile, IsEmpty());
    EXPECT_THAT(view.Notes.ResumeFile.lines, ElementsAre("D:\\Resumes\\cv.doc", "second line"));
    EXPECT_EQ(first.Images[1].ImageFile, "/srv/pics/a.jpg");

    // No changes nothing; after Yes, an empty folder only shows the record again.
    dialogs.Forget();
    dialogs.Type("/elsewhere").AnswerNo().Type("").AnswerYes();
    view.RecordName.text = "typed, not stored";
    view.ChangePictureFilePath1Click();
    view.ChangeResumeFilePath1Click();
    EXPECT_EQ(dialogs.Messages.size(), 4u);
    EXPECT_EQ(first.Images[1].ImageFile, "/srv/pics/a.jpg");
    EXPECT_THAT(first.ResumeFile, ElementsAre("D:\\Resumes\\cv.doc", "second line"));
    EXPECT_EQ(view.RecordName.text, "Ann Smith");
}

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

TEST_F(PicturePageTest, EachTabHasItsOwnPictureAndTitle)
{
    const ItemRecord& record = session.Record(0);
    EXPECT_EQ(StatusDisplayed(), "No Image File Selected");
    view.ImageBookChange(2);
    EXPECT_EQ(page.ImageTitle.text, "Untitled 2");
    page.ImageTitle.text = "Front door";
    view.ImageTitleChange();
    // The system spells "Renée.bmp" in UTF-8; the record keeps it in Windows-1252.
    const std::string systemName = Write("Ren\303\251e.bmp");
    SelectPicture(systemName);
    EXPECT_EQ(dialogs.FileDialogsShown.back().filter,
              std::string("All pictures|*.bmp;*.dib;*.jpg;*.jpeg;*.pcx;*.gif;*.ico|") +
                  "Windows Bitmap|*.bmp|JPEG Bitmat|*.jpg|PCX Bitmap|*.pcx|GIF Bitmap|*.gif");
    EXPECT_NE(Displayed(), nullptr);
    EXPECT_EQ(StatusDisplayed(), "");
    // The title and the file reach the record at once, and only that picture's.
    for (int picture = 1; picture <= 6; ++picture) {
        const bool chosen = picture == 2;
        EXPECT_EQ(record.Images[picture].ImageTitle,
                  chosen ? "Front door" : "Untitled " + std::to_string(picture));
        EXPECT_EQ(record.Images[picture].ImageFile, chosen ? folder.File("Ren\351e.bmp") : "");
    }

    // Cancelling the chooser, which opened at the file as the system names it, keeps it.
    dialogs.CancelFileDialog();
    view.SelectPictureClick();
    EXPECT_EQ(dialogs.FileDialogsShown.back().initialFile, systemName);
    EXPECT_EQ(record.Images[2].ImageFile, folder.File("Ren\351e.bmp"));

    // A name with no Windows-1252 form stays as the system spells it, and is found.
    const std::string greek = Write("\316\251.bmp");
    SelectPicture(greek);
    EXPECT_EQ(record.Images[2].ImageFile, greek);
    EXPECT_EQ(StatusDisplayed(), "");

    // Another tab shows its own; the tab on show stays from record to record.
    view.ImageBookChange(3);
    EXPECT_EQ(StatusDisplayed(), "No Image File Selected");
    view.ImageBookChange(2);
    EXPECT_EQ(page.PictureFileName, greek);
    EXPECT_EQ(page.ImageTitle.text, "Front door");
    view.NewRecord1Click();
    EXPECT_EQ(page.ImageBook, 2);
    EXPECT_EQ(page.ImageTitle.text, "Untitled 2");
}

TEST_F(PicturePageTest, FilesThatCannotBeShown)
{
    // GIF and PCX files go to the picture library, capitals or not.
    for (const auto& [name, bytes] :
         {std::pair("BOB.GIF", TinyGif()), std::pair("scan.Pcx", TinyPcx())}) {
        SelectPicture(Write(name, bytes));
        EXPECT_NE(Displayed(), nullptr) << name;
    }

    // Whatever cannot be shown, by either decoder, says so in its own tab, however the previous
    // tab's picture was shown; the record keeps the path.
    view.ImageBookChange(3);
    SelectPicture(Write("ann.bmp"));
    const std::vector<std::pair<std::string, std::optional<std::string>>> unshowable = {
        {"fake.pcx", "no picture"}, {"gone.jpg", std::nullopt},  // missing
    };
    int tab = 4;
    for (const auto& [name, bytes] : unshowable) {
        view.ImageBookChange(3);
        ASSERT_NE(Displayed(), nullptr);
        view.ImageBookChange(tab);
        SelectPicture(bytes ? Write(name, *bytes) : folder.File(name));
        EXPECT_FALSE(page.RecordImage.visible) << name;
        EXPECT_EQ(Displayed(), nullptr) << name;
        EXPECT_EQ(StatusDisplayed(), "Image File is Not Valid") << name;
        EXPECT_EQ(session.Record(0).Images[tab++].ImageFile, folder.File(name));
    }
    EXPECT_THAT(dialogs.Texts(), Each(std::string("Open")));
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
    const ImageRecord& image = session.Record(0).Images[3];
    EXPECT_EQ(std::tie(image.ImageFile, image.ImageTitle), std::tuple("", "Front door"));
    view.ReadonlyBox.checked = true;
    view.ReadonlyBoxClick();
    EXPECT_FALSE(page.SelectPictureBtn.enabled || page.ClearPictureBtn.enabled);
    EXPECT_TRUE(page.ImageTitle.readOnly);

    // Stretching belongs to the window and stays from record to record.
    page.AutoSizeImage.checked = true;
    view.AutosizeClick();
    view.NewRecord1Click();
    EXPECT_TRUE(page.SelectPictureBtn.enabled);
    EXPECT_TRUE(page.RecordImage.stretch);
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

TEST_F(RecordPagesTest, ResumeFileIsChosenAndOpened)
{
    view.ViewResumeBtnClick();
    EXPECT_THAT(dialogs.Texts(), ElementsAre("No resume file is selected."));

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

}  // namespace
}  // namespace quillmark::test
