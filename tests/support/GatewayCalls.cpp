#include "GatewayCalls.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTest>

#include <optional>

ApiStatus waitFor(const std::function<void(ApiCompletion)> &start, int timeoutMs)
{
    std::optional<ApiStatus> result;
    start([&](const ApiStatus &status) { result = status; });
    (void)QTest::qWaitFor([&] { return result.has_value(); }, timeoutMs);
    return result.value_or(ApiStatus{false, QStringLiteral("TIMEOUT"), QStringLiteral("no completion"), std::nullopt});
}

QJsonObject answerOf(const ApiStatus &status)
{
    return status.returnJson ? status.returnJson->object() : QJsonObject();
}

QJsonObject HttpAnswer::json() const { return QJsonDocument::fromJson(body).object(); }

HttpAnswer httpCall(const QString &url, const QByteArray &verb, const QByteArray &body, const QByteArray &contentType)
{
    QNetworkAccessManager network;
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    QNetworkReply *reply = network.sendCustomRequest(request, verb, body);
    (void)QTest::qWaitFor([&] { return reply->isFinished(); }, 10000);
    return {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll()};
}

#include "services/Operations.h"
#include "services/ServiceClient.h"

GatewayCalls::GatewayCalls()
    : m_gateway(std::make_unique<GatewayFixture>()),
      m_client(std::make_unique<ServiceClient>()),
      m_ops(std::make_unique<Operations>(*m_client))
{
}

// Members go in reverse order: the catalogue, the client, then the gateway.
GatewayCalls::~GatewayCalls() = default;

ApiStatus GatewayCalls::call(Op op, const QJsonObject &params)
{
    return waitFor([&](ApiCompletion done) { (m_ops.get()->*op)(params, std::move(done)); });
}
