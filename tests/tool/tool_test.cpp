// quillmark-tool as a user runs it: files in, JSON and messages out, exit codes.

#include "support/database_layout.h"
#include "support/scratch_folder.h"

#include "core/category_tree.h"
#include "core/database_file.h"
#include "engine/reports/html_report.h"
#include "engine/reports/report_format_file.h"
#include "engine/salary_calculation.h"
#include "engine/search/saved_search_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <limits>
#include <malloc.h>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace quillmark::test {
namespace {

using nlohmann::json;
using Names = std::vector<std::string>;

// "secret" enciphered with the start key 5281, worked out by hand.
constexpr const char* SecretHex = "6734bac20e61";

Names operator+(Names words, const Names& more)
{
    words.insert(words.end(), more.begin(), more.end());
    return words;
}

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
    long peakKilobytes = 0;  // of the tool's process alone
};

// Runs the built tool as a user would from a shell, with nothing to read. Without keepOutput
// its output goes nowhere, so that this process stays small for the memory checks; with
// outputTo it goes there.
ToolRun RunTool(Names arguments, bool keepOutput = true, const std::string& outputTo = "")
{
    const TemporaryFolder folder;
    const std::string out = !outputTo.empty() ? outputTo
                            : keepOutput      ? folder.File("out")
                                              : "/dev/null";
    const std::string err = keepOutput ? folder.File("err") : "/dev/null";
    arguments.insert(arguments.begin(), QUILLMARK_TOOL_PATH);
    std::vector<char*> words;
    for (std::string& argument : arguments) {
        words.push_back(argument.data());
    }
    words.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(::open("/dev/null", O_RDONLY), 0);
        ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        ::execv(words[0], words.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    ToolRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", "", usage.ru_maxrss};
    if (keepOutput) {
        run.out = outputTo.empty() ? ReadFileBytes(out) : "";
        run.err = ReadFileBytes(err);
    }
    return run;
}

// What a command prints, as a shell would run it; for the PDF readers' own tools.
std::string CommandOutput(const std::string& command)
{
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            output.append(buffer, got);
        }
        ::pclose(pipe);
    }
    return output;
}

