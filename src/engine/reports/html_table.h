#pragma once

#include <optional>
#include <string>
#include <string_view>
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
    // Record text like the cells, written before and after the table, every line ended by
    // CR LF.
    std::string header;
    std::string footer;
    // What a browser calls the page, when the header leaves the page's beginning to the writer.
    std::string title;
    // The HTML report's tables: the first row is the titles (on this light grey, in bold)
    // when there is a row after it, and the data cells take the style. Without a style every
    // cell is a plain "<td nowrap>".
    std::optional<HtmlCellStyle> style;
    std::string titleBackground = "C0C0C0";
};

// The lines of a header or footer as the page holds them: each ended by CR LF, whether the text
// ended them with CR LF, LF or CR, the last one too.
std::string HtmlPageLines(std::string_view text);

// Whether a header begins the page itself: it holds "<html" or "<!DOCTYPE", in any case.
bool BeginsHtmlDocument(std::string_view header);

// A table as an HTML document in UTF-8, one element a line, every line ended by CR LF. Cell
// texts are record text: "&", "<" and ">" are written as entities so that a value shows as
// typed, a CR becomes "<br>" and an empty cell "<br>". A header that does not begin the page
// gets a beginning declaring UTF-8 and the title, and the page is closed after the footer; a
// header that does begin it is preceded by the byte-order mark, which browsers trust over
// whatever encoding the header names. Throws WriteError when the sink cannot write.
void WriteHtmlTable(ByteSink& sink, const std::vector<std::vector<std::string>>& rows,
                    const HtmlTableOptions& options);

}  // namespace quillmark
