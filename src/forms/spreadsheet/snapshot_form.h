#pragma once

namespace quillmark {

// The spreadsheet window. It exists from start-up to the end of the program; its grid and
// commands arrive with the spreadsheet work.
class TSnapShot {
public:
    int Width = 640;
    int Height = 475;
    int BrowsePanelWidth = 174;  // the splitter's position
};

}  // namespace quillmark
