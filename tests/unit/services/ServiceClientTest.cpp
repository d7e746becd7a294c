#include "ScriptedGateway.h"
#include "TestRegistry.h"
#include "services/ApiStatus.h"
#include "text/Localizer.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QMap>
#include <QTest>

namespace {

const QString kCannotConnect = QStringLiteral("無法連結伺服器，麻煩稍後再試");
const QString kUnparsable = QStringLiteral("無法解析回覆，請稍候再試");
const QString kUnknown = QStringLiteral("未知的錯誤，請稍候再試");

using Reply = ScriptedGateway::Reply;

// Runs one call and waits for its completion on this (the main) thread.
std::optional<ApiStatus> completed(const std::function<void(ApiCompletion)> &call, int timeoutMs = 5000)
{
    std::optional<ApiStatus> result;
    bool onMainThread = false;
    call([&](const ApiStatus &status) {
        onMainThread = QThread::currentThread() == qApp->thread();
        result = status;
    });
    if (!QTest::qWaitFor([&] { return result.has_value(); }, timeoutMs))
        return std::nullopt;
    if (!onMainThread)
        qWarning("completion ran off the main thread");
    return onMainThread ? result : std::nullopt;
}

QJsonObject parseObject(const QString &text) { return QJsonDocument::fromJson(text.toUtf8()).object(); }

} // namespace

class ServiceClientTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ScriptedGateway> m_server;
    std::unique_ptr<ServiceClient> m_client;

    void pointGatewayAt(quint16 port)
    {
        qputenv("ZELK_GATEWAY_URL", QByteArray("http://127.0.0.1:") + QByteArray::number(port));
    }

