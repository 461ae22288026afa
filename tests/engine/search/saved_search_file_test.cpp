#include "support/test_helpers.h"

#include "core/value_reader.h"
#include "engine/search/saved_search_file.h"
#include "engine/search/search_rules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quillmark {
namespace {

using test::I;
using test::Repeat;
using test::S;

// A slot as the file holds it: from, to, inclusion, tag, day, notes, skill, match mode.
std::string Slot(const std::string& from, const std::string& to, int inclusion, int tag,
                 const std::string& day = {}, const std::string& notes = {},
                 const std::string& skill = {}, int matchMode = 0)
{
    return S(from) + S(to) + I(inclusion) + I(tag) + S(day) + S(notes) + S(skill) + I(matchMode);
}

const std::string FreeSlot = Slot("", "", 0, -1);

TEST(SavedSearchFileTest, RowsAndAllFiftySlotsInTheirOrder)
{
    // Row 1 holds slot 2 and row 2 slot 1: the field of row 2 was chosen first.
    std::vector<SearchTermRow> rows = {{"Skills", "Includes", "Forklift with proficiency < 5", 2},
                                       {"Name", "Does Not Include", "Smith", 1}};
    SearchTermTable terms;
    terms[1] = {210, 2, "Smith", "", "Monday", "", "", 1};
    terms[2] = {197, 1, "", "5", "", "nights", "Forklift", 2};
    terms[3].DayName = "Friday";  // a free slot keeps what its last term left

    test::TemporaryFolder folder;
    const std::string path = folder.File("find.srh");
    SaveSearchFile(path, rows, terms);
    const std::string expected = I(3) + S("Includes") + S("Forklift with proficiency < 5") + I(2) +
                                 S("Does Not Include") + S("Smith") + I(1) +
                                 Slot("Smith", "", 2, 210, "Monday", "", "", 1) +
                                 Slot("", "5", 1, 197, "", "nights", "Forklift", 2) +
                                 Slot("", "", 0, -1, "Friday") + Repeat(FreeSlot, 47);
    EXPECT_EQ(test::ToHex(test::ReadFileBytes(path)), test::ToHex(expected));

    const SavedSearch loaded = LoadSearchFile(path);
    ASSERT_EQ(loaded.Rows.size(), 2u);
    EXPECT_EQ(loaded.Rows[0].Slot, 2);
    EXPECT_EQ(loaded.Rows[1].Value, "Smith");
    EXPECT_TRUE(loaded.Rows[0].Field.empty()) << "captions come from the open database";
    EXPECT_EQ(loaded.Terms, terms);

    // A row may name the last slot.
    test::WriteFileBytes(path, I(2) + S("Includes") + S("x") + I(SearchSlotCount) +
                                   Repeat(FreeSlot, SearchSlotCount - 1) + Slot("x", "", 1, 210));
    EXPECT_EQ(LoadSearchFile(path).Rows.at(0).Slot, SearchSlotCount);
}

TEST(SavedSearchFileTest, DamagedFilesAreRefusedWhole)
{
    const std::string rows = I(2) + S("") + S("") + I(-1);
    const struct {
        const char* what;
        std::string bytes;
    } damaged[] = {
        {"empty", ""},
        {"cut after the rows", rows},
        {"cut in the last slot", rows + Repeat(FreeSlot, 49) + S("") + S("")},
        {"a string where the row count belongs", S("2") + S("") + S("") + I(-1)},
        {"no term row", I(1) + Repeat(FreeSlot, 50)},
        {"a negative row count", I(-5) + Repeat(FreeSlot, 50)},
        {"a row naming slot 51", I(2) + S("") + S("") + I(51) + Repeat(FreeSlot, 50)},
        {"a row naming slot -2", I(2) + S("") + S("") + I(-2) + Repeat(FreeSlot, 50)},
        {"a row naming an unknown field",
         I(2) + S("Includes") + S("x") + I(1) + Slot("x", "", 1, 205) + Repeat(FreeSlot, 49)},
        {"a row naming the remove entry",
         I(2) + S("Includes") + S("x") + I(1) + Slot("x", "", 1, 1000) + Repeat(FreeSlot, 49)},
    };
    for (const auto& d : damaged) {
        SCOPED_TRACE(d.what);
        ValueReader reader(d.bytes);
        EXPECT_THROW(ReadSavedSearch(reader), FormatError);
    }
    // The messages count the rows from 1, as the user does.
    const std::string tooManyBytes =
        I(52) + Repeat(S("") + S("") + I(-1), 51) + Repeat(FreeSlot, 50);
    ValueReader tooMany(tooManyBytes);
    EXPECT_THAT([&] { ReadSavedSearch(tooMany); },
                testing::ThrowsMessage<FormatError>(
                    testing::HasSubstr("a search has 1 to 50 term rows, not 51")));
    const std::string freeSlotBytes =
        I(3) + S("") + S("") + I(-1) + S("Includes") + S("x") + I(3) + Repeat(FreeSlot, 50);
    ValueReader freeSlot(freeSlotBytes);
    EXPECT_THAT([&] { ReadSavedSearch(freeSlot); },
                testing::ThrowsMessage<FormatError>(
                    testing::HasSubstr("term row 2 names slot 3, which is free")));
    // One term row and fifty, the fewest and the most a search has.
    for (const int count : {1, 50}) {
        const std::string bytes =
            I(count + 1) + Repeat(S("") + S("") + I(-1), count) + Repeat(FreeSlot, 50);
        ValueReader reader(bytes);
        const SavedSearch read = ReadSavedSearch(reader);
        ASSERT_EQ(read.Rows.size(), static_cast<std::size_t>(count));
        EXPECT_EQ(read.Rows.back().Slot, RowNeverUsed);
    }
}

TEST(SavedSearchFileTest, RowsNamingOneSlotShareItsPreparedTexts)
{
    // Every row may name the same slot; its two long bounds are to be copied and folded once.
    const std::string bound(1 << 20, 'm');
    const std::string bytes = I(51) + Repeat(S("Includes") + S("m") + I(7), 50) +
                              Repeat(FreeSlot, 6) + Slot(bound, bound, 1, 210) +
                              Repeat(FreeSlot, 43);
    ItemRecord record;
    record.RecordName = "mm";
    const test::AllocationWatch watch;
    ValueReader reader(bytes);
    const SavedSearch search = ReadSavedSearch(reader);
    std::vector<int> rowSlots;
    for (const SearchTermRow& row : search.Rows) {
        rowSlots.push_back(row.Slot);
    }
    const PreparedSearch prepared(search.Terms, rowSlots, SearchContext());
    EXPECT_FALSE(prepared.Matches(record)) << "a name shorter than the bounds lies below them";
    EXPECT_LT(watch.Peak(), 8 * bound.size());
}

}  // namespace
}  // namespace quillmark
