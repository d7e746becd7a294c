#include "GatewayFixture.h"

#include "SimHttp.h"

#include <QJsonDocument>

namespace {
const char *const kAddresses[] = {"ZELK_GATEWAY_URL", "ZELK_ANALYTICS_URL"};
}

GatewayFixture::GatewayFixture(const GatewaySimulator::Options &options)
{
    m_thread.setObjectName(QStringLiteral("gateway-sim"));
    auto *simulator = new GatewaySimulator;
    if (!simulator->load(options, &m_error)) {
        delete simulator;
        return;
    }
    simulator->moveToThread(&m_thread);
    m_thread.start();
    m_simulator = simulator;
    // The caller waits while the gateway's thread fills in the port and the error.
    const auto start = [&] { m_port = simulator->start(0, &m_error) ? simulator->port() : 0; };
    QMetaObject::invokeMethod(simulator, start, Qt::BlockingQueuedConnection);
    for (int i = 0; m_port && i < 2; ++i) {
        if (qEnvironmentVariableIsSet(kAddresses[i]))
            m_previous[i] = qgetenv(kAddresses[i]);
        qputenv(kAddresses[i], baseUrl().toUtf8());
    }
}

GatewayFixture::~GatewayFixture()
{
    for (int i = 0; m_port && i < 2; ++i)
        m_previous[i] ? qputenv(kAddresses[i], *m_previous[i]) : qunsetenv(kAddresses[i]);
    if (m_simulator) {
        GatewaySimulator *simulator = m_simulator;
        // The server and its sockets belong to the simulator's thread: delete them there.
        QMetaObject::invokeMethod(simulator, [simulator] { delete simulator; }, Qt::BlockingQueuedConnection);
        m_simulator = nullptr;
    }
    m_thread.quit();
    m_thread.wait();
}

QString GatewayFixture::baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }

QJsonArray GatewayFixture::requests() const { return m_simulator ? m_simulator->requestLog() : QJsonArray(); }

QList<QJsonObject> GatewayFixture::gatewayCalls(const QString &apiName) const
{
    QList<QJsonObject> calls;
    const auto json = [](const QJsonValue &t) { return QJsonDocument::fromJson(t.toString().toUtf8()); };
    for (const QJsonValue &v : requests()) {
        const QJsonObject envelope = json(v[QLatin1String("body")]).object();
        if (v[QLatin1String("path")] == QLatin1String("/zelkgateway/api/zelkGWService") &&
            envelope[QLatin1String("ApiName")] == apiName)
            calls.append(json(envelope[QLatin1String("Body")]).object());
    }
    return calls;
}

QList<QJsonObject> GatewayFixture::webServiceCalls(const QString &method) const
{
    QList<QJsonObject> calls;
    for (const QJsonValue &v : requests()) {
        if (v[QLatin1String("path")] == QStringLiteral("/zelkgw/zelkapi.asmx/") + method)
            calls.append(decodeFormObject(v[QLatin1String("body")].toString().toUtf8()));
    }
    return calls;
}

void GatewayFixture::clearRequests()
{
    if (m_simulator)
        m_simulator->clearRequestLog();
}

bool GatewayFixture::setFault(const QString &operation, const QString &mode, int delayMs, bool once,
                              const QString &returnCode, const QString &message)
{
    QJsonObject fault{{"operation", operation}, {"mode", mode}, {"delayMs", delayMs}, {"once", once}};
    if (!returnCode.isEmpty())
        fault.insert(QStringLiteral("returnCode"), returnCode);
    if (!message.isNull())
        fault.insert(QStringLiteral("returnMsg"), message);
    return setFault(fault);
}

bool GatewayFixture::setAnswer(const QString &operation, const QByteArray &body, int delayMs)
{
    return setFault(QJsonObject{{"operation", operation},
                                {"mode", "reply"},
                                {"once", false},
                                {"delayMs", delayMs},
                                {"status", 200},
                                {"contentType", "application/json"},
                                {"body", QString::fromUtf8(body)}});
}
