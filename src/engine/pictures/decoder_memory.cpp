#include "engine/pictures/decoder_memory.h"

#include <algorithm>
#include <utility>

namespace quillmark {

DecoderMemory::Reservation::Reservation(Reservation&& other) noexcept
    : memory_(std::exchange(other.memory_, nullptr)), bytes_(std::exchange(other.bytes_, 0))
{
}

DecoderMemory::Reservation& DecoderMemory::Reservation::operator=(Reservation&& other) noexcept
{
    if (this != &other) {
        if (memory_ != nullptr) {
            memory_->Release(bytes_);
        }
        memory_ = std::exchange(other.memory_, nullptr);
        bytes_ = std::exchange(other.bytes_, 0);
    }
    return *this;
}

DecoderMemory::Reservation::~Reservation()
{
    if (memory_ != nullptr) {
        memory_->Release(bytes_);
    }
}

std::size_t DecoderMemory::HighWater() const
{
    const std::lock_guard lock(mutex_);
    return highWater_;
}

DecoderMemory::Reservation DecoderMemory::Reserve(std::size_t bytes)
{
    bytes = std::min(bytes, total_);
    std::unique_lock lock(mutex_);
    const std::uint64_t ticket = nextTicket_++;
    freed_.wait(lock, [&] { return ticket == serving_ && held_ + bytes <= total_; });
    ++serving_;
    held_ += bytes;
    highWater_ = std::max(highWater_, held_);
    lock.unlock();
    freed_.notify_all();  // the next in turn may fit beside this one
    return {this, bytes};
}

void DecoderMemory::Release(std::size_t bytes)
{
    {
        const std::lock_guard lock(mutex_);
        held_ -= bytes;
    }
    freed_.notify_all();
}

}  // namespace quillmark
