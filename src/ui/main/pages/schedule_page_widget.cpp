#include "ui/main/pages/schedule_page_widget.h"

#include "forms/main/view_form.h"
#include "ui/form_buttons.h"
#include "ui/main/pages/page_scroll_area.h"
#include "ui/main/pages/time_bar.h"
#include "ui/render.h"
#include "ui/text.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace quillmark {

namespace {

// A day's start or end times: as wide as a time and tall enough for a day's ten slots, both
// without scroll bars, and stretched when there is more room.
class TimeList : public QPlainTextEdit {
public:
    TimeList(const char* name, QWidget* parent) : QPlainTextEdit(parent)
    {
        setObjectName(name);
        setReadOnly(true);
        setLineWrapMode(QPlainTextEdit::NoWrap);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }

    QSize sizeHint() const override
    {
        constexpr int SlotsPerDay = 10;
        const QFontMetrics metrics(font());
        const int margins = 2 * (frameWidth() + static_cast<int>(document()->documentMargin()));
        return {metrics.horizontalAdvance(QStringLiteral("00:00")) + margins + 2,
                metrics.lineSpacing() * SlotsPerDay + margins};
    }
    QSize minimumSizeHint() const override { return {sizeHint().width(), sizeHint().height() / 2}; }
};

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
    for (int day = 1; day <= 7; ++day) {
        QRadioButton* button = new QRadioButton(this);
        button->setObjectName(SchedulePage::DayButtonName(day));
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
        [this](TimeBarKey key, bool shift) {
            bool handled = false;
            Handle([&] { handled = view_.Schedule.TimeBar1KeyDown(key, shift); });
            return handled;
        },
        this);
    timeBar_->setObjectName("TimeBar1");
    earlier_ = FormButton("Button2", page.Button2, this);
    earlier_->setFixedWidth(32);
    later_ = FormButton("Button3", page.Button3, this);
    later_->setFixedWidth(32);
    connect(earlier_, &QPushButton::clicked, this,
            [this] { Handle([this] { view_.Schedule.Button2Click(); }); });
    connect(later_, &QPushButton::clicked, this,
            [this] { Handle([this] { view_.Schedule.Button3Click(); }); });
    setTabOrder(earlier_, timeBar_);  // from left to right, as they are shown
    setTabOrder(timeBar_, later_);
    auto* barRow = new QHBoxLayout;
    barRow->addWidget(earlier_);
    barRow->addWidget(timeBar_, 1);
    barRow->addWidget(later_);

    // The fourteen lists, each day's two under its name and their headings, share the width;
    // they scroll sideways only when the window is made narrower than they need.
    auto* listPanel = new QWidget;
    auto* lists = new QGridLayout(listPanel);
    lists->setContentsMargins(0, 0, 0, 0);
    lists->setHorizontalSpacing(6);
    for (int day = 1; day <= 7; ++day) {
        const int column = (day - 1) * 2;
        auto* name = new QLabel(ToQt(SchedulePage::DayName(day)), listPanel);
        auto* start = new QLabel(listPanel);
        start->setObjectName(QLatin1StringView(SchedulePage::StartListName(day)) +
                             QStringLiteral("Heading"));
        auto* end = new QLabel(listPanel);
        end->setObjectName(QLatin1StringView(SchedulePage::EndListName(day)) +
                           QStringLiteral("Heading"));
        headings_.push_back({start, end});
        startLists_[day - 1] = new TimeList(SchedulePage::StartListName(day), listPanel);
        endLists_[day - 1] = new TimeList(SchedulePage::EndListName(day), listPanel);
        lists->addWidget(name, 0, column, 1, 2, Qt::AlignHCenter);
        lists->addWidget(start, 1, column, Qt::AlignHCenter);
        lists->addWidget(end, 1, column + 1, Qt::AlignHCenter);
        lists->addWidget(startLists_[day - 1], 2, column);
        lists->addWidget(endLists_[day - 1], 2, column + 1);
    }
    lists->setRowStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(days);
    layout->addWidget(dayLabel_);
    layout->addLayout(barRow);
    auto* scroll = new PageScrollArea(listPanel, this);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(scroll, 1);
}

void SchedulePageWidget::Render()
{
    const SchedulePage& page = view_.Schedule;
    for (const auto& [start, end] : headings_) {
        quillmark::Render(start, page.StartHeading);
        quillmark::Render(end, page.EndHeading);
    }
    // Each list is named by its day and its heading, as a sighted user reads them.
    for (int day = 1; day <= 7; ++day) {
        const QString name = ToQt(SchedulePage::DayName(day));
        startLists_[day - 1]->setAccessibleName(name + QStringLiteral(" ") +
                                                ToQt(page.StartHeading.caption));
        endLists_[day - 1]->setAccessibleName(name + QStringLiteral(" ") +
                                              ToQt(page.EndHeading.caption));
    }
    for (int day = 1; day <= 7; ++day) {
        quillmark::Render(dayButtons_[day - 1], page.DayButtons[day]);
        RenderLines(startLists_[day - 1], page.Days[day].Start);
        RenderLines(endLists_[day - 1], page.Days[day].End);
    }
    quillmark::Render(dayLabel_, page.Day);
    timeBar_->setEnabled(page.TimeBar1.enabled);
    timeBar_->setToolTip(ToQt(page.TimeBar1.hint));
    const QString barName = ToQt(page.TimeBarName.caption);
    if (timeBar_->accessibleName() != barName) {
        timeBar_->setAccessibleName(barName);
    }
    const QString barDescription = ToQt(page.TimeBarDescription());
    if (timeBar_->accessibleDescription() != barDescription) {
        timeBar_->setAccessibleDescription(barDescription);
    }
    timeBar_->update();
    quillmark::Render(earlier_, page.Button2);
    quillmark::Render(later_, page.Button3);
}

}  // namespace quillmark
