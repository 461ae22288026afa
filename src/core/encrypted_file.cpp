#include "core/encrypted_file.h"

#include "core/file_io.h"

#include <sodium.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace quillmark {

namespace {

// Header layout (all numbers little-endian); see docs/ENCRYPTED_FILES.md.
constexpr std::size_t VersionAt = 8;
constexpr std::size_t AlgorithmAt = 9;
constexpr std::size_t OperationsAt = 10;
constexpr std::size_t MemoryAt = 18;
constexpr std::size_t SaltAt = 26;
constexpr std::size_t StreamHeaderAt = SaltAt + crypto_pwhash_SALTBYTES;
constexpr std::size_t KeyCheckAt =
    StreamHeaderAt + crypto_secretstream_xchacha20poly1305_HEADERBYTES;
constexpr std::size_t ChecksumAt = KeyCheckAt + 16;
static_assert(ChecksumAt + 16 == EncryptedHeaderSize);

constexpr unsigned char FormatVersion = 1;
constexpr unsigned char Argon2id13 = 1;
constexpr std::size_t KeySize = crypto_secretstream_xchacha20poly1305_KEYBYTES;
constexpr std::size_t CipherChunkSize =
    EncryptedChunkSize + crypto_secretstream_xchacha20poly1305_ABYTES;

// A hostile header must not make opening take minutes or gigabytes.
constexpr std::uint64_t MostOperations = 16;
constexpr std::uint64_t MostMemoryBytes = 1ull << 30;

constexpr std::string_view KeyCheckText = "Quillmark key check";

void PutNumber(std::string& bytes, std::size_t at, std::uint64_t value)
{
    for (std::size_t i = 0; i < 8; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
    }
}

std::uint64_t GetNumber(std::string_view bytes, std::size_t at)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        value |= std::uint64_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    }
    return value;
}

unsigned char* Bytes(std::string& text, std::size_t at = 0)
{
    return reinterpret_cast<unsigned char*>(text.data() + at);
}

const unsigned char* Bytes(std::string_view text, std::size_t at = 0)
{
    return reinterpret_cast<const unsigned char*>(text.data() + at);
}

// The short keyed hash that tells a wrong password from a damaged file.
void KeyCheck(const SecretBytes& key, unsigned char* out)
{
    crypto_generichash(out, 16, Bytes(KeyCheckText), KeyCheckText.size(), key.Data(), key.Size());
}

void Checksum(std::string_view header, unsigned char* out)
{
    crypto_generichash(out, 16, Bytes(header), ChecksumAt, nullptr, 0);
}

void DeriveKey(SecretBytes& key, std::string_view password, const unsigned char* salt,
               KeyDerivationLimits limits)
{
    if (crypto_pwhash(key.Data(), key.Size(), password.data(), password.size(), salt,
                      limits.Operations, limits.MemoryBytes, crypto_pwhash_ALG_ARGON2ID13) != 0) {
        throw std::bad_alloc();  // the only way it fails with limits in range
    }
}

// Reads exactly size bytes unless the source ends first; returns how many were read.
std::size_t ReadFully(ByteSource& source, char* buffer, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const std::size_t got = source.ReadSome(buffer + done, size - done);
        if (got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

using StreamState = crypto_secretstream_xchacha20poly1305_state;

StreamState* State(SecretBytes& bytes)
{
    return reinterpret_cast<StreamState*>(bytes.Data());
}

}  // namespace

KeyDerivationLimits FastestKeyDerivation()
{
    return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN};
}

bool StartsAsEncrypted(std::string_view firstBytes)
{
    return firstBytes.substr(0, EncryptedFileMagic.size()) == EncryptedFileMagic;
}

bool IsEncryptedFile(const std::string& path)
{
    try {
        FileSource source(path);
        std::string start(EncryptedFileMagic.size(), '\0');
        start.resize(ReadFully(source, start.data(), start.size()));
        return StartsAsEncrypted(start);
    } catch (const ReadError&) {
        return false;
    }
}

FileKey::FileKey(std::string header, KeyDerivationLimits limits)
    : header_(std::move(header)), limits_(limits), key_(KeySize)
{
}

