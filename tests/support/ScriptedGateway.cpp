#include "ScriptedGateway.h"

#include <QJsonDocument>
#include <QTcpServer>
#include <QTest>

QByteArray ScriptedGateway::Request::header(const QByteArray &name) const
{
    for (auto it = headers.begin(); it != headers.end(); ++it) {
        if (it.key().compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return it.value().toString().toUtf8();
    }
    return {};
}

QJsonObject ScriptedGateway::Request::json() const { return QJsonDocument::fromJson(body).object(); }

// A catch-all fault of the gateway: once-faults queue up in order, a lasting one answers the rest.
bool ScriptedGateway::script(const Reply &reply, bool once)
{
    static const char *const modes[] = {"reply", "never", "close"};
    return setFault(QJsonObject{{"operation", "*"},
                                {"once", once},
                                {"append", once},
                                {"delayMs", reply.delayMs},
                                {"mode", modes[int(reply.kind)]},
                                {"status", reply.status},
                                {"contentType", QString::fromUtf8(reply.contentType)},
                                {"body", QString::fromUtf8(reply.body)}});
}

QList<ScriptedGateway::Request> ScriptedGateway::requests() const
{
    QList<Request> list;
    for (const QJsonValue &v : GatewayFixture::requests()) {
        list.append({v["method"].toString().toLatin1(), v["path"].toString().toUtf8(),
                     v["headers"].toObject(), v["body"].toString().toUtf8()});
    }
    return list;
}

bool ScriptedGateway::waitForRequests(int count, int timeoutMs) const
{
    return QTest::qWaitFor([&] { return requestCount() >= count; }, timeoutMs);
}

quint16 ScriptedGateway::closedPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 1;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}
