#include "shell/graphsettings.h"
#include "shell/inifile.h"
#include "shell/main/mainwindow.h"
#include "shell/recentfiles.h"
#include "shell/stringtable.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTest>

#include <optional>

using namespace qor;

namespace {

double plotValue(int record, int value)
{
    return record + value;
}

QStringList menuTexts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* item : menu.actions())
        texts << item->text();
    return texts;
}

QString shown(int n, const QString& path)
{
    return QStringLiteral("&%1 ").arg(n) + QDir::toNativeSeparators(path).toUpper();
}

} // namespace

class TestRecentFiles : public QObject {
    Q_OBJECT

  private:
    std::optional<ProgramFolder> m_folder;
    ScriptedPrompts* m_prompts = nullptr;

    QString recording() { return m_folder->writeLog("QOR1100", {}, 20, 1, plotValue); }

  private Q_SLOTS:
    void init()
    {
        m_folder.emplace();
        m_prompts = &ScriptedPrompts::install();
    }

    void theListKeepsTheNewestEightOnce()
    {
        QVERIFY(RecentFiles::load().isEmpty());
        QStringList paths;
        for (int n = 1; n <= 10; ++n)
            paths << QStringLiteral("/data/run%1.LOG").arg(n);
        for (const QString& path : paths)
            RecentFiles::add(path);
        QCOMPARE(RecentFiles::load(), (QStringList{paths[9], paths[8], paths[7], paths[6], paths[5], paths[4], paths[3], paths[2]}));
        RecentFiles::add(paths[4]); // again: to the front, not twice
        QCOMPARE(RecentFiles::load().mid(0, 3), (QStringList{paths[4], paths[9], paths[8]}));
        QCOMPARE(RecentFiles::load().size(), RecentFiles::MaxCount);
        QCOMPARE(RecentFiles::remove(paths[9]).mid(0, 2), (QStringList{paths[4], paths[8]}));
        QCOMPARE(RecentFiles::load().size(), RecentFiles::MaxCount - 1);
    }

    void aHandEditedListIsReadSafely()
    {
        IniFile file(graphSettingsPath());
        QVERIFY(file.write(u"RecentFiles", u"File1", u"/a.LOG").ok());
        QVERIFY(file.write(u"RecentFiles", u"File3", u"/a.LOG").ok());
        QVERIFY(file.write(u"RecentFiles", u"File4", u"/b.LOG").ok());
        QVERIFY(file.write(u"RecentFiles", u"File9", u"/beyond.LOG").ok());
        QVERIFY(file.write(u"RecentFiles", u"File5", u"run.LOG").ok());
        QVERIFY(file.write(u"RecentFiles", u"File6", u"%%garbage=#!").ok());
        QCOMPARE(RecentFiles::load(), (QStringList{"/a.LOG", "/b.LOG"}));

        // A long path keeps its start and its file name; a "&" stays a character.
        const QString deep = u"/data/" + QString(3000, u'd') + u"/20150305080000_A&B.LOG";
        QVERIFY(file.write(u"RecentFiles", u"File2", deep).ok());
        MainWindow window;
        const QString caption = menuTexts(*window.recentFilesMenu()).at(1);
        QVERIFY2(caption.size() < 80 && caption.startsWith(u"&2 /DATA/DDD") && caption.endsWith(u"/20150305080000_A&&B.LOG"),
                 qPrintable(caption));
    }

    // Opening puts the file first in the File menu, upper-cased, and the list outlives the run.
    void openedFilesAreListedAndOpenAgain()
    {
        const QString first = recording();
        const QString second = recording();
        {
            MainWindow window;
            QVERIFY(!window.recentFilesMenu()->isEnabled());
            QCOMPARE(window.recentFilesMenu()->title(), stringEntry(ViewerText::RecentFiles));
            QVERIFY(window.openFile(first));
            QVERIFY(window.openFile(second));
            QCOMPARE(menuTexts(*window.recentFilesMenu()), (QStringList{shown(1, second), shown(2, first)}));
        }
        MainWindow again;
        QCOMPARE(menuTexts(*again.recentFilesMenu()), (QStringList{shown(1, second), shown(2, first)}));
        again.recentFilesMenu()->actions().at(1)->trigger();
        QVERIFY(m_prompts->messages.isEmpty());
        QCOMPARE(menuTexts(*again.recentFilesMenu()).first(), shown(1, first));
    }

    void aVanishedFileIsTakenOffTheList()
    {
        const QString kept = recording();
        const QString gone = recording();
        MainWindow window;
        QVERIFY(window.openFile(kept));
        QVERIFY(window.openFile(gone));
        QVERIFY(QFile::remove(gone));
        window.recentFilesMenu()->actions().at(0)->trigger();
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY(m_prompts->messages[0].text.startsWith(stringEntry(ViewerText::FileNoLongerExists)));
        QVERIFY(m_prompts->messages[0].text.endsWith(QDir::toNativeSeparators(gone).toUpper()));
        QCOMPARE(menuTexts(*window.recentFilesMenu()), QStringList{shown(1, kept)});
        QCOMPARE(RecentFiles::load(), QStringList{kept});
    }
};

QTEST_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
