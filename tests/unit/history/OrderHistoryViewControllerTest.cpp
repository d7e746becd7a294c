// The order query driven through its controller against the development gateway: the first query, the
// one-month rule, the customer picker and the typed order number, failures, and opening the detail.
#include "FakeUi.h"
#include "GatewayFixture.h"
#include "TestRegistry.h"
#include "history/OrderHistoryDetailViewController.h"
#include "history/OrderHistoryViewController.h"
#include "model/AppContext.h"
#include "model/NumberText.h"
#include "ui/NavigationController.h"
#include "ui/Navigator.h"
#include "ui/Storyboard.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString kFormat = QStringLiteral("yyyy/MM/dd");

// A signed-in demo user with the order query pushed as the root of a navigation stack.
struct Query {
    QTemporaryDir dir;
    FakeUi ui;
    AppContext ctx{{dir.path(), nullptr, false}};
    Storyboard storyboard{&ui, &ctx};
    Navigator navigator;
    NavigationController *nav = nullptr;
    QPointer<OrderHistoryViewController> screen;

    explicit Query(std::optional<QList<OrderCustomer>> customers = std::nullopt, QDate today = QDate(),
                   bool signedIn = true)
    {
        ctx.start();
        if (signedIn) {
            ctx.secureStore().setValue(QStringLiteral("userId"), QStringLiteral("U10023"));
            ctx.userInfo().bukrs = QStringLiteral("1000");
            ctx.userInfo().vkorg = QStringLiteral("1100");
        }
        ctx.lists().setCustomerList(customers);
        storyboard.add("OrderHistory", "OrderHistoryViewController", [] { return new OrderHistoryViewController; });
        storyboard.add("OrderHistory", "OrderHistoryDetailViewController",
                       [] { return new OrderHistoryDetailViewController; });
        storyboard.add("SelectDataViewController", "SelectDataViewController",
                       [] { return new SelectDataViewController; });
        navigator.setEnvironment({&ui, &storyboard, &ctx});
        screen = storyboard.instantiate<OrderHistoryViewController>("OrderHistory", "OrderHistoryViewController");
        if (today.isValid())
            screen->setTodayProvider([today] { return today; });
        nav = new NavigationController(screen);
        navigator.setRootScreen(nav);
        settle();
    }

    // Waits until every spinner shown so far has been dismissed (every pending reply has arrived).
    bool idle()
    {
        return QTest::qWaitFor([this] {
            const QStringList calls = ui.calls();
            return calls.count(QStringLiteral("spinner:dismiss")) >= calls.count(QStringLiteral("spinner:show:clear"))
                   + calls.count(QStringLiteral("spinner:show:none"));
        }, 20000);
    }
    void pick(const QDate &date, bool start)
    {
        start ? screen->changeStartDateAction() : screen->changeEndDateAction();
        QVERIFY(ui.hasOpenDatePicker());
        QVERIFY(ui.pickDate(date));
        settle();
    }
};

} // namespace

class OrderHistoryViewControllerTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<GatewayFixture> m_gateway;

    QList<QJsonObject> queries() const { return m_gateway->gatewayCalls(QStringLiteral("ZSD_QUERY_ORDER")); }

