#include "shell/apppath.h"
#include "shell/layoutscaler.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;

namespace {

// A window laid out at its reference size of 1500 x 1200 twips (100 x 80 pixels, frameless).
struct ScaledWindow {
    QWidget window;
    QLabel* label = new QLabel(QStringLiteral("label"), &window);
    QComboBox* combo = new QComboBox(&window);
    LayoutScaler scaler{&window, QSizeF(1500, 1200)};

    ScaledWindow()
    {
        window.setWindowFlags(Qt::FramelessWindowHint);
        window.setGeometry(0, 0, 100, 80);
        label->setGeometry(10, 20, 30, 10);
        QFont font = label->font();
        font.setPointSizeF(9);
        label->setFont(font);
        combo->setGeometry(50, 40, 40, 22);
        scaler.SaveSizes();
    }
};

} // namespace

class TestLayoutScaler : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void twiceTheReferenceSizeDoublesEverything()
    {
        ScaledWindow w;
        w.window.resize(200, 160);
        w.scaler.ResizeControls();
        QCOMPARE(w.label->geometry(), QRect(20, 40, 60, 20));
        QCOMPARE(w.label->font().pointSizeF(), 18.0);
        QCOMPARE(w.combo->geometry().topLeft(), QPoint(100, 80));
        QCOMPARE(w.combo->width(), 80);
        QCOMPARE(w.combo->height(), 22); // combo boxes keep their height
    }

    void resizingAgainStartsFromTheRecordedLayout()
    {
        ScaledWindow w;
        for (const QSize size : {QSize(33, 27), QSize(171, 95), QSize(100, 80)}) {
            w.window.resize(size);
            w.scaler.ResizeControls();
        }
        QCOMPARE(w.label->geometry(), QRect(10, 20, 30, 10));
        QCOMPARE(w.label->font().pointSizeF(), 9.0);
    }

    // A tiled window is a fraction of its design size: its texts shrink no further than can be read.
    void fontsShrinkNoFurtherThanReadable()
    {
        ScaledWindow w;
        QFont small = w.combo->font();
        small.setPointSizeF(6);
        w.combo->setFont(small);
        w.scaler.SaveSizes();
        w.window.resize(25, 20);
        w.scaler.ResizeControls();
        QCOMPARE(w.label->font().pointSizeF(), LayoutScaler::MinimumPointSize);
        QCOMPARE(w.combo->font().pointSizeF(), 6.0); // recorded below the floor: kept
    }

    void aMinimisedWindowIsLeftAlone()
    {
        ScaledWindow w;
        w.window.show();
        w.window.showMinimized();
        w.window.resize(200, 160);
        w.scaler.ResizeControls();
        QCOMPARE(w.label->geometry(), QRect(10, 20, 30, 10));
    }

    void aVanishedControlIsLogged()
    {
        QTemporaryDir dir;
        setAppPath(dir.path());
        ScaledWindow w;
        const QRect before = w.combo->geometry();
        delete w.label; // the first recorded control
        w.window.resize(200, 160);
        w.scaler.ResizeControls();
        QCOMPARE(w.combo->geometry(), before);
        QFile log(dir.filePath("TraceReader.log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains("frmObject(frmNo).ResizeControls_Err\""));
        setAppPath({});
    }
};

QTEST_MAIN(TestLayoutScaler)
#include "tst_layoutscaler.moc"
