#pragma once

// A record as rows of the server's tables: its own row in `record`, with a column for each
// single value, and rows of the child tables for its lists, skills, schedule, experience table
// and pictures. Both directions walk the one list of filed members, so a member added there
// reaches the server too (and needs a column: the schema says so by failing).

#include "core/item_record.h"
#include "core/progress.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillmark {

class ServerConnection;

struct RecordColumn {
    std::string name;
    std::string type;  // SQL, with its constraint
};

// The record table's columns for the record's values, in the order the rows carry them (after
// id, database_id, position and revision).
const std::vector<RecordColumn>& RecordValueColumns();

// The COPY text of each table, one record after another.
struct RecordRows {
    std::string records;
    std::string lines;
    std::string skills;
    std::string slots;
    std::string experience;
    std::string pictures;
};

// Appends the record's rows. Throws ServerError for a text the server cannot keep.
void AppendRecordRows(RecordRows& rows, const ItemRecord& record, std::int64_t id,
                      std::int32_t databaseId, std::int32_t position, std::int64_t revision);

// Sends the rows in one COPY per table.
void CopyRecordRows(ServerConnection& connection, const RecordRows& rows);

// A record read from the server, with the row's bookkeeping.
struct LoadedRecord {
    std::int64_t id = 0;
    std::int32_t position = 0;
    std::int64_t revision = 0;
    std::shared_ptr<ItemRecord> record;
};

// The records of the rows the condition picks in the record table (named r; $1 is the
// parameter), in list order.
std::vector<LoadedRecord> LoadRecords(ServerConnection& connection, const std::string& condition,
                                      const std::string& parameter,
                                      const ProgressReport& progress = {});

// A digest of everything the record files, to tell a record changed since it was loaded.
std::uint64_t FiledContentDigest(const ItemRecord& record);
// The digest of each record of the list, in order; a long list on two threads.
std::vector<std::uint64_t> FiledContentDigests(const ItemRecordList& records);

}  // namespace quillmark
