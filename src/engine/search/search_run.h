#pragma once

#include "core/item_record.h"
#include "engine/search/search_rules.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace quillmark {

struct SearchOutcome {
    int NewRecords = 0;  // matches that were not on the search list before
    // Set when a term could not be tested; the records marked before it stay marked.
    std::optional<UnreadableScheduleTerm> Unreadable;
};

// Tests every record, in list order, and puts each match that is not on the search list yet
// onto it with its found flag set. Records already listed stay as they are and are not counted.
// `progress` is told now and then how many records have been tested, and at the end.
SearchOutcome RunSearch(ItemRecordList& records, const PreparedSearch& search,
                        const std::function<void(std::size_t tested)>& progress = {});

inline constexpr const char* NoNewRecordsMessage = "No new records were found during this search.";

// "1 new record was found during the previous search.", or the count for any other number.
std::string SearchResultText(int newRecords);

// What the user is told when a search stops at a term that cannot be tested.
std::string UnreadableTermMessage(const UnreadableScheduleTerm& unreadable);

}  // namespace quillmark
