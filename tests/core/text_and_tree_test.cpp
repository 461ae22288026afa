#include "support/test_helpers.h"

#include "core/category_tree.h"
#include "core/default_trees.h"
#include "core/file_names.h"
#include "core/record_paths.h"
#include "core/windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace quillmark {
namespace {

CategoryNode Leaf(const std::string& text)
{
    return {text, {}};
}

// Shift > (Part Time > Nights, Full Time), Other
const CategoryTree Shifts = {
    {"Shift", {{"Part Time", {Leaf("Nights")}}, Leaf("Full Time")}},
    Leaf("Other"),
};

TEST(TreeTextTest, ReadsLevelsFromTabsAndSpaces)
{
    const struct {
        const char* what;
        std::string text;
    } sameTree[] = {
        {"tabs and CR LF", "Shift\r\n\tPart Time\r\n\t\tNights\r\n\tFull Time\r\nOther\r\n"},
        {"LF only, no final line end", "Shift\n\tPart Time\n\t\tNights\n\tFull Time\nOther"},
        {"CR only", "Shift\r\tPart Time\r\t\tNights\r\tFull Time\rOther\r"},
        {"spaces count as levels", "Shift\n Part Time\n \tNights\n\tFull Time\nOther\n"},
        {"first line indented", "\t\t  Shift\n\tPart Time\n\t\tNights\n\tFull Time\nOther\n"},
    };
    for (const auto& c : sameTree) {
        SCOPED_TRACE(c.what);
        const TreeTextResult result = ReadTreeText(c.text);
        ASSERT_TRUE(result.Ok()) << "line " << *result.ErrorLine;
        EXPECT_EQ(result.Tree, Shifts);
    }

    // Every line is a category, an empty one too; a final line end adds none.
    EXPECT_EQ(ReadTreeText("").Tree, CategoryTree{});
    EXPECT_EQ(ReadTreeText("\r\n").Tree, CategoryTree{Leaf("")});
    EXPECT_EQ(ReadTreeText("A\r\n\r\nB\r\n").Tree, (CategoryTree{Leaf("A"), Leaf(""), Leaf("B")}));
    EXPECT_EQ(ReadTreeText("A\n\rB").Tree, (CategoryTree{Leaf("A"), Leaf(""), Leaf("B")}))
        << "LF then CR are two line ends";
    EXPECT_EQ(ReadTreeText("A\n\t\nB").Tree, (CategoryTree{{"A", {Leaf("")}}, Leaf("B")}));
    // Going back up any number of levels at once.
    EXPECT_EQ(ReadTreeText("A\n\tB\n\t\tC\n\t\t\tD\nE\n\tF").Tree,
              (CategoryTree{{"A", {{"B", {{"C", {Leaf("D")}}}}}}, {"E", {Leaf("F")}}}));
}

TEST(TreeTextTest, ALineTooDeepStopsWithItsLineNumber)
{
    EXPECT_EQ(ReadTreeText("Top\r\n\t\tToo deep\r\n").ErrorLine, 2u);
    EXPECT_EQ(ReadTreeText("A\n\tB\n\t\tC\nD\n\t\tE\n").ErrorLine, 5u);
    EXPECT_EQ(ReadTreeText("A\r\n\r\n\t\t\tX").ErrorLine, 3u);
    EXPECT_EQ(ReadTreeText("A\n  B").ErrorLine, 2u) << "two spaces are two levels";
    // A staircase of a hundred levels is read; a deeper one, however well formed, is refused
    // instead of being walked recursively.
    std::string deep;
    for (int level = 0; level < 100; ++level) {
        deep += std::string(static_cast<std::size_t>(level), '\t') + "x\n";
    }
    EXPECT_TRUE(ReadTreeText(deep).Ok());
    deep += std::string(100, '\t') + "x\n";
    EXPECT_EQ(ReadTreeText(deep).ErrorLine, 101u);
}

TEST(TreeTextTest, WrittenTreesReadBackTheSameAndFullNamesRunUp)
{
    EXPECT_EQ(WriteTreeText(Shifts),
              "Shift\r\n\tPart Time\r\n\t\tNights\r\n\tFull Time\r\nOther\r\n");
    const CategoryTree awkward = {
        Leaf(""),
        {"\xC4rger \x80", {Leaf(""), {"B", {{"C", {Leaf("D")}}}}}},
        Leaf("Last"),
    };
    for (const CategoryTree& tree : {Shifts, awkward, CategoryTree{}}) {
        const TreeTextResult reread = ReadTreeText(WriteTreeText(tree));
        ASSERT_TRUE(reread.Ok());
        EXPECT_EQ(reread.Tree, tree);
    }
    // A record keeps a category by its full name, from the category up.
    EXPECT_EQ(CategoryFullName({"Shift", "Part Time", "Nights"}), "Nights : Part Time : Shift");
    EXPECT_EQ(CategoryFullName({"Shift"}), "Shift");
    EXPECT_EQ(CategoryFullName({}), "");
}

TEST(DefaultTreesTest, TheUsersFolderComesFirstAndTheShippedTreesAreValid)
{
    test::TemporaryFolder user;
    test::TemporaryFolder program;
    test::WriteFileBytes(user.File("description1.def"), "Mine\r\n");
    test::WriteFileBytes(program.File("description1.def"), "Shipped\r\n");
    test::WriteFileBytes(program.File("description2.def"), "Top\n Child\n\tSibling\n");
    test::WriteFileBytes(program.File("description10.def"), "Ten\r\n");
    test::WriteFileBytes(program.File("description4.def"), "Top\r\n\t\tToo deep\r\n");
    // A database holds no more categories than this, so a default of more could not be saved.
    const int most = static_cast<int>(MaximumCategories);
    test::WriteFileBytes(program.File("description5.def"), test::Repeat("C\n", most));
    test::WriteFileBytes(program.File("description6.def"), test::Repeat("C\n", most + 1));

    const auto trees = ReadDefaultTrees({user.Path(), program.Path()});
    EXPECT_EQ(trees[1], "Mine\r\n");
    EXPECT_EQ(trees[2], "Top\r\n\tChild\r\n\tSibling\r\n") << "given back with tabs and CR LF";
    EXPECT_EQ(trees[10], "Ten\r\n");
    EXPECT_EQ(trees[3], "") << "missing everywhere";
    EXPECT_EQ(trees[4], "") << "not valid tree text";
    EXPECT_TRUE(trees[5] == test::Repeat("C\r\n", most));
    EXPECT_EQ(trees[6], "") << "more categories than a database holds";

    // Those the program ships are all valid.
    const auto shipped = ReadDefaultTrees({QUILLMARK_DATA_DIR});
    for (int field = 1; field <= 10; ++field) {
        const std::string path = std::string(QUILLMARK_DATA_DIR) + "/" + DefaultTreeFileName(field);
        const TreeTextResult file = ReadTreeText(test::ReadFileBytes(path));
        EXPECT_TRUE(file.Ok()) << path;
        EXPECT_EQ(ReadTreeText(shipped[field]).Tree, file.Tree) << path;
    }
    EXPECT_FALSE(shipped[1].empty());
}

TEST(Windows1252Test, EveryByteSurvivesTheTripAndOtherCharactersBecomeQuestionMarks)
{
    std::string everyByte;
    for (int b = 0; b < 256; ++b) {
        everyByte.push_back(static_cast<char>(b));
    }
    const std::string utf8 = Windows1252ToUtf8(everyByte);
    EXPECT_EQ(Utf8ToWindows1252(utf8), everyByte);
    EXPECT_EQ(Utf8ToWindows1252Lossy(utf8), everyByte);

    const struct {
        const char* windows1252;
        const char* utf8;
    } pairs[] = {
        {"\x80", "\xE2\x82\xAC"},            // euro sign
        {"\x81", "\xC2\x81"},                // unassigned: the control character of that number
        {"\x9F", "\xC5\xB8"},                // Y with diaeresis
        {"\x99", "\xE2\x84\xA2"},            // trade mark
        {"\xE9t\xE9", "\xC3\xA9t\xC3\xA9"},  //
        {"plain", "plain"},
    };
    for (const auto& p : pairs) {
        SCOPED_TRACE(p.utf8);
        EXPECT_EQ(Windows1252ToUtf8(p.windows1252), p.utf8);
        EXPECT_EQ(Utf8ToWindows1252(p.utf8), p.windows1252);
        // A file name kept in a record, where no file of either name exists.
        EXPECT_EQ(SystemPathOfRecordPath(p.windows1252), p.utf8);
        EXPECT_EQ(RecordPathFromSystem(p.utf8), p.windows1252);
    }

    // Each length of UTF-8 from its first character to its last.
    const std::pair<char32_t, const char*> lengths[] = {
        {0x7F, "\x7F"},          {0x80, "\xC2\x80"},       {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"}, {0xFFFF, "\xEF\xBF\xBF"}, {0x10000, "\xF0\x90\x80\x80"}};
    for (const auto& [code, encoded] : lengths) {
        EXPECT_EQ(CharacterToUtf8(code), encoded) << static_cast<int>(code);
    }

    // Characters without a byte and broken text: refused, or question marks when lossy.
    const struct {
        const char* what;
        const char* utf8;
        const char* lossy;
    } cases[] = {
        {"Greek omega", "a\xCE\xA9z", "a?z"},  {"U+0080 is not the euro", "\xC2\x80", "?"},
        {"emoji", "\xF0\x9F\x98\x80!", "?!"},  {"cut sequence", "ab\xC3", "ab?"},
        {"bad continuation", "\xC3(", "?("},   {"overlong slash", "\xC0\xAF", "?"},
        {"surrogate", "\xED\xA0\x80", "?"},    {"beyond Unicode", "\xF4\x90\x80\x80", "?"},
        {"stray continuation", "\x80x", "?x"}, {"invalid lead", "\xFFx", "?x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(Utf8ToWindows1252(c.utf8).has_value());
        EXPECT_EQ(Utf8ToWindows1252Lossy(c.utf8), c.lossy);
    }
}

TEST(FileNamesTest, EitherSeparatorEndsAFolder)
{
    const struct {
        const char* path;
        const char* name;
        const char* extension;
    } cases[] = {
        {"C:\\Photos\\ann.JPG", "ann.JPG", ".JPG"},
        {"/home/ann/photos.old/scan", "scan", ""},
        {"C:\\photos.old\\scan", "scan", ""},
        {"archive.tar.gz", "archive.tar.gz", ".gz"},
        {"/home/ann/", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FileNamePart(c.path), c.name);
        EXPECT_EQ(FileExtension(c.path), c.extension);
    }
}

}  // namespace
}  // namespace quillmark
