// The encrypted container: its header against the layout other programs read, and a changed,
// cut or lengthened file refused, never read as a shorter database.

#include "support/test_helpers.h"

#include "core/encrypted_file.h"

#include <gtest/gtest.h>
#include <sodium.h>

#include <string>
#include <vector>

namespace quillmark {
namespace {

constexpr std::string_view Password =
    "corr\xE9"
    "ct horse";

std::string Encrypted(std::string_view plain, std::string_view password = Password,
                      KeyDerivationLimits limits = FastestKeyDerivation())
{
    std::string bytes;
    StringSink out(bytes);
    EncryptingSink sink(out, password, limits);
    // In uneven pieces, as the value writer hands them over.
    for (std::size_t at = 0; at < plain.size(); at += 7000) {
        sink.Write(plain.substr(at, 7000));
    }
    sink.Finish();
    return bytes;
}

std::string Decrypted(const std::string& file, std::string_view password = Password,
                      std::size_t trickle = 4096)
{
    test::TrickleSource source(file, trickle);
    DecryptingSource plain(source, FileKey::Open(source, password));
    std::string bytes;
    char buffer[5000];
    while (const std::size_t got = plain.ReadSome(buffer, sizeof buffer)) {
        bytes.append(buffer, got);
    }
    return bytes;
}

std::string PlainOfSize(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 131 + i / 977) & 0xff);
    }
    return bytes;
}

TEST(EncryptedFileTest, EverySizeComesBackWholeAndTheSizeIsKnownAhead)
{
    const std::size_t chunk = EncryptedChunkSize;
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{1}, chunk - 1, chunk, chunk + 1, 3 * chunk, 3 * chunk + 5}) {
        SCOPED_TRACE(size);
        const std::string plain = PlainOfSize(size);
        const std::string file = Encrypted(plain);
        EXPECT_EQ(Decrypted(file), plain);
        EXPECT_EQ(Decrypted(file, Password, 1), plain);
        EXPECT_EQ(DecryptingSource::PlainSize(file.size()), size);
        // One 17-byte tag a chunk, the last one always there.
        const std::size_t chunks = size == 0 ? 1 : (size + chunk - 1) / chunk;
        EXPECT_EQ(file.size(), EncryptedHeaderSize + size + 17 * chunks);
    }
}

TEST(EncryptedFileTest, TheHeaderFollowsTheLayoutEachSaveHasItsOwnSaltAndAWrongPasswordIsNoDamage)
{
    const std::string file = Encrypted("Ann Lee", Password, {2, 16384});
    EXPECT_EQ(test::ToHex(file.substr(0, 26)),
              test::ToHex(test::Hex("51 4D 4B 43 52 59 50 54"      // QMKCRYPT
                                    "01 01"                        // version 1, Argon2id v1.3
                                    "02 00 00 00 00 00 00 00"      // operations
                                    "00 40 00 00 00 00 00 00")));  // memory in bytes
    const std::string again = Encrypted("Ann Lee", Password, {2, 16384});
    EXPECT_NE(file.substr(26, 16), again.substr(26, 16));
    EXPECT_EQ(file.find("Ann"), std::string::npos);
    EXPECT_TRUE(StartsAsEncrypted(file));
    EXPECT_FALSE(StartsAsEncrypted("QMKCRYP"));

    // The limits are read back and used: the key is only right with them.
    test::TrickleSource source(file, 4096);
    EXPECT_EQ(FileKey::Open(source, Password)->Limits(), (KeyDerivationLimits{2, 16384}));
    // A wrong password, however close, is told apart from damage.
    for (const std::string_view wrong : {std::string_view("correct horse"), std::string_view(""),
                                         std::string_view("corr\xE9"
                                                          "ct horse ")}) {
        test::TrickleSource other(file, 4096);
        EXPECT_THROW(FileKey::Open(other, wrong), WrongPasswordError);
    }
}

TEST(EncryptedFileTest, AnyChangedBitCutOrAddedByteIsDamage)
{
    const std::size_t chunk = EncryptedChunkSize + 17;
    const std::string plain = PlainOfSize(2 * EncryptedChunkSize + 300);
    const std::string file = Encrypted(plain);
    auto damaged = [](const std::string& bytes) {
        try {
            Decrypted(bytes);
        } catch (const FormatError&) {
            return true;
        }
        return false;
    };
    // Every byte of the header, then the first, a middle and the last chunk's bytes.
    std::vector<std::size_t> flips;
    for (std::size_t at = 0; at < EncryptedHeaderSize; ++at) {
        flips.push_back(at);
    }
    for (const std::size_t at :
         {EncryptedHeaderSize, EncryptedHeaderSize + chunk - 1, EncryptedHeaderSize + chunk + 500,
          file.size() - 17, file.size() - 1}) {
        flips.push_back(at);
    }
    for (const std::size_t at : flips) {
        SCOPED_TRACE(at);
        std::string changed = file;
        changed[at] = static_cast<char>(changed[at] ^ 0x10);
        EXPECT_TRUE(damaged(changed));
    }
    // Cut at a chunk's end, inside a chunk, inside the header; and a byte or a chunk more.
    for (const std::size_t size :
         {EncryptedHeaderSize, EncryptedHeaderSize + chunk, EncryptedHeaderSize + 2 * chunk,
          file.size() - 1, std::size_t{40}}) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(damaged(file.substr(0, size)));
    }
    EXPECT_TRUE(damaged(file + '\0'));
    EXPECT_TRUE(damaged(file + file.substr(EncryptedHeaderSize, chunk)));
    // Two chunks swapped.
    std::string swapped = file;
    swapped.replace(EncryptedHeaderSize, chunk, file.substr(EncryptedHeaderSize + chunk, chunk));
    swapped.replace(EncryptedHeaderSize + chunk, chunk, file.substr(EncryptedHeaderSize, chunk));
    EXPECT_TRUE(damaged(swapped));
}

TEST(EncryptedFileTest, AHeaderAskingForTooMuchWorkIsRefusedBeforeAnyIsDone)
{
    const std::string file = Encrypted("Ann Lee");
    for (const KeyDerivationLimits limits :
         {KeyDerivationLimits{17, 16384}, KeyDerivationLimits{1, (1ull << 30) + 1024}}) {
        // A hostile header: its checksum made right for the limits it names.
        std::string header = file.substr(0, EncryptedHeaderSize);
        for (std::size_t i = 0; i < 8; ++i) {
            header[10 + i] = static_cast<char>((limits.Operations >> (8 * i)) & 0xff);
            header[18 + i] = static_cast<char>((limits.MemoryBytes >> (8 * i)) & 0xff);
        }
        crypto_generichash(reinterpret_cast<unsigned char*>(header.data() + 82), 16,
                           reinterpret_cast<const unsigned char*>(header.data()), 82, nullptr, 0);
        const double before = test::ProcessorSeconds();
        const std::string hostile = header + file.substr(EncryptedHeaderSize);
        test::TrickleSource source(hostile, 4096);
        EXPECT_THROW(FileKey::Open(source, Password), FormatError);
        EXPECT_LT(test::ProcessorSeconds() - before, 0.1);
    }
}

}  // namespace
}  // namespace quillmark
