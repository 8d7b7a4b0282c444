#include "shell/apppath.h"
#include "shell/graphsettings.h"
#include "shell/inifile.h"
#include "support/fixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;

namespace {

// Every setting as text, so that a comparison shows which one differs.
QString describe(const GraphSettings& s)
{
    QStringList parts{QString::number(s.PlotsWidth), QString::number(s.YGridMode), QString::number(s.XGridMode)};
    for (const qint32 colour : s.PlotColor)
        parts << QString::number(colour);
    parts << QString::number(s.TimeColor) << QString::number(s.TempColor) << QString::number(s.OutputColor) << QString::number(s.FrameColor)
          << QString::number(s.PVRange.minimum) << QString::number(s.PVRange.maximum);
    for (const qint16 print : s.PrintInfo)
        parts << QString::number(print);
    return parts.join(u' ') + u' ' + s.LangCode;
}

GraphSettings allSevens()
{
    GraphSettings s;
    s.PlotsWidth = s.YGridMode = s.XGridMode = 7;
    s.PlotColor.fill(7);
    s.TimeColor = s.TempColor = s.OutputColor = s.FrameColor = 7;
    s.PVRange = {7, 7};
    s.PrintInfo.fill(7);
    s.LangCode = QStringLiteral("ENG");
    return s;
}

const QString shippedSettings = QStringLiteral(QOR_RESOURCES_DIR "/SetGraphInfo.ini");

} // namespace

class TestGraphSettings : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_path = m_dir->filePath(QStringLiteral("SetGraphInfo.ini"));
    }

    void valuesFollowTheLeadingNumberRule()
    {
        fixtures::setContents(m_path,
                              "[Line]\r\nPlots_Width= 2 px\r\nY_Grid=1 0\r\nX_Grid=2.5\r\n"
                              "[Color]\r\nPlots_Color_1=&HFF\r\nPlots_Color_2=&O17\r\nPlots_Color_3=3.5\r\nPlots_Color_4=-2.5\r\n"
                              "Plots_Color_5=1E3\r\nPlots_Color_6=abc\r\nPlots_Color_7=\r\nTIME_Color=16777215\r\nTEMP_Color=255\r\n"
                              "OUTPUT_Color=33023x\r\nFrame_Color=3158064\r\nMin_PVZoom=-12.25\r\nMax_PVZooM=250\r\n"
                              "[Print_Set]\r\nPrint_Info_1=1\r\nPrint_Info_2=0\r\nPrint_Info_3=12345678\r\n"
                              "[Language]\r\nLanguage=KOREAN\r\n");
        GraphSettings settings = allSevens();
        QVERIFY(settings.load(m_path));
        QCOMPARE(describe(settings), "2 10 2 255 15 4 -2 1000 0 0 0 0 16777215 255 33023 3158064 -12.25 250 1 0 1234 0 0 KOR");
    }

    void aValueThatDoesNotFitStopsTheReading_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("expected");
        QTest::newRow("16-bit") << QByteArray("[Line]\r\nPlots_Width=1\r\nY_Grid=40000\r\nX_Grid=5\r\n[Color]\r\nPlots_Color_1=9\r\n")
                                << "1 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 ENG";
        QTest::newRow("32-bit") << QByteArray("[Color]\r\nPlots_Color_1=9\r\nPlots_Color_2=9E99\r\nPlots_Color_3=9\r\n")
                                << "0 0 0 9 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 7 ENG";
    }

    void aValueThatDoesNotFitStopsTheReading()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, expected);
        fixtures::setContents(m_path, contents);
        GraphSettings settings = allSevens();
        QVERIFY(!settings.load(m_path));
        QCOMPARE(describe(settings), expected);
    }

    void aMissingFileGivesZerosAndNoLanguage()
    {
        GraphSettings settings = allSevens();
        QVERIFY(settings.load(m_path));
        QCOMPARE(describe(settings), describe(GraphSettings()));
        QVERIFY(settings.LangCode.isEmpty());
        QVERIFY(!QFile::exists(m_path));
    }

    void savingWritesTheColourKeys()
    {
        GraphSettings settings = allSevens();
        settings.PlotColor = {1, 2, 3, 4, 5, 6, 7, 8, 16777215};
        settings.PVRange = {-12.5, 300};
        QVERIFY(settings.save(m_path).ok());
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), "[Color]\r\nPlots_Color_1=1\r\nPlots_Color_2=2\r\nPlots_Color_3=3\r\nPlots_Color_4=4\r\n"
                                 "Plots_Color_5=5\r\nPlots_Color_6=6\r\nPlots_Color_7=7\r\nPlots_Color_8=8\r\n"
                                 "Plots_Color_9=16777215\r\nTIME_Color=7\r\nTEMP_Color=7\r\nOUTPUT_Color=7\r\n"
                                 "Min_PVZoom=-12.5\r\nMax_PVZooM=300\r\nX_Major=0\r\nY_Major=0\r\n");
    }

    void savedSettingsReadBackOverAnExistingFile()
    {
        QVERIFY(QFile::copy(shippedSettings, m_path));
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(IniFile(m_path).write(u"Color", u"X_Major", u"5").ok());
        GraphSettings settings;
        QVERIFY(settings.load(m_path));
        settings.TimeColor = 0;
        settings.PVRange = {-0.5, 1250.75};
        QVERIFY(settings.save(m_path).ok());
        GraphSettings reread;
        QVERIFY(reread.load(m_path));
        QCOMPARE(describe(reread), describe(settings));
        QCOMPARE(IniFile(m_path).read(u"Color", u"X_Major", 10), "0");
        QCOMPARE(IniFile(m_path).read(u"Color", u"Max_PVZoom", 10), "1250.75");
    }

    void theShippedFileHoldsTheDefaults()
    {
        GraphSettings settings;
        QVERIFY(settings.load(shippedSettings));
        QCOMPARE(describe(settings), "1 0 0 255 16711935 16761087 16744576 16777088 12648447 12582912 8454143 12632064 "
                                     "16777215 255 33023 3158064 0 300 1 1 1 1 1 ENG");
    }

    void theProgramSettingsLiveBesideTheProgram()
    {
        setAppPath(m_dir->path());
        QVERIFY(QFile::copy(shippedSettings, m_path));
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(LoadGraphSettings());
        QCOMPARE(graphSettings().LangCode, "ENG");
        graphSettings().PVRange.maximum = 500;
        QVERIFY(SaveGraphSettings().ok());
        setAppPath({});
        QCOMPARE(IniFile(m_path).read(u"color", u"max_pvzoom", 10), "500");
    }

  private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestGraphSettings)
#include "tst_graphsettings.moc"
