#include "shell/main/handovermessage.h"

#include <QRandomGenerator>
#include <QTest>
#include <QtEndian>

using qor::decodeHandOver;
using qor::encodeHandOver;
using State = qor::HandOverDecoding::State;

Q_DECLARE_METATYPE(State)

namespace {

QByteArray number(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// A message written by hand, as another process might send it.
QByteArray message(quint32 count, const QList<QByteArray>& paths)
{
    QByteArray bytes = "QOR1" + number(count);
    for (const QByteArray& path : paths)
        bytes += number(quint32(path.size())) + path;
    return bytes;
}

QStringList manyPaths(qsizetype count)
{
    QStringList paths;
    for (qsizetype i = 0; i < count; ++i)
        paths << QStringLiteral("/data/run %1.LOG").arg(i);
    return paths;
}

} // namespace

// The message a later start hands its files over in, read as it arrives from another process.
class TestHandOverMessage : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void pathsComeThroughAsSent_data()
    {
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("none: only to the front") << QStringList{};
        QTest::newRow("one") << QStringList{"/home/kim/PLANT 3.LOG"};
        QTest::newRow("Korean and Chinese names") << QStringList{"/home/kim/기록.CSV", "/home/li/记录.DAT"};
        QTest::newRow("blanks, line ends, empty") << QStringList{" /a b\n.LOG", "", "C:\\trace\\x.log"};
        QTest::newRow("the longest path") << QStringList{"/" + QString(qor::MaxHandOverPathBytes - 1, u'p')};
        QTest::newRow("the most paths") << manyPaths(qor::MaxHandOverPaths);
    }

    void pathsComeThroughAsSent()
    {
        QFETCH(QStringList, paths);
        const std::optional<QByteArray> bytes = encodeHandOver(paths);
        QVERIFY(bytes);
        QVERIFY(bytes->size() <= qor::MaxHandOverBytes);
        const qor::HandOverDecoding decoded = decodeHandOver(*bytes);
        QCOMPARE(decoded.state, State::Complete);
        QCOMPARE(decoded.paths, paths);
    }

    // However a message is cut, what arrived so far only asks for more.
    void everyBeginningOfAMessageWaitsForTheRest()
    {
        const QByteArray bytes = *encodeHandOver({"/home/kim/기록.CSV", "/x.LOG"});
        for (qsizetype size = 0; size < bytes.size(); ++size)
            QCOMPARE(decodeHandOver(bytes.first(size)).state, State::Incomplete);
    }

    void tooManyOrTooLongPathsAreNotSent()
    {
        QVERIFY(!encodeHandOver(manyPaths(qor::MaxHandOverPaths + 1)));
        // Counted in UTF-8 bytes: 한 takes three.
        QVERIFY(!encodeHandOver({"/" + QString(qor::MaxHandOverPathBytes / 3 + 1, u'한')}));
    }

    // Refused as soon as the first bytes show it, before the rest is waited for.
    void messagesBeyondTheBoundsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("too many paths") << message(qor::MaxHandOverPaths + 1, {});
        QTest::newRow("a path too long") << message(1, {}) + number(qor::MaxHandOverPathBytes + 1);
        QTest::newRow("a path of 4 GB") << message(2, {"/a"}) + number(0xffffffff);
    }

    void messagesBeyondTheBoundsAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QCOMPARE(decodeHandOver(bytes).state, State::Malformed);
    }

    void garbageIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("another first byte") << QByteArray("X");
        QTest::newRow("another magic") << message(0, {}).replace(3, 1, "2");
        QTest::newRow("bytes after the message") << message(1, {"/a.LOG"}) + '\0';
        QTest::newRow("two messages in one") << message(0, {}) + message(0, {});
        QTest::newRow("more paths than counted") << message(1, {"/a", "/b"});
        QTest::newRow("a path that is no UTF-8") << message(1, {"/\xff\xfe.LOG"});
        QTest::newRow("half a UTF-8 character at the end") << message(1, {QByteArray("/기록").chopped(1)});
    }

    void garbageIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QCOMPARE(decodeHandOver(bytes).state, State::Malformed);
    }

    // Damaged messages read without a crash, and a whole one is always the message of its paths.
    void damagedMessagesReadSafely()
    {
        const QByteArray original = *encodeHandOver({"/home/kim/기록.CSV", "/x.LOG", ""});
        QRandomGenerator random(7);
        for (int round = 0; round < 20000; ++round) {
            QByteArray bytes = original.first(random.bounded(original.size() + 1));
            for (int flips = random.bounded(1, 4); flips > 0 && !bytes.isEmpty(); --flips)
                bytes[random.bounded(bytes.size())] = char(random.bounded(256));
            const qor::HandOverDecoding decoded = decodeHandOver(bytes);
            if (decoded.state == State::Complete) {
                const std::optional<QByteArray> again = encodeHandOver(decoded.paths);
                QVERIFY(again);
                QCOMPARE(*again, bytes);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestHandOverMessage)
#include "tst_handovermessage.moc"
