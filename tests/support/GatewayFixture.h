#pragma once
// Starts the development gateway in-process on 127.0.0.1 (a free port), in a thread of its own so that a
// test may block its main thread while the gateway answers. Points
// ZELK_GATEWAY_URL and ZELK_ANALYTICS_URL at it for the life of the fixture and restores them after.
// Gives the test the request log, faults, the version-check state and notification pushes.
#include "GatewaySimulator.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QThread>

#include <optional>

class GatewayFixture
{
public:
    explicit GatewayFixture(const GatewaySimulator::Options &options = {});
    ~GatewayFixture();
    GatewayFixture(const GatewayFixture &) = delete;
    GatewayFixture &operator=(const GatewayFixture &) = delete;

    bool isRunning() const { return m_port != 0; }
    QString errorString() const { return m_error; }
    QString baseUrl() const;                 // "http://127.0.0.1:PORT"
    GatewaySimulator *simulator() const { return m_simulator; }

    // Every request received, oldest first ("method", "path", "headers", "body").
    QJsonArray requests() const;
    // The parameters ("Body" parsed again) of every gateway call of `apiName`, oldest first; a call whose
    // "Body" was the empty string gives an empty object.
    QList<QJsonObject> gatewayCalls(const QString &apiName) const;
    // The decoded form fields of every web-service call of `method`, oldest first.
    QList<QJsonObject> webServiceCalls(const QString &method) const;
    void clearRequests();

    // mode: "delay", "html500", "invalidJson", "close", "code" (with returnCode and message) or "none".
    bool setFault(const QString &operation, const QString &mode, int delayMs = 0, bool once = true,
                  const QString &returnCode = QString(), const QString &message = QString());
    bool setFault(const QJsonObject &fault) { return m_simulator && m_simulator->setFault(fault); }
    // Every later call of `operation` is answered 200 with the JSON `body` after `delayMs`, until the faults
    // are cleared.
    bool setAnswer(const QString &operation, const QByteArray &body, int delayMs = 0);
    bool setVersionState(const QString &state, const QString &note = QString(), const QString &url = QString())
    {
        return m_simulator && m_simulator->setVersionState(state, note, url);
    }
    QJsonObject addPush(const QString &account, const QString &title, const QString &content = QString())
    {
        return m_simulator ? m_simulator->addPush({{"account", account}, {"title", title}, {"content", content}})
                           : QJsonObject();
    }

private:
    QThread m_thread;
    GatewaySimulator *m_simulator = nullptr;
    quint16 m_port = 0;
    QString m_error;
    std::optional<QByteArray> m_previous[2]; // the two addresses as they were (unset: none)
};
