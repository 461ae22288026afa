#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// The cell rule of every comma-delimited file the program writes, the form every CSV reader
// takes: a cell holding a comma, a double quote, a CR or a LF is written in double quotes, the
// quotes inside it doubled and its line breaks kept as they are; an empty cell is written as
// ""; any other cell exactly as it is.
void AppendCommaDelimitedCell(std::string& line, std::string_view cell);

// One line of a comma-delimited file, without its line end: the cells joined by commas.
std::string CommaDelimitedLine(const std::vector<std::string>& cells);

// Reads the records of a comma-delimited text one after another. A field that begins with a
// double quote is a quoted field: it ends at the next lone double quote, "" inside it is one
// quote, and commas and line breaks inside it belong to it; anything after its closing quote
// up to the next comma is added as it stands. Any other field ends at the next comma or line
// end, quote characters in it being ordinary characters. A record ends at CR LF, LF or CR
// alone, or at the end of the text; lines with nothing on them are no records.
class CommaDelimitedReader {
public:
    explicit CommaDelimitedReader(std::string_view text) : text_(text), rest_(text) {}

    // Reads the next record; false when none is left.
    bool Next();
    std::span<const std::string> Fields() const { return {fields_.data(), count_}; }
    // Whether the record last read was ended by a line end rather than by the end of the text.
    bool Ended() const { return ended_; }
    // How many bytes of the text have been read.
    std::size_t Position() const { return text_.size() - rest_.size(); }

private:
    std::string& NewField();

    std::string_view text_;
    std::string_view rest_;
    std::vector<std::string> fields_;  // kept from record to record, and their buffers with them
    std::size_t count_ = 0;
    bool ended_ = false;
};

}  // namespace quillmark
