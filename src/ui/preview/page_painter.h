#pragma once

#include "engine/reports/page_canvas.h"
#include "engine/reports/page_store.h"
#include "forms/preview/page_devices.h"

#include <QFont>

#include <memory>
#include <string_view>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace quillmark {

class RecordedPage;

// A page font as Qt sets it in twips: its height is its size in points times 20.
QFont TwipFont(const PageFont& font);
// The same font at its size in points, for the font boxes and the font chooser.
QFont PointFont(const PageFont& font);

// Width in twips of a text in a font, as the screen sets it.
int MeasureTwips(const PageFont& font, std::string_view text);

// Draws a recorded page with the painter's units in twips and its origin at the page's corner.
void PaintRecordedPage(QPainter& painter, const RecordedPage& page);

// Pages played onto a printer or PDF writer: 1440 units an inch, the origin at the margins
// measured from the printable corner, cut off inside them. The job ends when it is released.
class PainterOutput : public PdfOutput {
public:
    // offsetX and offsetY: where the printable area starts on the sheet, in the device's dots.
    PainterOutput(QPagedPaintDevice& device, int offsetX, int offsetY);
    ~PainterOutput() override;
    bool Started() const;
    void NewSheet() override;
    void PlayPage(const RecordedPage& page, const PagePlacement& placement) override;
    std::string Finish() override { return {}; }

private:
    QPagedPaintDevice& device_;
    std::unique_ptr<QPainter> painter_;
    int offsetX_;
    int offsetY_;
};

}  // namespace quillmark