int LineCount(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// A command turned down with that exit code and one line of message holding the words.
void ExpectRefusal(const ToolRun& run, int exitCode, const std::string& words = "")
{
    EXPECT_EQ(run.exitCode, exitCode) << run.err;
    EXPECT_EQ(LineCount(run.err), 1) << run.err;
    EXPECT_THAT(run.err, testing::HasSubstr(words));
}

Names RecordNamesIn(const std::string& path)
{
    const json dump = json::parse(RunTool({"dump", path}).out);
    Names names;
    for (const json& record : dump["records"]) {
        names.push_back(record["RecordName"]);
    }
    return names;
}

// A database built by the tool from JSON, as most commands' tests start from one.
std::string BuildDatabase(const TemporaryFolder& folder, const std::string& input,
                          const std::string& name = "staff.dat")
{
    WriteFileBytes(folder.File("in.json"), input);
    const ToolRun run = RunTool({"build", folder.File("in.json"), folder.File(name)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return folder.File(name);
}

#ifndef __has_feature
#define __has_feature(feature) 0
#endif
#if defined(__SANITIZE_ADDRESS__) || __has_feature(address_sanitizer)
constexpr bool UnderSanitizer = true;
#else
constexpr bool UnderSanitizer = false;
#endif

json Numbered(const std::string& prefix, int count)
{
    json texts = json::array();
    for (int i = 0; i < count; ++i) {
        texts.push_back(prefix + std::to_string(i));
    }
    return texts;
}

TEST(ToolDump, PrintsAFileMadeFromTheLayoutAsJson)
{
    HeaderLayout header;
    header.Version = "1.10";
    header.ReadPassword = Hex(SecretHex);
    header.Information[3] =
        "Montr\xE9"
        "al";
    header.Notes = {"first line", "\x80 100"};
    header.Captions[12] = "Born";  // the third detail caption
    header.SkillNames[4] = "Welding";
    header.Trees[1] = TreeTextComponent("Shift\r\n\tPart Time\r\n\t\tNights\r\n");

    RecordLayout record;
    record.RecordName =
        "Ren\xE9"
        "e \x81 Smith";
    record.ReadOnly = true;
    record.Texts[25] = "last";  // Other6
    record.SalaryType = 3;
    record.Experience = "4,100\r\n0,1,Acme\r\n";
    record.Lists[1] = {"/home/staff/cv.pdf"};  // ResumeFile
    record.Images[1] = {"/pictures/a.jpg", "Untitled 2", true};
    record.Status[1] = true;                                                   // Available
    record.Schedule[{2, 1}] = {0x3FD8000000000000ULL, 0x3FE5555555555555ULL};  // 09:00, 16:00
    record.Skills[5] = {true, "Expert", "certified"};

    TemporaryFolder folder;
    const std::string path = folder.File("people.dat");
    WriteFileBytes(path, header.Bytes(1) + record.Bytes());
    const ToolRun run = RunTool({"dump", path, "--read-password", "secret"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const json dump = json::parse(run.out);
    // One value a line, a blank written as one, and an empty list on one line.
    EXPECT_NE(run.out.find(
                  "\"DatabaseNotes\": [\n      \"first line\",\n      \"\xE2\x82\xAC 100\"\n    ]"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"Keywords\": [],"), std::string::npos);
    // Each value of the layout under the name and number the JSON gives it.
    const json expected = json::parse(R"({
        "/version": "1.10", "/ReadPassword": "6734bac20e61",
        "/DatabaseInfo/OwnerCity": "Montr\u00e9al",
        "/DatabaseInfo/DatabaseNotes": ["first line", "\u20ac 100"],
        "/DetailCaptions/2": "Born", "/SkillNames/4": "Welding",
        "/DescriptionTrees/1": "Shift\r\n\tPart Time\r\n\t\tNights\r\n",
        "/records/0/ReadOnly": true, "/records/0/RecordName": "Ren\u00e9e \u0081 Smith",
        "/records/0/Other/5": "last", "/records/0/SalaryType": 3,
        "/records/0/ExperienceStream": "4,100\r\n0,1,Acme\r\n",
        "/records/0/ResumeFile": ["/home/staff/cv.pdf"],
        "/records/0/Images/1/ImageFile": "/pictures/a.jpg", "/records/0/Images/1/ImageFlag": true,
        "/records/0/Available": true, "/records/0/ScheduleStart/1/0": 0.375,
        "/records/0/HasSkill/4": true, "/records/0/SkillProficiency/4": "Expert",
        "/records/0/SkillNotes/4": "certified"})");
    for (const auto& [pointer, value] : expected.items()) {
        const json::json_pointer at(pointer);
        EXPECT_EQ(dump.contains(at) ? dump[at] : json("missing"), value) << pointer;
    }
    EXPECT_EQ(dump["records"].size(), 1u);
    EXPECT_DOUBLE_EQ(dump["records"][0]["ScheduleEnd"][1][0].get<double>(), 16.0 / 24);
}

TEST(ToolBuild, BuildThenDumpGivesBackEveryField)
{
    // Every field set to something unusual, so that a field lost or mangled on the way shows.
    const std::string longText(300, 'x');
    std::string experience;
    for (int i = 0; i < 200; ++i) {
        experience.push_back(static_cast<char>('a' + i % 26));
    }
    json record = json::parse(R"({
        "ReadOnly": true, "RecordId": "ABC12345", "HoursPerWeek": "37.5", "SalaryType": 2147483647,
        "SalaryAmount": "$1,000", "WorkDaysPerWeek": "4", "Keywords": ["k1", ""],
        "ResumeFile": ["/cv.pdf"], "SpareList1": ["s1"], "SpareList2": ["s2", "s3"],
        "SpareText": "spare", "Working": true, "Available": false, "NotAvailable": true,
        "RecordName": "\u20ac \u0081\u008d\u008f\u0090\u009d \u00ff \u0178"})");
    record["Detail"] = Numbered("detail ", 10);
    record["Desc"] = Numbered("top : leaf ", 10);
    record["Other"] = {"o1", "o2", "o3", "o4", "o5", longText};
    record["SalaryFigures"] = Numbered("", 10);
    record["ExperienceStream"] = experience;
    record["Notes"] = {longText, "n\u00e9"};
    for (int i = 0; i < 6; ++i) {
        record["Images"].push_back({{"ImageFile", "/p" + std::to_string(i)},
                                    {"ImageTitle", "t" + std::to_string(i)},
                                    {"ImageFlag", i % 2 == 0}});
    }
    for (int day = 0; day < 7; ++day) {
        for (int slot = 0; slot < 10; ++slot) {
            record["ScheduleStart"][day][slot] = slot < 2 ? (day + 8.0 + slot * 5) / 24 : 0.0;
            record["ScheduleEnd"][day][slot] = slot < 2 ? (day + 12.25 + slot * 5) / 24 : 0.0;
        }
    }
    record["ScheduleStart"][6][9] = "7ff8000000000001";  // not a number: kept as its bits
    record["ScheduleEnd"][6][9] = -0.0;
    for (int i = 0; i < 100; ++i) {
        record["HasSkill"].push_back(i % 3 == 0);
        record["SkillProficiency"].push_back(i % 7 == 1 ? "p" + std::to_string(i) : "");
        record["SkillNotes"].push_back(i % 11 == 0 ? "n" + std::to_string(i) : "");
    }
    json input = json::parse(R"({
        "version": "1.12", "identification": "Quillmark", "ReadPassword": "",
        "OtherCaptions": ["a", "b", "c", "d", "e", "f"],
        "DatabaseInfo": {"DatabaseName": "All", "DatabaseOwner": "Owner", "OwnerStreet": "Street",
            "OwnerCity": "City", "OwnerCountry": "Country", "OwnerZipCode": "Zip",
            "OwnerHomePhone": "Home", "OwnerWorkPhone": "Work", "OwnerEmailAddress": "a@b.c",
            "OwnerWebPage": "web", "DatabaseNotes": ["one", "two"]}})");
    input["SavePassword"] = SecretHex;
    input["DescriptionCaptions"] = Numbered("D", 10);
    input["DetailCaptions"] = Numbered("T", 10);
    input["SkillNames"] = Numbered("S", 100);
    input["records"] = {record, record};
    for (int i = 0; i < 10; ++i) {
        input["DescriptionTrees"].push_back(
            i == 0 ? "" : "top\r\n\tchild " + std::to_string(i) + "\r\n");
    }
    input["records"][1]["RecordName"] = "second";
    input["records"][1]["SalaryType"] = std::numeric_limits<std::int32_t>::min();

    TemporaryFolder folder;
    WriteFileBytes(folder.File("in.json"), input.dump());
    const ToolRun build = RunTool({"build", folder.File("in.json"), folder.File("all.dat")});
    ASSERT_EQ(build.exitCode, 0) << build.err;
    EXPECT_EQ(build.out + build.err, "");
    const ToolRun dump = RunTool({"dump", folder.File("all.dat")});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    const json output = json::parse(dump.out);
    for (auto& [key, value] : input.items()) {
        EXPECT_EQ(output[key], value) << key;
    }
    EXPECT_EQ(output.size(), input.size());

    // The dump builds the very same bytes again.
    WriteFileBytes(folder.File("again.json"), dump.out);
    ASSERT_EQ(RunTool({"build", folder.File("again.json"), folder.File("again.dat")}).exitCode, 0);
    EXPECT_EQ(ReadFileBytes(folder.File("again.dat")), ReadFileBytes(folder.File("all.dat")));

    // Hex digits are read in either case and written in small letters.
    WriteFileBytes(folder.File("upper.json"), R"({"SavePassword": "AaFf09"})");
    ASSERT_EQ(RunTool({"build", folder.File("upper.json"), folder.File("upper.dat")}).exitCode, 0);
    EXPECT_EQ(json::parse(RunTool({"dump", folder.File("upper.dat")}).out)["SavePassword"],
              "aaff09");
}

TEST(ToolBuild, MissingKeysTakeNewDatabaseAndRecordValues)
{
    TemporaryFolder folder;
    const std::string path =
        BuildDatabase(folder, R"({"records": [{}, {"RecordName": "Untitled 1"}, {}]})", "new.dat");
    const json dump = json::parse(RunTool({"dump", path}).out);
    EXPECT_EQ(dump["version"], "1.12");
    EXPECT_EQ(dump["DatabaseInfo"]["DatabaseName"], "new.dat");
    // A new database's trees are the program's default trees.
    EXPECT_TRUE(dump["DescriptionTrees"][0].get<std::string>().starts_with("Full Time\r\n"));
    const json& records = dump["records"];
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0]["RecordName"], "Untitled 1");
    EXPECT_EQ(records[2]["RecordName"], "Untitled 2");
    EXPECT_EQ(records[0]["WorkDaysPerWeek"], "5");
    EXPECT_EQ(records[0]["RecordId"].get<std::string>().size(), 8u);
}

