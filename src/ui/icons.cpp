#include "ui/icons.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPixmap>

namespace quillmark {

namespace {

// A glyph and a colour for each icon the program asks for.
struct StandIn {
    QString glyph;
    QColor colour;
};

StandIn StandInFor(const QString& name)
{
    static const QHash<QString, StandIn> standIns = {
        {"go-previous", {QString::fromUtf8("\u25C0"), QColor(40, 100, 180)}},
        {"go-next", {QString::fromUtf8("\u25B6"), QColor(40, 100, 180)}},
        {"go-up", {QString::fromUtf8("\u25B2"), QColor(30, 140, 90)}},
        {"go-down", {QString::fromUtf8("\u25BC"), QColor(30, 140, 90)}},
        {"go-home", {QString::fromUtf8("\u2302"), QColor(90, 90, 90)}},
        {"document-new", {"+", QColor(30, 140, 90)}},
        {"edit-copy", {QString::fromUtf8("\u2750"), QColor(90, 90, 160)}},
        {"edit-delete", {QString::fromUtf8("\u2715"), QColor(190, 50, 40)}},
        {"edit-paste", {QString::fromUtf8("\u2193"), QColor(90, 90, 160)}},
        {"view-sort-ascending", {"AZ", QColor(120, 80, 30)}},
        {"edit-find", {"=", QColor(120, 80, 30)}},
        {"document-print", {"P", QColor(60, 60, 60)}},
        {"system-search", {"?", QColor(40, 100, 180)}},
        {"image-x-generic", {QString::fromUtf8("\u25A3"), QColor(160, 90, 30)}},
        {"x-office-presentation", {QString::fromUtf8("\u2587"), QColor(30, 120, 160)}},
        {"x-office-spreadsheet", {QString::fromUtf8("\u25A6"), QColor(30, 140, 90)}},
        {"x-office-document", {QString::fromUtf8("\u2261"), QColor(60, 60, 140)}},
        {"accessories-calculator", {QString::fromUtf8("\u00B1"), QColor(60, 60, 60)}},
        {"x-office-calendar", {"31", QColor(190, 50, 40)}},
        {"media-optical-audio", {QString::fromUtf8("\u25CE"), QColor(100, 60, 140)}},
        {"document-save", {QString::fromUtf8("\u2913"), QColor(40, 100, 180)}},
        {"help-contents", {"?", QColor(30, 140, 90)}},
        {"application-exit", {QString::fromUtf8("\u21E5"), QColor(190, 50, 40)}},
        {"window-close", {QString::fromUtf8("\u2715"), QColor(90, 90, 90)}},
        {"document-save-as", {QString::fromUtf8("\u21A7"), QColor(30, 140, 90)}},
        {"view-fullscreen", {QString::fromUtf8("\u2922"), QColor(90, 90, 90)}},
        {"media-playback-start", {QString::fromUtf8("\u25B6"), QColor(30, 140, 90)}},
        {"media-playback-pause", {QString::fromUtf8("\u2016"), QColor(160, 120, 20)}},
        {"media-playback-stop", {QString::fromUtf8("\u25A0"), QColor(190, 50, 40)}},
        {"media-skip-forward", {QString::fromUtf8("\u21E5"), QColor(40, 100, 180)}},
        {"media-skip-backward", {QString::fromUtf8("\u21E4"), QColor(40, 100, 180)}},
        {"media-eject", {QString::fromUtf8("\u23CF"), QColor(90, 90, 90)}},
    };
    return standIns.value(name, StandIn{name.left(1).toUpper(), QColor(90, 90, 90)});
}

QIcon DrawnIcon(const QString& name)
{
    const StandIn standIn = StandInFor(name);
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(standIn.glyph.size() > 1 ? size * 9 / 16 : size * 13 / 16);
        painter.setFont(font);
        painter.setPen(standIn.colour);
        painter.drawText(pixmap.rect(), Qt::AlignCenter, standIn.glyph);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QIcon ToolIcon(const QString& themeName)
{
    if (QIcon::hasThemeIcon(themeName)) {
        return QIcon::fromTheme(themeName);
    }
    return DrawnIcon(themeName);
}

}  // namespace quillmark
