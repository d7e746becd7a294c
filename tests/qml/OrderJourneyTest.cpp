// Journeys of a sales rep through the real window against the development gateway: taps on the views'
// objectNames, real animated transitions, and checks of what is drawn and of what the gateway received.
#include "ExpectedJson.h"
#include "QmlHarness.h"
#include "TestRegistry.h"

#include "model/AppContext.h"
#include "order/ChooseOrderTypeViewController.h"
#include "order/OrderPage2ViewController.h"
#include "ui/NavigationController.h"
#include "ui/SlideMenuController.h"
#include "ui/TabBarController.h"

#include <QAccessible>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {
// Drags the item from its right edge leftwards by `distance`, as a finger swipes a row.
bool swipeLeft(QmlHarness &h, const QString &objectName, int distance)
{
    QQuickItem *item = h.find(objectName);
    if (!item)
        return false;
    const QPoint start = item->mapToScene(QPointF(item->width() - 10, item->height() / 2)).toPoint();
    QTest::mousePress(h.window(), Qt::LeftButton, {}, start);
    for (int step = 1; step <= 10; ++step)
        QTest::mouseMove(h.window(), start - QPoint(distance * step / 10, 0), 16);
    QTest::mouseRelease(h.window(), Qt::LeftButton, {}, start - QPoint(distance, 0), 16);
    h.settle();
    return true;
}

// From the order-type screen on `stack`: the normal order for the first customer, its header page once
// laid out and nothing is fetched, or null.
OrderPage1ViewController *headerPage(QmlHarness &h, NavigationController *stack)
{
    return play(h, "order/normalForFirstCustomer") ? qobject_cast<OrderPage1ViewController *>(stack->topViewController())
                                                   : nullptr;
}

// From the order-type screen on `stack`: a normal order for the first customer with the first car/ship
// kind, delivery method and material, and the quantity of `steps`. The header page, the item page
// on top of it; null when a step fails.
OrderPage1ViewController *enterNormalOrder(QmlHarness &h, NavigationController *stack, const char *steps)
{
    OrderPage1ViewController *header = headerPage(h, stack);
    if (!header || !play(h, "order/firstKindAndDelivery")
        || !QTest::qWaitFor([&] { return !header->row(u"inco1"_s)->subTitle.isEmpty(); })
        || h.screenshot(u"order_header"_s).isEmpty() || !tap(h, "nextButton"))
        return nullptr;
    auto *items = qobject_cast<OrderPage2ViewController *>(stack->topViewController());
    const bool listed =
        items &&
        QTest::qWaitFor([&] { return !items->itemsArray().isEmpty() && !h.ui().isSpinnerVisible(); }, 10000);
    return listed && play(h, QLatin1String(steps)) ? header : nullptr;
}

// On the contract screen: the materials of the first contract, then `material` (the steps choosing one,
// its car/ship kind and quantity), then back on the contracts with the cart panel closed again.
bool addContractLine(QmlHarness &h, SlideMenuController *slide, const char *material)
{
    auto *stack = qobject_cast<NavigationController *>(slide->mainViewController());
    Screen *contract = stack->rootViewController();
    // Back on the contracts, the cart panel open; a tap beside the panel closes it.
    if (!play(h, "order/materials") || !play(h, QLatin1String(material))
        || !QTest::qWaitFor([&] { return slide->isRightFullyOpen(); }, 3000)
        || stack->topViewController() != contract)
        return false;
    QTest::mouseClick(h.window(), Qt::LeftButton, {}, QPoint(10, h.window()->height() / 2));
    h.settle();
    return QTest::qWaitFor([&] { return !slide->isRightOpen(); }, 3000);
}

// From the open cart panel: "下單", then "確認下單" once the confirmation has slid in.
bool submitCart(QmlHarness &h, SlideMenuController *slide)
{
    if (!tap(h, "cartOrderButton") || !QTest::qWaitFor([&] { return slide->presentedScreen() != nullptr; }, 3000))
        return false;
    h.settle();
    return tap(h, "confirmButton");
}
} // namespace

class OrderJourneyTest : public QObject
{
    Q_OBJECT
    std::optional<QmlApp> app; // a fresh app, gateway and window for each journey
    TabBarController *tabs = nullptr;
    NavigationController *home = nullptr; // the home tab's stack