TEST(ToolBuild, BadInputIsRefusedWithOneLineNamingTheField)
{
    TemporaryFolder folder;
    const std::pair<const char*, const char*> cases[] = {
        {R"({"records": [{}, {"Notes": ["fine", "\u03a9 omega"]}]})", "records[1].Notes[1]"},
        {R"({"DetailCaptions": ["only one"]})", "DetailCaptions must hold 10 items"},
        {R"({"records": [{"SalaryType": "3"}]})", "records[0].SalaryType"},
        {R"({"records": [{"SalaryType": -2147483649}]})", "records[0].SalaryType is out of range"},
        {R"({"records": [{"SalaryType": 2147483648}]})", "records[0].SalaryType is out of range"},
        {R"({"ReadPassword": "abc"})", "ReadPassword"},
        {R"({"ReadPassword": "0g"})", "ReadPassword"},
        {R"({"ReadPassword": "G0"})", "ReadPassword"},
        {R"({"DescriptionTrees": ["a\r\n\t\tb", "", "", "", "", "", "", "", "", ""]})",
         "DescriptionTrees[0] line 2"},
        {R"({"DescriptionTrees": ["", "", "", "", "", "", "", "", "", "a\r\n\t\tb"]})",
         "DescriptionTrees[9] line 2"},
        {R"({"records": [)", "not valid JSON"},
    };
    for (const auto& [input, expected] : cases) {
        WriteFileBytes(folder.File("in.json"), input);
        const ToolRun run = RunTool({"build", folder.File("in.json"), folder.File("out.dat")});
        ExpectRefusal(run, 1, expected);
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(folder.Entries(), Names{"in.json"});
}

using ToolCheck = ScratchFolderTest;

TEST_F(ToolCheck, CountsTheRecordsOrSaysInOneLineWhatIsWrong)
{
    const std::string records = RecordLayout().Bytes() + RecordLayout().Bytes();
    const std::string goodBytes = HeaderLayout().Bytes(2) + records;
    const std::string good = Write("good.dat", goodBytes);
    // A count one lower than the records present: what the count says is read, with a warning.
    const std::string shortCount = Write("short.dat", HeaderLayout().Bytes(1) + records);
    // A name that would break the message into lines is shown escaped.
    const std::string empty = Write("new\nline.dat", "");
    const std::string missing = folder.File("none.dat");
    const std::size_t cutAt = goodBytes.size() - 7;
    const std::string cut = Write("cut.dat", goodBytes.substr(0, cutAt));
    const struct {
        std::string path;
        int exitCode;
        std::string out;
        std::string err;
    } cases[] = {
        {good, 0, "2 records\n", ""},
        {shortCount, 0, "1 records\n",
         "warning: " + shortCount +
             " holds data after its last record that Quillmark cannot read. Saving the database "
             "will not keep it."},
        {empty, 1, "", folder.File("new\\nline.dat") + " is empty."},
        {missing, 1, "", "Cannot read " + missing + ": No such file or directory"},
        {cut, 1, "",
         cut +
             " is not a valid Quillmark file: the file ends before the value is complete (at "
             "byte " +
             std::to_string(cutAt) + ")."},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool({"check", c.path});
        EXPECT_EQ(run.exitCode, c.exitCode) << c.path;
        EXPECT_EQ(run.out, c.out) << c.path;
        EXPECT_EQ(run.err, c.err.empty() ? "" : "quillmark-tool: " + c.err + "\n");
    }
    ExpectRefusal(RunTool({"check"}), 2);
}

TEST_F(ToolCheck, CraftedFilesTakeNoMoreThanAFewTimesTheirSize)
{
    if (UnderSanitizer) {
        GTEST_SKIP() << "the sanitizer keeps freed memory aside";
    }
    constexpr int Lines = 2'000'000;
    const auto emptyLines = [] { return "\x01" + Repeat(S(""), Lines) + '\0'; };
    const struct {
        const char* name;
        std::function<std::string()> bytes;
        int exitCode;
    } cases[] = {
        {"tree text of empty lines",
         [] {
             HeaderLayout header;
             header.Trees[0] = TreeTextComponent(std::string(Lines, '\n'));
             return header.Bytes(0);
         },
         1},  // too many categories
        {"notes of empty lines",
         [&] {
             const std::string header = HeaderLayout().BeforeTrees();
             const std::size_t notes = header.find(List({}));  // the header's one list
             return header.substr(0, notes) + emptyLines() + header.substr(notes + 2) +
                    Repeat(TreeComponent(), 10) + I(0);
         },
         0},
        {"a record's list of empty lines",
         [&] {
             const std::string record = RecordLayout().Bytes();
             const std::string lists = Repeat(List({}), 5);
             const std::size_t at = record.find(lists);
             return HeaderLayout().Bytes(1) + record.substr(0, at) + emptyLines() +
                    Repeat(List({}), 4) + record.substr(at + lists.size());
         },
         0},
        {"records of one-letter skill texts",
         [] {
             RecordLayout record;
             for (int skill = 1; skill <= 100; ++skill) {
                 record.Skills[skill] = {true, "p", "n"};
             }
             return HeaderLayout().Bytes(2000) + Repeat(record.Bytes(), 2000);
         },
         0},
    };
    std::vector<std::uint64_t> sizes;
    for (const auto& test : cases) {
        const std::string bytes = test.bytes();
        sizes.push_back(bytes.size());
        WriteFileBytes(folder.File(std::to_string(sizes.size()) + ".dat"), bytes);
    }
    WriteFileBytes(folder.File("small.dat"), HeaderLayout().Bytes(1) + RecordLayout().Bytes());
    // A child process starts with this one's memory: little of it, and the same for every run.
    ::malloc_trim(0);
    const ToolRun small = RunTool({"check", folder.File("small.dat")}, false);
    ASSERT_EQ(small.exitCode, 0);

    for (std::size_t i = 0; i < sizes.size(); ++i) {
        for (const char* command : {"check", "dump"}) {
            const ToolRun run =
                RunTool({command, folder.File(std::to_string(i + 1) + ".dat")}, false);
            // A command that keeps nothing of the file (check) may peak below the small run.
            const long peak = std::max(run.peakKilobytes - small.peakKilobytes, 0L);
            EXPECT_EQ(run.exitCode, cases[i].exitCode) << cases[i].name;
            EXPECT_LE(static_cast<std::uint64_t>(peak) * 1024, 3 * sizes[i])
                << command << ", " << cases[i].name << ": " << peak << " KB for " << sizes[i]
                << " bytes";
        }
    }
}

TEST(ToolSample, IsRepeatableAndRealistic)
{
    TemporaryFolder folder;
    for (const auto& [name, seed] : {std::pair{"a.dat", "42"}, {"b.dat", "42"}, {"c.dat", "43"}}) {
        ASSERT_EQ(RunTool({"sample", "300", folder.File(name), "--seed", seed}).exitCode, 0);
    }
    EXPECT_EQ(ReadFileBytes(folder.File("a.dat")), ReadFileBytes(folder.File("b.dat")));
    EXPECT_NE(ReadFileBytes(folder.File("a.dat")), ReadFileBytes(folder.File("c.dat")));
    EXPECT_EQ(RunTool({"check", folder.File("a.dat")}).out, "300 records\n");

    Database database;
    ASSERT_TRUE(ReadDatabaseFile(folder.File("a.dat"), database, ReadMode::Replace).Ok());
    // Description values are categories of the database's own trees.
    std::set<std::string> typeValues;
    for (const CategoryNode& top : ReadTreeText(database.DescriptionTrees[1]).Tree) {
        typeValues.insert(top.Text);
        for (const CategoryNode& child : top.Children) {
            typeValues.insert(CategoryFullName({top.Text, child.Text}));
        }
    }
    std::set<std::string> names;
    int withExperience = 0;
    for (const auto& record : database.RecordList) {
        names.insert(record->RecordName);
        if (!record->Desc[1].empty()) {
            EXPECT_TRUE(typeValues.contains(record->Desc[1])) << record->Desc[1];
        }
        // The stored figures are what the salary page would work out from the inputs.
        const SalaryCalculation salary =
            CalculateSalaryFigures(record->HoursPerWeek, record->SalaryAmount,
                                   record->WorkDaysPerWeek, record->SalaryType);
        EXPECT_TRUE(salary.Calculated) << salary.Status;
        for (int period = 1; period <= PayPeriodCount; ++period) {
            EXPECT_EQ(record->SalaryFigures[period], salary.Figures[period]);
        }
        withExperience += record->ExperienceStream.empty() ? 0 : 1;
    }
    EXPECT_GT(names.size(), 250u);
    EXPECT_GT(withExperience, 100);
}

// The writers of records: sort puts them in the key's order, merge appends the second file's,
// recalc works their pay out as the salary page does; each writes its output and nothing else.
TEST(ToolWriters, SortMergeAndRecalcWriteTheRecordsAndNothingElse)
{
    TemporaryFolder folder;
    json input;
    for (const auto& [name, days, type] :
         {std::tuple{"b", "5", 3}, std::tuple{"A", "5", 9}, std::tuple{"c", "8", 3}}) {
        input["records"].push_back({{"RecordName", name},
                                    {"HoursPerWeek", "40"},
                                    {"SalaryAmount", "500"},
                                    {"WorkDaysPerWeek", days},
                                    {"SalaryType", type},
                                    {"SalaryFigures", Names(10, "999.99")}});
    }
    const std::string in = BuildDatabase(folder, input.dump(), "in.dat");
    const std::string out = folder.File("out.dat");
    const auto printed = [](const Names& arguments) {
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        return run.out;
    };
    EXPECT_EQ(printed({"sort", in, "27", out}), "");
    EXPECT_EQ(RecordNamesIn(out), (Names{"A", "b", "c"}));
    EXPECT_EQ(printed({"sort", in, "--descending", "0", out}), "");
    EXPECT_EQ(RecordNamesIn(out), (Names{"c", "b", "A"}));
    ExpectRefusal(RunTool({"sort", in, "name", out}), 2);

    EXPECT_EQ(printed({"merge", in, out, folder.File("merged.dat")}), "");
    EXPECT_EQ(RecordNamesIn(folder.File("merged.dat")), (Names{"b", "A", "c", "c", "b", "A"}));
    // Another save password is refused, and nothing is written.
    const std::string locked =
        BuildDatabase(folder, json{{"SavePassword", SecretHex}}.dump(), "locked.dat");
    ExpectRefusal(RunTool({"merge", in, locked, folder.File("no.dat")}), 1,
                  "they use different passowrds.");

    EXPECT_EQ(printed({"recalc", in, out}), "3 records, 1 without salary figures\n");
    const json records = json::parse(RunTool({"dump", out}).out)["records"];
    ASSERT_EQ(records.size(), 3u);
    const auto figures = [&records](std::size_t record) {
        return records[record]["SalaryFigures"].get<Names>();
    };
    // Figures 7 to 10 are no pay period's; like the page, a good calculation leaves them be.
    EXPECT_EQ(figures(0)[2], "500.00");
    EXPECT_EQ(figures(0)[6], "999.99");
    EXPECT_EQ(figures(2), Names(10));
    EXPECT_EQ(folder.Entries(),
              (Names{"in.dat", "in.json", "locked.dat", "merged.dat", "out.dat"}));
}

TEST(ToolPasswords, ReadersNeedTheReadPasswordAndWritersTheSavePasswordOfTheFileTheyReplace)
{
    const ToolRun encipher = RunTool({"cipher", "encipher", "secret"});
    EXPECT_EQ(encipher.exitCode, 0);
    EXPECT_EQ(encipher.out, std::string(SecretHex) + "\n");
    EXPECT_EQ(RunTool({"cipher", "decipher", SecretHex}).out, "secret\n");
    ExpectRefusal(RunTool({"cipher", "decipher", "abc"}), 1);

    TemporaryFolder folder;
    // Built from JSON, a database keeps the passwords the JSON holds.
    const json input = {{"ReadPassword", SecretHex},
                        {"SavePassword", SecretHex},
                        {"records", json::array({json::object()})}};
    const std::string path = BuildDatabase(folder, input.dump(), "Z\xC3\xBCrich.dat");
    Database built;
    ASSERT_TRUE(ReadDatabaseFile(path, built, ReadMode::Replace).Ok());
    EXPECT_EQ(built.ReadPassword, Hex(SecretHex));
    EXPECT_EQ(built.SavePassword, Hex(SecretHex));
    EXPECT_EQ(built.DatabaseInfo.DatabaseName, "Z\xFCrich.dat");  // stored as Windows-1252

    const Names wrongPasswords[] = {{}, {"--read-password", "Secret"}, {"--read-password", ""}};
    for (const Names& reader :
         {Names{"dump", path}, Names{"check", path}, Names{"export", path, folder.File("o.txt")}}) {
        for (const Names& password : wrongPasswords) {
            const ToolRun run = RunTool(reader + password);
            EXPECT_EQ(run.exitCode, 1) << reader[0];
            EXPECT_EQ(run.err, "quillmark-tool: You have entered an incorrect password.\n");
            EXPECT_EQ(run.out, "");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("o.txt")));
    EXPECT_EQ(RunTool({"check", path, "--read-password", "secret"}).out, "1 records\n");

    const std::vector<Names> writers = {
        {"sort", path, "27", path, "--read-password", "secret"},
        {"build", folder.File("in.json"), path},
    };
    for (const Names& writer : writers) {
        const std::string before = ReadFileBytes(path);
        for (const Names& password : {Names{}, {"--save-password", "Secret"}}) {
            const ToolRun run = RunTool(writer + password);
            EXPECT_EQ(run.exitCode, 1) << writer[0];
            EXPECT_EQ(run.err,
                      "quillmark-tool: Sorry, you do not have permission to save this file.\n");
        }
        EXPECT_EQ(ReadFileBytes(path), before);
        const ToolRun run = RunTool(writer + Names{"--save-password", "secret"});
        EXPECT_EQ(run.exitCode, 0) << writer[0] << ": " << run.err;
    }
}

TEST(ToolEncryption, EncryptedFilesOpenWithTheirPasswordAndWritersKeepThemEncrypted)
{
    TemporaryFolder folder;
    const json input = {{"ReadPassword", SecretHex},
                        {"records", json::array({{{"RecordName", "Ann Lee"}}})}};
    const std::string plain = BuildDatabase(folder, input.dump(), "plain.dat");
    const std::string encrypted = folder.File("encrypted.dat");
    ASSERT_EQ(RunTool({"encrypt", plain, encrypted, "--password", "secret"}).exitCode, 0);
    EXPECT_EQ(ReadFileBytes(encrypted).find("Ann Lee"), std::string::npos);

    // The rest on a file encrypted with the least work, as the tool would open one.
    Database database;
    ASSERT_TRUE(ReadDatabaseFile(plain, database, ReadMode::Replace).Ok());
    database.Encrypted = true;
    const std::string locked = folder.File("locked.dat");
    SaveDatabaseFile(locked, database, {.KeyLimits = FastestKeyDerivation()});
    EXPECT_EQ(RunTool({"check", locked, "--read-password", "secret"}).out, "1 records\n");
    EXPECT_EQ(RunTool({"check", locked}).err,
              "quillmark-tool: You have entered an incorrect password.\n");

    // Writers, which all save alike, keep the encryption; merging two encrypted files needs
    // one password.
    const std::string merged = folder.File("merged.dat");
    ASSERT_EQ(RunTool({"merge", locked, locked, merged, "--read-password", "secret"}).exitCode, 0);
    EXPECT_EQ(ReadFileBytes(merged).substr(0, 8), "QMKCRYPT");
    EXPECT_EQ(RunTool({"check", merged, "--read-password", "secret"}).out, "2 records\n");

    // Decrypted, the file is the plain one byte for byte.
    const std::string back = folder.File("back.dat");
    ASSERT_EQ(RunTool({"decrypt", locked, back, "--password", "secret"}).exitCode, 0);
    EXPECT_EQ(ReadFileBytes(back), ReadFileBytes(plain));

    std::string changed = ReadFileBytes(locked);
    changed[changed.size() / 2] ^= 4;
    WriteFileBytes(locked, changed);
    ExpectRefusal(RunTool({"check", locked, "--read-password", "secret"}), 1,
                  "is damaged and was not opened");
}

// The saved search run from the command line, as the search window runs it.
class ToolSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        BuildDatabase(folder, R"({"records": [
            {"RecordName": "Ann Smith", "HoursPerWeek": "40 hrs"},
            {"RecordName": "Bob Jones", "HoursPerWeek": "38"},
            {"RecordName": "Cy Smithers", "HoursPerWeek": "20"},
            {"RecordName": "Di Smith"}]})");
    }

    // Name holds "smith" and the hours are 30 to 45; rows out of slot order.
    void SaveSearch(const std::string& path)
    {
        SearchTermTable terms;
        terms[4] = {SearchFieldTag::Name, 1, "smith", "", "", "", "", 0};
        terms[2] = {SearchFieldTag::HoursPerWeek, 1, "30", "45", "", "", "", 0};
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
    ASSERT_EQ(
        RunTool({"extract", database, folder.File("find.srh"), folder.File("found.dat")}).exitCode,
        0);
    EXPECT_EQ(RunTool({"check", folder.File("found.dat")}).out, "1 records\n");

    // A damaged search file is named and nothing is written.
    WriteFileBytes(folder.File("cut.srh"), I(2) + S("Includes"));
    ExpectRefusal(RunTool({"extract", database, folder.File("cut.srh"), folder.File("no.dat")}), 1,
                  "cut.srh is not a valid saved search");
    EXPECT_FALSE(std::filesystem::exists(folder.File("no.dat")));
}

