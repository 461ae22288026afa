#include "engine/pictures/thumbnails.h"

#include "core/case_folding.h"
#include "core/file_names.h"
#include "core/record_paths.h"
#include "engine/pictures/jpeg_decoder.h"
#include "engine/pictures/picture_library.h"

#include <sys/stat.h>

#include <algorithm>

namespace quillmark {

namespace {

// Each output pixel the average of the source pixels it covers, each axis on its own; an axis
// already small enough is kept as it is.
std::shared_ptr<const Bitmap> Reduce(const std::shared_ptr<const Bitmap>& source, int maxWidth,
                                     int maxHeight)
{
    const int width = std::min(source->width, maxWidth);
    const int height = std::min(source->height, maxHeight);
    if (width == source->width && height == source->height) {
        return source;
    }
    auto reduced = std::make_shared<Bitmap>();
    reduced->width = width;
    reduced->height = height;
    reduced->pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    std::vector<std::uint32_t> sums(static_cast<std::size_t>(width) * 4);
    std::vector<std::uint32_t> counts(static_cast<std::size_t>(width));
    std::vector<int> columnOf(static_cast<std::size_t>(source->width));
    for (int x = 0; x < source->width; ++x) {
        columnOf[static_cast<std::size_t>(x)] =
            static_cast<int>(static_cast<std::int64_t>(x) * width / source->width);
    }
    int sourceRow = 0;
    for (int y = 0; y < height; ++y) {
        const int endRow =
            static_cast<int>(static_cast<std::int64_t>(y + 1) * source->height / height);
        std::fill(sums.begin(), sums.end(), 0);
        std::fill(counts.begin(), counts.end(), 0);
        for (; sourceRow < endRow; ++sourceRow) {
            const std::uint8_t* in =
                source->pixels.data() +
                static_cast<std::size_t>(sourceRow) * static_cast<std::size_t>(source->width) * 4;
            for (int x = 0; x < source->width; ++x, in += 4) {
                const auto column = static_cast<std::size_t>(columnOf[static_cast<std::size_t>(x)]);
                for (std::size_t channel = 0; channel < 4; ++channel) {
                    sums[column * 4 + channel] += in[channel];
                }
                ++counts[column];
            }
        }
        std::uint8_t* out = reduced->pixels.data() +
                            static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4;
        for (std::size_t column = 0; column < static_cast<std::size_t>(width); ++column) {
            const std::uint32_t count = std::max<std::uint32_t>(1, counts[column]);
            for (std::size_t channel = 0; channel < 4; ++channel) {
                out[column * 4 + channel] =
                    static_cast<std::uint8_t>(sums[column * 4 + channel] / count);
            }
        }
    }
    return reduced;
}

std::shared_ptr<const Bitmap> Corner(const std::shared_ptr<const Bitmap>& source, int maxWidth,
                                     int maxHeight)
{
    const int width = std::min(source->width, maxWidth);
    const int height = std::min(source->height, maxHeight);
    if (width == source->width && height == source->height) {
        return source;
    }
    auto corner = std::make_shared<Bitmap>();
    corner->width = width;
    corner->height = height;
    corner->pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
        std::copy_n(source->pixels.data() +
                        static_cast<std::size_t>(y) * static_cast<std::size_t>(source->width) * 4,
                    rowBytes, corner->pixels.data() + static_cast<std::size_t>(y) * rowBytes);
    }
    return corner;
}

}  // namespace

Thumbnail DecodeThumbnail(const ThumbnailRequest& request)
{
    Thumbnail thumbnail;
    if (request.fileName.empty() || request.width <= 0 || request.height <= 0) {
        return thumbnail;
    }
    const std::optional<std::vector<std::uint8_t>> bytes = ReadPictureFile(request.fileName);
    if (!bytes) {
        return thumbnail;
    }
    const std::string extension = AsciiLowerCaseText(FileExtension(request.fileName));
    const bool jpeg = LooksLikeJpeg(bytes->data(), bytes->size());
    if ((extension == ".jpg" || extension == ".jpeg") && !jpeg) {
        return thumbnail;
    }
    std::shared_ptr<const Bitmap> bitmap;
    if (jpeg) {
        const ScaledJpeg scaled =
            request.fit == ThumbnailFit::Whole
                ? DecodeJpegScaled(bytes->data(), bytes->size(), request.width, request.height)
                : DecodeJpegCorner(bytes->data(), bytes->size(), request.width, request.height);
        bitmap = scaled.decoded.bitmap;
        thumbnail.pictureWidth = scaled.pictureWidth;
        thumbnail.pictureHeight = scaled.pictureHeight;
    } else {
        bitmap = DecodePicture(bytes->data(), bytes->size());
        if (bitmap) {
            thumbnail.pictureWidth = bitmap->width;
            thumbnail.pictureHeight = bitmap->height;
        }
    }
    if (!bitmap || bitmap->width <= 0 || bitmap->height <= 0) {
        return {};
    }
    thumbnail.bitmap = request.fit == ThumbnailFit::Whole
                           ? Reduce(bitmap, request.width, request.height)
                           : Corner(bitmap, request.width, request.height);
    return thumbnail;
}

