#pragma once

#include <string>
#include <vector>

namespace quillmark {

enum class MouseButton { Left, Middle, Right };

// What the schedule page's time bar shows and how the mouse selects on it: twelve one-hour
// cells from StartHour, and the selected time ranges as texts ("0900" for a slot loaded from
// the lists, "09:00" for one just made with the mouse).
//
// The mouse selects whole hours: pressing in one cell and letting go in another selects from
// the start of the earlier cell to the end of the later one, shown while dragging. Without
// Ctrl a press replaces every selection on the bar; with Ctrl it adds one.
//
// Midnight: a slot whose start is 0 counts as empty, so a selection starting at 00:00 would
// vanish when the record is stored. It starts at "00:01" instead; and one that ends at midnight
// ends at "23:59", so that it ends on its own day.
struct TimeBarState {
    static constexpr int HoursShown = 12;

    int StartHour = 9;
    std::vector<std::string> SelectedStart;
    std::vector<std::string> SelectedEnd;
    bool enabled = true;
    std::string hint = "Hold the [Ctrl] key down to select multiple times";

    // The first hour shown; an hour outside the day counts as 0.
    int FirstHour() const { return StartHour >= 0 && StartHour <= 23 ? StartHour : 0; }
    // The cell 0..11 under x on a bar width pixels wide; beyond either end, the end cell.
    static int CellAt(int x, int width);
    // The hour of the day a cell shows; the bar runs on past midnight.
    int HourOfCell(int cell) const { return (FirstHour() + cell) % 24; }

    // The selections in minutes after midnight, in list order; a pair whose texts do not both
    // read as times is left out.
    struct MinuteRange {
        int start = 0;
        int end = 0;
    };
    std::vector<MinuteRange> SelectedMinutes() const;

    void MousePress(int x, int width, bool ctrl);
    void MouseMove(int x, int width);
    void MouseRelease(int x, int width);
    bool Dragging() const { return anchorCell_ >= 0; }

private:
    void SelectTo(int x, int width);

    int anchorCell_ = -1;      // where the press was, while the button is down
    std::size_t dragged_ = 0;  // the selection being dragged
};

}  // namespace quillmark
