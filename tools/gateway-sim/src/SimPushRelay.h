#pragma once
// The development push relay: devices hold a WebSocket to it (an HTTP upgrade of a gateway connection on
// the relay path) and register with {"type": "register", "installation": "<id>"}. The relay answers
// {"type": "registered", "token": "<32 random bytes, base64>"}; the same installation always gets the same
// token back, also after a reconnect. Notifications go to the connected devices of given tokens as the
// text frame of their payload. Frames from devices over kMaxFrameBytes end the connection.
//
// Lives in the simulator's thread; connectedTokens() may be called from any thread.
#include <QHash>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QTcpSocket>
#include <QSet>
#include <QStringList>

class QTcpSocket;
class QWebSocket;
class QWebSocketServer;

class SimPushRelay : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 kMaxFrameBytes = 64 * 1024;
    static inline const QString kPath = QStringLiteral("/zelkpush/relay");

    explicit SimPushRelay(QObject *parent = nullptr);
    ~SimPushRelay() override;

    // Takes over a connection whose unread bytes start with the WebSocket upgrade request.
    void takeConnection(QTcpSocket *socket);
    // Sends `frame` as one text message to every connected device registered under one of `tokens`.
    // Returns how many devices it went to.
    int deliver(const QStringList &tokens, const QString &frame);
    // Closes every device connection, as a restart of the relay does; the tokens handed out stay.
    void dropConnections();
    // Tokens (upper-case hex) of the devices connected and registered now, sorted.
    QStringList connectedTokens() const;

private:
    void accept();
    void received(QWebSocket *socket, const QString &message);
    void updateConnected();

    QWebSocketServer *m_server;
    QHash<QString, QByteArray> m_tokens;     // installation id -> token bytes
    QHash<QWebSocket *, QString> m_devices;  // connected socket -> its token (hex), empty before registering
    // Connections handed to the server before their handshake ended; the relay frees what no WebSocket took.
    QList<QPointer<QTcpSocket>> m_handedOver;
    mutable QMutex m_mutex;
    QStringList m_connected;
};
