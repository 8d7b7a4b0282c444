#include "shell/graphsettings.h"
#include "shell/inifile.h"
#include "shell/main/mainwindow.h"
#include "shell/main/windowstate.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <optional>

using namespace qor;

class TestWindowState : public QObject {
    Q_OBJECT

  private:
    std::optional<ProgramFolder> m_folder;

    QRect placeOnScreen() const
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        return {screen.x() + 30, screen.y() + 40, screen.width() / 2, screen.height() / 2};
    }

  private Q_SLOTS:
    void init()
    {
        m_folder.emplace();
        ScriptedPrompts::install();
    }

    void theWindowKeepsItsPlaceBetweenRuns()
    {
        const QRect place = placeOnScreen();
        {
            MainWindow window;
            window.setGeometry(place);
            window.show();
            window.close();
        }
        const std::optional<WindowState> state = rememberedWindowState();
        QVERIFY(state);
        QCOMPARE(state->normalGeometry, place);
        QVERIFY(!state->maximized);

        MainWindow again;
        showInRememberedState(again);
        QCOMPARE(again.normalGeometry(), place);
        QVERIFY(!again.isMaximized());
        again.showMaximized();
        again.close();
        QVERIFY(rememberedWindowState()->maximized);
        QCOMPARE(rememberedWindowState()->normalGeometry, place); // the place to come back to

        MainWindow maximised;
        showInRememberedState(maximised);
        QVERIFY(maximised.isMaximized());
    }

    void anUnusablePlaceIsPassedOver_data()
    {
        QTest::addColumn<QString>("geometry");
        QTest::newRow("none") << QString();
        QTest::newRow("garbage") << "wide and tall";
        QTest::newRow("three numbers") << "10,10,800";
        QTest::newRow("too small") << "10,10,40,30";
        QTest::newRow("off every screen") << "-90000,-90000,800,600";
        QTest::newRow("overflowing") << "99999999999,0,800,600";
    }

    void anUnusablePlaceIsPassedOver()
    {
        QFETCH(QString, geometry);
        QVERIFY(IniFile(graphSettingsPath()).write(u"MainWindow", u"Geometry", geometry).ok());
        QVERIFY(!rememberedWindowState());
        MainWindow window;
        const QSize defaultSize = window.size();
        showInRememberedState(window);
        QCOMPARE(window.size(), defaultSize);
    }

    // Places that a screen shows only in part come back whole on it, below room for the title bar,
    // and are written back as they were shown.
    void aPlaceBeyondTheScreenIsFittedIntoIt_data()
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QTest::addColumn<QRect>("saved");
        QTest::newRow("larger, above and left") << QRect(screen.x() - 500, screen.y() - 400, 3000, 2000);
        QTest::newRow("huge") << QRect(0, 0, 100000, 100000);
        QTest::newRow("title bar above the screen") << QRect(screen.right() - 220, screen.y() - 300, 1200, 800);
    }
    void aPlaceBeyondTheScreenIsFittedIntoIt()
    {
        QFETCH(QRect, saved);
        const QString text = QStringLiteral("%1,%2,%3,%4").arg(saved.x()).arg(saved.y()).arg(saved.width()).arg(saved.height());
        QVERIFY(IniFile(graphSettingsPath()).write(u"MainWindow", u"Geometry", text).ok());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const std::optional<WindowState> state = rememberedWindowState();
        QVERIFY(state);
        const QRect fitted = state->normalGeometry;
        QVERIFY2(screen.contains(fitted) && fitted.top() >= screen.top() + 24,
                 qPrintable(QStringLiteral("%1,%2 %3x%4").arg(fitted.x()).arg(fitted.y()).arg(fitted.width()).arg(fitted.height())));
        QVERIFY(fitted.width() >= screen.width() / 3 && fitted.height() >= screen.height() / 3);
        {
            MainWindow window;
            showInRememberedState(window);
            QCOMPARE(window.normalGeometry(), fitted);
            window.close();
        }
        QCOMPARE(rememberedWindowState()->normalGeometry, fitted);
        const QString written = IniFile(graphSettingsPath()).read(u"MainWindow", u"Geometry", 64);
        QCOMPARE(written, QStringLiteral("%1,%2,%3,%4").arg(fitted.x()).arg(fitted.y()).arg(fitted.width()).arg(fitted.height()));
    }
};

QTEST_MAIN(TestWindowState)
#include "tst_windowstate.moc"
