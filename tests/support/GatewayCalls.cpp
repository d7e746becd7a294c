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