    bool launchAndSignIn()
    {
        tabs = app->launchAndSignIn();
        home = app->homeStack();
        return tabs && home;
    }
    // Launches, signs in by typing and opens 訂單創建 from the home screen: the home stack, or null.
    NavigationController *openOrderTypes()
    {
        return launchAndSignIn() && play(app->harness(), "order/openTypes") ? home : nullptr;
    }
    qsizetype placed() { return app->gateway().simulator()->placedOrders().size(); }

    // 合約訂單 for the customer 0000100101, drawn with its credit, then two materials of the first contract
    // (10 and 5) in the cart: the slide-menu container, or null.
    SlideMenuController *contractCartOfTwo()
    {
        QmlHarness &h = app->harness();
        if (!openOrderTypes() || !play(h, "order/contractsOfACustomer"))
            return nullptr;
        auto *slide = qobject_cast<SlideMenuController *>(tabs->presentedScreen());
        const bool two = slide && addContractLine(h, slide, "order/firstMaterial")
                         && addContractLine(h, slide, "order/secondMaterial")
                         && app->context().draft().lines().size() == 2;
        return two ? slide : nullptr;
    }

private slots:
    void init() { app.emplace(); }
    void cleanup() { app.reset(); }

    // A gateway that answers in 2 s never freezes a picker: while the list is fetched the window keeps
    // drawing and shows the spinner; a failure offers 重試, which fetches again and opens the picker.
    void slowListNeverFreezesThePicker()
    {
        // The sign-in's refresh of the car/ship kinds fails, so none are stored; the header page's fetch
        // then fails after 2 s, and the one after 重試 answers the list after 2 s.
        for (const QJsonValue &fault : windowData(u"order/slowTransportListFaults"_s).toArray())
            QVERIFY(app->gateway().setFault(fault.toObject()));
        QmlHarness &h = app->harness();
        QVERIFY(headerPage(h, openOrderTypes()));
        QTRY_VERIFY(!app->context().lists().isFetching(u"transportList"_s));

        // The spinner turns while each 2-second answer is awaited; the main thread's stalls over such a wait
        // are measured by the headerPickerStall benchmark, not here.
        // What went wrong while the answer was awaited after tapping `button`, or nothing.
        const auto awaitAnswer = [&](const QString &button, const QString &drawnAfter) {
            QStringList faults;
            if (!h.click(button))
                faults << button + u" not drawn"_s;
            if (!QTest::qWaitFor([&] { return h.find(u"spinner"_s) != nullptr; }, 1000))
                faults << u"no spinner"_s;
            QTest::qWait(1000); // the gateway still holds the answer
            if (!h.find(u"spinner"_s) || h.find(drawnAfter))
                faults << u"the spinner went before the answer"_s;
            if (!QTest::qWaitFor([&] { return h.find(drawnAfter) != nullptr; }, 10000))
                faults << drawnAfter + u" not drawn"_s;
            return faults.join(u"; "_s);
        };
        QCOMPARE(awaitAnswer(u"orderRow_transType"_s, u"alertTitle"_s), QString());
        QVERIFY(play(h, "order/listRefused"));
        h.settle();
        QCOMPARE(awaitAnswer(u"alertButton_重試"_s, u"pickerDone"_s), QString());
        QVERIFY(play(h, "order/firstKindPicked"));
        QCOMPARE(app->gateway().gatewayCalls(u"transportList"_s).size(), 3);
    }

