#pragma once

#include <QLocalServer>
#include <QObject>
#include <QStringList>

class QLocalSocket;

namespace qor {

// The channel through which a later start of the program hands its files to the copy that runs
// already. Who is first is the instance lock's decision; the first copy listens, a later start
// connects, sends one hand-over message and waits for the answer that the files were taken. What
// arrives is another process's input: each connection is bounded in size and time, a few at once.
class InstanceChannel final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InstanceChannel)

  public:
    // Connections served at once, each holding up to one message; more are closed unread.
    static constexpr qsizetype MaxConnections = 8;

    explicit InstanceChannel(QString name, QObject* parent = nullptr);
    ~InstanceChannel() override;

    // The first copy: listens under the channel's name, taking it over from a copy that died.
    // False when the channel cannot be opened; errorString() then says why.
    bool listen();
    QString errorString() const { return m_server.errorString(); }

    // A later start: hands `paths` to the copy that listens under `name`. False when there is none,
    // when it does not answer in time (it hangs) or when the paths do not fit in a message.
    static bool handOver(const QString& name, const QStringList& paths);

  Q_SIGNALS:
    // A later start handed over these files (none: it only asks to be shown the running copy).
    void handedOver(const QStringList& paths);

  private:
    void accept();
    void serve(QLocalSocket& socket);
    void read(QLocalSocket& socket, QByteArray& received);

    QString m_name;
    QLocalServer m_server;
};

} // namespace qor
