#pragma once

#include "command_line.h"

#include <span>
#include <string>

namespace quillmark {

// What --help prints: a line or more for each command, made from its declaration.
std::string UsageText(std::span<const Command* const> commands);

}  // namespace quillmark
