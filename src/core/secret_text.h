#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// Passwords and keys live in memory that libsodium locks (so it is never swapped to disk) and
// wipes when it is released; ordinary strings holding them are wiped as soon as they are done.

namespace quillmark {

// Starts libsodium, once for the whole program; throws when it cannot be started.
void InitialiseSodium();

// A fixed number of bytes in locked memory, wiped when released.
class SecretBytes {
public:
    explicit SecretBytes(std::size_t size);
    explicit SecretBytes(std::string_view text);
    ~SecretBytes();
    SecretBytes(const SecretBytes&) = delete;
    SecretBytes& operator=(const SecretBytes&) = delete;

    unsigned char* Data() { return data_; }
    const unsigned char* Data() const { return data_; }
    std::size_t Size() const { return size_; }
    std::string_view View() const { return {reinterpret_cast<const char*>(data_), size_}; }

private:
    unsigned char* data_;
    std::size_t size_;
};

// A password as the database keeps it while it is open. Copies (the undo steps hold some) share
// one block of locked memory, wiped when the last of them goes. Empty takes no memory at all.
class SecretText {
public:
    SecretText() = default;
    // Any text may become a secret; the caller wipes its own copy when it was one.
    SecretText(std::string_view text);  // NOLINT(google-explicit-constructor)
    SecretText(const std::string& text) : SecretText(std::string_view(text)) {}
    SecretText(const char* text) : SecretText(std::string_view(text)) {}

    std::string_view View() const { return bytes_ ? bytes_->View() : std::string_view(); }
    operator std::string_view() const { return View(); }  // NOLINT(google-explicit-constructor)
    bool empty() const { return !bytes_; }
    std::size_t size() const { return View().size(); }
    void clear() { bytes_.reset(); }

    friend bool operator==(const SecretText& one, const SecretText& other)
    {
        return one.View() == other.View();
    }

private:
    std::shared_ptr<const SecretBytes> bytes_;
};

// Overwrites text that held a password, so that it does not linger in freed memory.
void WipeText(std::string& text);

}  // namespace quillmark
