#pragma once

#include "ui/form_window.h"

#include <map>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListView;
class QRadioButton;
class QSplitter;

namespace quillmark {

class BrowseListModel;
class SpreadGrid;
class SpreadsheetModel;
class TSnapShot;
class Workspace;
struct ActionControl;
struct MenuItemControl;

// The spreadsheet window: renders the TSnapShot form and hands every event to it.
class SpreadsheetWindow : public FormWindow {
public:
    explicit SpreadsheetWindow(Workspace& workspace, QWidget* parent = nullptr);
    ~SpreadsheetWindow() override;

    void Render() override;

protected:
    void Activated() override;
    void Deactivated() override;

private:
    void BuildToolBar();
    QWidget* BuildBrowsePanel();
    QWidget* BuildTablePanel();
    QWidget* BuildStatusBar();
    void BuildGrid();
    // Pops up a menu of the grid's cell at the screen position; the choice goes to the form.
    void PopUp(const std::vector<MenuItemControl>* menu, const QPoint& globalPosition);
    void ColumnMoved(int from, int to);
    void RenderGrid();

    TSnapShot& sheet_;
    std::map<const ActionControl*, QAction*> actions_;
    SpreadGrid* grid_ = nullptr;
    SpreadsheetModel* model_ = nullptr;
    BrowseListModel* browseModel_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QLineEdit* viewFields_ = nullptr;
    QLineEdit* status_ = nullptr;
    QCheckBox* highlight_ = nullptr;
    QLineEdit* number_ = nullptr;
    QRadioButton* viewAll_ = nullptr;
    QRadioButton* viewSearched_ = nullptr;
    QRadioButton* viewSelected_ = nullptr;
    QComboBox* browseBy_ = nullptr;
    QListView* browseView_ = nullptr;
    bool rendering_ = false;
    int appliedSplitter_ = -1;
};

}  // namespace quillmark
