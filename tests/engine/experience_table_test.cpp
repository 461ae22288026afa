#include "engine/experience_table.h"

#include "support/test_helpers.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

// A damaged record may give its table the largest size allowed; a few bytes of stream must
// not cost memory for every cell of it.
TEST(ExperienceTableTest, TheLargestTableCostsOnlyTheCellsItHolds)
{
    const std::string stream = "100,100000\r\n0,0,Employer\r\n99,99999,last\tline\r\n";
    ExperienceTable table;
    test::AllocationWatch watch;
    ReadExperienceStream(stream, table);
    EXPECT_LT(watch.Largest(), 4096u);
    EXPECT_EQ(table.ColumnCount(), 100);
    EXPECT_EQ(table.RowCount(), 100000);
    EXPECT_EQ(table.Cell(99, 99999), "last\rline");
    EXPECT_EQ(WriteExperienceStream(table), stream);
}

TEST(ExperienceTableTest, OnlyASizeWithinTheLimitsResizesTheTable)
{
    for (const char* firstLine : {"1,1", "0,5", "101,5", "5,0", "5,100001", "x,5", "5,x", "5"}) {
        SCOPED_TRACE(firstLine);
        ExperienceTable table;
        ReadExperienceStream(std::string(firstLine) + "\r\n", table);
        const bool resized = firstLine == std::string("1,1");
        EXPECT_EQ(table.ColumnCount(), resized ? 1 : ExperienceTable::DefaultColumns);
        EXPECT_EQ(table.RowCount(), resized ? 1 : ExperienceTable::DefaultRows);
    }
}

// Lines that are no cells and cells outside the table are passed over; the last line may lack
// its line end.
TEST(ExperienceTableTest, OnlyCellsInsideTheTableAreRead)
{
    ExperienceTable table;
    ReadExperienceStream(
        "0,1\r\none,1,Acme\r\n9,1,outside\r\n0,100,below\r\n-1,2,before\r\n\r\n"
        "2,2,Dates, roughly",
        table);
    ExperienceTable expected;
    expected.SetCell(2, 2, "Dates, roughly");
    EXPECT_EQ(table, expected);
}

TEST(ExperienceTableTest, ResizingKeepsTheCellsInsideAndEmptyCellsAreNotFiled)
{
    ExperienceTable table(4, 5);
    table.SetCell(1, 1, "kept");
    table.SetCell(3, 4, "dropped");
    table.SetCell(2, 1, "just right of the new size");
    table.SetCell(1, 3, "just below the new size");
    table.SetCell(2, 2, "cleared");
    table.SetCell(2, 2, "");
    ReadExperienceStream("2,3\r\n", table);
    EXPECT_EQ(table.Cell(1, 1), "kept");
    EXPECT_EQ(table.Cell(3, 4), "");
    EXPECT_EQ(WriteExperienceStream(table), "2,3\r\n1,1,kept\r\n");

    ExperienceTable same(2, 3);
    same.SetCell(1, 1, "kept");
    EXPECT_EQ(table, same);
    ReadExperienceStream("4,5\r\n", table);
    EXPECT_EQ(table.Cell(3, 4), "") << "a cell cut off does not come back";
}

}  // namespace
}  // namespace quillmark
