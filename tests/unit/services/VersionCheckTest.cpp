#include "ExpectedJson.h"
#include "ScriptedGateway.h"
#include "TestRegistry.h"
#include "services/ServiceClient.h"
#include "services/VersionCheck.h"
#include "text/Localizer.h"

#include <QMetaEnum>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>

namespace {
using Reply = ScriptedGateway::Reply;

// An answer of a fixture row: a document, "close" (broken off after its headers), an HTML error page, or
// any other text sent as it stands.
Reply replyOf(const QJsonValue &answer)
{
    const QString text = answer.toString();
    if (answer.isObject())
        return Reply::json(QJsonDocument(answer.toObject()).toJson());
    if (text == QLatin1String("close"))
        return Reply::close();
    return text.startsWith('<') ? Reply::text(500, "text/html", text.toUtf8()) : Reply::json(text.toUtf8());
}
} // namespace

class VersionCheckTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ScriptedGateway> m_server;
    std::unique_ptr<ServiceClient> m_client;
    std::unique_ptr<VersionCheck> m_check;
    double m_now = 1.7e9;
    QJsonArray m_alerts;
    QJsonArray m_opened;

    // Triggers and, when a request goes out (its time is taken as it leaves), waits until its answer
    // has been applied.
    bool triggerAndSettle()
    {
        const double before = m_check->lastCheckTime();
        QSignalSpy finished(m_check.get(), &VersionCheck::checkFinished);
        m_check->checkForUpdate();
        if (m_check->lastCheckTime() == before)
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
        m_alerts = m_opened = {};
        m_check->showUpdateAlert = [this](const QString &note, bool cancellable) {
            m_alerts.append(QJsonObject{{"note", note}, {"cancellable", cancellable}});
        };
        m_check->openUrl = [this](const QUrl &url) {
            m_opened.append(url.toString());
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

    // Each row: the answers to the requests in turn (the last one to every later request), then later
    // triggers (seconds after the first); expected are the state, the alerts shown, what the update page
    // opens and the last request sent, with the row's version text (only the keys the row names).
    void answersSetTheUpdateState_data()
    {
        QVERIFY(zelktest::addFixtureRows("services/versionAnswers"));
        QVERIFY(zelktest::addFixtureRows("services/updatePages"));
    }
    void answersSetTheUpdateState()
    {
        QFETCH(QJsonObject, row);
        QCOMPARE(VersionCheck(*m_client).versionText(), QStringLiteral(ZELK_APP_VERSION)); // built in
        if (row.contains("version"))
            m_check->setVersionText(row["version"].toString());
        QSignalSpy changed(m_check.get(), &VersionCheck::stateChanged);
        const QJsonArray answers = row["answers"].toArray();
        for (const QJsonValue answer : answers)
            m_server->enqueue(replyOf(answer));
        m_server->setDefaultReply(replyOf(answers.last()));
        const double first = m_now;
        QVERIFY(triggerAndSettle());
        for (const QJsonValue seconds : row["later"].toArray()) {
            m_now = first + seconds.toDouble();
            QVERIFY(triggerAndSettle());
        }
        const bool opened = m_check->openUpdatePage();
        QJsonObject drawn{{"state", QMetaEnum::fromType<VersionCheck::UpdateState>().valueToKey(int(m_check->updateState()))},
                                {"note", m_check->updateNote()}, {"url", m_check->updateUrl() ? m_check->updateUrl()->toString() : QJsonValue()},
                                {"stateChanges", int(changed.size())}, {"requests", m_server->requestCount()},
                                {"alerts", m_alerts}, {"alertShown", m_check->updateAlertShown()},
                                {"openUpdatePage", opened}, {"opened", m_opened}};
        const ScriptedGateway::Request sent = m_server->requests().constLast();
        drawn["sent"] = QJsonObject{{"method", QString::fromLatin1(sent.method)},
                                    {"path", QString::fromLatin1(sent.path)},
                                    {"contentType", QString::fromLatin1(sent.header("Content-Type"))},
                                    {"json", sent.json()}};
        const QJsonObject expected = row["expected"].toObject();
        QJsonObject shown;
        for (const QString &key : expected.keys())
            shown.insert(key, drawn[key]);
        ZELK_COMPARE_JSON(shown, expected);
    }

    // A request without an answer counts too: the 30 minutes run from the request sent.
    void unansweredRequestStillThrottles()
    {
        m_server->setDefaultReply(Reply::never());
        m_client->setLimits(10000, 10000);
        m_check->checkForUpdate();
        QVERIFY(m_server->waitForRequests(1));
        m_now += 5;
        m_check->checkForUpdate();
        // Throttled: no second request was started.
        QCOMPARE(m_client->network()->findChildren<QNetworkReply *>().size(), 1);
    }

    // The service's own texts, not localised even with a translation table loaded. Each row: the transport
    // error, the body (absent: none arrived) and the evaluation.
    void ownEvaluationTexts_data() { QVERIFY(zelktest::addFixtureRows("services/versionEvaluation")); }
    void ownEvaluationTexts()
    {
        QFETCH(QJsonObject, row);
        Localizer::instance().load({QStringLiteral("en-US")});
        RawResponse raw;
        raw.transportError = row["transportError"].toString();
        if (row.contains("body"))
            raw.body = row["body"].toString().toUtf8();
        const VersionCheck::Result result = VersionCheck::evaluate(raw);
        Localizer::instance().load({QStringLiteral("zh-TW")});
        const QJsonObject evaluated{{"isSuccess", result.isSuccess}, {"message", result.message}, {"json", result.json.has_value()}};
        ZELK_COMPARE_JSON(evaluated, row["expected"]);
    }
};

ZELK_TEST(VersionCheckTest)
#include "VersionCheckTest.moc"
