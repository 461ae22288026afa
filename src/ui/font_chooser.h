#pragma once

#include "engine/reports/page_canvas.h"

#include <optional>

class QWidget;

namespace quillmark {

// Qt's font dialog with a colour beside it, as the reports want their font: the desktop's own
// font dialog has no colour.
// A size above largestSize points (when not 0) is taken as the largest.
std::optional<PageFont> ChooseFontWithColour(QWidget* parent, const PageFont& initial,
                                             int largestSize = 0);

std::optional<RgbColour> ChooseColourFor(QWidget* parent, RgbColour initial);

}  // namespace quillmark
