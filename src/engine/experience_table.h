#pragma once

#include "core/whole_number.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace quillmark {

// The experience table of a record: a grid of texts whose first row is the header
// "Employer", "Position", "Dates", "Notes".
class ExperienceTable {
public:
    static constexpr int DefaultColumns = 4;
    static constexpr int DefaultRows = 100;

    ExperienceTable(int columns = DefaultColumns, int rows = DefaultRows);

    int ColumnCount() const { return columns_; }
    int RowCount() const { return rows_; }
    // Out-of-range cells read as empty and ignore writes.
    const std::string& Cell(int column, int row) const;
    void SetCell(int column, int row, std::string text);

    void ClearCells();
    void SetHeader();

    bool operator==(const ExperienceTable&) const = default;

private:
    void Resize(int columns, int rows);
    friend void ReadExperienceStream(std::string_view stream, ExperienceTable& table);
    friend std::string WriteExperienceStream(const ExperienceTable& table);

    int columns_;
    int rows_;
    // Only the cells that hold text, by row and then column: a table may be as large as
    // 100 by 100 000 and still hold a few lines.
    std::map<std::pair<int, int>, std::string> cells_;
};

// The saved form of the table kept in a record: "columns,rows" on the first line, then one line
// "column,row,text" per filled cell, lines ended by CR LF; in a text CR is written as byte 9
// and LF as byte 8 so that every cell stays on one line.
std::string WriteExperienceStream(const ExperienceTable& table);

// Walks a saved stream line by line: `size(columns, rows)` for a first line that gives a
// sensible size, then `cell(column, row, text)` for every further line that starts with two
// numbers, its text as stored (CR as byte 9, LF as byte 8). A line runs up to its CR; the byte
// after the CR (the LF) is skipped.
template <typename SizeVisitor, typename CellVisitor>
void VisitExperienceStream(std::string_view stream, SizeVisitor size, CellVisitor cell);

// Fills the table from a saved stream, header row included; an empty stream changes nothing.
// Lines that do not start with two numbers, and cells outside the table, are passed over.
void ReadExperienceStream(std::string_view stream, ExperienceTable& table);

// A saved table larger than this comes from a damaged file; the grid keeps its size then.
inline constexpr int MaximumExperienceColumns = 100;
inline constexpr int MaximumExperienceRows = 100000;

template <typename SizeVisitor, typename CellVisitor>
void VisitExperienceStream(std::string_view stream, SizeVisitor size, CellVisitor cell)
{
    bool first = true;
    std::size_t position = 0;
    while (position < stream.size()) {
        const std::size_t end = stream.find('\r', position);
        const std::string_view line =
            stream.substr(position, end == std::string_view::npos ? end : end - position);
        position = end == std::string_view::npos ? stream.size() : end + 2;

        const std::size_t firstComma = line.find(',');
        if (first) {
            first = false;
            if (firstComma == std::string_view::npos) {
                continue;
            }
            const std::optional<int> columns = ReadWholeNumber(line.substr(0, firstComma));
            const std::optional<int> rows = ReadWholeNumber(line.substr(firstComma + 1));
            if (columns && rows && *columns >= 1 && *columns <= MaximumExperienceColumns &&
                *rows >= 1 && *rows <= MaximumExperienceRows) {
                size(*columns, *rows);
            }
            continue;
        }
        const std::size_t secondComma =
            firstComma == std::string_view::npos ? firstComma : line.find(',', firstComma + 1);
        if (secondComma == std::string_view::npos) {
            continue;
        }
        const std::optional<int> column = ReadWholeNumber(line.substr(0, firstComma));
        const std::optional<int> row =
            ReadWholeNumber(line.substr(firstComma + 1, secondComma - firstComma - 1));
        if (column && row) {
            cell(*column, *row, line.substr(secondComma + 1));
        }
    }
}

}  // namespace quillmark