std::shared_ptr<const FileKey> FileKey::Open(ByteSource& source, std::string_view password)
{
    InitialiseSodium();
    std::string header(EncryptedHeaderSize, '\0');
    if (ReadFully(source, header.data(), header.size()) < header.size()) {
        throw FormatError("The file ends inside its encryption header.", 0);
    }
    if (!StartsAsEncrypted(header)) {
        throw FormatError("The file is not an encrypted Quillmark database.", 0);
    }
    unsigned char sum[16];
    Checksum(header, sum);
    if (sodium_memcmp(sum, Bytes(header, ChecksumAt), sizeof sum) != 0) {
        throw FormatError("The encryption header is damaged.", 0);
    }
    if (static_cast<unsigned char>(header[VersionAt]) != FormatVersion) {
        throw FormatError("The file was encrypted by a newer version of Quillmark.", VersionAt);
    }
    if (static_cast<unsigned char>(header[AlgorithmAt]) != Argon2id13) {
        throw FormatError("The file's key derivation is unknown.", AlgorithmAt);
    }
    const KeyDerivationLimits limits{GetNumber(header, OperationsAt), GetNumber(header, MemoryAt)};
    if (limits.Operations < crypto_pwhash_OPSLIMIT_MIN || limits.Operations > MostOperations ||
        limits.MemoryBytes < crypto_pwhash_MEMLIMIT_MIN || limits.MemoryBytes > MostMemoryBytes) {
        throw FormatError("The file asks for more work to open it than Quillmark allows.",
                          OperationsAt);
    }
    auto key = std::make_shared<FileKey>(header, limits);
    DeriveKey(key->key_, password, Bytes(header, SaltAt), limits);
    unsigned char check[16];
    KeyCheck(key->key_, check);
    if (sodium_memcmp(check, Bytes(header, KeyCheckAt), sizeof check) != 0) {
        throw WrongPasswordError("The password does not open the file.");
    }
    return key;
}

std::shared_ptr<const FileKey> FileKey::Open(const std::string& path, std::string_view password)
{
    FileSource source(path);
    return Open(source, password);
}

EncryptingSink::EncryptingSink(ByteSink& out, std::string_view password, KeyDerivationLimits limits)
    : out_(out),
      header_(EncryptedHeaderSize, '\0'),
      state_(std::make_unique<SecretBytes>(sizeof(StreamState)))
{
    InitialiseSodium();
    header_.replace(0, EncryptedFileMagic.size(), EncryptedFileMagic);
    header_[VersionAt] = static_cast<char>(FormatVersion);
    header_[AlgorithmAt] = static_cast<char>(Argon2id13);
    PutNumber(header_, OperationsAt, limits.Operations);
    PutNumber(header_, MemoryAt, limits.MemoryBytes);
    randombytes_buf(Bytes(header_, SaltAt), crypto_pwhash_SALTBYTES);

    SecretBytes key(KeySize);
    DeriveKey(key, password, Bytes(header_, SaltAt), limits);
    crypto_secretstream_xchacha20poly1305_init_push(State(*state_), Bytes(header_, StreamHeaderAt),
                                                    key.Data());
    KeyCheck(key, Bytes(header_, KeyCheckAt));
    Checksum(header_, Bytes(header_, ChecksumAt));
    out_.Write(header_);
    pending_.reserve(2 * EncryptedChunkSize);
}

EncryptingSink::~EncryptingSink()
{
    sodium_memzero(pending_.data(), pending_.size());
}

void EncryptingSink::Write(std::string_view bytes)
{
    pending_.append(bytes);
    // A chunk goes out only once more follows it, so that the last one can say it is last.
    std::size_t sent = 0;
    while (pending_.size() - sent > EncryptedChunkSize) {
        WriteChunk(std::string_view(pending_).substr(sent, EncryptedChunkSize), false);
        sent += EncryptedChunkSize;
    }
    if (sent > 0) {
        sodium_memzero(pending_.data(), sent);
        pending_.erase(0, sent);
    }
}

