// A normal order placed end to end through the order screens against the development gateway: the
// customer pick, the header, the item page with price, quantity and copies, the confirmation and the
// exact document the gateway received, then the order query showing the new order. Also the edges
// of the credit check, the quantity field, the price entry and the shipping point.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"

#include "history/OrderHistoryViewController.h"
#include "model/NumberText.h"
#include "order/ChooseOrderTypeViewController.h"
#include "order/EnterNewAmountViewController.h"
#include "order/OrderConfirmViewController.h"
#include "order/OrderPage2ViewController.h"
#include "ui/ZelkNavigationController.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <algorithm>

namespace {

// The signed-in demo user on the order-type screen, pushed over a stand-in of the home screen.
struct Flow : AppHarness {
    QPointer<NavigationController> nav;
    QPointer<ChooseOrderTypeViewController> choose;

    Flow()
    {
        startSignedIn();
        nav = new ZelkNavigationController(new Screen);
        navigator.setRootScreen(nav);
        settle();
        choose = qobject_cast<ChooseOrderTypeViewController *>(storyboard.instantiateInitial(QStringLiteral("Order")));
        nav->push(choose, false);
        settle();
    }

    Screen *top() const { return nav ? nav->topViewController() : nullptr; }

    // Picks the customer in row `row` after searching `search`, and waits for the header page to be
    // filled (credit and shipping-point replies).
    OrderPage1ViewController *startNormalOrder(const QString &search, int row, bool waitForShippingPoint = true)
    {
        choose->normalOrderAction();
        settle();
        SelectDataViewController *pick = choose->selectDataViewController();
        if (!pick || !QTest::qWaitFor([&] { return context->lists().customerList().has_value() && !ui.isSpinnerShowing(); }))
            return nullptr;
        pick->searchTextChangedByUser(search);
        pick->didSelectRow(row);
        settle();
        auto *page = qobject_cast<OrderPage1ViewController *>(top());
        if (!page || !QTest::qWaitFor([&] { return !ui.isSpinnerShowing() && page->rowsRevision() > 0; }))
            return nullptr;
        if (waitForShippingPoint && !QTest::qWaitFor([&] { return page->row(QStringLiteral("tvstz")) != nullptr; }))
            return nullptr;
        return page;
    }

    // Chooses a row once the picker shows (its list may be fetched first).
    bool pickRow(int row) { return QTest::qWaitFor([&] { return ui.hasOpenPicker(); }) && ui.choosePickerRow(row); }

    // Fills the header (kind row 0, delivery method row `inco1Row`) and goes to the item page, waiting
    // for its price list.
    OrderPage2ViewController *fillHeaderAndGoOn(OrderPage1ViewController *page, int inco1Row)
    {
        page->transTypeAction();
        if (!pickRow(0))
            return nullptr;
        page->inco1Action();
        if (!pickRow(inco1Row))
            return nullptr;
        if (!QTest::qWaitFor([&] {
                return !page->row(QStringLiteral("transType"))->subTitle.isEmpty()
                       && !page->row(QStringLiteral("inco1"))->subTitle.isEmpty();
            }))
            return nullptr;
        page->nextAction();
        settle();
        auto *page2 = qobject_cast<OrderPage2ViewController *>(top());
        if (!page2 || !QTest::qWaitFor([&] { return !page2->itemsArray().isEmpty() && !ui.isSpinnerShowing(); }))
            return nullptr;
        return page2;
    }

    bool pickMaterial(OrderPage2ViewController *page2, const QString &search, int row)
    {
        page2->selectItemsAction();
        settle();
        SelectDataViewController *pick = page2->selectDataViewController();
        if (!pick || pick->searchPlaceholder() != QStringLiteral("輸入物料編號 or 物料名稱"))
            return false;
        pick->searchTextChangedByUser(search);
        pick->didSelectRow(row);
        settle();
        return !page2->row(QStringLiteral("itemNo"))->subTitle.isEmpty();
    }

    // The alert shown is titled `title`; it is dismissed with 確定.
    bool dismiss(const QString &title) { return ui.currentAlertTitle() == title && ui.pressAlertButton(QStringLiteral("確定")); }
    bool refusedForCredit() { return dismiss(QStringLiteral("已超過信用額度，無法在下單")); }

