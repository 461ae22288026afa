#pragma once

#include "ui/form_window.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;

namespace quillmark {

class PageWidget;
class TView;
class Workspace;
struct ActionControl;

// The main window: renders the TView form and hands every event to it.
class MainWindow : public FormWindow {
public:
    explicit MainWindow(Workspace& workspace);

    void Render() override;

protected:
    void Activated() override;
    void Deactivated() override;
    QSize SizeToShow(QSize asked) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildActions();
    void BuildRecordBar();
    void BuildNotebook();
    void ConnectActions();
    void ShowRecord();  // after the first activation has a record to show
    static constexpr int ExposeTries = 25;
    void ActivateOnceExposed(int triesLeft = ExposeTries);
    QSize FittingSize();
    // Sorting lives in main_window_sorting.cpp.
    void BuildSorting();
    void RenderSorting();
    // Undo and Redo live in main_window_edit_menu.cpp.
    void BuildEditHistory();
    void RenderEditHistory();

    Workspace& workspace_;
    TView& view_;
    std::map<const ActionControl*, QAction*> actions_;
    QWidget* recordBar_ = nullptr;
    QLabel* recordTitle_ = nullptr;
    QLineEdit* recordName_ = nullptr;
    QLabel* recordLabel_ = nullptr;
    QLineEdit* number_ = nullptr;
    QCheckBox* readOnly_ = nullptr;
    QCheckBox* searchList_ = nullptr;
    QTabWidget* notebook_ = nullptr;
    std::vector<PageWidget*> pages_;
    QMenu* sortRecordsMenu_ = nullptr;
    // What sortRecordsMenu_ shows.
    std::vector<std::string> sortCaptions_;
};

}  // namespace quillmark
