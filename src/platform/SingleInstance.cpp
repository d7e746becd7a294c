#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <memory>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcInstance, "zelk.platform.instance", QtWarningMsg)

namespace {
// A later start sends "activate" and the activation token its launcher gave it (may be empty).
const QByteArray kActivate = QByteArrayLiteral("activate ");
const QByteArray kShown = QByteArrayLiteral("shown\n");
constexpr qint64 kLineLimit = 4096;
// A running first copy answers within milliseconds; the limit is for a holder that was killed and whose
// teardown (which releases the lock) may take long on a loaded machine.
constexpr int kAnswerLimitMs = 3000;
constexpr int kRetryMs = 50;
} // namespace

SingleInstance::SingleInstance(const QString &id, QObject *parent) : QObject(parent)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        return;
    m_lockPath = QDir(folder).filePath(id + QStringLiteral(".lock"));
    m_socketPath = QDir(folder).filePath(id + QStringLiteral(".socket"));
}

SingleInstance::~SingleInstance()
{
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

bool SingleInstance::claim()
{
#if defined(Q_OS_ANDROID) || defined(Q_OS_IOS)
    return true; // the system keeps one copy of an app itself
#endif
    // Without a runtime folder, or where no lock can be made there, the app runs unguarded rather than not
    // at all.
    if (m_lockPath.isEmpty()) {
        qCWarning(lcInstance) << "no runtime folder: a second copy is not kept from starting";
        return true;
    }
    switch (lock()) {
    case Lock::held:
        return false;
    case Lock::unavailable:
        qCWarning(lcInstance) << "cannot lock" << m_lockPath << "; a second copy is not kept from starting";
        return true;
    case Lock::taken:
        listen();
        return true;
    }
    return true;
}

// The lock file is never removed: removing it would let a later start lock a new file while another still
// holds the old one. It is not inherited by programs the app starts (O_CLOEXEC), so none of them keeps it.
SingleInstance::Lock SingleInstance::lock()
{
    if (m_lockFd < 0) {
        m_lockFd = ::open(QFile::encodeName(m_lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_lockFd < 0)
            return Lock::unavailable;
    }
    if (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0)
        return errno == EWOULDBLOCK ? Lock::held : Lock::unavailable;
    // The holder's process id, for a person looking at the file.
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    if (::ftruncate(m_lockFd, 0) != 0 || ::pwrite(m_lockFd, pid.constData(), size_t(pid.size()), 0) != pid.size())
        qCDebug(lcInstance) << "could not write the process id into" << m_lockPath;
    qCInfo(lcInstance) << "this start is the first copy";
    return Lock::taken;
}

void SingleInstance::listen()
{
    // The socket file of a killed copy is still there; holding the lock makes it ours to remove.
    QLocalServer::removeServer(m_socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_socketPath)) {
        qCWarning(lcInstance) << "cannot listen on" << m_socketPath << m_server->errorString();
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine()) {
                    if (socket->bytesAvailable() > kLineLimit)
                        socket->abort();
                    return;
                }
                const QByteArray line = socket->readLine().trimmed() + ' ';
                if (!line.startsWith(kActivate))
                    return socket->disconnectFromServer();
                const QString token = QString::fromUtf8(line.mid(kActivate.size()).trimmed());
                qCInfo(lcInstance) << "a later start asked for the window"
                                   << (token.isEmpty() ? "" : "with an activation token");
                emit activationRequested(token);
                socket->write(kShown);
                socket->disconnectFromServer();
            });
        }
    });
}

void SingleInstance::activateFirst(std::function<void(Answer)> done)
{
    // The first copy may hold the lock a moment before it listens, so a refused connection is tried again;
    // a killed holder may still be torn down (its socket accepting, nobody answering), so the lock is
    // tried again too, and taken once the kernel has released it.
    auto *socket = new QLocalSocket(this);
    auto *retry = new QTimer(socket);
    auto finished = std::make_shared<bool>(false);
    auto finish = [socket, finished, done](Answer answer) {
        if (*finished)
            return;
        *finished = true;
        socket->abort();
        socket->deleteLater();
        done(answer);
    };
    QTimer::singleShot(kAnswerLimitMs, socket, [finish] { finish(Answer::noAnswer); });
    retry->start(kRetryMs);
    connect(retry, &QTimer::timeout, socket, [this, socket, finish] {
        if (lock() == Lock::taken) {
            listen();
            return finish(Answer::claimed);
        }
        if (socket->state() == QLocalSocket::UnconnectedState)
            socket->connectToServer(m_socketPath);
    });
    connect(socket, &QLocalSocket::connected, socket,
            [socket] { socket->write(kActivate + qgetenv("XDG_ACTIVATION_TOKEN") + '\n'); });
    connect(socket, &QLocalSocket::readyRead, socket, [socket, finish] {
        if (socket->canReadLine())
            finish(socket->readLine() == kShown ? Answer::shown : Answer::noAnswer);
    });
    socket->connectToServer(m_socketPath);
}
