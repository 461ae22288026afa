// The "Picture" page of the real main window on the offscreen platform: pictures read from
// files the test writes, and the open dialog that lists them.

#include "forms/main/pages/picture_page.h"
#include "forms/main/view_form.h"
#include "support/fake_services.h"
#include "support/picture_files.h"
#include "ui/main/main_window.h"
#include "ui/qt_services.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace quillmark {

class PicturePageTest : public QObject {
    Q_OBJECT

private slots:
    void PictureIsShownAtItsSizeOrStretchedAndAMissingOneReported()
    {
        test::Session session;
        MainWindow window(session.workspace);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto show = [&](const QString& path) {
            session.Record(0).Images[1].ImageFile = path.toStdString();
            window.Handle([&] { session.view.GetRecord(0); });
            window.findChild<QTabWidget*>("RecordBook")->setCurrentIndex(TView::PictureTab);
        };
        auto* picture = window.findChild<QLabel*>("RecordImage");
        auto* status = window.findChild<QLabel*>("PicStat");
        show(Write("ann.bmp", test::TinyBmp()));
        QVERIFY(picture->isVisible() && !status->isVisible());
        QCOMPARE(picture->pixmap().size(), QSize(3, 2));
        QCOMPARE(picture->pixmap().toImage().pixelColor(2, 0), QColor(Qt::blue));
        QVERIFY(!picture->hasScaledContents());
        QTest::mouseClick(window.findChild<QCheckBox*>("AutoSizeImage"), Qt::LeftButton);
        QVERIFY(picture->hasScaledContents());
        QTest::mouseClick(window.findChild<QPushButton*>("ClearPictureBtn"), Qt::LeftButton);
        QVERIFY(!picture->isVisible());

        show(folder_.filePath("gone.jpg"));
        QVERIFY(status->isVisible() && !picture->isVisible());
        QCOMPARE(status->text(), QString("Image File is Not Valid"));
        QVERIFY(session.dialogs.Problems.empty());
    }

    void OpenDialogListsExtensionsInAnyCase()
    {
        Write("photo.GIF", test::TinyGif());
        Write("scan.pcx", test::TinyPcx());
        Write("notes.txt", "text");
        QFileDialog dialog;
        FileDialogRequest request{"Open", PicturePage::PictureFilter, ""};
        request.initialFile = folder_.filePath("scan.pcx").toStdString();
        SetUpOpenFileDialog(dialog, request);
        dialog.selectNameFilter("GIF Bitmap (*.gif)");
        dialog.show();
        QCOMPARE(dialog.directory().absolutePath(), QDir(folder_.path()).absolutePath());

        auto* model = dialog.findChild<QFileSystemModel*>();
        QVERIFY(model != nullptr);
        auto listed = [model, this] {
            QStringList names;
            const QModelIndex folder = model->index(folder_.path());
            for (int row = 0; row < model->rowCount(folder); ++row) {
                names.append(model->index(row, 0, folder).data().toString());
            }
            return names;
        };
        QTRY_COMPARE(listed(), QStringList{"photo.GIF"});
        dialog.selectNameFilter("PCX Bitmap (*.pcx)");
        QTRY_COMPARE(listed(), QStringList{"scan.pcx"});
    }

private:
    QString Write(const QString& name, const std::string& bytes)
    {
        QFile file(folder_.filePath(name));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        }
        return file.fileName();
    }

    QTemporaryDir folder_;
};

}  // namespace quillmark

QTEST_MAIN(quillmark::PicturePageTest)
#include "picture_page_widget_test.moc"
