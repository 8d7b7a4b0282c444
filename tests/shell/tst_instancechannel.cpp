#include "shell/main/handovermessage.h"
#include "shell/main/instancechannel.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <memory>
#include <tuple>
#include <vector>

using qor::encodeHandOver;
using qor::InstanceChannel;

// The running copy's end of the channel, met by clients in this process that behave as another
// process might.
class TestInstanceChannel : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_runtime;
    std::unique_ptr<InstanceChannel> m_channel;

    QString name() const { return m_runtime.filePath("channel"); }

    std::unique_ptr<QLocalSocket> connected()
    {
        auto client = std::make_unique<QLocalSocket>();
        client->connectToServer(name());
        client->waitForConnected(1000);
        return client;
    }

    // Waits for the running copy's answer; empty when it closes the connection instead (or does
    // neither, which the callers' checks of the connection's state tell).
    static QByteArray answerTo(QLocalSocket& client)
    {
        std::ignore =
            QTest::qWaitFor([&] { return client.bytesAvailable() > 0 || client.state() == QLocalSocket::UnconnectedState; }, 10000);
        return client.readAll();
    }

    static void sendInPieces(QLocalSocket& client, const QByteArray& message, qsizetype at)
    {
        client.write(message.first(at));
        client.flush();
        QTest::qWait(50);
        client.write(message.sliced(at));
    }

  private Q_SLOTS:
    void init()
    {
        m_channel = std::make_unique<InstanceChannel>(name());
        QVERIFY(m_channel->listen());
    }

    void cleanup() { m_channel.reset(); }

    // A connection's message is read as it arrives, apart from the others'.
    void messagesArrivingInPiecesAreTakenAndAnswered()
    {
        QSignalSpy handed(m_channel.get(), &InstanceChannel::handedOver);
        const QByteArray first = *encodeHandOver({"/home/kim/기록.CSV", "/x.LOG"});
        const QByteArray second = *encodeHandOver({});
        std::unique_ptr<QLocalSocket> slow = connected();
        std::unique_ptr<QLocalSocket> quick = connected();
        slow->write(first.first(9));
        sendInPieces(*quick, second, 3);
        QCOMPARE(answerTo(*quick), QByteArray(1, qor::HandOverTaken));
        slow->write(first.sliced(9));
        QCOMPARE(answerTo(*slow), QByteArray(1, qor::HandOverTaken));
        QCOMPARE(handed.size(), 2);
        QCOMPARE(handed[0][0].toStringList(), QStringList{});
        QCOMPARE(handed[1][0].toStringList(), QStringList({"/home/kim/기록.CSV", "/x.LOG"}));
    }

    void connectionsThatDeliverNoMessageAreClosedUnanswered_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("silent") << QByteArray();
        QTest::newRow("stops halfway") << encodeHandOver({"/x.LOG"})->chopped(2);
        QTest::newRow("garbage") << QByteArray("GET / HTTP/1.1\r\n\r\n");
        QByteArray tooMany = "QOR1";
        tooMany.resize(8);
        qToBigEndian(qor::MaxHandOverPaths + 1, tooMany.data() + 4);
        QTest::newRow("too many paths") << tooMany;
    }

    void connectionsThatDeliverNoMessageAreClosedUnanswered()
    {
        QFETCH(QByteArray, bytes);
        QSignalSpy handed(m_channel.get(), &InstanceChannel::handedOver);
        std::unique_ptr<QLocalSocket> client = connected();
        client->write(bytes);
        QCOMPARE(answerTo(*client), QByteArray());
        QTRY_COMPARE(client->state(), QLocalSocket::UnconnectedState);
        QCOMPARE(handed.size(), 0);
    }

    void connectionsBeyondTheLimitAreClosedUnread()
    {
        QSignalSpy handed(m_channel.get(), &InstanceChannel::handedOver);
        std::vector<std::unique_ptr<QLocalSocket>> silent;
        for (qsizetype i = 0; i < InstanceChannel::MaxConnections; ++i)
            silent.push_back(connected());
        std::unique_ptr<QLocalSocket> extra = connected();
        extra->write(*encodeHandOver({"/x.LOG"}));
        QCOMPARE(answerTo(*extra), QByteArray());
        QCOMPARE(extra->state(), QLocalSocket::UnconnectedState);
        QCOMPARE(handed.size(), 0);
    }

    // A later start meets no copy that listens, or one that does not answer.
    void handingOverFailsWithoutAnAnswer()
    {
        QVERIFY(!InstanceChannel::handOver(m_runtime.filePath("nobody"), {"/x.LOG"}));
        // This process serves the channel, and blocks in the hand-over: nobody answers.
        QVERIFY(!InstanceChannel::handOver(name(), {"/x.LOG"}));
    }

    void pathsThatDoNotFitAreNotHandedOver()
    {
        QSignalSpy handed(m_channel.get(), &InstanceChannel::handedOver);
        QVERIFY(!InstanceChannel::handOver(name(), {"/" + QString(qor::MaxHandOverPathBytes, u'p')}));
        QTest::qWait(100);
        QCOMPARE(handed.size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestInstanceChannel)
#include "tst_instancechannel.moc"
