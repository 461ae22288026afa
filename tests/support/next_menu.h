#pragma once

// For the Qt window tests only: they link Qt Test.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QtTest>

namespace quillmark::test {

// Clicks the entry of the menu that pops up next, once it is up.
inline void PickFromNextMenu(const QString& caption)
{
    QTimer::singleShot(0, [caption] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text() == caption) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                return;
            }
        }
        menu->close();
        QFAIL(qPrintable(QStringLiteral("no entry ") + caption));
    });
}

}  // namespace quillmark::test