    void normalOrderBackThenLostAnswerSentOnce()
    {
        QmlHarness &h = app->harness();
        // The customers are asked for at sign-in and are still on their way when 訂單創建 opens: it joins.
        QVERIFY(app->gateway().setFault(u"clientList"_s, u"delay"_s, 1500));
        QVERIFY(launchAndSignIn());
        QTRY_COMPARE(app->gateway().gatewayCalls(u"clientList"_s).size(), 1);
        QVERIFY(play(h, "order/openTypes"));
        Screen *choose = home->topViewController();

        // Into the header page and back, three times: the page drawn is always the top controller's,
        // and the home page under it is neither drawn nor offered to accessibility clients.
        for (int round = 0; round < 3; ++round) {
            QVERIFY(play(h, "order/intoHeader"));
            const QList<QQuickItem *> covered = h.findAll(u"homeMenuCell_0"_s);
            QVERIFY(!covered.isEmpty());
            for (QQuickItem *cell : covered) {
                QAccessibleInterface *a = QAccessible::queryAccessibleInterface(cell);
                QVERIFY(a && a->state().invisible);
            }
            QVERIFY(play(h, "order/backToTypes"));
            QCOMPARE(home->topViewController(), choose);
        }

        QCOMPARE(app->gateway().gatewayCalls(u"clientList"_s).size(), 1);

        // A 3-copy order: customer, car/ship kind, delivery method, material, quantity 12, 3 copies.
        QVERIFY(enterNormalOrder(h, home, "order/materialTwelve"));
        QVERIFY(play(h, "order/threeCopies"));

        // The gateway places the order but the answer is lost: the order goes to the outbox, its lines of
        // unknown fate, and the confirmation says so instead of a failure.
        const qsizetype placedBefore = placed();
        QVERIFY(app->gateway().setFault(windowData(u"order/lostSubmissionAnswer"_s).toObject()));
        QVERIFY(play(h, "order/lostAnswer"));
        QCOMPARE(placed(), placedBefore + 3);
        QCOMPARE(app->context().outbox().orders().size(), 1);
        QVERIFY(!app->context().draft().resumable());

        // Once the guard allows it the outbox sends the lines again by itself, under the same identities:
        // nothing is placed twice, and the confirmation shows them placed.
        const double later = app->context().submissionGuard().now() + 61;
        app->context().submissionGuard().setClock([later] { return later; });
        QTRY_VERIFY_WITH_TIMEOUT(app->context().outbox().orders().isEmpty(), 40000);
        QVERIFY(play(h, "order/lostAnswerPlaced"));
        const QList<QJsonObject> submissions = app->gateway().gatewayCalls(u"ZSD_CREATE_EIP_ORDER2"_s);
        QCOMPARE(submissions.size(), 2);
        QCOMPARE(submissions.at(0)[u"eipOrder2List"_s].toArray().size(), 3);
        QCOMPARE(submissions.at(1)[u"eipOrder2List"_s], submissions.at(0)[u"eipOrder2List"_s]);
        QCOMPARE(placed(), placedBefore + 3);

        // Everything ordered: closing returns to the order-type screen, ready for the next order, and the
        // draft's document is gone.
        QVERIFY(play(h, "order/closeToTypes"));
        QVERIFY(!app->context().draft().resumable());
        QTRY_VERIFY(!QFile::exists(app->context().draft().documentPath(u"U10023"_s)));
    }