void EncryptingSink::Finish()
{
    WriteChunk(pending_, true);
    sodium_memzero(pending_.data(), pending_.size());
    pending_.clear();
}

void EncryptingSink::WriteChunk(std::string_view plain, bool last)
{
    std::string cipher(plain.size() + crypto_secretstream_xchacha20poly1305_ABYTES, '\0');
    const unsigned char tag = last ? crypto_secretstream_xchacha20poly1305_TAG_FINAL
                                   : crypto_secretstream_xchacha20poly1305_TAG_MESSAGE;
    // The header rides along with the first chunk, so that no byte of it can change unseen.
    crypto_secretstream_xchacha20poly1305_push(State(*state_), Bytes(cipher), nullptr, Bytes(plain),
                                               plain.size(), first_ ? Bytes(header_) : nullptr,
                                               first_ ? header_.size() : 0, tag);
    first_ = false;
    out_.Write(cipher);
}

DecryptingSource::DecryptingSource(ByteSource& source, std::shared_ptr<const FileKey> key)
    : source_(source),
      key_(std::move(key)),
      state_(std::make_unique<SecretBytes>(sizeof(StreamState))),
      cipher_(CipherChunkSize, '\0'),
      offset_(EncryptedHeaderSize)
{
    if (crypto_secretstream_xchacha20poly1305_init_pull(
            State(*state_), Bytes(key_->Header(), StreamHeaderAt), key_->Key().Data()) != 0) {
        throw FormatError("The encryption header is damaged.", StreamHeaderAt);
    }
    plain_.reserve(EncryptedChunkSize);
}

DecryptingSource::~DecryptingSource()
{
    sodium_memzero(plain_.data(), plain_.size());
}

std::uint64_t DecryptingSource::PlainSize(std::uint64_t fileSize)
{
    if (fileSize <= EncryptedHeaderSize) {
        return 0;
    }
    const std::uint64_t payload = fileSize - EncryptedHeaderSize;
    const std::uint64_t chunks = (payload + CipherChunkSize - 1) / CipherChunkSize;
    const std::uint64_t overhead = chunks * crypto_secretstream_xchacha20poly1305_ABYTES;
    return payload > overhead ? payload - overhead : 0;
}

std::size_t DecryptingSource::ReadSome(char* buffer, std::size_t capacity)
{
    if (plainUsed_ == plain_.size() && !ReadChunk()) {
        return 0;
    }
    const std::size_t count = std::min(capacity, plain_.size() - plainUsed_);
    std::memcpy(buffer, plain_.data() + plainUsed_, count);
    plainUsed_ += count;
    return count;
}

bool DecryptingSource::ReadChunk()
{
    sodium_memzero(plain_.data(), plain_.size());
    plain_.clear();
    plainUsed_ = 0;
    if (ended_) {
        return false;
    }
    const std::size_t got = ReadFully(source_, cipher_.data(), cipher_.size());
    if (got < crypto_secretstream_xchacha20poly1305_ABYTES) {
        throw FormatError("The file ends before its last encrypted part.", offset_);
    }
    plain_.resize(got - crypto_secretstream_xchacha20poly1305_ABYTES);
    unsigned long long plainSize = 0;
    unsigned char tag = 0;
    const std::string_view header = key_->Header();
    if (crypto_secretstream_xchacha20poly1305_pull(
            State(*state_), Bytes(plain_), &plainSize, &tag, Bytes(cipher_), got,
            first_ ? Bytes(header) : nullptr, first_ ? header.size() : 0) != 0) {
        throw FormatError("An encrypted part of the file was changed or damaged.", offset_);
    }
    first_ = false;
    offset_ += got;
    ended_ = tag == crypto_secretstream_xchacha20poly1305_TAG_FINAL;
    if (!ended_ && got < cipher_.size()) {
        throw FormatError("The file ends before its last encrypted part.", offset_);
    }
    if (ended_) {
        // Nothing may follow the last part.
        char extra = 0;
        if (ReadFully(source_, &extra, 1) > 0) {
            throw FormatError("The file holds bytes after its last encrypted part.", offset_);
        }
    }
    return !plain_.empty() || ReadChunk();
}

}  // namespace quillmark
