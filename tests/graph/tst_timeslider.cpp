#include "graph/timeslider.h"

#include "data/datetime.h"

#include <QSignalSpy>
#include <QTest>

using namespace qor;

class TestTimeSlider : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void valueStaysWithinTheAxisAndSignalsChanges()
    {
        TimeSlider slider;
        QCOMPARE(slider.objectName(), QStringLiteral("CWSlide7"));
        slider.axis().setMinMax(100, 200);
        QSignalSpy changed(&slider, &TimeSlider::valueChanged);
        slider.setValue(150);
        QCOMPARE(slider.value(), 150.0);
        slider.setValue(150);
        slider.setValue(500);
        QCOMPARE(slider.value(), 200.0);
        QCOMPARE(changed.size(), 2);
        QCOMPARE(changed.at(0).at(0).toDouble(), 150.0);
        QCOMPARE(changed.at(1).at(0).toDouble(), 200.0);
    }

    // A narrower range pulls the value in without a signal: setting the range from code must not
    // scroll what the slider scrolls.
    void narrowerAxisPullsTheValueInSilently()
    {
        TimeSlider slider;
        slider.axis().setMinMax(0, 1000);
        slider.setValue(900);
        QSignalSpy changed(&slider, &TimeSlider::valueChanged);
        slider.axis().setMaximum(600);
        QCOMPARE(slider.value(), 600.0);
        slider.axis().setMinMax(700, 800);
        QCOMPARE(slider.value(), 700.0);
        QCOMPARE(changed.size(), 0);
        slider.setValue(750);
        QCOMPARE(changed.size(), 1);
    }

    void scaleUsesTheAxisPattern()
    {
        TimeSlider slider;
        const double start = datetime::dateSerial(2024, 5, 1) + 0.5;
        slider.axis().setMinMax(start, start + 1);
        QCOMPARE(slider.axis().tickLabel(slider.axis().minimum()), QStringLiteral("05/01 12:00:00"));
        slider.axis().setFormatString(QStringLiteral("hhhh:nn:ss"));
        slider.axis().setMinMax(0, 2);
        QCOMPARE(slider.axis().tickLabel(slider.axis().maximum()), QStringLiteral("48:00:00"));
    }

    void clickOnTheTrackMovesTheValue()
    {
        TimeSlider slider;
        slider.resize(600, slider.sizeHint().height());
        slider.axis().setMinMax(0, 10);
        slider.show();
        QVERIFY(QTest::qWaitForWindowExposed(&slider));
        QSignalSpy changed(&slider, &TimeSlider::valueChanged);
        QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(slider.width() - 1, slider.height() / 3));
        QCOMPARE(slider.value(), 10.0);
        QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(slider.width() / 2, slider.height() / 3));
        QVERIFY(std::abs(slider.value() - 5.0) < 0.2);
        QCOMPARE(changed.size(), 2);
        QTest::keyClick(&slider, Qt::Key_Right);
        QVERIFY(std::abs(slider.value() - 5.1) < 0.2);
    }

    void backColorIsPainted()
    {
        TimeSlider slider;
        slider.resize(400, 60);
        slider.setBackColor(QColor(0x40, 0x40, 0x40));
        QCOMPARE(slider.backColor(), QColor(0x40, 0x40, 0x40));
        const QImage image = slider.grab().toImage();
        QCOMPARE(QColor(image.pixel(0, image.height() - 1)), QColor(0x40, 0x40, 0x40));
    }
};

QTEST_MAIN(TestTimeSlider)
#include "tst_timeslider.moc"
