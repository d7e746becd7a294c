// Journeys of a sales rep through the real window against the development gateway: taps on the views'
// objectNames, real animated transitions, and checks of what is drawn and of what the gateway received.
#include "QmlHarness.h"
#include "TestRegistry.h"

#include "history/OrderHistoryViewController.h"
#include "model/AppContext.h"
#include "order/ChooseOrderTypeViewController.h"
#include "order/ContractViewController.h"
#include "order/EditOrderViewController.h"
#include "order/ItemsViewController.h"
#include "order/OrderCarViewController.h"
#include "order/OrderConfirmViewController.h"
#include "order/OrderPage2ViewController.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/SlideMenuController.h"
#include "ui/TabBarController.h"

#include <QAccessible>
#include <QFile>
#include <QJsonArray>
#include <QTest>

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

// From the order-type screen on `stack`: a normal order for the first customer with the first car/ship
// kind, delivery method and material, and `quantity`. The header page, the item page on top of it; null
// when a step fails.
OrderPage1ViewController *enterNormalOrder(QmlHarness &h, NavigationController *stack, const char *quantity)
{
    if (!tap(h, QStringLiteral("normalView")) || !tap(h, QStringLiteral("selectDataCell_0")))
        return nullptr;
    auto *header = qobject_cast<OrderPage1ViewController *>(stack->topViewController());
    if (!header || !QTest::qWaitFor([&] { return header->row(QStringLiteral("tvstz")) && !h.ui().isSpinnerVisible(); }, 10000))
        return nullptr;
    if (!tap(h, QStringLiteral("orderRow_transType")) || !tap(h, QStringLiteral("pickerDone"))
        || !tap(h, QStringLiteral("orderRow_inco1")) || !tap(h, QStringLiteral("pickerDone"))
        || !QTest::qWaitFor([&] { return !header->row(QStringLiteral("inco1"))->subTitle.isEmpty(); })
        || h.screenshot(QStringLiteral("order_header")).isEmpty() || !tap(h, QStringLiteral("nextButton")))
        return nullptr;
    auto *items = qobject_cast<OrderPage2ViewController *>(stack->topViewController());
    if (!items || !QTest::qWaitFor([&] { return !items->itemsArray().isEmpty() && !h.ui().isSpinnerVisible(); }, 10000))
        return nullptr;
    if (!tap(h, QStringLiteral("orderRow_itemNo")) || !tap(h, QStringLiteral("selectDataCell_0"))
        || !tap(h, QStringLiteral("orderRow_orderNumber")) || !tap(h, QStringLiteral("alertField_0")))
        return nullptr;
    typeText(h.window(), quantity);
    return tap(h, QStringLiteral("alertButton_確定")) ? header : nullptr;
}

// From the order-type screen: 合約訂單 for the customer 0000100101; its slide-menu container once the
// contracts show, or null.
SlideMenuController *startContractOrder(QmlHarness &h, ChooseOrderTypeViewController *choose, TabBarController *tabs)
{
    if (!tap(h, QStringLiteral("contractView"))
        || !QTest::qWaitFor([&] { return choose->filterCustomerListArray().count() > 0 && !h.ui().isSpinnerVisible(); }, 10000))
        return nullptr;
    int customerRow = -1;
    for (int row = 0; row < choose->filterCustomerListArray().count(); ++row) {
        if (choose->filterCustomerListArray().customerAt(row)->kunnr == QLatin1String("0000100101"))
            customerRow = row;
    }
    if (customerRow < 0 || !tap(h, QStringLiteral("selectDataCell_%1").arg(customerRow)))
        return nullptr;
    auto *slide = qobject_cast<SlideMenuController *>(tabs->presentedScreen());
    if (!slide || !QTest::qWaitFor([&] { return h.find(QStringLiteral("contractCell_1")) && !h.ui().isSpinnerVisible(); }, 10000))
        return nullptr;
    return slide;
}

