#include "engine/reports/html_report.h"

#include "core/database.h"
#include "core/field_catalogue.h"
#include "core/file_io.h"
#include "core/value_reader.h"
#include "core/value_writer.h"

#include <set>

namespace quillmark {

bool IsHtmlReportItem(int code)
{
    return FieldByReportNumber(code) != nullptr;
}

HtmlReportTable BuildHtmlReportTable(const Database& database, const std::vector<int>& codes,
                                     bool searchListOnly, bool shortDescriptions)
{
    HtmlReportTable table;
    std::vector<std::string>& titles = table.rows.emplace_back();
    for (const int code : codes) {
        titles.push_back(FieldTitle(code, FieldNumbering::Report, database));
    }
    const ItemRecordList& records = database.RecordList;
    for (std::size_t position = 0; position < records.size(); ++position) {
        const ItemRecord& record = *records[position];
        if (searchListOnly && !record.InSearchList) {
            continue;
        }
        if (table.rows.size() > static_cast<std::size_t>(HtmlReportRecordLimit)) {
            table.limitReached = true;
            break;
        }
        std::vector<std::string>& row = table.rows.emplace_back();
        row.reserve(codes.size());
        for (const int code : codes) {
            row.push_back(FieldValue(record, static_cast<int>(position) + 1, code,
                                     FieldNumbering::Report, shortDescriptions));
        }
    }
    return table;
}

HtmlTableOptions HtmlReportOptions(std::string header, std::string footer, const FontSetting& font,
                                   RgbColour background, std::string title)
{
    HtmlTableOptions options;
    options.header = std::move(header);
    options.footer = std::move(footer);
    options.title = std::move(title);
    HtmlCellStyle& style = options.style.emplace();
    style.background =
        HtmlColour(static_cast<unsigned>(background.red), static_cast<unsigned>(background.green),
                   static_cast<unsigned>(background.blue));
    style.fontColour =
        HtmlColour(static_cast<unsigned>(font.Colour.red), static_cast<unsigned>(font.Colour.green),
                   static_cast<unsigned>(font.Colour.blue));
    style.bold = font.Bold;
    style.italic = font.Italic;
    style.underline = font.Underline;
    return options;
}

std::vector<std::string> TextFileLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start =
            end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

bool FitsHtmlPart(const std::vector<std::string>& lines)
{
    std::size_t bytes = 0;
    for (const std::string& line : lines) {
        bytes += line.size() + 2;
    }
    return lines.size() <= HtmlPartLineLimit && bytes <= HtmlPartByteLimit;
}

void WriteHtmlReportFormat(ByteSink& sink, const HtmlReportFormat& format)
{
    ValueWriter writer(sink);
    writer.WriteListBegin();
    for (const HtmlReportItem& item : format.Fields) {
        writer.WriteString(item.title);
        writer.WriteInteger(item.code);
    }
    writer.WriteListEnd();
    for (const std::vector<std::string>* lines : {&format.HeaderHTML, &format.FooterHTML}) {
        writer.WriteListBegin();
        for (const std::string& line : *lines) {
            writer.WriteString(line);
        }
        writer.WriteListEnd();
    }
    WriteFontDialog(writer, "ReportFont", format.ReportFont);
    WriteColorDialog(writer, "ReportColor", format.ReportColor);
    writer.WriteBoolean(format.SearchListOnly);
    writer.Flush();
}

void ReadHtmlReportFormat(ValueReader& reader, HtmlReportFormat& format)
{
    reader.ReadListBegin();
    // Each item can be in a report once, so a list can be no longer than the item menu.
    std::set<int> chosen;
    while (!reader.EndOfList()) {
        HtmlReportItem item;
        item.title = reader.ReadString();
        const std::uint64_t codeAt = reader.Offset();
        item.code = reader.ReadInteger();
        if (!IsHtmlReportItem(item.code)) {
            throw FormatError("no report item has the code " + std::to_string(item.code), codeAt);
        }
        if (!chosen.insert(item.code).second) {
            throw FormatError("the item " + std::to_string(item.code) + " is in the list twice",
                              codeAt);
        }
        format.Fields.push_back(std::move(item));
    }
    reader.ReadListEnd();
    for (std::vector<std::string>* lines : {&format.HeaderHTML, &format.FooterHTML}) {
        reader.ReadListBegin();
        std::size_t bytes = 0;
        while (!reader.EndOfList()) {
            if (lines->size() == HtmlPartLineLimit) {
                reader.Fail("more than " + std::to_string(HtmlPartLineLimit) + " lines");
            }
            bytes += lines->emplace_back(reader.ReadString()).size() + 2;
            if (bytes > HtmlPartByteLimit) {
                reader.Fail("more than " + std::to_string(HtmlPartByteLimit) + " bytes of lines");
            }
        }
        reader.ReadListEnd();
    }
    ReadFontDialog(reader, format.ReportFont);
    ReadColorDialog(reader, format.ReportColor);
    format.SearchListOnly = reader.ReadBoolean();
}

void SaveHtmlReportFormat(const std::string& path, const HtmlReportFormat& format)
{
    SaveFileSafely(path, [&format](ByteSink& sink) { WriteHtmlReportFormat(sink, format); });
}

HtmlReportFormat LoadHtmlReportFormat(const std::string& path)
{
    FileSource source(path);
    ValueReader reader(source, source.Size());
    HtmlReportFormat format;
    ReadHtmlReportFormat(reader, format);
    return format;
}

}  // namespace quillmark
