#pragma once

namespace quillmark {

// The search window. It exists from start-up to the end of the program; its terms and
// commands arrive with the search work.
class TSearch {
public:
    int Width = 581;
    int Height = 454;
    bool Enabled = false;  // enabled once a database has been opened
};

}  // namespace quillmark
