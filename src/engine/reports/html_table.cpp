#include "engine/reports/html_table.h"

#include "core/byte_stream.h"
#include "engine/reports/document_title.h"
#include "engine/text_file_encoding.h"

#include <algorithm>
#include <cstdio>

namespace quillmark {

namespace {

// Markup in record text shows as typed; a stored line break (CR) breaks the line.
std::string Escaped(std::string_view text)
{
    std::string html;
    html.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '\r':
            html += "<br>";
            break;
        default:
            html += c;
        }
    }
    return html;
}

std::string CellText(const std::string& text)
{
    return text.empty() ? "<br>" : Escaped(text);
}

// A title is one line of text: line breaks and tabs in it show as spaces.
std::string TitleText(std::string_view title)
{
    std::string scratch;
    return Escaped(OnOneLine(title, scratch));
}

bool HoldsIgnoringCase(std::string_view text, std::string_view lowerCaseWord)
{
    return std::search(text.begin(), text.end(), lowerCaseWord.begin(), lowerCaseWord.end(),
                       [](char a, char b) {
                           return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) ==
                                  b;
                       }) != text.end();
}

std::string StyledCell(const std::string& text, const HtmlCellStyle& style)
{
    std::string opening;
    std::string closing;
    if (style.bold) {
        opening += "<B>";
        closing = "</B>" + closing;
    }
    if (style.italic) {
        opening += "<I>";
        closing = "</I>" + closing;
    }
    if (style.underline) {
        opening += "<U>";
        closing = "</U>" + closing;
    }
    return "<td nowrap BGCOLOR=\"#" + style.background + "\"><font color=\"#" + style.fontColour +
           "\">" + opening + CellText(text) + closing + "</font></td>";
}

}  // namespace

std::string HtmlColour(unsigned red, unsigned green, unsigned blue)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02X%02X%02X", red & 0xFF, green & 0xFF, blue & 0xFF);
    return digits;
}

std::string HtmlPageLines(std::string_view text)
{
    std::string lines;
    lines.reserve(text.size() + text.size() / 8 + 2);
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '\r' || c == '\n') {
            lines += "\r\n";
            if (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
                ++at;
            }
        } else {
            lines += c;
        }
    }
    if (!text.empty() && text.back() != '\r' && text.back() != '\n') {
        lines += "\r\n";
    }
    return lines;
}

bool BeginsHtmlDocument(std::string_view header)
{
    return HoldsIgnoringCase(header, "<html") || HoldsIgnoringCase(header, "<!doctype");
}

void WriteHtmlTable(ByteSink& target, const std::vector<std::vector<std::string>>& rows,
                    const HtmlTableOptions& options)
{
    EncodingSink sink(target, TextFileEncoding::Utf8);
    const bool ownBeginning = !BeginsHtmlDocument(options.header);
    if (ownBeginning) {
        sink.Write("<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>" +
                   TitleText(options.title) + "</title>\r\n</head>\r\n<body>\r\n");
    } else {
        target.Write("\xEF\xBB\xBF");
    }
    sink.Write(options.header);
    std::string html;
    auto line = [&html](const std::string& text) { html += text + "\r\n"; };
    line("<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" width=\"100%\">");
    // A table of titles alone has no fixed row: its one row is data like any other.
    const bool titleRow = options.style && rows.size() > 1;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        line("<tr>");
        for (const std::string& cell : rows[row]) {
            if (!options.style) {
                line("<td nowrap>" + CellText(cell) + "</td>");
            } else if (row == 0 && titleRow) {
                line("<td nowrap BGCOLOR=\"#" + options.titleBackground + "\"><B>" +
                     CellText(cell) + "</B></td>");
            } else {
                line(StyledCell(cell, *options.style));
            }
        }
        line("</tr>");
    }
    line("</table><p>");
    sink.Write(html);
    sink.Write(options.footer);
    if (ownBeginning) {
        sink.Write("</body>\r\n</html>\r\n");
    }
}

}  // namespace quillmark
