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

using namespace Qt::StringLiterals;

class PushJourneyTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Localizer::instance().load({u"zh-TW"_s}); }

    void pushedNotificationShowsAsAlertAndInTheList()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        TabBarController *tabs = app.launchAndSignIn();
        QVERIFY(tabs);
        // The tab screen registered the device: the token the relay gave is linked to "demo".
        QTRY_VERIFY_WITH_TIMEOUT(app.context().pushToken().has_value(), 10000);
        QCOMPARE(app.gateway().webServiceCalls(u"pushRegistration"_s).last().value("userId"), u"demo"_s);

        ConnectionProbe probe;
        const QString image = u"<img src=\"%1\">"_s.arg(probe.url(u"/probe.png"_s));
        const QString title = image + u"出貨"_s, content = image + u"您的訂單已出貨"_s;
        const QJsonObject push{{"account", "demo"}, {"title", title}, {"content", content}};
        QCOMPARE(httpCall(app.gateway().baseUrl() + u"/__sim/push"_s, "POST", QJsonDocument(push).toJson()).status, 200);

        QVERIFY(alertDrawn(h, "收到訊息"));
        QCOMPARE(writtenTextOf(h.find(u"alertMessage"_s)), content);
        h.settle();
        h.screenshot(u"push-alert"_s);
        QVERIFY(h.click(u"alertButton_確定"_s));
        QTRY_VERIFY(!h.find(u"alertTitle"_s));
        h.settle();

        // The notification list loads when first shown: the new notification is on top.
        QVERIFY(h.click(u"tab_2"_s));
        QTRY_COMPARE(tabs->selectedIndex(), 2);
        QVERIFY2(shown(h, "pushListCell_0"), qPrintable(h.navigator().describe()));
        QQuickItem *first = h.find(u"pushListCell_0"_s);
        QTRY_COMPARE(writtenTextOf(first->findChild<QQuickItem *>(u"contentTextView"_s)), title);
        // Back on the home screen, its newest notification is the new one.
        QVERIFY(h.click(u"tab_0"_s));
        QTRY_COMPARE(writtenTextOf(h.find(u"pushNewsLabel"_s)), title);
        h.settle();
        QCOMPARE(probe.connections(), 0);
    }
};

ZELK_TEST(PushJourneyTest)
#include "PushJourneyTest.moc"
