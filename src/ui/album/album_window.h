#pragma once

#include <QMainWindow>

#include <atomic>
#include <functional>
#include <map>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace quillmark {

class AlbumGrid;
class TAlbumView;
class ThumbnailCache;
class Workspace;
struct ActionControl;

// The album window: renders the TAlbumView form and hands every event to it. Pictures are
// decoded on worker threads; the grid is drawn again as they arrive.
class AlbumWindow : public QMainWindow {
public:
    explicit AlbumWindow(Workspace& workspace, QWidget* parent = nullptr);
    ~AlbumWindow() override;

    // Runs a form handler and shows what it changed.
    void Handle(const std::function<void()>& handler);
    void Render();
    TAlbumView& Form() { return *album_; }

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* BuildPanel();

    std::unique_ptr<ThumbnailCache> thumbnails_;
    std::unique_ptr<TAlbumView> album_;
    std::map<const ActionControl*, QAction*> actions_;
    QWidget* panel_ = nullptr;
    AlbumGrid* grid_ = nullptr;
    QLabel* pagenum_ = nullptr;
    QLabel* size_ = nullptr;
    QCheckBox* useLabel_ = nullptr;
    QCheckBox* autoSize_ = nullptr;
    QPushButton* moreRows_ = nullptr;
    QPushButton* lessRows_ = nullptr;
    QPushButton* moreCols_ = nullptr;
    QPushButton* lessCols_ = nullptr;
    QPushButton* fullScreen_ = nullptr;
    QLabel* imageLabel_ = nullptr;
    QComboBox* image_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* mode_ = nullptr;
    bool active_ = false;
    QSize appliedSize_;
    std::shared_ptr<std::atomic<bool>> redrawAsked_;
};

}  // namespace quillmark
