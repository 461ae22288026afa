#include "core/byte_stream.h"
#include "engine/reports/comma_import.h"
#include "support/test_helpers.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

constexpr int Name = 22;
constexpr int Street = 10;
constexpr int Salary = 11;
constexpr int Status = 20;
constexpr int Description1 = 0;

ItemRecordList Import(std::string_view bytes, const std::vector<int>& columns)
{
    ItemRecordList records;
    test::TrickleSource source(bytes, 7);
    const ImportOutcome outcome = ImportCommaDelimited(source, columns, "2001/03/09", records);
    EXPECT_FALSE(outcome.readError);
    EXPECT_EQ(outcome.imported, static_cast<int>(records.size()));
    return records;
}

TEST(CommaImportTest, EachLineBecomesARecordFieldsGoingToTheColumnsInOrder)
{
    ItemRecordList records = Import(
        "Ann Lee,12 Main St,Working\r\n"
        "Bob,1 Elm St,Available,surplus,fields\r\n"
        "\"Smith, Jo\",x,not available\r\n"
        "Cy\r\n"
        "Di,2 Oak St,Not Available",
        {Name, Street, Status});
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0]->RecordName, "Ann Lee");
    EXPECT_EQ(records[0]->Detail[0], "12 Main St");
    EXPECT_TRUE(records[0]->Working);
    EXPECT_TRUE(records[1]->Available) << "surplus fields are ignored";
    // Quote marks are ordinary characters: the comma inside splits the field.
    EXPECT_EQ(records[2]->RecordName, "\"Smith");
    EXPECT_EQ(records[2]->Detail[0], " Jo\"");
    EXPECT_FALSE(records[2]->Working || records[2]->Available || records[2]->NotAvailable)
        << "a status differing in case sets nothing";
    // A line with fewer fields leaves the other columns at the record's defaults.
    EXPECT_EQ(records[3]->RecordName, "Cy");
    EXPECT_EQ(records[3]->Detail[0], " ");
    EXPECT_TRUE(records[4]->NotAvailable) << "the last line needs no line end";

    const ItemRecord& defaults = *records[3];
    EXPECT_EQ(defaults.Detail, (std::array<std::string, 10>{" ", "0", "2001/03/09", "2001/03/09",
                                                            "0", " ", " ", " ", "0", "01"}));
    EXPECT_EQ(defaults.Images[6].ImageTitle, "Untitled 6");
    EXPECT_TRUE(defaults.RecordId.empty());
    EXPECT_EQ(Import("", {Name}).size(), 0u) << "an empty file imports nothing";
    EXPECT_EQ(Import(",x\r\n", {Name})[0]->RecordName, "") << "an empty field is a value";
}

TEST(CommaImportTest, CurrencyDetailsAndDescriptionsTakeTheirText)
{
    struct Case {
        std::string field;
        std::string detail;
    };
    for (const Case& c : {Case{"34.56", "$0,034.56"}, Case{"1,234.56", "$1,234.56"},
                          Case{"", "$0,000.00"}, Case{"1234567.89", "$0,000.001234567.89"}}) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(CurrencyTemplate(c.field), c.detail);
    }
    // The first field only: a comma ends it.
    ItemRecordList records = Import("34.56,Sales : Office\r\n", {Salary, Description1, 18});
    EXPECT_EQ(records[0]->Detail[1], "$0,034.56");
    EXPECT_EQ(records[0]->Desc[1], "Sales : Office");
    EXPECT_EQ(records[0]->Detail[8], "0") << "no field for it: the default";
}

// Hands out its lines, then fails as a disk does.
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

TEST(CommaImportTest, AReadErrorKeepsTheWholeLinesBeforeIt)
{
    ItemRecordList records;
    FailingSource source("Ann\r\nBob\r\nCy, half a li");
    const ImportOutcome outcome = ImportCommaDelimited(source, {Name}, "2001/03/09", records);
    EXPECT_EQ(outcome.readError, "Input/output error");
    EXPECT_EQ(outcome.imported, 2);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1]->RecordName, "Bob");

    test::TemporaryFolder folder;
    const ImportOutcome missing =
        ImportCommaDelimitedFile(folder.File("none.txt"), {Name}, "2001/03/09", records);
    EXPECT_EQ(missing.imported, 0);
    EXPECT_EQ(missing.readError, "No such file or directory");
}

}  // namespace
}  // namespace quillmark
