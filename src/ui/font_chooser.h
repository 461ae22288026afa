#pragma once

#include "engine/reports/font_setting.h"

#include <optional>

class QWidget;

namespace quillmark {

// Qt's font dialog with a colour beside it, as the reports want their font: the desktop's own
// font dialog has no colour.
std::optional<FontSetting> ChooseFontWithColour(QWidget* parent, const FontSetting& initial);

std::optional<RgbColour> ChooseColourFor(QWidget* parent, RgbColour initial);

}  // namespace quillmark
