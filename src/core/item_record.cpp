#include "core/item_record.h"

#include "core/filed_fields.h"
#include "core/random_source.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string_view>

namespace quillmark {

ItemRecord::ItemRecord()
{
    // Every record read from a file starts here: no number formatting per slot.
    static constexpr std::string_view Titles[] = {"Untitled 1", "Untitled 2", "Untitled 3",
                                                  "Untitled 4", "Untitled 5", "Untitled 6"};
    static_assert(std::size(Titles) == PictureCount);
    for (int slot = 1; slot <= Images.Count; ++slot) {
        Images[slot].ImageTitle = Titles[slot - 1];
    }
}

bool ItemRecord::SameFiledContent(const ItemRecord& other) const
{
    bool same = true;
    VisitFiledFields([&same](const char*, const auto& mine,
                             const auto& theirs) { same = same && mine == theirs; },
                     *this, other);
    return same;
}

std::string MakeRecordId(RandomSource& random)
{
    std::string id(8, ' ');
    for (char& c : id) {
        // 35 outcomes: 26 letters and the digits 0..8; "9" never occurs in an identifier.
        const int r = random.Below(35);
        c = r <= 25 ? static_cast<char>('A' + r) : static_cast<char>('0' + (r - 26));
    }
    return id;
}

std::string NewRecordName(const ItemRecordList& records)
{
    static constexpr std::string_view Prefix = "Untitled ";
    // Only numbers up to the record count can be taken, so the first free one is at most
    // count + 1; mark those that are in use and pick the first gap.
    std::vector<bool> taken(records.size() + 2, false);
    for (const auto& record : records) {
        std::string_view name = record->RecordName;
        if (!name.starts_with(Prefix)) {
            continue;
        }
        std::string_view digits = name.substr(Prefix.size());
        // Decimal as written by to_string: digits only, no sign, no leading zero.
        if (digits.empty() || digits.size() > 9 || (digits.size() > 1 && digits[0] == '0') ||
            !std::all_of(digits.begin(), digits.end(),
                         [](char c) { return c >= '0' && c <= '9'; })) {
            continue;
        }
        std::size_t number = 0;
        std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (number >= 1 && number < taken.size()) {
            taken[number] = true;
        }
    }
    std::size_t number = 1;
    while (taken[number]) {
        ++number;
    }
    return std::string(Prefix) + std::to_string(number);
}

std::shared_ptr<ItemRecord> CreateRecord(const ItemRecordList& records, RandomSource& random)
{
    auto record = std::make_shared<ItemRecord>();
    record->RecordId = MakeRecordId(random);
    record->RecordName = NewRecordName(records);
    return record;
}

}  // namespace quillmark
