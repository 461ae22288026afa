#include "engine/record_sorting.h"

#include "core/case_folding.h"
#include "core/field_catalogue.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <vector>

namespace quillmark {

namespace {

// A record's key, read once before sorting.
struct SortKeyValue {
    std::string_view text;
    double number = 0;
};

int CompareNumbers(double a, double b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

}  // namespace

void DoSort(ItemRecordList& records, SortKey sortKey, bool ascending)
{
    if (records.size() < 2) {
        return;
    }
    // Whether the key is numeric depends on the key alone.
    const bool numeric = SortKeyText(sortKey, *records.front()).numeric;
    std::vector<SortKeyValue> keys(records.size());
    // Texts are compared upper-cased, packed side by side in one buffer: a big database's keys
    // scattered over the heap make the comparisons wait on memory, not on the letters.
    std::string packed;
    if (numeric) {
        for (std::size_t i = 0; i < records.size(); ++i) {
            keys[i].number = CleanNumberValue(SortKeyText(sortKey, *records[i]).text);
        }
    } else {
        std::vector<std::size_t> starts;
        starts.reserve(records.size() + 1);
        for (const auto& record : records) {
            starts.push_back(packed.size());
            for (const char c : SortKeyText(sortKey, *record).text) {
                packed.push_back(AsciiUpperCase(c));
            }
        }
        starts.push_back(packed.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            keys[i].text = std::string_view(packed).substr(starts[i], starts[i + 1] - starts[i]);
        }
    }
    // Upper-cased bytes compare as unsigned, a prefix first: as CompareTextsIgnoringAsciiCase.
    auto compare = [&keys, numeric](std::size_t a, std::size_t b) {
        return numeric ? CompareNumbers(keys[a].number, keys[b].number)
                       : keys[a].text.compare(keys[b].text);
    };

    // A stable sort puts records in the same order as exchanging neighbours whose keys are out
    // of order would, equal keys never being exchanged.
    std::vector<std::size_t> order(records.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (ascending) {
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return compare(a, b) < 0; });
    } else {
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return compare(a, b) > 0; });
    }

    ItemRecordList sorted;
    sorted.reserve(records.size());
    for (const std::size_t index : order) {
        sorted.push_back(std::move(records[index]));
    }
    records = std::move(sorted);
}

}  // namespace quillmark
