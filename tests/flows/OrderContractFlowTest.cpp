// Contract orders through the order screens against the development gateway: the contract list, the
// materials, the quantity entry, the cart panel (rows, total, delete and edit by identity), the
// editing limits, and the ways out of the confirmation and of the contract order.
#include "OrderFlow.h"
#include "TestRegistry.h"

#include "history/OrderHistoryViewController.h"
#include "order/ContractViewController.h"
#include "order/CustomerCredit.h"
#include "order/EditOrderViewController.h"
#include "order/EnterNewAmountViewController.h"
#include "order/ItemsViewController.h"
#include "order/OrderCarViewController.h"
#include "order/OrderConfirmViewController.h"
#include "ui/SlideMenuController.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

namespace {

struct ContractFlow : OrderFlow {
    SlideMenuController *slide() const
    {
        return tabBar ? qobject_cast<SlideMenuController *>(tabBar->presentedScreen()) : nullptr;
    }
    NavigationController *contractStack() const
    {
        return slide() ? qobject_cast<NavigationController *>(slide()->mainViewController()) : nullptr;
    }
    ContractViewController *contract() const
    {
        return contractStack() ? qobject_cast<ContractViewController *>(contractStack()->rootViewController()) : nullptr;
    }
    OrderCarViewController *cart() const
    {
        return slide() ? qobject_cast<OrderCarViewController *>(slide()->rightViewController()) : nullptr;
    }
    template <class T> T *presented() const
    {
        return slide() ? qobject_cast<T *>(slide()->presentedScreen()) : nullptr;
    }
    // The cart's 下單: opens the confirmation over the order and submits there; the confirmation, or null.
    OrderConfirmViewController *submitCart()
    {
        cart()->orderDone();
        if (ui.firePendingActions() != 1)
            return nullptr;
        settle();
        auto *stack = presented<NavigationController>();
        auto *confirm = stack ? qobject_cast<OrderConfirmViewController *>(stack->rootViewController()) : nullptr;
        if (confirm)
            confirm->orderAction();
        return confirm;
    }

    // Starts a contract order for the customer `kunnr` and waits for its credit and contracts.
    bool start(const QString &kunnr = QStringLiteral("0000100101"), bool waitForRows = true)
    {
        if (!pickCustomer(&ChooseOrderTypeViewController::contractOrderAction, kunnr, 0) || !contract()
            || !QTest::qWaitFor([&] { return context->customerStruct().customer().kunnr == kunnr; }))
            return false;
        return !waitForRows || QTest::qWaitFor([&] { return !contract()->filterContractsArray().isEmpty(); }, 10000);
    }
    // Opens contract row `row` and waits for its materials.
    ItemsViewController *openContract(int row)
    {
        contract()->selectRow(row);
        settle();
        auto *items = qobject_cast<ItemsViewController *>(contractStack()->topViewController());
        if (!items || !QTest::qWaitFor([&] { return !items->itemsArray().isEmpty() && !ui.isSpinnerShowing(); }, 10000))
            return nullptr;
        return items;
    }
    // Enters `quantity` of material `item` of contract `row` with the first car/ship kind.
    EnterOrderInfoViewController *enter(int row, int item, const QString &quantity)
    {
        ItemsViewController *items = openContract(row);
        if (!items)
            return nullptr;
        items->selectRow(item);
        settle();
        auto *entry = presented<EnterOrderInfoViewController>();
        if (!entry)
            return nullptr;
        entry->orderTypeAction();
        if (!pickRow(0))
            return nullptr;
        entry->setItemAmtText(quantity);
        return entry;
    }
    bool addLine(int row, int item, const QString &quantity)
    {
        EnterOrderInfoViewController *entry = enter(row, item, quantity);
        if (!entry)
            return false;
        entry->addToCartAction();
        settle();
        return slide()->isRightFullyOpen() && contractStack()->topViewController() == contract();
    }
    // Starts a contract order and opens the cart panel holding `orders`.
    OrderCarViewController *openCart(const QList<Order> &orders)
    {
        if (!start())
            return nullptr;
        context->draft().setLines(orders);
        slide()->openRight();
        settle();
        return cart();
    }
    EditOrderViewController *editor(const Order &order)
    {
        auto *edit = storyboard.instantiate<EditOrderViewController>(QStringLiteral("OrderContract"),
                                                                     QStringLiteral("EditOrderViewController"));
        if (edit)
            edit->setOrder(order);
        return edit;
    }
    // Picks the second delivery method where `tap` opens its picker; the method picked.
    Inco1 pickSecondMethod(const std::function<void()> &tap)
    {
        tap();
        return pickRow(1) ? context->lists().inco1List()->at(1) : Inco1{};
    }
};

Order line(float price, float quantity, int pages = 1, double zmeng = 100)
{
    Order o;
    o.orderItem.maktx = QStringLiteral("水泥");
    o.orderItem.price = o.orderItem.kbetr = price;
    o.orderItem.orderNumber = quantity;
    o.orderItem.zmeng = zmeng;
    o.orderItem.inco1Bezei = QStringLiteral("送達工地");
    o.orderPage = pages;
    return o;
}

QStringList seqs(const QList<Order> &orders)
{
    QStringList list;
    for (const Order &o : orders)
        list << o.orderSeq;
    return list;
}

} // namespace