    bool enterQuantity(OrderPage2ViewController *page2, const QString &text)
    {
        page2->enterAmountAction();
        return ui.replaceAlertFieldText(0, QString()) && ui.typeIntoAlertField(0, text)
               && ui.pressAlertButton(QStringLiteral("確定"));
    }
};

// The phone keeps Taiwan's time, as the gateway does: the order query's "today" is the day the gateway
// dates the order, also while it is already tomorrow in Taipei and still today where the tests run.
struct TaipeiTime {
    const QByteArray old = qgetenv("TZ");
    TaipeiTime() { qputenv("TZ", "Asia/Taipei"); }
    ~TaipeiTime() { old.isNull() ? qunsetenv("TZ") : qputenv("TZ", old); }
};

QString rowValue(const OrderPage1ViewController *page, const QString &key)
{
    const OrderTableStruct *r = page->row(key);
    return r ? r->subTitle : QStringLiteral("<no row>");
}

// The key and detail (its value, else its prompt) of every row the view draws from the page's list.
QJsonArray drawn(OrderPage1ViewController *page) { return zelktest::drawnRows(page->rows(), {"key", "detail"}); }

} // namespace

class OrderNormalFlowTest : public QObject
{
    Q_OBJECT
private slots:
    void placeNormalOrderWithTwoCopies()
    {
        const TaipeiTime zone;
        Flow f;
        QVERIFY(f.gateway.isRunning());
        QVERIFY(f.choose);

        // "永大" offers three customers; the second is 永大建材 (the unfiltered second row is another one).
        OrderPage1ViewController *page = f.startNormalOrder(QStringLiteral("永大"), 1);
        QVERIFY(page);
        // Appearing again while the customers were on their way asked nothing more, so no late second
        // answer could clear the search.
        QCOMPARE(f.gateway.gatewayCalls(QStringLiteral("clientList")).size(), 1);
        QCOMPARE(f.context->customerStruct().customer().kunnr, QStringLiteral("0000100105"));
        QCOMPARE(page->order().orderCustomer.kunnr, QStringLiteral("0000100105"));
        QCOMPARE(page->customNameText(), QStringLiteral("客戶:永大建材有限公司"));
        QCOMPARE(page->creditsLabel()->text(), QStringLiteral("¥2,240,000.00"));
        QCOMPARE(page->creditsText(), QStringLiteral("信用額度:¥2,240,000.00"));
        QCOMPARE(page->order().orderItem.route, QStringLiteral("R11002"));
        ZELK_COMPARE_FIXTURE(f.gateway.gatewayCalls(QStringLiteral("ZSD_GET_TVSTZ")).last(), "order/shippingPointQuery");

        // Required rows empty: refused.
        page->nextAction();
        QVERIFY(f.ui.currentAlertMessage().isNull());
        QVERIFY(f.dismiss(QStringLiteral("請輸入完整資訊")));
        QCOMPARE(f.top(), page);

        // The view's list: the customer's kind, seller and shipping point, prompts where nothing is chosen yet.
        ZELK_COMPARE_FIXTURE(drawn(page), "order/normalHeaderPicked");
        QSignalSpy listReset(page->rows(), &QAbstractItemModel::modelReset);

        page->transTypeRemarkAction();
        QVERIFY(f.ui.typeIntoAlertField(0, QStringLiteral("早上八點前送達")));
        QVERIFY(f.ui.pressAlertButton(QStringLiteral("確定")));
        OrderPage2ViewController *page2 = f.fillHeaderAndGoOn(page, 2);
        QVERIFY(page2);
        ZELK_COMPARE_FIXTURE(drawn(page), "order/normalHeaderFilled");
        QCOMPARE(listReset.size(), 0); // changed row by row
        ZELK_COMPARE_FIXTURE(f.gateway.gatewayCalls(QStringLiteral("ZSD_GET_MATNR_PRICE")).last(), "order/priceQuery");

        // "散裝(噸)" filters the materials; the third filtered row is 高爐水泥, not the third of the list.
        QVERIFY(f.pickMaterial(page2, QStringLiteral("散裝(噸)"), 2));
        ZELK_COMPARE_FIXTURE(drawn(page2), "order/normalItemPicked");

        // Raise the price.
        page2->enterPriceAction();
        settle();
        auto *entry = qobject_cast<EnterNewAmountViewController *>(page2->presentedScreen());
        QVERIFY(entry);
        QCOMPARE(entry->messageText(), QStringLiteral("金額不得低於2814.0"));
        QCOMPARE(entry->newAmountText(), QStringLiteral("2814.0"));
        entry->setNewAmountText(QStringLiteral("2900"));
        entry->enterNewAmountAction();
        settle();
        QVERIFY(!page2->presentedScreen());
        QVERIFY(f.enterQuantity(page2, QStringLiteral("12.5")));
        ZELK_COMPARE_FIXTURE(drawn(page2), "order/normalItemEntered"); // 2900.0 × 12.5
        page2->copyOrderAction();
        QCOMPARE(f.ui.currentPicker().title, QStringLiteral("選擇複製份數"));
        QCOMPARE(f.ui.currentPicker().rows.size(), 30);
        QCOMPARE(f.ui.currentPicker().initialRow, 0);
        QVERIFY(f.pickRow(1));
        QCOMPARE(page2->copyCountText(), QStringLiteral("複製訂單總數  × 2"));
        QCOMPARE(page->order().orderPage, 2); // written into the header page's record

        page2->orderAction();
        settle();
        auto *confirmNav = qobject_cast<NavigationController *>(page2->presentedScreen());
        QVERIFY(confirmNav);
        auto *confirm = qobject_cast<OrderConfirmViewController *>(confirmNav->rootViewController());
        QVERIFY(confirm);
        QCOMPARE(f.context->draft().lines().size(), 1);
        const Order placed = f.context->draft().lines().first();
        QCOMPARE(confirm->numberOfSections(), 2);
        QCOMPARE(confirm->amountText(), QStringLiteral("¥72,500.00"));

        confirm->orderAction();
        QVERIFY(QTest::qWaitFor([&] { return confirm->buttonIds().contains(QStringLiteral("closeButton")); }, 10000));
        QCOMPARE(confirm->buttonIds(), (QStringList{"orderQueryButton", "closeButton"}));
        const QList<OrderConfirm> result = confirm->tableArray();
        QRegularExpression orderNumber(QStringLiteral("^00\\d{8}$"));
        for (const OrderConfirm &line : result) {
            QCOMPARE(line.orderStatus, SapOrderStatus::success);
            QVERIFY2(orderNumber.match(line.sapOrderNo).hasMatch(), qPrintable(line.sapOrderNo));
        }
        QVERIFY(result[0].sapOrderNo != result[1].sapOrderNo);
        QCOMPARE(confirm->statusCell(1).messageLabel, QStringLiteral("訂單編號：") + result[1].sapOrderNo);
        QVERIFY(f.context->draft().lines().isEmpty());

        // The document the gateway received: one line object per copy sharing rootSeq, each copy under an
        // identity of its own.
        const QList<QJsonObject> calls = f.gateway.gatewayCalls(QStringLiteral("ZSD_CREATE_EIP_ORDER2"));
        QCOMPARE(calls.size(), 1);
        const QString copySeq = calls[0]["eipOrder2List"][1]["orderSeq"].toString();
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"))
                    .match(copySeq).hasMatch());
        QVERIFY(copySeq != placed.orderSeq);
        ZELK_COMPARE_FIXTURE(calls[0], "order/normalTwoCopies",
                             QJsonObject({{"orderSeq", placed.orderSeq}, {"copySeq", copySeq}}));

