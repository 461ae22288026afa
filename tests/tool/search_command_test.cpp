// The saved search run from the command line, as the search window runs it.

#include "support/test_helpers.h"
#include "tool/tool_runner.h"

#include "engine/search/saved_search_file.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quillmark::test {
namespace {

class ToolSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteFileBytes(folder.File("in.json"), R"({"records": [
            {"RecordName": "Ann Smith", "HoursPerWeek": "40 hrs"},
            {"RecordName": "Bob Jones", "HoursPerWeek": "38"},
            {"RecordName": "Cy Smithers", "HoursPerWeek": "20"},
            {"RecordName": "Di Smith"}]})");
        ASSERT_EQ(RunTool({"build", folder.File("in.json"), database}).exitCode, 0);
    }

    // Name holds "smith" and the hours are 30 to 45; rows out of slot order.
    void SaveSearch(const std::string& path, const std::string& hoursTo = "45")
    {
        SearchTermTable terms;
        terms[4] = {SearchFieldTag::Name, 1, "smith", "", "", "", "", 0};
        terms[2] = {SearchFieldTag::HoursPerWeek, 1, "30", hoursTo, "", "", "", 0};
        SaveSearchFile(path, {{"", "Includes", "30 < 45", 2}, {"", "Includes", "smith", 4}}, terms);
    }

    TemporaryFolder folder;
    const std::string database = folder.File("staff.dat");
};

TEST_F(ToolSearch, PrintsTheNumbersOfTheRecordsFoundAndExtractsThem)
{
    SaveSearch(folder.File("find.srh"));
    const ToolRun run = RunTool({"search", database, folder.File("find.srh")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "1\n") << "Di Smith works no hours, Cy Smithers too few";

    SaveSearch(folder.File("wide.srh"), "");  // hours empty: "30" found inside the hours text
    EXPECT_EQ(RunTool({"search", database, folder.File("wide.srh")}).out, "");

    ASSERT_EQ(
        RunTool({"extract", database, folder.File("find.srh"), folder.File("found.dat")}).exitCode,
        0);
    const ToolRun check = RunTool({"check", folder.File("found.dat")});
    EXPECT_EQ(check.out, "1 records\n");
}

TEST_F(ToolSearch, ADamagedSearchFileIsNamedAndNothingIsWritten)
{
    WriteFileBytes(folder.File("cut.srh"), I(2) + S("Includes"));
    const ToolRun run =
        RunTool({"extract", database, folder.File("cut.srh"), folder.File("found.dat")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("cut.srh is not a valid saved search"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder.File("found.dat")));
}

}  // namespace
}  // namespace quillmark::test
