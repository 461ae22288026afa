#include "ui/main/pages/time_bar_accessible.h"

#include "ui/main/pages/time_bar.h"
#include "ui/text.h"

#include <QAccessibleWidget>
#include <QPointer>

#include <array>

namespace quillmark {

namespace {

// One hour of the bar.
class HourAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    HourAccessible(TimeBar* bar, int cell) : bar_(bar), cell_(cell) {}

    bool isValid() const override { return !bar_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override
    {
        return isValid() ? Bar()->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(bar_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name && isValid() ? ToQt(Bar()->State().CellName(cell_))
                                                      : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid()) {
            return {};
        }
        const QRect cell = Bar()->CellRect(cell_);
        return {Bar()->mapToGlobal(cell.topLeft()), cell.size()};
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.selectable = true;
        state.focusable = true;
        state.selected = Bar()->State().CellSelected(cell_);
        state.focused = Bar()->hasFocus() && Bar()->State().FocusCell == cell_;
        state.disabled = !Bar()->isEnabled();
        state.invisible = !Bar()->isVisible();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    // Pressing an hour adds it to the day, as a click on it does.
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && isValid()) {
            Bar()->AddCell(cell_);
        }
    }
    QStringList keyBindingsForAction(const QString& action) const override
    {
        return action == pressAction() ? QStringList{QStringLiteral("Space")} : QStringList{};
    }

private:
    TimeBar* Bar() const { return bar_.data(); }

    QPointer<TimeBar> bar_;
    int cell_;
};

class TimeBarAccessible : public QAccessibleWidget {
public:
    explicit TimeBarAccessible(TimeBar* bar) : QAccessibleWidget(bar, QAccessible::List) {}
    ~TimeBarAccessible() override
    {
        for (const QAccessible::Id id : hours_) {
            if (id != 0) {
                QAccessible::deleteAccessibleInterface(id);
            }
        }
    }

    int childCount() const override { return TimeBarState::HoursShown; }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= TimeBarState::HoursShown) {
            return nullptr;
        }
        QAccessible::Id& id = hours_[static_cast<std::size_t>(index)];
        if (id == 0) {
            id = QAccessible::registerAccessibleInterface(new HourAccessible(Bar(), index));
        }
        return QAccessible::accessibleInterface(id);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int index = 0; index < TimeBarState::HoursShown; ++index) {
            const QAccessible::Id id = hours_[static_cast<std::size_t>(index)];
            if (id != 0 && QAccessible::accessibleInterface(id) == child) {
                return index;
            }
        }
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const QPoint point = Bar()->mapFromGlobal(QPoint(x, y));
        for (int index = 0; index < TimeBarState::HoursShown; ++index) {
            if (Bar()->CellRect(index).contains(point)) {
                return child(index);
            }
        }
        return nullptr;
    }

    QAccessibleInterface* focusChild() const override
    {
        return Bar()->hasFocus() ? child(Bar()->State().FocusCell) : nullptr;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.multiSelectable = true;
        return state;
    }

private:
    TimeBar* Bar() const { return static_cast<TimeBar*>(widget()); }

    mutable std::array<QAccessible::Id, TimeBarState::HoursShown> hours_{};
};

QAccessibleInterface* TimeBarFactory(const QString& className, QObject* object)
{
    // The bar has no meta-object of its own: it is asked about as a QWidget.
    if (className == QLatin1String("QWidget")) {
        if (auto* bar = dynamic_cast<TimeBar*>(object)) {
            return new TimeBarAccessible(bar);
        }
    }
    return nullptr;
}

}  // namespace

void InstallTimeBarAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(TimeBarFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace quillmark
