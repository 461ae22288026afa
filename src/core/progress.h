#pragma once

#include <cstddef>
#include <functional>

namespace quillmark {

// Told now and then how far a long piece of work has come: done of total steps.
using ProgressReport = std::function<void(std::size_t done, std::size_t total)>;

}  // namespace quillmark
