#include "engine/pictures/thumbnails.h"

#include "core/case_folding.h"
#include "core/file_names.h"
#include "core/record_paths.h"
#include "engine/pictures/jpeg_decoder.h"
#include "engine/pictures/picture_library.h"

#include <sys/stat.h>

#include <algorithm>

namespace quillmark {

Thumbnail DecodeThumbnail(const ThumbnailRequest& request, DecoderMemory* shared)
{
    if (request.fileName.empty() || request.width <= 0 || request.height <= 0) {
        return {};
    }
    const std::optional<std::vector<std::uint8_t>> bytes = ReadPictureFile(request.fileName);
    if (!bytes) {
        return {};
    }
    const std::string extension = AsciiLowerCaseText(FileExtension(request.fileName));
    if ((extension == ".jpg" || extension == ".jpeg") &&
        !LooksLikeJpeg(bytes->data(), bytes->size())) {
        return {};
    }
    PictureWanted wanted{request.fit, request.width, request.height, ThumbnailDecodeMemory, shared};
    if (shared != nullptr) {
        wanted.memoryLimit = std::min(wanted.memoryLimit, shared->Total());
    }
    DecodedPicture decoded = DecodePicture(bytes->data(), bytes->size(), wanted);
    if (!decoded.bitmap) {
        return {};
    }
    return {std::move(decoded.bitmap), decoded.pictureWidth, decoded.pictureHeight};
}

ThumbnailCache::ThumbnailCache(int workers, std::size_t byteBudget, std::size_t decoderMemory)
    : budget_(byteBudget), decoders_(decoderMemory)
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
    key += request.fit == PictureFit::Whole ? 'W' : 'C';
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
    Thumbnail thumbnail = DecodeThumbnail(request, &decoders_);
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
        Thumbnail thumbnail = DecodeThumbnail(job.second, &decoders_);
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
