#include "engine/search/search_run.h"

#include "core/file_messages.h"

#include <algorithm>

namespace quillmark {

SearchOutcome RunSearch(ItemRecordList& records, const PreparedSearch& search,
                        const std::function<void(std::size_t tested)>& progress)
{
    SearchOutcome outcome;
    // About a hundred steps: enough for the bar to move, too few to cost anything.
    const std::size_t step = std::max<std::size_t>(1, records.size() / 100);
    std::size_t tested = 0;
    for (std::size_t position = 0; position < records.size(); ++position) {
        ItemRecord& record = *records[position];
        try {
            if (search.Matches(record) && !record.InSearchList) {
                record.InSearchList = true;
                record.SearchHit = true;
                ++outcome.NewRecords;
            }
        } catch (const UnreadableScheduleTerm& unreadable) {
            outcome.Unreadable = unreadable;
            break;
        }
        tested = position + 1;
        if (progress && tested % step == 0) {
            progress(tested);
        }
    }
    if (progress) {
        progress(tested);
    }
    return outcome;
}

std::string SearchResultText(int newRecords)
{
    if (newRecords == 1) {
        return "1 new record was found during the previous search.";
    }
    return std::to_string(newRecords) + " new records were found during the previous search.";
}

std::string UnreadableTermMessage(const UnreadableScheduleTerm& unreadable)
{
    return "Search term " + std::to_string(unreadable.row) + " holds the time \"" +
           TextInMessage(unreadable.text) +
           "\", which is not a time of day.  The search was stopped.";
}

}  // namespace quillmark
