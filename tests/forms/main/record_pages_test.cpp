// The record pages of the main window: what they show of a record and what they store back.

#include "support/view_fixture.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace quillmark::test {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int Hourly = 1, Daily = 2, Weekly = 3, BiMonthly = 4, Monthly = 5, Yearly = 6;
constexpr int Monday = 2, Tuesday = 3, Wednesday = 4;

double At(int hours, int minutes = 0)
{
    return (hours * 60 + minutes) / 1440.0;
}

class RecordPagesTest : public ViewTest {
protected:
    std::vector<std::string> AmountsShown() const
    {
        std::vector<std::string> shown;
        for (const LabelControl& amount : view.Salary.Amounts) {
            shown.push_back(amount.caption);
        }
        return shown;
    }
    std::vector<std::string> FiguresStored()
    {
        const auto& figures = session.Record(0).SalaryFigures;
        return {figures.begin(), figures.end()};
    }
    void ExpectNoFigures()
    {
        EXPECT_THAT(AmountsShown(),
                    ElementsAre("$0.00 per hour", "$0.00 per day", "$0.00 per week",
                                "$0.00 bi-monthly", "$0.00 per month", "$0.00 per year"));
        EXPECT_EQ(view.Salary.HoursPerDay.caption, "");
        EXPECT_THAT(FiguresStored(), Each(IsEmpty()));
    }
};

TEST_F(RecordPagesTest, SalaryIsWorkedOutAsTheUserTypes)
{
    SalaryPage& salary = view.Salary;
    view.RecordBookChange(TView::SalaryTab);
    view.SalaryTypeClick(Weekly);
    EXPECT_EQ(salary.SalaryLabel.caption, "Weekly Salary");
    salary.HoursPerWeekEdit.text = "40";
    view.HoursPerWeekEditChange();
    EXPECT_EQ(salary.CalcStatus.caption, "Please enter salary.");
    salary.SalaryEdit.text = "500";
    view.SalaryEditChange();
    EXPECT_EQ(salary.CalcStatus.caption, "Calculation Successful");
    EXPECT_THAT(AmountsShown(),
                ElementsAre("$12.50 per hour", "$100.00 per day", "$500.00 per week",
                            "$1083.33 bi-monthly", "$2166.67 per month", "$26000.00 per year"));
    EXPECT_EQ(salary.HoursPerDay.caption, "8.00 hours per day");

    // The figures reach the record at once; the typed texts only when the window is stored.
    EXPECT_THAT(FiguresStored(), ElementsAre("12.50", "100.00", "500.00", "1083.33", "2166.67",
                                             "26000.00", "", "", "", ""));
    EXPECT_EQ(session.Record(0).SalaryAmount, "");
    Leave();
    EXPECT_EQ(session.Record(0).HoursPerWeek, "40");
    EXPECT_EQ(session.Record(0).SalaryAmount, "500");
    EXPECT_EQ(session.Record(0).WorkDaysPerWeek, "5");
    EXPECT_EQ(session.Record(0).SalaryType, Weekly);

    // Another period keeps the pay: the box takes the pay for that period.
    view.SalaryTypeClick(Monthly);
    EXPECT_EQ(salary.SalaryEdit.text, "2166.67");
    EXPECT_EQ(salary.SalaryLabel.caption, "Monthly Salary");
    EXPECT_EQ(salary.CheckedPeriod(), Monthly);
    EXPECT_EQ(salary.Amounts[Hourly].caption, "$12.50 per hour");

    // A refused figure leaves the record without figures.
    salary.WorkDaysPerWeekEdit.text = "8";
    view.WorkDaysPerWeekEditChange();
    EXPECT_EQ(salary.CalcStatus.caption, "Work Days per week can not be greater then 7.");
    ExpectNoFigures();

    // With no figure for the new period the box keeps what the user typed.
    view.SalaryTypeClick(Hourly);
    EXPECT_EQ(salary.SalaryEdit.text, "2166.67");
    EXPECT_EQ(salary.SalaryLabel.caption, "Hourly Salary");
    Leave();
    EXPECT_EQ(session.Record(0).SalaryAmount, "2166.67");
}

