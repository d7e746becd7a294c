// A normal order placed end to end through the order screens against the development gateway: the
// customer pick, the header, the item page with price, quantity and copies, the confirmation and the
// exact document the gateway received, then the order query showing the new order. Also the edges
// of the credit check, the quantity field, the price entry and the shipping point.
#include "OrderFlow.h"
#include "TestRegistry.h"

#include "history/OrderHistoryViewController.h"
#include "model/NumberText.h"
#include "order/EnterNewAmountViewController.h"
#include "order/OrderConfirmViewController.h"
#include "order/OrderPage2ViewController.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <algorithm>

namespace {

struct NormalFlow : OrderFlow {
    // Picks the customer in row `row` after searching `search`, and waits for the header page to be
    // filled (credit and shipping-point replies).
    OrderPage1ViewController *startNormalOrder(const QString &search, int row, bool waitForShippingPoint = true)
    {
        if (!pickCustomer(&ChooseOrderTypeViewController::normalOrderAction, search, row))
            return nullptr;
        auto *page = qobject_cast<OrderPage1ViewController *>(top());
        if (!page || !QTest::qWaitFor([&] { return !ui.isSpinnerShowing() && page->rowsRevision() > 0; }))
            return nullptr;
        if (waitForShippingPoint && !QTest::qWaitFor([&] { return page->row(QStringLiteral("tvstz")) != nullptr; }))
            return nullptr;
        return page;
    }

    // Fills the header (kind row 0, delivery method row `inco1Row`) and goes to the item page, waiting
    // for its price list.
    OrderPage2ViewController *fillHeaderAndGoOn(OrderPage1ViewController *page, int inco1Row)
    {
        page->transTypeAction();
        if (!pickRow(0))
            return nullptr;
        page->inco1Action();
        if (!pickRow(inco1Row) || !QTest::qWaitFor([&] {
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

    // The item page of an order for 0000100101 with material 10000102 chosen.
    OrderPage2ViewController *itemPage()
    {
        OrderPage1ViewController *page = startNormalOrder(QStringLiteral("0000100101"), 0);
        OrderPage2ViewController *page2 = page ? fillHeaderAndGoOn(page, 0) : nullptr;
        return page2 && pickMaterial(page2, QStringLiteral("10000102"), 0) ? page2 : nullptr;
    }

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
        NormalFlow f;
        // "永大" offers three customers; the second is 永大建材 (the unfiltered second row is another one).
        OrderPage1ViewController *page = f.startNormalOrder(QStringLiteral("永大"), 1);
        QVERIFY(page);
        // Appearing again while the customers were on their way asked nothing more, so no late second
        // answer could clear the search.
        QCOMPARE(f.gateway.gatewayCalls(QStringLiteral("clientList")).size(), 1);
        QCOMPARE(f.context->customerStruct().customer().kunnr, QStringLiteral("0000100105"));
        QCOMPARE(page->order().orderCustomer.kunnr, QStringLiteral("0000100105"));
        QCOMPARE(page->customNameText(), QStringLiteral("客戶:永大建材有限公司"));
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
        QCOMPARE(f.ui.currentPicker().rows.size(), 30);
        QVERIFY(f.pickRow(1));
        QCOMPARE(page2->copyCountText(), QStringLiteral("複製訂單總數  × 2"));
        QCOMPARE(page->order().orderPage, 2); // written into the header page's record

        page2->orderAction();
        settle();
        auto *confirmNav = qobject_cast<NavigationController *>(page2->presentedScreen());
        auto *confirm =
            confirmNav ? qobject_cast<OrderConfirmViewController *>(confirmNav->rootViewController()) : nullptr;
        QVERIFY(confirm);
        QCOMPARE(f.context->draft().lines().size(), 1);
        const Order placed = f.context->draft().lines().first();
        QCOMPARE(confirm->amountText(), QStringLiteral("¥72,500.00"));

        confirm->orderAction();
        QVERIFY(QTest::qWaitFor([&] { return confirm->buttonIds().contains(QStringLiteral("closeButton")); }, 10000));
        QCOMPARE(confirm->buttonIds(), (QStringList{"orderQueryButton", "closeButton"}));
        const QList<OrderConfirm> result = confirm->tableArray();
        for (const OrderConfirm &line : result)
            QCOMPARE(line.orderStatus, SapOrderStatus::success);
        QVERIFY(result[0].sapOrderNo != result[1].sapOrderNo);
        QCOMPARE(confirm->statusCell(1).messageLabel, QStringLiteral("訂單編號：") + result[1].sapOrderNo);
        QVERIFY(f.context->draft().lines().isEmpty());

        // The document the gateway received: one line object per copy sharing rootSeq, each copy under an
        // identity of its own.
        const QList<QJsonObject> calls = f.gateway.gatewayCalls(QStringLiteral("ZSD_CREATE_EIP_ORDER2"));
        QCOMPARE(calls.size(), 1);
        const QString copySeq = calls[0]["eipOrder2List"][1]["orderSeq"].toString();
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
            const QList<OrderHistroy> rows = history->tableArray();
            return std::any_of(rows.cbegin(), rows.cend(),
                               [&](const OrderHistroy &r) { return r.vbeln == result[0].sapOrderNo; });
        }, 10000));
    }

