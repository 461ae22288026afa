#pragma once

#include <string>
#include <string_view>
#include <vector>

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

    int columns_;
    int rows_;
    std::vector<std::string> cells_;  // row by row
};

// The saved form of the table kept in a record: "columns,rows" on the first line, then one line
// "column,row,text" per filled cell, lines ended by CR LF; in a text CR is written as byte 9
// and LF as byte 8 so that every cell stays on one line.
std::string WriteExperienceStream(const ExperienceTable& table);

// Fills the table from a saved stream, header row included; an empty stream changes nothing.
// Lines that do not start with two numbers, and cells outside the table, are passed over.
void ReadExperienceStream(std::string_view stream, ExperienceTable& table);

}  // namespace quillmark
