#pragma once

#include "engine/pictures/bitmap.h"
#include "engine/pictures/decoder_memory.h"
#include "engine/pictures/picture_library.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace quillmark {

// Pictures made small for a page of many: the album shows dozens of photographs at once, and
// decoding each at its own size would take seconds and gigabytes.

// What decoding one thumbnail may hold at most, and what all of a window's decoders may hold
// at once. No decoder reads a PNG, GIF or PCX picture small, nor a progressive JPEG: those
// beyond some 20 megapixels (40 for the JPEG pictures) show the placeholder.
inline constexpr std::size_t ThumbnailDecodeMemory = std::size_t{256} << 20;
inline constexpr std::size_t AlbumDecoderMemory = std::size_t{512} << 20;

struct ThumbnailRequest {
    std::string fileName;  // as the record stores it
    int width = 0;
    int height = 0;
    PictureFit fit = PictureFit::Whole;  // Whole or Corner
};

struct Thumbnail {
    std::shared_ptr<const Bitmap> bitmap;  // nothing when the picture cannot be loaded
    int pictureWidth = 0;                  // the picture's own size
    int pictureHeight = 0;
};

// Files named ".jpg" or ".jpeg" (in any case) are JPEG pictures or nothing; any other file is
// read by its contents as the picture library reads it. JPEG pictures are decoded at a reduced
// scale, or only as far as their corner; the others are decoded, then reduced or cut. The
// decoder's memory is reserved from shared first, when given.
Thumbnail DecodeThumbnail(const ThumbnailRequest& request, DecoderMemory* shared = nullptr);

// Thumbnails decoded on worker threads and kept, keyed by file, fit, size and the file's
// modification time and length, so that a page shown again costs nothing and a picture
// replaced on disk is decoded afresh. The oldest are dropped beyond a memory budget.
class ThumbnailCache {
public:
    // With no workers every picture is decoded when it is asked for, on the asking thread.
    // byteBudget bounds the thumbnails kept, decoderMemory what the decoders hold at once.
    explicit ThumbnailCache(int workers, std::size_t byteBudget = 256u << 20,
                            std::size_t decoderMemory = AlbumDecoderMemory);
    ~ThumbnailCache();  // waits for the pictures being decoded
    ThumbnailCache(const ThumbnailCache&) = delete;
    ThumbnailCache& operator=(const ThumbnailCache&) = delete;

    // Told, on a worker thread, each time a picture has been decoded.
    void SetArrived(std::function<void()> arrived);

    // The thumbnail when it is known; nothing while it is being decoded, which asking starts.
    std::optional<Thumbnail> Find(const ThumbnailRequest& request);

    // Pictures asked for but not started are not decoded: the page they were for is gone.
    void ForgetQueued();

    const DecoderMemory& Decoders() const { return decoders_; }

private:
    struct Entry {
        Thumbnail thumbnail;
        std::size_t bytes = 0;
        std::list<std::string>::iterator use;
    };
    static std::string KeyOf(const ThumbnailRequest& request);
    void Keep(const std::string& key, Thumbnail thumbnail);
    void Work();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::map<std::string, Entry> entries_;
    std::list<std::string> uses_;  // most recently used first
    std::size_t bytes_ = 0;
    std::size_t budget_;
    DecoderMemory decoders_;
    std::deque<std::pair<std::string, ThumbnailRequest>> queue_;
    std::set<std::string> pending_;  // queued or being decoded
    std::function<void()> arrived_;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace quillmark
