#include "ui/preview/preview_window.h"

#include "engine/reports/page_store.h"
#include "forms/preview/preview_form.h"
#include "ui/preview/page_painter.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillmark {

namespace {

constexpr int PictureTop = 10;

QColor ToQColor(RgbColour colour)
{
    return {colour.red, colour.green, colour.blue};
}

}  // namespace

// The page picture: the page on show at the form's scale, with its margins and grid.
class PageView : public QWidget {
public:
    PageView(TOrvPreview& preview, QWidget* parent) : QWidget(parent), preview_(preview)
    {
        setObjectName("PageView");
    }

    void Fit(int areaWidth)
    {
        setFixedSize(std::max(areaWidth, preview_.PictureLeft + preview_.PictureWidth + 10),
                     preview_.PictureHeight + 2 * PictureTop);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const TOrvPrinter& store = preview_.Store();
        QPainter painter(this);
        if (store.PageCount() == 0) {
            return;
        }
        const double pixelsPerTwip = preview_.Scale / static_cast<double>(TwipsPerInch);
        const QRectF picture(preview_.PictureLeft, PictureTop, preview_.PictureWidth,
                             preview_.PictureHeight);
        painter.save();
        painter.translate(picture.topLeft());
        QSizeF inside = picture.size();
        if (store.ShowMargins) {
            painter.fillRect(QRectF(QPointF(), picture.size()), ToQColor(store.BackgroundColour));
            painter.translate(store.Margins.left * pixelsPerTwip,
                              store.Margins.top * pixelsPerTwip);
            inside = QSizeF(
                (store.PageWidth() * TwipsPerInch - store.Margins.left - store.Margins.right) *
                    pixelsPerTwip,
                (store.PageHeight() * TwipsPerInch - store.Margins.top - store.Margins.bottom) *
                    pixelsPerTwip);
        }
        painter.setClipRect(QRectF(QPointF(), inside));
        painter.fillRect(QRectF(QPointF(), inside), Qt::white);
        painter.scale(pixelsPerTwip, pixelsPerTwip);
        PaintRecordedPage(painter, store.Page(preview_.PageShown));
        painter.restore();
        if (store.ShowGrid) {
            // A dotted line every quarter inch, across the page and down it.
            const int step = std::max(preview_.Scale / 4, 1);
            painter.setPen(QPen(ToQColor(store.GridColour), 0, Qt::DotLine));
            for (int x = step; x < preview_.PictureWidth; x += step) {
                painter.drawLine(QPointF(picture.left() + x, picture.top()),
                                 QPointF(picture.left() + x, picture.bottom()));
            }
            for (int y = step; y < preview_.PictureHeight; y += step) {
                painter.drawLine(QPointF(picture.left(), picture.top() + y),
                                 QPointF(picture.right(), picture.top() + y));
            }
        }
    }

private:
    TOrvPreview& preview_;
};