    // A contract cart of two lines that the gateway refused as a whole survives a trip through 訂單查詢:
    // the next 訂單創建 offers it, and 繼續 opens the contract screen with the cart holding both lines.
    // There the first line's quantity becomes 12, the second is swiped away, and the one line is ordered.
    void contractCartRefusedResumedAndOrdered()
    {
        QmlHarness &h = app->harness();
        SlideMenuController *slide = contractCartOfTwo();
        QVERIFY(slide);
        const QList<Order> lines = app->context().draft().lines();
        // The customer's contracts and the materials of the contract opened are kept for working offline.
        QTRY_VERIFY(app->context().kept().isSaved());
        const QString vbeln = lines.at(0).contract2.vbeln;
        const std::optional<KeptAnswer> contracts = app->context().kept().contracts(u"U10023"_s, u"0000100101"_s);
        const std::optional<KeptAnswer> materials =
            app->context().kept().contractMaterials(u"U10023"_s, u"0000100101"_s, vbeln);
        QVERIFY(contracts && materials);
        QCOMPARE(materials->answer[u"custContract1List"_s][0][u"matnr"_s].toString(), lines.at(0).orderItem.matnr);
        QVERIFY(app->gateway().setFault(u"ZSD_CREATE_EIP_ORDER2"_s, u"code"_s, 0, true, u"99"_s, u"系統忙碌"_s));
        QVERIFY(play(h, "order/cartPanel"));
        QVERIFY(submitCart(h, slide));
        QVERIFY(play(h, "order/refusedToTheQuery"));

        QVERIFY(play(h, "order/backAndAgain"));
        slide = qobject_cast<SlideMenuController *>(tabs->presentedScreen());
        QVERIFY(slide);
        QVERIFY(QTest::qWaitFor([&] { return slide->isRightFullyOpen() && h.find(u"orderCartCell_1"_s); }, 5000));
        QCOMPARE(textOf(h, "allAmountLabel"), app->context().draft().cart().orderConfirmAmountText());
        QCOMPARE(app->context().draft().lines(), lines);

        QVERIFY(play(h, "order/editFirstLine"));
        QTest::keyClick(h.window(), Qt::Key_A, Qt::ControlModifier);
        typeText(h.window(), "12");
        QVERIFY(play(h, "order/saveEdit"));
        QVERIFY(QTest::qWaitFor([&] { return !slide->presentedScreen() && h.find(u"orderCartCell_1"_s); }, 3000));

        // The line left (the first, its quantity 12) is what the gateway receives below.
        QVERIFY(swipeLeft(h, u"orderCartCell_1"_s, 120));
        QVERIFY(tap(h, "deleteButton_1"));
        QCOMPARE(app->context().draft().lines().size(), 1);
        const QString kept = app->context().draft().lines().at(0).orderSeq;
        QVERIFY(QTest::qWaitFor([&] { return !h.find(u"orderCartCell_1"_s); }, 2000));
        QVERIFY(slide->rightGesturesEnabled());

        // Submit from the cart once the guard allows it again: exactly one line is ordered.
        const double later = app->context().submissionGuard().now() + 61;
        app->context().submissionGuard().setClock([later] { return later; });
        const qsizetype placedBefore = placed();
        QVERIFY(submitCart(h, slide));
        QVERIFY(shown(h, "closeButton"));
        ZELK_COMPARE_FIXTURE(app->gateway().gatewayCalls(u"ZSD_CREATE_EIP_ORDER2"_s).last(),
                             "window/contractResumed", (QJsonObject{{"seq", kept}}));
        QCOMPARE(placed(), placedBefore + 1);
        QVERIFY(tap(h, "closeButton"));
        QVERIFY(play(h, "order/backOnTypes"));
    }

    // Two contract orders taken offline wait in the outbox (the first found the network gone as it was
    // sent, the second knew before). When the gateway answers again it refuses the first: the rep is told, with the customer and the server's words, and the second is still placed.
    void contractOrdersOfflineFirstRefusedSecondSent()
    {
        QmlHarness &h = app->harness();
        SlideMenuController *slide = contractCartOfTwo();
        QVERIFY(slide);
        QTRY_VERIFY(app->context().kept().isSaved());
        QVERIFY(app->gateway().setFault(QJsonObject{{u"operation"_s, u"*"_s}, {u"mode"_s, u"close"_s}, {u"once"_s, false}}));
        QVERIFY(play(h, "order/cartPanel"));
        // The network went as the lines were sent: whether they arrived is unknown.
        QVERIFY(submitCart(h, slide));
        QVERIFY(play(h, "order/contractOfUnknownFate"));
        // The second order: the same customer and contract from the kept answers, one line.
        QVERIFY(play(h, "order/contractsOfACustomer"));
        slide = qobject_cast<SlideMenuController *>(tabs->presentedScreen());
        QVERIFY(slide && addContractLine(h, slide, "order/firstMaterial"));
        QVERIFY(play(h, "order/cartPanelOfOne"));
        QVERIFY(submitCart(h, slide));
        QVERIFY(play(h, "order/contractWaiting"));
        const QList<OutboxOrder> waiting = app->context().outbox().orders();
        QCOMPARE(waiting.size(), 2);

        const qsizetype before = placed();
        QVERIFY(app->gateway().setFault(u"*"_s, u"none"_s));
        QVERIFY(app->gateway().setFault(u"ZSD_CREATE_EIP_ORDER2"_s, u"code"_s, 0, true, u"99"_s, u"系統忙碌"_s));
        // The guard's clock runs a minute ahead, so the first order may go at once; the second follows a
        // minute after the refusal, as the guard wants after any unsuccessful submission.
        app->context().submissionGuard().setClock([] { return QDateTime::currentMSecsSinceEpoch() / 1000.0 + 61; });
        // In front the refusal is an alert; behind, a desktop notification. A compositor without a seat (the
        // headless Weston of the Wayland run) never activates the window: there no alert may show.
        h.window()->requestActivate();
        const bool inFront = QTest::qWaitFor([] { return QGuiApplication::applicationState() == Qt::ApplicationActive; }, 3000);
        // The probe that finds the gateway again comes within its longest pause, 30 s.
        QTRY_VERIFY_WITH_TIMEOUT(app->context().outbox().orders().first().refused(), 45000);
        if (inFront) {
            QTRY_VERIFY(textOf(h, u"alertTitle"_s) == u"待送出訂單未能下單"_s);
            QVERIFY(play(h, "order/outboxRefusalTold"));
        } else {
            QVERIFY(!h.find(u"alertTitle"_s));
        }
        QTRY_VERIFY_WITH_TIMEOUT(app->context().outbox().orders().size() == 1, 75000);
        QCOMPARE(app->context().outbox().orders().first().id, waiting.first().id);
        QVERIFY(app->context().outbox().orders().first().refused());
        QCOMPARE(placed(), before + 1);
        const QList<QJsonObject> submissions = app->gateway().gatewayCalls(u"ZSD_CREATE_EIP_ORDER2"_s);
        QCOMPARE(submissions.size(), 3); // the first order as the network went, again (refused), the second
        QCOMPARE(submissions.last()[u"eipOrder2List"_s][0][u"orderSeq"_s].toString(), waiting.last().lines.first().line.orderSeq);
    }

