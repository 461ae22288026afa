#include "engine/experience_table.h"

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
    std::erase_if(cells_, [columns, rows](const auto& cell) {
        return cell.first.first >= rows || cell.first.second >= columns;
    });
    columns_ = columns;
    rows_ = rows;
}

const std::string& ExperienceTable::Cell(int column, int row) const
{
    const auto found = cells_.find({row, column});
    return found == cells_.end() ? EmptyCell : found->second;
}

void ExperienceTable::SetCell(int column, int row, std::string text)
{
    if (column < 0 || column >= columns_ || row < 0 || row >= rows_) {
        return;
    }
    if (text.empty()) {
        cells_.erase({row, column});
    } else {
        cells_[{row, column}] = std::move(text);
    }
}

void ExperienceTable::ClearCells()
{
    cells_.clear();
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
    for (const auto& [place, text] : table.cells_) {
        stream += std::to_string(place.second) + "," + std::to_string(place.first) + ",";
        for (char c : text) {
            stream.push_back(c == '\r' ? '\t' : c == '\n' ? '\b' : c);
        }
        stream += "\r\n";
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
