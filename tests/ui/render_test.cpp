// The date masks of the record window's boxes, as a user meets them.

#include "forms/controls.h"
#include "forms/main/pages/description_page.h"
#include "ui/render.h"

#include <QLineEdit>
#include <QTest>

using quillmark::EditControl;

class RenderTest : public QObject {
    Q_OBJECT

private slots:
    void AnEmptyDateBoxTakesADateAndGivesBackNothingWhenCleared()
    {
        EditControl control = quillmark::DescriptionPage().Detail[2];
        QLineEdit box;
        quillmark::Render(&box, control);
        quillmark::Bind(&box, control);
        box.setFocus();
        box.home(false);
        QTest::keyClicks(&box, "04011980");
        QCOMPARE(control.text, std::string("04/01/1980"));

        box.selectAll();
        QTest::keyClick(&box, Qt::Key_Delete);
        QCOMPARE(control.text, std::string());
    }

    void ADateInAnotherFormIsShownAndKeptAsItIs()
    {
        EditControl control = quillmark::DescriptionPage().Other[1];
        control.text = "April 1980";
        QLineEdit box;
        quillmark::Render(&box, control);
        quillmark::Bind(&box, control);
        QVERIFY(box.inputMask().isEmpty());
        box.end(false);
        QTest::keyClicks(&box, ", 3rd");
        QCOMPARE(control.text, std::string("April 1980, 3rd"));

        // A fitting date gets the mask back when shown again.
        control.text = "12/31/1999";
        quillmark::Render(&box, control);
        QVERIFY(!box.inputMask().isEmpty());
        QCOMPARE(box.text(), QString("12/31/1999"));
    }
};

QTEST_MAIN(RenderTest)
#include "render_test.moc"
