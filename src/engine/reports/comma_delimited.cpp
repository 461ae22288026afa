#include "engine/reports/comma_delimited.h"

namespace quillmark {

namespace {

void AppendCell(std::string& line, const std::string& cell)
{
    if (cell.empty()) {
        line += "\"\"";
        return;
    }
    if (cell.find(',') == std::string::npos) {
        line += cell;
        return;
    }
    line += '"';
    for (std::size_t i = 0; i < cell.size(); ++i) {
        if (cell[i] == '\r' && i + 1 < cell.size() && cell[i + 1] == '\n') {
            continue;
        }
        if (cell[i] == '"') {
            line += '"';
        }
        line += cell[i];
    }
    line += '"';
}

}  // namespace

std::string CommaDelimitedLine(const std::vector<std::string>& cells)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        AppendCell(line, cells[i]);
    }
    return line;
}

}  // namespace quillmark
