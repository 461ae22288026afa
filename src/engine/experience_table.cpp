#include "engine/experience_table.h"

#include "core/whole_number.h"

#include <algorithm>
#include <optional>

namespace quillmark {

namespace {

// A saved table larger than this comes from a damaged file; the grid keeps its size then.
constexpr int MaximumColumns = 100;
constexpr int MaximumRows = 100000;

const std::string EmptyCell;

}  // namespace

ExperienceTable::ExperienceTable(int columns, int rows) : columns_(0), rows_(0)
{
    Resize(columns, rows);
}

void ExperienceTable::Resize(int columns, int rows)
{
    std::vector<std::string> cells(static_cast<std::size_t>(columns) *
                                   static_cast<std::size_t>(rows));
    for (int row = 0; row < std::min(rows, rows_); ++row) {
        for (int column = 0; column < std::min(columns, columns_); ++column) {
            cells[static_cast<std::size_t>(row * columns + column)] =
                std::move(cells_[static_cast<std::size_t>(row * columns_ + column)]);
        }
    }
    cells_ = std::move(cells);
    columns_ = columns;
    rows_ = rows;
}

const std::string& ExperienceTable::Cell(int column, int row) const
{
    if (column < 0 || column >= columns_ || row < 0 || row >= rows_) {
        return EmptyCell;
    }
    return cells_[static_cast<std::size_t>(row * columns_ + column)];
}

void ExperienceTable::SetCell(int column, int row, std::string text)
{
    if (column < 0 || column >= columns_ || row < 0 || row >= rows_) {
        return;
    }
    cells_[static_cast<std::size_t>(row * columns_ + column)] = std::move(text);
}

void ExperienceTable::ClearCells()
{
    for (std::string& cell : cells_) {
        cell.clear();
    }
}

void ExperienceTable::SetHeader()
{
    static constexpr const char* Header[] = {"Employer", "Position", "Dates", "Notes"};
    for (int column = 0; column < 4; ++column) {
        SetCell(column, 0, Header[column]);
    }
}

std::string WriteExperienceStream(const ExperienceTable& table)
{
    std::string stream =
        std::to_string(table.ColumnCount()) + "," + std::to_string(table.RowCount()) + "\r\n";
    for (int row = 0; row < table.RowCount(); ++row) {
        for (int column = 0; column < table.ColumnCount(); ++column) {
            const std::string& text = table.Cell(column, row);
            if (text.empty()) {
                continue;
            }
            stream += std::to_string(column) + "," + std::to_string(row) + ",";
            for (char c : text) {
                stream.push_back(c == '\r' ? '\t' : c == '\n' ? '\b' : c);
            }
            stream += "\r\n";
        }
    }
    return stream;
}

void ReadExperienceStream(std::string_view stream, ExperienceTable& table)
{
    bool first = true;
    std::size_t position = 0;
    while (position < stream.size()) {
        // A line runs up to its CR; the byte after the CR (the LF) is skipped.
        std::size_t end = stream.find('\r', position);
        std::string_view line =
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
            if (columns && rows && *columns >= 1 && *columns <= MaximumColumns && *rows >= 1 &&
                *rows <= MaximumRows) {
                table.Resize(*columns, *rows);
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
        if (!column || !row) {
            continue;
        }
        std::string text(line.substr(secondComma + 1));
        for (char& c : text) {
            c = c == '\t' ? '\r' : c == '\b' ? '\n' : c;
        }
        table.SetCell(*column, *row, std::move(text));
    }
}

}  // namespace quillmark
