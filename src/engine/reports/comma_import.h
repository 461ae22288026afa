#pragma once

#include "core/item_record.h"
#include "core/progress.h"
#include "engine/text_file_encoding.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quillmark {

class ByteSource;

// A record with the values of a new one, named "Empty" until a field names it, and the
// record's fields given to the report items of the columns in order: the first field to the
// first column's item and so on. Columns without a field keep the new record's values.
std::shared_ptr<ItemRecord> ImportedRecord(std::span<const std::string> fields,
                                           const std::vector<int>& columns);

struct ImportOutcome {
    int imported = 0;
    // Why reading stopped early; the records imported before it stay.
    std::optional<std::string> readError;
    // A character the database cannot store: nothing was imported.
    std::optional<UnstorableCharacter> unstorable;
};

// "120 records were added.", "1 record was added."
std::string RecordsAddedMessage(int count);

// Appends a record for every record of a comma-delimited file (quoted fields read as
// CommaDelimitedReader does), its text detected and made Windows-1252 (DecodeTextFile).
// columns holds the report item of each column, 0 to 34. `progress` is told of the bytes
// worked through so far.
ImportOutcome ImportCommaDelimited(ByteSource& source, const std::vector<int>& columns,
                                   ItemRecordList& records, const ProgressReport& progress = {});
// The same from a file; a file that cannot be opened is a read error with nothing imported.
ImportOutcome ImportCommaDelimitedFile(const std::string& path, const std::vector<int>& columns,
                                       ItemRecordList& records,
                                       const ProgressReport& progress = {});

}  // namespace quillmark
