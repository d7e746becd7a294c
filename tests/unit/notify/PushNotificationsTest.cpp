// Push registration and delivery, headless, against the development gateway and its relay over a real
// loopback WebSocket: the registration form, the stored token, the alert on arrival, the signed-out
// device, malformed frames and a restart of the relay.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "notify/PushRegistration.h"
#include "notify/PushTestViewController.h"
#include "platform/RelayPushService.h"
#include "platform/SystemSound.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

class PushNotificationsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<AppHarness> m_app; // one signed-in app for the malformed-frame rows

    static RelayPushService *service(AppHarness &app)
    {
        return qobject_cast<RelayPushService *>(app.context->pushService());
    }
    // Signs in and waits until the relay's token is stored.
    static bool signInRegistered(AppHarness &app)
    {
        const qsizetype before = app.gateway.webServiceCalls(QStringLiteral("pushRegistration")).size();
        if (!app.signIn())
            return false;
        return QTest::qWaitFor([&] {
            return app.gateway.webServiceCalls(QStringLiteral("pushRegistration")).size() > before &&
                   app.context->pushToken() == PushRegistration::tokenText(service(app)->token());
        }, 10000);
    }
    static QStringList openAlerts(AppHarness &app)
    {
        // Each open alert in turn, answered with its first button; one that cannot be answered ends the list.
        QStringList texts;
        while (app.ui.hasOpenAlert()) {
            texts << app.ui.currentAlertTitle() + '|' + app.ui.currentAlertMessage() + '|' +
                         app.ui.currentAlertButtons().join(',');
            if (!app.ui.pressAlertButton(app.ui.currentAlertButtons().value(0)))
                break;
        }
        return texts;
    }

