// The record pages of the main window: what they show of a record and what they store back.

#include "app/view_fixture.h"

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

constexpr const char* NoAmounts[] = {"$0.00 per hour",   "$0.00 per day",   "$0.00 per week",
                                     "$0.00 bi-monthly", "$0.00 per month", "$0.00 per year"};

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
    std::vector<std::string> FiguresStored(int position)
    {
        const ItemRecord& record = session.Record(position);
        return {record.SalaryFigures.begin(), record.SalaryFigures.end()};
    }
};

// ---- salary ----

TEST_F(RecordPagesTest, SalaryIsWorkedOutAsTheUserTypes)
{
    SalaryPage& salary = view.Salary;
    view.RecordBookChange(TView::SalaryTab);
    view.SalaryTypeClick(Weekly);
    EXPECT_EQ(salary.SalaryLabel.caption, "Weekly Salary");
    EXPECT_EQ(salary.CheckedPeriod(), Weekly);
    EXPECT_EQ(salary.CalcStatus.caption, "Please enter hours per week.");

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
    EXPECT_THAT(FiguresStored(0), ElementsAre("12.50", "100.00", "500.00", "1083.33", "2166.67",
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
    EXPECT_EQ(salary.Amounts[Hourly].caption, "$12.50 per hour");
    EXPECT_EQ(salary.CalcStatus.caption, "Calculation Successful");
    EXPECT_TRUE(salary.PeriodButtons[Monthly].checked);
    EXPECT_FALSE(salary.PeriodButtons[Weekly].checked);

    // Work days from 1 to 7 only; a refused figure leaves the record without figures.
    salary.WorkDaysPerWeekEdit.text = "8";
    view.WorkDaysPerWeekEditChange();
    EXPECT_EQ(salary.CalcStatus.caption, "Work Days per week can not be greater then 7.");
    EXPECT_THAT(AmountsShown(), ElementsAre(NoAmounts[0], NoAmounts[1], NoAmounts[2], NoAmounts[3],
                                            NoAmounts[4], NoAmounts[5]));
    EXPECT_EQ(salary.HoursPerDay.caption, "");
    EXPECT_THAT(FiguresStored(0), Each(IsEmpty()));
    salary.WorkDaysPerWeekEdit.text = "0";
    view.WorkDaysPerWeekEditChange();
    EXPECT_EQ(salary.CalcStatus.caption, "Work Days per week must be greater then 1.");
    salary.WorkDaysPerWeekEdit.text = "7";
    view.WorkDaysPerWeekEditChange();
    EXPECT_EQ(salary.CalcStatus.caption, "Calculation Successful");
    EXPECT_EQ(salary.Amounts[Daily].caption, "$71.43 per day");
}

TEST_F(RecordPagesTest, ShowingARecordWorksItsSalaryOut)
{
    ItemRecord& record = session.Record(0);
    record.SalaryType = Weekly;
    record.HoursPerWeek = "40";
    record.SalaryAmount = "500";
    record.WorkDaysPerWeek = "5";
    view.GetRecord(0);
    EXPECT_EQ(view.Salary.SalaryEdit.text, "500");
    EXPECT_EQ(view.Salary.CheckedPeriod(), Weekly);
    EXPECT_EQ(view.Salary.Amounts[Hourly].caption, "$12.50 per hour");
    EXPECT_EQ(view.Salary.Amounts[BiMonthly].caption, "$1083.33 bi-monthly");
    EXPECT_EQ(view.Salary.HoursPerDay.caption, "8.00 hours per day");
    EXPECT_EQ(view.Salary.CalcStatus.caption, "Calculation Successful");

    const struct {
        const char* hours;
        const char* salary;
        const char* days;
        int period;
        const char* status;
    } refused[] = {
        {"", "500", "5", Weekly, "Please enter hours per week."},
        {"40", "", "5", Weekly, "Please enter salary."},
        {"40", "500", "", Weekly, "Please enter work days per week."},
        {"0", "500", "5", Weekly, "Please enter hours per week."},
        {"0", "2000", "5", Monthly, "Please enter hours per week."},
        {"none", "500", "5", Daily, "Please enter hours per week."},
        {"40", "500", "9", Weekly, "Work Days per week can not be greater then 7."},
        {"40", "500", "0", Weekly, "Work Days per week must be greater then 1."},
    };
    for (const auto& inputs : refused) {
        record.HoursPerWeek = inputs.hours;
        record.SalaryAmount = inputs.salary;
        record.WorkDaysPerWeek = inputs.days;
        record.SalaryType = inputs.period;
        record.SalaryFigures[Hourly] = "12.50";  // left over from an earlier calculation
        view.GetRecord(0);
        EXPECT_EQ(view.Salary.CalcStatus.caption, inputs.status) << inputs.hours;
        EXPECT_THAT(AmountsShown(), ElementsAre(NoAmounts[0], NoAmounts[1], NoAmounts[2],
                                                NoAmounts[3], NoAmounts[4], NoAmounts[5]));
        EXPECT_EQ(view.Salary.HoursPerDay.caption, "");
        EXPECT_THAT(FiguresStored(0), Each(IsEmpty()));
    }

    // An hourly wage needs no hours; any code past Monthly reads as Yearly.
    record.HoursPerWeek = "0";
    record.SalaryAmount = "$1,000";
    record.WorkDaysPerWeek = "5";
    record.SalaryType = Hourly;
    view.GetRecord(0);
    EXPECT_EQ(view.Salary.CalcStatus.caption, "Calculation Successful");
    EXPECT_EQ(view.Salary.Amounts[Hourly].caption, "$1000.00 per hour");
    record.SalaryType = 9;
    record.HoursPerWeek = "40";
    view.GetRecord(0);
    EXPECT_TRUE(view.Salary.PeriodButtons[Yearly].checked);
    Leave();
    EXPECT_EQ(record.SalaryType, Yearly);
}

TEST_F(RecordPagesTest, TheSalaryPageNamesTheCheckedPeriod)
{
    ItemRecord& record = session.Record(0);
    record.HoursPerWeek = "40";
    record.SalaryAmount = "100";
    record.SalaryType = Daily;
    view.GetRecord(0);
    view.RecordBookChange(TView::SalaryTab);
    EXPECT_EQ(view.RecordBook, TView::SalaryTab);
    EXPECT_EQ(view.Salary.SalaryLabel.caption, "Salary");  // "Daily" keeps the label's text
    EXPECT_EQ(view.Salary.Amounts[Weekly].caption, "$500.00 per week");

    for (const auto& [period, label] :
         {std::pair(BiMonthly, "Bi-Monthly Salary"), std::pair(Hourly, "Hourly Salary"),
          std::pair(Yearly, "Yearly Salary")}) {
        record.SalaryType = period;
        view.RecordBookChange(TView::NotesTab);
        view.GetRecord(0);
        view.RecordBookChange(TView::SalaryTab);
        EXPECT_EQ(view.Salary.SalaryLabel.caption, label);
        EXPECT_EQ(view.Salary.CalcStatus.caption, "Calculation Successful");
    }
    record.SalaryType = Daily;
    view.GetRecord(0);
    view.RecordBookChange(TView::SalaryTab);
    EXPECT_EQ(view.Salary.SalaryLabel.caption, "Yearly Salary");

    // Showing the page works the figures out again from the boxes.
    view.Salary.SalaryEdit.text = "200";
    view.RecordBookChange(TView::DescriptionTab);
    view.RecordBookChange(TView::SalaryTab);
    EXPECT_EQ(view.Salary.Amounts[Weekly].caption, "$1000.00 per week");
}

// ---- schedule ----

TEST_F(RecordPagesTest, ScheduleListsArePackedWhenShownAndStoredBackInOrder)
{
    ItemRecord& record = session.Record(0);
    record.Schedule.SetScheduleStart(Monday, 1, At(9));
    record.Schedule.SetScheduleEnd(Monday, 1, At(12));
    record.Schedule.SetScheduleStart(Monday, 3, At(13));
    record.Schedule.SetScheduleEnd(Monday, 3, At(17, 30));
    view.GetRecord(0);
    EXPECT_THAT(view.Schedule.Days[Monday].Start, ElementsAre("09:00", "13:00"));
    EXPECT_THAT(view.Schedule.Days[Monday].End, ElementsAre("12:00", "17:30"));
    for (int day : {1, 3, 4, 5, 6, 7}) {
        EXPECT_THAT(view.Schedule.Days[day].Start, IsEmpty());
    }

    // The day on the bar, its slots without their colons.
    view.DayClick(Monday);
    EXPECT_EQ(view.Schedule.Day.caption, "Monday");
    EXPECT_THAT(view.Schedule.TimeBar1.SelectedStart, ElementsAre("0900", "1300"));
    EXPECT_THAT(view.Schedule.TimeBar1.SelectedEnd, ElementsAre("1200", "1730"));

    Leave();
    EXPECT_DOUBLE_EQ(record.Schedule.ScheduleStart(Monday, 1), At(9));
    EXPECT_DOUBLE_EQ(record.Schedule.ScheduleEnd(Monday, 1), At(12));
    EXPECT_DOUBLE_EQ(record.Schedule.ScheduleStart(Monday, 2), At(13));
    EXPECT_DOUBLE_EQ(record.Schedule.ScheduleEnd(Monday, 2), At(17, 30));
    EXPECT_EQ(record.Schedule.ScheduleStart(Monday, 3), 0);
    EXPECT_EQ(record.Schedule.ScheduleEnd(Monday, 3), 0);

    // The chosen day stays on the bar from record to record.
    view.NewRecord1Click();
    EXPECT_EQ(view.Schedule.Day.caption, "Monday");
    EXPECT_THAT(view.Schedule.TimeBar1.SelectedStart, IsEmpty());
    EXPECT_THAT(view.Schedule.Days[Monday].Start, IsEmpty());
    EXPECT_TRUE(session.Record(1).Schedule.IsEmpty());
    view.PreviousTBtnClick();
    EXPECT_THAT(view.Schedule.TimeBar1.SelectedStart, ElementsAre("0900", "1300"));
}

TEST_F(RecordPagesTest, ScheduleKeepsTenSlotsAndPassesOverLinesThatAreNoTimes)
{
    ItemRecord& record = session.Record(0);
    ScheduleDayLists eleven;
    for (int hour = 7; hour <= 17; ++hour) {
        eleven.Start.push_back((hour < 10 ? "0" : "") + std::to_string(hour) + ":00");
        eleven.End.push_back((hour < 10 ? "0" : "") + std::to_string(hour) + ":30");
    }
    view.Schedule.Days[Wednesday] = eleven;
    Leave();
    EXPECT_DOUBLE_EQ(record.Schedule.ScheduleStart(Wednesday, 1), At(7));
    EXPECT_DOUBLE_EQ(record.Schedule.ScheduleStart(Wednesday, 10), At(16));
    EXPECT_DOUBLE_EQ(record.Schedule.ScheduleEnd(Wednesday, 10), At(16, 30));
    EXPECT_EQ(view.Schedule.Days[Wednesday].Start.size(), 11u);  // until shown again
    view.GetRecord(0);
    EXPECT_EQ(view.Schedule.Days[Wednesday].Start.size(), 10u);
    EXPECT_EQ(view.Schedule.Days[Wednesday].End.back(), "16:30");

    // Tuesday: 09:00-12:00, 13:00-15:00 and 16:00-18:00, then lines that do not read.
    for (const auto& [slot, start, end] :
         {std::tuple(1, At(9), At(12)), std::tuple(2, At(13), At(15)),
          std::tuple(3, At(16), At(18)), std::tuple(4, At(19), At(20))}) {
        record.Schedule.SetScheduleStart(Tuesday, slot, start);
        record.Schedule.SetScheduleEnd(Tuesday, slot, end);
    }
    view.GetRecord(0);
    view.Schedule.Days[Tuesday] = {{"10:00", "half past one", "16:30"}, {"noon", "15:30"}};
    Leave();
    // A bad end keeps the old end; a bad start leaves the slot; a missing end is a bad one.
    EXPECT_DOUBLE_EQ(record.Schedule.ScheduleStart(Tuesday, 1), At(10));
    EXPECT_DOUBLE_EQ(record.Schedule.ScheduleEnd(Tuesday, 1), At(12));
    EXPECT_DOUBLE_EQ(record.Schedule.ScheduleStart(Tuesday, 2), At(13));
    EXPECT_DOUBLE_EQ(record.Schedule.ScheduleEnd(Tuesday, 2), At(15));
    EXPECT_DOUBLE_EQ(record.Schedule.ScheduleStart(Tuesday, 3), At(16, 30));
    EXPECT_DOUBLE_EQ(record.Schedule.ScheduleEnd(Tuesday, 3), At(18));
    EXPECT_EQ(record.Schedule.ScheduleStart(Tuesday, 4), 0);
    EXPECT_EQ(record.Schedule.ScheduleEnd(Tuesday, 4), 0);
    // Wednesday was not touched by any of this.
    EXPECT_DOUBLE_EQ(record.Schedule.ScheduleStart(Wednesday, 10), At(16));
}

// ---- experience ----

TEST_F(RecordPagesTest, ExperienceTableIsStoredAsLinesOfCells)
{
    const std::string header =
        "4,100\r\n0,0,Employer\r\n1,0,Position\r\n2,0,Dates\r\n3,0,Notes\r\n";
    Leave();
    EXPECT_EQ(session.Record(0).ExperienceStream, header);

    view.Experience.DirGrid.SetCell(0, 1, "Acme");
    Leave();
    EXPECT_EQ(session.Record(0).ExperienceStream,
              "4,100\r\n0,0,Employer\r\n1,0,Position\r\n2,0,Dates\r\n3,0,Notes\r\n0,1,Acme\r\n");

    // Line breaks in a cell become bytes 9 and 8; commas stay as they are.
    view.Experience.DirGrid.SetCell(3, 1, "Night shift\r\nthen days");
    view.Experience.DirGrid.SetCell(0, 2, "Smith, Jones & Co");
    view.Experience.DirGrid.SetCell(2, 99, "1999");
    Leave();
    EXPECT_EQ(session.Record(0).ExperienceStream,
              header + "0,1,Acme\r\n3,1,Night shift\x09\x08then days\r\n0,2,Smith, Jones & Co\r\n" +
                  "2,99,1999\r\n");

    // Another record starts from an empty table; coming back reads every cell as it was.
    view.NewRecord1Click();
    EXPECT_EQ(view.Experience.DirGrid.Cell(0, 1), "");
    EXPECT_EQ(view.Experience.DirGrid.Cell(0, 2), "");
    EXPECT_EQ(view.Experience.DirGrid.Cell(0, 0), "Employer");
    view.PreviousTBtnClick();
    EXPECT_EQ(view.Experience.DirGrid.Cell(0, 1), "Acme");
    EXPECT_EQ(view.Experience.DirGrid.Cell(3, 1), "Night shift\r\nthen days");
    EXPECT_EQ(view.Experience.DirGrid.Cell(0, 2), "Smith, Jones & Co");
    EXPECT_EQ(view.Experience.DirGrid.Cell(2, 99), "1999");
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
        "2147483647,2147483647\r\n"
        "0,1\r\n"
        "one,1,Acme\r\n"
        "9,1,outside\r\n"
        "0,100,below\r\n"
        "-1,2,before\r\n"
        "\r\n"
        "2,2,Dates, roughly";
    view.GetRecord(0);
    const ExperienceTable& table = view.Experience.DirGrid;
    EXPECT_EQ(table.ColumnCount(), 4);
    EXPECT_EQ(table.RowCount(), 100);
    EXPECT_EQ(table.Cell(1, 3), "");  // the previous load left nothing behind
    EXPECT_EQ(table.Cell(2, 2), "Dates, roughly");
    for (int row = 1; row < table.RowCount(); ++row) {
        for (int column = 0; column < table.ColumnCount(); ++column) {
            if (row != 2 || column != 2) {
                EXPECT_EQ(table.Cell(column, row), "") << column << "," << row;
            }
        }
    }

    // A smaller table keeps its own size when stored.
    record.ExperienceStream = "2,3\r\n1,2,Clerk\r\n";
    view.GetRecord(0);
    EXPECT_EQ(view.Experience.DirGrid.ColumnCount(), 2);
    EXPECT_EQ(view.Experience.DirGrid.RowCount(), 3);
    Leave();
    EXPECT_EQ(record.ExperienceStream, "2,3\r\n0,0,Employer\r\n1,0,Position\r\n1,2,Clerk\r\n");
}

// ---- skills ----

TEST_F(RecordPagesTest, SkillListShowsTheDatabasesNamesWithTheRecordsValues)
{
    workspace.database.SkillNames[5] = "Welding";
    ItemRecord& record = session.Record(0);
    record.Skills.SetHasSkill(5, true);
    record.Skills.SetSkillProficiency(5, "Expert");
    record.Skills.SetSkillNotes(5, "Ten years");
    record.Skills.SetSkillNotes(100, "Last one");
    view.GetRecord(0);
    const std::vector<SkillRow>& rows = view.Skills.ItemList;
    ASSERT_EQ(rows.size(), 100u);
    EXPECT_TRUE(rows[4].checked);
    EXPECT_EQ(rows[4].caption, "Welding");
    EXPECT_EQ(rows[4].proficiency, "Expert");
    EXPECT_EQ(rows[4].notes, "Ten years");
    EXPECT_FALSE(rows[5].checked);
    EXPECT_EQ(rows[5].caption, "Skill 6");
    EXPECT_EQ(rows[5].proficiency, "");
    EXPECT_EQ(rows[99].notes, "Last one");

    view.Skills.ItemList[4].checked = false;
    view.Skills.ItemList[9] = {true, "Skill 10", "Basic", "Course in 2020"};
    Leave();
    EXPECT_FALSE(record.Skills.HasSkill(5));
    EXPECT_EQ(record.Skills.SkillProficiency(5), "Expert");
    EXPECT_TRUE(record.Skills.HasSkill(10));
    EXPECT_EQ(record.Skills.SkillProficiency(10), "Basic");
    EXPECT_EQ(record.Skills.SkillNotes(10), "Course in 2020");
    EXPECT_EQ(record.Skills.SkillNotes(100), "Last one");

    // The names belong to the database: a new record shows them with values of its own.
    view.NewRecord1Click();
    EXPECT_EQ(view.Skills.ItemList[4].caption, "Welding");
    EXPECT_FALSE(view.Skills.ItemList[9].checked);
    EXPECT_EQ(view.Skills.ItemList[9].proficiency, "");
}

// ---- pictures ----

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
    EXPECT_EQ(record.Images[4].ImageFile, "");
    EXPECT_EQ(view.Picture.PictureFileName, "");
    EXPECT_EQ(view.Picture.ImageTitle.text, "Untitled 4");
    EXPECT_TRUE(view.Picture.PicStatVisible);
    view.ImageBookChange(3);
    EXPECT_EQ(view.Picture.PictureFileName, "/photos/door.jpg");
    EXPECT_EQ(view.Picture.ImageTitle.text, "Front door");
    EXPECT_EQ(view.Picture.PicStat.caption, "Image File is Not Valid");  // there is no such file

    // The tab on show stays from record to record.
    view.NewRecord1Click();
    EXPECT_EQ(view.Picture.ImageBook, 3);
    EXPECT_EQ(view.Picture.ImageTitle.text, "Untitled 3");
    EXPECT_EQ(view.Picture.PictureFileName, "");
    EXPECT_EQ(record.Images[3].ImageFile, "/photos/door.jpg");
}

}  // namespace
}  // namespace quillmark::test