private slots:
    void initTestCase()
    {
        m_gateway = std::make_unique<GatewayFixture>();
        QVERIFY2(m_gateway->isRunning(), qPrintable(m_gateway->errorString()));
    }
    void init() { m_gateway->reset(); }
    void cleanupTestCase() { m_gateway.reset(); }

    void openingQueriesTheLastSevenDays()
    {
        const QDate today = QDate::currentDate();
        Query q;
        QVERIFY(q.idle());
        QCOMPARE(q.screen->title(), QStringLiteral("訂單查詢"));
        // The start button shows today, the end button a week ago; the query runs from the earlier.
        QCOMPARE(q.screen->startDateTitle(), today.toString(kFormat));
        QCOMPARE(q.screen->endDateTitle(), today.addDays(-7).toString(kFormat));
        QCOMPARE(queries().size(), 1);
        QCOMPARE(queries().first(), QJsonObject({{"userID", "U10023"},
                                                 {"pBukrs", "1000"},
                                                 {"pWerks", "1100"},
                                                 {"pBegdat", today.addDays(-7).toString("yyyyMMdd")},
                                                 {"pEnddat", today.toString("yyyyMMdd")}}));

        // The customer list was absent: fetched once for the signed-in user, and kept for the picker.
        QCOMPARE(m_gateway->gatewayCalls(QStringLiteral("clientList")),
                 QList<QJsonObject>({QJsonObject{{"userID", "U10023"}}}));
        QVERIFY(q.ctx.lists().customerList().has_value());
        QCOMPARE(q.screen->filterCustomerListArray().offered(), *q.ctx.lists().customerList());
        QVERIFY(q.screen->filterCustomerListArray().offered().size() > 10);

        // The seeded orders of the last days are the rows, as the cells show them.
        const QList<OrderHistroy> rows = q.screen->tableArray();
        QVERIFY(!rows.isEmpty());
        ListModelBase *cells = q.screen->cells();
        QCOMPARE(cells->count(), rows.size());
        QCOMPARE(cells->value(0, "timeLabel").toString(), rows.first().audat);
        QCOMPARE(cells->value(0, "customerLabel").toString(), rows.first().name3);
        QCOMPARE(cells->value(0, "itemLabel").toString(), rows.first().arktx);
        QCOMPARE(cells->value(0, "itemOrderNumberLabel").toString(), numberText(rows.first().kwmeng));
        QVERIFY(cells->value(0, "itemOrderNumberLabel").toString().contains(QLatin1Char('.')));
        QCOMPARE(cells->value(0, "itemOrderLastLabel").toString(), numberText(rows.first().fkimg1));
        QVERIFY(!q.ui.hasOpenAlert());

        // With the customer list held, no second fetch; without a session nothing optional is sent.
        m_gateway->clearRequests();
        Query held(QList<OrderCustomer>{}, QDate(2024, 3, 10), /*signedIn*/ false);
        QVERIFY(held.idle());
        QVERIFY(m_gateway->gatewayCalls(QStringLiteral("clientList")).isEmpty());
        QCOMPARE(queries().size(), 1);
        QCOMPARE(queries().first(), QJsonObject({{"pBegdat", "20240303"}, {"pEnddat", "20240310"}}));
        // The gateway refuses a query without a user: the alert carries its message.
        QCOMPARE(held.ui.currentAlertTitle(), QStringLiteral("無法查詢訂單"));
        QVERIFY(!held.ui.currentAlertMessage().isEmpty());
    }

    void dateRangeOfAtMostOneMonth()
    {
        Query q(QList<OrderCustomer>{}, QDate(2024, 3, 20));
        QVERIFY(q.idle());

        // The date picker: its title, preset to the button's date, nothing later than today.
        q.screen->changeStartDateAction();
        const DatePicker picker = q.ui.currentDatePicker();
        QCOMPARE(picker.title, QStringLiteral("查詢時間"));
        QCOMPARE(picker.initialDate, QDate(2024, 3, 20));
        QCOMPARE(picker.maximumDate, QDate(2024, 3, 20));
        QVERIFY(!picker.minimumDate.isValid());
        QVERIFY(q.ui.cancelDatePicker());
        QCOMPARE(q.screen->startDateTitle(), QStringLiteral("2024/03/20"));

        // Choosing dates runs no query.
        q.pick(QDate(2024, 1, 1), true);
        q.pick(QDate(2024, 2, 29), false);
        QCOMPARE(q.screen->startDateTitle(), QStringLiteral("2024/01/01"));
        QCOMPARE(q.screen->endDateTitle(), QStringLiteral("2024/02/29"));
        QCOMPARE(queries().size(), 1);

        // One month and 28 days: accepted.
        q.screen->queryAction();
        QVERIFY(q.idle());
        QCOMPARE(queries().size(), 2);
        QCOMPARE(queries().last().value("pBegdat").toString(), QStringLiteral("20240101"));
        QCOMPARE(queries().last().value("pEnddat").toString(), QStringLiteral("20240229"));
        QVERIFY(!q.ui.hasOpenAlert());

        // Two months: refused, nothing sent; in either order.
        q.pick(QDate(2024, 3, 1), false);
        q.screen->queryAction();
        QCOMPARE(q.ui.currentAlertTitle(), QStringLiteral("無法查詢超過1個月"));
        QCOMPARE(q.ui.currentAlertMessage(), QStringLiteral("請重新選擇時間區間"));
        QCOMPARE(q.ui.currentAlert()->alert.buttons.size(), 1);
        QCOMPARE(q.ui.currentAlert()->alert.buttons.first().title, QStringLiteral("確定"));
        QCOMPARE(q.ui.currentAlert()->alert.buttons.first().style, AlertButton::Style::Cancel);
        QVERIFY(q.ui.pressAlertButton(QStringLiteral("確定")));
        q.pick(QDate(2024, 3, 1), true);
        q.pick(QDate(2024, 1, 1), false);
        q.screen->queryAction();
        QVERIFY(q.ui.hasOpenAlert());
        QVERIFY(q.ui.pressAlertButton(QStringLiteral("確定")));
        QCOMPARE(queries().size(), 2);

        // Later date on the start button: the earlier one is still the begin date.
        q.pick(QDate(2024, 2, 10), true);
        q.screen->queryAction();
        QVERIFY(q.idle());
        QCOMPARE(queries().size(), 3);
        QCOMPARE(queries().last().value("pBegdat").toString(), QStringLiteral("20240101"));
        QCOMPARE(queries().last().value("pEnddat").toString(), QStringLiteral("20240210"));

        // Only whole months count, with month ends as the calendar gives them.
        QVERIFY(OrderHistoryViewController::isWithinOneMonth(QDate(2024, 1, 31), QDate(2024, 3, 30)));
        QVERIFY(!OrderHistoryViewController::isWithinOneMonth(QDate(2024, 1, 31), QDate(2024, 3, 31)));
        QVERIFY(OrderHistoryViewController::isWithinOneMonth(QDate(2024, 5, 5), QDate(2024, 5, 5)));
        QVERIFY(OrderHistoryViewController::isWithinOneMonth(QDate(2023, 12, 15), QDate(2024, 2, 14)));
        QVERIFY(OrderHistoryViewController::isWithinOneMonth(QDate(2024, 2, 14), QDate(2023, 12, 15)));
        QVERIFY(!OrderHistoryViewController::isWithinOneMonth(QDate(2023, 12, 15), QDate(2024, 2, 15)));
        QVERIFY(!OrderHistoryViewController::isWithinOneMonth(QDate(2023, 1, 1), QDate(2024, 1, 1)));
    }

    void restrictByCustomerOrOrderNumber()
    {
        Query q;
        QVERIFY(q.idle());
        const QList<OrderCustomer> customers = q.screen->filterCustomerListArray().offered();

        // By customer the field is read-only and asks for a customer; by order number it takes digits.
        QCOMPARE(q.screen->queryTypeInfoPlaceholder(), QStringLiteral("請選擇客戶"));
        QVERIFY(q.screen->queryTypeInfoReadOnly());
        QVERIFY(!q.screen->queryTypeInfoNumeric());

        // An empty field sends neither restriction, in either segment.
        q.screen->queryAction();
        QVERIFY(q.idle());
        q.screen->changeTypeAction(1);
        QCOMPARE(q.screen->queryTypeInfoText(), QString());
        QCOMPARE(q.screen->queryTypeInfoPlaceholder(), QStringLiteral("請輸入訂單編號"));
        QVERIFY(!q.screen->queryTypeInfoReadOnly());
        QVERIFY(q.screen->queryTypeInfoNumeric());
        q.screen->queryAction();
        QVERIFY(q.idle());
        QCOMPARE(queries().size(), 3);
        for (const QJsonObject &sent : queries()) {
            QVERIFY(!sent.contains("pKunnr"));
            QVERIFY(!sent.contains("pVbeln"));
        }

        // By order number: the typed text goes as "pVbeln" and finds that order alone.
        QSignalSpy focus(q.screen, &OrderHistoryViewController::queryTypeInfoTextFieldFocusRequested);
        q.screen->changeTypeAction(1);
        QCOMPARE(focus.size(), 1);
        QVERIFY(q.screen->queryTypeInfoTextFieldShouldBeginEditing());
        q.screen->queryTypeInfoTextEdited(QStringLiteral("0010004415"));
        q.screen->queryAction();
        QVERIFY(q.idle());
        QCOMPARE(queries().last().value("pVbeln").toString(), QStringLiteral("0010004415"));
        QVERIFY(!queries().last().contains("pKunnr"));
        QCOMPARE(q.screen->tableArray().size(), 1);
        QCOMPARE(q.screen->tableArray().first().vbeln, QStringLiteral("0010004415"));

        // By customer: the picker opens over the app instead of editing, with number then name.
        q.screen->changeTypeAction(0);
        settle();
        QCOMPARE(q.screen->queryTypeInfoText(), QString()); // no customer yet: nothing typed survives
        QPointer<SelectDataViewController> picker = q.screen->selectDataViewController();
        QVERIFY(picker);
        QCOMPARE(q.navigator.topScreen(), picker.data());
        QVERIFY(picker->isReloadBarItemVisible());
        QCOMPARE(picker->rowCount(), customers.size());
        QCOMPARE(picker->cellAt(0).titleLabel, QStringLiteral("客戶編號:") + customers.first().kunnr);
        QCOMPARE(picker->cellAt(0).detailTitleLabel, customers.first().name1);
        QVERIFY(!q.screen->queryTypeInfoTextFieldShouldBeginEditing()); // already open: not twice
        QCOMPARE(q.screen->selectDataViewController(), picker.data());

        // Search, then choose: the filtered row's customer is taken.
        picker->searchTextChangedByUser(QStringLiteral("建材"));
        QList<OrderCustomer> expected;
        for (const OrderCustomer &c : customers) {
            if (c.name1.contains(QStringLiteral("建材")))
                expected << c;
        }
        QCOMPARE(picker->rowCount(), expected.size());
        QVERIFY(expected.size() > 2);
        QVERIFY(expected.at(1).kunnr != customers.at(1).kunnr);
        picker->didSelectRow(1);
        settle();
        QVERIFY(picker.isNull());
        QCOMPARE(q.screen->queryCustomer(), expected.at(1));
        QCOMPARE(q.screen->queryTypeInfoText(), expected.at(1).name1 + "(" + expected.at(1).kunnr + ")");
        q.screen->queryTypeInfoTextEdited(QStringLiteral("typed")); // by customer the field is not typed into
        QCOMPARE(q.screen->queryTypeInfoText(), expected.at(1).name1 + "(" + expected.at(1).kunnr + ")");
        q.screen->queryAction();
        QVERIFY(q.idle());
        QCOMPARE(queries().last().value("pKunnr").toString(), expected.at(1).kunnr);
        QVERIFY(!queries().last().contains("pVbeln"));
        for (const OrderHistroy &row : q.screen->tableArray())
            QCOMPARE(row.kunnr, expected.at(1).kunnr);

        // Switching to the number empties the field; back to the customer shows the kept customer.
        q.screen->changeTypeAction(1);
        QCOMPARE(q.screen->queryTypeInfoText(), QString());
        q.screen->changeTypeAction(0);
        settle();
        QCOMPARE(q.screen->queryTypeInfoText(), expected.at(1).name1 + "(" + expected.at(1).kunnr + ")");
        picker = q.screen->selectDataViewController();
        QVERIFY(picker);
        picker->clossViewAction();
        settle();
        QVERIFY(picker.isNull());
        q.screen->queryAction();
        QVERIFY(q.idle());
        QCOMPARE(queries().last().value("pKunnr").toString(), expected.at(1).kunnr);

        // Cancelling a search offers every customer again.
        q.screen->queryTypeInfoTextFieldShouldBeginEditing();
        settle();
        picker = q.screen->selectDataViewController();
        QVERIFY(picker);
        picker->searchTextChangedByUser(QStringLiteral("0000200"));
        QVERIFY(picker->rowCount() > 0 && picker->rowCount() < customers.size());
        picker->searchBarCancelButtonClicked();
        QCOMPARE(picker->rowCount(), customers.size());
        picker->clossViewAction();
        settle();

        // A customer without a name leaves the field empty: no restriction is sent.
        OrderCustomer nameless;
        nameless.kunnr = QStringLiteral("0000100101");
        Query other(QList<OrderCustomer>{nameless});
        QVERIFY(other.idle());
        other.screen->queryTypeInfoTextFieldShouldBeginEditing();
        settle();
        QVERIFY(other.screen->selectDataViewController());
        other.screen->selectDataViewController()->didSelectRow(0);
        settle();
        QCOMPARE(other.screen->queryCustomer(), nameless);
        QCOMPARE(other.screen->queryTypeInfoText(), QString());
        other.screen->queryAction();
        QVERIFY(other.idle());
        QVERIFY(!queries().last().contains("pKunnr"));
    }

    void failuresAndReload()
    {
        // The customer list cannot be had: the alert, and the query still runs.
        QVERIFY(m_gateway->setFault(QStringLiteral("clientList"), QStringLiteral("code"), 0, true,
                                    QStringLiteral("99"), QStringLiteral("系統忙碌")));
        Query q;
        QVERIFY(q.idle());
        QCOMPARE(q.ui.currentAlertTitle(), QStringLiteral("無法取得客戶資料"));
        QCOMPARE(q.ui.currentAlertMessage(), QStringLiteral("請稍候在試"));
        QCOMPARE(q.ui.currentAlert()->alert.buttons.first().style, AlertButton::Style::Cancel);
        QVERIFY(q.ui.pressAlertButton(QStringLiteral("確定")));
        QVERIFY(!q.ctx.lists().customerList().has_value());
        QVERIFY(q.screen->filterCustomerListArray().offered().isEmpty());
        const QList<OrderHistroy> shown = q.screen->tableArray();
        QVERIFY(!shown.isEmpty());

        // The picker opens empty; its reload asks again and offers the new list.
        q.screen->queryTypeInfoTextFieldShouldBeginEditing();
        settle();
        QPointer<SelectDataViewController> picker = q.screen->selectDataViewController();
        QVERIFY(picker);
        QCOMPARE(picker->rowCount(), 0);
        picker->searchTextChangedByUser(QStringLiteral("大安"));
        picker->reloadActionWithSender();
        QVERIFY(q.idle());
        QCOMPARE(m_gateway->gatewayCalls(QStringLiteral("clientList")).size(), 2);
        QVERIFY(picker->rowCount() > 10);
        QCOMPARE(picker->searchText(), QString());
        QCOMPARE(q.screen->filterCustomerListArray().offered(), *q.ctx.lists().customerList());

        // A failed reload says so and keeps what the picker offers.
        QVERIFY(m_gateway->setFault(QStringLiteral("clientList"), QStringLiteral("html500")));
        const int offered = picker->rowCount();
        picker->reloadActionWithSender();
        QVERIFY(q.idle());
        QCOMPARE(q.ui.currentAlertTitle(), QStringLiteral("無法取得客戶資料"));
        QVERIFY(q.ui.pressAlertButton(QStringLiteral("確定")));
        QCOMPARE(picker->rowCount(), offered);
        picker->clossViewAction();
        settle();

        // A failed query shows the server's message and leaves the rows as they were.
        QVERIFY(m_gateway->setFault(QStringLiteral("ZSD_QUERY_ORDER"), QStringLiteral("code"), 0, true,
                                    QStringLiteral("02"), QStringLiteral("查詢逾時")));
        q.screen->queryAction();
        QVERIFY(q.idle());
        QCOMPARE(q.ui.currentAlertTitle(), QStringLiteral("無法查詢訂單"));
        QCOMPARE(q.ui.currentAlertMessage(), QStringLiteral("查詢逾時"));
        QCOMPARE(q.ui.currentAlert()->alert.buttons.first().style, AlertButton::Style::Cancel);
        QVERIFY(q.ui.pressAlertButton(QStringLiteral("確定")));
        QCOMPARE(q.screen->tableArray(), shown);

        // A reply arriving after the screen has gone does nothing.
        QVERIFY(m_gateway->setFault(QStringLiteral("ZSD_QUERY_ORDER"), QStringLiteral("delay"), 300));
        q.screen->queryAction();
        q.navigator.setRootScreen(nullptr);
        settle();
        QVERIFY(q.screen.isNull());
        QTest::qWait(500);
        QVERIFY(!q.ui.hasOpenAlert());
    }

    void choosingARowOpensItsDetail()
    {
        Query q;
        QVERIFY(q.idle());
        const QList<OrderHistroy> rows = q.screen->tableArray();
        QVERIFY(rows.size() > 2);
        q.screen->didSelectRow(int(rows.size())); // out of range: nothing
        settle();
        QCOMPARE(q.nav->depth(), 1);

        q.screen->didSelectRow(2);
        settle();
        QCOMPARE(q.nav->depth(), 2);
        auto *detail = qobject_cast<OrderHistoryDetailViewController *>(q.nav->topViewController());
        QVERIFY(detail);
        QCOMPARE(detail->orderHistory(), rows.at(2));
        QCOMPARE(detail->title(), QStringLiteral("訂單查詢"));
        QCOMPARE(detail->tableArray().size(), 10);
        QCOMPARE(detail->tableArray().at(1).value, rows.at(2).vbeln);
    }
};

ZELK_TEST(OrderHistoryViewControllerTest)
#include "OrderHistoryViewControllerTest.moc"
