#include "ui/album/album_window.h"

#include "engine/pictures/bitmap.h"
#include "engine/pictures/thumbnails.h"
#include "forms/album/album_form.h"
#include "forms/workspace.h"
#include "ui/form_buttons.h"
#include "ui/render.h"
#include "ui/text.h"
#include "ui/view_tool_bar_buttons.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <thread>

namespace quillmark {

// The page of pictures: cells of the form's size, each drawn from the form's description.
class AlbumGrid : public QWidget {
public:
    AlbumGrid(TAlbumView& album, std::function<void(const std::function<void()>&)> handle,
              QWidget* parent)
        : QWidget(parent), album_(album), handle_(std::move(handle))
    {
        setObjectName("AlbumGrid");
        setMinimumSize(60, 60);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setAutoFillBackground(true);
        QPalette colours = palette();
        colours.setColor(QPalette::Window, colours.color(QPalette::Base));
        setPalette(colours);
    }

    // The cell under a point of the grid; false between cells or past the last.
    bool CellAt(const QPoint& point, int& column, int& row) const
    {
        const int pitchX = album_.CellWidth + 2;
        const int pitchY = album_.CellHeight + 2;
        column = point.x() / pitchX;
        row = point.y() / pitchY;
        return point.x() >= 0 && point.y() >= 0 && column < album_.Across && row < album_.Down;
    }
    QRect CellRectangle(int column, int row) const
    {
        return {column * (album_.CellWidth + 2) + 1, row * (album_.CellHeight + 2) + 1,
                album_.CellWidth, album_.CellHeight};
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        std::map<const Bitmap*, QPixmap> shown;
        for (int row = 0; row < album_.Down; ++row) {
            for (int column = 0; column < album_.Across; ++column) {
                const QRect cell = CellRectangle(column, row);
                painter.setPen(palette().color(QPalette::Mid));
                painter.drawRect(cell.adjusted(-1, -1, 0, 0));
                const AlbumCell drawn = album_.AlbumGridDrawCell(column, row);
                if (drawn.empty) {
                    continue;
                }
                painter.save();
                painter.setClipRect(cell);
                const QRect area(cell.left() + drawn.area.left, cell.top() + drawn.area.top,
                                 drawn.area.width, drawn.area.height);
                if (drawn.picture) {
                    painter.drawPixmap(area, Pixmap(drawn.picture));
                } else {
                    DrawPlaceholder(painter, area);
                }
                if (!drawn.label.empty()) {
                    painter.setPen(palette().color(QPalette::Text));
                    painter.drawText(QRect(cell.left() + 2, cell.top(), cell.width() - 4,
                                           TAlbumView::LabelHeight),
                                     Qt::AlignLeft | Qt::AlignVCenter, ToQt(drawn.label));
                }
                painter.restore();
                if (drawn.current) {
                    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
                    painter.drawRect(cell.adjusted(0, 0, -1, -1));
                }
            }
        }
    }

    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        handle_([this] { album_.FormResize(width(), height()); });
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        int column = 0;
        int row = 0;
        if (CellAt(event->position().toPoint(), column, row)) {
            const bool right = event->button() == Qt::RightButton;
            handle_([this, column, row, right] { album_.AlbumGridMouseDown(column, row, right); });
        }
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        int column = 0;
        int row = 0;
        if (event->button() == Qt::LeftButton && CellAt(event->position().toPoint(), column, row)) {
            handle_([this, column, row] { album_.AlbumGridDblClick(column, row); });
        }
    }

private:
    // A picture frame with a head and shoulders: no photograph here.
    static void DrawPlaceholder(QPainter& painter, const QRect& area)
    {
        if (area.width() <= 0 || area.height() <= 0) {
            return;
        }
        painter.fillRect(area, QColor(0xE4, 0xE6, 0xEA));
        painter.setPen(QColor(0xB0, 0xB4, 0xBC));
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xB0, 0xB4, 0xBC));
        const double w = area.width();
        const double h = area.height();
        painter.drawEllipse(
            QRectF(area.left() + w * 0.36, area.top() + h * 0.2, w * 0.28, h * 0.3));
        painter.drawChord(QRectF(area.left() + w * 0.2, area.top() + h * 0.56, w * 0.6, h * 0.7), 0,
                          180 * 16);
        painter.setBrush(Qt::NoBrush);
    }

    QPixmap Pixmap(const std::shared_ptr<const Bitmap>& bitmap)
    {
        // The same pictures are drawn again and again as others arrive.
        if (pixmaps_.size() > 400) {
            pixmaps_.clear();
        }
        auto found = pixmaps_.find(bitmap.get());
        if (found == pixmaps_.end() || found->second.first.lock() != bitmap) {
            QPixmap pixmap = ToPixmap(*bitmap);
            pixmaps_[bitmap.get()] = {bitmap, pixmap};
            return pixmap;
        }
        return found->second.second;
    }

    TAlbumView& album_;
    std::function<void(const std::function<void()>&)> handle_;
    std::map<const Bitmap*, std::pair<std::weak_ptr<const Bitmap>, QPixmap>> pixmaps_;
};

