// The program installed as a user installs it: into a prefix with `cmake --install`, and as a Debian
// package with `cpack -G DEB`.
#include "shell/apppath.h"
#include "shell/graphsettings.h"
#include "shell/inifile.h"
#include "support/fixtures.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;

namespace {

struct Run {
    int status = -1;
    QString out;
};

Run run(const QString& program, const QStringList& args, const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
        const QString& workingFolder = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingFolder);
    process.start(program, args);
    if (!process.waitForFinished(240000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError())};
}

// Takes write permission from a folder and everything below it, as a system install leaves it for
// its users, and gives it back at the end so that the folder can be removed.
class ReadOnlyTree {
  public:
    explicit ReadOnlyTree(QString root)
        : m_root(std::move(root))
    {
        apply(false);
    }
    ~ReadOnlyTree() { apply(true); }
    Q_DISABLE_COPY_MOVE(ReadOnlyTree)

  private:
    void apply(bool writable) const
    {
        QDirIterator it(m_root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        QStringList paths{m_root};
        while (it.hasNext())
            paths << it.next();
        for (const QString& path : paths) {
            QFile::Permissions permissions = QFile::permissions(path);
            permissions.setFlag(QFile::WriteOwner, writable);
            permissions.setFlag(QFile::WriteUser, writable);
            permissions.setFlag(QFile::WriteGroup, false);
            permissions.setFlag(QFile::WriteOther, false);
            QFile::setPermissions(path, permissions);
        }
    }

    QString m_root;
};

const QString sideFilesFolder = QStringLiteral("share/qor-trace-reader");

} // namespace

