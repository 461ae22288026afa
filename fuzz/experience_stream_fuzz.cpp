// Feeds arbitrary text to the experience table reader, as a record's table is kept in the
// database: the grid keeps a size within the limits, every line that names a cell inside the
// table fills it, and a table that was read is written and read back unchanged.

#include "engine/experience_table.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace quillmark;

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "experience stream: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view stream(reinterpret_cast<const char*>(data), size);

    // A small table that already holds text, so that a size line has cells to carry over.
    ExperienceTable table(2, 3);
    table.SetCell(1, 2, "kept");
    ReadExperienceStream(stream, table);
    if (table.ColumnCount() < 1 || table.ColumnCount() > MaximumExperienceColumns ||
        table.RowCount() < 1 || table.RowCount() > MaximumExperienceRows) {
        Fail("the table has a size no file may give it");
    }
    // The last line naming a cell decides its text.
    std::string lastText;
    bool named = false;
    VisitExperienceStream(
        stream, [](int, int) {},
        [&](int column, int row, std::string_view stored) {
            if (column == 1 && row == 2) {
                lastText = stored;
                named = true;
            }
        });
    if (table.ColumnCount() > 1 && table.RowCount() > 2) {
        for (char& c : lastText) {
            c = c == '\t' ? '\r' : c == '\b' ? '\n' : c;
        }
        if (table.Cell(1, 2) != (named ? lastText : "kept")) {
            Fail("a cell does not hold what its last line gives it");
        }
    }

    const std::string written = WriteExperienceStream(table);
    ExperienceTable again;
    ReadExperienceStream(written, again);
    if (!(again == table)) {
        Fail("a written table reads back different");
    }
    if (WriteExperienceStream(again) != written) {
        Fail("writing a table read back gives other text");
    }
    return 0;
}