TEST_F(RecordPagesTest, ShowingARecordWorksItsSalaryOutAndNamesItsPeriod)
{
    ItemRecord& record = session.Record(0);
    record.SalaryType = Weekly;
    record.HoursPerWeek = "40";
    record.SalaryAmount = "500";
    view.GetRecord(0);
    view.RecordBookChange(TView::SalaryTab);
    EXPECT_EQ(view.Salary.SalaryLabel.caption, "Weekly Salary");
    EXPECT_EQ(view.Salary.Amounts[BiMonthly].caption, "$1083.33 bi-monthly");
    EXPECT_EQ(view.Salary.HoursPerDay.caption, "8.00 hours per day");

    // "Daily" leaves the label as it was.
    record.SalaryType = Daily;
    record.SalaryAmount = "100";
    view.GetRecord(0);
    view.RecordBookChange(TView::SalaryTab);
    EXPECT_EQ(view.Salary.SalaryLabel.caption, "Weekly Salary");
    EXPECT_EQ(view.Salary.Amounts[Weekly].caption, "$500.00 per week");
    // Showing the page works the figures out again from the boxes.
    view.Salary.SalaryEdit.text = "200";
    view.RecordBookChange(TView::DescriptionTab);
    view.RecordBookChange(TView::SalaryTab);
    EXPECT_EQ(view.Salary.Amounts[Weekly].caption, "$1000.00 per week");

    // Figures left over from an earlier calculation go when the inputs are refused.
    record.HoursPerWeek = "0";
    view.GetRecord(0);
    EXPECT_EQ(view.Salary.CalcStatus.caption, "Please enter hours per week.");
    ExpectNoFigures();

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
    EXPECT_THAT(view.Schedule.TimeBar1.SelectedStart, ElementsAre("0900", "1300"));
    Leave();
    EXPECT_DOUBLE_EQ(schedule.ScheduleStart(Monday, 2), At(13));
    EXPECT_DOUBLE_EQ(schedule.ScheduleEnd(Monday, 2), At(17, 30));
    EXPECT_EQ(schedule.ScheduleStart(Monday, 3), 0);

    // The chosen day stays on the bar from record to record.
    view.NewRecord1Click();
    EXPECT_EQ(view.Schedule.Day.caption, "Monday");
    EXPECT_THAT(view.Schedule.TimeBar1.SelectedStart, IsEmpty());
    view.PreviousTBtnClick();

    // Ten slots a day at most.
    ScheduleDayLists eleven;
    for (int hour = 7; hour <= 17; ++hour) {
        eleven.Start.push_back((hour < 10 ? "0" : "") + std::to_string(hour) + ":00");
        eleven.End.push_back((hour < 10 ? "0" : "") + std::to_string(hour) + ":30");
    }
    view.Schedule.Days[Wednesday] = eleven;
    Leave();
    EXPECT_DOUBLE_EQ(schedule.ScheduleEnd(Wednesday, 10), At(16, 30));
    view.GetRecord(0);
    EXPECT_EQ(view.Schedule.Days[Wednesday].Start.size(), 10u);

    // A bad end keeps the old end; a bad start leaves the slot; a missing end is a bad one.
    setSlot(Tuesday, 1, At(9), At(12));
    setSlot(Tuesday, 2, At(13), At(15));
    setSlot(Tuesday, 3, At(16), At(18));
    setSlot(Tuesday, 4, At(19), At(20));
    view.GetRecord(0);
    view.Schedule.Days[Tuesday] = {{"10:00", "half past one", "16:30"}, {"noon", "15:30"}};
    Leave();
    const double stored[][2] = {{At(10), At(12)}, {At(13), At(15)}, {At(16, 30), At(18)}, {0, 0}};
    for (int slot = 1; slot <= 4; ++slot) {
        EXPECT_DOUBLE_EQ(schedule.ScheduleStart(Tuesday, slot), stored[slot - 1][0]) << slot;
        EXPECT_DOUBLE_EQ(schedule.ScheduleEnd(Tuesday, slot), stored[slot - 1][1]) << slot;
    }
    EXPECT_DOUBLE_EQ(schedule.ScheduleStart(Wednesday, 10), At(16));
    EXPECT_DOUBLE_EQ(schedule.ScheduleStart(Monday, 1), At(9));
}

TEST_F(RecordPagesTest, ExperienceTableIsStoredAsLinesOfCells)
{
    const std::string header =
        "4,100\r\n0,0,Employer\r\n1,0,Position\r\n2,0,Dates\r\n3,0,Notes\r\n";
    Leave();
    EXPECT_EQ(session.Record(0).ExperienceStream, header);

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
}

