#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillmark {

class ByteSink;

// A colour as HTML writes it: six upper-case hexadecimal digits, red, green, blue.
std::string HtmlColour(unsigned red, unsigned green, unsigned blue);

// How the data cells of a report table look.
struct HtmlCellStyle {
    std::string background = "FFFFFF";
    std::string fontColour = "000000";
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct HtmlTableOptions {
    std::vector<std::string> headerLines;  // written as they are before the table
    std::vector<std::string> footerLines;  // and after it
    // The HTML report's tables: the first row is the titles (on this light grey, in bold)
    // when there is a row after it, and the data cells take the style. Without a style every
    // cell is a plain "<td nowrap>".
    std::optional<HtmlCellStyle> style;
    std::string titleBackground = "C0C0C0";
};

// A table as an HTML document, one element a line, every line ended by CR LF. Cell texts are
// record text: "&", "<" and ">" are written as entities so that a value shows as typed, a CR
// becomes "<br>" and an empty cell "<br>". Throws WriteError when the sink cannot write.
void WriteHtmlTable(ByteSink& sink, const std::vector<std::vector<std::string>>& rows,
                    const HtmlTableOptions& options);

}  // namespace quillmark
