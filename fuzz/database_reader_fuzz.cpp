// Feeds arbitrary bytes to the database reader. Beyond "no crash, no hang, no huge allocation"
// it checks what the program relies on when it opens and saves a file:
// - the buffered file reader, however its source splits the bytes, ends exactly like the reader
//   over memory (same outcome, same reason, same offset, same records);
// - merging appends the same records that replacing reads, behind those already there;
// - a database that was read is written, read back and written again without any change.

#include "core/byte_stream.h"
#include "core/database_file.h"
#include "core/value_reader.h"
#include "core/value_writer.h"
#include "trickle_source.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

using namespace quillmark;

constexpr const char* FileName = "fuzz.dat";

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "database reader: %s\n", what);
    std::abort();
}

bool SameHeader(const Database& a, const Database& b)
{
    return a.DatabaseInfo == b.DatabaseInfo && a.DescriptionCaptions == b.DescriptionCaptions &&
           a.DetailCaptions == b.DetailCaptions && a.OtherCaptions == b.OtherCaptions &&
           a.SkillNames == b.SkillNames && a.DescriptionTrees == b.DescriptionTrees &&
           a.ReadPassword == b.ReadPassword && a.SavePassword == b.SavePassword;
}

// Whether the records of b from index `from` on are those of a.
bool SameRecords(const ItemRecordList& a, const ItemRecordList& b, std::size_t from = 0)
{
    if (b.size() != from + a.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!a[i]->SameFiledContent(*b[from + i])) {
            return false;
        }
    }
    return true;
}

bool SameResult(const DatabaseReadResult& a, const DatabaseReadResult& b)
{
    return a.Outcome == b.Outcome && a.Reason == b.Reason && a.Offset == b.Offset &&
           a.Version == b.Version;
}

std::string Write(Database& database)
{
    std::string bytes;
    StringSink sink(bytes);
    ValueWriter writer(sink);
    WriteDatabase(writer, database, FileName);
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    Database replaced;
    ValueReader reader(bytes);
    const DatabaseReadResult result = ReadDatabase(reader, replaced, FileName, ReadMode::Replace);
    if (result.Ok() != (result.Outcome == ReadOutcome::Loaded) || result.Offset > size) {
        Fail("the result does not say where reading stopped");
    }

    Database trickled;
    TrickleSource source(bytes, 1 + size % 7);
    ValueReader bufferedReader(source, size);
    const DatabaseReadResult bufferedResult =
        ReadDatabase(bufferedReader, trickled, FileName, ReadMode::Replace);
    if (!SameResult(result, bufferedResult) || !SameHeader(replaced, trickled) ||
        !SameRecords(replaced.RecordList, trickled.RecordList)) {
        Fail("the buffered reader and the memory reader disagree");
    }

    Database merged;
    merged.RecordList.push_back(std::make_unique<ItemRecord>());
    merged.RecordList.front()->RecordName = "kept";
    ValueReader mergeReader(bytes);
    const DatabaseReadResult mergeResult =
        ReadDatabase(mergeReader, merged, FileName, ReadMode::Merge);
    if (!SameResult(result, mergeResult) || !SameHeader(replaced, merged) ||
        !SameRecords(replaced.RecordList, merged.RecordList, 1) ||
        merged.RecordList.front()->RecordName != "kept") {
        Fail("merging does not append what replacing reads");
    }

    if (!result.Ok()) {
        return 0;
    }
    const std::string written = Write(replaced);
    Database reread;
    ValueReader rereader(written);
    if (!ReadDatabase(rereader, reread, FileName, ReadMode::Replace).Ok()) {
        Fail("a written database cannot be read back");
    }
    if (!SameHeader(replaced, reread) || !SameRecords(replaced.RecordList, reread.RecordList)) {
        Fail("a written database reads back different");
    }
    if (Write(reread) != written) {
        Fail("writing a database read back gives other bytes");
    }
    return 0;
}
