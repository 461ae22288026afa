#include "forms/main/pages/experience_page.h"

namespace quillmark {

PrintableTable ExperiencePage::TableToPrint(const std::string& employeeName) const
{
    PrintableTable table;
    table.title = employeeName.empty() ? "Experience" : "Experience: " + employeeName;
    for (int column = 0; column < DirGrid.ColumnCount(); ++column) {
        table.header.push_back(DirGrid.Cell(column, 0));
    }
    int lastFilledRow = 0;
    for (int row = 1; row < DirGrid.RowCount(); ++row) {
        for (int column = 0; column < DirGrid.ColumnCount(); ++column) {
            if (!DirGrid.Cell(column, row).empty()) {
                lastFilledRow = row;
            }
        }
    }
    for (int row = 1; row <= lastFilledRow; ++row) {
        std::vector<std::string>& cells = table.rows.emplace_back();
        for (int column = 0; column < DirGrid.ColumnCount(); ++column) {
            cells.push_back(DirGrid.Cell(column, row));
        }
    }
    return table;
}

}  // namespace quillmark
