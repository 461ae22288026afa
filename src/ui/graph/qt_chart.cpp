#include "ui/graph/qt_chart.h"

#include "ui/qt_services.h"
#include "ui/text.h"
#include "ui/window_placement.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QHorizontalBarSeries>
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <functional>

namespace quillmark {

// The chart on the screen, told when it is resized.
class ChartView : public QChartView {
public:
    ChartView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {}

    std::function<void()> resized;

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QChartView::resizeEvent(event);
        if (resized) {
            resized();
        }
    }
};

namespace {

// Room the value axis, its labels and the chart's margins take from the bars' width.
constexpr double ValueAxisRoom = 110;
constexpr double LabelGap = 8;
// Room the category axis's margins take from a value axis lying down, and the title, the
// category names and the margins from one standing up.
constexpr double AxisMargins = 80;
constexpr double TitleAndCategoryRoom = 110;
constexpr double ScreenDpi = 96;

struct RoundAxis {
    double top = 1;
    int ticks = 2;
};

// Whole steps of 1, 2, 2.5 or 5 times a power of ten, as many as there is room for and at most
// ten, up to the first step at or above the maximum: 99 915 records give 0, 10 000, ...
// 100 000.
RoundAxis RoundAxisFor(double maximum, int mostSteps)
{
    maximum = std::max(1.0, maximum);
    mostSteps = std::clamp(mostSteps, 1, 10);
    double step = 1;
    for (double power = 1;; power *= 10) {
        const double candidates[] = {power, 2 * power, power >= 10 ? 2.5 * power : 2 * power,
                                     5 * power};
        const auto fits =
            std::find_if(std::begin(candidates), std::end(candidates),
                         [maximum, mostSteps](double s) { return maximum / s <= mostSteps; });
        if (fits != std::end(candidates)) {
            step = *fits;
            break;
        }
    }
    const double steps = std::ceil(maximum / step);
    return {steps * step, static_cast<int>(steps) + 1};
}

// A chart laid out at a size of its own in screen pixels, drawn onto a device at any scale.
void RenderAtSize(const QtChart& source, QSizeF size, QPainter& painter, const QRectF& target)
{
    QGraphicsScene scene;
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    source.Fill(*chart, size);
    scene.addItem(chart);
    chart->setGeometry(QRectF(QPointF(), size));
    // The axes and bars are placed when the chart's layout runs, which it does on request.
    chart->layout()->activate();
    QCoreApplication::sendPostedEvents(chart, QEvent::LayoutRequest);
    scene.render(&painter, target, QRectF(QPointF(), size));
}

}  // namespace

QtChart::QtChart(QWidget* parent)
{
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setAnimationOptions(QChart::NoAnimation);
    view_ = new ChartView(chart, parent);
    view_->setObjectName("Graph");
    view_->setRenderHint(QPainter::Antialiasing);
    // The chart is a picture with nothing to do by keys: Tab passes it by, and a screen reader
    // reads it by its name.
    view_->setFocusPolicy(Qt::NoFocus);
    // A few bars are quickly laid out again for the size: which way they stand, and the steps
    // of their scale.
    view_->resized = [this] {
        if (drawn_) {
            Fill(*view_->chart(), view_->size());
        }
    };
}