TEST_F(RecordPagesTest, ExperienceStreamsFromElsewhereAreReadWhereTheyMakeSense)
{
    ItemRecord& record = session.Record(0);
    // The header row always shows the four column names, whatever the stream says.
    record.ExperienceStream = "4,100\r\n0,0,Firm\r\n1,3,Clerk\r\n";
    view.GetRecord(0);
    EXPECT_EQ(view.Experience.DirGrid.Cell(0, 0), "Employer");
    EXPECT_EQ(view.Experience.DirGrid.Cell(1, 3), "Clerk");

    // Lines that are no cells, cells outside the table and sizes no table has are passed over;
    // the last line may lack its line end.
    record.ExperienceStream =
        "2147483647,2147483647\r\n0,1\r\none,1,Acme\r\n9,1,outside\r\n0,100,below\r\n"
        "-1,2,before\r\n\r\n2,2,Dates, roughly";
    view.GetRecord(0);
    const ExperienceTable& table = view.Experience.DirGrid;
    EXPECT_EQ(table.ColumnCount(), 4);
    EXPECT_EQ(table.RowCount(), 100);
    for (int row = 1; row < table.RowCount(); ++row) {
        for (int column = 0; column < table.ColumnCount(); ++column) {
            EXPECT_EQ(table.Cell(column, row), row == 2 && column == 2 ? "Dates, roughly" : "")
                << column << "," << row;
        }
    }

    // A smaller table keeps its own size when stored.
    record.ExperienceStream = "2,3\r\n1,2,Clerk\r\n";
    view.GetRecord(0);
    Leave();
    EXPECT_EQ(record.ExperienceStream, "2,3\r\n0,0,Employer\r\n1,0,Position\r\n1,2,Clerk\r\n");
}

TEST_F(RecordPagesTest, SkillListShowsTheDatabasesNamesWithTheRecordsValues)
{
    workspace.database.SkillNames[5] = "Welding";
    ItemRecord& record = session.Record(0);
    record.Skills.SetHasSkill(5, true);
    record.Skills.SetSkillProficiency(5, "Expert");
    record.Skills.SetSkillNotes(100, "Last one");
    view.GetRecord(0);
    const std::vector<SkillRow>& rows = view.Skills.ItemList;
    ASSERT_EQ(rows.size(), 100u);
    EXPECT_EQ(rows[4], (SkillRow{true, "Welding", "Expert", ""}));
    EXPECT_EQ(rows[5], (SkillRow{false, "Skill 6", "", ""}));
    EXPECT_EQ(rows[99].notes, "Last one");

    view.Skills.ItemList[4].checked = false;
    view.Skills.ItemList[9] = {true, "Skill 10", "Basic", "Course in 2020"};
    Leave();
    EXPECT_FALSE(record.Skills.HasSkill(5));
    EXPECT_EQ(record.Skills.SkillProficiency(5), "Expert");
    EXPECT_TRUE(record.Skills.HasSkill(10));
    EXPECT_EQ(record.Skills.SkillNotes(10), "Course in 2020");
    EXPECT_EQ(record.Skills.SkillNotes(100), "Last one");
}

TEST_F(RecordPagesTest, PictureTitlesAndFilesBelongToTheirTab)
{
    ItemRecord& record = session.Record(0);
    view.RecordBookChange(TView::PictureTab);
    view.ImageBookChange(3);
    EXPECT_EQ(view.Picture.ImageTitle.text, "Untitled 3");
    view.Picture.ImageTitle.text = "Front door";
    view.ImageTitleChange();
    // The title reaches the record as it is typed, and only that picture's title.
    for (int picture = 1; picture <= 6; ++picture) {
        EXPECT_EQ(record.Images[picture].ImageTitle,
                  picture == 3 ? "Front door" : "Untitled " + std::to_string(picture));
    }

    // The file name goes with the picture when another tab is chosen.
    view.Picture.PictureFileName = "/photos/door.jpg";
    view.ImageBookChange(4);
    EXPECT_EQ(record.Images[3].ImageFile, "/photos/door.jpg");
    EXPECT_EQ(view.Picture.ImageTitle.text, "Untitled 4");
    view.ImageBookChange(3);
    EXPECT_EQ(view.Picture.PictureFileName, "/photos/door.jpg");
    EXPECT_EQ(view.Picture.ImageTitle.text, "Front door");

    // The tab on show stays from record to record.
    view.NewRecord1Click();
    EXPECT_EQ(view.Picture.ImageBook, 3);
    EXPECT_EQ(view.Picture.ImageTitle.text, "Untitled 3");
}

}  // namespace
}  // namespace quillmark::test
