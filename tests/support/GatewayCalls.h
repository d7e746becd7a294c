#pragma once
// Remote calls made through the real service client, each waited for until its completion runs; and
// the set-up that the development gateway's tests share: the gateway, then a client pointed at it and
// the operation catalogue in front of that client.
#include "services/ServiceTypes.h"

#include <QJsonObject>

#include <functional>

// Starts a call and waits (events running) until its completion; a call that never completes gives a
// failure with code "TIMEOUT".
ApiStatus waitFor(const std::function<void(ApiCompletion)> &start, int timeoutMs = 25000);
// The answer document of a call (empty when there was none).
QJsonObject answerOf(const ApiStatus &status);

// One plain HTTP exchange, waited for: the status (0 when none came) and the body.
struct HttpAnswer {
    int status = 0;
    QByteArray body;
    QJsonObject json() const;
};
HttpAnswer httpCall(const QString &url, const QByteArray &verb = "POST", const QByteArray &body = {},
                    const QByteArray &contentType = "application/json");

#include "GatewayFixture.h"

#include <memory>

class Operations;
class ServiceClient;

class GatewayCalls
{
public:
    using Op = void (Operations::*)(const ApiParameters &, ApiCompletion);

    // Starts the gateway (see GatewayFixture::isRunning) before the client, which reads its address.
    GatewayCalls();
    ~GatewayCalls();
    GatewayCalls(const GatewayCalls &) = delete;
    GatewayCalls &operator=(const GatewayCalls &) = delete;

    GatewayFixture *gateway() const { return m_gateway.get(); }
    ServiceClient *client() const { return m_client.get(); }
    Operations *ops() const { return m_ops.get(); }

    // Runs one operation of the catalogue with `params` and waits for its answer.
    ApiStatus call(Op op, const QJsonObject &params);

private:
    std::unique_ptr<GatewayFixture> m_gateway;
    std::unique_ptr<ServiceClient> m_client;
    std::unique_ptr<Operations> m_ops;
};
