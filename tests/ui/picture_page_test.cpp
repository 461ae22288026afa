// The "Picture" page of the real main window on the offscreen platform: pictures read from
// files the test writes, and the open dialog that lists them.

#include "app/fake_services.h"
#include "app/picture_files.h"
#include "app/picture_page.h"
#include "app/view_form.h"
#include "ui/main_window.h"
#include "ui/qt_services.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace quillmark {

class PicturePageTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void RecordsPictureIsShownAtItsSizeOrStretched();
    void MissingFileIsReported();
    void OpenDialogListsExtensionsInAnyCase();

private:
    template <typename T>
    T* Find(const char* name)
    {
        T* found = window_->findChild<T*>(name);
        if (found == nullptr) {
            qWarning("no %s named %s", T::staticMetaObject.className(), name);
        }
        return found;
    }
    QString Write(const QString& name, const std::string& bytes)
    {
        const QString path = folder_.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        }
        return path;
    }
    // The first record's picture 1 is the file, shown on the picture page.
    void ShowPicture(const QString& path)
    {
        session_->Record(0).Images[1].ImageFile = path.toStdString();
        window_->Handle([this] { session_->view.GetRecord(0); });
        Find<QTabWidget>("RecordBook")->setCurrentIndex(TView::PictureTab);
    }

    QTemporaryDir folder_;
    std::unique_ptr<test::Session> session_;
    std::unique_ptr<MainWindow> window_;
};

void PicturePageTest::init()
{
    QVERIFY(folder_.isValid());
    session_ = std::make_unique<test::Session>();
    window_ = std::make_unique<MainWindow>(session_->workspace);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void PicturePageTest::cleanup()
{
    window_.reset();
    const std::vector<std::string> problems = session_->dialogs.Problems;
    session_.reset();
    QVERIFY2(problems.empty(), problems.empty() ? "" : problems.front().c_str());
}

void PicturePageTest::RecordsPictureIsShownAtItsSizeOrStretched()
{
    ShowPicture(Write("ann.bmp", test::TinyBmp()));
    auto* picture = Find<QLabel>("RecordImage");
    QVERIFY(picture != nullptr);
    QVERIFY(picture->isVisible());
    QVERIFY(!Find<QLabel>("PicStat")->isVisible());
    QCOMPARE(picture->pixmap().size(), QSize(3, 2));
    QCOMPARE(picture->pixmap().toImage().pixelColor(2, 0), QColor(Qt::blue));
    QVERIFY(!picture->hasScaledContents());

    QTest::mouseClick(Find<QCheckBox>("AutoSizeImage"), Qt::LeftButton);
    QVERIFY(picture->hasScaledContents());

    // "Select", cancelled, keeps the picture; "Clear " takes it away.
    session_->dialogs.CancelFileDialog();
    QTest::mouseClick(Find<QPushButton>("SelectPictureBtn"), Qt::LeftButton);
    QVERIFY(picture->isVisible());
    QTest::mouseClick(Find<QPushButton>("ClearPictureBtn"), Qt::LeftButton);
    QVERIFY(!picture->isVisible());
    QCOMPARE(session_->Record(0).Images[1].ImageFile, std::string());
}

void PicturePageTest::MissingFileIsReported()
{
    ShowPicture(folder_.filePath("gone.jpg"));
    auto* status = Find<QLabel>("PicStat");
    QVERIFY(status->isVisible());
    QCOMPARE(status->text(), QString("Image File is Not Valid"));
    QVERIFY(!Find<QLabel>("RecordImage")->isVisible());

    // Another tab without a picture.
    Find<QTabBar>("ImageBook")->setCurrentIndex(1);
    QCOMPARE(status->text(), QString("No Image File Selected"));
}

void PicturePageTest::OpenDialogListsExtensionsInAnyCase()
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
        names.sort();
        return names;
    };
    QTRY_COMPARE(listed(), QStringList{"photo.GIF"});
    dialog.selectNameFilter("PCX Bitmap (*.pcx)");
    QTRY_COMPARE(listed(), QStringList{"scan.pcx"});
}

}  // namespace quillmark

QTEST_MAIN(quillmark::PicturePageTest)
#include "picture_page_test.moc"
