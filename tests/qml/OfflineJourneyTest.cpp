// Journeys of a rep who loses the network: order entry goes on over the kept answers, 確認下單 puts the
// order in the outbox, and the outbox sends it by itself, once, when the gateway answers again.
#include "QmlHarness.h"
#include "TestRegistry.h"

#include "model/AppContext.h"

#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

class OfflineJourneyTest : public QObject
{
    Q_OBJECT
    std::optional<QmlApp> app;
    qsizetype placed() { return app->gateway().simulator()->placedOrders().size(); }

    // Signed in, the first customer opened online up to its item page (so its answers are kept), then
    // left; the network lost; the same customer's 2-copy order of 12 entered offline and confirmed.
    // True when the confirmation shows both lines waiting and the outbox holds them.
    bool orderTakenOffline()
    {
        QmlHarness &h = app->harness();
        const QJsonObject networkLost{{u"operation"_s, u"*"_s}, {u"mode"_s, u"close"_s}, {u"once"_s, false}};
        return app->launchAndSignIn() && play(h, "offline/openCustomerOnline") && app->gateway().setFault(networkLost)
               && play(h, "offline/orderTakenOffline") && app->context().outbox().orders().size() == 1
               && app->context().outbox().orders().first().lines.size() == 2;
    }

private slots:
    void init() { app.emplace(); }
    void cleanup() { app.reset(); }

    void offlineOrderPlacedOnceWithoutATap()
    {
        QVERIFY(orderTakenOffline());
        QmlHarness &h = app->harness();
        QVERIFY(textOf(h, u"statusNoteText"_s).startsWith(u"無法連線 · 離線資料"_s));
        const qsizetype before = placed();
        QVERIFY(app->gateway().setFault(u"*"_s, u"none"_s));
        // The probe finds the gateway again and the outbox sends: no tap.
        QTRY_VERIFY_WITH_TIMEOUT(placed() == before + 2 && app->context().outbox().orders().isEmpty(), 60000);
        QVERIFY(play(h, "offline/shownPlaced"));
        QCOMPARE(app->gateway().gatewayCalls(u"ZSD_CREATE_EIP_ORDER2"_s).size(), 1);
        QTRY_VERIFY(!h.find(u"statusNoteText"_s) || textOf(h, u"statusNoteText"_s).isEmpty());
    }

    // The waiting order is listed in the outbox (reached from the home menu, its count on the badge), taken
    // back to change its quantity, confirmed again (still offline), and removed: nothing reaches the
    // gateway, and its changed lines replace the first ones under new identities.
    void outboxOrderChangedThenRemoved()
    {
        QVERIFY(orderTakenOffline());
        QmlHarness &h = app->harness();
        const QList<OutboxLine> first = app->context().outbox().orders().first().lines;
        QVERIFY(play(h, "offline/outboxListed"));
        QVERIFY(play(h, "offline/takenBack"));
        QVERIFY(app->context().outbox().orders().isEmpty());
        QVERIFY(typeInto(h, u"alertField_0"_s, ""));
        QTest::keyClick(h.window(), Qt::Key_A, Qt::ControlModifier);
        typeText(h.window(), "8");
        QVERIFY(play(h, "offline/waitingAgain"));
        QCOMPARE(app->context().outbox().orders().size(), 1);
        const QList<OutboxLine> again = app->context().outbox().orders().first().lines;
        QCOMPARE(again.size(), 2);
        QCOMPARE(again.at(0).line.kwmeng.toDouble(), 8.0);
        QVERIFY(again.at(0).line.orderSeq != first.at(0).line.orderSeq);
        QVERIFY(play(h, "offline/removed"));
        QVERIFY(app->context().outbox().orders().isEmpty());
        QVERIFY(app->gateway().setFault(u"*"_s, u"none"_s));
        QTest::qWait(6000); // past the probe's first pause: a probe goes out, no order
        QVERIFY(app->gateway().gatewayCalls(u"inco1List"_s).size() > 0);
        QCOMPARE(app->gateway().gatewayCalls(u"ZSD_CREATE_EIP_ORDER2"_s).size(), 0);
    }

    // The app is killed while the order waits: after the restart and sign-in it is sent, once.
    void waitingOrderSurvivesAKill()
    {
        QVERIFY(orderTakenOffline());
        QTRY_VERIFY(app->context().outbox().isSaved());
        const qsizetype before = placed();
        QVERIFY(app->gateway().setFault(u"*"_s, u"none"_s));
        QVERIFY(app->restartAndSignIn());
        QTRY_VERIFY_WITH_TIMEOUT(placed() == before + 2 && app->context().outbox().orders().isEmpty(), 20000);
        QTest::qWait(500);
        QCOMPARE(placed(), before + 2);
        QCOMPARE(app->gateway().gatewayCalls(u"ZSD_CREATE_EIP_ORDER2"_s).size(), 1);
    }
};

ZELK_TEST(OfflineJourneyTest)
#include "OfflineJourneyTest.moc"
