#include "pdf_pages.h"

#include "core/byte_stream.h"
#include "core/file_messages.h"
#include "core/windows1252.h"
#include "engine/reports/recorded_page.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <cmath>

namespace quillmark {

namespace {

// Cairo's PDF surfaces count in points; pages are drawn in twips.
constexpr double PointsPerTwip = 1.0 / TwipsPerPoint;
// A thin rule: one twip, which viewers and printers draw as their thinnest line.
constexpr double RuleWidth = 1;

void SelectFont(cairo_t* cairo, const PageFont& font)
{
    // Cairo takes font names in UTF-8; a name in the file's own text would stop all drawing.
    cairo_select_font_face(cairo, Windows1252ToUtf8(font.name).c_str(),
                           font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cairo, FontHeight(font));
}

void SetColour(cairo_t* cairo, RgbColour colour)
{
    cairo_set_source_rgb(cairo, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0);
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// A recorded page played onto a cairo context whose units are twips. A context that fails
// draws nothing more, so the first text it could not draw is noted for the document to fail.
class CairoDrawing : public PageDrawing {
public:
    CairoDrawing(cairo_t* cairo, std::string& failure) : cairo_(cairo), failure_(failure) {}

    void Fill(const TwipRect& rect, RgbColour colour) override
    {
        SetColour(cairo_, colour);
        cairo_rectangle(cairo_, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top);
        cairo_fill(cairo_);
    }

    void Text(int x, int y, std::string_view text, const PageFont& font,
              const std::optional<TwipRect>& clip,
              const std::optional<RgbColour>& background) override
    {
        cairo_save(cairo_);
        SelectFont(cairo_, font);
        const std::string utf8 = Windows1252ToUtf8(text);
        cairo_font_extents_t extents;
        cairo_font_extents(cairo_, &extents);
        cairo_text_extents_t size;
        cairo_text_extents(cairo_, utf8.c_str(), &size);
        if (clip) {
            cairo_rectangle(cairo_, clip->left, clip->top, clip->right - clip->left,
                            clip->bottom - clip->top);
            cairo_clip(cairo_);
        }
        if (background) {
            SetColour(cairo_, *background);
            cairo_rectangle(cairo_, x, y, size.x_advance, extents.ascent + extents.descent);
            cairo_fill(cairo_);
        }
        SetColour(cairo_, font.colour);
        const double baseline = y + extents.ascent;
        cairo_move_to(cairo_, x, baseline);
        cairo_show_text(cairo_, utf8.c_str());
        // The toy font interface draws no lines of its own.
        const double stroke = std::max(1.0, FontHeight(font) / 14.0);
        if (font.underline) {
            cairo_rectangle(cairo_, x, baseline + stroke, size.x_advance, stroke);
        }
        if (font.strikeOut) {
            cairo_rectangle(cairo_, x, baseline - extents.ascent / 3, size.x_advance, stroke);
        }
        cairo_fill(cairo_);
        cairo_restore(cairo_);
        const cairo_status_t status = cairo_status(cairo_);
        if (status != CAIRO_STATUS_SUCCESS && failure_.empty()) {
            constexpr std::size_t Shown = 40;
            failure_ = "the text \"" + TextInMessage(text.substr(0, Shown)) +
                       (text.size() > Shown ? "..." : "") + "\" could not be drawn (" +
                       cairo_status_to_string(status) + ")";
        }
    }

    void Line(int x1, int y1, int x2, int y2) override
    {
        cairo_set_source_rgb(cairo_, 0, 0, 0);
        cairo_set_line_width(cairo_, RuleWidth);
        cairo_move_to(cairo_, x1, y1);
        cairo_line_to(cairo_, x2, y2);
        cairo_stroke(cairo_);
    }

private:
    cairo_t* cairo_;
    std::string& failure_;
};

}  // namespace

struct CairoTextMeasurer::Context {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cairo = cairo_create(surface);
    ~Context()
    {
        cairo_destroy(cairo);
        cairo_surface_destroy(surface);
    }
};

CairoTextMeasurer::CairoTextMeasurer() : context_(std::make_unique<Context>())
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(context_->cairo, options);
    cairo_font_options_destroy(options);
}

CairoTextMeasurer::~CairoTextMeasurer() = default;

int CairoTextMeasurer::TextWidth(const PageFont& font, std::string_view text)
{
    SelectFont(context_->cairo, font);
    cairo_text_extents_t extents;
    cairo_text_extents(context_->cairo, Windows1252ToUtf8(text).c_str(), &extents);
    return static_cast<int>(std::lround(extents.x_advance));
}

struct PdfPages::Document {
    std::string bytes;
    std::string failure;  // what could not be drawn
    cairo_surface_t* surface = nullptr;
    cairo_t* cairo = nullptr;
    ~Document()
    {
        if (cairo != nullptr) {
            cairo_destroy(cairo);
        }
        if (surface != nullptr) {
            cairo_surface_destroy(surface);
        }
    }
};

PdfPages::PdfPages(int paperWidthTwips, int paperHeightTwips, const std::string& title)
    : document_(std::make_unique<Document>())
{
    document_->surface = cairo_pdf_surface_create_for_stream(AppendBytes, &document_->bytes,
                                                             paperWidthTwips * PointsPerTwip,
                                                             paperHeightTwips * PointsPerTwip);
    cairo_pdf_surface_set_metadata(document_->surface, CAIRO_PDF_METADATA_TITLE,
                                   Windows1252ToUtf8(title).c_str());
    cairo_pdf_surface_set_metadata(document_->surface, CAIRO_PDF_METADATA_CREATOR, "Quillmark");
    document_->cairo = cairo_create(document_->surface);
    cairo_scale(document_->cairo, PointsPerTwip, PointsPerTwip);
}

PdfPages::~PdfPages() = default;

void PdfPages::NewSheet()
{
    cairo_show_page(document_->cairo);
}

void PdfPages::PlayPage(const RecordedPage& page, const PagePlacement& placement)
{
    cairo_t* cairo = document_->cairo;
    cairo_save(cairo);
    cairo_translate(cairo, placement.originX, placement.originY);
    cairo_rectangle(cairo, 0, 0, placement.clipWidth, placement.clipHeight);
    cairo_clip(cairo);
    CairoDrawing drawing(cairo, document_->failure);
    ReplayPage(page, drawing);
    cairo_restore(cairo);
}

std::string PdfPages::Finish()
{
    if (document_->failure.empty() && cairo_status(document_->cairo) != CAIRO_STATUS_SUCCESS) {
        document_->failure = cairo_status_to_string(cairo_status(document_->cairo));
    }
    // A document missing some of its text is no report.
    if (!document_->failure.empty()) {
        throw WriteError(document_->failure);
    }
    cairo_destroy(document_->cairo);
    document_->cairo = nullptr;
    cairo_surface_finish(document_->surface);
    const cairo_status_t status = cairo_surface_status(document_->surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        throw WriteError(cairo_status_to_string(status));
    }
    return document_->bytes;
}

}  // namespace quillmark
