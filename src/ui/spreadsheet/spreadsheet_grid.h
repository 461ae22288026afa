#pragma once

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>

namespace quillmark {

class TSnapShot;

// The spreadsheet's records as a table model: every cell is asked of the form when the view
// draws it, so that opening a grid of any size costs the same. Row 0 of the form's grid is the
// header; the model's rows are the records below it.
class SpreadsheetModel : public QAbstractTableModel {
public:
    SpreadsheetModel(TSnapShot& sheet, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // After a handler: a new fill starts the view afresh; anything else is drawn again.
    void Refresh();

private:
    TSnapShot& sheet_;
    int fillCount_ = -1;
    int rows_ = 0;
    int columns_ = 0;
};

// The browse panel's values with their state marks, read from the form.
class BrowseListModel : public QAbstractListModel {
public:
    BrowseListModel(TSnapShot& sheet, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void Refresh();

private:
    TSnapShot& sheet_;
    int fillCount_ = -1;
};

// Draws picture cells: the picture unscaled at the cell's top-left corner, making the row and
// the column as large as it needs. In-place editing starts from the whole stored value, with
// the detail box's mask when the value fits it, and writes back only what was changed.
class SpreadsheetDelegate : public QStyledItemDelegate {
public:
    struct Handlers {
        std::function<QString(const QModelIndex&)> editText;  // the editor starts with it
        std::function<void(const QModelIndex&, const QString&)> edited;
        std::function<void(const QModelIndex&, QSize)> pictureSize;  // make room for it
    };
    SpreadsheetDelegate(TSnapShot& sheet, Handlers handlers, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    TSnapShot& sheet_;
    Handlers handlers_;
};

// The grid: a key that does not move the current cell opens the menu of a menu cell, the
// right button opens it at the pointer, and a double click goes to the main window.
class SpreadGrid : public QTableView {
public:
    struct Handlers {
        std::function<void(const QModelIndex&, const QPoint&)> rightPress;
        std::function<bool(const QPoint&)> menuKey;  // true when a menu was opened
        std::function<void()> doubleClick;
    };
    SpreadGrid(TSnapShot& sheet, Handlers handlers, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    TSnapShot& sheet_;
    Handlers handlers_;
};

}  // namespace quillmark
