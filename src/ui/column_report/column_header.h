#pragma once

#include "engine/reports/page_canvas.h"

#include <QHeaderView>

#include <array>
#include <functional>
#include <string>
#include <vector>

class QStandardItemModel;

namespace quillmark {

// The column header: a section per column, filled with its column's colour, captioned with
// its width on paper, resized by dragging and clicked to change its colour.
class ColumnHeader : public QHeaderView {
public:
    explicit ColumnHeader(QWidget* parent);

    struct Section {
        std::string caption;
        int width = 0;
    };
    // Shows the sections and colours, rebuilding only what differs.
    void Show(const std::vector<Section>& sections, const std::array<RgbColour, 10>& colours);
    // Told the header's own width whenever it changes.
    std::function<void(int)> widthChanged;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QStandardItemModel* model_;
    std::vector<Section> sections_;
    std::array<RgbColour, 10> colours_{};
};

}  // namespace quillmark
