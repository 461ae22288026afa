#pragma once

#include "core/program_version.h"

namespace quillmark {

// The about box's texts.
struct AboutBox {
    static constexpr const char* Caption = "About";
    static constexpr const char* ProductName = "Quillmark";
    static constexpr const char* Version = "Version " QUILLMARK_VERSION;
    static constexpr const char* CloseButton = "Close";
};

}  // namespace quillmark
