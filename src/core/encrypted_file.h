#pragma once

#include "core/byte_stream.h"
#include "core/secret_text.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

// An encrypted database file is a container around the unchanged database bytes: a header
// naming the key derivation and its salt, then the bytes in authenticated chunks. The layout is
// written down in docs/ENCRYPTED_FILES.md for other programs.

namespace quillmark {

inline constexpr std::string_view EncryptedFileMagic{"QMKCRYPT", 8};
inline constexpr std::size_t EncryptedHeaderSize = 98;
inline constexpr std::size_t EncryptedChunkSize = 64 * 1024;  // plain bytes a chunk holds

// The work Argon2id does to turn a password into a key; stored in each file, so that files
// written with stronger limits later still open.
struct KeyDerivationLimits {
    // About half a second and 235 MB of memory on a two-core desktop.
    std::uint64_t Operations = 4;
    std::uint64_t MemoryBytes = 224ull << 20;
    bool operator==(const KeyDerivationLimits&) const = default;
};
// The least work libsodium allows; for tests, which derive many keys.
KeyDerivationLimits FastestKeyDerivation();

// Whether bytes read from a file's start (at least EncryptedFileMagic's size) are those of an
// encrypted database, and whether the file at path starts so.
bool StartsAsEncrypted(std::string_view firstBytes);
bool IsEncryptedFile(const std::string& path);

// The password does not open the file.
class WrongPasswordError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The key of one encrypted file, derived from its password and the file's header: what a
// check of the password leaves, so that reading the file does not derive it again.
class FileKey {
public:
    // Reads the header from source and derives the key. Throws FormatError when the header is
    // damaged or asks for work beyond what this program allows, WrongPasswordError when the
    // password is not the file's, ReadError when the source fails.
    static std::shared_ptr<const FileKey> Open(ByteSource& source, std::string_view password);
    static std::shared_ptr<const FileKey> Open(const std::string& path, std::string_view password);

    const std::string& Header() const { return header_; }
    const SecretBytes& Key() const { return key_; }
    KeyDerivationLimits Limits() const { return limits_; }

    FileKey(std::string header, KeyDerivationLimits limits);

private:
    std::string header_;  // the whole header, authenticated with the first chunk
    KeyDerivationLimits limits_;
    SecretBytes key_;
};

// Encrypts what is written to it into `out`: the header at once, a chunk whenever a full one
// and more have come, the last chunk in Finish(). A sink left without Finish() holds a file that
// reads as damaged, never as a shorter database.
class EncryptingSink : public ByteSink {
public:
    // Derives a key from the password with a fresh random salt: this takes the limits' time.
    EncryptingSink(ByteSink& out, std::string_view password, KeyDerivationLimits limits = {});
    ~EncryptingSink() override;
    void Write(std::string_view bytes) override;
    void Finish();

private:
    void WriteChunk(std::string_view plain, bool last);

    ByteSink& out_;
    std::string header_;
    std::unique_ptr<SecretBytes> state_;
    std::string pending_;
    bool first_ = true;
};

// Decrypts a file's chunks as the reader asks for bytes. Any change to the bytes, a missing
// last chunk or bytes after it throw FormatError with the offset in the file where the damaged
// chunk starts.
class DecryptingSource : public ByteSource {
public:
    // `source` is positioned after the header that `key` was opened from.
    DecryptingSource(ByteSource& source, std::shared_ptr<const FileKey> key);
    ~DecryptingSource() override;
    std::size_t ReadSome(char* buffer, std::size_t capacity) override;

    // The number of plain bytes a file of fileSize bytes holds, when it is undamaged.
    static std::uint64_t PlainSize(std::uint64_t fileSize);

private:
    bool ReadChunk();

    ByteSource& source_;
    std::shared_ptr<const FileKey> key_;
    std::unique_ptr<SecretBytes> state_;
    std::string cipher_;
    std::string plain_;
    std::size_t plainUsed_ = 0;
    std::uint64_t offset_;  // in the file, of the next chunk
    bool first_ = true;
    bool ended_ = false;
};

}  // namespace quillmark
