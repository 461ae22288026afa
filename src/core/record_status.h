#pragma once

#include "core/item_record.h"

#include <array>
#include <optional>
#include <string>

namespace quillmark {

// The three status boxes of a record, in the order the main window shows them.
enum class RecordStatus { Working = 1, Available = 2, NotAvailable = 3 };
inline constexpr int RecordStatusCount = 3;

// The boxes' names: the main window's captions, and what exports, imports, the spreadsheet's
// status menu and search terms read and write.
inline constexpr std::array<const char*, RecordStatusCount> RecordStatusNames = {
    "Working", "Available", "Not Available"};

inline const char* RecordStatusName(RecordStatus status)
{
    return RecordStatusNames[static_cast<std::size_t>(static_cast<int>(status) - 1)];
}

// The status a record shows where one cell holds it: its first checked box, if any.
inline std::optional<RecordStatus> ShownStatus(const ItemRecord& record)
{
    if (record.Working) {
        return RecordStatus::Working;
    }
    if (record.Available) {
        return RecordStatus::Available;
    }
    if (record.NotAvailable) {
        return RecordStatus::NotAvailable;
    }
    return std::nullopt;
}

// The captions the status boxes carry at the moment, Working first.
using StatusCaptions = std::array<std::string, RecordStatusCount>;

inline StatusCaptions DefaultStatusCaptions()
{
    return {RecordStatusNames[0], RecordStatusNames[1], RecordStatusNames[2]};
}

}  // namespace quillmark
