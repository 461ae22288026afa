// The album window built for real: a page of records drawn, paged and picked with the mouse,
// the pictures arriving from the worker threads.

#include "ui/album/album_window.h"
#include "forms/album/album_form.h"
#include "support/fake_services.h"
#include "support/picture_files.h"
#include "support/test_helpers.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace quillmark {

class AlbumWindowTest : public QObject {
    Q_OBJECT

private slots:
    void PagesArePagedPicturesArriveACellIsPickedAndNineByNineFits();
};

void AlbumWindowTest::PagesArePagedPicturesArriveACellIsPickedAndNineByNineFits()
{
    test::Session session;
    session.Start();
    const test::TemporaryFolder folder;
    test::WriteFileBytes(folder.File("tiny.bmp"), test::TinyBmp());
    ItemRecordList& records = session.workspace.RecordList();
    records.clear();
    for (int number = 1; number <= 10; ++number) {
        records.push_back(std::make_shared<ItemRecord>());
        records.back()->RecordName = "Name " + std::to_string(number);
        records.back()->Images[1].ImageFile = folder.File("tiny.bmp");
    }
    session.workspace.CurrentIndex = 0;

    AlbumWindow window(session.workspace);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.Handle([&window] { window.Form().FormActivate(); });
    QCOMPARE(window.windowTitle(), QStringLiteral("Album View (All Records)"));
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("pagenum"))->text(),
             QStringLiteral("Page 1 of 2"));

    auto* next = window.findChild<QPushButton*>(QStringLiteral("Next"));
    QVERIFY(next->isEnabled());
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("pagenum"))->text(),
             QStringLiteral("Page 2 of 2"));
    QVERIFY(!next->isEnabled());
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("LessRows")), Qt::LeftButton);
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Size"))->text(), QStringLiteral("2 X 3"));

    // The picture of record 7, first on the page, arrives from a worker and is drawn.
    QTRY_VERIFY(window.Form().AlbumGridDrawCell(0, 0).picture != nullptr);
    QWidget* grid = window.findChild<QWidget*>(QStringLiteral("AlbumGrid"));
    const QImage drawn = grid->grab().toImage();
    QCOMPARE(drawn.pixelColor(1, 1), QColor(255, 0, 0));  // the tiny picture's red corner

    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(window.Form().CellWidth + 10, 5));
    QCOMPARE(session.workspace.CurrentIndex, 7);
    QVERIFY(session.dialogs.Messages.empty());

    // At its most, nine by nine, every cell is whole at any size.
    for (int click = 0; click < 8; ++click) {
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("MoreRows")),
                          Qt::LeftButton);
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("MoreCols")),
                          Qt::LeftButton);
    }
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Size"))->text(), QStringLiteral("9 X 9"));

    // Sizes whose ninths fall on every fraction of a pixel; each cell and the line after it
    // take CellWidth + 2 pixels.
    const TAlbumView& album = window.Form();
    for (int step = 0; step < 10; ++step) {
        window.resize(600 + step, 460 + step);
        QTRY_COMPARE(album.GridWidth, grid->width());
        QCOMPARE(album.GridHeight, grid->height());
        QVERIFY2(9 * (album.CellWidth + 2) <= grid->width(), qPrintable(QString::number(step)));
        QVERIFY2(9 * (album.CellHeight + 2) <= grid->height(), qPrintable(QString::number(step)));
        QVERIFY(album.CellWidth + 2 > grid->width() / 9 - 1);  // and no more room than that
    }
}

}  // namespace quillmark

QTEST_MAIN(quillmark::AlbumWindowTest)
#include "album_window_test.moc"
