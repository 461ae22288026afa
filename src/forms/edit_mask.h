#pragma once

#include <string>

namespace quillmark {

// Edit masks are written as the date boxes carry them, "!99/99/0000;1;_": the format before the
// first ";", "0" a required digit, "9" a digit or a blank, anything else a literal.
//
// A mask is laid over a box only while its text fits: texts that came some other way (imported,
// or typed before the field had a mask) are shown and kept as they are rather than squeezed
// into it. An empty text fits every mask.
bool TextFitsMask(const std::string& text, const std::string& mask);

}  // namespace quillmark