    // An order placed for one customer asks for that customer's credit again, and the gateway holds the
    // answer back while the rep closes the confirmation and opens a contract order for another customer.
    // The late answer changes nothing: the contract screen keeps its own customer's credit.
    void lateCreditAnswerStaysWithItsCustomer()
    {
        QmlHarness &h = app->harness();
        QVERIFY(openOrderTypes());
        QVERIFY(play(h, "order/headerOfAnotherCustomer"));
        QVERIFY(play(h, "order/eightOfTheFirstMaterial"));
        constexpr int kHeld = 6000;
        QVERIFY(app->gateway().setFault(u"ZBAPI_GET_CUSTOMER_CREDIT"_s, u"delay"_s, kHeld));
        QVERIFY(play(h, "order/sendOne"));
        QElapsedTimer held; // the refresh went out with the answer drawn
        held.start();
        QVERIFY(play(h, "order/closeToTypes"));
        QVERIFY(play(h, "order/contractsOfACustomer"));
        QVERIFY(play(h, "order/contractsWithTheirOwnCredit"));
        QVERIFY2(held.elapsed() < kHeld, "the other customer's order opened after the held answer came");
        QTest::qWait(kHeld + 500 - int(held.elapsed()));
        QVERIFY(play(h, "order/contractsWithTheirOwnCredit"));
        QCOMPARE(app->context().customerStruct().creditValue(), 1650000.0f);
        const QList<QJsonObject> asked = app->gateway().gatewayCalls(u"ZBAPI_GET_CUSTOMER_CREDIT"_s);
        QStringList customers;
        for (const QJsonObject &call : asked)
            customers << call[u"pKunnr"_s].toString();
        QCOMPARE(customers, QStringList({u"0000100102"_s, u"0000100102"_s, u"0000100101"_s}));
        const QList<QJsonObject> contracts = app->gateway().gatewayCalls(u"ZSD_GET_CUST_CONTRACT2"_s);
        QCOMPARE(contracts.size(), 1);
        QCOMPARE(contracts.at(0)[u"pKunnr"_s].toString(), u"0000100101"_s);
    }

