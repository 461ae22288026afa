#include "engine/quick_export.h"

#include "core/file_io.h"

namespace quillmark {

namespace {

// Written to the file in pieces of about this size, not a line or a cell at a time.
constexpr std::size_t BufferSize = 64 * 1024;

const std::string& StatusCell(const ItemRecord& record, const StatusCaptions& captions)
{
    static const std::string none;
    if (record.Working) {
        return captions[0];
    }
    if (record.Available) {
        return captions[1];
    }
    if (record.NotAvailable) {
        return captions[2];
    }
    return none;
}

void AppendCell(std::string& line, std::string_view value)
{
    if (value.empty()) {
        line += "\"\"";
        return;
    }
    if (value.find(',') == std::string_view::npos) {
        line += value;
        return;
    }
    line += '"';
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') {
            continue;  // the LF that follows stays
        }
        if (c == '"') {
            line += '"';
        }
        line += c;
    }
    line += '"';
}

void AppendLine(std::string& text, const ItemRecord& record, const StatusCaptions& captions)
{
    const auto cell = [&text](std::string_view value) {
        AppendCell(text, value);
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
    AppendCell(text, record.HoursPerWeek);
    text += "\r\n";
}

}  // namespace

StatusCaptions DefaultStatusCaptions()
{
    return {"Working", "Available", "Not Available"};
}

std::string QuickExportCell(std::string_view value)
{
    std::string cell;
    AppendCell(cell, value);
    return cell;
}

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
                     const StatusCaptions& statusCaptions)
{
    SaveFileSafely(path, [&](ByteSink& sink) { WriteQuickExport(sink, records, statusCaptions); });
}

}  // namespace quillmark
