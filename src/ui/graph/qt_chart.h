#pragma once

#include "forms/graph/chart.h"

#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

class QChart;
class QChartView;
class QWidget;

namespace quillmark {

class ChartView;

// The graph window's chart drawn by Qt Charts: one labelled bar per sub-category under the
// chart's title, the value axis running up to the number of records in round steps. Bars
// stand up while their names fit under them and lie down, names on the left, when they do not.
// The saved picture and the printed chart are laid out afresh for their own page.
class QtChart : public Chart {
public:
    explicit QtChart(QWidget* parent);

    QChartView* View() const;

    void OpenData(int bars) override;
    void SetScale(double maximum) override;
    void SelectSeries(int series) override;
    void SetValue(int bar, double value) override;
    void SetLabel(int bar, const std::string& label) override;
    void SetTitle(const std::string& title) override;
    void CloseData() override;
    bool Print() override;
    std::optional<std::vector<std::uint8_t>> PngImage() override;

    // The size the saved picture is laid out at, in screen pixels; it is drawn at twice that.
    static constexpr int ImageWidth = 1200;
    static constexpr int ImageHeight = 750;

    // Puts the chart's data on a chart of that size in screen pixels.
    void Fill(QChart& chart, QSizeF size) const;
    // Whether bars of that chart width lie down for their names to be read.
    bool LieDown(double chartWidth) const;

private:
    ChartView* view_ = nullptr;
    QString title_;
    double scale_ = 1;
    std::vector<double> values_;
    QStringList labels_;
    bool drawn_ = false;  // the data has been closed at least once
};

}  // namespace quillmark