    void cartPanelFromTheEdgeWithThreeLines()
    {
        QmlHarness &h = app->harness();
        QVERIFY(openOrderTypes());
        auto *choose = qobject_cast<ChooseOrderTypeViewController *>(home->topViewController());
        QList<Order> lines;
        for (const auto &[name, price, quantity, pages] :
             {std::tuple{"袋裝水泥 50kg", 850.f, 20.f, 1}, {"高爐水泥 散裝", 2720.f, 10.f, 3}, {"預拌砂漿", 350.f, 12.f, 2}}) {
            Order o;
            o.orderItem.maktx = QString::fromUtf8(name);
            o.orderItem.price = price;
            o.orderItem.orderNumber = quantity;
            o.orderItem.inco1Bezei = u"送達工地"_s;
            o.orderPage = pages;
            lines << o;
        }
        choose->startContractOrder(OrderCustomer{.kunnr = u"0000100101"_s, .name1 = u"示範客戶"_s});
        h.settle();
        app->context().draft().setLines(lines);
        // A drag from the right edge opens the panel.
        QVERIFY(swipeLeft(h, u"slideMenuEdge"_s, 120));
        QVERIFY(play(h, "order/cartOfThree"));

        // A tap on the dimmed strip beside the panel closes it.
        QTest::mouseClick(h.window(), Qt::LeftButton, {}, QPoint(20, h.window()->height() / 2));
        QVERIFY(QTest::qWaitFor([&] { return !h.find(u"slideMenuDim"_s); }, 3000));
        // Leaving with lines in the cart asks first: "取消" stays, "離開" ends the contract order and empties the cart.
        QVERIFY(play(h, "order/leaveAsked"));
        QCOMPARE(app->context().draft().lines().size(), 3);
        QVERIFY(play(h, "order/leave"));
        QVERIFY(play(h, "order/backOnTypes"));
        QVERIFY(app->context().draft().lines().isEmpty());
    }

    // A normal order entered, then the app ends: after the restart 繼續 shows what was entered, over the
    // header chosen before. Sent, then its notice mail: tick the line, choose the required person, enter the
    // vehicle number, send; the confirmation's mail button then reads "已成功發送通知" and is disabled.
    void normalOrderResumedThenNoticeMail()
    {
        QmlHarness &h = app->harness();
        const qint64 started = QDateTime::currentMSecsSinceEpoch();
        OrderPage1ViewController *header = enterNormalOrder(h, openOrderTypes(), "order/materialEight");
        QVERIFY(header);
        QTRY_VERIFY(app->context().draft().isSaved());
        // What the rep needs offline is kept as it arrived, for this account: the customers, and the
        // credit, shipping point and price list (of the delivery terms asked) of the customer opened.
        auto *items = qobject_cast<OrderPage2ViewController *>(home->topViewController());
        QVERIFY(items);
        const QString account = u"U10023"_s, kunnr = app->context().customerStruct().customer().kunnr;
        const QString inco1 = app->gateway().gatewayCalls(u"ZSD_GET_MATNR_PRICE"_s).last()[u"pInco1"_s].toString();
        QTRY_VERIFY(app->context().kept().isSaved());
        const auto keptNow = [&] {
            KeptData &kept = app->context().kept();
            return QList<std::optional<KeptAnswer>>{kept.customers(account), kept.credit(account, kunnr),
                                                    kept.shippingPoint(account, kunnr), kept.prices(account, kunnr, inco1)};
        };
        const QList<std::optional<KeptAnswer>> kept = keptNow();
        for (const std::optional<KeptAnswer> &answer : kept)
            QVERIFY(answer && answer->receivedAt >= started && answer->receivedAt <= QDateTime::currentMSecsSinceEpoch());
        QCOMPARE(kept[3]->answer[u"matnrPriceList"_s].toArray().size(), items->itemsArray().size());
        QCOMPARE(kept[2]->answer[u"tvstz"_s][u"vstel"_s].toString(), header->order().orderItem.vstel);

        QVERIFY(app->restartAndSignIn());
        QCOMPARE(keptNow().mid(1), kept.mid(1)); // the next start finds them; the customers come again
        QVERIFY(play(h, "order/continueToItems"));
        // The header page under it shows the header chosen before, its shipping point included.
        QVERIFY(play(h, "order/backToHeader"));

        QVERIFY(play(h, "order/noticeMail"));
        // One mail: the vehicle number, the required person and three contacts.
        const QJsonArray mails = app->gateway().simulator()->sentMails();
        QCOMPARE(mails.size(), 1);
        const QJsonObject sent = app->gateway().gatewayCalls(u"ZSD_CREATE_EIP_ORDER2"_s).last();
        ZELK_COMPARE_FIXTURE(mails[0][u"sendMailList"_s], "window/noticeMail",
                             (QJsonObject{{"orderSeq", sent[u"eipOrder2List"_s][0][u"orderSeq"_s]}}));
    }
};

ZELK_TEST(OrderJourneyTest)
#include "OrderJourneyTest.moc"