// The graph window's counts from the command line.
TEST(ToolGraph, PrintsEachSubCategoryWithItsCountOrSaysWhatIsWrong)
{
    const TemporaryFolder folder;
    json input = {{"DescriptionTrees", Names(10)}};
    input["DescriptionTrees"][0] = "Full Time\r\nPart Time\r\n\tNights\r\n\tCaf\u00e9\r\n";
    for (const char* value : {"Full Time", "Nights : Part Time", "Caf\u00e9 : Part Time"}) {
        Names descriptions(10);
        descriptions[0] = value;
        input["records"].push_back({{"Desc", descriptions}});
    }
    const std::string database = BuildDatabase(folder, input.dump());

    struct Case {
        Names arguments;
        int exitCode;
        std::string out;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{"1"}, 0, "Full Time\t1\nPart Time\t2\n", ""},
        {{"1", "Part Time"}, 0, "Nights\t1\nCaf\u00e9\t1\n", ""},
        {{"1", "Days : Part Time"},
         1,
         "",
         "quillmark-tool: Field 1 has no category \"Days : Part Time\".\n"},
        {{"11"}, 2, "", "FIELD must be a description field, 1 to 10"},
        {{}, 2, "", "wrong number of arguments"},
    };
    for (const Case& c : cases) {
        const ToolRun run = RunTool(Names{"graph", database} + c.arguments);
        const std::string shown = c.arguments.empty() ? "(none)" : c.arguments.front();
        EXPECT_EQ(run.exitCode, c.exitCode) << shown << ": " << run.err;
        EXPECT_EQ(run.out, c.out) << shown;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << shown << ": " << run.err;
        EXPECT_EQ(LineCount(run.err), c.err.empty() ? 0 : 1) << shown;
    }
}