class TestInstall : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_prefix;
    QTemporaryDir m_home;

    QString installed(const QString& relative) const { return QDir(m_prefix.path()).filePath(relative); }

  private Q_SLOTS:
    void initTestCase()
    {
        const Run install = run(QStringLiteral(CMAKE_COMMAND),
                                {QStringLiteral("--install"), QStringLiteral(BUILD_DIR), QStringLiteral("--prefix"), m_prefix.path()});
        QVERIFY2(install.status == 0, qPrintable(install.out));
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
    }

    void theLayoutIsTheUsualOne()
    {
        for (const char* relative :
             {"bin/TraceReader", "share/qor-trace-reader/SetGraphInfo.ini", "share/qor-trace-reader/DataString-rKR.xml",
              "share/qor-trace-reader/DataString-rUS.xml", "share/qor-trace-reader/DataString-rCH.xml",
              "share/qor-trace-reader/Checked.ico", "share/qor-trace-reader/Unchecked.ico", "share/applications/qor-trace-reader.desktop",
              "share/mime/packages/qor-trace-reader.xml", "share/icons/hicolor/256x256/apps/qor-trace-reader.png"})
            QVERIFY2(QFile::exists(installed(QString::fromLatin1(relative))), relative);
        const QByteArray entry = fixtures::contents(installed(QStringLiteral("share/applications/qor-trace-reader.desktop")));
        QVERIFY(entry.contains("\nExec=TraceReader %F\n"));
        QVERIFY(entry.contains("\nIcon=qor-trace-reader\n"));
        QVERIFY(entry.contains("application/x-qor-log;application/x-qor-dat;text/csv;"));
    }

    // The installed program reads a recording from anywhere, in a read-only installation.
    void theReadOnlyInstalledProgramReadsARecording()
    {
        const ReadOnlyTree readOnly(m_prefix.path());
        const Run listed = run(installed(QStringLiteral("bin/TraceReader")),
                               {QStringLiteral("--dump"), QStringLiteral(QOR_SAMPLES_DIR "/20150305080000_QOR1300.LOG")},
                               QProcessEnvironment::systemEnvironment(), m_home.path());
        QCOMPARE(listed.status, 0);
        QVERIFY(listed.out.startsWith(u"model: QOR1300\n"));
        QVERIFY(listed.out.contains(u"\n2015-03-05 08:00:00\t"));
    }

    void aReadOnlyInstallationKeepsItsSettingsInTheUsersFolder()
    {
        const QByteArray shipped = fixtures::contents(installed(sideFilesFolder + QStringLiteral("/SetGraphInfo.ini")));
        const QString userFolder = m_home.filePath(QStringLiteral("config/qor-trace-reader/"));
        {
            const ReadOnlyTree readOnly(m_prefix.path());
            useProgramFolder(installed(QStringLiteral("bin")));
            QCOMPARE(AppPath(), QDir(installed(sideFilesFolder)).canonicalPath() + u'/');
            QCOMPARE(WritablePath(), userFolder);
            QCOMPARE(ProgramPath(), installed(QStringLiteral("bin/")));
            // Seeded from the shipped settings on first use, and changed there.
            QCOMPARE(fixtures::contents(userFolder + QStringLiteral("SetGraphInfo.ini")), shipped);
            QVERIFY(LoadGraphSettings());
            graphSettings().PlotColor[0] = 0x00FF00;
            QVERIFY(SaveGraphSettings().ok());
            QVERIFY(IniFile(graphSettingsPath()).write(u"Language", u"Language", u"CHR").ok());

            // A second start keeps the user's settings instead of seeding them again.
            useProgramFolder(installed(QStringLiteral("bin")));
            QCOMPARE(IniFile(graphSettingsPath()).read(u"Language", u"Language", 64), "CHR");
            setAppPath({});
        }
        const IniFile user(userFolder + QStringLiteral("SetGraphInfo.ini"));
        QCOMPARE(user.read(u"Color", u"Plots_Color_1", 64), QString::number(0x00FF00));
        QCOMPARE(user.read(u"Language", u"Language", 64), "CHR");
        QCOMPARE(fixtures::contents(installed(sideFilesFolder + QStringLiteral("/SetGraphInfo.ini"))), shipped);
    }

    // An installation the user may write to (a prefix in the home folder) keeps everything in it.
    void aWritableInstallationKeepsItsSettingsBesideTheSideFiles()
    {
        useProgramFolder(installed(QStringLiteral("bin")));
        QCOMPARE(WritablePath(), AppPath());
        QCOMPARE(graphSettingsPath(), QDir(installed(sideFilesFolder)).canonicalPath() + QStringLiteral("/SetGraphInfo.ini"));
        setAppPath({});
    }

    // A portable copy: program and side files in one folder.
    void aPortableCopyKeepsEverythingBesideTheProgram()
    {
        QTemporaryDir portable;
        fixtures::installSideFiles(portable);
        useProgramFolder(portable.path());
        const QString folder = portable.path() + u'/';
        QCOMPARE(AppPath(), folder);
        QCOMPARE(WritablePath(), folder);
        QCOMPARE(ProgramPath(), folder);
        setAppPath({});
    }

    void theDebianPackageHoldsTheLayoutAndDeclaresItsDependencies()
    {
        QTemporaryDir output;
        const Run pack =
            run(QStringLiteral(CPACK_COMMAND), {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                                                QStringLiteral(BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), output.path()});
        QVERIFY2(pack.status == 0, qPrintable(pack.out));
        const QStringList packages = QDir(output.path()).entryList({QStringLiteral("*.deb")});
        QCOMPARE(packages.size(), 1);
        const QString package = QDir(output.path()).filePath(packages.first());
        const Run depends =
            run(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), package, QStringLiteral("Package"), QStringLiteral("Depends")});
        QCOMPARE(depends.status, 0);
        for (const char* dependency : {"qor-trace-reader", "libqt6widgets6", "qt6-qpa-plugins", "qt6-translations-l10n", "fonts-noto-cjk"})
            QVERIFY2(depends.out.contains(QString::fromLatin1(dependency)), qPrintable(depends.out));
        const Run contents = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), package});
        QCOMPARE(contents.status, 0);
        for (const char* path :
             {"./usr/bin/TraceReader", "./usr/share/qor-trace-reader/SetGraphInfo.ini", "./usr/share/applications/qor-trace-reader.desktop",
              "./usr/share/mime/packages/qor-trace-reader.xml", "./usr/share/icons/hicolor/256x256/apps/qor-trace-reader.png"})
            QVERIFY2(contents.out.contains(QString::fromLatin1(path)), path);
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
