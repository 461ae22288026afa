#include "engine/quick_export.h"

#include "core/file_io.h"
#include "core/record_fields.h"
#include "engine/reports/comma_delimited.h"

#include <vector>

namespace quillmark {

namespace {

// Written to the file in pieces of about this size, not a line or a cell at a time.
constexpr std::size_t BufferSize = 64 * 1024;

const std::string& StatusCell(const ItemRecord& record, const StatusCaptions& captions)
{
    static const std::string none;
    const std::optional<RecordStatus> status = ShownStatus(record);
    return status ? captions[static_cast<std::size_t>(static_cast<int>(*status) - 1)] : none;
}

// The fields with an export column, in the order of their columns.
std::vector<const RecordField*> ExportedFields()
{
    std::vector<const RecordField*> fields;
    for (int column = 0; const RecordField* field = FieldByExportColumn(column); ++column) {
        fields.push_back(field);
    }
    return fields;
}

void AppendLine(std::string& text, const ItemRecord& record, const StatusCaptions& captions,
                const std::vector<const RecordField*>& fields)
{
    for (std::size_t column = 0; column < fields.size(); ++column) {
        if (column > 0) {
            text += ',';
        }
        const RecordField& field = *fields[column];
        AppendCommaDelimitedCell(text, field.kind == FieldKind::Status
                                           ? StatusCell(record, captions)
                                           : FieldText(field, record));
    }
    text += "\r\n";
}

}  // namespace

void WriteQuickExport(ByteSink& sink, const ItemRecordList& records,
                      const StatusCaptions& statusCaptions)
{
    static const std::vector<const RecordField*> fields = ExportedFields();
    std::string buffer;
    buffer.reserve(BufferSize + 4096);
    for (const auto& record : records) {
        AppendLine(buffer, *record, statusCaptions, fields);
        if (buffer.size() >= BufferSize) {
            sink.Write(buffer);
            buffer.clear();
        }
    }
    if (!buffer.empty()) {
        sink.Write(buffer);
    }
}

void SaveQuickExport(const std::string& path, const ItemRecordList& records,
                     const StatusCaptions& statusCaptions, TextFileEncoding encoding)
{
    SaveFileSafely(path, [&](ByteSink& file) {
        EncodingSink sink(file, encoding);
        WriteQuickExport(sink, records, statusCaptions);
    });
}

}  // namespace quillmark
