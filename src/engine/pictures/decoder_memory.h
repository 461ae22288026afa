#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace quillmark {

// The memory that the picture decoders of one window may hold at once. Each decoder reserves
// what its picture will need before it starts and waits, in turn, while the others hold too
// much; so a page of huge pictures is decoded one after another instead of all at once.
class DecoderMemory {
public:
    explicit DecoderMemory(std::size_t bytes) : total_(bytes) {}
    DecoderMemory(const DecoderMemory&) = delete;
    DecoderMemory& operator=(const DecoderMemory&) = delete;

    class Reservation {
    public:
        Reservation() = default;
        Reservation(Reservation&& other) noexcept;
        Reservation& operator=(Reservation&& other) noexcept;
        ~Reservation();

    private:
        friend class DecoderMemory;
        Reservation(DecoderMemory* memory, std::size_t bytes) : memory_(memory), bytes_(bytes) {}
        DecoderMemory* memory_ = nullptr;
        std::size_t bytes_ = 0;
    };

    std::size_t Total() const { return total_; }
    // The most that was held at once.
    std::size_t HighWater() const;
    // Waits until the bytes are free; bytes beyond the whole are the caller's fault and are
    // cut to it.
    Reservation Reserve(std::size_t bytes);

private:
    void Release(std::size_t bytes);

    const std::size_t total_;
    mutable std::mutex mutex_;
    std::condition_variable freed_;
    std::size_t held_ = 0;
    std::size_t highWater_ = 0;
    std::uint64_t nextTicket_ = 0;  // reservations are granted in the order they were asked
    std::uint64_t serving_ = 0;
};

}  // namespace quillmark
