#pragma once

#include "engine/pictures/bitmap.h"

#include <memory>

namespace quillmark {

// A bitmap of at most maxWidth by maxHeight: each pixel the average of the pixels it covers,
// each axis on its own. The source itself when it is small enough already.
std::shared_ptr<const Bitmap> ReducedBitmap(const std::shared_ptr<const Bitmap>& source,
                                            int maxWidth, int maxHeight);

// The source's top-left corner, at most maxWidth by maxHeight.
std::shared_ptr<const Bitmap> BitmapCorner(const std::shared_ptr<const Bitmap>& source,
                                           int maxWidth, int maxHeight);

}  // namespace quillmark