private slots:
    void cleanupTestCase() { m_app.reset(); }

    // The token's bytes as the text sent (tests/data/notify/tokenTexts.json).
    void tokenText_data() { QVERIFY(zelktest::addFixtureRows(QStringLiteral("notify/tokenTexts"))); }
    void tokenText()
    {
        QFETCH(QJsonObject, row);
        QCOMPARE(PushRegistration::tokenText(QByteArray::fromHex(row["hex"].toString().toLatin1())), row["text"].toString());
    }

    // Registration names the sign-in account; notifications show while signed in only; a refused
    // registration keeps the token stored before.
    void registrationAndNotifications()
    {
        AppHarness app;
        QVERIFY(app.launch());
        QVERIFY(signInRegistered(app));
        const QString token = app.context->pushToken().value_or(QString());
        QCOMPARE(token.size(), 64);
        QCOMPARE(app.gateway.webServiceCalls(QStringLiteral("pushRegistration")),
                 QList<QJsonObject>{QJsonObject({{"token", token}, {"userId", "demo"}, {"os", "0"}})});

        const int sounds = SystemSound::notificationAlertCount();
        app.gateway.addPush(QStringLiteral("demo"), QStringLiteral("出貨"), QStringLiteral("您的訂單已出貨"));
        QTRY_COMPARE(app.ui.openAlertCount(), 1);
        // Two in quick succession: both wait their turn, in order.
        app.gateway.addPush(QStringLiteral("demo"), QStringLiteral("a"), QStringLiteral("第二則"));
        app.gateway.addPush(QStringLiteral("demo"), QStringLiteral("b"), QStringLiteral("第三則"));
        QTRY_COMPARE(app.ui.openAlertCount(), 3);
        QCOMPARE(openAlerts(app), QStringList({"收到訊息|您的訂單已出貨|確定", "收到訊息|第二則|確定", "收到訊息|第三則|確定"}));
        QCOMPARE(SystemSound::notificationAlertCount(), sounds + 3);

        // Signed out: the notification reaches the device and shows nothing.
        QVERIFY(app.signOut());
        QSignalSpy arrived(service(app), &PushService::notificationReceived);
        app.gateway.addPush(QStringLiteral("demo"), QStringLiteral("出貨"), QStringLiteral("給前一位使用者"));
        QVERIFY(arrived.wait(5000));
        settle();
        QVERIFY(!app.ui.hasOpenAlert());
        QCOMPARE(SystemSound::notificationAlertCount(), sounds + 3);

        // Another account signs in while the server refuses the registration: the new account went under
        // "userId", and the token stored before stays.
        app.context->secureStore().setValue(QStringLiteral("pushToken"), QStringLiteral("0AFF"));
        QVERIFY(app.gateway.setFault(QStringLiteral("pushRegistration"), QStringLiteral("code"), 0, true,
                                     QStringLiteral("01"), QStringLiteral("註冊失敗")));
        QStringList answered; // paths of the requests whose answers arrived
        QObject receiver;
        connect(app.context->client().network(), &QNetworkAccessManager::finished, &receiver,
                [&answered](QNetworkReply *reply) { answered << reply->url().path(); });
        QVERIFY(app.signIn(QStringLiteral("lin.yating"), QStringLiteral("lin2024")));
        QTRY_COMPARE(app.gateway.webServiceCalls(QStringLiteral("pushRegistration")).size(), 2);
        QCOMPARE(app.gateway.webServiceCalls(QStringLiteral("pushRegistration")).last(),
                 QJsonObject({{"token", token}, {"userId", "lin.yating"}, {"os", "0"}}));
        QTRY_VERIFY(answered.contains(QStringLiteral("/zelkgw/zelkapi.asmx/pushRegistration")));
        settle();
        QCOMPARE(app.context->pushToken(), std::optional<QString>(QStringLiteral("0AFF")));

        // The diagnosis screen as the window's root shows the text itself, and no alert.
        auto *diagnosis = app.storyboard.instantiate<PushTestViewController>(Scene::PushTest);
        app.navigator.setRootScreen(diagnosis);
        app.gateway.addPush(QStringLiteral("demo"), QStringLiteral("t"), QStringLiteral("診斷用"));
        QTRY_COMPARE(diagnosis->pushMessage(), QStringLiteral("診斷用"));
        QVERIFY(!app.ui.hasOpenAlert());
    }

    // A frame the relay carries that the app cannot use, or a restart of the relay
    // (tests/data/notify/malformedFrames.json): a frame over the limit ends the connection, which comes back
    // with the same token, so nothing is registered again.
    void malformedFramesAndRestartsAreSurvived_data()
    {
        QVERIFY(zelktest::addFixtureRows(QStringLiteral("notify/malformedFrames")));
    }
    void malformedFramesAndRestartsAreSurvived()
    {
        QFETCH(QJsonObject, row);
        const QJsonValue payload = row.contains("payloadOfLength")
            ? QJsonValue(QString(row["payloadOfLength"].toInt(), QLatin1Char('x'))) : row["payload"];
        if (!m_app) {
            m_app = std::make_unique<AppHarness>();
            QVERIFY(m_app->launch());
            QVERIFY(signInRegistered(*m_app));
        }
        AppHarness &app = *m_app;
        const QByteArray token = service(app)->token();
        QSignalSpy state(service(app), &RelayPushService::relayStateChanged);
        QSignalSpy registered(service(app), &PushService::registered);
        if (row["restart"].toBool())
            app.gateway.simulator()->restartPushRelay();
        else
            app.gateway.simulator()->addPush({{"account", "demo"}, {"title", "x"}, {"payload", payload}});
        if (row["reconnects"].toBool()) {
            QTRY_VERIFY_WITH_TIMEOUT(state.size() == 2, 10000);
            QCOMPARE(state.at(0).at(0).toBool(), false);
            QCOMPARE(state.at(1).at(0).toBool(), true);
        }
        app.gateway.addPush(QStringLiteral("demo"), QStringLiteral("t"), QStringLiteral("之後的通知"));
        QTRY_COMPARE(app.ui.openAlertCount(), 1);
        QCOMPARE(openAlerts(app), QStringList{"收到訊息|之後的通知|確定"});
        QVERIFY(service(app)->isRegistered());
        QCOMPARE(service(app)->token(), token);
        QCOMPARE(registered.size(), 0);
    }
};

ZELK_TEST(PushNotificationsTest)
#include "PushNotificationsTest.moc"
