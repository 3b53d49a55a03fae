#include "SingleInstance.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
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

    /// Holds the lock file beside the socket while one start checks for an editor and listens.
    class StartLock {
    public:
        explicit StartLock(const QString& socketName)
            : m_fd(::open(QFile::encodeName(socketName + QStringLiteral(".lock")).constData(),
                O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600))
        {
            while (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) { }
        }
        ~StartLock()
        {
            if (m_fd >= 0)
                ::close(m_fd); // releases the lock
        }
        StartLock(const StartLock&) = delete;
        StartLock& operator=(const StartLock&) = delete;

    private:
        int m_fd;
    };

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

bool SingleInstance::handOverOrListen(const QString& commandLine)
{
    if (m_name.isEmpty())
        return false;
    StartLock lock(m_name);
    if (handOver(commandLine))
        return true;
    listenWhileLocked();
    return false;
}

bool SingleInstance::listen()
{
    if (m_name.isEmpty())
        return false;
    StartLock lock(m_name);
    return listenWhileLocked();
}

bool SingleInstance::listenWhileLocked()
{
    // A live editor's socket stays (listening with access options would replace the file);
    // one left by an editor that crashed is taken over.
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(1000))
        return false;
    QLocalServer::removeServer(m_name);
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
    }
    if (!m_server->listen(m_name))
        return false;
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
