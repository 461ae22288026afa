#include "ui/spreadsheet/spreadsheet_grid.h"

#include "engine/pictures/bitmap.h"
#include "forms/edit_mask.h"
#include "forms/spreadsheet/snapshot_form.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QBrush>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace quillmark {

namespace {

constexpr const char* StartTextProperty = "startText";

}  // namespace

// ---- the records ----

SpreadsheetModel::SpreadsheetModel(TSnapShot& sheet, QObject* parent)
    : QAbstractTableModel(parent), sheet_(sheet)
{
}

int SpreadsheetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int SpreadsheetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant SpreadsheetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) {
        return {};
    }
    const int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return ToQt(sheet_.CellText(row, index.column()));
    case Qt::BackgroundRole:
        if (const std::optional<RgbColour> colour = sheet_.CellColour(row)) {
            return QBrush(QColor(colour->red, colour->green, colour->blue));
        }
        return {};
    default:
        return {};
    }
}

QVariant SpreadsheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columns_) {
        return {};
    }
    return ToQt(sheet_.CellText(0, section));
}

Qt::ItemFlags SpreadsheetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (sheet_.CellEditable(index.row() + 1, index.column())) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

void SpreadsheetModel::Refresh()
{
    const int rows = sheet_.SpreadView.RowCount - 1;
    const int columns = sheet_.SpreadView.ColCount;
    if (fillCount_ != sheet_.FillCount || rows != rows_ || columns != columns_) {
        beginResetModel();
        fillCount_ = sheet_.FillCount;
        rows_ = rows;
        columns_ = columns;
        endResetModel();
        return;
    }
    if (columns_ > 0) {
        emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
        if (rows_ > 0) {
            emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
        }
    }
}

// ---- the browse values ----

BrowseListModel::BrowseListModel(TSnapShot& sheet, QObject* parent)
    : QAbstractListModel(parent), sheet_(sheet)
{
}

int BrowseListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(sheet_.BrowseView.size());
}

QVariant BrowseListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(sheet_.BrowseView.size())) {
        return {};
    }
    const BrowseItem& item = sheet_.BrowseView[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        return ToQt(item.caption);
    }
    if (role == Qt::CheckStateRole) {
        return item.stateIndex == 0 ? Qt::Checked : Qt::Unchecked;
    }
    return {};
}

void BrowseListModel::Refresh()
{
    if (fillCount_ != sheet_.BrowseFillCount) {
        beginResetModel();
        fillCount_ = sheet_.BrowseFillCount;
        endResetModel();
    } else if (!sheet_.BrowseView.empty()) {
        emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
    }
}

// ---- drawing and editing cells ----

SpreadsheetDelegate::SpreadsheetDelegate(TSnapShot& sheet, Handlers handlers, QObject* parent)
    : QStyledItemDelegate(parent), sheet_(sheet), handlers_(std::move(handlers))
{
}

void SpreadsheetDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (!sheet_.IsPictureColumn(index.column())) {
        return;
    }
    const std::shared_ptr<const Bitmap> picture =
        sheet_.CellPicture(index.row() + 1, index.column());
    if (!picture) {
        return;
    }
    // The image borrows the cached pixels only while it is drawn.
    const QImage image(picture->pixels.data(), picture->width, picture->height, picture->width * 4,
                       QImage::Format_RGBA8888);
    painter->save();
    painter->setClipRect(option.rect);
    painter->drawImage(option.rect.topLeft(), image);
    painter->restore();
    if (picture->height > option.rect.height() || picture->width > option.rect.width()) {
        handlers_.pictureSize(index, QSize(picture->width, picture->height));
    }
}

QWidget* SpreadsheetDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                           const QModelIndex&) const
{
    auto* editor = new QLineEdit(parent);
    editor->setObjectName("SpreadViewEditor");
    editor->setFrame(false);
    return editor;
}

void SpreadsheetDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* box = static_cast<QLineEdit*>(editor);
    const QString text = handlers_.editText(index);
    const std::string mask = sheet_.EditMask(index.column());
    // A value that does not fit the mask is edited as it is, never squeezed into it.
    box->setInputMask(!mask.empty() && TextFitsMask(FromQt(text), mask) ? QtInputMask(mask)
                                                                        : QString());
    box->setText(text);
    box->setProperty(StartTextProperty, text);
}

void SpreadsheetDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                       const QModelIndex& index) const
{
    const auto* box = static_cast<QLineEdit*>(editor);
    const QString typed = TypedText(box);
    // Opening a cell and leaving it writes nothing.
    if (typed != box->property(StartTextProperty).toString()) {
        handlers_.edited(index, typed);
    }
}

// ---- the grid ----

SpreadGrid::SpreadGrid(TSnapShot& sheet, Handlers handlers, QWidget* parent)
    : QTableView(parent), sheet_(sheet), handlers_(std::move(handlers))
{
    setObjectName("SpreadView");
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                    QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(true);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(TSnapShot::DefaultRowHeight);
    horizontalHeader()->setDefaultSectionSize(TSnapShot::DefaultColWidth);
    horizontalHeader()->setSectionsMovable(true);
    // While a title is dragged the header's auto-scroll moves the grid by the pointer's height
    // in the title row, not by its nearness to either end, so the column would land away from
    // the pointer. The grid stays put during a drag.
    horizontalHeader()->setAutoScroll(false);
    horizontalHeader()->setHighlightSections(false);
}

void SpreadGrid::keyPressEvent(QKeyEvent* event)
{
    static const QList<int> moves = {Qt::Key_Up,     Qt::Key_Down,     Qt::Key_Left,  Qt::Key_Right,
                                     Qt::Key_Tab,    Qt::Key_Backtab,  Qt::Key_Home,  Qt::Key_End,
                                     Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Escape};
    const bool modifierOnly = event->key() == Qt::Key_Shift || event->key() == Qt::Key_Control ||
                              event->key() == Qt::Key_Alt || event->key() == Qt::Key_Meta;
    const QModelIndex current = currentIndex();
    if (moves.contains(event->key()) || modifierOnly || !current.isValid() ||
        sheet_.CellEditable(current.row() + 1, current.column())) {
        QTableView::keyPressEvent(event);
        return;
    }
    const QRect cell = visualRect(current);
    if (!handlers_.menuKey(viewport()->mapToGlobal(cell.topLeft()))) {
        QTableView::keyPressEvent(event);
    }
}

void SpreadGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        const QModelIndex pressed = indexAt(event->position().toPoint());
        if (pressed.isValid()) {
            handlers_.rightPress(pressed, event->globalPosition().toPoint());
        }
        return;
    }
    QTableView::mousePressEvent(event);
}

void SpreadGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid()) {
        handlers_.doubleClick();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

}  // namespace quillmark
