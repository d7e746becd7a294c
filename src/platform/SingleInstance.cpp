#include "platform/SingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QTimer>

Q_LOGGING_CATEGORY(lcInstance, "zelk.platform.instance", QtWarningMsg)

namespace {
// A later start sends "activate" and the activation token its launcher gave it (may be empty).
const QByteArray kActivate = QByteArrayLiteral("activate ");
const QByteArray kShown = QByteArrayLiteral("shown\n");
constexpr qint64 kLineLimit = 4096;
constexpr int kAnswerLimitMs = 800; // a later start ends well within a second either way
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

SingleInstance::~SingleInstance() = default;

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
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // A lock is stale only when its owner process is gone, never because of its age.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        const bool taken = m_lock->error() == QLockFile::LockFailedError;
        m_lock.reset();
        if (!taken)
            qCWarning(lcInstance) << "cannot lock" << m_lockPath
                                  << "; a second copy is not kept from starting";
        return !taken;
    }
    listen();
    return true;
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

void SingleInstance::activateFirst(std::function<void(bool)> done)
{
    // The first copy may hold the lock a moment before it listens, so a refused connection is tried again.
    auto *socket = new QLocalSocket(this);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto finished = std::make_shared<bool>(false);
    auto finish = [socket, finished, done](bool shown) {
        if (*finished)
            return;
        *finished = true;
        socket->abort();
        socket->deleteLater();
        done(shown);
    };
    QTimer::singleShot(kAnswerLimitMs, this, [finish] { finish(false); });
    connect(socket, &QLocalSocket::connected, socket,
            [socket] { socket->write(kActivate + qgetenv("XDG_ACTIVATION_TOKEN") + '\n'); });
    connect(socket, &QLocalSocket::readyRead, socket, [socket, finish] {
        if (socket->canReadLine())
            finish(socket->readLine() == kShown);
    });
    connect(socket, &QLocalSocket::errorOccurred, socket, [this, socket, clock, finished] {
        if (!*finished && socket->state() == QLocalSocket::UnconnectedState &&
            clock->elapsed() + kRetryMs < kAnswerLimitMs)
            QTimer::singleShot(kRetryMs, socket, [this, socket] { socket->connectToServer(m_socketPath); });
    });
    socket->connectToServer(m_socketPath);
}