private slots:
    void initTestCase() { Localizer::instance().load({QStringLiteral("zh-TW")}); }

    void init()
    {
        m_server = std::make_unique<ScriptedGateway>();
        pointGatewayAt(m_server->port());
        m_client = std::make_unique<ServiceClient>();
    }

    void cleanup()
    {
        m_client.reset();
        m_server.reset();
        qunsetenv("ZELK_GATEWAY_URL");
        qunsetenv("ZELK_ANALYTICS_URL");
        Localizer::instance().load({QStringLiteral("zh-TW")});
    }

    void answersAreEvaluated_data()
    {
        QTest::addColumn<int>("httpStatus");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("success");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("hasJson");

        const QByteArray json = "application/json";
        QTest::newRow("returnMsg OK") << 200 << json << QByteArray(R"({"returnCode":"00","returnMsg":"OK","x":1})")
                                      << true << "00" << "OK" << true;
        QTest::newRow("code 01 with returnMessage only")
            << 200 << json << QByteArray(R"({"returnCode":"01","returnMessage":"X"})") << false << "01" << "X" << true;
        QTest::newRow("returnMsg null wins over returnMessage")
            << 200 << json << QByteArray(R"({"returnCode":"00","returnMsg":null,"returnMessage":"Y"})") << false
            << "9999" << kUnknown << true;
        QTest::newRow("returnMsg a number") << 200 << json << QByteArray(R"({"returnCode":"00","returnMsg":5})")
                                            << false << "9999" << kUnknown << true;
        QTest::newRow("numeric returnCode 0") << 200 << json << QByteArray(R"({"returnCode":0,"returnMsg":"OK"})")
                                              << false << "9999" << kUnknown << true;
        QTest::newRow("returnCode missing") << 200 << json << QByteArray(R"({"returnMsg":"OK"})") << false << "9999"
                                            << kUnknown << true;
        QTest::newRow("no message member") << 200 << json << QByteArray(R"({"returnCode":"00"})") << false << "9999"
                                           << kUnknown << true;
        QTest::newRow("top-level array") << 200 << json << QByteArray("[1,2]") << false << "9999" << kUnknown << true;
        QTest::newRow("server message kept verbatim")
            << 200 << json << QByteArray(R"({"returnCode":"E7","returnMsg":"帳號或密碼錯誤"})") << false << "E7"
            << QStringLiteral("帳號或密碼錯誤") << true;
        QTest::newRow("HTML error page, status 500")
            << 500 << QByteArray("text/html") << QByteArray("<html><body>Internal Server Error</body></html>")
            << false << "9999" << kUnparsable << false;
        QTest::newRow("JSON success with status 500")
            << 500 << json << QByteArray(R"({"returnCode":"00","returnMsg":"OK"})") << true << "00" << "OK" << true;
        QTest::newRow("JSON failure with status 404")
            << 404 << json << QByteArray(R"({"returnCode":"02","returnMsg":"none"})") << false << "02" << "none"
            << true;
        QTest::newRow("JSON failure with status 400")
            << 400 << json << QByteArray(R"({"returnCode":"03","returnMsg":"bad"})") << false << "03" << "bad"
            << true;
        QTest::newRow("empty body") << 200 << json << QByteArray() << false << "9999" << kUnparsable << false;
        QTest::newRow("truncated JSON") << 200 << json << QByteArray(R"({"returnCode":"00","returnMsg":)") << false
                                        << "9999" << kUnparsable << false;
    }

    void answersAreEvaluated()
    {
        QFETCH(int, httpStatus);
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, body);
        m_server->enqueue(Reply::text(httpStatus, contentType, body));
        const auto status = completed([&](ApiCompletion done) { m_client->callGateway("login", {}, done); });
        QVERIFY(status);
        QTEST(status->isSuccess, "success");
        QTEST(status->returnCode, "code");
        QTEST(status->message, "message");
        QTEST(status->returnJson.has_value(), "hasJson");
        if (status->returnJson)
            QCOMPARE(status->returnJson->toJson(QJsonDocument::Compact),
                     QJsonDocument::fromJson(body).toJson(QJsonDocument::Compact));
    }

    void transportFailures()
    {
        // The server never answers: the total limit ends the request, well before the inactivity limit.
        m_client->setLimits(10000, 300);
        m_server->enqueue(Reply::never());
        QElapsedTimer clock;
        clock.start();
        auto status = completed([&](ApiCompletion done) { m_client->callGateway("login", {}, done); });
        QVERIFY(status);
        QVERIFY2(clock.elapsed() < 3000, "the total limit did not end the request");
        QCOMPARE(status->isSuccess, false);
        QCOMPARE(status->returnCode, QStringLiteral("9999"));
        QCOMPARE(status->message, kCannotConnect);
        QVERIFY(!status->returnJson);

        // Inactivity alone also ends a silent request.
        m_client->setLimits(300, 10000);
        m_server->enqueue(Reply::never());
        clock.restart();
        status = completed([&](ApiCompletion done) { m_client->callGateway("login", {}, done); });
        QVERIFY(status);
        QVERIFY(clock.elapsed() < 3000);
        QCOMPARE(status->message, kCannotConnect);

        // An answer that comes late but within the limits is evaluated normally.
        m_client->setLimits(2000, 2000);
        m_server->enqueue(Reply::json(R"({"returnCode":"00","returnMsg":"late"})").delayed(200));
        status = completed([&](ApiCompletion done) { m_client->callGateway("login", {}, done); });
        QVERIFY(status);
        QCOMPARE(status->isSuccess, true);
        QCOMPARE(status->message, QStringLiteral("late"));

        // The connection is closed without an answer (the network layer retries once, so every time).
        m_server->setDefaultReply(Reply::close());
        status = completed([&](ApiCompletion done) { m_client->callWebService("userPushHistory", {}, done); });
        QVERIFY(status);
        QCOMPARE(status->returnCode, QStringLiteral("9999"));
        QCOMPARE(status->message, kCannotConnect);

        // Nobody listens on the port; the fixed text is localised for the display language.
        Localizer::instance().load({QStringLiteral("en-US")});
        pointGatewayAt(ScriptedGateway::closedPort());
        status = completed([&](ApiCompletion done) { m_client->callGateway("login", {}, done); });
        QVERIFY(status);
        QCOMPARE(status->isSuccess, false);
        QCOMPARE(status->returnCode, QStringLiteral("9999"));
        QCOMPARE(status->message, QStringLiteral("Cannot reach the server, please try again later"));

        // A transport failure wins even over a body that would parse.
        RawResponse raw;
        raw.transportError = QStringLiteral("reset");
        raw.body = QByteArray(R"({"returnCode":"00","returnMsg":"OK"})");
        QCOMPARE(ServiceClient::evaluate(raw).message, QStringLiteral("Cannot reach the server, please try again later"));
        raw.transportError.clear();
        raw.body.reset();
        QCOMPARE(ServiceClient::evaluate(raw).message, QStringLiteral("The reply could not be read, please try again later"));
    }

    void gatewayRequestIsAnEnvelope()
    {
        Operations operations(*m_client);
        const QJsonObject parameters{{"user_name", "amy"}, {"password", Operations::md5Hex("secret")}};
        QVERIFY(completed([&](ApiCompletion done) { operations.login(parameters, done); }));
        QVERIFY(completed([&](ApiCompletion done) { operations.getBoardsList(std::nullopt, done); }));
        const QJsonObject order{{"userID", "U1"},
                                {"eipOrder2List", QJsonArray{QJsonObject{{"kwmeng", "3.0"}, {"matnr", "M-1"}}}}};
        QVERIFY(completed([&](ApiCompletion done) { operations.ZSD_CREATE_EIP_ORDER2(order, done); }));

        const auto requests = m_server->requests();
        QCOMPARE(requests.size(), 3);
        for (const auto &request : requests) {
            QCOMPARE(request.method, QByteArray("POST"));
            QCOMPARE(request.path, QByteArray("/zelkgateway/api/zelkGWService"));
            QCOMPARE(request.header("Content-Type"), QByteArray("application/json"));
            QCOMPARE(request.json().keys(), (QStringList{"ApiName", "Body"}));
            QVERIFY(request.json().value("Body").isString());
        }

        // Parameters travel as indented JSON text inside the "Body" string.
        QCOMPARE(requests[0].json().value("ApiName").toString(), QStringLiteral("login"));
        const QString loginBody = requests[0].json().value("Body").toString();
        QVERIFY2(loginBody.contains(QStringLiteral("\n    \"password\": ")), qPrintable(loginBody));
        QCOMPARE(parseObject(loginBody), parameters);

        // Without parameters "Body" is the empty string.
        QCOMPARE(requests[1].json().value("ApiName").toString(), QStringLiteral("getBoardsList"));
        QCOMPARE(requests[1].json().value("Body"), QJsonValue(QString()));

        // The order submission is compact.
        QCOMPARE(requests[2].json().value("ApiName").toString(), QStringLiteral("ZSD_CREATE_EIP_ORDER2"));
        const QString orderBody = requests[2].json().value("Body").toString();
        QVERIFY2(!orderBody.contains(QLatin1Char('\n')) && !orderBody.contains(QStringLiteral(": ")),
                 qPrintable(orderBody));
        QCOMPARE(parseObject(orderBody), order);
    }

    // The typed operations of the order query, boards, notifications and account write these keys.
    void typedOperationsSendTheirKeys_data()
    {
        QTest::addColumn<QString>("apiName");
        QTest::addColumn<QJsonObject>("sent");
        QTest::newRow("login") << "login"
                               << QJsonObject{{"user_name", " Amy "}, {"password", Operations::md5Hex("secret")}};
        QTest::newRow("password change, no id")
            << "modAppPwd" << QJsonObject{{"password", Operations::md5Hex("old")}, {"newPassword", Operations::md5Hex("new")}};
        QTest::newRow("password change") << "modAppPwd"
                                         << QJsonObject{{"userID", "U7"},
                                                        {"password", Operations::md5Hex("old")},
                                                        {"newPassword", Operations::md5Hex("new")}};
        QTest::newRow("order query, full")
            << "ZSD_QUERY_ORDER"
            << QJsonObject{{"userID", "U7"},     {"pBukrs", "1000"},       {"pWerks", "1100"},
                           {"pBegdat", "20240131"}, {"pEnddat", "20240302"}, {"pKunnr", "0000100101"}};
        QTest::newRow("order query, reversed days, by number")
            << "ZSD_QUERY_ORDER" << QJsonObject{{"pBegdat", "20240131"}, {"pEnddat", "20240302"}, {"pVbeln", "0010004415"}};
        QTest::newRow("boards") << "getBoardsList" << QJsonObject{{"userID", "U7"}};
        QTest::newRow("notifications") << "userPushHistory" << QJsonObject{{"userId", "U7"}, {"lastNewsId", "N12"}};
    }

    void typedOperationsSendTheirKeys()
    {
        QFETCH(QString, apiName);
        QFETCH(QJsonObject, sent);
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        Operations operations(*m_client);
        const QDate jan31(2024, 1, 31);
        const QDate mar2(2024, 3, 2);
        const QMap<QString, std::function<void(ApiCompletion)>> calls{
            {"login", [&](ApiCompletion done) { operations.login(" Amy ", "secret", nullptr, done); }},
            {"password change, no id",
             [&](ApiCompletion done) { operations.modAppPwd(std::nullopt, "old", "new", nullptr, done); }},
            {"password change",
             [&](ApiCompletion done) { operations.modAppPwd(QStringLiteral("U7"), "old", "new", nullptr, done); }},
            {"order query, full",
             [&](ApiCompletion done) {
                 operations.ZSD_QUERY_ORDER({"U7", "1000", "1100", jan31, mar2, "0000100101", std::nullopt}, nullptr, done);
             }},
            {"order query, reversed days, by number",
             [&](ApiCompletion done) {
                 operations.ZSD_QUERY_ORDER({std::nullopt, std::nullopt, std::nullopt, mar2, jan31, std::nullopt,
                                             "0010004415"},
                                            nullptr, done);
             }},
            {"boards", [&](ApiCompletion done) { operations.getBoardsList(QStringLiteral("U7"), nullptr, done); }},
            {"notifications",
             [&](ApiCompletion done) { operations.userPushHistory(QStringLiteral("U7"), QStringLiteral("N12"), nullptr, done); }},
        };
        QVERIFY(calls.contains(tag));
        QVERIFY(completed(calls.value(tag)));
        const auto request = m_server->requests().constLast();
        if (apiName == QLatin1String("userPushHistory")) {
            QCOMPARE(request.path, QByteArray("/zelkgw/zelkapi.asmx/userPushHistory"));
            QCOMPARE(request.body.count('&'), int(sent.size()) - 1);
            for (auto it = sent.begin(); it != sent.end(); ++it)
                QCOMPARE(request.formValue(it.key()), it.value().toString());
        } else {
            QCOMPARE(request.json().value("ApiName").toString(), apiName);
            QCOMPARE(parseObject(request.json().value("Body").toString()), sent);
        }
    }

    void webServiceSendsAForm()
    {
        m_server->enqueue(Reply::json(R"({"returnCode":"01","returnMessage":"X"})"));
        const QString tricky = QStringLiteral("a+b&c=d %/é中");
        const QJsonObject parameters{{"token", "AB12CD"}, {"userId", tricky}, {"os", "0"}, {"n", 12}, {"f", 2.5}};
        const auto status = completed([&](ApiCompletion done) {
            m_client->callWebService("pushRegistration", parameters, done);
        });
        QVERIFY(status);
        // Evaluated exactly like a gateway answer.
        QCOMPARE(status->isSuccess, false);
        QCOMPARE(status->returnCode, QStringLiteral("01"));
        QCOMPARE(status->message, QStringLiteral("X"));

        const auto request = m_server->requests().constLast();
        QCOMPARE(request.path, QByteArray("/zelkgw/zelkapi.asmx/pushRegistration"));
        QVERIFY(request.header("Content-Type").startsWith("application/x-www-form-urlencoded"));
        QCOMPARE(request.body.count('&'), 4); // five fields, the '&' in the value is encoded
        QVERIFY2(!request.body.contains('+') && !request.body.contains(' '), request.body.constData());
        QCOMPARE(request.formValue("userId"), tricky);
        QCOMPARE(request.formValue("token"), QStringLiteral("AB12CD"));
        QCOMPARE(request.formValue("os"), QStringLiteral("0"));
        QCOMPARE(request.formValue("n"), QStringLiteral("12"));
        QCOMPARE(request.formValue("f"), QStringLiteral("2.5"));
        QCOMPARE(ServiceClient::formBody(std::nullopt), QByteArray());
    }

    void addressesFollowTheEnvironment()
    {
        qunsetenv("ZELK_GATEWAY_URL");
        qunsetenv("ZELK_ANALYTICS_URL");
        QCOMPARE(ServiceClient::gatewayUrl(), QUrl(ZELK_GATEWAY_BASE "/zelkgateway/api/zelkGWService"));
        QCOMPARE(ServiceClient::webServiceUrl("userPushHistory"),
                 QUrl(ZELK_GATEWAY_BASE "/zelkgw/zelkapi.asmx/userPushHistory"));
        QCOMPARE(ServiceClient::versionCheckUrl(), QUrl(ZELK_ANALYTICS_BASE "/clickRateGW/api/checkVersion/json"));

        qputenv("ZELK_GATEWAY_URL", "http://127.0.0.1:8080");
        qputenv("ZELK_ANALYTICS_URL", "http://localhost:9090/ignored/path");
        QCOMPARE(ServiceClient::gatewayUrl(), QUrl("http://127.0.0.1:8080/zelkgateway/api/zelkGWService"));
        QCOMPARE(ServiceClient::webServiceUrl("pushRegistration"),
                 QUrl("http://127.0.0.1:8080/zelkgw/zelkapi.asmx/pushRegistration"));
        QCOMPARE(ServiceClient::versionCheckUrl(), QUrl("http://localhost:9090/clickRateGW/api/checkVersion/json"));

        // Unusable values are ignored.
        qputenv("ZELK_GATEWAY_URL", "not an address");
        QCOMPARE(ServiceClient::gatewayUrl(), QUrl(ZELK_GATEWAY_BASE "/zelkgateway/api/zelkGWService"));
        qputenv("ZELK_GATEWAY_URL", "ftp://127.0.0.1:21");
        QCOMPARE(ServiceClient::gatewayUrl(), QUrl(ZELK_GATEWAY_BASE "/zelkgateway/api/zelkGWService"));
    }

    void listFetchParameters()
    {
        const auto ask = [&](const QString &kind) {
            m_server->clearRequests();
            m_client->fetchList(kind, {});
            return m_server->waitForRequests(1) ? parseObject(m_server->requests().constLast().json().value("Body").toString())
                                                : QJsonObject{{"no request", kind}};
        };
        // Nothing stored: "userID" is the empty string.
        QCOMPARE(ask("inco1List"), (QJsonObject{{"userID", ""}}));
        auto request = m_server->requests().constLast();
        QCOMPARE(request.json().value("ApiName").toString(), QStringLiteral("inco1List"));
        QCOMPARE(request.header("Content-Type"), QByteArray("application/json"));
        QVERIFY(request.json().value("Body").toString().contains(QLatin1Char('\n')));

        m_client->setListFetchSession({[] { return QStringLiteral("U1"); }, [] { return QStringLiteral("1000"); }});
        QCOMPARE(ask("transportList"), (QJsonObject{{"userID", "U1"}}));
        QCOMPARE(ask("getTvstzList"), (QJsonObject{{"userID", "U1"}, {"vkorg", "1000"}}));
        QCOMPARE(ask("getNoticeGroupUserList"), (QJsonObject{{"userID", "U1"}, {"ngrName", "1000"}}));
        // A session without a sales organisation sends the vkorg keys empty.
        m_client->setListFetchSession({[] { return QStringLiteral("U1"); }, [] { return QString(); }});
        QCOMPARE(ask("getTvstzList"), (QJsonObject{{"userID", "U1"}, {"vkorg", ""}}));
    }

    // The fetch returns at once; its answer is the whole text on success, else the message to show.
    void listFetchAnswer()
    {
        const QByteArray answer =
            "{ \"returnCode\": \"00\",\n  \"returnMsg\": \"OK\", \"inco1List\": [{\"inco1\": \"EXW\", \"bezei\": \"工廠交貨\"}] }";
        m_server->enqueue(Reply::json(answer).delayed(100));
        m_server->enqueue(Reply::text(500, "text/html", "<html></html>"));
        QList<std::pair<ApiStatus, QString>> answers;
        const auto collect = [&](const ApiStatus &status, const QString &text) { answers.append({status, text}); };
        m_client->fetchList("inco1List", collect);
        QVERIFY(answers.isEmpty());
        QTRY_COMPARE(answers.size(), 1);
        QVERIFY(answers[0].first.isSuccess);
        QCOMPARE(answers[0].second, QString::fromUtf8(answer)); // unchanged, as it is stored
        m_client->fetchList("inco1List", collect);
        QTRY_COMPARE(answers.size(), 2);
        QVERIFY(!answers[1].first.isSuccess);
        QCOMPARE(answers[1].first.message, QStringLiteral("無法解析回覆，請稍候再試"));
        QCOMPARE(answers[1].second, QString());
    }
};

ZELK_TEST(ServiceClientTest)
#include "ServiceClientTest.moc"