class OrderContractFlowTest : public QObject
{
    Q_OBJECT
private slots:
    void contractOrderEndToEnd()
    {
        ContractFlow f;
        // A device whose locale writes other digits still sends the Gregorian date in ASCII digits.
        QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
        const bool started = f.start();
        QLocale::setDefault(QLocale::c());
        QVERIFY(started);
        const QDate today = QDate::currentDate();
        ZELK_COMPARE_FIXTURE(f.gateway.gatewayCalls(QStringLiteral("ZSD_GET_CUST_CONTRACT2")).last(), "order/contractListQuery",
                             (QJsonObject{{"today", QLocale::c().toString(today, QStringLiteral("yyyy/MM/dd"))}}));
        QCOMPARE(f.contract()->customNameText(), QStringLiteral("客戶:") + f.context->customerStruct().customer().name1);

        // Materials with price, method and maximum; the same material twice gives two lines.
        ItemsViewController *items = f.openContract(0);
        QVERIFY(items);
        QCOMPARE(f.gateway.gatewayCalls(QStringLiteral("ZSD_GET_CUST_CONTRACT1")).last().value("pVbeln").toString(),
                 QStringLiteral("0040000101"));
        ZELK_COMPARE_FIXTURE(zelktest::drawnRows(items->itemRows(), {"priceText", "amountText", "inco1Text"}),
                             "order/contractMaterials");
        f.contractStack()->pop(false);
        settle();
        QVERIFY(f.addLine(0, 0, QStringLiteral("10")));
        f.slide()->closeRight();
        settle();
        QVERIFY(f.addLine(0, 0, QStringLiteral("4")));
        const QList<Order> cart = f.context->draft().lines();
        QCOMPARE(cart.size(), 2);
        QVERIFY(cart.at(0).orderSeq != cart.at(1).orderSeq);

        // Both submitted; each line carries its contract and the contract's sales document type.
        OrderConfirmViewController *confirm = f.submitCart();
        QVERIFY(confirm);
        QVERIFY(QTest::qWaitFor([&] { return confirm->buttonIds().contains(QStringLiteral("closeButton")); }, 10000));
        ZELK_COMPARE_FIXTURE(f.gateway.gatewayCalls(QStringLiteral("ZSD_CREATE_EIP_ORDER2")).last(), "order/contractTwoLines",
                             (QJsonObject{{"first", cart.at(0).orderSeq}, {"second", cart.at(1).orderSeq}}));
    }

