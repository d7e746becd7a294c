// A notification pushed to a signed-in sales rep, through the real window: the gateway relays
// POST /__sim/push over the app's WebSocket, the alert shows with the text, and the notification list and
// the home screen have it afterwards. Its texts hold markup naming an image: every screen draws them
// as written, and nothing fetches the image they name.
#include "GatewayCalls.h"
#include "QmlHarness.h"
#include "TestRegistry.h"

#include "model/AppContext.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Qt::StringLiterals;

class PushJourneyTest : public QObject
{
    Q_OBJECT
private slots:

    void pushedNotificationShowsAsAlertAndInTheList()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        QVERIFY(app.launchAndSignIn());
        // The tab screen registers the device (what it sends is PushNotificationsTest's) before a push can come.
        QTRY_VERIFY_WITH_TIMEOUT(app.context().pushToken().has_value(), 10000);

        const QString image = app.probeMarkup();
        const QString title = image + u"出貨"_s, content = image + u"您的訂單已出貨"_s;
        const QJsonObject push{{"account", "demo"}, {"title", title}, {"content", content}};
        QCOMPARE(httpCall(app.gateway().baseUrl() + u"/__sim/push"_s, "POST", QJsonDocument(push).toJson()).status, 200);

        QVERIFY(alertDrawn(h, "收到訊息"));
        QCOMPARE(writtenTextOf(h, u"alertMessage"_s), content);
        // The notification list loads when first shown: the new notification is on top.
        QVERIFY(play(h, "push/answeredThenTheList"));
        QTRY_COMPARE(writtenTextOf(h, u"pushListCell_0"_s, "contentTextView"), title);
        // Back on the home screen, its newest notification is the new one.
        QVERIFY(tap(h, "tab_0"));
        QTRY_COMPARE(writtenTextOf(h, u"pushNewsLabel"_s), title);
        QCOMPARE(app.probeFetches(), 0);
    }
};

ZELK_TEST(PushJourneyTest)
#include "PushJourneyTest.moc"