ThumbnailCache::ThumbnailCache(int workers, std::size_t byteBudget) : budget_(byteBudget)
{
    for (int i = 0; i < workers; ++i) {
        workers_.emplace_back([this] { Work(); });
    }
}

ThumbnailCache::~ThumbnailCache()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    wake_.notify_all();
    for (std::thread& worker : workers_) {
        worker.join();
    }
}

void ThumbnailCache::SetArrived(std::function<void()> arrived)
{
    const std::lock_guard lock(mutex_);
    arrived_ = std::move(arrived);
}

std::string ThumbnailCache::KeyOf(const ThumbnailRequest& request)
{
    // A file that is missing now has a key of its own, so that it is looked at again once
    // it is there.
    struct stat status {};
    std::string key = request.fileName;
    key += '\0';
    key += request.fit == ThumbnailFit::Whole ? 'W' : 'C';
    key += std::to_string(request.width) + 'x' + std::to_string(request.height);
    if (::stat(SystemPathOfRecordPath(request.fileName).c_str(), &status) == 0) {
        key += '@' + std::to_string(status.st_mtim.tv_sec) + '.' +
               std::to_string(status.st_mtim.tv_nsec) + '/' + std::to_string(status.st_size);
    }
    return key;
}

std::optional<Thumbnail> ThumbnailCache::Find(const ThumbnailRequest& request)
{
    const std::string key = KeyOf(request);
    {
        const std::lock_guard lock(mutex_);
        if (const auto found = entries_.find(key); found != entries_.end()) {
            uses_.splice(uses_.begin(), uses_, found->second.use);
            return found->second.thumbnail;
        }
        if (!workers_.empty()) {
            if (pending_.insert(key).second) {
                queue_.emplace_back(key, request);
                wake_.notify_one();
            }
            return std::nullopt;
        }
    }
    Thumbnail thumbnail = DecodeThumbnail(request);
    const std::lock_guard lock(mutex_);
    Keep(key, thumbnail);
    return thumbnail;
}

void ThumbnailCache::ForgetQueued()
{
    const std::lock_guard lock(mutex_);
    for (const auto& [key, request] : queue_) {
        pending_.erase(key);
    }
    queue_.clear();
}

void ThumbnailCache::Keep(const std::string& key, Thumbnail thumbnail)
{
    if (entries_.contains(key)) {
        return;
    }
    const std::size_t bytes =
        (thumbnail.bitmap ? thumbnail.bitmap->pixels.size() : 0) + key.size() + 64;
    uses_.push_front(key);
    entries_[key] = {std::move(thumbnail), bytes, uses_.begin()};
    bytes_ += bytes;
    while (bytes_ > budget_ && uses_.size() > 1) {
        const auto oldest = entries_.find(uses_.back());
        bytes_ -= oldest->second.bytes;
        entries_.erase(oldest);
        uses_.pop_back();
    }
}

void ThumbnailCache::Work()
{
    while (true) {
        std::pair<std::string, ThumbnailRequest> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_) {
                return;
            }
            job = std::move(queue_.front());
            queue_.pop_front();
        }
        Thumbnail thumbnail = DecodeThumbnail(job.second);
        std::function<void()> arrived;
        {
            const std::lock_guard lock(mutex_);
            pending_.erase(job.first);
            Keep(job.first, std::move(thumbnail));
            arrived = arrived_;
        }
        if (arrived) {
            arrived();
        }
    }
}

}  // namespace quillmark
