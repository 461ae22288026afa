#include "ui/font_chooser.h"

#include "ui/text.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quillmark {

namespace {

// The files count font heights in pixels of a 96 dots-per-inch screen.
constexpr double PixelsPerPoint = 96.0 / 72.0;

QColor ToQColor(RgbColour colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

RgbColour FromQColor(const QColor& colour)
{
    return {colour.red(), colour.green(), colour.blue()};
}

QFont ToQFont(const FontSetting& setting)
{
    QFont font(ToQt(setting.Name));
    // A family this system lacks ("MS Sans Serif") shows as the one drawn in its place, whose
    // bold and italic faces the chooser can offer.
    font.setFamily(QFontInfo(font).family());
    font.setPointSizeF(std::max(1, std::abs(setting.Height)) / PixelsPerPoint);
    font.setBold(setting.Bold);
    font.setItalic(setting.Italic);
    font.setUnderline(setting.Underline);
    font.setStrikeOut(setting.StrikeOut);
    // The chooser picks its style by name, and families name their upright face in their own
    // words ("Book", "Regular"): without the name it would start at another face.
    font.setStyleName(QFontInfo(font).styleName());
    return font;
}

QIcon Swatch(RgbColour colour)
{
    QPixmap swatch(32, 16);
    swatch.fill(ToQColor(colour));
    return QIcon(swatch);
}

}  // namespace

std::optional<FontSetting> ChooseFontWithColour(QWidget* parent, const FontSetting& initial)
{
    QDialog dialog(parent);
    dialog.setObjectName("FontDialog");
    dialog.setWindowTitle(QFontDialog::tr("Select Font"));
    auto* fonts = new QFontDialog(ToQFont(initial), &dialog);
    fonts->setObjectName("Fonts");
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts->setWindowFlags(Qt::Widget);

    RgbColour colour = initial.Colour;
    auto* colourButton = new QPushButton(Swatch(colour), QString(), &dialog);
    colourButton->setObjectName("FontColour");
    colourButton->setIconSize(QSize(32, 16));
    QObject::connect(colourButton, &QPushButton::clicked, &dialog, [&] {
        const QColor chosen = QColorDialog::getColor(ToQColor(colour), &dialog);
        if (chosen.isValid()) {
            colour = FromQColor(chosen);
            colourButton->setIcon(Swatch(colour));
        }
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(new QLabel(QColorDialog::tr("Color"), &dialog));
    colourRow->addWidget(colourButton);
    colourRow->addStretch();
    colourRow->addWidget(buttons);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    layout->addLayout(colourRow);

    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QFont font = fonts->currentFont();
    FontSetting chosen = initial;
    chosen.Name = FromQt(font.family());
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 0;
    if (points > 0) {
        chosen.Height = -static_cast<int>(std::lround(points * PixelsPerPoint));
    } else if (font.pixelSize() > 0) {
        chosen.Height = -font.pixelSize();
    }
    chosen.Colour = colour;
    chosen.Bold = font.bold();
    chosen.Italic = font.italic();
    chosen.Underline = font.underline();
    chosen.StrikeOut = font.strikeOut();
    return chosen;
}

std::optional<RgbColour> ChooseColourFor(QWidget* parent, RgbColour initial)
{
    const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return FromQColor(chosen);
}

}  // namespace quillmark
