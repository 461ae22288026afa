#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>

namespace quillmark {

// A fixed array indexed the way users count: pictures 1..6, skills 1..100, days 1..7.
// Keeping the user's numbering in the code avoids a "- 1" at every call site.
template <typename T, std::size_t N>
class OneBasedArray {
public:
    static constexpr int Count = static_cast<int>(N);

    T& operator[](int number) { return items_[Index(number)]; }
    const T& operator[](int number) const { return items_[Index(number)]; }

    constexpr std::size_t size() const { return N; }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    bool operator==(const OneBasedArray&) const = default;

private:
    static std::size_t Index(int number)
    {
        if (number < 1 || number > Count) {
            throw std::out_of_range("array number out of range");
        }
        return static_cast<std::size_t>(number - 1);
    }

    std::array<T, N> items_{};
};

}  // namespace quillmark
