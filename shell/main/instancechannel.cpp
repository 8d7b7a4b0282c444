#include "instancechannel.h"

#include "handovermessage.h"

#include <QLocalSocket>
#include <QTimer>

#include <memory>
#include <utility>

namespace qor {

namespace {

constexpr int ConnectMilliseconds = 1000;
// A later start writes its message as soon as it is connected; a local write of the longest message
// takes milliseconds, so a connection that has not delivered one by then is dropped.
constexpr int DeliveryMilliseconds = 2000;
// The running copy answers from its event loop, which even a long read lets run a few times a
// second; a copy that has not answered by then hangs.
constexpr int AnswerMilliseconds = 5000;

void drop(QLocalSocket& socket)
{
    socket.abort();
    socket.deleteLater();
}

} // namespace

InstanceChannel::InstanceChannel(QString name, QObject* parent)
    : QObject(parent)
    , m_name(std::move(name))
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &InstanceChannel::accept);
}

InstanceChannel::~InstanceChannel() = default;

bool InstanceChannel::listen()
{
    // The instance lock says that no other copy listens: a channel left behind is a dead copy's.
    QLocalServer::removeServer(m_name);
    return m_server.listen(m_name);
}

bool InstanceChannel::handOver(const QString& name, const QStringList& paths)
{
    const std::optional<QByteArray> message = encodeHandOver(paths);
    if (!message)
        return false;
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(ConnectMilliseconds))
        return false;
    socket.write(*message);
    // Waiting for the answer also writes the message; the answer comes once the files are taken.
    return socket.waitForReadyRead(AnswerMilliseconds) && socket.read(1) == QByteArray(1, HandOverTaken);
}

void InstanceChannel::accept()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        // The server owns its connections until they are deleted.
        if (m_server.findChildren<QLocalSocket*>(Qt::FindDirectChildrenOnly).size() > MaxConnections)
            drop(*socket);
        else
            serve(*socket);
    }
}

void InstanceChannel::serve(QLocalSocket& socket)
{
    // The socket reads no more from the other process than the longest message and one byte, which
    // tells that it is longer.
    socket.setReadBufferSize(MaxHandOverBytes + 1);
    connect(&socket, &QLocalSocket::disconnected, &socket, &QObject::deleteLater);
    QTimer::singleShot(DeliveryMilliseconds, &socket, [&socket] { drop(socket); });
    auto received = std::make_shared<QByteArray>();
    connect(&socket, &QLocalSocket::readyRead, this, [this, &socket, received] { read(socket, *received); });
}

void InstanceChannel::read(QLocalSocket& socket, QByteArray& received)
{
    received += socket.read(MaxHandOverBytes + 1 - received.size());
    const HandOverDecoding message = decodeHandOver(received);
    switch (message.state) {
    case HandOverDecoding::State::Incomplete:
        return;
    case HandOverDecoding::State::Malformed:
        drop(socket);
        return;
    case HandOverDecoding::State::Complete:
        disconnect(&socket, &QLocalSocket::readyRead, this, nullptr);
        socket.write(&HandOverTaken, 1);
        socket.disconnectFromServer();
        // Told from the event loop, not from within the socket's signal: opening the files lets
        // events through, which may delete the socket while its signal is still being delivered.
        QMetaObject::invokeMethod(
            this, [this, paths = message.paths] { Q_EMIT handedOver(paths); }, Qt::QueuedConnection);
        return;
    }
}

} // namespace qor
