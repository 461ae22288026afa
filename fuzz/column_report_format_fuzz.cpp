// Feeds arbitrary bytes to the column report format reader: a damaged file ends in a FormatError
// at an offset inside the file, never a crash, a hang or a huge allocation; what is read stays
// within what the report window can show; and a format that was read is written back into bytes
// that read into the same format.

#include "core/byte_stream.h"
#include "core/value_reader.h"
#include "engine/reports/report_format_file.h"
#include "trickle_source.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace quillmark;

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "column report format: %s\n", what);
    std::abort();
}

bool Read(ValueReader& reader, ReportFormat& format, std::uint64_t& offset)
{
    try {
        ReadReportFormat(reader, format);
    } catch (const FormatError& error) {
        offset = error.Offset();
        return false;
    }
    return true;
}

bool FontFits(const PageFont& font)
{
    return font.size >= 1 && font.size <= 1000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    ReportFormat format;
    std::uint64_t offset = 0;
    ValueReader reader(bytes);
    const bool ok = Read(reader, format, offset);
    if (!ok && offset > size) {
        Fail("the error is past the end of the file");
    }

    // Loading a file goes through a buffer; it must stop where reading memory does.
    ReportFormat buffered;
    std::uint64_t bufferedOffset = 0;
    TrickleSource source(bytes, 1 + size % 7);
    ValueReader bufferedReader(source, size);
    if (Read(bufferedReader, buffered, bufferedOffset) != ok || bufferedOffset != offset ||
        !(buffered == format)) {
        Fail("the buffered reader and the memory reader disagree");
    }

    for (const ReportFormatItem& item : format.Items) {
        if (item.position < 0 || item.position >= ReportItemChoices) {
            Fail("an item that is none was read");
        }
    }
    if (format.Items.size() > static_cast<std::size_t>(MaximumReportItems)) {
        Fail("more items than a report holds");
    }
    for (const PageFont* font :
         {&format.BodyFont, &format.TitleFont, &format.ValueFont, &format.TitleFontBox.font,
          &format.BodyFontBox.font, &format.ValueFontBox.font}) {
        if (!FontFits(*font)) {
            Fail("a font size out of range was read");
        }
    }
    if (!ok) {
        return 0;
    }
    if (!MarginInches(format.LeftMargin) || !MarginInches(format.RightMargin) ||
        !MarginInches(format.TopMargin) || !MarginInches(format.BottomMargin) ||
        !ColumnCount(format.Columns)) {
        Fail("a margin or column count that is no number was read");
    }
    SetupFromFormat(format);

    std::string written;
    StringSink sink(written);
    WriteReportFormat(sink, format);
    ReportFormat again;
    ValueReader rereader(written);
    std::uint64_t againOffset = 0;
    if (!Read(rereader, again, againOffset) || !(again == format)) {
        Fail("a written format reads back different");
    }
    return 0;
}