    // The contract list as answered: one row per contract, however many of its lines are listed.
    void contractListAnswers_data() { QVERIFY(zelktest::addFixtureRows("order/contractListAnswers")); }
    void contractListAnswers()
    {
        QFETCH(QJsonObject, row);
        ContractFlow f;
        const QString answer = QString::fromUtf8(QJsonDocument(row["answer"].toObject()).toJson(QJsonDocument::Compact));
        QVERIFY(f.gateway.setFault(QJsonObject{{"operation", "ZSD_GET_CUST_CONTRACT2"}, {"mode", "reply"}, {"body", answer}}));
        QVERIFY(f.start(QStringLiteral("0000100101"), false));
        QVERIFY(QTest::qWaitFor([&] { return f.gateway.gatewayCalls("ZSD_GET_CUST_CONTRACT2").size() == 1; }, 10000));
        QTest::qWait(300);
        ZELK_COMPARE_JSON(zelktest::drawnRows(f.contract()->contractRows(), {"mainText", "vbeln"}), row["expected"]);
        QVERIFY(!f.ui.hasOpenAlert());
    }

    void failedQueriesOfferRetryAndClose_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("title");
        QTest::newRow("credit") << "ZBAPI_GET_CUSTOMER_CREDIT" << "無法取得信用額度";
        QTest::newRow("contract list") << "ZSD_GET_CUST_CONTRACT2" << "無法取得合同清單";
    }
    void failedQueriesOfferRetryAndClose()
    {
        QFETCH(QString, operation);
        QFETCH(QString, title);
        ContractFlow f;
        const auto fail = [&] {
            return f.gateway.setFault(operation, QStringLiteral("code"), 0, true, QStringLiteral("09"),
                                      QStringLiteral("系統忙碌"));
        };
        QVERIFY(fail());
        QVERIFY(f.start(QStringLiteral("0000100101"), false));
        QVERIFY(QTest::qWaitFor([&] { return f.ui.hasOpenAlert(); }, 10000));
        QCOMPARE(f.ui.currentAlertTitle(), title);
        QCOMPARE(f.ui.currentAlertMessage(), QStringLiteral("系統忙碌"));
        QCOMPARE(f.ui.currentAlertButtons(), (QStringList{"重試", "確定"}));
        QVERIFY(f.ui.pressAlertButton(QStringLiteral("重試")));
        QVERIFY(QTest::qWaitFor([&] { return !f.contract()->filterContractsArray().isEmpty(); }, 10000));

        // Failing again, "確定" leaves the contract order (the cart is empty).
        QVERIFY(fail());
        f.context->customerStruct().setCreditValue(0);
        f.contract()->viewDidAppear(false);
        QVERIFY(QTest::qWaitFor([&] { return f.ui.hasOpenAlert(); }, 10000));
        QVERIFY(f.ui.pressAlertButton(QStringLiteral("確定")));
        settle();
        QVERIFY(!f.slide());
    }

    void quantityEntryEdges()
    {
        ContractFlow f;
        // 10000116 sent with "zmeng" as a string reads 0: every positive quantity is refused.
        const QString body = QStringLiteral(R"({"returnCode":"00","returnMsg":"","custContract1List":[
            {"matnr":"10000116","maktx":"袋裝水泥","zmeng":"120","kbetr":850,"inco1":"EXW","inco2":"000"}]})");
        QVERIFY(f.gateway.setFault(QJsonObject{{"operation", "ZSD_GET_CUST_CONTRACT1"}, {"mode", "reply"}, {"body", body}}));
        QVERIFY(f.start());
        EnterOrderInfoViewController *entry = f.enter(0, 0, QStringLiteral("1"));
        QVERIFY(entry);
        QCOMPARE(qobject_cast<ItemsViewController *>(f.contractStack()->topViewController())->itemRows()->value(0, "amountText").toString(),
                 QStringLiteral("0.0"));
        for (const auto &[quantity, title] : {std::pair{"1", "下單數量超過上限"}, {"0", "請輸入完整資料"}, {"", "請輸入完整資料"}}) {
            entry->setItemAmtText(QString::fromUtf8(quantity));
            entry->addToCartAction();
            QVERIFY2(f.dismiss(QString::fromUtf8(title)), qPrintable(f.ui.currentAlertTitle()));
        }
        entry->dismiss(false);
        settle();

        // The delivery method picked on the entry screen is the line's, shown and sent.
        f.contractStack()->pop(false);
        settle();
        entry = f.enter(0, 0, QStringLiteral("2")); // the gateway answers normally again
        QVERIFY(entry);
        const Inco1 method = f.pickSecondMethod([&] { entry->inco1Action(); });
        QCOMPARE(entry->info1ButtonText(), method.bezei);
        entry->addToCartAction();
        settle();
        const Order added = f.context->draft().lines().value(0);
        QCOMPARE(added.inco1, method);
        QCOMPARE(added.orderItem.inco1Bezei, method.bezei);
        QCOMPARE(f.context->draft().cart().orderConfirmArray().value(0).inco1, method.inco1);
    }

    // lines: [price, quantity, copies] each; firstRow: price, quantity, one page, footer.
    void cartRowsAndTotal_data() { QVERIFY(zelktest::addFixtureRows("order/cartRows")); }
    void cartRowsAndTotal()
    {
        QFETCH(QJsonObject, row);
        QList<Order> orders;
        for (const QJsonValue &l : row["lines"].toArray())
            orders << line(float(l[0].toDouble()), float(l[1].toDouble()), l[2].toInt());
        const QString total = row["total"].toString();
        ContractFlow f;
        OrderCarViewController *cart = f.openCart(orders);
        QVERIFY(cart);
        QCOMPARE(cart->rows().size(), orders.size());
        if (!orders.isEmpty()) {
            const OrderCartRow &r = cart->rows().first();
            QCOMPARE((QStringList{r.priceText, r.orderNumberText, r.allPriceText, r.pageText}), row["firstRow"].toVariant().toStringList());
        }
        QCOMPARE(cart->allAmountText(), total);
        QCOMPARE(f.context->customerStruct().nowOrderValue(), QLocale::c().toFloat(QString(total).remove(QRegularExpression("[¥,]"))));
        cart->orderDone();
        QCOMPARE(f.ui.currentAlertTitle(), orders.isEmpty() ? QStringLiteral("沒有物料") : QString());
    }

    void cartDeletesAndReplacesByIdentity()
    {
        ContractFlow f;
        const QList<Order> orders{line(1, 1), line(2, 2), line(3, 3)};
        OrderCarViewController *cart = f.openCart(orders);
        QVERIFY(cart);
        // The cart changes under the open panel; a delete still removes the line tapped.
        f.context->draft().removeLine(orders.at(0).orderSeq);
        cart->deleteLine(orders.at(2).orderSeq);
        QCOMPARE(seqs(f.context->draft().lines()), QStringList{orders.at(1).orderSeq});
        QCOMPARE(cart->rows().size(), 2);

        // An edit replaces its line in place: a changed line gets a new identity, an unchanged one keeps
        // it, a line gone meanwhile is dropped.
        f.context->draft().setLines(orders);
        cart->editOrderDone(orders.at(1).orderSeq, orders.at(1));
        QCOMPARE(seqs(f.context->draft().lines()), seqs(orders));
        Order changed = orders.at(1);
        changed.orderItem.orderNumber = 7;
        cart->editOrderDone(orders.at(1).orderSeq, changed);
        const QList<Order> after = f.context->draft().lines();
        QCOMPARE(after.size(), 3);
        QCOMPARE(after.at(1).orderItem.orderNumber, 7.0f);
        QVERIFY(!seqs(orders).contains(after.at(1).orderSeq));
        QCOMPARE(cart->rows().at(1).orderNumberText, QStringLiteral(" × 7.0"));
        cart->editOrderDone(QStringLiteral("gone"), changed);
        QCOMPARE(f.context->draft().lines(), after);
    }

    // Successive edits of a line the cart holds (100 × 10 = 1000, maximum 50): each is held against
    // the cart's value with the line as opened taken out, never against the previous edit.
    void editLimitsAndCredit_data() { QVERIFY(zelktest::addFixtureRows("order/contractEditLimits")); }
    void editLimitsAndCredit()
    {
        QFETCH(QJsonObject, row);
        const QStringList edits = row["edits"].toVariant().toStringList();
        const QStringList alerts = row["alerts"].toVariant().toStringList();
        ContractFlow f;
        f.context->customerStruct().setCreditValue(float(row["credit"].toDouble()));
        f.context->customerStruct().setNowOrderValue(1000);
        EditOrderViewController *edit = f.editor(line(100, 10, 1, 50));
        QVERIFY(edit);
        auto *nav = new ZelkNavigationController(edit);
        f.choose->present(nav, false);
        settle();
        for (qsizetype i = 0; i < edits.size(); ++i) {
            const QString action = edits[i].section('=', 0, 0);
            const QString input = edits[i].section('=', 1);
            if (action == "quantity") {
                edit->editOrderNumber();
                QVERIFY(f.ui.replaceAlertFieldText(0, input));
                QVERIFY(f.ui.pressAlertButton(QStringLiteral("確定")));
            } else if (action == "price") {
                edit->editKbetr();
                settle();
                auto *entry = qobject_cast<EnterNewAmountViewController *>(nav->presentedScreen());
                QVERIFY(entry);
                entry->setNewAmountText(input);
                entry->enterNewAmountAction();
                settle();
            } else {
                edit->copyOrderAction();
                QVERIFY(f.ui.choosePickerRow(input.toInt() - 1));
            }
            QCOMPARE(f.ui.currentAlertTitle(), alerts[i]);
            if (f.ui.hasOpenAlert())
                QVERIFY(f.ui.pressAlertButton(QStringLiteral("確定")));
        }
        QCOMPARE(CustomerCredit::orderValue(edit->order()), float(row["value"].toDouble()));

        // Cancelling hands nothing back.
        QSignalSpy saved(edit, &EditOrderViewController::editOrderDone);
        edit->close();
        settle();
        QCOMPARE(saved.size(), 0);
    }

    void editRowsAndDisplayUse()
    {
        ContractFlow f;
        QVERIFY(f.start()); // stored lists are loaded
        Order order = line(350, 12);
        order.contract2.vbeln = QStringLiteral("0040000101");
        order.contract2.maktx = QStringLiteral("合約第一項");
        order.orderItem.maktx = QStringLiteral("本行物料");
        EditOrderViewController *edit = f.editor(order);
        QVERIFY(edit);
        const auto value = [&](const QString &key) {
            for (const EditOrderRow &r : edit->tableArray())
                if (r.key == key)
                    return r.value;
            return QStringLiteral("<none>");
        };
        QCOMPARE(value("maktx"), QStringLiteral("本行物料"));
        QCOMPARE(value("total"), QStringLiteral("¥4200.0"));
        f.slide()->present(new ZelkNavigationController(edit), false);
        settle();
        edit->editTransNameRemark();
        QVERIFY(!f.ui.typeIntoAlertField(0, QStringLiteral("0123456789ABCDEF")));
        QVERIFY(f.ui.pressAlertButton(QStringLiteral("確定")));
        QCOMPARE(edit->order().transportRemark, QStringLiteral("0123456789ABCDE"));
        // The delivery method shown is the one sent.
        const Inco1 method = f.pickSecondMethod([&] { edit->editBezei(); });
        QCOMPARE(edit->order().inco1, method);
        QCOMPARE(edit->order().orderItem.inco1Bezei, method.bezei);
        QCOMPARE(value("bezei"), method.bezei);

        // The display use: the line read-only, no save, taps do nothing.
        OrderConfirm confirmed = createOrderConfirmArray(order, QString()).first();
        confirmed.sapOrderNo = QStringLiteral("0000012345");
        std::unique_ptr<EditOrderViewController> display(EditOrderViewController::forDisplay(&f.storyboard, confirmed));
        QVERIFY(display && display->isDisplayMode());
        QStringList shown;
        for (const EditOrderRow &r : display->tableArray()) {
            shown << r.value;
            QCOMPARE(r.editType, EditType::none);
        }
        QCOMPARE(shown, (QStringList{"0000012345", "", "", "本行物料", " ", "", "12.0", "¥350.0", "¥4200.0"}));
        display->loadViewIfNeeded();
        QVERIFY(display->leftBarButtons().isEmpty());
        display->selectRow(3);
        display->saveEditAction();
        QCOMPARE(f.ui.hasOpenPicker() || f.ui.hasOpenAlert(), false);
    }

    // The panel showed two lines (10 + 20) when the confirmation opened; the answer left `left` of them
    // in the cart. However the confirmation is left, the panel and the cart's value follow the cart.
    void confirmationLeavePaths_data() { QVERIFY(zelktest::addFixtureRows("order/confirmationLeavePaths")); }
    void confirmationLeavePaths()
    {
        QFETCH(QJsonObject, row);
        const int left = row["left"].toInt();
        const QString after = row["after"].toString(); // "panel", "container", "gone", "history"
        ContractFlow f;
        QVERIFY(f.start());
        const QList<Order> shown{line(10, 1), line(20, 1)};
        OrderCarViewController *cart = f.cart();
        cart->setTableArray(shown);
        f.context->draft().setLines(shown.mid(0, left));
        if (after == "history")
            cart->orderQueryClosure();
        else
            cart->successClosure(row["failed"].toBool(), row["edit"].toBool(), row["close"].toBool());
        settle();
        if (after == "history" || after == "gone") {
            QVERIFY(!f.slide());
            QVERIFY(f.ui.calls().contains(QStringLiteral("spinner:dismiss")));
            QCOMPARE(f.nav->viewControllers().size(), 2);
            if (after == "history")
                QVERIFY(qobject_cast<OrderHistoryViewController *>(f.top()));
            else
                QCOMPARE(f.top(), f.choose.data());
            return;
        }
        QVERIFY(f.slide());
        QCOMPARE(f.slide()->isRightOpen(), after == "panel");
        QCOMPARE(seqs(cart->tableArray()), seqs(shown.mid(0, left)));
        QCOMPARE(f.context->customerStruct().nowOrderValue(), (QList<float>{0, 10, 30}.at(left)));
    }

    // A line sent whose answer was lost (the journeys take one through the order query and back) is
    // offered on the next 訂單創建: "捨棄" asks once more ("取消" comes back to the offer), "繼續" opens the
    // contract screen with the cart open, and that order's own "離開" ends it.
    void linesOfUnknownFateAreGivenUpOnlyWhenConfirmed()
    {
        ContractFlow f;
        OrderCustomer customer;
        customer.kunnr = QStringLiteral("0000100101");
        f.context->draft().start(OrderDraft::Kind::contract, customer);
        f.context->draft().setLines({line(1, 1)});
        f.context->draft().markSent(f.context->draft().cart().orderConfirmArray());
        const QList<Order> sent = f.context->draft().lines();
        f.openChoose();
        QCOMPARE(f.ui.currentAlertTitle(), QStringLiteral("未完成的訂單"));
        QCOMPARE(f.ui.currentAlertButtons(), (QStringList{"繼續", "捨棄"}));
        QVERIFY(f.ui.pressAlertButton(QStringLiteral("捨棄")));
        QCOMPARE(f.ui.currentAlertTitle(), QStringLiteral("訂單可能已送出"));
        QCOMPARE(f.ui.currentAlertButtons(), (QStringList{"訂單查詢", "仍要捨棄", "取消"}));
        QVERIFY(f.ui.pressAlertButton(QStringLiteral("取消")));
        QCOMPARE(f.context->draft().lines(), sent);
        QVERIFY(f.ui.pressAlertButton(QStringLiteral("繼續")));
        settle();
        QVERIFY(f.slide() && f.slide()->isRightOpen());
        QCOMPARE(seqs(f.cart()->tableArray()), seqs(sent));
        QCOMPARE(f.context->customerStruct().customer().kunnr, QStringLiteral("0000100101"));

        // That order's own "離開" ends the draft (its "取消" is the cart journey's).
        f.contract()->closeAction();
        QCOMPARE(f.ui.currentAlertTitle(), QStringLiteral("離開下單"));
        QVERIFY(f.ui.pressAlertButton(QStringLiteral("離開")));
        settle();
        QVERIFY(!f.slide());
        QVERIFY(!f.context->draft().resumable());
        QVERIFY(!f.ui.hasOpenAlert());
    }
};

ZELK_TEST(OrderContractFlowTest)
#include "OrderContractFlowTest.moc"
