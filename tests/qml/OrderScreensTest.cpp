// Screenshots of the normal-order screens drawn by their views against the development gateway: the
// header page, the item page and the confirmation after a mixed result.
#include "GatewayFixture.h"
#include "QmlHarness.h"
#include "TestRegistry.h"

#include "app/ScreenRegistry.h"
#include "model/AppContext.h"
#include "order/ChooseOrderTypeViewController.h"
#include "order/OrderConfirmViewController.h"
#include "order/OrderPage2ViewController.h"
#include "ui/Storyboard.h"
#include "ui/ZelkNavigationController.h"

#include <QTemporaryDir>
#include <QTest>

namespace {
bool choosePicker(QmlHarness &h, int row)
{
    const QVariantMap picker = h.ui().pickerForView();
    if (picker.isEmpty())
        return false;
    h.ui().choosePickerRow(picker.value(QStringLiteral("id")).toInt(), row);
    return true;
}
} // namespace

class OrderScreensTest : public QObject
{
    Q_OBJECT
private slots:
    void normalOrderScreens()
    {
        GatewayFixture gateway;
        QVERIFY(gateway.isRunning());
        QTemporaryDir dir;
        QmlHarness h;
        QVERIFY(h.load());
        AppContext ctx({dir.path(), nullptr, false});
        ctx.start();
        ctx.secureStore().setValue(QStringLiteral("userId"), QStringLiteral("U10023"));
        ctx.secureStore().setValue(QStringLiteral("userName"), QStringLiteral("陳志明"));
        ctx.userInfo().vkorg = QStringLiteral("1100");
        ctx.userInfo().bukrsName = QStringLiteral("澤勒建材股份有限公司");
        ctx.userInfo().email = QStringLiteral("chihming.chen@zelk-supply.com.tw");
        Storyboard storyboard(&h.ui(), &ctx);
        registerScreens(storyboard);
        h.navigator().setEnvironment({&h.ui(), &storyboard, &ctx});
        auto *choose = qobject_cast<ChooseOrderTypeViewController *>(storyboard.instantiateInitial(QStringLiteral("Order")));
        QVERIFY(choose);
        auto *nav = new ZelkNavigationController(choose);
        h.navigator().setRootScreen(nav);
        h.settle();
        QVERIFY(h.find(QStringLiteral("normalView")));

        QVERIFY(h.click(QStringLiteral("normalView")));
        h.settle();
        QVERIFY(QTest::qWaitFor([&] { return ctx.lists().customerList().has_value() && !h.ui().isSpinnerVisible(); }));
        SelectDataViewController *pick = choose->selectDataViewController();
        QVERIFY(pick);
        pick->searchTextChangedByUser(QStringLiteral("大安營造"));
        pick->didSelectRow(0);
        h.settle();
        auto *page = qobject_cast<OrderPage1ViewController *>(nav->topViewController());
        QVERIFY(page);
        QVERIFY(QTest::qWaitFor([&] { return page->row(QStringLiteral("tvstz")) && !h.ui().isSpinnerVisible(); }));
        page->transTypeAction();
        QVERIFY(choosePicker(h, 0));
        page->inco1Action();
        QVERIFY(choosePicker(h, 2));
        QVERIFY(QTest::qWaitFor([&] { return !page->row(QStringLiteral("inco1"))->subTitle.isEmpty(); }));
        h.settle();
        QVERIFY(h.find(QStringLiteral("orderRow_tvstz")));
        QVERIFY(!h.screenshot(QStringLiteral("order_header")).isEmpty());

        QVERIFY(h.click(QStringLiteral("nextButton")));
        h.settle();
        auto *page2 = qobject_cast<OrderPage2ViewController *>(nav->topViewController());
        QVERIFY(page2);
        QVERIFY(QTest::qWaitFor([&] { return !page2->itemsArray().isEmpty() && !h.ui().isSpinnerVisible(); }));
        page2->selectItemsAction();
        h.settle();
        QVERIFY(page2->selectDataViewController());
        // The material list asks for a number or a name in its search bar.
        QQuickItem *search = h.find(QStringLiteral("selectDataSearchField"));
        QVERIFY(search);
        QCOMPARE(search->property("placeholderText").toString(), QStringLiteral("輸入物料編號 or 物料名稱"));
        page2->selectDataViewController()->didSelectRow(0);
        h.settle();
        QVERIFY(QTest::qWaitFor([&] { return !h.ui().isSpinnerVisible(); }));
        page2->enterAmountAction();
        const QVariantMap alert = h.ui().alertForView();
        QVERIFY(!alert.isEmpty());
        h.ui().answerAlert(alert.value(QStringLiteral("id")).toInt(), 0, {QStringLiteral("12.5")});
        page2->copyOrderAction();
        QVERIFY(choosePicker(h, 1));
        h.settle();
        QVERIFY(h.find(QStringLiteral("copyCountRow")));
        QVERIFY(!h.screenshot(QStringLiteral("order_items")).isEmpty());

        // A cart of the order and a material no longer sold: one line ordered, one refused.
        Order blocked = page->order();
        blocked.orderSeq = newOrderSeq();
        blocked.orderPage = 1;
        blocked.orderItem.matnr = QStringLiteral("10000122");
        blocked.orderItem.maktx = QStringLiteral("輕質骨材(立方公尺)");
        ctx.cart().setCartOrderArray({page->order(), blocked});
        auto *confirmNav = qobject_cast<NavigationController *>(storyboard.instantiateInitial(QStringLiteral("OrderConfirm")));
        QVERIFY(confirmNav);
        auto *confirm = qobject_cast<OrderConfirmViewController *>(confirmNav->rootViewController());
        page2->present(confirmNav, true);
        h.settle();
        QVERIFY(h.find(QStringLiteral("confirmButton")));
        QVERIFY(!h.screenshot(QStringLiteral("order_confirm_before")).isEmpty());
        QVERIFY(h.click(QStringLiteral("confirmButton")));
        QVERIFY(QTest::qWaitFor([&] { return confirm->buttonIds().contains(QStringLiteral("editOrderButton")); }, 10000));
        h.settle();
        QVERIFY(h.find(QStringLiteral("orderConfirmStatusCell_2")));
        QVERIFY(h.find(QStringLiteral("editOrderButton")));
        QVERIFY(!h.screenshot(QStringLiteral("order_confirm_mixed")).isEmpty());
        QCOMPARE(ctx.cart().cartOrderArray().size(), 1);
    }
};

ZELK_TEST(OrderScreensTest)
#include "OrderScreensTest.moc"
