#include "platform/RelayPushService.h"

#include "services/ServiceClient.h"

#include <QJsonDocument>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcPush, "zelk.push", QtWarningMsg)

namespace {
const QString kRelayPath = QStringLiteral("/zelkpush/relay");
} // namespace

RelayPushService::RelayPushService(const QUrl &relay, const QString &installationId, QObject *parent)
    : PushService(parent), m_relay(relay), m_installation(installationId)
{
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &RelayPushService::open);
}

QAbstractSocket::SocketState RelayPushService::socketState() const
{
    return m_socket ? m_socket->state() : QAbstractSocket::UnconnectedState;
}

// The socket is made at the first connection: a WebSocket sets up TLS (OpenSSL, some 4 MB) as it is made,
// and nothing is sent before the first registration, after sign-in.
QWebSocket &RelayPushService::socket()
{
    if (m_socket)
        return *m_socket;
    m_socket = std::make_unique<QWebSocket>();
    QWebSocket &socket = *m_socket;
    socket.setMaxAllowedIncomingFrameSize(kMaxFrameBytes);
    socket.setMaxAllowedIncomingMessageSize(kMaxFrameBytes);
    connect(&socket, &QWebSocket::connected, this, &RelayPushService::connected);
    // A refused or failed connection attempt ends in the unconnected state too, without disconnected().
    connect(&socket, &QWebSocket::stateChanged, this, [this](QAbstractSocket::SocketState state) {
        if (state == QAbstractSocket::UnconnectedState)
            disconnected();
    });
    connect(&socket, &QWebSocket::textMessageReceived, this, &RelayPushService::received);
    connect(&socket, &QWebSocket::binaryMessageReceived, this, [](const QByteArray &frame) {
        qCDebug(lcPush) << "dropped a binary frame of" << frame.size() << "bytes";
    });
    return socket;
}

RelayPushService::~RelayPushService()
{
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
}

QUrl RelayPushService::defaultRelayUrl()
{
    if (const auto configured = ServiceClient::addressFromEnvironment("ZELK_PUSH_URL", ServiceClient::AddressKind::webSocket))
        return *configured;
    QUrl url = ServiceClient::gatewayUrl();
    url.setScheme(url.scheme() == QLatin1String("https") ? QStringLiteral("wss") : QStringLiteral("ws"));
    url.setPath(kRelayPath);
    return url;
}

void RelayPushService::registerForRemoteNotifications()
{
    // No permission to ask for on the desktop: notifications are the user's to silence in the session.
    m_wanted = true;
    m_pending = true;
    if (socketState() == QAbstractSocket::ConnectedState)
        connected(); // register again on the open connection
    else if (socketState() == QAbstractSocket::UnconnectedState && !m_retry.isActive())
        open();
}

void RelayPushService::open()
{
    if (socketState() != QAbstractSocket::UnconnectedState)
        return;
    qCDebug(lcPush) << "connecting to" << m_relay.toString();
    socket().open(m_relay);
}

void RelayPushService::connected()
{
    const QJsonObject request{{"type", "register"}, {"installation", m_installation}};
    m_socket->sendTextMessage(QString::fromUtf8(QJsonDocument(request).toJson(QJsonDocument::Compact)));
}

void RelayPushService::disconnected()
{
    qCDebug(lcPush) << "relay connection ended or failed:" << m_socket->closeCode() << m_socket->closeReason()
                    << m_socket->errorString();
    setRegistered(false);
    if (!m_wanted)
        return;
    qCDebug(lcPush) << "reconnecting in" << m_retryMs << "ms";
    m_retry.start(m_retryMs);
    m_retryMs = std::min(m_retryMs * 2, kLastRetryMs);
}

void RelayPushService::received(const QString &message)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(message.toUtf8(), &error);
    if (!document.isObject()) {
        qCDebug(lcPush) << "dropped a frame of" << message.size() << "characters that is not a JSON object:"
                        << error.errorString();
        return;
    }
    const QJsonObject frame = document.object();
    if (frame.value(QLatin1String("type")) == QLatin1String("registered")) {
        const QByteArray token = QByteArray::fromBase64Encoding(frame.value(QLatin1String("token")).toString().toLatin1(),
                                                                QByteArray::AbortOnBase64DecodingErrors)
                                     .decoded;
        if (token.isEmpty()) {
            qCDebug(lcPush) << "dropped a registration answer without a usable token";
            return;
        }
        const bool changed = token != m_token;
        m_token = token;
        m_retryMs = kFirstRetryMs;
        setRegistered(true);
        if (changed || m_pending) {
            m_pending = false;
            emit registered(token);
        }
        return;
    }
    if (frame.value(QLatin1String("type")) == QLatin1String("error")) {
        qCDebug(lcPush) << "the relay refused a request:" << frame.value(QLatin1String("message")).toString();
        return;
    }
    emit notificationReceived(frame);
}

void RelayPushService::setRegistered(bool registered)
{
    if (m_registered == registered)
        return;
    m_registered = registered;
    emit relayStateChanged(registered);
}
