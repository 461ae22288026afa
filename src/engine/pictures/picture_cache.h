#pragma once

#include "engine/pictures/bitmap.h"

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>

namespace quillmark {

// Pictures read by their contents as NViewLibLoad reads them, kept by file name for views that
// draw the same files again and again as they scroll. A file that gives no picture is
// remembered as such too. Once the pixels held pass the budget, the pictures drawn longest ago
// are let go.
class PictureCache {
public:
    static constexpr std::size_t DefaultBudget = 256u * 1024 * 1024;
    // A cell shows a picture at its own size from its top-left corner, but no screen shows
    // more of it than this; nor is a picture decoded that needs more memory than a thumbnail.
    static constexpr int MaxShownWidth = 4096;
    static constexpr int MaxShownHeight = 4096;

    explicit PictureCache(std::size_t budgetBytes = DefaultBudget) : budget_(budgetBytes) {}

    // Nothing when the file is missing or holds no picture the library reads.
    std::shared_ptr<const Bitmap> Picture(const std::string& fileName);
    // Files may have changed on disk: everything is decoded again when next asked for.
    void Clear();
    std::size_t Count() const { return entries_.size(); }

private:
    struct Entry {
        std::shared_ptr<const Bitmap> picture;
        std::list<std::string>::iterator use;
    };
    static std::size_t Bytes(const std::shared_ptr<const Bitmap>& picture);

    std::size_t budget_;
    std::size_t bytes_ = 0;
    std::unordered_map<std::string, Entry> entries_;
    std::list<std::string> uses_;  // the file drawn last first
};

}  // namespace quillmark
