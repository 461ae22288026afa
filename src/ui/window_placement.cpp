#include "ui/window_placement.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace quillmark {

namespace {

// Commands run one inside another (a modal window's command inside the one that opened it):
// the innermost is the one asking.
std::vector<QPointer<QWidget>>& RunningCommands()
{
    static std::vector<QPointer<QWidget>> commands;
    return commands;
}

}  // namespace

CommandWindow::CommandWindow(QWidget* window)
{
    RunningCommands().emplace_back(window != nullptr ? window->window() : nullptr);
}

CommandWindow::~CommandWindow()
{
    RunningCommands().pop_back();
}

QWidget* AskingWindow(QWidget* owner)
{
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    const std::vector<QPointer<QWidget>>& commands = RunningCommands();
    for (auto command = commands.rbegin(); command != commands.rend(); ++command) {
        if (!command->isNull() && (*command)->isVisible()) {
            return command->data();
        }
    }
    QWidget* active = QApplication::activeWindow();
    if (active != nullptr && active->isVisible() && active->windowType() != Qt::Popup &&
        active->windowType() != Qt::ToolTip) {
        return active;
    }
    return owner;
}

void KeepAbove(QWidget* window, const QWidget* owner)
{
    const bool onTop =
        owner != nullptr && owner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop) {
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    }
}

int WidthForTitle(const QWidget& window)
{
    constexpr int TitleBarButtons = 160;
    QFont titleFont = window.font();
    titleFont.setBold(true);
    return QFontMetrics(titleFont).horizontalAdvance(window.windowTitle()) + TitleBarButtons;
}

void PlaceOver(QWidget* window, const QWidget* owner)
{
    const QWidget* ownerWindow = owner != nullptr ? owner->window() : nullptr;
    QScreen* screen = ownerWindow != nullptr ? ownerWindow->screen() : window->screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    // The frame a window manager adds is known only once a window is shown: the owner's
    // stands in for it.
    QMargins frame;
    if (ownerWindow != nullptr && ownerWindow->isVisible()) {
        const QRect outer = ownerWindow->frameGeometry();
        const QRect inner = ownerWindow->geometry();
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    }
    const QSize room = available.size().shrunkBy(frame);
    if (window->width() > room.width() || window->height() > room.height()) {
        window->resize(window->size().boundedTo(room));
    }
    QRect outer(QPoint(), window->size().grownBy(frame));
    outer.moveCenter(ownerWindow != nullptr && ownerWindow->isVisible()
                         ? ownerWindow->frameGeometry().center()
                         : available.center());
    const int x = std::clamp(outer.left(), available.left(),
                             std::max(available.left(), available.right() + 1 - outer.width()));
    const int y = std::clamp(outer.top(), available.top(),
                             std::max(available.top(), available.bottom() + 1 - outer.height()));
    window->move(x, y);
}

}  // namespace quillmark
