#pragma once

#include <string>
#include <vector>

namespace quillmark {

enum class MouseButton { Left, Middle, Right };

// The keys the time bar answers: moving between hours, adding the hours chosen to the day
// (Space or Enter), emptying the day (Delete) and giving up a range being chosen (Escape).
enum class TimeBarKey { Left, Right, Home, End, Add, Empty, Cancel };

// What the schedule page's time bar shows and how the mouse selects on it: twelve one-hour
// cells from StartHour, and the selected time ranges as texts ("0900" for a slot loaded from
// the lists, "09:00" for one just made with the mouse).
//
// The mouse selects whole hours: pressing in one cell and letting go in another selects from
// the start of the earlier cell to the end of the later one, shown while dragging. Without
// Ctrl a press replaces every selection on the bar; with Ctrl it adds one.
//
// From the keyboard, FocusCell is the hour the keys are on; Shift with the arrows chooses the
// hours from where it started, as a drag does.
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
    int FocusCell = 0;

    // The first hour shown; an hour outside the day counts as 0.
    int FirstHour() const { return StartHour >= 0 && StartHour <= 23 ? StartHour : 0; }
    // The cell 0..11 under x on a bar width pixels wide; beyond either end, the end cell.
    static int CellAt(int x, int width);
    // The hour of the day a cell shows; the bar runs on past midnight.
    int HourOfCell(int cell) const { return (FirstHour() + cell) % 24; }

    // "09:00 to 10:00": the hour a cell shows, as a screen reader says it.
    std::string CellName(int cell) const;
    // Whether any selection on the bar covers part of the cell's hour.
    bool CellSelected(int cell) const;

    // The selections in minutes after midnight, in list order; a pair whose texts do not both
    // read as times is left out.
    struct MinuteRange {
        int start = 0;
        int end = 0;
    };
    std::vector<MinuteRange> SelectedMinutes() const;

    void MousePress(int x, int width, bool ctrl) { PressCell(CellAt(x, width), ctrl); }
    void MouseMove(int x, int width) { DragToCell(CellAt(x, width)); }
    void MouseRelease(int x, int width) { ReleaseAtCell(CellAt(x, width)); }
    bool Dragging() const { return anchorCell_ >= 0; }

    // The same by cell, for the mouse and the keyboard alike.
    void PressCell(int cell, bool ctrl);
    void DragToCell(int cell);
    void ReleaseAtCell(int cell);

private:
    void SelectTo(int cell);

    int anchorCell_ = -1;      // where the press was, while the button is down
    std::size_t dragged_ = 0;  // the selection being dragged
};

}  // namespace quillmark
