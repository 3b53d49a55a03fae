#include "SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <sys/socket.h>
#include <unistd.h>

namespace kx {

namespace {

    /// A command line is one path; a peer that sends more without ending its line is cut off.
    constexpr qint64 kLongestLine = 1 << 16;

    bool peerIsThisUser(const QLocalSocket& socket)
    {
        ucred peer {};
        socklen_t size = sizeof peer;
        return ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0
            && peer.uid == ::geteuid();
    }

} // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent)
    , m_name(std::move(name))
{
}

bool SingleInstance::handOver(const QString& commandLine)
{
    if (m_name.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(1000))
        return false;
    const QByteArray bytes = commandLine.toUtf8() + '\n';
    socket.write(bytes);
    socket.flush();
    socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen()
{
    if (m_name.isEmpty())
        return false;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        // A socket left behind by an editor that crashed: nobody answers on it.
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (!peerIsThisUser(*socket)) {
                socket->abort();
                socket->deleteLater();
                continue;
            }
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                while (socket->canReadLine()) {
                    const QString line = QString::fromUtf8(socket->readLine()).chopped(1);
                    // Handled once the reading is done: a message box on the way runs an event
                    // loop, in which the socket may go.
                    QMetaObject::invokeMethod(
                        this, [this, line] { emit commandLineReceived(line); }, Qt::QueuedConnection);
                }
                if (socket->bytesAvailable() > kLongestLine)
                    socket->abort();
            });
        }
    });
    return true;
}

} // namespace kx