QChartView* QtChart::View() const
{
    return view_;
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

void QtChart::SetTitle(const std::string& title)
{
    title_ = ToQt(title);
}

void QtChart::CloseData()
{
    drawn_ = true;
    Fill(*view_->chart(), view_->size());
}

bool QtChart::LieDown(double chartWidth) const
{
    if (labels_.isEmpty()) {
        return false;
    }
    const QFontMetricsF metrics(QBarCategoryAxis().labelsFont());
    double widest = 0;
    for (const QString& label : labels_) {
        widest = std::max(widest, metrics.horizontalAdvance(label));
    }
    const double slot = (chartWidth - ValueAxisRoom) / static_cast<double>(labels_.size());
    return widest + LabelGap > slot;
}

void QtChart::Fill(QChart& chart, QSizeF size) const
{
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
    chart.setTitle(title_);
    QFont titleFont = chart.titleFont();
    titleFont.setBold(true);
    titleFont.setPointSizeF(QFont().pointSizeF() * 1.25);
    chart.setTitleFont(titleFont);

    // Lying down, the first bar is at the top, as the tree lists it.
    const bool lieDown = LieDown(size.width());
    std::vector<double> values = values_;
    QStringList labels;
    for (const QString& label : labels_) {
        // Two bars of one name are still two bars.
        QString unique = label;
        while (labels.contains(unique)) {
            unique += u' ';
        }
        labels << unique;
    }
    if (lieDown) {
        std::reverse(values.begin(), values.end());
        std::reverse(labels.begin(), labels.end());
    }

    auto* set = new QBarSet(ToQt("Records"));
    for (const double value : values) {
        *set << value;
    }
    set->setLabelColor(Qt::black);
    QAbstractBarSeries* series =
        lieDown ? static_cast<QAbstractBarSeries*>(new QHorizontalBarSeries) : new QBarSeries;
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsFormat(QStringLiteral("@value"));
    chart.addSeries(series);

    auto* categories = new QBarCategoryAxis;
    categories->append(labels);
    chart.addAxis(categories, lieDown ? Qt::AlignLeft : Qt::AlignBottom);
    series->attachAxis(categories);

    // As many steps as the axis has room for side by side (lying down) or one above another.
    auto* counts = new QValueAxis;
    const QFontMetricsF metrics(counts->labelsFont());
    const double widestCategory = [&labels, &metrics] {
        double widest = 0;
        for (const QString& label : labels) {
            widest = std::max(widest, metrics.horizontalAdvance(label));
        }
        return widest;
    }();
    const double axisLength = lieDown ? size.width() - widestCategory - AxisMargins
                                      : size.height() - TitleAndCategoryRoom;
    // The top label has at most a digit more than the scale (99 915 rounds up to 100 000).
    const double labelLength =
        (lieDown ? metrics.horizontalAdvance(QString::number(std::max(1.0, scale_) * 10))
                 : metrics.height()) +
        LabelGap * 2;
    const RoundAxis round = RoundAxisFor(scale_, static_cast<int>(axisLength / labelLength));
    counts->setRange(0, round.top);
    counts->setTickCount(round.ticks);
    counts->setLabelFormat(QStringLiteral("%d"));
    chart.addAxis(counts, lieDown ? Qt::AlignBottom : Qt::AlignLeft);
    series->attachAxis(counts);
}

bool QtChart::Print()
{
    QPrinter printer(QPrinter::HighResolution);
    // A chart is wider than it is tall.
    printer.setPageOrientation(QPageLayout::Landscape);
    // Straight to the default printer; without one, the user chooses where it goes.
    if (QPrinterInfo::defaultPrinter().isNull()) {
        const BoxOpen open;
        QWidget* parent = AskingWindow(view_->window());
        QPrintDialog dialog(&printer, parent);
        KeepAbove(&dialog, parent);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
    }
    // Laid out for the page at the size the screen would show it, so that its text is as
    // large on paper as on the screen, and then drawn at the printer's resolution.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double toScreen = ScreenDpi / printer.resolution();
    QPainter painter(&printer);
    if (!painter.isActive()) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    RenderAtSize(*this, QSizeF(page.width() * toScreen, page.height() * toScreen), painter,
                 QRectF(0, 0, page.width(), page.height()));
    return true;
}

std::optional<std::vector<std::uint8_t>> QtChart::PngImage()
{
    QImage image(2 * ImageWidth, 2 * ImageHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        RenderAtSize(*this, QSizeF(ImageWidth, ImageHeight), painter,
                     QRectF(0, 0, image.width(), image.height()));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace quillmark
