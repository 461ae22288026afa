#pragma once

#include "ui/form_window.h"

#include <map>

class QAction;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace quillmark {

class TermGrid;
class TSearch;
class Workspace;
struct ActionControl;

// The search window: renders the TSearch form and hands every event to it.
class SearchWindow : public FormWindow {
public:
    explicit SearchWindow(Workspace& workspace, QWidget* parent = nullptr);
    ~SearchWindow() override;

    void Render() override;

protected:
    void Activated() override;
    void Deactivated() override;

private:
    void BuildToolBar();
    QWidget* BuildPanel();
    // The chooser of the grid's current cell, a menu popped up at the position given.
    void OpenChooser(const QPoint& globalPosition);

    TSearch& search_;
    std::map<const ActionControl*, QAction*> actions_;
    TermGrid* grid_ = nullptr;
    QPushButton* addTerm_ = nullptr;
    QPushButton* perform_ = nullptr;
    QPushButton* newSearch_ = nullptr;
    QPushButton* clear_ = nullptr;
    QLabel* rangeLabel_ = nullptr;
    QSpinBox* lowRange_ = nullptr;
    QLabel* rangeTo_ = nullptr;
    QSpinBox* highRange_ = nullptr;
    QPushButton* addRange_ = nullptr;
    QProgressBar* progress_ = nullptr;
    bool rendering_ = false;
};

}  // namespace quillmark