AlbumWindow::AlbumWindow(Workspace& workspace, QWidget* parent)
    : FormWindow(parent),
      thumbnails_(std::make_unique<ThumbnailCache>(
          static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u)))),
      album_(std::make_unique<TAlbumView>(workspace, *thumbnails_)),
      redrawAsked_(std::make_shared<std::atomic<bool>>(false))
{
    setObjectName("AlbumView");
    auto handle = [this](const std::function<void()>& handler) { Handle(handler); };
    actions_ = BuildViewToolBar(this, album_->Actions, handle);
    connect(actions_.at(&album_->Actions.PrintScreenTBtn), &QAction::triggered, this,
            [this] { Handle([this] { album_->PrintClick(); }); });

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    panel_ = BuildPanel();
    grid_ = new AlbumGrid(*album_, handle, central);
    layout->addWidget(panel_);
    layout->addWidget(grid_, 1);
    setCentralWidget(central);

    // Decoded pictures arrive on worker threads; one redraw is asked for however many come.
    QPointer<AlbumGrid> grid = grid_;
    std::shared_ptr<std::atomic<bool>> asked = redrawAsked_;
    thumbnails_->SetArrived([grid, asked] {
        if (!asked->exchange(true)) {
            QMetaObject::invokeMethod(
                grid,
                [grid, asked] {
                    asked->store(false);
                    if (grid) {
                        grid->update();
                    }
                },
                Qt::QueuedConnection);
        }
    });
    FollowFormSize(album_->Width, album_->Height);
    Render();
}

AlbumWindow::~AlbumWindow()
{
    // The workers finish before the grid they tell goes.
    thumbnails_->SetArrived({});
    album_.reset();
    thumbnails_.reset();
}

