#include "ScriptedGateway.h"

#include "SimHttp.h"

#include <QJsonDocument>
#include <QTcpServer>
#include <QTest>

QByteArray ScriptedGateway::Request::header(const QByteArray &name) const
{
    for (const auto &pair : headers) {
        if (pair.first.compare(name, Qt::CaseInsensitive) == 0)
            return pair.second;
    }
    return {};
}

QJsonObject ScriptedGateway::Request::json() const { return QJsonDocument::fromJson(body).object(); }

QString ScriptedGateway::Request::formValue(const QString &key) const
{
    return decodeFormObject(body).value(key).toString();
}

ScriptedGateway::ScriptedGateway()
{
    setDefaultReply(Reply::json(QByteArrayLiteral("{\"returnCode\":\"00\",\"returnMsg\":\"OK\"}")));
}

bool ScriptedGateway::script(const Reply &reply, bool once)
{
    QJsonObject fault{{"operation", "*"}, {"once", once}, {"append", once}, {"delayMs", reply.delayMs}};
    switch (reply.kind) {
    case Reply::Kind::NeverAnswer:
        fault.insert(QStringLiteral("mode"), QStringLiteral("never"));
        break;
    case Reply::Kind::Close:
        fault.insert(QStringLiteral("mode"), QStringLiteral("close"));
        break;
    case Reply::Kind::Answer:
        fault.insert(QStringLiteral("mode"), QStringLiteral("reply"));
        fault.insert(QStringLiteral("status"), reply.status);
        fault.insert(QStringLiteral("contentType"), QString::fromUtf8(reply.contentType));
        fault.insert(QStringLiteral("body"), QString::fromUtf8(reply.body));
        break;
    }
    return m_gateway.setFault(fault);
}

void ScriptedGateway::enqueue(const Reply &reply) { script(reply, true); }

void ScriptedGateway::setDefaultReply(const Reply &reply)
{
    // A lasting fault replaces the earlier lasting one; enqueued once-faults keep coming first.
    script(reply, false);
}

QList<ScriptedGateway::Request> ScriptedGateway::requests() const
{
    QList<Request> list;
    for (const QJsonValue &value : m_gateway.requests()) {
        const QJsonObject o = value.toObject();
        Request r;
        r.method = o.value(QStringLiteral("method")).toString().toLatin1();
        r.path = o.value(QStringLiteral("path")).toString().toUtf8();
        const QJsonObject headers = o.value(QStringLiteral("headers")).toObject();
        for (auto it = headers.begin(); it != headers.end(); ++it)
            r.headers.append({it.key().toLatin1(), it.value().toString().toUtf8()});
        r.body = o.value(QStringLiteral("body")).toString().toUtf8();
        list.append(r);
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
