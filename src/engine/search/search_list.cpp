#include "engine/search/search_list.h"

#include <algorithm>

namespace quillmark {

void AddRecordRange(ItemRecordList& records, int low, int high)
{
    const int first = std::max(low, 1);
    const int last = std::min<long long>(high, static_cast<long long>(records.size()));
    for (int number = first; number <= last; ++number) {
        ItemRecord& record = *records[static_cast<std::size_t>(number - 1)];
        if (record.InSearchList) {
            record.SearchHit = true;
        } else {
            record.InSearchList = true;
            record.SearchHit = false;
        }
    }
}

void ClearSearchList(ItemRecordList& records)
{
    for (const auto& record : records) {
        record->InSearchList = false;
        record->SearchHit = false;
    }
}

int CountOnSearchList(const ItemRecordList& records)
{
    return static_cast<int>(std::count_if(records.begin(), records.end(),
                                          [](const auto& record) { return record->InSearchList; }));
}

int CountRemovable(const ItemRecordList& records)
{
    const int listed = CountOnSearchList(records);
    return listed == static_cast<int>(records.size()) ? std::max(listed - 1, 0) : listed;
}

int RemoveListedRecords(ItemRecordList& records)
{
    ItemRecordList kept;
    kept.reserve(records.size());
    std::size_t left = records.size();
    for (auto& record : records) {
        if (record->InSearchList && left > 1) {
            --left;
        } else {
            kept.push_back(std::move(record));
        }
    }
    const int removed = static_cast<int>(records.size() - kept.size());
    records = std::move(kept);
    return removed;
}

}  // namespace quillmark
