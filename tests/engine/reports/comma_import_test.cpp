#include "engine/reports/comma_import.h"
#include "core/byte_stream.h"
#include "engine/quick_export.h"
#include "support/test_helpers.h"

#include <gtest/gtest.h>

#include <numeric>

namespace quillmark {
namespace {

// Report items.
constexpr int Description1 = 0, Street = 10, City = 11, Status = 20, Name = 22;

ItemRecordList Import(std::string_view bytes, const std::vector<int>& columns)
{
    ItemRecordList records;
    test::TrickleSource source(bytes, 7);
    const ImportOutcome outcome = ImportCommaDelimited(source, columns, records);
    EXPECT_FALSE(outcome.readError);
    EXPECT_FALSE(outcome.unstorable);
    EXPECT_EQ(outcome.imported, static_cast<int>(records.size()));
    return records;
}

TEST(CommaImportTest, EachRecordOfTheFileBecomesARecordFieldsGoingToTheColumnsInOrder)
{
    ItemRecordList records = Import(
        "Ann Lee,12 Main St,Working\r\n"
        "Bob,1 Elm St,Available,surplus,fields\n"
        // A spreadsheet's quoting: commas, quotes and line breaks inside belong to the field.
        "\"Smith, Jo\",\"12 \"\"Oak\"\" Street, Apt 4\r\nBack door\",not available\r"
        "\r\n\n"
        "Cy\r"
        "\"\"\"Di\"\"\" \"x\",2 Oak St\",Not Available",
        {Name, Street, Status});
    ASSERT_EQ(records.size(), 5u) << "lines with nothing on them are no records";
    EXPECT_EQ(records[0]->RecordName, "Ann Lee");
    EXPECT_EQ(records[0]->Detail[0], "12 Main St");
    EXPECT_TRUE(records[0]->Working);
    EXPECT_TRUE(records[1]->Available) << "surplus fields are ignored";
    EXPECT_EQ(records[2]->RecordName, "Smith, Jo");
    EXPECT_EQ(records[2]->Detail[0], "12 \"Oak\" Street, Apt 4\r\nBack door");
    EXPECT_FALSE(records[2]->Working || records[2]->Available || records[2]->NotAvailable)
        << "a status differing in case sets nothing";
    EXPECT_EQ(records[3]->RecordName, "Cy");
    // After its closing quote a field goes on as it stands; a quote inside an unquoted field is
    // an ordinary character.
    EXPECT_EQ(records[4]->RecordName, "\"Di\" \"x\"");
    EXPECT_EQ(records[4]->Detail[0], "2 Oak St\"");
    EXPECT_TRUE(records[4]->NotAvailable) << "the last line needs no line end";
    // Progress is told every 4096 records, in bytes read up to the record's line end and with
    // it; a step with nobody to tell of it is no fault.
    const std::string steps = test::Repeat("x\r\n", 4096) + test::Repeat("x\n", 4095) + "x\n\n";
    EXPECT_EQ(Import(steps, {Name}).size(), 8192u);
    std::vector<std::size_t> told;
    test::TrickleSource source(steps, 1000);
    ImportCommaDelimited(source, {Name}, records,
                         [&](std::size_t done, std::size_t) { told.push_back(done); });
    EXPECT_EQ(told, (std::vector<std::size_t>{3 * 4096, 5 * 4096}));

    // A line with fewer fields leaves the other columns as a new record has them, and no
    // column naming the record leaves it "Empty".
    const ItemRecordList partial = Import("Sales : Office,12,Boise", {Description1, City, 18});
    const ItemRecord& fresh = *partial[0];
    ItemRecord expected;
    expected.RecordName = "Empty";
    expected.Desc[1] = "Sales : Office";
    expected.Detail[1] = "12";  // as it stands, no currency template
    expected.Detail[8] = "Boise";
    EXPECT_TRUE(fresh.SameFiledContent(expected));
    EXPECT_EQ(fresh.Images[6].ImageTitle, "Untitled 6");

    // Only descriptions, details, the status and the name are imported: a column given to the
    // record number, an other field, a salary or no item at all changes nothing.
    const ItemRecordList skipped =
        Import("x,1,2,3,4,5,6,Top,Last", {21, 23, 28, 29, 34, -1, 35, 9, 19});
    expected = ItemRecord();
    expected.RecordName = "Empty";
    expected.Desc[10] = "Top";
    expected.Detail[9] = "Last";
    EXPECT_TRUE(skipped[0]->SameFiledContent(expected));

    EXPECT_EQ(Import("", {Name}).size(), 0u) << "an empty file imports nothing";
    EXPECT_EQ(Import(",x\r\n", {Name})[0]->RecordName, "") << "an empty field is a value";
    EXPECT_EQ(Import("\"open, never closed\r\nx", {Name})[0]->RecordName,
              "open, never closed\r\nx");
}

TEST(CommaImportTest, AQuickExportImportsBackCellForCell)
{
    ItemRecordList exported;
    exported.push_back(std::make_shared<ItemRecord>());
    ItemRecord& ann = *exported.back();
    ann.RecordName = "Jos\xE9 \"Pepe\" M\xFCller, Jr.";
    ann.Desc[1] = "Nights : Part Time";
    ann.Detail[0] = "12 Elm St\r\nFlat 3";
    ann.Detail[1] = "\"";
    ann.Detail[2] = "\x80 40,00";
    ann.Detail[9] = "a\rb\nc";
    ann.Working = true;
    exported.push_back(std::make_shared<ItemRecord>());
    test::TemporaryFolder folder;
    SaveQuickExport(folder.File("staff.txt"), exported, DefaultStatusCaptions(),
                    TextFileEncoding::Utf8);

    // The export's first 21 columns: name, descriptions, details, status.
    std::vector<int> columns(22, Name);
    std::iota(columns.begin() + 1, columns.end(), 0);
    ItemRecordList imported;
    const ImportOutcome outcome =
        ImportCommaDelimitedFile(folder.File("staff.txt"), columns, imported);
    EXPECT_EQ(outcome.imported, 2);
    ASSERT_EQ(imported.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        ItemRecord expected = *exported[i];
        expected.WorkDaysPerWeek = imported[i]->WorkDaysPerWeek;  // not among the columns
        EXPECT_TRUE(imported[i]->SameFiledContent(expected)) << i;
    }
}

// Hands out its bytes, then fails as a disk does.
class FailingSource : public ByteSource {
public:
    explicit FailingSource(std::string bytes) : bytes_(std::move(bytes)) {}
    std::size_t ReadSome(char* buffer, std::size_t capacity) override
    {
        if (bytes_.empty()) {
            throw ReadError("Input/output error");
        }
        const std::size_t size = std::min(capacity, bytes_.size());
        bytes_.copy(buffer, size);
        bytes_.erase(0, size);
        return size;
    }

private:
    std::string bytes_;
};

TEST(CommaImportTest, AFailureKeepsOnlyWholeRecordsAndAnUnstorableCharacterAddsNone)
{
    ItemRecordList records;
    FailingSource source("Ann\r\n\"Bob\"\r\"Cy,\r\nhalf a fi");
    const ImportOutcome outcome = ImportCommaDelimited(source, {Name}, records);
    EXPECT_EQ(outcome.readError, "Input/output error");
    EXPECT_EQ(outcome.imported, 2);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1]->RecordName, "Bob");

    test::TemporaryFolder folder;
    const ImportOutcome missing =
        ImportCommaDelimitedFile(folder.File("none.txt"), {Name}, records);
    EXPECT_EQ(missing.imported, 0);
    EXPECT_EQ(missing.readError, "No such file or directory");

    test::WriteFileBytes(folder.File("wide.txt"), "Ann\r\nBo\r\n\"Li\r\n\xE6\x97\xA5\"\r\n");
    const ImportOutcome wide = ImportCommaDelimitedFile(folder.File("wide.txt"), {Name}, records);
    EXPECT_EQ(wide.imported, 0);
    EXPECT_EQ(wide.unstorable, (UnstorableCharacter{4, 0x65E5}));
    EXPECT_EQ(records.size(), 2u);
}

}  // namespace
}  // namespace quillmark
