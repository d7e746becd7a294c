// A notification pushed to a signed-in sales rep, through the real window: the gateway relays
// POST /__sim/push over the app's WebSocket, the alert shows with the text, and the notification list and
// the home screen have it afterwards. Its texts hold markup naming a local probe: every screen draws them
// as written, and nothing fetches the image they name.
#include "GatewayCalls.h"
#include "QmlHarness.h"
#include "TestRegistry.h"

#include "model/AppContext.h"
#include "text/Localizer.h"
#include "ui/TabBarController.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

class PushJourneyTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Localizer::instance().load({QStringLiteral("zh-TW")}); }

    void pushedNotificationShowsAsAlertAndInTheList()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        TabBarController *tabs = app.launchAndSignIn();
        QVERIFY(tabs);
        // The tab screen registered the device: the token the relay gave is linked to "demo".
        QTRY_VERIFY_WITH_TIMEOUT(app.context().pushToken().has_value(), 10000);
        QCOMPARE(app.gateway().webServiceCalls(QStringLiteral("pushRegistration")).last().value("userId").toString(),
                 QStringLiteral("demo"));

        ConnectionProbe probe;
        const QString image = QStringLiteral("<img src=\"%1\">").arg(probe.url(QStringLiteral("/probe.png")));
        const QString title = image + QStringLiteral("出貨"), content = image + QStringLiteral("您的訂單已出貨");
        const QJsonObject push{{"account", "demo"}, {"title", title}, {"content", content}};
        QCOMPARE(httpCall(app.gateway().baseUrl() + QStringLiteral("/__sim/push"), "POST", QJsonDocument(push).toJson()).status,
                 200);

        QVERIFY(alertDrawn(h, QStringLiteral("收到訊息")));
        QCOMPARE(writtenTextOf(h.find(QStringLiteral("alertMessage"))), content);
        h.settle();
        h.screenshot(QStringLiteral("push-alert"));
        QVERIFY(h.click(QStringLiteral("alertButton_確定")));
        QTRY_VERIFY(!h.find(QStringLiteral("alertTitle")));
        h.settle();

        // The notification list loads when first shown: the new notification is on top.
        QVERIFY(h.click(QStringLiteral("tab_2")));
        QTRY_COMPARE(tabs->selectedIndex(), 2);
        if (!QTest::qWaitFor([&] { return h.find(QStringLiteral("pushListCell_0")) != nullptr; }, 10000)) {
            h.screenshot(QStringLiteral("push-list-missing"));
            QFAIL(qPrintable(h.navigator().describe()));
        }
        QQuickItem *first = h.find(QStringLiteral("pushListCell_0"));
        QTRY_COMPARE(writtenTextOf(first->findChild<QQuickItem *>(QStringLiteral("contentTextView"))), title);
        // Back on the home screen, its newest notification is the new one.
        QVERIFY(h.click(QStringLiteral("tab_0")));
        QTRY_COMPARE(writtenTextOf(h.find(QStringLiteral("pushNewsLabel"))), title);
        h.settle();
        QCOMPARE(probe.connections(), 0);
    }
};

ZELK_TEST(PushJourneyTest)
#include "PushJourneyTest.moc"
