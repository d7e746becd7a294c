#include "ExpectedJson.h"
#include "ScriptedGateway.h"
#include "TestRegistry.h"
#include "services/ServiceClient.h"
#include "services/VersionCheck.h"
#include "text/Localizer.h"

#include <QMetaEnum>
#include <QSignalSpy>

namespace {
using Reply = ScriptedGateway::Reply;

struct Alert {
    QString note;
    bool cancellable;
};
} // namespace

class VersionCheckTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ScriptedGateway> m_server;
    std::unique_ptr<ServiceClient> m_client;
    std::unique_ptr<VersionCheck> m_check;
    double m_now = 1.7e9;
    QList<Alert> m_alerts;
    QList<QUrl> m_opened;

    // Triggers and, when a request goes out, waits until its answer has been applied.
    bool triggerAndSettle()
    {
        const int before = m_server->requestCount();
        QSignalSpy finished(m_check.get(), &VersionCheck::checkFinished);
        m_check->checkForUpdate();
        if (m_server->requestCount() == before && !m_server->waitForRequests(before + 1, 200))
            return true; // throttled: nothing was sent
        return finished.count() > 0 || finished.wait(5000);
    }

private slots:
    void init()
    {
        m_server = std::make_unique<ScriptedGateway>();
        qputenv("ZELK_ANALYTICS_URL", m_server->url().toString().toUtf8());
        m_client = std::make_unique<ServiceClient>();
        m_check = std::make_unique<VersionCheck>(*m_client);
        m_check->setClock([this] { return m_now; });
        m_check->setVersionText(QStringLiteral("2.3.1"));
        m_alerts.clear();
        m_opened.clear();
        m_check->showUpdateAlert = [this](const QString &note, bool cancellable) {
            m_alerts.append({note, cancellable});
        };
        m_check->openUrl = [this](const QUrl &url) {
            m_opened.append(url);
            return true;
        };
    }

    void cleanup()
    {
        m_check.reset();
        m_client.reset();
        m_server.reset();
        qunsetenv("ZELK_ANALYTICS_URL");
    }

    void requestCarriesTheVersion()
    {
        QCOMPARE(VersionCheck(*m_client).versionText(), QStringLiteral(ZELK_APP_VERSION));

        // Every "UAT " goes, other text stays as it is.
        for (const auto &[version, sent] : {std::pair("UAT 2.3.1", "2.3.1"), {"2.4 UAT build UAT 7", "2.4 build 7"}, {"UAT3.0", "UAT3.0"}}) {
            m_check->setVersionText(QString::fromUtf8(version));
            m_now += 1801;
            QVERIFY(triggerAndSettle());
            QCOMPARE(m_check->lastCheckTime(), m_now);
            const auto request = m_server->requests().constLast();
            QCOMPARE(request.method, QByteArray("POST"));
            QCOMPARE(request.path, QByteArray("/clickRateGW/api/checkVersion/json"));
            QCOMPARE(request.header("Content-Type"), QByteArray("application/json"));
            QCOMPARE(request.json(), (QJsonObject{{"osType", "0"}, {"versionNo", sent}, {"sourceId", "ZELK_PROD"}}));
        }
        QCOMPARE(m_server->requestCount(), 3);
    }

    // Each row: the answer to every request, then later triggers (seconds after the first); expected are
    // the state, the alerts shown and what the update page opens.
    void answersSetTheUpdateState_data() { QVERIFY(zelktest::addFixtureRows("services/versionAnswers")); }
    void answersSetTheUpdateState()
    {
        QFETCH(QJsonObject, row);
        QSignalSpy changed(m_check.get(), &VersionCheck::stateChanged);
        m_server->setDefaultReply(Reply::json(QJsonDocument(row["answer"].toObject()).toJson()));
        const double first = m_now;
        QVERIFY(triggerAndSettle());
        for (const QJsonValue seconds : row["later"].toArray()) {
            m_now = first + seconds.toDouble();
            QVERIFY(triggerAndSettle());
        }
        QJsonArray alerts;
        for (const Alert &alert : m_alerts)
            alerts.append(QJsonObject{{"note", alert.note}, {"cancellable", alert.cancellable}});
        const bool opened = m_check->openUpdatePage();
        QJsonArray pages;
        for (const QUrl &url : m_opened)
            pages.append(url.toString());
        const QJsonObject drawn{{"state", QMetaEnum::fromType<VersionCheck::UpdateState>().valueToKey(int(m_check->updateState()))},
                                {"note", m_check->updateNote()}, {"url", m_check->updateUrl() ? m_check->updateUrl()->toString() : QJsonValue()},
                                {"stateChanges", int(changed.size())}, {"requests", m_server->requestCount()},
                                {"alerts", alerts}, {"alertShown", m_check->updateAlertShown()},
                                {"openUpdatePage", opened}, {"opened", pages}};
        ZELK_COMPARE_JSON(drawn, row["expected"]);
    }

    void throttleCountsFromTheLastRequest()
    {
        m_server->setDefaultReply(Reply::json("{\"returnCode\":\"00\"}"));
        const double first = m_now;
        QVERIFY(triggerAndSettle());
        m_now = first + 1800; // not more than 1800 s: still throttled
        QVERIFY(triggerAndSettle());
        QCOMPARE(m_server->requestCount(), 1);
        QCOMPARE(m_check->lastCheckTime(), first);
        m_now = first + 1800.5;
        QVERIFY(triggerAndSettle());
        QCOMPARE(m_server->requestCount(), 2);
        QCOMPARE(m_check->lastCheckTime(), first + 1800.5);

        // A request without an answer still counts: the gap runs from the request sent.
        m_server->setDefaultReply(Reply::never());
        m_client->setLimits(10000, 10000);
        m_now += 1801;
        m_check->checkForUpdate();
        QVERIFY(m_server->waitForRequests(3));
        m_now += 5;
        m_check->checkForUpdate();
        QTest::qWait(100);
        QCOMPARE(m_server->requestCount(), 3);
    }

    // Only a web page is opened as the update page; any other address counts as none.
    void updatePageAddresses_data() { QVERIFY(zelktest::addFixtureRows("services/updatePages")); }
    void updatePageAddresses()
    {
        QFETCH(QJsonObject, row);
        const QString address = row["address"].toString();
        const bool opened = row["opened"].toBool();
        m_server->enqueue(Reply::json(QJsonDocument(QJsonObject{
            {"returnCode", "0023"}, {"versions", QJsonObject{{"updateNote", "n"}, {"updateUrl", address}}}}).toJson()));
        QVERIFY(triggerAndSettle());
        QCOMPARE(m_check->updateState(), VersionCheck::UpdateState::Forced);
        QCOMPARE(m_check->hasUpdateUrl(), opened);
        QCOMPARE(m_check->openUpdatePage(), opened);
        QCOMPARE(m_opened.size(), opened ? 1 : 0);
    }

    void failuresClearTheState()
    {
        const QByteArray forced =
            "{\"returnCode\":\"0023\",\"versions\":{\"updateNote\":\"n\",\"updateUrl\":\"https://example.com/u\"}}";
        const QList<Reply> failures{
            Reply::json("{\"returnCode\":\"0001\",\"returnMessage\":\"other\"}"),
            Reply::text(500, "text/html", "<html>down</html>"),
            Reply::json(""),
            Reply::close(),
            Reply::json("{\"returnCode\":23}"),
        };
        for (const Reply &failure : failures) {
            m_server->enqueue(Reply::json(forced));
            m_now += 1801;
            QVERIFY(triggerAndSettle());
            QCOMPARE(m_check->updateState(), VersionCheck::UpdateState::Forced);
            const int alerts = m_alerts.size();

            QSignalSpy changed(m_check.get(), &VersionCheck::stateChanged);
            m_server->enqueue(failure);
            m_now += 1801;
            QVERIFY(triggerAndSettle()); // this trigger still shows the forced alert: the answer is pending
            QCOMPARE(m_check->updateState(), VersionCheck::UpdateState::None);
            QCOMPARE(m_check->updateNote(), QString());
            QVERIFY(!m_check->updateUrl());
            QCOMPARE(changed.count(), 1);

            m_now += 10;
            QVERIFY(triggerAndSettle());
            QCOMPARE(m_alerts.size(), alerts + 1);
            QVERIFY(!m_check->updateAlertShown());
        }
    }

    void ownEvaluationTexts()
    {
        // Not localised, even with a translation table loaded.
        Localizer::instance().load({QStringLiteral("en-US")});
        RawResponse raw;
        raw.transportError = QStringLiteral("refused");
        auto result = VersionCheck::evaluate(raw);
        QCOMPARE(result.isSuccess, false);
        QCOMPARE(result.message, QStringLiteral("無法連結伺服器"));
        QVERIFY(!result.json);

        raw.transportError.clear();
        QCOMPARE(VersionCheck::evaluate(raw).message, QStringLiteral("無回應伺服器"));
        raw.body = QByteArray();
        QCOMPARE(VersionCheck::evaluate(raw).message, QStringLiteral("無回應伺服器"));
        raw.body = QByteArray("<html>");
        QCOMPARE(VersionCheck::evaluate(raw).message, QStringLiteral("解析回傳錯誤"));

        raw.body = QByteArray("{\"returnCode\":\"00\",\"returnMessage\":\"ignored\"}");
        result = VersionCheck::evaluate(raw);
        QCOMPARE(result.isSuccess, true);
        QCOMPARE(result.message, QString());
        QVERIFY(result.json);

        raw.body = QByteArray("{\"returnCode\":\"0022\",\"returnMsg\":\"not this key\"}");
        result = VersionCheck::evaluate(raw);
        QCOMPARE(result.isSuccess, false);
        QCOMPARE(result.message, QStringLiteral("未知的錯誤，請稍候再試"));
        QVERIFY(result.json);
        Localizer::instance().load({QStringLiteral("zh-TW")});
    }
};

ZELK_TEST(VersionCheckTest)
#include "VersionCheckTest.moc"
