#include "data/loadeddataset.h"
#include "shell/apppath.h"
#include "shell/graphsettings.h"
#include "shell/inifile.h"
#include "shell/main/displaysettingswindow.h"
#include "shell/programstate.h"
#include "shell/stringtable.h"
#include "support/fixtures.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"

#include "data/recordingopener.h"

#include <optional>

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;

class TestDisplaySettings : public QObject {
    Q_OBJECT

  private:
    std::optional<ProgramFolder> m_folder;
    ScriptedPrompts* m_prompts = nullptr;

    static QLineEdit* box(DisplaySettingsWindow& w, int i) { return w.findChild<QLineEdit*>(QStringLiteral("PVZoom_%1").arg(i)); }
    static QPushButton* button(DisplaySettingsWindow& w, const QString& name) { return w.findChild<QPushButton*>(name); }
    static QString label1(DisplaySettingsWindow& w, int i) { return w.findChild<QLabel*>(QStringLiteral("Label1_%1").arg(i))->text(); }

    QString settingsFile() const
    {
        QFile file(graphSettingsPath());
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll());
    }

    // Loads a .LOG file of `model` into slot 1 as the current slot.
    void openInSlot1(const QByteArray& model, const QByteArray& option, int values)
    {
        QByteArray bytes = fixtures::logHeader(model, option);
        bytes += fixtures::logRecord(0, std::initializer_list<double>{1, 2, 3, 4, 5, 6, 7, 8, 9}).left(4 + 8 * values);
        const QString path =
            fixtures::writeFile(m_folder->dir(), QStringLiteral("20150301080000_%1.LOG").arg(QString::fromLatin1(model)), bytes);
        NoBusyDisplay noWindow;
        OpenedRecording opened = openRecording(path, noWindow, QStringLiteral("test"));
        QVERIFY(opened.opened());
        loadedData().slot(1) = std::move(opened.slot);
        loadedData().FileNo = 1;
    }

  private Q_SLOTS:
    // Every case starts without a settings file.
    void init()
    {
        m_folder.emplace();
        QFile::remove(graphSettingsPath());
        m_folder->restart();
        m_prompts = &ScriptedPrompts::install();
        graphSettings().LangCode = QStringLiteral("ENG");
        graphSettings().PVRange = {0, 300};
        LoadStringTable();
    }

    void captionsComeFromTheStringTable()
    {
        DisplaySettingsWindow w;
        QCOMPARE(w.windowTitle(), stringEntry(GraphSetText::TrendDisplaySettings));
        QCOMPARE(label1(w, 12), stringEntry(GraphSetText::TimeAxis));
        QCOMPARE(button(w, "Command4")->text(), stringEntry(GraphSetText::Defaults));
        QCOMPARE(box(w, 1)->text(), "300");
    }

    void theRangeBoxesTakeNumbersOnly()
    {
        DisplaySettingsWindow w;
        box(w, 0)->clear();
        QTest::keyClicks(box(w, 0), QStringLiteral("a-1x2.5b"));
        QCOMPARE(box(w, 0)->text(), "-12.5");
        QTest::keyClick(box(w, 0), Qt::Key_Backspace);
        QCOMPARE(box(w, 0)->text(), "-12.");
    }

    void leavingABoxChecksTheRange()
    {
        DisplaySettingsWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        box(w, 0)->setFocus();
        box(w, 0)->setText(QStringLiteral("100"));
        box(w, 1)->setText(QStringLiteral("100"));
        box(w, 1)->setFocus(); // leaves box 0
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages[0].text, "Minimum/Maximum Error");
        QCOMPARE(box(w, 0)->text(), "0");
        QTRY_VERIFY(box(w, 0)->hasFocus());
    }

    void defaultsFillTheSwatchesButApplyNothing()
    {
        DisplaySettingsWindow w;
        button(w, "Command4")->click();
        QCOMPARE(w.swatchColor(1), 0xFF);
        QCOMPARE(w.swatchColor(7), 0xC00000);
        QCOMPARE(w.swatchColor(12), 0xFFFFFF);
        QCOMPARE(box(w, 1)->text(), "300");
        QCOMPARE(graphSettings().PlotColor[0], 0);
        QVERIFY(!QFile::exists(graphSettingsPath()));
    }

    void aChosenColourGoesToItsSwatch()
    {
        DisplaySettingsWindow w;
        m_prompts->colorAnswers.enqueue(QColor(0x12, 0x34, 0x56));
        button(w, "Command3_5")->click();
        QCOMPARE(w.swatchColor(5), 0x563412);
        button(w, "Command3_6")->click(); // cancelled
        QCOMPARE(w.swatchColor(6), 0);
    }

    void okWritesTheColourKeysAndTheRange()
    {
        DisplaySettingsWindow w;
        button(w, "Command4")->click();
        box(w, 0)->setText(QStringLiteral("-50"));
        box(w, 1)->setText(QStringLiteral("250.5"));
        QSignalSpy applied(&w, &DisplaySettingsWindow::applied);
        button(w, "Command1")->click();
        QCOMPARE(applied.size(), 1);
        QCOMPARE(graphSettings().PVRange.minimum, -50.0);
        QCOMPARE(graphSettings().PVRange.maximum, 250.5);
        QCOMPARE(graphSettings().TimeColor, 0xFFFFFF);
        const IniFile file(graphSettingsPath());
        QCOMPARE(file.read(u"Color", u"Plots_Color_2", 10), "16711935");
        QCOMPARE(file.read(u"Color", u"OUTPUT_Color", 10), "33023");
        QCOMPARE(file.read(u"Color", u"Max_PVZoom", 10), "250.5");
        QCOMPARE(file.read(u"Color", u"X_Major", 10), "0");
        QCOMPARE(file.read(u"Color", u"Y_Major", 10), "0");
        QVERIFY(settingsFile().contains(u"Max_PVZooM=250.5"));
        QVERIFY(!settingsFile().contains(u"Frame_Color"));
    }

    void cancelChangesNothing()
    {
        DisplaySettingsWindow w;
        button(w, "Command4")->click();
        button(w, "Command2")->click();
        QCOMPARE(graphSettings().PlotColor[0], 0);
        QVERIFY(!QFile::exists(graphSettingsPath()));
    }

    void channelRowsFollowTheOpenFile_data()
    {
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<QByteArray>("option");
        QTest::addColumn<int>("values");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("swatches");
        QTest::newRow("QOR1300") << QByteArray("QOR1300") << QByteArray() << 9 << "Hi Channel|Exp Channel|Lo Channel"
                                 << "111111111";
        QTest::newRow("QOR1200") << QByteArray("QOR1200") << QByteArray() << 6 << "Temperature|Humidity|"
                                 << "111111000";
        QTest::newRow("QOR1000-Z7") << QByteArray("QOR1000-Z7") << QByteArray() << 4 << "Temperature||"
                                    << "111100000";
        QTest::newRow("QOR1400 one") << QByteArray("QOR1400") << QByteArray("A") << 3 << "Temperature||"
                                     << "111000000";
        QTest::newRow("QOR1400 all") << QByteArray("QOR1400") << QByteArray() << 9 << "CH1 Temperature|CH2 Temperature|CH3 Temperature"
                                     << "111111111";
    }
    void channelRowsFollowTheOpenFile()
    {
        QFETCH(QByteArray, model);
        QFETCH(QByteArray, option);
        QFETCH(int, values);
        QFETCH(QString, rows);
        QFETCH(QString, swatches);
        openInSlot1(model, option, values);
        DisplaySettingsWindow w;
        w.show();
        QCOMPARE(QStringList({label1(w, 1), label1(w, 2), label1(w, 14)}).join(u'|'), rows);
        QString shown;
        for (int i = 1; i <= 9; ++i)
            shown += w.findChild<QFrame*>(QStringLiteral("Shape%1").arg(i))->isVisible() ? u'1' : u'0';
        QCOMPARE(shown, swatches);
        QCOMPARE(w.findChild<QFrame*>("Frame3")->isVisible(), swatches.endsWith(u"111"));
    }
};

QTEST_MAIN(TestDisplaySettings)
#include "tst_displaysettings.moc"
