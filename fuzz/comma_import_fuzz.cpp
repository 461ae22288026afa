// Feeds arbitrary text to the comma-delimited import: however the file's bytes arrive, every
// line becomes one record holding that line's fields; a read that fails part way keeps the
// whole lines read before it and no more.

#include "core/byte_stream.h"
#include "engine/reports/comma_import.h"
#include "trickle_source.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quillmark;

constexpr const char* Today = "2001/03/09";

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "comma import: %s\n", what);
    std::abort();
}

// Gives the first bytes, then fails as a disk or network error would.
class FailingSource : public ByteSource {
public:
    FailingSource(std::string_view bytes, std::size_t failAt) : source_(bytes.substr(0, failAt), 3)
    {
    }

    std::size_t ReadSome(char* buffer, std::size_t capacity) override
    {
        if (const std::size_t count = source_.ReadSome(buffer, capacity)) {
            return count;
        }
        throw ReadError("Input/output error");
    }

private:
    TrickleSource source_;
};

// The lines of a file: each ends at LF, a CR before the LF is not part of it, and a last
// line without an end counts too.
std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
    }
    return lines;
}

bool SameRecords(const ItemRecordList& a, const ItemRecordList& b, std::size_t count)
{
    if (a.size() < count || b.size() < count) {
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (!a[i]->SameFiledContent(*b[i]) || a[i]->Working != b[i]->Working ||
            a[i]->Available != b[i]->Available || a[i]->NotAvailable != b[i]->NotAvailable) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // Every report item once, with the status and the record name twice over, as the
    // import window lets the user pick them.
    std::vector<int> columns;
    for (int item = 0; item < 35; ++item) {
        columns.push_back(item);
    }
    columns.push_back(20);
    columns.push_back(22);

    const std::vector<std::string_view> lines = Lines(text);
    ItemRecordList expected;
    for (const std::string_view line : lines) {
        std::shared_ptr<ItemRecord> record = ImportedRecordDefaults(Today);
        AssignImportedLine(line, columns, *record);
        expected.push_back(std::move(record));
    }

    ItemRecordList imported;
    TrickleSource source(text, 1 + size % 13);
    const ImportOutcome outcome = ImportCommaDelimited(source, columns, Today, imported);
    if (outcome.readError || outcome.imported != static_cast<int>(lines.size()) ||
        imported.size() != lines.size() || !SameRecords(expected, imported, lines.size())) {
        Fail("the records imported are not one for each line");
    }

    ItemRecordList cut;
    cut.push_back(ImportedRecordDefaults(Today));
    FailingSource failing(text, size / 2);
    const ImportOutcome failed = ImportCommaDelimited(failing, columns, Today, cut);
    const auto wholeLines = std::count(text.begin(), text.begin() + size / 2, '\n');
    if (!failed.readError || failed.imported != wholeLines ||
        cut.size() != static_cast<std::size_t>(wholeLines) + 1 ||
        !SameRecords(expected, ItemRecordList(cut.begin() + 1, cut.end()), cut.size() - 1)) {
        Fail("a failed read keeps other records than the whole lines read before it");
    }
    return 0;
}
