// Feeds arbitrary bytes to the HTML report format reader: a damaged file ends in a FormatError,
// never a crash, a hang or a huge allocation, and a file that was read writes back into bytes
// that read into the same format.

#include "core/byte_stream.h"
#include "core/value_reader.h"
#include "engine/reports/html_report.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace quillmark;

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "html report format: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    HtmlReportFormat format;
    try {
        ValueReader reader(bytes);
        ReadHtmlReportFormat(reader, format);
    } catch (const FormatError& error) {
        if (error.Offset() > size) {
            Fail("the error is past the end of the file");
        }
        return 0;
    }
    for (const HtmlReportItem& item : format.Fields) {
        if (!IsHtmlReportItem(item.code)) {
            Fail("an item that is none was read");
        }
    }
    std::string written;
    StringSink sink(written);
    WriteHtmlReportFormat(sink, format);
    HtmlReportFormat again;
    ValueReader reader(written);
    ReadHtmlReportFormat(reader, again);
    if (!(again == format)) {
        Fail("a written format reads back different");
    }
    return 0;
}
