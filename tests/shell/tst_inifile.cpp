#include "shell/inifile.h"
#include "support/filesizelimit.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;

class TestIniFile : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_path = m_dir->filePath(QStringLiteral("SetGraphInfo.ini"));
    }

    void valuesAreTheTrimmedTextAfterTheFirstEquals()
    {
        fixtures::setContents(m_path, "[Color]\r\nMin_PVZoom =  -12.5 \t\r\nformula= a = b \r\n");
        const IniFile ini(m_path);
        QCOMPARE(ini.read(u"Color", u"Min_PVZoom", 10), "-12.5");
        QCOMPARE(ini.read(u"Color", u"formula", 50), "a = b");
    }

    void namesMatchWithoutRegardToCase()
    {
        fixtures::setContents(m_path, "[color]\r\nmax_pvzoom=250\r\n");
        QCOMPARE(IniFile(m_path).read(u"COLOR", u"Max_PVZooM", 10), "250");
    }

    void theFirstMatchingSectionAndKeyCount()
    {
        fixtures::setContents(m_path, "Width=9\r\n[Line]\r\nwidth=1\r\nWIDTH=2\r\n[LINE]\r\nWidth=3\r\nGrid=5\r\n");
        const IniFile ini(m_path);
        QCOMPARE(ini.read(u"Line", u"Width", 10), "1");
        QCOMPARE(ini.read(u"Line", u"Grid", 10), "");
    }

    void aMissingFileSectionOrKeyReadsEmpty()
    {
        QCOMPARE(IniFile(m_dir->filePath(QStringLiteral("none.ini"))).read(u"Line", u"X_Grid", 10), "");
        QCOMPARE(IniFile(QString()).read(u"Line", u"X_Grid", 10), "");
        fixtures::setContents(m_path, "[Line]\r\nX_Grid=5\r\n[Color]\r\nY_Grid=10\r\n");
        const IniFile ini(m_path);
        QCOMPARE(ini.read(u"Line", u"Y_Grid", 10), "");
        QCOMPARE(ini.read(u"Print_Set", u"X_Grid", 10), "");
    }

    void aSnapshotReadsTheFileAsItWasWhenTaken()
    {
        fixtures::setContents(m_path, "[Line]\r\nx_grid=5\r\n");
        const IniSnapshot snapshot(m_path);
        QVERIFY(IniFile(m_path).write(u"Line", u"X_Grid", u"10").ok());
        QCOMPARE(snapshot.read(u"LINE", u"X_Grid", 10), "5");
        QCOMPARE(IniSnapshot(m_path).read(u"Line", u"X_Grid", 10), "10");
        QCOMPARE(IniSnapshot(m_dir->filePath(QStringLiteral("none.ini"))).read(u"Line", u"X_Grid", 10), "");
    }

    void aValueLongerThanTheBufferIsCut()
    {
        fixtures::setContents(m_path, "[S]\r\nnumber=123456789\r\ntext=\xea\xb0\x80\xeb\x82\x98\xeb\x8b\xa4\r\n");
        const IniFile ini(m_path);
        QCOMPARE(ini.read(u"S", u"number", 10), "123456789");
        QCOMPARE(ini.read(u"S", u"number", 5), "1234");
        QCOMPARE(ini.read(u"S", u"number", 1), "");
        QCOMPARE(ini.read(u"S", u"number", 0), "");
        QCOMPARE(ini.read(u"S", u"text", 3), QString::fromUtf8("가나"));
    }

    void everyKindOfLineEndIsRead_data()
    {
        QTest::addColumn<QByteArray>("end");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR") << QByteArray("\r");
    }

    void everyKindOfLineEndIsRead()
    {
        QFETCH(QByteArray, end);
        fixtures::setContents(m_path, "[A]" + end + "a=1" + end + end + "[B]" + end + "b=2");
        const IniFile ini(m_path);
        QCOMPARE(ini.read(u"A", u"a", 10), "1");
        QCOMPARE(ini.read(u"B", u"b", 10), "2");
        QCOMPARE(ini.read(u"A", u"b", 10), "");
    }

    void writingAKeyReplacesItsLineAndNothingElse()
    {
        const QByteArray before = "; settings\r\n\r\n[Line]\nPlots_Width=1\n[Color]\r\nPlots_Color_1 = 255\r\n"
                                  "an odd line\r\n  Max_PVZoom = 300  \r\nX_Major=0\r\n\r\n[Other]\r\nMax_PVZoom=7";
        fixtures::setContents(m_path, before);
        const IniFile ini(m_path);
        QVERIFY(ini.write(u"color", u"Max_PVZooM", u"250").ok());
        QByteArray expected = before;
        expected.replace("  Max_PVZoom = 300  ", "Max_PVZoom=250");
        QCOMPARE(fixtures::contents(m_path), expected);
        QCOMPARE(ini.read(u"Color", u"Max_PVZoom", 10), "250");
        QCOMPARE(ini.read(u"Other", u"Max_PVZoom", 10), "7");
    }

    void aNewKeyFollowsTheLastLineOfItsSection_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("before a blank line") << QByteArray("[Line]\r\nPlots_Width=1\r\n\r\n[Color]\r\nX_Grid=0\r\n")
                                             << QByteArray("[Line]\r\nPlots_Width=1\r\nX_Grid=5\r\n\r\n[Color]\r\nX_Grid=0\r\n");
        QTest::newRow("empty section") << QByteArray("[line]\n[Color]\n") << QByteArray("[line]\nX_Grid=5\r\n[Color]\n");
        QTest::newRow("last line open") << QByteArray("[Line]\nPlots_Width=1") << QByteArray("[Line]\nPlots_Width=1\r\nX_Grid=5\r\n");
    }

    void aNewKeyFollowsTheLastLineOfItsSection()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        fixtures::setContents(m_path, before);
        QVERIFY(IniFile(m_path).write(u"Line", u"X_Grid", u"5").ok());
        QCOMPARE(fixtures::contents(m_path), after);
    }

    void aWriteCreatesTheFileAndTheSection()
    {
        const IniFile ini(m_path);
        QVERIFY(ini.write(u"Language", u"Language", u"KOR").ok());
        QCOMPARE(fixtures::contents(m_path), "[Language]\r\nLanguage=KOR\r\n");

        fixtures::setContents(m_path, "[Line]\r\nPlots_Width=1");
        QVERIFY(ini.write(u"Color", u"Frame_Color", u"\u4e2d").ok());
        QCOMPARE(fixtures::contents(m_path), "[Line]\r\nPlots_Width=1\r\n[Color]\r\nFrame_Color=\xe4\xb8\xad\r\n");
        QCOMPARE(ini.read(u"Color", u"Frame_Color", 10), u"\u4e2d");
    }

    void aByteOrderMarkIsNotPartOfTheFirstLine()
    {
        fixtures::setContents(m_path, "\xEF\xBB\xBF[Line]\r\nX_Grid=0\r\n");
        const IniFile ini(m_path);
        QVERIFY(ini.write(u"Line", u"X_Grid", u"10").ok());
        QCOMPARE(fixtures::contents(m_path), "\xEF\xBB\xBF[Line]\r\nX_Grid=10\r\n");
    }

    void aFailedWriteLeavesTheFileAsItWas()
    {
        const QByteArray before = "[Color]\r\n" + QByteArray(60, ';') + "\r\nTIME_Color=0\r\n";
        fixtures::setContents(m_path, before);
        {
            const FileSizeLimit limit(before.size());
            QVERIFY(!IniFile(m_path).write(u"Color", u"TIME_Color", u"16777215").ok());
        }
        QCOMPARE(fixtures::contents(m_path), before);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("SetGraphInfo.ini")});
        QVERIFY(!IniFile(m_dir->filePath(QStringLiteral("missing/SetGraphInfo.ini"))).write(u"Line", u"X_Grid", u"0").ok());
    }

  private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
