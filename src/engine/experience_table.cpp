#include "engine/experience_table.h"

#include <algorithm>

namespace quillmark {

namespace {

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
    VisitExperienceStream(
        stream, [&table](int columns, int rows) { table.Resize(columns, rows); },
        [&table](int column, int row, std::string_view stored) {
            std::string text(stored);
            for (char& c : text) {
                c = c == '\t' ? '\r' : c == '\b' ? '\n' : c;
            }
            table.SetCell(column, row, std::move(text));
        });
}

}  // namespace quillmark