    // Each row: steps on the item page, each doing what its keys say (credit, ordered, copies,
    // quantity, price), then checking the alert it raised and what the page and the order then hold.
    void itemPageEdges_data() { QVERIFY(zelktest::addFixtureRows("order/normalItemEdges")); }
    void itemPageEdges()
    {
        QFETCH(QJsonObject, row);
        NormalFlow f;
        OrderPage2ViewController *page2 = f.itemPage();
        QVERIFY(page2);
        const auto *page = qobject_cast<OrderPage1ViewController *>(f.nav->viewControllers().value(2));
        QVERIFY(page && page != page2);
        const float p = page2->order().orderItem.price;
        QCOMPARE(rowValue(page2, "itemPrice"), numberText(p));
        const auto times = [p](const QJsonValue &factors) {
            float value = p;
            for (const QJsonValue &factor : factors.toArray())
                value *= float(factor.toDouble());
            return value;
        };
        CustomerStruct &customer = f.context->customerStruct();
        for (const QJsonValue &value : row["steps"].toArray()) {
            const QJsonObject step = value.toObject();
            if (step.contains("credit"))
                customer.setCreditValue(times(step["credit"]));
            if (step.contains("ordered"))
                customer.setNowOrderValue(times(step["ordered"]));
            if (step.contains("copies")) {
                page2->copyOrderAction();
                if (step.contains("from"))
                    QCOMPARE(f.ui.currentPicker().initialRow, step["from"].toInt() - 1);
                QVERIFY(f.pickRow(step["copies"].toInt() - 1));
            }
            if (step.contains("quantity")) {
                page2->enterAmountAction();
                if (step.contains("shows")) // the field opens with the quantity entered
                    QCOMPARE(f.ui.alertFieldText(0), step["shows"].toString());
                QVERIFY(f.ui.replaceAlertFieldText(0, QString()));
                f.ui.typeIntoAlertField(0, step["quantity"].toString()); // what the field refuses is dropped
                QVERIFY(f.ui.pressAlertButton(QStringLiteral("確定")));
            }
            if (step.contains("price")) {
                if (!page2->presentedScreen())
                    page2->enterPriceAction();
                settle();
                auto *entry = qobject_cast<EnterNewAmountViewController *>(page2->presentedScreen());
                QVERIFY(entry);
                QCOMPARE(entry->defaultAmount(), p);
                const QString price = step["price"].toString();
                entry->setNewAmountText(price.startsWith('p') ? numberText(p + price.mid(1).toFloat()) : price);
                entry->enterNewAmountAction();
            }
            settle();
            QCOMPARE(f.ui.currentAlertTitle(), step["alert"].toString());
            if (step.contains("message"))
                QCOMPARE(f.ui.currentAlertMessage(), step["message"].toString());
            if (f.ui.hasOpenAlert())
                QVERIFY(f.ui.pressAlertButton(QStringLiteral("確定")));
            settle();
            if (step.contains("orderNumber"))
                QCOMPARE(rowValue(page2, "orderNumber"), step["orderNumber"].toString());
            if (step.contains("ordering")) // the header page's record follows the item page
                QCOMPARE(page->order().orderItem.orderNumber, float(step["ordering"].toDouble()));
            if (step.contains("pages"))
                QCOMPARE(page->order().orderPage, step["pages"].toInt());
            if (step.contains("copyCount"))
                QCOMPARE(page2->copyCountText(), step["copyCount"].toString());
            if (step.contains("entryOpen"))
                QCOMPARE(page2->presentedScreen() != nullptr, step["entryOpen"].toBool());
            if (step.contains("priceAbove"))
                QCOMPARE(page->order().orderItem.price, p + float(step["priceAbove"].toDouble()));
        }
    }

