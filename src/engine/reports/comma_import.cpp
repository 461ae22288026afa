#include "engine/reports/comma_import.h"

#include "core/byte_stream.h"
#include "core/file_io.h"
#include "core/record_fields.h"
#include "core/record_status.h"
#include "engine/reports/comma_delimited.h"

#include <algorithm>

namespace quillmark {

namespace {

constexpr std::size_t ReadBufferSize = 64 * 1024;
// Progress is told every so many records.
constexpr int ProgressStep = 4096;

// Only the fields marked Imported take a column's value: not the record number, the other
// fields nor the salary figures.
void AssignField(const std::string& value, int item, ItemRecord& record)
{
    const RecordField* field = item >= 0 && item < ReportItemCount()
                                   ? FieldByReportNumber(ReportNumberOfItem(item))
                                   : nullptr;
    if (field == nullptr || !field->Has(Imported)) {
        return;
    }
    if (field->kind != FieldKind::Status) {
        field->text(record) = value;
    } else if (value == RecordStatusNames[0]) {
        // The status names are compared exactly, whatever the boxes' captions are now.
        record.Working = true;
    } else if (value == RecordStatusNames[1]) {
        record.Available = true;
    } else if (value == RecordStatusNames[2]) {
        record.NotAvailable = true;
    }
}

// The whole file: its encoding is known only once every byte is seen, and a character the
// database cannot store must stop the import before a record is added. A failed read keeps
// the bytes read before it.
std::string ReadAll(ByteSource& source, std::optional<std::string>& readError)
{
    std::string bytes;
    std::size_t size = 0;
    try {
        while (true) {
            bytes.resize(size + ReadBufferSize);
            const std::size_t got = source.ReadSome(bytes.data() + size, ReadBufferSize);
            size += got;
            if (got == 0) {
                break;
            }
        }
    } catch (const ReadError& error) {
        readError = error.what();
    }
    bytes.resize(size);
    return bytes;
}

}  // namespace

std::shared_ptr<ItemRecord> ImportedRecord(std::span<const std::string> fields,
                                           const std::vector<int>& columns)
{
    auto record = std::make_shared<ItemRecord>();
    record->RecordName = "Empty";
    const std::size_t count = std::min(fields.size(), columns.size());
    for (std::size_t i = 0; i < count; ++i) {
        AssignField(fields[i], columns[i], *record);
    }
    return record;
}

std::string RecordsAddedMessage(int count)
{
    return count == 1 ? "1 record was added." : std::to_string(count) + " records were added.";
}

ImportOutcome ImportCommaDelimited(ByteSource& source, const std::vector<int>& columns,
                                   ItemRecordList& records, const ProgressReport& progress)
{
    ImportOutcome outcome;
    DecodedText decoded =
        DecodeTextFile(ReadAll(source, outcome.readError), outcome.readError.has_value());
    if (decoded.unstorable) {
        outcome.unstorable = decoded.unstorable;
        return outcome;
    }
    CommaDelimitedReader reader(decoded.text);
    while (reader.Next()) {
        if (outcome.readError && !reader.Ended()) {
            break;  // the record being read when reading failed is not whole
        }
        records.push_back(ImportedRecord(reader.Fields(), columns));
        if (++outcome.imported % ProgressStep == 0 && progress) {
            progress(reader.Position(), decoded.text.size());
        }
    }
    return outcome;
}

ImportOutcome ImportCommaDelimitedFile(const std::string& path, const std::vector<int>& columns,
                                       ItemRecordList& records, const ProgressReport& progress)
{
    try {
        FileSource file(path);
        return ImportCommaDelimited(file, columns, records, progress);
    } catch (const ReadError& error) {
        ImportOutcome outcome;
        outcome.readError = error.what();
        return outcome;
    }
}

}  // namespace quillmark
