#pragma once

#include "ui/form_window.h"

#include <atomic>
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
class AlbumWindow : public FormWindow {
public:
    explicit AlbumWindow(Workspace& workspace, QWidget* parent = nullptr);
    ~AlbumWindow() override;

    void Render() override;
    TAlbumView& Form() { return *album_; }

protected:
    void Activated() override;
    void Deactivated() override;
    // The picture printed and the maximised window have sizes of their own, not the user's.
    bool SizeIsTheUsers() const override;
    void changeEvent(QEvent* event) override;

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
    std::shared_ptr<std::atomic<bool>> redrawAsked_;
};

}  // namespace quillmark
