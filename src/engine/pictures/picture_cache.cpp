#include "engine/pictures/picture_cache.h"

#include "engine/pictures/picture_library.h"
#include "engine/pictures/thumbnails.h"

namespace quillmark {

std::size_t PictureCache::Bytes(const std::shared_ptr<const Bitmap>& picture)
{
    return picture ? picture->pixels.size() : 0;
}

std::shared_ptr<const Bitmap> PictureCache::Picture(const std::string& fileName)
{
    if (const auto found = entries_.find(fileName); found != entries_.end()) {
        uses_.splice(uses_.begin(), uses_, found->second.use);
        return found->second.picture;
    }
    std::shared_ptr<const Bitmap> picture;
    if (const std::optional<std::vector<std::uint8_t>> bytes = ReadPictureFile(fileName)) {
        const PictureWanted wanted{PictureFit::Corner, MaxShownWidth, MaxShownHeight,
                                   ThumbnailDecodeMemory};
        picture = DecodePicture(bytes->data(), bytes->size(), wanted).bitmap;
    }
    bytes_ += Bytes(picture);
    uses_.push_front(fileName);
    entries_.emplace(fileName, Entry{picture, uses_.begin()});
    // The picture just decoded stays, even alone over the budget: it is about to be drawn.
    while (bytes_ > budget_ && uses_.size() > 1) {
        const auto oldest = entries_.find(uses_.back());
        bytes_ -= Bytes(oldest->second.picture);
        entries_.erase(oldest);
        uses_.pop_back();
    }
    return picture;
}

void PictureCache::Clear()
{
    entries_.clear();
    uses_.clear();
    bytes_ = 0;
}

}  // namespace quillmark