        // The order query shows the new orders.
        confirm->orderQueryAction();
        settle();
        auto *history = qobject_cast<OrderHistoryViewController *>(f.top());
        QVERIFY2(history, qPrintable(f.navigator.describe()));
        QCOMPARE(f.nav->depth(), 2);
        QVERIFY(QTest::qWaitFor([&] {
            for (const OrderHistroy &row : history->tableArray()) {
                if (row.vbeln == result[0].sapOrderNo)
                    return true;
            }
            return false;
        }, 10000));
    }

    void creditQuantityAndPriceEdges()
    {
        Flow f;
        OrderPage1ViewController *page = f.startNormalOrder(QStringLiteral("0000100101"), 0);
        QVERIFY(page);
        OrderPage2ViewController *page2 = f.fillHeaderAndGoOn(page, 0);
        QVERIFY(page2);
        QVERIFY(f.pickMaterial(page2, QStringLiteral("10000102"), 0));
        const float p = page2->order().orderItem.price;
        QCOMPARE(rowValue(page2, "itemPrice"), numberText(p));

        // Three copies of nothing, then a credit of exactly 33 × p × 3.
        page2->copyOrderAction();
        QVERIFY(f.pickRow(2));
        CustomerStruct &customer = f.context->customerStruct();
        customer.setCreditValue(p * 33.0f * 3.0f);
        customer.setNowOrderValue(0);
        QVERIFY(f.enterQuantity(page2, QStringLiteral("34")));
        QVERIFY(f.refusedForCredit());
        QCOMPARE(rowValue(page2, "orderNumber"), QString());
        QVERIFY(f.enterQuantity(page2, QStringLiteral("33")));
        QVERIFY(!f.ui.hasOpenAlert());
        QCOMPARE(rowValue(page2, "orderNumber"), QStringLiteral("33.0"));
        // Growing the accepted order by one more is refused too: the order's own value counts.
        QVERIFY(f.enterQuantity(page2, QStringLiteral("34")));
        QVERIFY(f.refusedForCredit());
        QCOMPARE(rowValue(page2, "orderNumber"), QStringLiteral("33.0"));
        QCOMPARE(page->order().orderItem.orderNumber, 33.0f);

        // With value already in the cart beyond what is left, fewer copies still pass (negative added
        // value) while more are refused.
        customer.setNowOrderValue(p * 33.0f * 0.5f);
        page2->copyOrderAction();
        QCOMPARE(f.ui.currentPicker().initialRow, 2);
        QVERIFY(f.pickRow(0));
        QVERIFY(!f.ui.hasOpenAlert());
        QCOMPARE(page->order().orderPage, 1);
        page2->copyOrderAction();
        QVERIFY(f.pickRow(2));
        QVERIFY(f.refusedForCredit());
        QCOMPARE(page->order().orderPage, 1);
        QVERIFY(page2->copyCountText().isEmpty());

        // The quantity field rule as the user types.
        customer.setNowOrderValue(0);
        customer.setCreditValue(1e9f);
        page2->enterAmountAction();
        QCOMPARE(f.ui.alertFieldText(0), QStringLiteral("33.0"));
        QVERIFY(f.ui.replaceAlertFieldText(0, QString()));
        QVERIFY(f.ui.typeIntoAlertField(0, QStringLiteral("12.125")));
        QVERIFY(!f.ui.typeIntoAlertField(0, QStringLiteral("5")));
        QVERIFY(!f.ui.typeIntoAlertField(0, QStringLiteral(".")));
        QVERIFY(!f.ui.replaceAlertFieldText(0, QStringLiteral("1,000")));
        QCOMPARE(f.ui.alertFieldText(0), QStringLiteral("12.125"));
        QVERIFY(f.ui.pressAlertButton(QStringLiteral("確定")));
        QCOMPARE(rowValue(page2, "orderNumber"), QStringLiteral("12.125"));
        page2->enterAmountAction();
        QVERIFY(f.ui.replaceAlertFieldText(0, QString()));
        QVERIFY(f.ui.typeIntoAlertField(0, QStringLiteral(".")));
        QVERIFY(f.ui.pressAlertButton(QStringLiteral("確定")));
        QCOMPARE(f.ui.currentAlertMessage(), QStringLiteral("請輸入數字"));
        QVERIFY(f.dismiss(QStringLiteral("無法辨識數字")));
        QCOMPARE(rowValue(page2, "orderNumber"), QStringLiteral("12.125"));

        // Price entry: 0.01 below the list price and "0" are refused, the list price itself accepted.
        page2->enterPriceAction();
        settle();
        auto *entry = qobject_cast<EnterNewAmountViewController *>(page2->presentedScreen());
        QVERIFY(entry);
        QCOMPARE(entry->defaultAmount(), p);
        entry->setNewAmountText(numberText(p - 0.01f));
        entry->enterNewAmountAction();
        QVERIFY(f.dismiss(QStringLiteral("輸入金額不得小於原始金額")));
        QVERIFY(!entry->isBeingDismissed());
        entry->setNewAmountText(QStringLiteral("0"));
        entry->enterNewAmountAction();
        QCOMPARE(f.ui.currentAlertMessage(), QStringLiteral("無法轉換成數字"));
        QVERIFY(f.dismiss(QStringLiteral("請輸入正確的數字")));
        entry->setNewAmountText(numberText(p));
        entry->enterNewAmountAction();
        QVERIFY(!f.ui.hasOpenAlert());
        settle();
        QVERIFY(!page2->presentedScreen());
        QCOMPARE(page->order().orderItem.price, p);

        // A raised price is held to the credit like a larger quantity.
        customer.setCreditValue(p * 12.125f);
        page2->enterPriceAction();
        settle();
        entry = qobject_cast<EnterNewAmountViewController *>(page2->presentedScreen());
        QVERIFY(entry);
        entry->setNewAmountText(numberText(p + 1));
        entry->enterNewAmountAction();
        settle();
        QVERIFY(f.refusedForCredit());
        QCOMPARE(page->order().orderItem.price, p);

        // Another material keeps the quantity entered: the row and the order agree, the total is the new
        // price × that quantity; a material the credit cannot carry is refused and the old one stays.
        const QList<PricedMaterial> items = page2->itemsArray();
        const auto byPrice = [](const PricedMaterial &a, const PricedMaterial &b) { return a.kbetr < b.kbetr; };
        const PricedMaterial cheap = *std::min_element(items.cbegin(), items.cend(), byPrice);
        const PricedMaterial dear = *std::max_element(items.cbegin(), items.cend(), byPrice);
        QVERIFY(dear.kbetr > cheap.kbetr);
        customer.setCreditValue(1e9f);
        QVERIFY(f.pickMaterial(page2, cheap.matnr, 0));
        QCOMPARE(page->order().orderItem.matnr, cheap.matnr);
        QCOMPARE(page->order().orderItem.orderNumber, 12.125f);
        QCOMPARE(rowValue(page2, "orderNumber"), QStringLiteral("12.125"));
        QCOMPARE(rowValue(page2, "allPrice"), numberText(cheap.kbetr * 12.125f));
        customer.setCreditValue(cheap.kbetr * 12.125f);
        QVERIFY(f.pickMaterial(page2, dear.matnr, 0));
        QVERIFY(f.refusedForCredit());
        QCOMPARE(page->order().orderItem.matnr, cheap.matnr);
        QCOMPARE(rowValue(page2, "itemNo"), cheap.matnr);

        // Back to the header page and on again: the new item page shows what the order holds.
        QVERIFY(f.nav->pop(false));
        settle();
        page->nextAction();
        settle();
        auto *again = qobject_cast<OrderPage2ViewController *>(f.top());
        QVERIFY(again);
        ZELK_COMPARE_FIXTURE(drawn(again), "order/normalItemsAgain",
                             (QJsonObject{{"matnr", cheap.matnr}, {"name", cheap.maktx}, {"price", numberText(cheap.kbetr)},
                                          {"total", numberText(cheap.kbetr * 12.125f)}}));
    }

    // A pick list opened again offers what its (empty) search box selects, not an earlier filter.
    void reopenedPickListOffersEveryCustomer()
    {
        Flow f;
        OrderPage1ViewController *page = f.startNormalOrder(QStringLiteral("0000100109"), 0, false);
        QVERIFY(page);
        QVERIFY(f.nav->pop(false));
        settle();
        f.choose->normalOrderAction();
        settle();
        SelectDataViewController *pick = f.choose->selectDataViewController();
        QVERIFY(pick);
        QCOMPARE(pick->searchText(), QString());
        QCOMPARE(pick->rowCount(), int(f.context->lists().customerList()->size()));
        QVERIFY(pick->rowCount() > 1);
    }

    void shippingPointFailureAndUnknownPoint()
    {
        Flow f;
        OrderPage1ViewController *page = f.startNormalOrder(QStringLiteral("0000100112"), 0, false);
        QVERIFY(page);
        QVERIFY(QTest::qWaitFor([&] { return f.ui.hasOpenAlert(); }));
        QCOMPARE(f.ui.currentAlertTitle(), QStringLiteral("無法取得裝運點"));
        QCOMPARE(f.ui.currentAlertMessage(), QStringLiteral("查無客戶 0000100112 的裝運點資料，請洽業務助理"));
        QVERIFY(f.ui.pressAlertButton(QStringLiteral("確定")));
        settle();
        QCOMPARE(f.top(), f.choose.data());

        // A point the stored list does not know: stored in the order, no row, nobody told.
        page = f.startNormalOrder(QStringLiteral("0000100110"), 0, false);
        QVERIFY(page);
        QVERIFY(QTest::qWaitFor([&] { return page->order().orderItem.vstel == QLatin1String("1199"); }));
        settle();
        QCOMPARE(page->order().orderItem.route, QStringLiteral("R11099"));
        QVERIFY(!page->row(QStringLiteral("tvstz")));
        QVERIFY(!f.ui.hasOpenAlert());
        // Coming back to the page does not ask again.
        const int asked = int(f.gateway.gatewayCalls(QStringLiteral("ZSD_GET_TVSTZ")).size());
        page->viewWillAppear(false);
        settle();
        QCOMPARE(int(f.gateway.gatewayCalls(QStringLiteral("ZSD_GET_TVSTZ")).size()), asked);
    }
};

ZELK_TEST(OrderNormalFlowTest)
#include "OrderNormalFlowTest.moc"