QWidget* AlbumWindow::BuildPanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName("ControlPanel");
    panel->setFixedWidth(155);
    pagenum_ = new QLabel(panel);
    pagenum_->setObjectName("pagenum");
    pagenum_->setAlignment(Qt::AlignCenter);
    size_ = new QLabel(panel);
    size_->setObjectName("Size");
    size_->setAlignment(Qt::AlignCenter);
    useLabel_ = new QCheckBox(panel);
    useLabel_->setObjectName("UseLabel");
    autoSize_ = new QCheckBox(panel);
    autoSize_->setObjectName("AutoSize");
    moreRows_ = FormIconButton("MoreRows", "go-up", album_->MoreRows, panel);
    lessRows_ = FormIconButton("LessRows", "go-down", album_->LessRows, panel);
    moreCols_ = FormIconButton("MoreCols", "go-next", album_->MoreCols, panel);
    lessCols_ = FormIconButton("LessCols", "go-previous", album_->LessCols, panel);
    fullScreen_ = FormIconButton("FullScreen", "view-fullscreen", album_->FullScreen, panel);
    for (QPushButton* arrow : {moreRows_, lessRows_, moreCols_, lessCols_, fullScreen_}) {
        arrow->setFixedSize(34, 30);
    }
    imageLabel_ = new QLabel(panel);
    image_ = new QComboBox(panel);
    image_->setObjectName("Image");
    LabelFor(imageLabel_, image_);
    previous_ = FormButton("Previous", album_->Previous, panel);
    next_ = FormButton("Next", album_->Next, panel);
    mode_ = FormButton("Mode", album_->Mode, panel);
    Bind(useLabel_, album_->UseLabel);
    Bind(autoSize_, album_->AutoSize);
    Bind(image_, album_->Image);

    // The two boxes change only how the cells are drawn.
    for (QCheckBox* box : {useLabel_, autoSize_}) {
        connect(box, &QCheckBox::clicked, this, [this] { grid_->update(); });
    }
    connect(image_, &QComboBox::activated, this,
            [this] { Handle([this] { album_->ImageChange(); }); });
    const std::vector<std::pair<QPushButton*, void (TAlbumView::*)()>> buttons = {
        {moreRows_, &TAlbumView::MoreRowsClick},
        {lessRows_, &TAlbumView::LessRowsClick},
        {moreCols_, &TAlbumView::MoreColsClick},
        {lessCols_, &TAlbumView::LessColsClick},
        {fullScreen_, &TAlbumView::FullScreenClick},
        {previous_, &TAlbumView::PreviousClick},
        {next_, &TAlbumView::NextClick},
        {mode_, &TAlbumView::ModeClick},
    };
    for (const auto& [button, handler] : buttons) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { Handle([this, handler] { (album_.get()->*handler)(); }); });
    }

    auto* cross = new QGridLayout;
    cross->setSpacing(2);
    cross->addWidget(moreRows_, 0, 1);
    cross->addWidget(lessCols_, 1, 0);
    cross->addWidget(fullScreen_, 1, 1);
    cross->addWidget(moreCols_, 1, 2);
    cross->addWidget(lessRows_, 2, 1);
    auto* pages = new QHBoxLayout;
    pages->addWidget(previous_);
    pages->addWidget(next_);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    layout->addWidget(pagenum_);
    layout->addWidget(size_);
    layout->addLayout(cross);
    layout->addWidget(useLabel_);
    layout->addWidget(autoSize_);
    layout->addWidget(imageLabel_);
    layout->addWidget(image_);
    layout->addLayout(pages);
    layout->addWidget(mode_);
    layout->addStretch();
    return panel;
}

void AlbumWindow::Activated()
{
    album_->FormActivate();
}

void AlbumWindow::Deactivated()
{
    album_->FormDeactivate();
}

void AlbumWindow::Render()
{
    const QString title = ToQt(album_->Caption);
    if (windowTitle() != title) {
        setWindowTitle(title);
    }
    if (album_->Maximized != isMaximized()) {
        album_->Maximized ? showMaximized() : showNormal();
    }
    if (panel_->isVisible() != album_->ControlPanelVisible && isVisible()) {
        panel_->setVisible(album_->ControlPanelVisible);
    }
    if (!isMaximized() && ApplyFormSize() && album_->Printing) {
        // The picture is taken at once: the new layout must be in place before it.
        centralWidget()->layout()->activate();
    }
    quillmark::Render(pagenum_, album_->pagenum);
    quillmark::Render(size_, album_->Size);
    quillmark::Render(useLabel_, album_->UseLabel);
    quillmark::Render(autoSize_, album_->AutoSize);
    quillmark::Render(imageLabel_, album_->ImageLabel);
    quillmark::Render(image_, album_->Image);
    quillmark::Render(previous_, album_->Previous);
    quillmark::Render(next_, album_->Next);
    quillmark::Render(mode_, album_->Mode);
    for (const auto& [control, action] : actions_) {
        quillmark::Render(action, *control);
    }
    grid_->update();
}

bool AlbumWindow::SizeIsTheUsers() const
{
    return !album_->Printing && !isMaximized();
}

void AlbumWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        album_->Maximized = isMaximized();
    }
}

}  // namespace quillmark
