#pragma once

#include <cstdint>
#include <random>

namespace quillmark {

// Where record identifiers and sample data get their chance from. The program uses the
// system's entropy; tests and the sample generator use a seeded source for repeatable results.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform integer in 0..count-1 (count > 0).
    virtual int Below(int count) = 0;
};

class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
    int Below(int count) override;

private:
    std::mt19937_64 engine_;
};

// Seeded once from the system's entropy source.
class SystemRandom : public SeededRandom {
public:
    SystemRandom();
};

}  // namespace quillmark
