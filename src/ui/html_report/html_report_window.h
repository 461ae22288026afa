#pragma once

#include "ui/form_window.h"

#include <map>
#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace quillmark {

class THTMLReport;
class Workspace;
struct ActionControl;

// The HTML report window over its THTMLReport form: the item list and its buttons on the left,
// the header and footer boxes on the right.
class HtmlReportWindow : public FormWindow {
public:
    explicit HtmlReportWindow(Workspace& workspace, QWidget* parent = nullptr);
    ~HtmlReportWindow() override;

    void Render() override;

protected:
    void Activated() override;

private:
    QWidget* BuildPanel();
    void BuildToolBar();
    void RenderFields();

    std::unique_ptr<THTMLReport> report_;
    std::map<const ActionControl*, QAction*> actions_;
    QLabel* fieldsLabel_ = nullptr;
    QListWidget* fields_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* moveUp_ = nullptr;
    QPushButton* moveDown_ = nullptr;
    QCheckBox* searchListOnly_ = nullptr;
    QLabel* headerLabel_ = nullptr;
    QPlainTextEdit* header_ = nullptr;
    QPushButton* loadHeader_ = nullptr;
    QLabel* footerLabel_ = nullptr;
    QPlainTextEdit* footer_ = nullptr;
    QPushButton* loadFooter_ = nullptr;
    QPushButton* view_ = nullptr;
    QPushButton* saveHtml_ = nullptr;
};

}  // namespace quillmark
