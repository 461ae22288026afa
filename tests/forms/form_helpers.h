#pragma once

// Small helpers the form tests share: records made from names, and one member of every control
// of a list, so that a menu or a grid compares to a line of texts.

#include "core/item_record.h"

#include <functional>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace quillmark::test {

// A record for each name, in order.
inline ItemRecordList Named(std::initializer_list<std::string> names)
{
    ItemRecordList records;
    for (const std::string& name : names) {
        records.push_back(std::make_shared<ItemRecord>());
        records.back()->RecordName = name;
    }
    return records;
}

// What the projection (a member or a function) gives for every element, in order.
template <class Range, class Projection>
auto Collect(const Range& range, Projection projection)
{
    using Value = std::decay_t<std::invoke_result_t<Projection, decltype(*std::begin(range))>>;
    std::vector<Value> values;
    for (const auto& element : range) {
        values.push_back(std::invoke(projection, element));
    }
    return values;
}

inline std::vector<std::string> NamesOf(const ItemRecordList& records)
{
    return Collect(records, [](const auto& record) { return record->RecordName; });
}

}  // namespace quillmark::test
