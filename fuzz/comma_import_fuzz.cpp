// Feeds arbitrary bytes to the comma-delimited import, twice over. As a file: however its bytes
// arrive the same records come of it, and a read that fails part way adds only whole records.
// As cells (split at 1F hex, records at 1E hex): written out as an export writes them, in
// UTF-8, and imported again, every cell comes back as it was.

#include "core/byte_stream.h"
#include "engine/reports/comma_delimited.h"
#include "engine/reports/comma_import.h"
#include "engine/text_file_encoding.h"
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

bool SameRecord(const ItemRecord& a, const ItemRecord& b)
{
    return a.SameFiledContent(b) && a.Working == b.Working && a.Available == b.Available &&
           a.NotAvailable == b.NotAvailable;
}

void ImportAsAFile(std::string_view text)
{
    // Every report item once, with the status and the record name twice over, as the
    // import window lets the user pick them.
    std::vector<int> columns;
    for (int item = 0; item < 35; ++item) {
        columns.push_back(item);
    }
    columns.push_back(20);
    columns.push_back(22);

    ItemRecordList whole;
    TrickleSource all(text, text.size() + 1);
    const ImportOutcome wholeOutcome = ImportCommaDelimited(all, columns, whole);
    ItemRecordList trickled;
    TrickleSource pieces(text, 1 + text.size() % 13);
    const ImportOutcome trickledOutcome = ImportCommaDelimited(pieces, columns, trickled);
    if (wholeOutcome.readError || wholeOutcome.imported != static_cast<int>(whole.size()) ||
        (wholeOutcome.unstorable && !whole.empty()) ||
        trickledOutcome.unstorable != wholeOutcome.unstorable || trickled.size() != whole.size() ||
        !std::equal(whole.begin(), whole.end(), trickled.begin(),
                    [](const auto& a, const auto& b) { return SameRecord(*a, *b); })) {
        Fail("the records depend on how the bytes arrive");
    }

    ItemRecordList cut;
    FailingSource failing(text, text.size() / 2);
    const ImportOutcome failed = ImportCommaDelimited(failing, columns, cut);
    if (!failed.readError || failed.imported != static_cast<int>(cut.size())) {
        Fail("a failed read is not told, or its records are miscounted");
    }
    // Plain ASCII reads the same whatever part of it is seen: the whole records before the
    // failure are the first records of the file.
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii && (cut.size() > whole.size() ||
                  !std::equal(cut.begin(), cut.end(), whole.begin(),
                              [](const auto& a, const auto& b) { return SameRecord(*a, *b); }))) {
        Fail("a failed read keeps other records than the whole ones read before it");
    }
}

void ExportAndImportAgain(std::string_view text)
{
    std::vector<std::vector<std::string>> table(1, std::vector<std::string>(1));
    for (const char c : text) {
        if (c == '\x1E') {
            table.emplace_back(1);
        } else if (c == '\x1F') {
            table.back().emplace_back();
        } else {
            table.back().back().push_back(c);
        }
    }
    std::string file;
    StringSink bytes(file);
    EncodingSink sink(bytes, TextFileEncoding::Utf8);
    for (const auto& row : table) {
        sink.Write(CommaDelimitedLine(row) + "\r\n");
    }

    // The name, then descriptions 1..10 and details 0..9: items that take text as it stands.
    std::vector<int> columns = {22};
    for (int item = 0; item < 20; ++item) {
        columns.push_back(item);
    }
    ItemRecordList records;
    TrickleSource source(file, 1 + text.size() % 7);
    const ImportOutcome outcome = ImportCommaDelimited(source, columns, records);
    if (outcome.readError || outcome.unstorable || records.size() != table.size()) {
        Fail("an export does not import as one record a line of the table");
    }
    for (std::size_t r = 0; r < table.size(); ++r) {
        const ItemRecord& record = *records[r];
        std::vector<std::string> cells = table[r];
        cells.resize(columns.size());
        bool same = record.RecordName == cells[0];
        for (std::size_t i = 0; i < 10; ++i) {
            same = same && record.Desc[static_cast<int>(i) + 1] == cells[1 + i] &&
                   record.Detail[i] == cells[11 + i];
        }
        if (!same) {
            Fail("a cell exported does not import as it was");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ImportAsAFile(text);
    ExportAndImportAgain(text);
    return 0;
}
