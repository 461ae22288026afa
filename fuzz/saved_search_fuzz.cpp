// Feeds arbitrary bytes to the saved search reader: a damaged file ends in a FormatError at an
// offset inside the file, never a crash, a hang or a huge allocation; the file read through a
// buffer that is refilled a few bytes at a time reads as it does from memory; and a search that
// was read is written back into bytes that read into the same search.

#include "core/byte_stream.h"
#include "core/value_reader.h"
#include "core/value_writer.h"
#include "engine/search/saved_search_file.h"
#include "trickle_source.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace quillmark;

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "saved search: %s\n", what);
    std::abort();
}

struct Outcome {
    std::optional<SavedSearch> search;
    std::string error;
    std::uint64_t offset = 0;
};

Outcome Read(ValueReader& reader)
{
    Outcome outcome;
    try {
        outcome.search = ReadSavedSearch(reader);
    } catch (const FormatError& error) {
        outcome.error = error.what();
        outcome.offset = error.Offset();
    }
    return outcome;
}

bool SameSearch(const SavedSearch& a, const SavedSearch& b)
{
    return a.Rows == b.Rows && a.Terms == b.Terms;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    ValueReader reader(bytes);
    const Outcome read = Read(reader);
    if (!read.search && read.offset > size) {
        Fail("the error is past the end of the file");
    }

    TrickleSource source(bytes, 1 + size % 7);
    ValueReader bufferedReader(source, size);
    const Outcome buffered = Read(bufferedReader);
    if (read.search.has_value() != buffered.search.has_value() || read.error != buffered.error ||
        read.offset != buffered.offset ||
        (read.search && !SameSearch(*read.search, *buffered.search))) {
        Fail("the buffered reader and the memory reader disagree");
    }
    if (!read.search) {
        return 0;
    }

    std::string written;
    StringSink sink(written);
    ValueWriter writer(sink);
    WriteSavedSearch(writer, read.search->Rows, read.search->Terms);
    writer.Flush();
    ValueReader rereader(written);
    const Outcome again = Read(rereader);
    if (!again.search || !SameSearch(*read.search, *again.search)) {
        Fail("a written search reads back different");
    }
    return 0;
}
