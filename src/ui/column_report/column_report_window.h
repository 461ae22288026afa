#pragma once

#include "ui/form_window.h"

#include <map>
#include <memory>

class QAction;
class QCheckBox;
class QDoubleSpinBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace quillmark {

class ColumnHeader;
class QtPageDevices;
class TPrintBox;
class Workspace;
struct ActionControl;

// The regular report window: the TPrintBox form's items on the left, the head, columns,
// margins and fonts on the right, its own tool buttons before the view buttons.
class ColumnReportWindow : public FormWindow {
public:
    explicit ColumnReportWindow(Workspace& workspace, QWidget* parent = nullptr);
    ~ColumnReportWindow() override;

    void Render() override;

protected:
    void Activated() override;
    void Deactivated() override;

private:
    QWidget* BuildItems();
    QWidget* BuildSetup();

    std::unique_ptr<QtPageDevices> devices_;
    std::unique_ptr<TPrintBox> report_;
    std::map<const ActionControl*, QAction*> actions_;
    QPlainTextEdit* fields_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* undo_ = nullptr;
    QPushButton* clear_ = nullptr;
    QCheckBox* reportTitle_ = nullptr;
    QLineEdit* titleText_ = nullptr;
    QCheckBox* header_ = nullptr;
    QCheckBox* date_ = nullptr;
    QCheckBox* pageNumbers_ = nullptr;
    QCheckBox* recordNumbers_ = nullptr;
    QSpinBox* colNum_ = nullptr;
    QDoubleSpinBox* margins_[4] = {};
    QCheckBox* indent_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QRadioButton* landscape_ = nullptr;
    ColumnHeader* widths_ = nullptr;
    QPushButton* set_ = nullptr;
    QPushButton* font_ = nullptr;
    QLineEdit* fontBoxes_[3] = {};
};

}  // namespace quillmark
