#include "core/random_source.h"

namespace quillmark {

int SeededRandom::Below(int count)
{
    // Written out rather than std::uniform_int_distribution, whose results differ between
    // standard libraries: the sample generator promises the same bytes for the same seed.
    const auto range = static_cast<std::uint64_t>(count);
    const std::uint64_t limit = engine_.max() - engine_.max() % range;
    std::uint64_t value = engine_();
    while (value >= limit) {
        value = engine_();
    }
    return static_cast<int>(value % range);
}

SystemRandom::SystemRandom()
    : SeededRandom((static_cast<std::uint64_t>(std::random_device{}()) << 32) ^
                   std::random_device{}())
{
}

}  // namespace quillmark
