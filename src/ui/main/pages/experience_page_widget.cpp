#include "ui/main/pages/experience_page_widget.h"

#include "forms/main/view_form.h"
#include "ui/form_buttons.h"
#include "ui/popup_menu.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quillmark {

ExperiencePageWidget::ExperiencePageWidget(TView& view, std::function<void()> afterHandler)
    : PageWidget(view, std::move(afterHandler))
{
    grid_ = new QTableWidget(this);
    grid_->setObjectName("DirGrid");
    grid_->setAccessibleName(ToQt(TView::PageCaptions[TView::ExperienceTab]));
    grid_->horizontalHeader()->setDefaultSectionSize(180);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 8);
    printButton_ = FormButton("PrintDirectoryBtn", view_.Experience.PrintDirectoryBtn, this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(printButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(buttons);

    connect(printButton_, &QPushButton::clicked, this, [this] {
        const std::vector<MenuItemControl>& menu = view_.Experience.PrintMenu;
        if (const auto chosen = PopUpBelow(printButton_, QStringLiteral("PrintMenu"), menu,
                                           QStringLiteral("PrintMenu"))) {
            const int entry = menu[*chosen].tag;
            Handle([this, entry] { view_.PrintMenuClick(entry); });
        }
    });

    // Table row r shows the table's row r + 1: row 0 is the header above the columns.
    connect(grid_, &QTableWidget::cellChanged, this, [this](int row, int column) {
        const QTableWidgetItem* item = grid_->item(row, column);
        view_.Experience.DirGrid.SetCell(column, row + 1,
                                         item != nullptr ? FromQt(item->text()) : std::string());
    });
}

void ExperiencePageWidget::Render()
{
    const ExperiencePage& page = view_.Experience;
    const ExperienceTable& table = page.DirGrid;
    const QSignalBlocker blocker(grid_);
    if (grid_->columnCount() != table.ColumnCount() || grid_->rowCount() != table.RowCount() - 1) {
        grid_->setColumnCount(table.ColumnCount());
        grid_->setRowCount(std::max(table.RowCount() - 1, 0));
    }
    for (int column = 0; column < table.ColumnCount(); ++column) {
        const QString header = ToQt(table.Cell(column, 0));
        QTableWidgetItem* headerItem = grid_->horizontalHeaderItem(column);
        if (headerItem == nullptr) {
            grid_->setHorizontalHeaderItem(column, new QTableWidgetItem(header));
        } else if (headerItem->text() != header) {
            headerItem->setText(header);
        }
    }
    for (int row = 1; row < table.RowCount(); ++row) {
        for (int column = 0; column < table.ColumnCount(); ++column) {
            const QString text = ToQt(table.Cell(column, row));
            QTableWidgetItem* item = grid_->item(row - 1, column);
            if (item == nullptr) {
                if (!text.isEmpty()) {
                    grid_->setItem(row - 1, column, new QTableWidgetItem(text));
                }
            } else if (item->text() != text) {
                item->setText(text);
            }
        }
    }
    grid_->setEditTriggers(
        page.editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked
                      : QAbstractItemView::NoEditTriggers);
    quillmark::Render(printButton_, page.PrintDirectoryBtn);
}

}  // namespace quillmark
