#pragma once
// The desktop push service: one WebSocket to a push relay (ZELK_PUSH_URL; without it the gateway's address
// on the relay path, ws:// for http:// and wss:// for https://).
//
// Registering opens the connection when needed and sends {"type": "register", "installation": <id>}; the
// relay answers {"type": "registered", "token": <base64 of 32 bytes>}, and the token goes out through
// registered(). The installation id is the caller's to keep, so the same installation gets the same
// token back. Every other text frame that is a JSON object is a notification payload. Frames that are
// not (not JSON, binary, or over kMaxFrameBytes, which ends the connection) are dropped with a debug line.
//
// After the connection drops it reconnects with a growing pause (0.5 s doubling to 30 s, back to 0.5 s once
// registered again) and registers again. A reconnect emits registered() only when the token differs or a
// registration was asked for and not yet answered.
#include "platform/PushService.h"

#include <QTimer>
#include <QUrl>
#include <QWebSocket>

#include <memory>

class RelayPushService : public PushService
{
    Q_OBJECT
public:
    static constexpr qint64 kMaxFrameBytes = 64 * 1024;
    static constexpr int kFirstRetryMs = 500;
    static constexpr int kLastRetryMs = 30000;

    RelayPushService(const QUrl &relay, const QString &installationId, QObject *parent = nullptr);
    ~RelayPushService() override;

    // ZELK_PUSH_URL (where ServiceClient::acceptsOverride takes it), else the gateway address
    // (ZELK_GATEWAY_URL or the built-in one) on the relay path.
    static QUrl defaultRelayUrl();

    void registerForRemoteNotifications() override;

    QUrl relayUrl() const { return m_relay; }
    // Connected and registered with the relay.
    bool isRegistered() const { return m_registered; }
    QByteArray token() const { return m_token; }

signals:
    // Connected and registered (true), or the connection dropped (false).
    void relayStateChanged(bool registered);

private:
    QAbstractSocket::SocketState socketState() const;
    QWebSocket &socket();
    void open();
    void connected();
    void disconnected();
    void received(const QString &message);
    void setRegistered(bool registered);

    QUrl m_relay;
    QString m_installation;
    std::unique_ptr<QWebSocket> m_socket;
    QTimer m_retry;
    int m_retryMs = kFirstRetryMs;
    bool m_wanted = false;   // registration asked for at least once: keep the connection up
    bool m_pending = false;  // a registration asked for and not yet answered
    bool m_registered = false;
    QByteArray m_token;
};
