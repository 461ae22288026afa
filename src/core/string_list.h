#pragma once

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// Texts kept one after another in a single block of bytes, each after its length (seven bits a
// byte), so that a text costs about what the file spends on it: an empty one takes one byte
// rather than a string object.
namespace packed {
void AppendText(std::string& bytes, std::string_view text);
// The text starting at `at`; moves `at` past it.
std::string_view NextText(const char*& at);
}  // namespace packed

// The lines of a list field (keywords, notes, the resume file, ...), in order. Read through
// string views; the forms edit copies of the lines as strings.
class StringList {
public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        std::string_view operator*() const
        {
            const char* at = at_;
            return packed::NextText(at);
        }
        const_iterator& operator++()
        {
            packed::NextText(at_);
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const const_iterator&) const = default;

    private:
        friend class StringList;
        explicit const_iterator(const char* at) : at_(at) {}
        const char* at_ = nullptr;
    };
    using iterator = const_iterator;
    using value_type = std::string_view;
    using reference = std::string_view;
    using const_reference = std::string_view;
    using size_type = std::size_t;
    using difference_type = std::ptrdiff_t;

    StringList() = default;
    StringList(std::initializer_list<std::string_view> lines);
    // Implicit both ways, so that the forms' lines and the record's lists assign to each other.
    StringList(const std::vector<std::string>& lines);  // NOLINT(google-explicit-constructor)
    operator std::vector<std::string>() const;          // NOLINT(google-explicit-constructor)

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    const_iterator begin() const { return const_iterator(bytes_.data()); }
    const_iterator end() const { return const_iterator(bytes_.data() + bytes_.size()); }
    std::string_view front() const { return *begin(); }
    // Where the lines are kept: for asking the processor for them before they are read.
    const void* Storage() const { return bytes_.data(); }
    // Walks the list up to the line: fine for the first few lines, slow for a loop.
    std::string_view operator[](std::size_t index) const;

    void push_back(std::string_view line);
    void emplace_back(std::string_view line) { push_back(line); }
    void clear();

    bool operator==(const StringList&) const = default;

private:
    std::string bytes_;
    std::size_t count_ = 0;
};

}  // namespace quillmark
