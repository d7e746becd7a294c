// Faults, bad requests and the request log of the development gateway, and the
// zelk-gateway-sim executable itself.
#include "ExpectedJson.h"
#include "GatewayCalls.h"
#include "TestRegistry.h"

#include "model/MasterData.h"
#include "services/Operations.h"
#include "services/ServiceClient.h"
#include "text/Localizer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>

#include <memory>

namespace {
const QJsonObject kDemoLogin{{"user_name", "demo"}, {"password", "62cc2d8b4bf2d8728120d052163a77df"}};
}

class GatewaySimFaultsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<GatewayCalls> m_sim;

    ApiStatus login() { return waitFor([&](ApiCompletion done) { m_sim->ops()->login(kDemoLogin, std::move(done)); }); }

    HttpAnswer raw(const QByteArray &verb, const QString &path, const QByteArray &body = QByteArray(),
                   const QByteArray &contentType = "application/json", const QString &base = QString())
    {
        return httpCall((base.isEmpty() ? m_sim->gateway()->baseUrl() : base) + path, verb, body, contentType);
    }

private slots:
    void initTestCase()
    {
        m_sim = std::make_unique<GatewayCalls>();
        QVERIFY2(m_sim->gateway()->isRunning(), qPrintable(m_sim->gateway()->errorString()));
    }
    void init()
    {
        m_sim->gateway()->reset();
        m_sim->client()->setLimits(ServiceClient::kInactivityLimitMs, ServiceClient::kTotalLimitMs);
    }
    void cleanupTestCase() { m_sim.reset(); }

    // A fault on login as the client reports it: once, or until a reset (tests/data/gatewaysim/faultModes.json;
    // the message as the user reads it, looked up). "close" breaks off in the body: a lost connection however
    // the client's HTTP stack orders the last bytes and the close.
    void faultModes_data() { QVERIFY(zelktest::addFixtureRows(QStringLiteral("gatewaysim/faultModes"))); }
    void faultModes()
    {
        QFETCH(QJsonObject, row);
        const QString mode = row["mode"].toString();
        const bool once = row["once"].toBool();
        QVERIFY(m_sim->gateway()->setFault(QStringLiteral("login"), mode, 0, once, QStringLiteral("42"),
                                           QStringLiteral("系統忙碌中")));
        for (int i = 0; i < 2; ++i) {
            const ApiStatus s = login();
            if (once && i == 1) { // used up
                QVERIFY(s.isSuccess);
                break;
            }
            QVERIFY(!s.isSuccess);
            QCOMPARE(s.returnCode, row["code"].toString());
            QCOMPARE(s.message, localized(row["message"].toString()));
            QCOMPARE(s.returnJson.has_value(), mode == QLatin1String("code"));
        }
        // Other operations are not touched; a reset ends the fault.
        QVERIFY(waitFor([&](ApiCompletion done) { m_sim->ops()->clientList(QJsonObject{{"userID", "U10023"}}, std::move(done)); }).isSuccess);
        m_sim->gateway()->reset();
        QVERIFY(login().isSuccess);
    }

    void delayAndTheVersionChecksFault()
    {
        // A delay within the client's limit still answers; past it the client reports a transport failure.
        QVERIFY(m_sim->gateway()->setFault(QStringLiteral("login"), QStringLiteral("delay"), 300));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(login().isSuccess);
        QVERIFY(timer.elapsed() >= 250);
        m_sim->client()->setLimits(ServiceClient::kInactivityLimitMs, 400);
        QVERIFY(m_sim->gateway()->setFault(QStringLiteral("login"), QStringLiteral("delay"), 1500));
        const ApiStatus late = login();
        QCOMPARE(late.returnCode, QStringLiteral("9999"));
        QCOMPARE(late.message, localized(QStringLiteral("無法連結伺服器，麻煩稍後再試")));
        QTest::qWait(1300); // the late answer meets a closed connection; the gateway keeps serving
        QVERIFY(login().isSuccess);

        // The version check has its own key for the message.
        QVERIFY(m_sim->gateway()->setFault(QStringLiteral("checkVersion"), QStringLiteral("code"), 0, true,
                                           QStringLiteral("0099"), QStringLiteral("維護中")));
        const HttpAnswer version = raw("POST", QStringLiteral("/clickRateGW/api/checkVersion/json"), "{\"osType\":\"0\"}");
        QCOMPARE(version.json().value(QStringLiteral("returnMessage")).toString(), QStringLiteral("維護中"));
        QVERIFY(!m_sim->gateway()->setFault(QJsonObject{{"operation", "login"}, {"mode", "explode"}}));
        QVERIFY(!m_sim->gateway()->setFault(QJsonObject{{"operation", "login"}, {"mode", "delay"}}));
    }

    void badRequestsGetAClearAnswer()
    {
        ApiStatus s = waitFor([&](ApiCompletion done) { m_sim->client()->callGateway(QStringLiteral("noSuchOperation"), std::nullopt, done); });
        QVERIFY(!s.isSuccess);
        QVERIFY(s.message.contains(QStringLiteral("noSuchOperation")));
        s = waitFor([&](ApiCompletion done) { m_sim->ops()->login(std::nullopt, std::move(done)); }); // "Body" is ""
        QCOMPARE(s.returnCode, QStringLiteral("02"));
        QVERIFY(s.message.contains(QStringLiteral("user_name")) && s.message.contains(QStringLiteral("password")));

        const QString gateway = QStringLiteral("/zelkgateway/api/zelkGWService");
        QCOMPARE(raw("GET", gateway).status, 405);
        QCOMPARE(raw("POST", QStringLiteral("/zelkgw/zelkapi.asmx/noSuchMethod"), "a=1",
                     "application/x-www-form-urlencoded").json().value(QStringLiteral("returnCode")).toString(),
                 QStringLiteral("9004"));
        QVERIFY(raw("POST", QStringLiteral("/clickRateGW/api/checkVersion/json"), "{").json()
                    .value(QStringLiteral("returnMessage")).isString());
        QCOMPARE(raw("GET", QStringLiteral("/elsewhere")).status, 404);

        // Malformed HTTP on a raw socket does not bring the gateway down.
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, QUrl(m_sim->gateway()->baseUrl()).port());
        QVERIFY(socket.waitForConnected(5000));
        socket.write("\x01\x02 NONSENSE \xff\r\n\r\n\r\n");
        QVERIFY(socket.waitForBytesWritten(5000));
        socket.waitForDisconnected(2000);
        QVERIFY(login().isSuccess);
    }

    // Envelopes the gateway cannot read: 400 with the code saying why (tests/data/gatewaysim/badRequests.json).
    void badEnvelopes_data() { QVERIFY(zelktest::addFixtureRows(QStringLiteral("gatewaysim/badRequests"))); }
    void badEnvelopes()
    {
        QFETCH(QJsonObject, row);
        const HttpAnswer r = raw("POST", QStringLiteral("/zelkgateway/api/zelkGWService"), row["body"].toString().toUtf8());
        QCOMPARE(r.status, 400);
        QCOMPARE(r.json().value(QStringLiteral("returnCode")).toString(), row["code"].toString());
        QVERIFY(!r.json().value(QStringLiteral("returnMsg")).toString().isEmpty());
    }

    void requestLogRecordsWhatWasSent()
    {
        QVERIFY(login().isSuccess);
        QVERIFY(waitFor([&](ApiCompletion done) {
            m_sim->ops()->userPushHistory(QJsonObject{{"userId", "U10023"}, {"lastNewsId", "5210"}}, std::move(done));
        }).isSuccess);
        raw("GET", QStringLiteral("/__sim/requests")); // admin routes are not recorded

        const QJsonArray log = m_sim->gateway()->requests();
        QCOMPARE(log.size(), 2);
        const QJsonObject first = log.at(0).toObject();
        QCOMPARE(first.value(QStringLiteral("method")).toString(), QStringLiteral("POST"));
        QCOMPARE(first.value(QStringLiteral("path")).toString(), QStringLiteral("/zelkgateway/api/zelkGWService"));
        QVERIFY(first.value(QStringLiteral("headers")).toObject().value(QStringLiteral("Content-Type")).toString()
                    .startsWith(QStringLiteral("application/json")));
        const QJsonObject envelope = QJsonDocument::fromJson(first.value(QStringLiteral("body")).toString().toUtf8()).object();
        QCOMPARE(envelope.value(QStringLiteral("ApiName")).toString(), QStringLiteral("login"));
        QVERIFY(envelope.value(QStringLiteral("Body")).isString());
        QCOMPARE(m_sim->gateway()->gatewayCalls(QStringLiteral("login")), QList<QJsonObject>{kDemoLogin});
        QCOMPARE(m_sim->gateway()->webServiceCalls(QStringLiteral("userPushHistory")),
                 (QList<QJsonObject>{QJsonObject{{"userId", "U10023"}, {"lastNewsId", "5210"}}}));

        // The same log over HTTP, then emptied by a reset.
        const QJsonArray overHttp = QJsonDocument::fromJson(raw("GET", QStringLiteral("/__sim/requests")).body).array();
        QCOMPARE(overHttp, log);
        QCOMPARE(raw("POST", QStringLiteral("/__sim/reset")).status, 200);
        QVERIFY(m_sim->gateway()->requests().isEmpty());
    }

    void executableListensAndServesGeneratedLists()
    {
        const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/gateway-sim/zelk-gateway-sim");
        if (!QFileInfo::exists(program))
            QSKIP("zelk-gateway-sim is not built next to the tests");
        QProcess process;
        process.start(program, {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--customers"),
                                QStringLiteral("500"), QStringLiteral("--materials"), QStringLiteral("80"),
                                QStringLiteral("--version-state"), QStringLiteral("optional")});
        QVERIFY(process.waitForStarted(5000));
        QVERIFY(QTest::qWaitFor([&] { return process.canReadLine(); }, 10000));
        const QString line = QString::fromUtf8(process.readLine());
        const auto match = QRegularExpression(QStringLiteral("^listening on (http://127\\.0\\.0\\.1:\\d+)\n$")).match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        const QString base = match.captured(1);

        const QByteArray clients = "{\"ApiName\":\"clientList\",\"Body\":\"{\\\"userID\\\":\\\"U10023\\\"}\"}";
        QCOMPARE(parseList<OrderCustomer>(raw("POST", QStringLiteral("/zelkgateway/api/zelkGWService"), clients,
                                              "application/json", base).json(), QStringLiteral("custList")).size(), 500);
        const QByteArray prices = "{\"ApiName\":\"ZSD_GET_MATNR_PRICE\",\"Body\":\"{\\\"userID\\\":\\\"U10023\\\",\\\"pVkorg\\\":\\\"1100\\\",\\\"pVtweg\\\":\\\"10\\\"}\"}";
        QCOMPARE(parseList<OrderItem>(raw("POST", QStringLiteral("/zelkgateway/api/zelkGWService"), prices,
                                          "application/json", base).json(), QStringLiteral("matnrPriceList")).size(), 80);
        QCOMPARE(raw("POST", QStringLiteral("/clickRateGW/api/checkVersion/json"), "{}", "application/json", base)
                     .json().value(QStringLiteral("returnCode")).toString(), QStringLiteral("0022"));
        process.terminate();
        QVERIFY(process.waitForFinished(5000));

    }
};

ZELK_TEST(GatewaySimFaultsTest)
#include "GatewaySimFaultsTest.moc"
