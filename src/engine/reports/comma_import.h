#pragma once

#include "core/item_record.h"
#include "core/progress.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillmark {

class ByteSource;

// The status box captions an imported status text is compared with, exactly.
inline const std::array<std::string, 3> ImportStatusCaptions = {"Working", "Available",
                                                                "Not Available"};

// "$0,000.00" with its last characters replaced by the text, or followed by it when the text
// is longer: 34.56 gives $0,034.56.
std::string CurrencyTemplate(const std::string& text);

// A record as the import makes it before a line's fields are given to it; today is the date
// the two date details start with ("2001/03/09").
std::shared_ptr<ItemRecord> ImportedRecordDefaults(const std::string& today);

// Gives a line's fields to a record, the field before the first comma to the first column's
// item and so on; columns without a field keep the record's defaults.
void AssignImportedLine(std::string_view line, const std::vector<int>& columns, ItemRecord& record);

struct ImportOutcome {
    int imported = 0;
    // Why reading stopped early; the records imported before it stay.
    std::optional<std::string> readError;
};

// Appends a record for every line of a comma-delimited file: lines end with CR LF (or LF), a
// last line without an end counts too. columns holds the report item of each column, 0 to 34.
ImportOutcome ImportCommaDelimited(ByteSource& source, const std::vector<int>& columns,
                                   const std::string& today, ItemRecordList& records);
// The same from a file; a file that cannot be opened is a read error with nothing imported.
// `progress` is told of the bytes read so far out of the file's size.
ImportOutcome ImportCommaDelimitedFile(const std::string& path, const std::vector<int>& columns,
                                       const std::string& today, ItemRecordList& records,
                                       const ProgressReport& progress = {});

}  // namespace quillmark
