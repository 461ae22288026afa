#include "engine/search/search_run.h"

#include "core/file_messages.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace quillmark {

namespace {

// Records are tested in blocks that the threads take in turn: about a hundred for a large list,
// so that the bar moves, but none so small that taking one costs more than testing it.
std::size_t BlockSizeFor(std::size_t count)
{
    return std::clamp<std::size_t>(count / 100, 256, 8192);
}

// Testing shared by every thread: which records matched, and how far testing may go. Threads
// only read the records; the marks are set afterwards, in order, by the caller's thread.
class SharedTesting {
public:
    explicit SharedTesting(const ItemRecordList& records)
        : records_(records),
          matched_(records.size(), 0),
          blockSize_(BlockSizeFor(records.size())),
          stopAt_(records.size())
    {
    }

    // Takes blocks until none is left, with a search of the thread's own (a prepared search
    // keeps scratch buffers); `afterBlock` is told how many records all threads have tested.
    template <typename AfterBlock>
    void Work(const PreparedSearch& search, AfterBlock afterBlock)
    {
        try {
            for (;;) {
                const std::size_t first = nextBlock_.fetch_add(1) * blockSize_;
                if (first >= stopAt_.load()) {
                    return;
                }
                const std::size_t last = std::min(first + blockSize_, records_.size());
                if (!TestBlock(search, first, last)) {
                    return;
                }
                afterBlock(tested_ += last - first);
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(mutex_);
            failure_ = std::current_exception();
            stopAt_ = 0;
        }
    }

    // Every record before this was tested: the list's end, or the first whose test stopped the
    // search.
    std::size_t TestedUpTo() const { return stopAt_.load(); }
    bool Matched(std::size_t position) const { return matched_[position] != 0; }
    const std::optional<UnreadableScheduleTerm>& Unreadable() const { return unreadable_; }
    // Anything else that went wrong in a thread goes on in the caller's.
    void RethrowFailure() const
    {
        if (failure_) {
            std::rethrow_exception(failure_);
        }
    }

private:
    // False when a term could not be tested, which stops the search at that record.
    bool TestBlock(const PreparedSearch& search, std::size_t first, std::size_t last)
    {
        // Members are asked for eight records ahead, the texts they point to four ahead.
        constexpr std::size_t MembersAhead = 8;
        constexpr std::size_t TextsAhead = 4;
        for (std::size_t position = first; position < last; ++position) {
            if (position + MembersAhead < last) {
                search.Prefetch(*records_[position + MembersAhead], false);
            }
            if (position + TextsAhead < last) {
                search.Prefetch(*records_[position + TextsAhead], true);
            }
            try {
                matched_[position] = search.Matches(*records_[position]) ? 1 : 0;
            } catch (const UnreadableScheduleTerm& unreadable) {
                const std::lock_guard<std::mutex> lock(mutex_);
                if (position < stopAt_.load()) {
                    stopAt_ = position;
                    unreadable_ = unreadable;
                }
                return false;
            }
        }
        return true;
    }

    const ItemRecordList& records_;
    std::vector<char> matched_;
    const std::size_t blockSize_;
    std::atomic<std::size_t> nextBlock_{0};
    std::atomic<std::size_t> tested_{0};
    std::atomic<std::size_t> stopAt_;
    std::mutex mutex_;
    std::optional<UnreadableScheduleTerm> unreadable_;
    std::exception_ptr failure_;
};

// A list shorter than this is tested by the caller's thread alone.
constexpr std::size_t SharedFrom = 4096;

}  // namespace

SearchOutcome RunSearch(ItemRecordList& records, const PreparedSearch& search,
                        const std::function<void(std::size_t tested)>& progress)
{
    SharedTesting testing(records);
    std::vector<std::thread> helpers;
    if (records.size() >= SharedFrom) {
        const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
        helpers.reserve(threads - 1);
        for (unsigned helper = 1; helper < threads; ++helper) {
            try {
                helpers.emplace_back(
                    [&testing, own = search] { testing.Work(own, [](std::size_t) {}); });
            } catch (const std::exception&) {
                break;  // no thread (or no memory) to spare: fewer threads test the blocks
            }
        }
    }
    testing.Work(search, [&progress](std::size_t tested) {
        if (progress) {
            progress(tested);
        }
    });
    for (std::thread& helper : helpers) {
        helper.join();
    }
    testing.RethrowFailure();

    SearchOutcome outcome;
    outcome.Unreadable = testing.Unreadable();
    const std::size_t tested = testing.TestedUpTo();
    for (std::size_t position = 0; position < tested; ++position) {
        ItemRecord& record = *records[position];
        if (testing.Matched(position) && !record.InSearchList) {
            record.InSearchList = true;
            record.SearchHit = true;
            ++outcome.NewRecords;
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
