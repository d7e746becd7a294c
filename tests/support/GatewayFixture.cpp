#include "GatewayFixture.h"

#include "SimHttp.h"

#include <QJsonDocument>

GatewayFixture::GatewayFixture() { start(GatewaySimulator::Options{}); }

GatewayFixture::GatewayFixture(const GatewaySimulator::Options &options) { start(options); }

void GatewayFixture::start(const GatewaySimulator::Options &options)
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
    quint16 port = 0;
    QString error;
    QMetaObject::invokeMethod(
        simulator, [&] { port = simulator->start(0, &error) ? simulator->port() : 0; }, Qt::BlockingQueuedConnection);
    m_port = port;
    m_error = error;
    if (!m_port)
        return;

    m_hadGateway = qEnvironmentVariableIsSet("ZELK_GATEWAY_URL");
    m_hadAnalytics = qEnvironmentVariableIsSet("ZELK_ANALYTICS_URL");
    m_previousGateway = qgetenv("ZELK_GATEWAY_URL");
    m_previousAnalytics = qgetenv("ZELK_ANALYTICS_URL");
    qputenv("ZELK_GATEWAY_URL", baseUrl().toUtf8());
    qputenv("ZELK_ANALYTICS_URL", baseUrl().toUtf8());
}

GatewayFixture::~GatewayFixture()
{
    if (m_port) {
        if (m_hadGateway)
            qputenv("ZELK_GATEWAY_URL", m_previousGateway);
        else
            qunsetenv("ZELK_GATEWAY_URL");
        if (m_hadAnalytics)
            qputenv("ZELK_ANALYTICS_URL", m_previousAnalytics);
        else
            qunsetenv("ZELK_ANALYTICS_URL");
    }
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
    for (const QJsonValue &v : requests()) {
        const QJsonObject request = v.toObject();
        if (request.value(QStringLiteral("path")).toString() != QLatin1String("/zelkgateway/api/zelkGWService"))
            continue;
        const QJsonObject envelope =
            QJsonDocument::fromJson(request.value(QStringLiteral("body")).toString().toUtf8()).object();
        if (envelope.value(QStringLiteral("ApiName")).toString() != apiName)
            continue;
        calls.append(QJsonDocument::fromJson(envelope.value(QStringLiteral("Body")).toString().toUtf8()).object());
    }
    return calls;
}

QList<QJsonObject> GatewayFixture::webServiceCalls(const QString &method) const
{
    QList<QJsonObject> calls;
    const QString path = QStringLiteral("/zelkgw/zelkapi.asmx/") + method;
    for (const QJsonValue &v : requests()) {
        const QJsonObject request = v.toObject();
        if (request.value(QStringLiteral("path")).toString() != path)
            continue;
        calls.append(decodeFormObject(request.value(QStringLiteral("body")).toString().toUtf8()));
    }
    return calls;
}

void GatewayFixture::clearRequests()
{
    if (m_simulator)
        m_simulator->clearRequestLog();
}

void GatewayFixture::reset()
{
    if (m_simulator)
        m_simulator->reset();
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

bool GatewayFixture::setFault(const QJsonObject &fault) { return m_simulator && m_simulator->setFault(fault); }

bool GatewayFixture::setVersionState(const QString &state, const QString &note, const QString &url)
{
    return m_simulator && m_simulator->setVersionState(state, note, url);
}

QJsonObject GatewayFixture::addPush(const QString &account, const QString &title, const QString &content)
{
    if (!m_simulator)
        return {};
    return m_simulator->addPush({{"account", account}, {"title", title}, {"content", content}});
}