// On the contract screen: material `item` of the first contract, the first car/ship kind and `quantity`
// through the quantity entry, then back on the contracts with the cart panel closed again.
bool addContractLine(QmlHarness &h, SlideMenuController *slide, int item, const char *quantity)
{
    auto *stack = qobject_cast<NavigationController *>(slide->mainViewController());
    Screen *contract = stack->rootViewController();
    if (!tap(h, QStringLiteral("contractCell_0"))
        || !QTest::qWaitFor([&] { return h.find(QStringLiteral("itemCell_1")) && !h.ui().isSpinnerVisible(); }, 10000)
        || !qobject_cast<ItemsViewController *>(stack->topViewController())
        || textOf(h, QStringLiteral("navigationTitle")) != QStringLiteral("選擇品種"))
        return false;
    if (item == 0)
        h.screenshot(QStringLiteral("contract_materials"));
    if (!tap(h, QStringLiteral("itemCell_%1").arg(item)) || !tap(h, QStringLiteral("orderTypeButton"))
        || !tap(h, QStringLiteral("pickerDone")) || !tap(h, QStringLiteral("itemAmtTextField")))
        return false;
    typeText(h.window(), quantity);
    // Back on the contracts, the cart panel open; a tap beside the panel closes it.
    if (!tap(h, QStringLiteral("addToCartButton")) || !QTest::qWaitFor([&] { return slide->isRightFullyOpen(); }, 3000)
        || stack->topViewController() != contract)
        return false;
    QTest::mouseClick(h.window(), Qt::LeftButton, {}, QPoint(10, h.window()->height() / 2));
    h.settle();
    return QTest::qWaitFor([&] { return !slide->isRightOpen(); }, 3000);
}

// Waits for the offer to continue the draft, and taps "繼續".
bool continueOffered(QmlHarness &h)
{
    return QTest::qWaitFor([&] { return textOf(h, QStringLiteral("alertTitle")) == QStringLiteral("未完成的訂單"); }, 5000)
           && textOf(h, QStringLiteral("alertMessage")) == QStringLiteral("您有一筆尚未完成的訂單，要繼續嗎？")
           && tap(h, QStringLiteral("alertButton_繼續"));
}

QStringList lineSeqs(const QJsonObject &submission)
{
    QStringList seqs;
    for (const QJsonValue &line : submission.value(QStringLiteral("eipOrder2List")).toArray())
        seqs << line.toObject().value(QStringLiteral("orderSeq")).toString();
    return seqs;
}
} // namespace

class OrderJourneyTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Localizer::instance().load({QStringLiteral("zh-TW")}); }

    // A gateway that answers in 2 s never freezes a picker: while the list is fetched the window keeps
    // drawing and shows the spinner; a failure offers 重試, which fetches again and opens the picker.
    void slowListNeverFreezesThePicker()
    {
        QmlApp app;
        // The sign-in's refresh of the car/ship kinds fails, so none are stored; the header page's fetch
        // then fails after 2 s, and the one after 重試 answers the list after 2 s.
        const QJsonObject refused{{"operation", "transportList"}, {"mode", "code"}, {"returnCode", "01"},
                                  {"returnMsg", "維護中"}, {"append", true}};
        QJsonObject slowRefusal = refused;
        slowRefusal.insert(QStringLiteral("delayMs"), 2000);
        QVERIFY(app.gateway().setFault(refused));
        QVERIFY(app.gateway().setFault(slowRefusal));
        QVERIFY(app.gateway().setFault(QJsonObject{{"operation", "transportList"}, {"mode", "delay"},
                                                   {"delayMs", 2000}, {"append", true}}));
        QmlHarness &h = app.harness();
        QVERIFY(app.launchAndSignIn());
        NavigationController *stack = app.homeStack();
        QVERIFY(tap(h, QStringLiteral("homeMenuCell_0")) && tap(h, QStringLiteral("normalView"))
                && tap(h, QStringLiteral("selectDataCell_0")));
        auto *header = qobject_cast<OrderPage1ViewController *>(stack->topViewController());
        QVERIFY(header);
        QVERIFY(QTest::qWaitFor([&] { return header->row(QStringLiteral("tvstz")) && !h.ui().isSpinnerVisible(); }, 10000));
        QTRY_VERIFY(!app.context().lists().isFetching(QStringLiteral("transportList")));

        // The spinner turns while each 2-second answer is awaited; the main thread's stalls over such a wait
        // are measured by the headerPickerStall benchmark, not here.
        // What went wrong while the answer was awaited after tapping `button`, or nothing.
        const auto awaitAnswer = [&](const QString &button, const QString &drawnAfter) {
            QStringList faults;
            if (!h.click(button))
                faults << button + QStringLiteral(" not drawn");
            if (!QTest::qWaitFor([&] { return h.find(QStringLiteral("spinner")) != nullptr; }, 1000))
                faults << QStringLiteral("no spinner");
            QTest::qWait(1000); // the gateway still holds the answer
            if (!h.find(QStringLiteral("spinner")) || h.find(drawnAfter))
                faults << QStringLiteral("the spinner went before the answer");
            if (!QTest::qWaitFor([&] { return h.find(drawnAfter) != nullptr; }, 10000))
                faults << drawnAfter + QStringLiteral(" not drawn");
            return faults.join(QStringLiteral("; "));
        };
        QCOMPARE(awaitAnswer(QStringLiteral("orderRow_transType"), QStringLiteral("alertTitle")), QString());
        QCOMPARE(textOf(h, QStringLiteral("alertTitle")), QStringLiteral("無法取得資料"));
        QCOMPARE(textOf(h, QStringLiteral("alertMessage")), QStringLiteral("維護中"));
        h.settle();
        QCOMPARE(awaitAnswer(QStringLiteral("alertButton_重試"), QStringLiteral("pickerDone")), QString());
        QVERIFY(tap(h, QStringLiteral("pickerDone")));
        QTRY_VERIFY(!header->row(QStringLiteral("transType"))->subTitle.isEmpty());
        QCOMPARE(app.gateway().gatewayCalls(QStringLiteral("transportList")).size(), 3);
    }

    void normalOrderBackAndResendAfterLostAnswer()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        // The customers are asked for at sign-in and are still on their way when 訂單創建 opens: it joins.
        QVERIFY(app.gateway().setFault(QStringLiteral("clientList"), QStringLiteral("delay"), 1500));
        QVERIFY(app.launchAndSignIn());
        NavigationController *stack = app.homeStack();
        QTRY_COMPARE(app.gateway().gatewayCalls(QStringLiteral("clientList")).size(), 1);

        QVERIFY(tap(h, QStringLiteral("homeMenuCell_0")));
        auto *choose = qobject_cast<ChooseOrderTypeViewController *>(stack->topViewController());
        QVERIFY(choose);
        QVERIFY(app.drawnIsTop());

        // Into the header page and back, three times: the page drawn is always the top controller's,
        // and the home page under it is neither drawn nor offered to accessibility clients.
        for (int round = 0; round < 3; ++round) {
            QVERIFY(tap(h, QStringLiteral("normalView")));
            QVERIFY(tap(h, QStringLiteral("selectDataCell_0")));
            QVERIFY(QTest::qWaitFor([&] { return qobject_cast<OrderPage1ViewController *>(stack->topViewController()); }));
            h.settle();
            QVERIFY2(app.drawnIsTop(), qPrintable(h.navigator().describe()));
            QCOMPARE(textOf(h, QStringLiteral("navigationTitle")), QStringLiteral("一般訂單"));
            QVERIFY(!h.find(QStringLiteral("homeMenuCell_0")));
            const QList<QQuickItem *> covered = h.findAll(QStringLiteral("homeMenuCell_0"));
            QVERIFY(!covered.isEmpty());
            for (QQuickItem *cell : covered) {
                QAccessibleInterface *a = QAccessible::queryAccessibleInterface(cell);
                QVERIFY(a);
                QVERIFY(a->state().invisible);
            }
            QVERIFY(tap(h, QStringLiteral("backButton")));
            QCOMPARE(stack->topViewController(), choose);
            QVERIFY2(app.drawnIsTop(), qPrintable(h.navigator().describe()));
            QCOMPARE(textOf(h, QStringLiteral("navigationTitle")), QStringLiteral("訂單創建"));
        }

        QCOMPARE(app.gateway().gatewayCalls(QStringLiteral("clientList")).size(), 1);

        // A 3-copy order: customer, car/ship kind, delivery method, material, quantity 12, 3 copies.
        OrderPage1ViewController *header = enterNormalOrder(h, stack, "12");
        QVERIFY(header);
        auto *items = qobject_cast<OrderPage2ViewController *>(stack->topViewController());
        QVERIFY(tap(h, QStringLiteral("copyOrderButton")));
        QVERIFY(tap(h, QStringLiteral("pickerRow_2")));
        QVERIFY(tap(h, QStringLiteral("pickerDone")));
        QCOMPARE(header->order().orderPage, 3);
        QCOMPARE(header->order().orderItem.orderNumber, 12.0f);
        QVERIFY(app.drawnIsTop());
        QVERIFY(!h.screenshot(QStringLiteral("order_items")).isEmpty());

        // The gateway places the order but the answer is lost.
        const qsizetype placedBefore = app.gateway().simulator()->placedOrders().size();
        QVERIFY(app.gateway().setFault(QJsonObject{{"operation", "ZSD_CREATE_EIP_ORDER2"}, {"mode", "close"},
                                                   {"execute", true}, {"once", true}}));
        QVERIFY(tap(h, QStringLiteral("orderButton")));
        QVERIFY(!h.screenshot(QStringLiteral("order_confirm_before")).isEmpty());
        QVERIFY(tap(h, QStringLiteral("confirmButton")));
        QVERIFY(QTest::qWaitFor([&] { return textOf(h, QStringLiteral("alertTitle")) == QStringLiteral("下單失敗"); }, 10000));
        QVERIFY(tap(h, QStringLiteral("alertButton_確定")));
        QVERIFY(tap(h, QStringLiteral("editOrderButton")));

        // Back on the item page of the same order, with everything entered.
        QCOMPARE(stack->topViewController(), items);
        QVERIFY2(app.drawnIsTop(), qPrintable(h.navigator().describe()));
        QCOMPARE(textOf(h, QStringLiteral("navigationTitle")), QStringLiteral("一般訂單"));
        QCOMPARE(header->order().orderPage, 3);
        QCOMPARE(items->row(QStringLiteral("orderNumber"))->subTitle, QStringLiteral("12.0"));
        QVERIFY(h.find(QStringLiteral("copyCountRow")));
        QCOMPARE(app.gateway().simulator()->placedOrders().size(), placedBefore + 3);

        // The app ends the hard way, starts again and signs in: the home screen offers the order, and
        // 繼續 opens its item page.
        QTRY_VERIFY(app.context().draft().isSaved());
        QVERIFY(app.restartAndSignIn());
        stack = app.homeStack();
        QVERIFY(continueOffered(h));
        QVERIFY(QTest::qWaitFor([&] { return qobject_cast<OrderPage2ViewController *>(stack->topViewController()); }));
        QVERIFY2(app.drawnIsTop(), qPrintable(h.navigator().describe()));
        QCOMPARE(textOf(h, QStringLiteral("orderRow_orderNumber"), "detailText"), QStringLiteral("12.0"));
        QVERIFY(h.find(QStringLiteral("copyCountRow")));

        // The guard holds across the restart: sending at once is refused without reaching the gateway.
        QVERIFY(tap(h, QStringLiteral("orderButton")));
        QVERIFY(tap(h, QStringLiteral("confirmButton")));
        QVERIFY(QTest::qWaitFor([&] { return textOf(h, QStringLiteral("alertTitle")) == QStringLiteral("下單失敗"); }, 10000));
        QCOMPARE(textOf(h, QStringLiteral("alertMessage")),
                 QStringLiteral("下單時間過於靠近，之前的下單正在處理中，請稍待片刻並確認本次下單是否成功。"));
        QVERIFY(tap(h, QStringLiteral("alertButton_確定")));
        QVERIFY(tap(h, QStringLiteral("editOrderButton")));

        // Sent again once the guard allows it: the same line identities, so nothing is placed twice.
        const double later = app.context().submissionGuard().now() + 61;
        app.context().submissionGuard().setClock([later] { return later; });
        QVERIFY(tap(h, QStringLiteral("orderButton")));
        QVERIFY(tap(h, QStringLiteral("confirmButton")));
        QVERIFY(QTest::qWaitFor([&] { return h.find(QStringLiteral("closeButton")) != nullptr; }, 10000));
        const QList<QJsonObject> submissions = app.gateway().gatewayCalls(QStringLiteral("ZSD_CREATE_EIP_ORDER2"));
        QCOMPARE(submissions.size(), 2);
        QCOMPARE(lineSeqs(submissions.at(0)).size(), 3);
        QCOMPARE(lineSeqs(submissions.at(1)), lineSeqs(submissions.at(0)));
        QCOMPARE(app.gateway().simulator()->placedOrders().size(), placedBefore + 3);
        QVERIFY(h.find(QStringLiteral("orderConfirmStatusCell_2")));
        QVERIFY(!h.screenshot(QStringLiteral("order_confirm_done")).isEmpty());

        // Everything ordered: closing returns to the order-type screen, ready for the next order, and the
        // draft's document is gone.
        QVERIFY(tap(h, QStringLiteral("closeButton")));
        QVERIFY(qobject_cast<ChooseOrderTypeViewController *>(stack->topViewController()));
        QVERIFY2(app.drawnIsTop(), qPrintable(h.navigator().describe()));
        QVERIFY(!app.context().draft().resumable());
        QTRY_VERIFY(!QFile::exists(app.context().draft().documentPath(QStringLiteral("U10023"))));
    }

    // A customer, a material and a quantity entered, then the app ends: after the restart 繼續 shows them.
    void enteredOrderResumesAfterRestart()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        QVERIFY(app.launchAndSignIn());
        QVERIFY(tap(h, QStringLiteral("homeMenuCell_0")));
        QVERIFY(enterNormalOrder(h, app.homeStack(), "7"));
        const QStringList entered{textOf(h, QStringLiteral("customNameLabel")),
                                  textOf(h, QStringLiteral("orderRow_itemName"), "detailText"),
                                  textOf(h, QStringLiteral("orderRow_orderNumber"), "detailText")};
        QVERIFY(entered.at(0).startsWith(QStringLiteral("客戶:")) && !entered.at(1).isEmpty());
        QCOMPARE(entered.at(2), QStringLiteral("7.0"));
        QTRY_VERIFY(app.context().draft().isSaved());

        QVERIFY(app.restartAndSignIn());
        QVERIFY(continueOffered(h));
        QVERIFY(QTest::qWaitFor([&] { return qobject_cast<OrderPage2ViewController *>(app.homeStack()->topViewController()); }));
        QVERIFY2(app.drawnIsTop(), qPrintable(h.navigator().describe()));
        QCOMPARE((QStringList{textOf(h, QStringLiteral("customNameLabel")),
                              textOf(h, QStringLiteral("orderRow_itemName"), "detailText"),
                              textOf(h, QStringLiteral("orderRow_orderNumber"), "detailText")}),
                 entered);
        // The header page under it shows the header chosen before, its shipping point included.
        QVERIFY(tap(h, QStringLiteral("backButton")));
        QVERIFY(app.drawnIsTop());
        QVERIFY(QTest::qWaitFor([&] { return h.find(QStringLiteral("orderRow_tvstz")) != nullptr; }));
        QVERIFY(textOf(h, QStringLiteral("orderRow_transType"), "detailText") != QStringLiteral("請選擇"));
        QCOMPARE(textOf(h, QStringLiteral("customNameLabel")), entered.at(0));
    }

    // A contract cart of two lines that the gateway refused as a whole survives a trip through 訂單查詢:
    // the next 訂單創建 offers it, and 繼續 opens the contract screen with the cart holding both lines.
    void contractCartSurvivesTheOrderQuery()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        TabBarController *tabs = app.launchAndSignIn();
        QVERIFY(tabs);
        NavigationController *stack = app.homeStack();
        QVERIFY(tap(h, QStringLiteral("homeMenuCell_0")));
        SlideMenuController *slide =
            startContractOrder(h, qobject_cast<ChooseOrderTypeViewController *>(stack->topViewController()), tabs);
        QVERIFY(slide);
        QVERIFY(addContractLine(h, slide, 0, "10"));
        QVERIFY(addContractLine(h, slide, 1, "5"));
        const QList<Order> lines = app.context().draft().lines();
        QCOMPARE(lines.size(), 2);

        QVERIFY(app.gateway().setFault(QStringLiteral("ZSD_CREATE_EIP_ORDER2"), QStringLiteral("code"), 0, true,
                                       QStringLiteral("99"), QStringLiteral("系統忙碌")));
        QVERIFY(tap(h, QStringLiteral("cartBarButton")));
        QVERIFY(tap(h, QStringLiteral("cartOrderButton")));
        QVERIFY(QTest::qWaitFor([&] { return slide->presentedScreen() != nullptr; }, 3000));
        h.settle();
        QVERIFY(tap(h, QStringLiteral("confirmButton")));
        QVERIFY(QTest::qWaitFor([&] { return textOf(h, QStringLiteral("alertTitle")) == QStringLiteral("下單失敗"); }, 10000));
        QVERIFY(tap(h, QStringLiteral("alertButton_確定")));
        QVERIFY(tap(h, QStringLiteral("orderQueryButton")));
        QVERIFY(QTest::qWaitFor([&] { return qobject_cast<OrderHistoryViewController *>(stack->topViewController()); }, 3000));
        QVERIFY2(app.drawnIsTop(), qPrintable(h.navigator().describe()));
        QCOMPARE(textOf(h, QStringLiteral("navigationTitle")), QStringLiteral("訂單查詢"));
        QVERIFY(!h.find(QStringLiteral("alertTitle")));
        QCOMPARE(app.context().draft().lines(), lines);

        QVERIFY(tap(h, QStringLiteral("backButton")));
        QVERIFY(tap(h, QStringLiteral("homeMenuCell_0")));
        QVERIFY(continueOffered(h));
        slide = qobject_cast<SlideMenuController *>(tabs->presentedScreen());
        QVERIFY(slide);
        QVERIFY(QTest::qWaitFor([&] { return slide->isRightFullyOpen() && h.find(QStringLiteral("orderCartCell_1")); }, 5000));
        QCOMPARE(textOf(h, QStringLiteral("allAmountLabel")), app.context().draft().cart().orderConfirmAmountText());
        QCOMPARE(app.context().draft().lines(), lines);
    }

    void contractOrderTwoLinesEditOneDeleteOther()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        TabBarController *tabs = app.launchAndSignIn();
        QVERIFY(tabs);
        NavigationController *stack = app.homeStack();
        QVERIFY(tap(h, QStringLiteral("homeMenuCell_0")));
        auto *choose = qobject_cast<ChooseOrderTypeViewController *>(stack->topViewController());
        QVERIFY(choose);

        // 合約訂單 for the customer 0000100101: two materials of the first contract.
        auto *slide = startContractOrder(h, choose, tabs);
        QVERIFY(slide);
        auto *contract = qobject_cast<ContractViewController *>(
            qobject_cast<NavigationController *>(slide->mainViewController())->rootViewController());
        QCOMPARE(h.drawnPages(), (QList<Screen *>{contract}));
        QVERIFY(textOf(h, QStringLiteral("creditsLabel")).startsWith(QStringLiteral("¥")));
        h.screenshot(QStringLiteral("contract_list"));
        QVERIFY(addContractLine(h, slide, 0, "10"));
        QVERIFY(addContractLine(h, slide, 1, "5"));
        QCOMPARE(app.context().draft().lines().size(), 2);

        // The panel from the cart button: both lines.
        QVERIFY(tap(h, QStringLiteral("cartBarButton")));
        QVERIFY(QTest::qWaitFor([&] { return h.find(QStringLiteral("orderCartCell_1")) != nullptr; }, 3000));
        QCOMPARE(textOf(h, QStringLiteral("allAmountLabel")), app.context().draft().cart().orderConfirmAmountText());

        // Edit the first line's quantity to 12.
        QVERIFY(tap(h, QStringLiteral("orderCartCell_0")));
        auto *editNav = qobject_cast<NavigationController *>(slide->presentedScreen());
        QVERIFY(editNav && qobject_cast<EditOrderViewController *>(editNav->rootViewController()));
        QCOMPARE(textOf(h, QStringLiteral("navigationTitle")), QStringLiteral("訂單編輯"));
        h.screenshot(QStringLiteral("contract_edit"));
        QVERIFY(tap(h, QStringLiteral("editRow_orderNumber")));
        QVERIFY(tap(h, QStringLiteral("alertField_0")));
        QTest::keyClick(h.window(), Qt::Key_A, Qt::ControlModifier);
        typeText(h.window(), "12");
        QVERIFY(tap(h, QStringLiteral("alertButton_確定")));
        QVERIFY(tap(h, QStringLiteral("saveButton")));
        QVERIFY(QTest::qWaitFor([&] { return !slide->presentedScreen() && h.find(QStringLiteral("orderCartCell_1")); }, 3000));
        QCOMPARE(app.context().draft().lines().at(0).orderItem.orderNumber, 12.0f);

        // Swipe the second line away.
        const QString deleted = app.context().draft().lines().at(1).orderSeq;
        QVERIFY(swipeLeft(h, QStringLiteral("orderCartCell_1"), 120));
        QVERIFY(tap(h, QStringLiteral("deleteButton_1")));
        QCOMPARE(app.context().draft().lines().size(), 1);
        QVERIFY(app.context().draft().lines().at(0).orderSeq != deleted);
        QVERIFY(QTest::qWaitFor([&] { return !h.find(QStringLiteral("orderCartCell_1")); }, 2000));
        QVERIFY(slide->rightGesturesEnabled());

        // Submit from the cart: exactly one line is ordered.
        const qsizetype placedBefore = app.gateway().simulator()->placedOrders().size();
        QVERIFY(tap(h, QStringLiteral("cartOrderButton")));
        // The panel closes, then the confirmation slides in.
        QVERIFY(QTest::qWaitFor([&] { return slide->presentedScreen() != nullptr; }, 3000));
        h.settle();
        QVERIFY(tap(h, QStringLiteral("confirmButton")));
        QVERIFY(QTest::qWaitFor([&] { return h.find(QStringLiteral("closeButton")) != nullptr; }, 10000));
        const QJsonArray sent = app.gateway().gatewayCalls(QStringLiteral("ZSD_CREATE_EIP_ORDER2")).last()
                                    .value(QStringLiteral("eipOrder2List")).toArray();
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent.at(0)[QStringLiteral("vgbel")].toString(), QStringLiteral("0040000101"));
        QCOMPARE(sent.at(0)[QStringLiteral("kwmeng")].toString(), QStringLiteral("12.0"));
        QCOMPARE(app.gateway().simulator()->placedOrders().size(), placedBefore + 1);
        QVERIFY(tap(h, QStringLiteral("closeButton")));
        QVERIFY(QTest::qWaitFor([&] { return !tabs->presentedScreen(); }, 3000));
        QVERIFY(QTest::qWaitFor([&] { return h.drawnPages() == QList<Screen *>{choose}; }, 3000));
    }

    void cartPanelFromTheEdgeWithThreeLines()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        TabBarController *tabs = app.launchAndSignIn();
        QVERIFY(tabs);
        auto *choose = qobject_cast<ChooseOrderTypeViewController *>(app.storyboard().instantiateInitial(QStringLiteral("Order")));
        app.homeStack()->push(choose, false);
        h.settle();
        QList<Order> lines;
        for (const auto &[name, price, quantity, pages] :
             {std::tuple{"袋裝水泥 50kg", 850.f, 20.f, 1}, {"高爐水泥 散裝", 2720.f, 10.f, 3}, {"預拌砂漿", 350.f, 12.f, 2}}) {
            Order o;
            o.orderItem.maktx = QString::fromUtf8(name);
            o.orderItem.price = price;
            o.orderItem.orderNumber = quantity;
            o.orderItem.inco1Bezei = QStringLiteral("送達工地");
            o.orderPage = pages;
            lines << o;
        }
        OrderCustomer customer;
        customer.kunnr = QStringLiteral("0000100101");
        customer.name1 = QStringLiteral("示範客戶");
        choose->startContractOrder(customer);
        h.settle();
        app.context().draft().setLines(lines);
        // A drag from the right edge opens the panel.
        QVERIFY(swipeLeft(h, QStringLiteral("slideMenuEdge"), 120));
        QVERIFY(QTest::qWaitFor([&] { return h.find(QStringLiteral("orderCartCell_2")) != nullptr; }, 3000));
        QCOMPARE(textOf(h, QStringLiteral("allAmountLabel")), QStringLiteral("¥107,000.00"));
        h.screenshot(QStringLiteral("contract_cart"));

        // Leaving with lines in the cart asks first: "取消" stays, "離開" ends the contract order and empties the cart.
        // A tap on the dimmed strip beside the panel closes it.
        QQuickItem *dim = h.find(QStringLiteral("slideMenuDim"));
        QVERIFY(dim);
        QTest::mouseClick(h.window(), Qt::LeftButton, {}, dim->mapToScene(QPointF(20, dim->height() / 2)).toPoint());
        QVERIFY(QTest::qWaitFor([&] { return !h.find(QStringLiteral("slideMenuDim")); }, 3000));
        QVERIFY(tap(h, QStringLiteral("cancelBarButton")));
        QCOMPARE(textOf(h, QStringLiteral("alertTitle")), QStringLiteral("離開下單"));
        QCOMPARE(textOf(h, QStringLiteral("alertMessage")), QStringLiteral("離開後將會清空您購物車的內容，請確認。"));
        QVERIFY(tap(h, QStringLiteral("alertButton_取消")));
        QVERIFY(tabs->presentedScreen());
        QCOMPARE(app.context().draft().lines().size(), 3);
        QVERIFY(tap(h, QStringLiteral("cancelBarButton")));
        QVERIFY(tap(h, QStringLiteral("alertButton_離開")));
        QVERIFY(QTest::qWaitFor([&] { return !tabs->presentedScreen(); }, 3000));
        QVERIFY(QTest::qWaitFor([&] { return h.drawnPages() == QList<Screen *>{choose}; }, 3000));
        QVERIFY(app.context().draft().lines().isEmpty());
    }

    // A normal order, then its notice mail: tick the line, choose the required person, enter the
    // vehicle number, send; the confirmation's mail button then reads "已成功發送通知" and is disabled.
    void normalOrderThenNoticeMail()
    {
        QmlApp app;
        QmlHarness &h = app.harness();
        QVERIFY(app.launchAndSignIn());
        NavigationController *stack = app.homeStack();
        const auto drawnIs = [&](const char *className) {
            return QTest::qWaitFor([&] {
                const QList<Screen *> pages = h.drawnPages();
                return pages.size() == 1 && pages.first()->className() == QLatin1String(className);
            }, 5000);
        };

        QVERIFY(tap(h, QStringLiteral("homeMenuCell_0")));
        QVERIFY(enterNormalOrder(h, stack, "8"));
        QVERIFY(tap(h, QStringLiteral("orderButton")));
        QVERIFY(tap(h, QStringLiteral("confirmButton")));
        QVERIFY(QTest::qWaitFor([&] { return h.find(QStringLiteral("closeButton")) != nullptr; }, 10000));

        QCOMPARE(textOf(h, QStringLiteral("sendMailButton")), QStringLiteral("發送通知"));
        QVERIFY(tap(h, QStringLiteral("sendMailButton")));
        QVERIFY(drawnIs("SendMailViewController"));
        QCOMPARE(textOf(h, QStringLiteral("navigationTitle")), QStringLiteral("發送通知"));
        h.screenshot(QStringLiteral("send_mail"));

        // The row opens its ordered line read-only.
        QVERIFY(tap(h, QStringLiteral("sendMailCell_0")));
        QVERIFY(drawnIs("EditOrderViewController"));
        QCOMPARE(textOf(h, QStringLiteral("navigationTitle")), QStringLiteral("訂單資訊"));
        QVERIFY(tap(h, QStringLiteral("backButton")));
        QVERIFY(drawnIs("SendMailViewController"));

        // The group has required persons: ticking asks for one, and "選擇" leads to the choice.
        QVERIFY(tap(h, QStringLiteral("checkButton_0")));
        QCOMPARE(textOf(h, QStringLiteral("alertTitle")), QStringLiteral("請手動選擇人員"));
        QVERIFY(tap(h, QStringLiteral("alertButton_選擇")));
        QVERIFY(drawnIs("ChoiceMailViewController"));
        QCOMPARE(textOf(h, QStringLiteral("navigationTitle")), QStringLiteral("選擇人員"));
        QVERIFY(tap(h, QStringLiteral("choiceCell_0")));
        h.screenshot(QStringLiteral("choice_mail"));
        QVERIFY(tap(h, QStringLiteral("saveButton")));

        QVERIFY(drawnIs("EditSentMailViewController"));
        QCOMPARE(textOf(h, QStringLiteral("navigationTitle")), QStringLiteral("輸入發送資訊"));
        QVERIFY(tap(h, QStringLiteral("carNoTextField")));
        typeText(h.window(), "KLA-1234");
        QVERIFY(h.find(QStringLiteral("recipientCell_3")));
        h.screenshot(QStringLiteral("edit_sent_mail"));
        QVERIFY(tap(h, QStringLiteral("saveButton")));

        QVERIFY(drawnIs("SendMailViewController"));
        QVERIFY(tap(h, QStringLiteral("sendButton")));
        QVERIFY(QTest::qWaitFor([&] { return textOf(h, QStringLiteral("alertTitle")) == QStringLiteral("成功"); }, 10000));
        QVERIFY(tap(h, QStringLiteral("alertButton_確定")));
        QVERIFY(drawnIs("OrderConfirmViewController"));
        QCOMPARE(textOf(h, QStringLiteral("sendMailButton")), QStringLiteral("已成功發送通知"));
        QCOMPARE(h.find(QStringLiteral("sendMailButton"))->isEnabled(), false);

        const QJsonArray mails = app.gateway().simulator()->sentMails();
        QCOMPARE(mails.size(), 1);
        const QJsonObject mail = mails.at(0).toObject().value(QStringLiteral("sendMailList")).toArray().at(0).toObject();
        QCOMPARE(mail.value(QStringLiteral("carNo")).toString(), QStringLiteral("KLA-1234"));
        QCOMPARE(mail.value(QStringLiteral("mailList")).toArray().size(), 4); // the required person, three contacts
    }
};

ZELK_TEST(OrderJourneyTest)
#include "OrderJourneyTest.moc"
