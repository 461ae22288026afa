#include "ui/preview/page_painter.h"

#include "engine/reports/recorded_page.h"
#include "ui/text.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>

namespace quillmark {

namespace {

QColor ToQColor(RgbColour colour)
{
    return {colour.red, colour.green, colour.blue};
}

QRectF Rectangle(const TwipRect& rect)
{
    return QRectF(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top).normalized();
}

class PainterDrawing : public PageDrawing {
public:
    explicit PainterDrawing(QPainter& painter) : painter_(painter) {}

    void Fill(const TwipRect& rect, RgbColour colour) override
    {
        painter_.fillRect(Rectangle(rect), ToQColor(colour));
    }

    void Text(int x, int y, std::string_view text, const PageFont& font,
              const std::optional<TwipRect>& clip,
              const std::optional<RgbColour>& background) override
    {
        painter_.save();
        const QFont qtFont = TwipFont(font);
        painter_.setFont(qtFont);
        const QFontMetricsF metrics(qtFont, painter_.device());
        const QString shown = ToQt(std::string(text));
        if (clip) {
            painter_.setClipRect(Rectangle(*clip), Qt::IntersectClip);
        }
        if (background) {
            painter_.fillRect(QRectF(x, y, metrics.horizontalAdvance(shown), metrics.height()),
                              ToQColor(*background));
        }
        painter_.setPen(ToQColor(font.colour));
        painter_.drawText(QPointF(x, y + metrics.ascent()), shown);
        painter_.restore();
    }

    void Line(int x1, int y1, int x2, int y2) override
    {
        painter_.setPen(QPen(Qt::black, 0));
        painter_.drawLine(x1, y1, x2, y2);
    }

private:
    QPainter& painter_;
};

}  // namespace

QFont TwipFont(const PageFont& font)
{
    QFont qtFont(ToQt(font.name));
    qtFont.setPixelSize(FontHeight(font));
    qtFont.setBold(font.bold);
    qtFont.setItalic(font.italic);
    qtFont.setUnderline(font.underline);
    qtFont.setStrikeOut(font.strikeOut);
    // Widths must not depend on the device's pixel grid: the layout measured them in twips.
    qtFont.setHintingPreference(QFont::PreferNoHinting);
    return qtFont;
}

QFont PointFont(const PageFont& font)
{
    QFont qtFont = TwipFont(font);
    qtFont.setPointSize(font.size);
    qtFont.setHintingPreference(QFont::PreferDefaultHinting);
    return qtFont;
}

int MeasureTwips(const PageFont& font, std::string_view text)
{
    return static_cast<int>(
        std::lround(QFontMetricsF(TwipFont(font)).horizontalAdvance(ToQt(std::string(text)))));
}

void PaintRecordedPage(QPainter& painter, const RecordedPage& page)
{
    PainterDrawing drawing(painter);
    ReplayPage(page, drawing);
}

PainterOutput::PainterOutput(QPagedPaintDevice& device, int offsetX, int offsetY)
    : device_(device), painter_(std::make_unique<QPainter>()), offsetX_(offsetX), offsetY_(offsetY)
{
    if (!painter_->begin(&device_)) {
        painter_.reset();
    }
}

PainterOutput::~PainterOutput()
{
    if (painter_) {
        painter_->end();
    }
}

bool PainterOutput::Started() const
{
    return painter_ != nullptr;
}

void PainterOutput::NewSheet()
{
    if (painter_) {
        device_.newPage();
    }
}

void PainterOutput::PlayPage(const RecordedPage& page, const PagePlacement& placement)
{
    if (!painter_) {
        return;
    }
    QPainter& painter = *painter_;
    painter.save();
    painter.resetTransform();
    painter.translate(offsetX_, offsetY_);
    painter.scale(device_.logicalDpiX() / static_cast<double>(TwipsPerInch),
                  device_.logicalDpiY() / static_cast<double>(TwipsPerInch));
    painter.translate(placement.originX, placement.originY);
    painter.setClipRect(QRect(0, 0, placement.clipWidth, placement.clipHeight));
    PaintRecordedPage(painter, page);
    painter.restore();
}

}  // namespace quillmark