// The quick export from the command line, as the File menu writes it.
TEST(ToolExport, WritesEveryRecordAsQuickExportDoesButNotOverAFileTheUserMayNotWrite)
{
    TemporaryFolder folder;
    const std::string database = BuildDatabase(
        folder, R"({"records": [{"RecordName": "Smith, Zo\u00eb"}, {"RecordName": "Bob"}]})");
    const std::string output = folder.File("staff.txt");
    WriteFileBytes(output, "replaced");
    ToolRun run = RunTool({"export", database, output});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    // UTF-8 unless Windows-1252 is asked for.
    EXPECT_EQ(ReadFileBytes(output).substr(0, 14), "\"Smith, Zo\xC3\xAB\",");
    EXPECT_EQ(LineCount(ReadFileBytes(output)), 2);
    run = RunTool({"export", database, output, "--encoding", "windows-1252"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFileBytes(output).substr(0, 13), "\"Smith, Zo\xEB\",");
    EXPECT_EQ(RunTool({"export", database, output, "--encoding", "latin1"}).exitCode, 2);

    run = RunTool({"export", database, folder.File("none/staff.txt")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.rfind(
                  "quillmark-tool: Cannot create file " + folder.File("none/staff.txt") + ": ", 0),
              0u)
        << run.err;

    // An ordinary user in a folder open to everyone: only the folder's permission was looked at,
    // so the tool took over the user's own read-only files. Whose files may be saved over is the
    // safe save's to test; here the tool must say so in one line.
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0);
    const std::string mine = folder.File("mine.txt");
    const std::string seen = AsOrdinaryUser([&] {
        WriteFileBytes(mine, "mine");
        ::chmod(mine.c_str(), 0444);
        const ToolRun refused = RunTool({"export", database, mine});
        return std::to_string(refused.exitCode) + " " + refused.err;
    });
    EXPECT_EQ(seen, "1 quillmark-tool: Sorry, you do not have permission to save " + mine + ".\n");
    EXPECT_EQ(ReadFileBytes(mine), "mine");
}

// The report window's HTML report from the command line, of all records or of those found.
TEST_F(ToolSearch, HtmlReportWritesTheItemsOfTheRecordsAsTheWindowDoes)
{
    SaveSearch(folder.File("find.srh"));
    // A header written in UTF-8 stays what it says.
    WriteFileBytes(folder.File("head.htm"), "<h1>Caf\xC3\xA9 & co</h1>\n");
    WriteFileBytes(folder.File("kanji.htm"), "<h1>\xE6\x97\xA5</h1>\n");
    const std::string out = folder.File("out.htm");
    const ToolRun run = RunTool({"html-report", database, out, "--items", "230,220", "--bold",
                                 "--font-color", "ffffff", "--background", "000000", "--header",
                                 folder.File("head.htm"), "--search", folder.File("find.srh")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The page's layout is the engine's; each option must reach it.
    const std::string html = ReadFileBytes(out);
    EXPECT_THAT(html, testing::HasSubstr("<title>staff.dat</title>\r\n</head>\r\n<body>\r\n"
                                         "<h1>Caf\xC3\xA9 & co</h1>\r\n<table"));
    EXPECT_THAT(html, testing::HasSubstr("<B>Name</B></td>\r\n<td nowrap BGCOLOR=\"#C0C0C0\">"
                                         "<B>Record #</B>"));
    EXPECT_THAT(html, testing::HasSubstr("<td nowrap BGCOLOR=\"#000000\"><font color=\"#FFFFFF\">"
                                         "<B>Ann Smith</B></font></td>"));
    EXPECT_EQ(html.find("Bob Jones"), std::string::npos);

    const struct {
        Names options;
        int exitCode;
        std::string err;
    } refused[] = {
        {{}, 2, "--items is needed"},
        {{"--items", "230,235"}, 2, "235 is none of them"},
        {{"--items", "230,"}, 2, "--items takes codes"},
        {{"--items", "230", "--background", "fff"}, 2, "--background takes six hexadecimal"},
        {{"--items", "230", "--footer", folder.File("none.htm")}, 1, "Cannot read"},
        {{"--items", "230", "--header", folder.File("kanji.htm")}, 1, "Line 1 holds a character"},
    };
    for (const auto& r : refused) {
        ExpectRefusal(RunTool(Names{"html-report", database, folder.File("no.htm")} + r.options),
                      r.exitCode, r.err);
        EXPECT_FALSE(std::filesystem::exists(folder.File("no.htm")));
    }

    // Past a thousand records the rest are left out, with the window's warning.
    ASSERT_EQ(RunTool({"sample", "1001", folder.File("big.dat")}).exitCode, 0);
    const ToolRun big = RunTool({"html-report", folder.File("big.dat"), out, "--items", "220"});
    EXPECT_EQ(big.exitCode, 0);
    EXPECT_EQ(big.err, std::string("quillmark-tool: warning: ") + HtmlReportLimitWarning + "\n");
}

// Report inputs cost a few times their size: an item list of one item thirty thousand times,
// a header of ten million empty lines, a report title of sixteen million characters.
TEST_F(ToolSearch, ReportInputsTakeNoMoreThanAFewTimesTheirSize)
{
    if (UnderSanitizer) {
        GTEST_SKIP() << "the sanitizer keeps freed memory aside";
    }
    constexpr std::size_t HeaderSize = 10'000'000;
    WriteFileBytes(folder.File("lines.htm"), std::string(HeaderSize, '\n'));
    std::string items = "230";
    for (int i = 1; i < 30000; ++i) {
        items += ",230";
    }
    const std::string out = folder.File("out.htm");
    ::malloc_trim(0);
    const ToolRun small = RunTool({"html-report", database, out, "--items", "230"}, false);
    ASSERT_EQ(small.exitCode, 0);

    const ToolRun repeated = RunTool({"html-report", database, out, "--items", items});
    EXPECT_EQ(repeated.exitCode, 2);
    EXPECT_EQ(repeated.err,
              "quillmark-tool: --items takes each code once: 230 is given twice (quillmark-tool "
              "--help lists the commands)\n");
    EXPECT_LE(repeated.peakKilobytes - small.peakKilobytes, 1024);

    const ToolRun header = RunTool(
        {"html-report", database, out, "--items", "230", "--header", folder.File("lines.htm")},
        false);
    EXPECT_EQ(header.exitCode, 0);
    EXPECT_LE(static_cast<std::size_t>(header.peakKilobytes - small.peakKilobytes) * 1024,
              4 * HeaderSize);
    EXPECT_GT(std::filesystem::file_size(out), 2 * HeaderSize);

    ReportFormat format;
    format.Items = {{22, 0, "Name"}};
    SaveReportFormat(folder.File("short.rpt"), format);
    format.Title = std::string(16 << 20, 'W');
    SaveReportFormat(folder.File("long.rpt"), format);
    const ToolRun shortTitle = RunTool(
        {"report", database, folder.File("short.rpt"), "--pdf", folder.File("a.pdf")}, false);
    const ToolRun longTitle = RunTool(
        {"report", database, folder.File("long.rpt"), "--pdf", folder.File("b.pdf")}, false);
    EXPECT_EQ(longTitle.exitCode, 0);
    EXPECT_LE(static_cast<std::size_t>(longTitle.peakKilobytes - shortTitle.peakKilobytes) * 1024,
              3 * format.Title.size());
}

// The column report laid out from a format file, its table and pages written out.
// The PDF holds every text of its pages, as a PDF reader finds it, in fonts of any name.
TEST_F(ToolSearch, ReportWritesTheTableAndPagesOfTheRecordsChosen)
{
    ReportFormat format;
    format.Items = {{22, 0, "Name"}, {20, 0, "Status"}};
    format.Columns = "2";
    format.TitleFont.name = "Caf\xE9";
    format.BodyFont.name = "Caf\xE9";
    SaveReportFormat(folder.File("names.rpt"), format);
    const ToolRun run =
        RunTool({"report", database, folder.File("names.rpt"), "--csv", folder.File("all.csv"),
                 "--html", folder.File("all.htm"), "--pdf", folder.File("all.pdf")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "4 records on 1 pages\n");
    EXPECT_EQ(ReadFileBytes(folder.File("all.csv")),
              "#,Name,Status\r\n1.,Ann Smith,None\r\n2.,Bob Jones,None\r\n"
              "3.,Cy Smithers,None\r\n4.,Di Smith,None\r\n");
    const std::string page = ReadFileBytes(folder.File("all.htm"));
    EXPECT_NE(page.find("<title>Report Title</title>"), std::string::npos) << page;
    const std::string pdf = ReadFileBytes(folder.File("all.pdf"));
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("/Count 1"), std::string::npos) << "one page";
    const std::string text = CommandOutput("pdftotext " + folder.File("all.pdf") + " -");
    for (const char* shown : {"Report Title", "Name", "1.", "Ann Smith", "Di Smith"}) {
        EXPECT_NE(text.find(shown), std::string::npos) << shown << " in\n" << text;
    }
    const std::string info = CommandOutput("pdfinfo " + folder.File("all.pdf"));
    EXPECT_NE(info.find("Title:           Report Title\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Creator:         Quillmark\n"), std::string::npos) << info;

    SaveSearch(folder.File("find.srh"));
    ASSERT_EQ(
        RunTool({"report", database, folder.File("names.rpt"), "--search", folder.File("find.srh"),
                 "--csv", folder.File("found.csv"), "--encoding", "windows-1252"})
            .exitCode,
        0);
    EXPECT_EQ(ReadFileBytes(folder.File("found.csv")), "#,Name,Status\r\n1.,Ann Smith,None\r\n");

    WriteFileBytes(folder.File("cut.rpt"), S("Report Title") + B(true));
    const ToolRun cut =
        RunTool({"report", database, folder.File("cut.rpt"), "--csv", folder.File("cut.csv")});
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_EQ(cut.err.find("quillmark-tool: Sorry " + folder.File("cut.rpt") +
                           " is not a valid report file"),
              0u)
        << cut.err;
    EXPECT_FALSE(std::filesystem::exists(folder.File("cut.csv")));
}

// What a command prints must reach its place: a full disk left a cut list and exit 0. Every
// command prints through one stream: a long output, a short one and the help stand for all.
TEST_F(ToolSearch, ACommandWhoseOutputCannotBeWrittenFailsInOneLine)
{
    for (const Names& command :
         {Names{"dump", database}, Names{"check", database}, Names{"--help"}}) {
        const ToolRun run = RunTool(command, true, "/dev/full");
        EXPECT_EQ(run.exitCode, 1) << command[0];
        EXPECT_EQ(run.err,
                  "quillmark-tool: Cannot write to standard output: No space left on device\n")
            << command[0];
    }
}

// Texts a file holds go into messages escaped: a file cannot forge a line of the tool's own
// ("quillmark-tool: 0 records") nor send the terminal commands.
TEST_F(ToolSearch, TextFromAFileCannotForgeALineOrCommandTheTerminal)
{
    ReportFormat format;
    format.Items = {{22, 0, "Name"}};
    format.TopMargin = "1\nquillmark-tool: 0 records";
    SaveReportFormat(folder.File("forged.rpt"), format);
    SearchTermTable terms;
    terms[1] = {SearchFieldTag::Schedule, 1, "9\x1B[2J", "17:00", "Any Day", "", "", 0};
    SaveSearchFile(folder.File("forged.srh"), {{"", "Includes", "9 to 5", 1}}, terms);

    const struct {
        Names arguments;
        std::string shown;
    } cases[] = {
        {{"report", database, folder.File("forged.rpt")},
         "a margin of \"1\\nquillmark-tool: 0 records\" inches"},
        {{"search", database, folder.File("forged.srh")},
         "Search term 1 holds the time \"9\\x1B[2J\", which is not a time of day."},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool(c.arguments);
        ExpectRefusal(run, 1, c.shown);
        EXPECT_EQ(run.err.find('\x1B'), std::string::npos);
    }
}

TEST_F(ToolSearch, ImportAddsARecordForEachLineAndCountsThem)
{
    WriteFileBytes(folder.File("in.txt"),
                   "Eve Long,\"12 \"\"Oak\"\" St, Apt 4\",Working\r\nJos\xC3\xA9,1 Elm St\r\n");
    const ToolRun run = RunTool({"import", database, folder.File("in.txt"), folder.File("out.dat"),
                                 "--columns", "22,10,20"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "2 records imported\n");
    const json records = json::parse(RunTool({"dump", folder.File("out.dat")}).out)["records"];
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[4]["RecordName"], "Eve Long");
    EXPECT_EQ(records[4]["Detail"][0], "12 \"Oak\" St, Apt 4");
    EXPECT_EQ(records[4]["Working"], true);
    EXPECT_EQ(records[5]["RecordName"], "Jos\u00e9");
    EXPECT_EQ(records[5]["Working"], false);

    WriteFileBytes(folder.File("wide.txt"), "Ann\nBo \xE6\x97\xA5\n");
    const ToolRun wide = RunTool(
        {"import", database, folder.File("wide.txt"), folder.File("bad.dat"), "--columns", "22"});
    EXPECT_EQ(wide.exitCode, 1);
    EXPECT_EQ(wide.err,
              "quillmark-tool: Cannot import " + folder.File("wide.txt") +
                  ": Line 2 holds a character that a database cannot store: \xE6\x97\xA5; " +
                  folder.File("bad.dat") + " was not written.\n");

    for (const char* columns : {"22,,10", "35", "22,22", "x"}) {
        const ToolRun bad = RunTool({"import", database, folder.File("in.txt"),
                                     folder.File("bad.dat"), "--columns", columns});
        ExpectRefusal(bad, 2);
    }
    ExpectRefusal(
        RunTool({"import", database, folder.Path(), folder.File("bad.dat"), "--columns", "22"}), 1,
        "0 records were imported before it");
    EXPECT_FALSE(std::filesystem::exists(folder.File("bad.dat")));
}

}  // namespace
}  // namespace quillmark::test
