// The development gateway's fault modes, the requests it cannot read, its request log, and the
// zelk-gateway-sim executable itself.
#include "ExpectedJson.h"
#include "GatewayCalls.h"
#include "TestRegistry.h"

#include "services/Operations.h"
#include "services/ServiceClient.h"
#include "text/Localizer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {
const QJsonObject kDemoLogin{{"user_name", "demo"}, {"password", "62cc2d8b4bf2d8728120d052163a77df"}};
const QString kGatewayPath = QStringLiteral("/zelkgateway/api/zelkGWService");
const QString kVersionPath = QStringLiteral("/clickRateGW/api/checkVersion/json");
} // namespace

class GatewaySimFaultsTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<GatewayCalls> m_sim;

    ApiStatus login() { return m_sim->call(&Operations::login, kDemoLogin); }
    HttpAnswer raw(const QByteArray &verb, const QString &path, const QByteArray &body = {},
                   const QByteArray &type = "application/json", const QString &base = {})
    {
        return httpCall((base.isEmpty() ? m_sim->gateway()->baseUrl() : base) + path, verb, body, type);
    }

private slots:
    void initTestCase()
    {
        m_sim = std::make_unique<GatewayCalls>();
        QVERIFY2(m_sim->gateway()->isRunning(), qPrintable(m_sim->gateway()->errorString()));
    }
    void init() { m_sim->gateway()->reset(); }
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
        QVERIFY(m_sim->call(&Operations::clientList, {{"userID", "U10023"}}).isSuccess);
        m_sim->gateway()->reset();
        QVERIFY(login().isSuccess);
    }

    void delayAndTheVersionChecksFault()
    {
        // A delay within the client's limit still answers; one the client gave up on meets a closed
        // connection, and the gateway keeps serving.
        QVERIFY(m_sim->gateway()->setFault(QStringLiteral("login"), QStringLiteral("delay"), 300));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(login().isSuccess);
        QVERIFY(timer.elapsed() >= 250);
        m_sim->client()->setLimits(ServiceClient::kInactivityLimitMs, 400);
        QVERIFY(m_sim->gateway()->setFault(QStringLiteral("login"), QStringLiteral("delay"), 1500));
        QCOMPARE(login().returnCode, QStringLiteral("9999"));
        m_sim->client()->setLimits(ServiceClient::kInactivityLimitMs, ServiceClient::kTotalLimitMs);
        QTest::qWait(1300);
        QVERIFY(login().isSuccess);

        // The version check has its own key for the message; faults the gateway cannot apply are refused.
        QVERIFY(m_sim->gateway()->setFault(QStringLiteral("checkVersion"), QStringLiteral("code"), 0, true,
                                           QStringLiteral("0099"), QStringLiteral("維護中")));
        QCOMPARE(raw("POST", kVersionPath, "{\"osType\":\"0\"}").json()["returnMessage"].toString(), QStringLiteral("維護中"));
        QVERIFY(!m_sim->gateway()->setFault(QJsonObject{{"operation", "login"}, {"mode", "explode"}}));
        QVERIFY(!m_sim->gateway()->setFault(QJsonObject{{"operation", "login"}, {"mode", "delay"}}));
    }

    // Requests the gateway cannot read or serve: the HTTP status and, where it answers, the code and a
    // message naming what is wrong (tests/data/gatewaysim/badRequests.json; method, path and type default
    // to a POST of JSON to the gateway).
    void badRequests_data() { QVERIFY(zelktest::addFixtureRows(QStringLiteral("gatewaysim/badRequests"))); }
    void badRequests()
    {
        QFETCH(QJsonObject, row);
        const HttpAnswer r = raw(row.value("method").toString(QStringLiteral("POST")).toLatin1(),
                                 row.value("path").toString(kGatewayPath), row["body"].toString().toUtf8(),
                                 row.value("type").toString(QStringLiteral("application/json")).toLatin1());
        QCOMPARE(r.status, row["status"].toInt());
        if (!row.contains("code"))
            return;
        const QJsonObject answer = r.json();
        QCOMPARE(answer["returnCode"].toString(), row["code"].toString());
        const QString message = answer.contains("returnMsg") ? answer["returnMsg"].toString()
                                                             : answer["returnMessage"].toString();
        QVERIFY(!message.isEmpty());
        for (const QJsonValue part : row["mentions"].toArray())
            QVERIFY2(message.contains(part.toString()), qPrintable(message));
    }

    void requestLogRecordsWhatWasSent()
    {
        const QJsonObject history{{"userId", "U10023"}, {"lastNewsId", "5210"}};
        QVERIFY(login().isSuccess);
        QVERIFY(m_sim->call(&Operations::userPushHistory, history).isSuccess);
        raw("GET", QStringLiteral("/__sim/requests")); // admin routes are not recorded

        const QJsonArray log = m_sim->gateway()->requests();
        QCOMPARE(log.size(), 2);
        const QJsonObject first = log.at(0).toObject();
        QCOMPARE(first["method"].toString(), QStringLiteral("POST"));
        QCOMPARE(first["path"].toString(), kGatewayPath);
        QVERIFY(first["headers"]["Content-Type"].toString().startsWith(QStringLiteral("application/json")));
        QVERIFY(QJsonDocument::fromJson(first["body"].toString().toUtf8())["Body"].isString());
        QCOMPARE(m_sim->gateway()->gatewayCalls(QStringLiteral("login")), QList<QJsonObject>{kDemoLogin});
        QCOMPARE(m_sim->gateway()->webServiceCalls(QStringLiteral("userPushHistory")), QList<QJsonObject>{history});

        // The same log over HTTP, then emptied by a reset.
        QCOMPARE(QJsonDocument::fromJson(raw("GET", QStringLiteral("/__sim/requests")).body).array(), log);
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
        auto listSize = [&](const char *api, const QJsonObject &params, const char *key) {
            const QJsonObject envelope{{"ApiName", api}, {"Body", QString::fromUtf8(QJsonDocument(params).toJson())}};
            return int(raw("POST", kGatewayPath, QJsonDocument(envelope).toJson(), "application/json", base)
                           .json()[key].toArray().size());
        };
        QCOMPARE(listSize("clientList", {{"userID", "U10023"}}, "custList"), 500);
        QCOMPARE(listSize("ZSD_GET_MATNR_PRICE", {{"userID", "U10023"}, {"pVkorg", "1100"}, {"pVtweg", "10"}},
                          "matnrPriceList"),
                 80);
        QCOMPARE(raw("POST", kVersionPath, "{}", "application/json", base).json()["returnCode"].toString(),
                 QStringLiteral("0022"));
        process.terminate();
        QVERIFY(process.waitForFinished(5000));
    }
};

ZELK_TEST(GatewaySimFaultsTest)
#include "GatewaySimFaultsTest.moc"
