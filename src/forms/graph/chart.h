#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillmark {

// The bar chart the graph window draws into, fed in the order of the calls below for each
// drawing. The windows draw it with their charting library; tests record the calls.
class Chart {
public:
    virtual ~Chart() = default;
    // Opens the chart's data for one series of that many bars.
    virtual void OpenData(int bars) = 0;
    // The value scale runs from 0 to this.
    virtual void SetScale(double maximum) = 0;
    // The series the following values and labels are for, 0 for the first.
    virtual void SelectSeries(int series) = 0;
    virtual void SetValue(int bar, double value) = 0;
    virtual void SetLabel(int bar, const std::string& label) = 0;  // Windows-1252
    // What the bars are of, over the chart.
    virtual void SetTitle(const std::string& title) = 0;  // Windows-1252
    // Closes the data; the chart is drawn anew.
    virtual void CloseData() = 0;

    // Prints the chart as it is now on one page; false when no print job was started.
    virtual bool Print() = 0;
    // The chart as it is now, as a PNG file's bytes; nothing when it cannot be rendered.
    virtual std::optional<std::vector<std::uint8_t>> PngImage() = 0;
};

}  // namespace quillmark
