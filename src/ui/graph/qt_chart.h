#pragma once

#include "forms/graph/chart.h"

#include <QString>
#include <QStringList>

#include <vector>

class QChartView;
class QWidget;

namespace quillmark {

// The graph window's chart drawn by Qt Charts: one labelled bar per sub-category, the value
// axis running up to the number of records.
class QtChart : public Chart {
public:
    explicit QtChart(QWidget* parent);

    QChartView* View() const { return view_; }

    void OpenData(int bars) override;
    void SetScale(double maximum) override;
    void SelectSeries(int series) override;
    void SetValue(int bar, double value) override;
    void SetLabel(int bar, const std::string& label) override;
    void CloseData() override;
    bool Print() override;
    std::optional<std::vector<std::uint8_t>> PngImage() override;

private:
    QChartView* view_ = nullptr;
    double scale_ = 1;
    std::vector<double> values_;
    QStringList labels_;
};

}  // namespace quillmark
