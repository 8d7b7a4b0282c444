#include "data/loadeddataset.h"
#include "shell/main/handovermessage.h"
#include "shell/main/instancechannel.h"
#include "shell/main/mainwindow.h"
#include "shell/main/startup.h"
#include "shell/programstate.h"
#include "shell/slotwindows.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"

#include <QAction>
#include <QDialog>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using qor::loadedData;
using qor::SlotLoaded;

// The running copy opens the files a later start hands over as dropped files are opened: never
// inside a dialog or a read that is going on, but once they are done.
class TestHandedOverFiles : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_runtime;
    std::optional<ProgramFolder> m_folder;
    ScriptedPrompts* m_prompts = nullptr;
    std::optional<qor::Startup> m_startup;

    QString logFile(int records)
    {
        return m_folder->writeLog("QOR1000", "", records, 1, [](int record, int value) { return record + value; });
    }

    // A later start, as another process would connect; it has sent the first bytes of its message.
    std::unique_ptr<QLocalSocket> laterStartSending(const QByteArray& message)
    {
        auto client = std::make_unique<QLocalSocket>();
        client->connectToServer(m_runtime.filePath("QorTraceReader.socket"));
        client->waitForConnected(1000);
        client->write(message.first(message.size() - 1));
        QTest::qWait(100);
        return client;
    }

    static void finishSending(QLocalSocket& client, const QByteArray& message)
    {
        client.write(message.last(1));
        client.flush();
    }

    static QByteArray answerTo(QLocalSocket& client)
    {
        std::ignore = QTest::qWaitFor([&] { return client.bytesAvailable() > 0; }, 10000);
        return client.readAll();
    }

  private Q_SLOTS:
    void initTestCase() { qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit()); }

    void init()
    {
        m_folder.emplace();
        m_prompts = &ScriptedPrompts::install();
        m_startup.emplace();
        QCOMPARE(m_startup->run({}), qor::Startup::Outcome::Started);
    }

    void cleanup()
    {
        m_startup.reset();
        m_folder.reset();
    }

    void aFileHandedOverWhileTheProgramIsFreeOpensAtOnce()
    {
        const QString path = logFile(3);
        const QByteArray message = *qor::encodeHandOver({path});
        std::unique_ptr<QLocalSocket> client = laterStartSending(message);
        finishSending(*client, message);
        QCOMPARE(answerTo(*client), QByteArray(1, qor::HandOverTaken));
        QTRY_VERIFY(SlotLoaded(1));
        QCOMPARE(loadedData().slot(1).FilePath, path);
    }

    void aFileHandedOverWhileADialogIsOpenOpensWhenItCloses()
    {
        QDialog dialog(m_startup->mainWindow());
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        const QString path = logFile(3);
        const QByteArray message = *qor::encodeHandOver({path});
        std::unique_ptr<QLocalSocket> client = laterStartSending(message);
        finishSending(*client, message);
        QCOMPARE(answerTo(*client), QByteArray(1, qor::HandOverTaken));
        QTest::qWait(600);
        QVERIFY(!SlotLoaded(1));
        dialog.close();
        QTRY_VERIFY(SlotLoaded(1));
        QCOMPARE(loadedData().slot(1).FilePath, path);
    }

    // The read lets the hand-over arrive while it goes on. With both slots in use, the handed file
    // goes where the open command puts it after the read: into the slot just read.
    void aFileHandedOverDuringAReadOpensAfterIt()
    {
        m_startup->mainWindow()->openFiles({logFile(3), logFile(3)});
        const QString opened = logFile(200000);
        const QString handed = logFile(3);
        const QByteArray message = *qor::encodeHandOver({handed});
        std::unique_ptr<QLocalSocket> client = laterStartSending(message);
        QSignalSpy handedOver(m_startup->instanceChannel(), &qor::InstanceChannel::handedOver);
        finishSending(*client, message);
        m_prompts->fileAnswers.enqueue(opened);
        m_startup->mainWindow()->command("MF_Open")->trigger();
        QCOMPARE(handedOver.size(), 1); // while the file was read
        const int slot = loadedData().slot(1).FilePath == opened ? 1 : 2;
        QCOMPARE(loadedData().slot(slot).FilePath, opened);
        QTRY_COMPARE(loadedData().slot(slot).FilePath, handed);
    }
};

QTEST_MAIN(TestHandedOverFiles)
#include "tst_handedoverfiles.moc"
