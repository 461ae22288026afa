// Feeds arbitrary bytes to the encrypted container's reader, opened with the password the kept
// corpus was made with ("fuzz", the fastest key derivation). Beyond "no crash, no hang, no huge
// allocation" it checks what opening relies on: a file either decrypts whole, through its last
// chunk, or is refused; the plain size known ahead from the file's size is the size read; and
// the plain bytes, read through the database reader, end as they do when read from memory.

#include "core/database_file.h"
#include "core/encrypted_file.h"
#include "core/value_reader.h"
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
    std::fprintf(stderr, "encrypted file reader: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string plain;
    try {
        TrickleSource source(bytes, 1 + size % 4093);
        DecryptingSource decrypted(source, FileKey::Open(source, "fuzz"));
        char buffer[4096];
        while (const std::size_t got = decrypted.ReadSome(buffer, sizeof buffer)) {
            plain.append(buffer, got);
        }
    } catch (const FormatError& error) {
        if (error.Offset() > size) {
            Fail("a damaged file is reported beyond its end");
        }
        return 0;
    } catch (const WrongPasswordError&) {
        return 0;
    }
    if (plain.size() != DecryptingSource::PlainSize(size)) {
        Fail("the plain size known ahead is not the size read");
    }
    Database fromMemory;
    ValueReader memoryReader(plain);
    const DatabaseReadResult expected =
        ReadDatabase(memoryReader, fromMemory, "fuzz.dat", ReadMode::Replace);
    Database decryptedAgain;
    TrickleSource source(bytes, 4096);
    DecryptingSource decrypted(source, FileKey::Open(source, "fuzz"));
    ValueReader streamReader(decrypted, DecryptingSource::PlainSize(size));
    const DatabaseReadResult streamed =
        ReadDatabase(streamReader, decryptedAgain, "fuzz.dat", ReadMode::Replace);
    if (streamed.Outcome != expected.Outcome || streamed.Offset != expected.Offset ||
        decryptedAgain.RecordList.size() != fromMemory.RecordList.size()) {
        Fail("the decrypted stream and its bytes in memory read differently");
    }
    return 0;
}
