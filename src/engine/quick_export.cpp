#include "engine/quick_export.h"

#include "core/file_io.h"
#include "engine/reports/comma_delimited.h"

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

void AppendLine(std::string& text, const ItemRecord& record, const StatusCaptions& captions)
{
    const auto cell = [&text](std::string_view value) {
        AppendCommaDelimitedCell(text, value);
        text += ',';
    };
    cell(record.RecordName);
    for (const std::string& description : record.Desc) {
        cell(description);
    }
    for (const std::string& detail : record.Detail) {
        cell(detail);
    }
    cell(StatusCell(record, captions));
    for (const std::string& other : record.Other) {
        cell(other);
    }
    for (int period = 1; period <= PayPeriodCount; ++period) {
        cell(record.SalaryFigures[period]);
    }
    cell(record.WorkDaysPerWeek);
    AppendCommaDelimitedCell(text, record.HoursPerWeek);
    text += "\r\n";
}

}  // namespace

void WriteQuickExport(ByteSink& sink, const ItemRecordList& records,
                      const StatusCaptions& statusCaptions)
{
    std::string buffer;
    buffer.reserve(BufferSize + 4096);
    for (const auto& record : records) {
        AppendLine(buffer, *record, statusCaptions);
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
