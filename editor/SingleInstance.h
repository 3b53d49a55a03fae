#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace kx {

/// One editor per user session: the first start listens on a local socket; a later start hands
/// its command line to it and ends. Only a program of the same user is listened to.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    /// `name` is the socket's path (tests use their own); with none there is no single instance.
    explicit SingleInstance(QString name, QObject* parent = nullptr);

    /// Sends `commandLine` to a running editor; false when none answers.
    bool handOver(const QString& commandLine);
    /// Becomes the running editor. False when the socket cannot be had, or another editor
    /// answers on it.
    bool listen();
    /// Hands `commandLine` to a running editor, or else becomes the running editor (false). Two
    /// editors starting at once take turns, so the second always finds the first.
    bool handOverOrListen(const QString& commandLine);

signals:
    /// A later start handed over its command line (possibly empty: only bring the editor forward).
    /// Emitted from the event loop, after the connection has been read.
    void commandLineReceived(const QString& commandLine);

private:
    bool listenWhileLocked();

    QString m_name;
    QLocalServer* m_server = nullptr;
};

} // namespace kx
