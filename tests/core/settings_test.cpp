#include "support/test_helpers.h"

#include "core/program_settings.h"
#include "core/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace quillmark {
namespace {

namespace fs = std::filesystem;
using test::SaveOutcome;

class SettingsTest : public ::testing::Test {
protected:
    test::TemporaryFolder folder;
    const std::string path = folder.File("Quillmark.ini");
};

TEST_F(SettingsTest, SectionsAndKeysMatchWhateverTheirCaseAndBlanks)
{
    test::WriteFileBytes(path,
                         "[ settings ]\nspreadsheeth:=500\n  SPREADSHEETS:  = 90 \n"
                         "spreadsheet size:3=77\ndescstate=TRUE\n");
    const SettingsStore store(path);
    EXPECT_EQ(ReadSpreadsheetWindowSize(store), (SpreadsheetWindowSize{{640, 500}, 90}));
    EXPECT_EQ(ReadStartupSettings(store).Columns.Widths[3], 77);
    EXPECT_TRUE(ReadStartupSettings(store).ShortDescriptions);

    // The window writes "SpreadSheetH:": the same keys, changed where they stand.
    WriteSpreadsheetWindowSize(store, {{700, 510}, 95});
    EXPECT_EQ(test::ReadFileBytes(path),
              "[ settings ]\nspreadsheeth:=510\n  SPREADSHEETS:  =95\n"
              "spreadsheet size:3=77\ndescstate=TRUE\nSpreadsheetW:=700\n");
    EXPECT_EQ(ReadSpreadsheetWindowSize(store), (SpreadsheetWindowSize{{700, 510}, 95}));
}

TEST_F(SettingsTest, ClosingSettingsReadBackAfterAResetLayout)
{
    const SettingsStore store(path);
    ColumnLayout columns = ResetColumnLayout();
    columns.Widths[5] = 60;
    WriteClosingSettings(store, "/home/pat/staff.dat", 800, 600, columns, true, false);

    const StartupSettings startup = ReadStartupSettings(store);
    EXPECT_EQ(startup.LastFile, "/home/pat/staff.dat");
    EXPECT_EQ(startup.Columns, columns);
    EXPECT_TRUE(startup.ShortDescriptions);
    EXPECT_FALSE(startup.KeepBackupCopy);
    EXPECT_EQ(ReadWindowSize(store, "ViewW:", "ViewH:", DefaultViewSize), (WindowSize{800, 600}));
    const std::string text = test::ReadFileBytes(path);
    EXPECT_EQ(text.substr(0, 55), "[SETTINGS]\nLAST FILE=/home/pat/staff.dat\nViewW:=800\nVie");
    EXPECT_NE(text.find("\nSPREADSHEET:34=-1\n"), std::string::npos);
    EXPECT_NE(text.find("\nSPREADSHEET SIZE:5=60\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 13), "\nDESCSTATE=1\n");

    // An untitled database, or a declined reopen, leaves the last file empty.
    WriteClosingSettings(store, "", 800, 600, columns, false, true);
    EXPECT_NE(test::ReadFileBytes(path).find("\nLAST FILE=\n"), std::string::npos);
    EXPECT_FALSE(ReadStartupSettings(store).ShortDescriptions);
    EXPECT_TRUE(ReadStartupSettings(store).KeepBackupCopy);

    // Six recent files at most: the sixth is read, a seventh is not.
    test::WriteFileBytes(path,
                         "[Settings]\nRecent File:1=/a\nRecent File:6=/f\nRecent File:7=/g\n");
    EXPECT_EQ(ReadStartupSettings(store).RecentFiles, (std::vector<std::string>{"/a", "/f"}));
    // Written, they fill the six places and no seventh.
    std::filesystem::remove(path);
    WriteRecentFiles(store, {"/new"});
    const std::string recent = test::ReadFileBytes(path);
    EXPECT_NE(recent.find("\nRECENT FILE:1=/new\n"), std::string::npos) << recent;
    EXPECT_NE(recent.find("\nRECENT FILE:6=\n"), std::string::npos) << recent;
    EXPECT_EQ(recent.find("RECENT FILE:7"), std::string::npos) << recent;
}

TEST_F(SettingsTest, TextValuesComeBackAsWrittenAndCannotAddLines)
{
    const SettingsStore store(path);
    for (const std::string name : {" leading.dat", "trailing.dat ", "\"quoted\"", "a=b.dat"}) {
        SettingsStore::Group group = store.Open();
        group.WriteString("SETTINGS", "LAST FILE", name);
        group.Save();
        EXPECT_EQ(store.Open().ReadString("SETTINGS", "LAST FILE"), name);
    }

    // A file name may hold a line break; it must not become a key of its own.
    WriteClosingSettings(store, "/tmp/x\nViewW:=1", 700, 500, DefaultColumnLayout(), false, true);
    EXPECT_EQ(ReadStartupSettings(store).LastFile, "");
    EXPECT_EQ(ReadWindowSize(store, "ViewW:", "ViewH:", DefaultViewSize), (WindowSize{700, 500}));
}

TEST_F(SettingsTest, WritingKeepsEverythingElseByteForByte)
{
    test::WriteFileBytes(path,
                         "; written by hand\r\n[Other]\r\nViewW:=1\r\n\r\n"
                         "[SETTINGS]\r\nUnknown Key = keep  me \r\nViewW:=100\r\nViewW:=200\r\n\r\n"
                         "# about the next one\r\n[Last]\r\nx=y");
    const SettingsStore store(path);
    EXPECT_EQ(ReadWindowSize(store, "ViewW:", "ViewH:", DefaultViewSize), (WindowSize{100, 482}))
        << "the first of two equal keys counts, in its own section only";

    WriteWindowSize(store, "ViewW:", "ViewH:", {640, 480});
    SettingsStore::Group group = store.Open();
    group.WriteBool("New", "Flag", false);
    group.Save();
    EXPECT_EQ(test::ReadFileBytes(path),
              "; written by hand\r\n[Other]\r\nViewW:=1\r\n\r\n"
              "[SETTINGS]\r\nUnknown Key = keep  me \r\nViewW:=640\r\nViewW:=200\r\n"
              "ViewH:=480\r\n\r\n"
              "# about the next one\r\n[Last]\r\nx=y\r\n[New]\r\nFlag=0\r\n");
    EXPECT_EQ(store.Open().ReadString("settings", "unknown key"), "keep  me");
}

// More new keys than the table made on reading has room for: it grows while they are written,
// and every key, old or new, is still found in its own section only.
TEST_F(SettingsTest, HundredsOfNewKeysInOneSaveAreEachWrittenOnce)
{
    test::WriteFileBytes(path, "[SETTINGS]\nViewW:=1\n");
    const SettingsStore store(path);
    SettingsStore::Group group = store.Open();
    const auto section = [](int key, bool own) {
        return (key % 2 == 0) == own ? "New" : "SETTINGS";
    };
    // Twice each: the second value replaces the first where it stands.
    for (int key = 0; key < 1200; ++key) {
        group.WriteInteger(section(key, true), "K" + std::to_string(key % 600), key);
    }
    std::string kept = "[SETTINGS]\nViewW:=1\n";
    std::string added = "[New]\n";
    for (int key = 600; key < 1200; ++key) {
        const std::string name = "K" + std::to_string(key % 600);
        EXPECT_EQ(group.ReadInteger(section(key, true), name, -1), key) << name;
        EXPECT_EQ(group.ReadInteger(section(key, false), name, -1), -1) << name;
        (key % 2 == 0 ? added : kept) += name + "=" + std::to_string(key) + "\n";
    }
    EXPECT_EQ(group.ReadInteger("settings", "VIEWW:", -1), 1);
    group.Save();
    EXPECT_EQ(test::ReadFileBytes(path), kept + added);
}

TEST_F(SettingsTest, ValuesThatDoNotReadGiveTheDefault)
{
    test::WriteFileBytes(path,
                         "\xEF\xBB\xBF[SETTINGS]\nViewW:=abc\nViewH:=12x\nSearchW:=\nSearchH:=+\n"
                         "AlbumW:= -7 \nAlbumH:=+15\nGraphW:=99999999999\nGraphH:=--3\n"
                         "DESCSTATE=yes\nA=False\nB=0\nC=1\n");
    const SettingsStore store(path);
    EXPECT_EQ(ReadWindowSize(store, "ViewW:", "ViewH:", DefaultViewSize), DefaultViewSize);
    EXPECT_EQ(ReadWindowSize(store, "SearchW:", "SearchH:", DefaultSearchSize), DefaultSearchSize);
    EXPECT_EQ(ReadWindowSize(store, "AlbumW:", "AlbumH:", DefaultAlbumSize), (WindowSize{-7, 15}));
    EXPECT_EQ(ReadWindowSize(store, "GraphW:", "GraphH:", DefaultGraphSize), DefaultGraphSize);

    const SettingsStore::Group group = store.Open();
    EXPECT_TRUE(group.ReadBool("SETTINGS", "DESCSTATE", true));
    EXPECT_FALSE(group.ReadBool("SETTINGS", "DESCSTATE", false));
    EXPECT_FALSE(group.ReadBool("SETTINGS", "A", true));
    EXPECT_FALSE(group.ReadBool("SETTINGS", "B", true));
    EXPECT_TRUE(group.ReadBool("SETTINGS", "C", false));
}

TEST_F(SettingsTest, ResetWritesEveryWindowButTheCategoryEditor)
{
    test::WriteFileBytes(path,
                         "[SETTINGS]\nViewW:=1\nSpreadsheetS:=2\nAddDescW:=3\nAddDescH:=4\n"
                         "SPREADSHEET:22=5\n");
    const SettingsStore store(path);
    WriteResetSizes(store);
    EXPECT_EQ(test::ReadFileBytes(path),
              "[SETTINGS]\nViewW:=634\nSpreadsheetS:=174\nAddDescW:=3\nAddDescH:=4\n"
              "SPREADSHEET:22=5\n"
              "ViewH:=482\nSpreadsheetW:=640\nSpreadSheetH:=475\nSearchW:=581\nSearchH:=454\n"
              "AlbumW:=518\nAlbumH:=437\nGraphW:=611\nGraphH:=414\nReportW:=599\nReportH:=481\n");
}

TEST_F(SettingsTest, OddFilesReadAsWellAsTheyCanAndSurviveASave)
{
    const std::string longLine(1 << 20, 'x');
    const std::string files[] = {
        "",
        "ViewW:=1\n",  // no section at all
        "[\n]\n[]\n=\n==\n[SETTINGS\nViewW:=2\n",
        std::string("\0\0[SETTINGS]\0\n\r\r\n\n", 18) + longLine +
            "\n[SETTINGS]\nViewW:=" + longLine,
        "\n\n\r\r[SETTINGS]]]\r\nViewH:=3\r",
    };
    for (const std::string& original : files) {
        SCOPED_TRACE(original.substr(0, 40));
        test::WriteFileBytes(path, original);
        const SettingsStore store(path);
        EXPECT_EQ(ReadStartupSettings(store).Columns, DefaultColumnLayout());

        WriteWindowSize(store, "SearchW:", "SearchH:", {10, 20});
        EXPECT_EQ(ReadWindowSize(store, "SearchW:", "SearchH:", DefaultSearchSize),
                  (WindowSize{10, 20}));
        // All but a last line end that may have been added.
        const std::string kept = original.substr(0, std::max<std::size_t>(original.size(), 1) - 1);
        EXPECT_EQ(test::ReadFileBytes(path).substr(0, kept.size()), kept);
    }
}

// A settings file is read once for all its keys: a huge one costs a few times its bytes and
// a moment, not a scan for every key.
TEST_F(SettingsTest, AHugeFileIsReadInOnePass)
{
    // The first as large as a settings file that is read may be.
    const std::string blankLines =
        "[SETTINGS]\n" + std::string((16 << 20) - 22, '\n') + "ViewW:=700\n";
    std::string manyKeys = "[SETTINGS]\n";
    for (int key = 0; key < 1'000'000; ++key) {
        manyKeys += "k" + std::to_string(key) + "=1\n";
    }
    manyKeys += "SPREADSHEET:3=-1\n";
    const std::string* const files[] = {&blankLines, &manyKeys};
    for (const std::string* file : files) {
        test::WriteFileBytes(path, *file);
        const SettingsStore store(path);
        const double start = test::ProcessorSeconds();
        const test::AllocationWatch watch;
        const StartupSettings startup = ReadStartupSettings(store);
        EXPECT_EQ(ReadWindowSize(store, "ViewW:", "ViewH:", DefaultViewSize).width,
                  file == &blankLines ? 700 : 634);
        WriteWindowSize(store, "SearchW:", "SearchH:", {10, 20});
        EXPECT_LT(watch.Peak(), 6 * file->size());
        EXPECT_LT(test::ProcessorSeconds() - start, 5.0);

        EXPECT_EQ(startup.Columns.FieldNumbers[3], file == &manyKeys ? -1 : 20);
        EXPECT_EQ(test::ReadFileBytes(path), *file + "SearchW:=10\nSearchH:=20\n");
    }
}

TEST_F(SettingsTest, AFailedSaveLeavesTheOldFileAndSaysWhy)
{
    // A folder where the file should be: it reads as empty but must not be replaced.
    fs::create_directory(path);
    {
        const SettingsStore store(path);
        EXPECT_EQ(ReadWindowSize(store, "ViewW:", "ViewH:", DefaultViewSize), DefaultViewSize);
        EXPECT_EQ(SaveOutcome([&] { store.Open().Save(); }), "Is a directory");
        EXPECT_TRUE(fs::is_directory(store.Path()));
    }

    // Its folder is made when missing.
    const SettingsStore nested(folder.File("config/Quillmark/Quillmark.ini"));
    WriteWindowSize(nested, "ViewW:", "ViewH:", {1, 2});
    EXPECT_EQ(test::ReadFileBytes(nested.Path()), "[SETTINGS]\nViewW:=1\nViewH:=2\n");

    // An ordinary user whose settings folder may not be written.
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(folder.File("config/Quillmark").c_str(), 0555), 0);
    const SettingsStore unmakeable(folder.File("config/Quillmark/more/Quillmark.ini"));
    EXPECT_EQ(test::AsOrdinaryUser([&] {
                  return SaveOutcome([&] {
                             WriteWindowSize(nested, "ViewW:", "ViewH:", {3, 4});
                         }) +
                         ", " + SaveOutcome([&] { unmakeable.Open().Save(); });
              }),
              "Permission denied, Permission denied");
    EXPECT_EQ(test::ReadFileBytes(nested.Path()), "[SETTINGS]\nViewW:=1\nViewH:=2\n");
    ::chmod(folder.File("config/Quillmark").c_str(), 0700);
}

}  // namespace
}  // namespace quillmark
