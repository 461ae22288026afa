#include "ui/main/pages/schedule_page_widget.h"

#include "forms/main/view_form.h"
#include "ui/main/pages/time_bar.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace quillmark {

namespace {

QPlainTextEdit* TimeList(const char* name, QWidget* parent)
{
    auto* list = new QPlainTextEdit(parent);
    list->setObjectName(name);
    list->setReadOnly(true);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    list->setMinimumWidth(56);
    return list;
}

void RenderLines(QPlainTextEdit* list, const std::vector<std::string>& lines)
{
    const QString text = LinesToQt(lines);
    if (list->toPlainText() != text) {
        list->setPlainText(text);
    }
}

}  // namespace

SchedulePageWidget::SchedulePageWidget(TView& view, std::function<void()> afterHandler)
    : PageWidget(view, std::move(afterHandler))
{
    SchedulePage& page = view_.Schedule;
    auto* days = new QHBoxLayout;
    // No day is chosen at first, so the buttons are exclusive by the form's rule, not Qt's.
    for (int day = 1; day <= 7; ++day) {
        QRadioButton* button = new QRadioButton(this);
        button->setObjectName(SchedulePage::DayButtonName(day));
        button->setAutoExclusive(false);
        dayButtons_[day - 1] = button;
        days->addWidget(button);
        connect(button, &QRadioButton::clicked, this,
                [this, day] { Handle([this, day] { view_.DayClick(day); }); });
    }
    days->addStretch();

    dayLabel_ = new QLabel(this);
    dayLabel_->setObjectName("Day");
    timeBar_ = new TimeBar(
        page.TimeBar1,
        [this](MouseButton button) {
            Handle([this, button] { view_.Schedule.TimeBar1MouseUp(button); });
        },
        this);
    timeBar_->setObjectName("TimeBar1");
    earlier_ = new QPushButton(this);
    earlier_->setObjectName("Button2");
    earlier_->setFixedWidth(32);
    later_ = new QPushButton(this);
    later_->setObjectName("Button3");
    later_->setFixedWidth(32);
    connect(earlier_, &QPushButton::clicked, this,
            [this] { Handle([this] { view_.Schedule.Button2Click(); }); });
    connect(later_, &QPushButton::clicked, this,
            [this] { Handle([this] { view_.Schedule.Button3Click(); }); });
    auto* barRow = new QHBoxLayout;
    barRow->addWidget(earlier_);
    barRow->addWidget(timeBar_, 1);
    barRow->addWidget(later_);

    // The fourteen lists scroll sideways when the window is narrow.
    auto* listPanel = new QWidget;
    auto* lists = new QGridLayout(listPanel);
    lists->setContentsMargins(0, 0, 0, 0);
    for (int day = 1; day <= 7; ++day) {
        auto* name = new QLabel(SchedulePage::DayName(day), listPanel);
        startLists_[day - 1] = TimeList(SchedulePage::StartListName(day), listPanel);
        endLists_[day - 1] = TimeList(SchedulePage::EndListName(day), listPanel);
        lists->addWidget(name, 0, (day - 1) * 2, 1, 2, Qt::AlignHCenter);
        lists->addWidget(startLists_[day - 1], 1, (day - 1) * 2);
        lists->addWidget(endLists_[day - 1], 1, (day - 1) * 2 + 1);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(days);
    layout->addWidget(dayLabel_);
    layout->addLayout(barRow);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(listPanel);
    layout->addWidget(scroll, 1);
}

void SchedulePageWidget::Render()
{
    const SchedulePage& page = view_.Schedule;
    for (int day = 1; day <= 7; ++day) {
        quillmark::Render(dayButtons_[day - 1], page.DayButtons[day]);
        RenderLines(startLists_[day - 1], page.Days[day].Start);
        RenderLines(endLists_[day - 1], page.Days[day].End);
    }
    quillmark::Render(dayLabel_, page.Day);
    timeBar_->setEnabled(page.TimeBar1.enabled);
    timeBar_->setToolTip(ToQt(page.TimeBar1.hint));
    timeBar_->update();
    quillmark::Render(earlier_, page.Button2);
    quillmark::Render(later_, page.Button3);
}

}  // namespace quillmark
