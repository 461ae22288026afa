#pragma once

#include "ui/form_window.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace quillmark {

class PageDevices;
class PageView;
class TOrvPreview;

// The preview window over its TOrvPreview form: modal, maximised and above the others, one
// page at a time in a scrolling area.
class PreviewWindow : public FormDialog {
public:
    PreviewWindow(TOrvPreview& preview, PageDevices& devices, QWidget* parent);
    ~PreviewWindow() override;

    void Render() override;

protected:
    bool FormClosed() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ZoomEntered();

    TOrvPreview& preview_;
    QToolButton* margin_ = nullptr;
    QToolButton* grid_ = nullptr;
    QLabel* pages_ = nullptr;
    QComboBox* zoom_ = nullptr;
    QPushButton* print_ = nullptr;
    QToolButton* export_ = nullptr;
    QPushButton* close_ = nullptr;
    QSpinBox* pageBox_ = nullptr;
    QScrollArea* scrollBox_ = nullptr;
    PageView* page_ = nullptr;
};

}  // namespace quillmark
