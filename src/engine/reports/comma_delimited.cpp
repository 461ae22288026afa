#include "engine/reports/comma_delimited.h"

namespace quillmark {

void AppendCommaDelimitedCell(std::string& line, std::string_view cell)
{
    if (cell.empty()) {
        line += "\"\"";
        return;
    }
    if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
        line += cell;
        return;
    }
    line += '"';
    for (const char c : cell) {
        if (c == '"') {
            line += '"';
        }
        line += c;
    }
    line += '"';
}

std::string CommaDelimitedLine(const std::vector<std::string>& cells)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        AppendCommaDelimitedCell(line, cells[i]);
    }
    return line;
}

std::string& CommaDelimitedReader::NewField()
{
    if (count_ == fields_.size()) {
        fields_.emplace_back();
    }
    std::string& field = fields_[count_++];
    field.clear();
    return field;
}

bool CommaDelimitedReader::Next()
{
    while (!rest_.empty() && (rest_.front() == '\r' || rest_.front() == '\n')) {
        rest_.remove_prefix(1);
    }
    count_ = 0;
    ended_ = false;
    if (rest_.empty()) {
        return false;
    }
    while (true) {
        std::string& field = NewField();
        if (!rest_.empty() && rest_.front() == '"') {
            rest_.remove_prefix(1);
            while (true) {
                const std::size_t quote = rest_.find('"');
                field.append(rest_.substr(0, quote));
                if (quote == std::string_view::npos) {
                    rest_ = {};  // never closed: it holds the rest of the text
                    return true;
                }
                rest_.remove_prefix(quote + 1);
                if (rest_.empty() || rest_.front() != '"') {
                    break;
                }
                field += '"';
                rest_.remove_prefix(1);
            }
        }
        const std::size_t end = rest_.find_first_of(",\r\n");
        field.append(rest_.substr(0, end));
        if (end == std::string_view::npos) {
            rest_ = {};
            return true;
        }
        const char delimiter = rest_[end];
        rest_.remove_prefix(end + 1);
        if (delimiter != ',') {
            if (delimiter == '\r' && !rest_.empty() && rest_.front() == '\n') {
                rest_.remove_prefix(1);
            }
            ended_ = true;
            return true;
        }
    }
}

}  // namespace quillmark
