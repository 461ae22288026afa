#pragma once

#include "engine/pictures/thumbnails.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace quillmark::test {

// Counts the pictures a thumbnail cache's workers have decoded, so that a test can wait for them.
class ThumbnailArrivals {
public:
    explicit ThumbnailArrivals(ThumbnailCache& cache)
    {
        cache.SetArrived([this] {
            const std::lock_guard lock(mutex_);
            ++count_;
            arrived_.notify_all();
        });
    }
    // False when fewer have arrived after a minute.
    bool WaitFor(int count)
    {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, std::chrono::seconds(60), [&] { return count_ >= count; });
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    int count_ = 0;
};

}  // namespace quillmark::test
