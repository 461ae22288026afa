#include "ui/font_chooser.h"

#include "ui/preview/page_painter.h"
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

QColor ToQColor(RgbColour colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

RgbColour FromQColor(const QColor& colour)
{
    return {colour.red(), colour.green(), colour.blue()};
}

QFont ToQFont(const PageFont& setting)
{
    QFont font = PointFont(setting);
    // A family this system lacks ("MS Sans Serif") shows as the one drawn in its place, whose
    // bold and italic faces the chooser can offer.
    font.setFamily(QFontInfo(font).family());
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

std::optional<PageFont> ChooseFontWithColour(QWidget* parent, const PageFont& initial,
                                             int largestSize)
{
    QDialog dialog(parent);
    dialog.setObjectName("FontDialog");
    dialog.setWindowTitle(QFontDialog::tr("Select Font"));
    auto* fonts = new QFontDialog(ToQFont(initial), &dialog);
    fonts->setObjectName("Fonts");
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts->setWindowFlags(Qt::Widget);

    RgbColour colour = initial.colour;
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
    PageFont chosen = initial;
    chosen.name = FromQt(font.family());
    if (font.pointSizeF() > 0) {
        chosen.size = std::max(1, static_cast<int>(std::lround(font.pointSizeF())));
    } else if (font.pixelSize() > 0) {
        chosen.size = std::max(1, static_cast<int>(std::lround(font.pixelSize() * 72.0 / 96)));
    }
    if (largestSize > 0) {
        chosen.size = std::min(chosen.size, largestSize);
    }
    chosen.colour = colour;
    chosen.bold = font.bold();
    chosen.italic = font.italic();
    chosen.underline = font.underline();
    chosen.strikeOut = font.strikeOut();
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
