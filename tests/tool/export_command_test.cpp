// The quick export from the command line, as the File menu writes it.

#include "support/test_helpers.h"
#include "tool/tool_runner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quillmark::test {
namespace {

std::string EmptyCells(int count)
{
    std::string cells;
    for (int cell = 0; cell < count; ++cell) {
        cells += "\"\",";
    }
    return cells;
}

TEST(ToolExport, WritesEveryRecordAsQuickExportDoes)
{
    TemporaryFolder folder;
    const std::string database = folder.File("staff.dat");
    const std::string output = folder.File("staff.txt");
    WriteFileBytes(folder.File("in.json"), R"({"ReadPassword": "6734bac20e61", "records": [
        {"RecordName": "Smith, Zo\u00eb", "Working": true, "WorkDaysPerWeek": "",
         "HoursPerWeek": "40"},
        {"RecordName": "Bob \"B\" Ray", "Available": true, "NotAvailable": true}]})");
    ASSERT_EQ(RunTool({"build", folder.File("in.json"), database}).exitCode, 0);

    ToolRun run = RunTool({"export", database, output});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "quillmark-tool: You have entered an incorrect password.\n");
    EXPECT_FALSE(std::filesystem::exists(output));

    WriteFileBytes(output, "replaced");
    run = RunTool({"export", database, output, "--read-password", "secret"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    // Record text is written as the database holds it, in Windows-1252.
    EXPECT_EQ(ReadFileBytes(output),
              "\"Smith, Zo\xEB\"," + EmptyCells(20) + "Working," + EmptyCells(13) + "40\r\n" +
                  "Bob \"B\" Ray," + EmptyCells(20) + "Available," + EmptyCells(12) + "5,\"\"\r\n");

    run = RunTool({"export", database, folder.File("none/staff.txt"), "--read-password", "secret"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.rfind(
                  "quillmark-tool: Cannot create file " + folder.File("none/staff.txt") + ": ", 0),
              0u)
        << run.err;
}

}  // namespace
}  // namespace quillmark::test
