#include "engine/reports/comma_import.h"

#include "core/byte_stream.h"
#include "core/file_io.h"

#include <cstring>
#include <vector>

namespace quillmark {

namespace {

constexpr std::string_view Currency = "$0,000.00";
constexpr std::size_t ReadBufferSize = 64 * 1024;

void AssignField(std::string_view field, int item, ItemRecord& record)
{
    if (item >= 0 && item <= 9) {
        record.Desc[item + 1] = field;
    } else if (item == 11 || item == 18) {
        record.Detail[static_cast<std::size_t>(item - 10)] = CurrencyTemplate(std::string(field));
    } else if (item >= 10 && item <= 19) {
        record.Detail[static_cast<std::size_t>(item - 10)] = field;
    } else if (item == 20) {
        if (field == ImportStatusCaptions[0]) {
            record.Working = true;
        } else if (field == ImportStatusCaptions[1]) {
            record.Available = true;
        } else if (field == ImportStatusCaptions[2]) {
            record.NotAvailable = true;
        }
    } else if (item == 22) {
        record.RecordName = field;
    }
    // The record number, the other fields and the salary figures are not imported.
}

}  // namespace

std::string CurrencyTemplate(const std::string& text)
{
    if (text.size() > Currency.size()) {
        return std::string(Currency) + text;
    }
    return std::string(Currency.substr(0, Currency.size() - text.size())) + text;
}

std::shared_ptr<ItemRecord> ImportedRecordDefaults(const std::string& today)
{
    auto record = std::make_shared<ItemRecord>();
    record->RecordName = "Empty";
    for (const std::size_t blank : {0, 5, 6, 7}) {
        record->Detail[blank] = " ";
    }
    for (const std::size_t zero : {1, 4, 8}) {
        record->Detail[zero] = "0";
    }
    record->Detail[9] = "01";
    record->Detail[2] = today;
    record->Detail[3] = today;
    return record;
}

void AssignImportedLine(std::string_view line, const std::vector<int>& columns, ItemRecord& record)
{
    for (const int item : columns) {
        const std::size_t comma = line.find(',');
        AssignField(line.substr(0, comma), item, record);
        if (comma == std::string_view::npos) {
            return;  // no field for the columns after this one
        }
        line.remove_prefix(comma + 1);
    }
}

ImportOutcome ImportCommaDelimited(ByteSource& source, const std::vector<int>& columns,
                                   const std::string& today, ItemRecordList& records)
{
    ImportOutcome outcome;
    std::vector<char> buffer(ReadBufferSize);
    std::string partial;  // a line that runs past the end of the buffer
    auto importLine = [&](std::string_view line) {
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        std::shared_ptr<ItemRecord> record = ImportedRecordDefaults(today);
        AssignImportedLine(line, columns, *record);
        records.push_back(std::move(record));
        ++outcome.imported;
    };
    try {
        while (const std::size_t got = source.ReadSome(buffer.data(), buffer.size())) {
            std::string_view chunk(buffer.data(), got);
            for (std::size_t end = chunk.find('\n'); end != std::string_view::npos;
                 end = chunk.find('\n')) {
                if (partial.empty()) {
                    importLine(chunk.substr(0, end));
                } else {
                    partial.append(chunk.substr(0, end));
                    importLine(partial);
                    partial.clear();
                }
                chunk.remove_prefix(end + 1);
            }
            partial.append(chunk);
        }
    } catch (const ReadError& error) {
        // The line being read when it failed is not a whole line: it is left out.
        outcome.readError = error.what();
        return outcome;
    }
    if (!partial.empty()) {
        importLine(partial);
    }
    return outcome;
}

namespace {

// A file read through it tells how far reading has come.
class ProgressSource : public ByteSource {
public:
    ProgressSource(FileSource& file, const ProgressReport& progress)
        : file_(file), progress_(progress)
    {
    }
    std::size_t ReadSome(char* buffer, std::size_t capacity) override
    {
        const std::size_t got = file_.ReadSome(buffer, capacity);
        read_ += got;
        if (progress_) {
            progress_(read_, static_cast<std::size_t>(file_.Size()));
        }
        return got;
    }

private:
    FileSource& file_;
    const ProgressReport& progress_;
    std::size_t read_ = 0;
};

}  // namespace

ImportOutcome ImportCommaDelimitedFile(const std::string& path, const std::vector<int>& columns,
                                       const std::string& today, ItemRecordList& records,
                                       const ProgressReport& progress)
{
    try {
        FileSource file(path);
        ProgressSource source(file, progress);
        return ImportCommaDelimited(source, columns, today, records);
    } catch (const ReadError& error) {
        return {0, error.what()};
    }
}

}  // namespace quillmark