PreviewWindow::PreviewWindow(TOrvPreview& preview, PageDevices&, QWidget* parent)
    : FormDialog(parent), preview_(preview)
{
    setObjectName("OrvPreview");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    layout->addLayout(bar);

    auto button = [this, bar](const ActionControl& control) {
        auto* tool = new QToolButton(this);
        tool->setObjectName(ToQt(control.buttonName));
        tool->setText(ToQt(control.caption));
        tool->setCheckable(control.checkable);
        bar->addWidget(tool);
        return tool;
    };
    auto pushButton = [this, bar](const ActionControl& control) {
        auto* push = new QPushButton(ToQt(control.caption), this);
        push->setObjectName(ToQt(control.buttonName));
        push->setAutoDefault(false);
        bar->addWidget(push);
        return push;
    };
    margin_ = button(preview_.MarginBtn);
    grid_ = button(preview_.GridBtn);
    pages_ = new QLabel(this);
    pages_->setObjectName("Pages");
    bar->addWidget(pages_);
    zoom_ = new QComboBox(this);
    zoom_->setObjectName("Zoom");
    zoom_->setEditable(true);
    zoom_->setInsertPolicy(QComboBox::NoInsert);
    auto* zoomLabel = new QLabel(ToQt(preview_.ZoomLabel.caption), this);
    LabelFor(zoomLabel, zoom_);
    bar->addWidget(zoomLabel);
    bar->addWidget(zoom_);
    print_ = pushButton(preview_.PrintBtn);
    export_ = button(preview_.ExportBtn);
    export_->setPopupMode(QToolButton::InstantPopup);
    auto* exportMenu = new QMenu(export_);
    exportMenu->setObjectName("ExportMenu");
    for (const MenuItemControl& entry : preview_.ExportMenu) {
        QAction* action = exportMenu->addAction(ToQt(entry.caption));
        action->setObjectName(ToQt(entry.caption).remove(u' '));
        const int tag = entry.tag;
        connect(action, &QAction::triggered, this,
                [this, tag] { Handle([this, tag] { preview_.ExportMenuClick(tag); }); });
    }
    export_->setMenu(exportMenu);
    close_ = pushButton(preview_.CloseBtn);
    pageBox_ = new QSpinBox(this);
    pageBox_->setObjectName("SpinEdit1");
    pageBox_->setKeyboardTracking(false);
    auto* pageLabel = new QLabel(ToQt(preview_.SpinEdit1Label.caption), this);
    LabelFor(pageLabel, pageBox_);
    bar->addWidget(pageLabel);
    bar->addWidget(pageBox_);
    bar->addStretch();

    scrollBox_ = new QScrollArea(this);
    scrollBox_->setObjectName("ScrollBox");
    scrollBox_->setAccessibleName(ToQt(preview_.ScrollBoxName));
    page_ = new PageView(preview_, scrollBox_);
    scrollBox_->setWidget(page_);
    layout->addWidget(scrollBox_, 1);

    connect(margin_, &QToolButton::clicked, this,
            [this] { Handle([this] { preview_.MarginBtnClick(); }); });
    connect(grid_, &QToolButton::clicked, this,
            [this] { Handle([this] { preview_.GridBtnClick(); }); });
    connect(print_, &QPushButton::clicked, this,
            [this] { Handle([this] { preview_.PrintBtnClick(); }); });
    connect(close_, &QPushButton::clicked, this, &QDialog::close);
    connect(zoom_, &QComboBox::activated, this, [this](int index) {
        Handle([this, index] {
            preview_.Zoom.text = FromQt(zoom_->itemText(index));
            preview_.ZoomChange();
        });
    });
    connect(zoom_->lineEdit(), &QLineEdit::editingFinished, this, [this] { ZoomEntered(); });
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int value) {
        Handle([this, value] {
            preview_.SpinEdit1.value = value;
            preview_.SpinEdit1Change();
        });
    });

    // The form takes its first scale from the window's maximised size.
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        preview_.Width = area.width();
        preview_.Height = area.height();
        preview_.ScrollBoxWidth = area.width() - 20;
        preview_.ScreenPixelsPerInch = static_cast<int>(screen->logicalDotsPerInch());
        resize(area.size());
    }
    preview_.FormShow();
    setWindowState(Qt::WindowMaximized);
    Render();
}

PreviewWindow::~PreviewWindow() = default;

bool PreviewWindow::FormClosed() const
{
    return preview_.Closed;
}

void PreviewWindow::ZoomEntered()
{
    const std::string typed = FromQt(zoom_->currentText());
    if (typed == preview_.Zoom.text) {
        return;  // nothing new: the entry already applied, or the box left unchanged
    }
    Handle([this, typed] {
        preview_.Zoom.text = typed;
        preview_.ZoomChange();
    });
}

void PreviewWindow::Render()
{
    setWindowTitle(ToQt(preview_.Caption));
    margin_->setChecked(preview_.MarginBtn.checked);
    grid_->setChecked(preview_.GridBtn.checked);
    pages_->setText(ToQt(preview_.Pages.caption));
    quillmark::Render(zoom_, preview_.Zoom);
    print_->setEnabled(preview_.PrintBtn.enabled);
    quillmark::Render(pageBox_, preview_.SpinEdit1);
    pageBox_->setToolTip(ToQt(preview_.SpinEdit1Hint));
    page_->Fit(scrollBox_->viewport()->width());
}

void PreviewWindow::keyPressEvent(QKeyEvent* event)
{
    // Enter moves on to the next control, as in the rest of the window's boxes.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

void PreviewWindow::resizeEvent(QResizeEvent* event)
{
    FormDialog::resizeEvent(event);
    preview_.ScrollBoxWidth = scrollBox_->viewport()->width();
    preview_.FormResize();
    page_->Fit(scrollBox_->viewport()->width());
}

void PreviewWindow::closeEvent(QCloseEvent* event)
{
    preview_.CloseBtnClick();
    FormDialog::closeEvent(event);
}

}  // namespace quillmark
