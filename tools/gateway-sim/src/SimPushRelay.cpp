#include "SimPushRelay.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QWebSocket>
#include <QWebSocketServer>

Q_LOGGING_CATEGORY(lcRelay, "zelk.gatewaysim.push", QtWarningMsg)

namespace {
QString compact(const QJsonObject &o) { return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)); }
} // namespace

SimPushRelay::SimPushRelay(QObject *parent)
    : QObject(parent), m_server(new QWebSocketServer(QStringLiteral("zelk push relay"), QWebSocketServer::NonSecureMode, this))
{
    connect(m_server, &QWebSocketServer::newConnection, this, &SimPushRelay::accept);
}

SimPushRelay::~SimPushRelay()
{
    // The WebSockets go first (they hand their connections to deleteLater); then every connection handed to
    // the server is freed here: one whose handshake had not ended belongs to nobody and would outlive the relay.
    const QList<QWebSocket *> sockets = findChildren<QWebSocket *>(Qt::FindDirectChildrenOnly);
    for (QWebSocket *socket : sockets)
        disconnect(socket, nullptr, this, nullptr);
    qDeleteAll(sockets);
    m_devices.clear();
    for (const QPointer<QTcpSocket> &socket : std::as_const(m_handedOver))
        delete socket.data();
}

void SimPushRelay::takeConnection(QTcpSocket *socket)
{
    m_handedOver.removeIf([](const QPointer<QTcpSocket> &s) { return s.isNull(); });
    m_handedOver.append(socket);
    socket->setParent(nullptr);
    m_server->handleConnection(socket);
    // The upgrade request is already waiting in the socket: tell the server, which waits for readyRead.
    if (socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(socket, [socket] { emit socket->readyRead(); }, Qt::QueuedConnection);
}

void SimPushRelay::accept()
{
    while (QWebSocket *socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        socket->setMaxAllowedIncomingFrameSize(kMaxFrameBytes);
        socket->setMaxAllowedIncomingMessageSize(kMaxFrameBytes);
        m_devices.insert(socket, QString());
        connect(socket, &QWebSocket::textMessageReceived, this,
                [this, socket](const QString &message) { received(socket, message); });
        connect(socket, &QWebSocket::disconnected, this, [this, socket] {
            m_devices.remove(socket);
            socket->deleteLater();
            updateConnected();
        });
    }
}

void SimPushRelay::received(QWebSocket *socket, const QString &message)
{
    const QJsonObject request = QJsonDocument::fromJson(message.toUtf8()).object();
    const QString installation = request.value(QStringLiteral("installation")).toString();
    if (request.value(QStringLiteral("type")).toString() != QLatin1String("register") || installation.isEmpty() ||
        installation.size() > 200) {
        qCDebug(lcRelay) << "refused a frame of" << message.size() << "characters";
        socket->sendTextMessage(compact({{"type", "error"}, {"message", "expected {\"type\":\"register\",\"installation\":…}"}}));
        return;
    }
    QByteArray &token = m_tokens[installation];
    if (token.isEmpty()) {
        token.resize(32);
        QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(token.data()), token.size() / 4);
    }
    m_devices.insert(socket, QString::fromLatin1(token.toHex().toUpper()));
    updateConnected();
    socket->sendTextMessage(compact({{"type", "registered"}, {"token", QString::fromLatin1(token.toBase64())}}));
}

int SimPushRelay::deliver(const QStringList &tokens, const QString &frame)
{
    int sent = 0;
    for (auto it = m_devices.cbegin(); it != m_devices.cend(); ++it) {
        if (!it.value().isEmpty() && tokens.contains(it.value())) {
            it.key()->sendTextMessage(frame);
            ++sent;
        }
    }
    return sent;
}

void SimPushRelay::dropConnections()
{
    const QList<QWebSocket *> sockets = m_devices.keys();
    m_devices.clear();
    for (QWebSocket *socket : sockets) {
        socket->abort();
        socket->deleteLater();
    }
    updateConnected();
}

QStringList SimPushRelay::connectedTokens() const
{
    QMutexLocker lock(&m_mutex);
    return m_connected;
}

void SimPushRelay::updateConnected()
{
    QStringList tokens;
    for (const QString &token : std::as_const(m_devices)) {
        if (!token.isEmpty())
            tokens << token;
    }
    tokens.sort();
    QMutexLocker lock(&m_mutex);
    m_connected = tokens;
}
