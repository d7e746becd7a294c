// An order placed through the gateway is found in the order query opened from its storyboard, by date
// range, by the customer picked in the pick list and by its number, and its detail shows it.
#include "FakeUi.h"
#include "GatewayFixture.h"
#include "TestRegistry.h"
#include "app/ScreenRegistry.h"
#include "history/OrderHistoryDetailViewController.h"
#include "history/OrderHistoryViewController.h"
#include "model/AppContext.h"
#include "model/Order.h"
#include "services/ApiStatus.h"
#include "ui/NavigationController.h"
#include "ui/Navigator.h"
#include "ui/Storyboard.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

ApiStatus wait(const std::function<void(ApiCompletion)> &start)
{
    std::optional<ApiStatus> result;
    start([&](const ApiStatus &status) { result = status; });
    (void)QTest::qWaitFor([&] { return result.has_value(); }, 20000);
    return result.value_or(ApiStatus::clientFailure(QStringLiteral("no completion")));
}

// The servers keep Taiwan's calendar day.
QDate serverToday() { return QDateTime::currentDateTimeUtc().addSecs(8 * 3600).date(); }

} // namespace

class HistoryOrderQueryFlowTest : public QObject
{
    Q_OBJECT
private slots:
    void placedOrderIsFoundAndShown()
    {
        GatewayFixture gateway;
        QVERIFY2(gateway.isRunning(), qPrintable(gateway.errorString()));
        QTemporaryDir dir;
        FakeUi ui;
        AppContext ctx({dir.path(), nullptr, false});
        ctx.start();
        Storyboard storyboard(&ui, &ctx);
        registerScreens(storyboard);
        Navigator navigator;
        navigator.setEnvironment({&ui, &storyboard, &ctx});

        // Sign in as the demo user and keep what the session needs.
        const ApiStatus login = wait([&](ApiCompletion done) {
            ctx.operations().login(QJsonObject{{"user_name", "demo"}, {"password", Operations::md5Hex("demo123")}},
                                   std::move(done));
        });
        QVERIFY2(login.isSuccess, qPrintable(login.message));
        const QJsonObject answer = login.returnJson->object();
        const QString userId = answer.value("appUserInfo").toObject().value("userID").toString();
        ctx.secureStore().setValue(QStringLiteral("userId"), userId);
        ctx.userInfo().bukrs = answer.value("bukrs").toString();
        ctx.userInfo().vkorg = answer.value("vkorg").toString();

        // Place a normal order of two copies for the fifth customer of the list.
        bool listed = false;
        ctx.lists().clientList([&](bool ok, std::optional<QList<OrderCustomer>>) { listed = ok; });
        QVERIFY(QTest::qWaitFor([&] { return listed; }, 20000));
        const OrderCustomer customer = ctx.lists().customerList()->at(4);
        Order order;
        order.orderCustomer = customer;
        order.contract2.auart = order.contract2.auarth = QStringLiteral("ZOR");
        order.contract2.vkorg = customer.vkorg;
        order.inco1 = Inco1{QStringLiteral("EXW"), QStringLiteral("自取(出廠交貨)")};
        order.inco2.inco2 = QStringLiteral("000");
        order.transport = Transport{QStringLiteral("02"), QStringLiteral("袋裝貨車")};
        order.orderItem.matnr = QStringLiteral("10000102");
        order.orderItem.werks = customer.vkorg;
        order.orderItem.bzirk = customer.bzirk;
        order.orderItem.vstel = QStringLiteral("1102");
        order.orderItem.route = QStringLiteral("R11002");
        order.orderItem.kbetr = order.orderItem.price = 1234.5f;
        order.orderItem.orderNumber = 12.5f;
        order.orderPage = 2;
        QJsonArray document;
        for (const OrderConfirm &line : createOrderConfirmArray(order, QStringLiteral("陳志明")))
            document.append(lineObject(line, userId, QStringLiteral("chihming.chen@zelk-supply.com.tw")));
        const ApiStatus placed = wait([&](ApiCompletion done) {
            ctx.operations().ZSD_CREATE_EIP_ORDER2(QJsonObject{{"userID", userId}, {"eipOrder2List", document}},
                                                   std::move(done));
        });
        QVERIFY2(placed.isSuccess, qPrintable(placed.message));
        QStringList numbers;
        for (const QJsonValue &result : placed.returnJson->object().value("orderList").toArray()) {
            QCOMPARE(result.toObject().value("returnCode").toString(), QStringLiteral("S"));
            numbers << result.toObject().value("otVbeln").toString();
        }
        QCOMPARE(numbers.size(), 2);

        // The home screen pushes the initial scene of "OrderHistory".
        auto *home = new Screen;
        auto *nav = new NavigationController(home);
        navigator.setRootScreen(nav);
        auto *query = qobject_cast<OrderHistoryViewController *>(storyboard.instantiateInitial("OrderHistory"));
        QVERIFY(query);
        query->setTodayProvider(serverToday);
        nav->push(query, true);
        settle();
        const auto idle = [&] {
            return QTest::qWaitFor([&] {
                return ui.calls().count("spinner:dismiss") >= ui.calls().count("spinner:show:clear");
            }, 20000);
        };
        QVERIFY(idle());
        QVERIFY2(!ui.hasOpenAlert(), qPrintable(ui.currentAlertMessage()));
        const auto rowOf = [&](const QString &vbeln) {
            const QList<OrderHistroy> rows = query->tableArray();
            for (int i = 0; i < rows.size(); ++i) {
                if (rows.at(i).vbeln == vbeln)
                    return i;
            }
            return -1;
        };
        for (const QString &number : numbers)
            QVERIFY2(rowOf(number) >= 0, qPrintable(number));
        const int first = rowOf(numbers.first());
        QCOMPARE(query->cells()->value(first, "customerLabel").toString(), customer.name1);
        QCOMPARE(query->cells()->value(first, "itemOrderNumberLabel").toString(), QStringLiteral("12.5"));
        QCOMPARE(query->cells()->value(first, "itemOrderLastLabel").toString(), QStringLiteral("12.5"));

        // By customer: search the pick list for its number, choose it, query.
        QVERIFY(!query->queryTypeInfoTextFieldShouldBeginEditing());
        settle();
        SelectDataViewController *picker = query->selectDataViewController();
        QVERIFY(picker);
        picker->searchTextChangedByUser(customer.kunnr);
        QCOMPARE(picker->rowCount(), 1);
        picker->didSelectRow(0);
        settle();
        QCOMPARE(query->queryTypeInfoText(), customer.name1 + "(" + customer.kunnr + ")");
        query->queryAction();
        QVERIFY(idle());
        QVERIFY(query->tableArray().size() >= 2);
        for (const OrderHistroy &row : query->tableArray())
            QCOMPARE(row.kunnr, customer.kunnr);
        QVERIFY(rowOf(numbers.last()) >= 0);

        // By number: only that order.
        query->changeTypeAction(1);
        query->queryTypeInfoTextEdited(numbers.last());
        query->queryAction();
        QVERIFY(idle());
        QCOMPARE(query->tableArray().size(), 1);
        QCOMPARE(query->tableArray().first().vbeln, numbers.last());

        // Its detail.
        query->didSelectRow(0);
        settle();
        auto *detail = qobject_cast<OrderHistoryDetailViewController *>(nav->topViewController());
        QVERIFY(detail);
        const QList<OrderHistoryDetailRow> rows = detail->tableArray();
        QCOMPARE(rows.at(1).value, numbers.last());
        QCOMPARE(rows.at(3).value, customer.name1);
        QCOMPARE(rows.at(4).value, customer.kunnr);
        QCOMPARE(rows.at(6).value, QStringLiteral("¥1,234.50"));
        QCOMPARE(rows.at(7).value, QStringLiteral("12.5"));
        QCOMPARE(rows.at(8).value, QStringLiteral("0.0"));
        QCOMPARE(rows.at(9).value, QStringLiteral("12.5"));
        QVERIFY(!rows.at(0).value.isEmpty());
        QCOMPARE(rows.at(0).value, query->tableArray().first().audat);
    }
};

ZELK_TEST(HistoryOrderQueryFlowTest)
#include "HistoryOrderQueryFlowTest.moc"
