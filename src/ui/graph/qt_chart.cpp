#include "ui/graph/qt_chart.h"

#include "engine/print_scaling.h"
#include "ui/qt_services.h"
#include "ui/text.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace quillmark {

QtChart::QtChart(QWidget* parent)
{
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    view_ = new QChartView(chart, parent);
    view_->setObjectName("Graph");
    view_->setRenderHint(QPainter::Antialiasing);
}

void QtChart::OpenData(int bars)
{
    const auto count = static_cast<std::size_t>(std::max(0, bars));
    values_.assign(count, 0);
    labels_.clear();
    for (std::size_t bar = 0; bar < count; ++bar) {
        labels_ << QString();
    }
}

void QtChart::SetScale(double maximum)
{
    scale_ = maximum;
}

void QtChart::SelectSeries(int)
{
    // The graph has one series.
}

void QtChart::SetValue(int bar, double value)
{
    if (bar >= 0 && static_cast<std::size_t>(bar) < values_.size()) {
        values_[static_cast<std::size_t>(bar)] = value;
    }
}

void QtChart::SetLabel(int bar, const std::string& label)
{
    if (bar >= 0 && bar < labels_.size()) {
        labels_[bar] = ToQt(label);
    }
}

void QtChart::CloseData()
{
    QChart* chart = view_->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    auto* set = new QBarSet("Records");
    for (const double value : values_) {
        *set << value;
    }
    set->setLabelColor(Qt::black);
    auto* series = new QBarSeries;
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsFormat("@value");
    chart->addSeries(series);

    auto* categories = new QBarCategoryAxis;
    // Two bars of one name are still two bars.
    QStringList shown;
    for (const QString& label : labels_) {
        QString unique = label;
        while (shown.contains(unique)) {
            unique += ' ';
        }
        shown << unique;
    }
    categories->append(shown);
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);

    auto* counts = new QValueAxis;
    const double top = std::max(1.0, scale_);
    counts->setRange(0, top);
    counts->setLabelFormat("%d");
    counts->setTickCount(static_cast<int>(std::min(top, 10.0)) + 1);
    chart->addAxis(counts, Qt::AlignLeft);
    series->attachAxis(counts);
}

bool QtChart::Print()
{
    QPrinter printer(QPrinter::HighResolution);
    // Straight to the default printer; without one, the user chooses where it goes.
    if (QPrinterInfo::defaultPrinter().isNull()) {
        const BoxOpen open;
        QPrintDialog dialog(&printer, view_->window());
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
    }
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    // Drawn at the size on screen, then scaled to the page, so that fonts keep their size
    // relative to the bars.
    const QSize onScreen = view_->size();
    const PrintedSize size =
        ScaleToPage(onScreen.width(), onScreen.height(), page.width(), page.height());
    QPainter painter(&printer);
    painter.setRenderHint(QPainter::Antialiasing);
    view_->render(&painter, QRectF(0, 0, size.width, size.height));
    return true;
}

std::optional<std::vector<std::uint8_t>> QtChart::PngImage()
{
    const QPixmap picture = view_->grab();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (picture.isNull() || !picture.save(&buffer, "PNG")) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace quillmark
