#include "core/secret_text.h"

#include <sodium.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

namespace quillmark {

void InitialiseSodium()
{
    // 0 the first time, 1 when it was started already, -1 when it cannot be.
    static const bool ready = sodium_init() >= 0;
    if (!ready) {
        throw std::runtime_error("The cryptography library could not be started.");
    }
}

SecretBytes::SecretBytes(std::size_t size) : size_(size)
{
    InitialiseSodium();
    data_ = static_cast<unsigned char*>(sodium_malloc(std::max<std::size_t>(size, 1)));
    if (data_ == nullptr) {
        throw std::bad_alloc();
    }
}

SecretBytes::SecretBytes(std::string_view text) : SecretBytes(text.size())
{
    if (!text.empty()) {  // an empty view may have no bytes to point at
        std::memcpy(data_, text.data(), text.size());
    }
}

SecretBytes::~SecretBytes()
{
    sodium_free(data_);  // wipes the bytes before releasing them
}

SecretText::SecretText(std::string_view text)
{
    if (!text.empty()) {
        bytes_ = std::make_shared<const SecretBytes>(text);
    }
}

void WipeText(std::string& text)
{
    sodium_memzero(text.data(), text.size());
    text.clear();
}

}  // namespace quillmark
