#include "ui/column_report/column_header.h"

#include "ui/text.h"

#include <QPainter>
#include <QSignalBlocker>
#include <QStandardItemModel>

namespace quillmark {

ColumnHeader::ColumnHeader(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), model_(new QStandardItemModel(this))
{
    setModel(model_);
    setSectionResizeMode(QHeaderView::Interactive);
    setStretchLastSection(false);
    setSectionsClickable(true);
    setFixedHeight(26);
}

void ColumnHeader::Show(const std::vector<Section>& sections,
                        const std::array<RgbColour, 10>& colours)
{
    const QSignalBlocker blocker(this);
    if (static_cast<int>(sections.size()) != model_->columnCount()) {
        model_->setColumnCount(static_cast<int>(sections.size()));
    }
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (sectionSize(static_cast<int>(i)) != sections[i].width) {
            resizeSection(static_cast<int>(i), sections[i].width);
        }
    }
    sections_ = sections;
    colours_ = colours;
    viewport()->update();
}

void ColumnHeader::resizeEvent(QResizeEvent* event)
{
    QHeaderView::resizeEvent(event);
    if (widthChanged) {
        widthChanged(width());
    }
}

void ColumnHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (logicalIndex < 0 || logicalIndex >= static_cast<int>(sections_.size())) {
        return;
    }
    const RgbColour colour = colours_[static_cast<std::size_t>(logicalIndex)];
    painter->fillRect(rect, QColor(colour.red, colour.green, colour.blue));
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    painter->setPen(Qt::black);
    painter->drawText(rect.left() + 10, rect.top() + 5 + fontMetrics().ascent(),
                      ToQt(sections_[static_cast<std::size_t>(logicalIndex)].caption));
}

}  // namespace quillmark
