#pragma once

namespace quillmark {

// The about box's texts.
struct AboutBox {
    static constexpr const char* Caption = "About";
    static constexpr const char* ProductName = "Quillmark";
    static constexpr const char* Version = "Version 1.12";
    static constexpr const char* CloseButton = "Close";
};

}  // namespace quillmark