    // Another material keeps the quantity entered: the row and the order agree, the total is the new
    // price × that quantity; a material the credit cannot carry is refused and the old one stays.
    void anotherMaterialKeepsTheQuantity()
    {
        NormalFlow f;
        OrderPage2ViewController *page2 = f.itemPage();
        QVERIFY(page2);
        const auto *page = qobject_cast<OrderPage1ViewController *>(f.nav->viewControllers().value(2));
        f.context->customerStruct().setCreditValue(1e9f);
        f.context->customerStruct().setNowOrderValue(0);
        QVERIFY(f.enterQuantity(page2, QStringLiteral("12.125")));
        const QList<OrderItem> items = page2->itemsArray();
        const auto byPrice = [](const OrderItem &a, const OrderItem &b) { return a.price < b.price; };
        const OrderItem cheap = *std::min_element(items.cbegin(), items.cend(), byPrice);
        const OrderItem dear = *std::max_element(items.cbegin(), items.cend(), byPrice);
        QVERIFY(dear.price > cheap.price);
        QVERIFY(f.pickMaterial(page2, cheap.matnr, 0));
        QCOMPARE(page->order().orderItem.matnr, cheap.matnr);
        QCOMPARE(page->order().orderItem.orderNumber, 12.125f);
        QCOMPARE(rowValue(page2, "orderNumber"), QStringLiteral("12.125"));
        QCOMPARE(rowValue(page2, "allPrice"), numberText(cheap.price * 12.125f));
        f.context->customerStruct().setCreditValue(cheap.price * 12.125f);
        QVERIFY(f.pickMaterial(page2, dear.matnr, 0));
        QVERIFY(f.dismiss(QStringLiteral("已超過信用額度，無法在下單")));
        QCOMPARE(page->order().orderItem.matnr, cheap.matnr);
        QCOMPARE(rowValue(page2, "itemNo"), cheap.matnr);

        // Back to the header page and on again: the new item page shows what the order holds.
        QVERIFY(f.nav->pop(false));
        settle();
        qobject_cast<OrderPage1ViewController *>(f.top())->nextAction();
        settle();
        auto *again = qobject_cast<OrderPage2ViewController *>(f.top());
        QVERIFY(again);
        ZELK_COMPARE_FIXTURE(drawn(again), "order/normalItemsAgain",
                             (QJsonObject{{"matnr", cheap.matnr}, {"name", cheap.maktx}, {"price", numberText(cheap.price)},
                                          {"total", numberText(cheap.price * 12.125f)}}));
    }

    // A pick list opened again offers what its (empty) search box selects, not an earlier filter.
    void reopenedPickListOffersEveryCustomer()
    {
        NormalFlow f;
        QVERIFY(f.startNormalOrder(QStringLiteral("0000100109"), 0, false));
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
        NormalFlow f;
        QVERIFY(f.startNormalOrder(QStringLiteral("0000100112"), 0, false));
        QVERIFY(QTest::qWaitFor([&] { return f.ui.hasOpenAlert(); }));
        QCOMPARE(f.ui.currentAlertMessage(), QStringLiteral("查無客戶 0000100112 的裝運點資料，請洽業務助理"));
        QVERIFY(f.dismiss(QStringLiteral("無法取得裝運點")));
        settle();
        QCOMPARE(f.top(), f.choose.data());

        // A point the stored list does not know: stored in the order, no row, nobody told.
        OrderPage1ViewController *page = f.startNormalOrder(QStringLiteral("0000100110"), 0, false);
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
