// The order query driven through its controller against the development gateway: the first query, the
// one-month rule, the customer picker and the typed order number, failures, opening the detail, and the
// detail's rows.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"
#include "history/OrderHistoryDetailViewController.h"
#include "history/OrderHistoryViewController.h"
#include "model/NumberText.h"

namespace {
// The order query as the root of a navigation stack, signed in as the demo user unless told otherwise.
struct Query : AppHarness {
    NavigationController *nav = nullptr;
    QPointer<OrderHistoryViewController> screen;

    explicit Query(std::optional<QList<OrderCustomer>> customers = std::nullopt, QDate today = QDate(),
                   bool signedIn = true, const QJsonObject &fault = {})
    {
        signedIn ? startSignedIn() : openStores();
        if (!fault.isEmpty())
            gateway.setFault(fault);
        context->lists().setCustomerList(customers);
        screen =
            storyboard.instantiate<OrderHistoryViewController>("OrderHistory", "OrderHistoryViewController");
        if (today.isValid())
            screen->setTodayProvider([today] { return today; });
        navigator.setRootScreen(nav = new NavigationController(screen));
        settle();
    }
    QList<QJsonObject> queries() const { return gateway.gatewayCalls(QStringLiteral("ZSD_QUERY_ORDER")); }
    // Waits until every spinner shown so far has been dismissed (every pending reply has arrived).
    bool idle()
    {
        return QTest::qWaitFor(
            [this] {
                const QStringList calls = ui.calls();
                return calls.count(QStringLiteral("spinner:dismiss")) >=
                       calls.count(QStringLiteral("spinner:show:clear")) +
                           calls.count(QStringLiteral("spinner:show:none"));
            },
            20000);
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
    std::unique_ptr<Query> q;
    QJsonObject seen; // the screen step by step: compared with tests/data/history/query/<function>.json

    // Takes the screen once every reply has arrived: its dates, the restriction field, its rows, the picker,
    // the requests sent since the last step, and an open alert or date picker (then closed).
    void took(const char *step)
    {
        settle();
        QVERIFY2(q->idle(), step);
        const OrderHistoryViewController *s = q->screen;
        QJsonObject now{{"dates", QJsonArray{s->startDateTitle(), s->endDateTitle()}},
                        {"field", QJsonArray{s->queryTypeInfoText(), s->queryTypeInfoPlaceholder(),
                                             s->queryTypeInfoReadOnly() ? "read-only" : "editable",
                                             s->queryTypeInfoNumeric() ? "digits" : "text"}},
                        {"rows", s->tableArray().size()}};
        for (const QString api : {"ZSD_QUERY_ORDER", "clientList"})
            for (const QJsonObject &call : q->gateway.gatewayCalls(api))
                now[api] = now[api].toArray() + call;
        if (const SelectDataViewController *picker = s->selectDataViewController())
            now["picker"] = QJsonObject{{"rows", picker->rowCount()}, {"search", picker->searchText()}};
        if (const FakeUi::ShownAlert *alert = q->ui.currentAlert()) {
            QJsonArray buttons;
            for (const AlertButton &button : alert->alert.buttons)
                buttons << button.title + (button.style == AlertButton::Style::Cancel ? " (cancel)" : "");
            now["alert"] = QJsonArray{alert->alert.title, alert->alert.message, buttons};
            QVERIFY(q->ui.pressAlertButton(QStringLiteral("確定")));
        }
        if (q->ui.hasOpenDatePicker()) {
            const DatePicker picker = q->ui.currentDatePicker();
            now["datePicker"] = QJsonArray{picker.title, picker.initialDate.toString(Qt::ISODate),
                                           picker.minimumDate.toString(Qt::ISODate),
                                           picker.maximumDate.toString(Qt::ISODate)};
            QVERIFY(q->ui.cancelDatePicker());
        }
        seen.insert(QLatin1String(step), now);
        q->gateway.clearRequests();
    }
    void query(QDate start, QDate end)
    {
        q->pick(start, true);
        q->pick(end, false);
        q->screen->queryAction();
    }

private slots:
    void init() { seen = {}; }
    void cleanup()
    {
        const QDate today = QDate::currentDate();
        const QJsonObject vars{{"today", today.toString("yyyyMMdd")},
                               {"weekAgo", today.addDays(-7).toString("yyyyMMdd")},
                               {"todayTitle", today.toString("yyyy/MM/dd")},
                               {"weekAgoTitle", today.addDays(-7).toString("yyyy/MM/dd")}};
        const QString name = QLatin1String(QTest::currentTestFunction())
                             + (QTest::currentDataTag() ? "-" + QLatin1String(QTest::currentDataTag()) : QString());
        if (!seen.isEmpty() && !QTest::currentTestFailed())
            ZELK_COMPARE_FIXTURE(seen, "history/query/" + name, vars);
        q.reset();
    }

    // Opening queries the last seven days: the start button shows today, the end button a week ago, the
    // query runs from the earlier. An absent customer list is fetched once and kept for the picker.
    void openingQueriesTheLastSevenDays_data()
    {
        QTest::addColumn<bool>("signedIn");
        QTest::addColumn<QDate>("today");
        QTest::newRow("signedIn") << true << QDate::currentDate();
        // Customer list held, no session: nothing optional is sent, and the gateway refuses the query.
        QTest::newRow("noSession") << false << QDate(2024, 3, 10);
    }
    void openingQueriesTheLastSevenDays()
    {
        QFETCH(bool, signedIn);
        QFETCH(QDate, today);
        q = std::make_unique<Query>(signedIn ? std::nullopt : std::optional(QList<OrderCustomer>{}), today,
                                    signedIn);
        took("opened"); // no session: the gateway refuses the query with its message
        QCOMPARE(q->screen->filterCustomerListArray().offered(), *q->context->lists().customerList());
        if (!signedIn)
            return;
        QVERIFY(q->screen->filterCustomerListArray().offered().size() > 10);
        // The seeded orders of the last days are the rows, as the cells show them.
        const QList<OrderHistroy> rows = q->screen->tableArray();
        const QJsonArray cells = zelktest::drawnRows(q->screen->cells());
        QCOMPARE(cells.size(), rows.size());
        QCOMPARE(cells.first().toObject(),
                 (QJsonObject{{"timeLabel", rows.first().audat},
                              {"customerLabel", rows.first().name3},
                              {"itemLabel", rows.first().arktx},
                              {"itemOrderNumberLabel", numberText(rows.first().kwmeng)},
                              {"itemOrderLastLabel", numberText(rows.first().fkimg1)}}));
        QVERIFY(cells.first()["itemOrderNumberLabel"].toString().contains(QLatin1Char('.')));
    }

    void dateRangeOfAtMostOneMonth()
    {
        q = std::make_unique<Query>(QList<OrderCustomer>{}, QDate(2024, 3, 20));
        took("opened");
        q->screen->changeStartDateAction();
        took("date picker"); // preset to the button's date, nothing later than today
        // Choosing dates runs no query; the range is sent earlier date first, whichever button holds it.
        q->pick(QDate(2024, 1, 1), true);
        q->pick(QDate(2024, 2, 29), false);
        took("picked");
        q->screen->queryAction();
        took("one month and 28 days");
        query(QDate(2024, 2, 10), QDate(2024, 1, 1));
        took("earlier date at the end");
        query(QDate(2024, 1, 1), QDate(2024, 3, 1));
        took("two months refused");
        query(QDate(2024, 3, 1), QDate(2024, 1, 1));
        took("two months the other way");

        // Only whole months count, with month ends as the calendar gives them.
        QVERIFY(OrderHistoryViewController::isWithinOneMonth(QDate(2024, 1, 31), QDate(2024, 3, 30)));
        QVERIFY(!OrderHistoryViewController::isWithinOneMonth(QDate(2024, 1, 31), QDate(2024, 3, 31)));
        QVERIFY(OrderHistoryViewController::isWithinOneMonth(QDate(2024, 5, 5), QDate(2024, 5, 5)));
        QVERIFY(OrderHistoryViewController::isWithinOneMonth(QDate(2023, 12, 15), QDate(2024, 2, 14)));
        QVERIFY(OrderHistoryViewController::isWithinOneMonth(QDate(2024, 2, 14), QDate(2023, 12, 15)));
        QVERIFY(!OrderHistoryViewController::isWithinOneMonth(QDate(2023, 12, 15), QDate(2024, 2, 15)));
        QVERIFY(!OrderHistoryViewController::isWithinOneMonth(QDate(2023, 1, 1), QDate(2024, 1, 1)));
    }

    void restrictByOrderNumber()
    {
        q = std::make_unique<Query>();
        took("opened"); // by customer the field is read-only and asks for a customer
        q->screen->queryAction();
        took("nothing chosen");
        QSignalSpy focus(q->screen, &OrderHistoryViewController::queryTypeInfoTextFieldFocusRequested);
        q->screen->changeTypeAction(1);
        QCOMPARE(focus.size(), 1);
        took("by number"); // the field takes digits
        q->screen->queryAction();
        took("nothing typed");
        QVERIFY(q->screen->queryTypeInfoTextFieldShouldBeginEditing());
        q->screen->queryTypeInfoTextEdited(QStringLiteral("0010004415"));
        q->screen->queryAction();
        took("number typed"); // that order alone
        QCOMPARE(q->screen->tableArray().first().vbeln, QStringLiteral("0010004415"));
        // Its row opens its detail; a row out of range nothing.
        q->screen->didSelectRow(1);
        q->screen->didSelectRow(0);
        settle();
        QCOMPARE(q->nav->depth(), 2);
        auto *detail = qobject_cast<OrderHistoryDetailViewController *>(q->nav->topViewController());
        QVERIFY(detail);
        QCOMPARE(detail->orderHistory(), q->screen->tableArray().first());
        q->nav->pop(false);
        q->screen->changeTypeAction(0);
        took("back to the customer"); // nothing typed survives
    }

    void restrictByCustomer()
    {
        q = std::make_unique<Query>();
        took("opened");
        // The picker opens over the app instead of editing, and only once.
        QVERIFY(!q->screen->queryTypeInfoTextFieldShouldBeginEditing());
        QPointer<SelectDataViewController> picker = q->screen->selectDataViewController();
        QVERIFY(!q->screen->queryTypeInfoTextFieldShouldBeginEditing());
        QCOMPARE(q->screen->selectDataViewController(), picker.data());
        took("picker opened");
        // The filtered row's customer is taken, not the row of the whole list.
        picker->searchTextChangedByUser(QStringLiteral("建材"));
        took("searched");
        picker->didSelectRow(1);
        took("chosen");
        QVERIFY(picker.isNull());
        q->screen->queryTypeInfoTextEdited(
            QStringLiteral("typed")); // by customer the field is not typed into
        q->screen->queryAction();
        took("typed into, then queried");
        // The number empties the field; back to the customer shows the kept customer and opens the picker.
        q->screen->changeTypeAction(1);
        took("by number");
        q->screen->changeTypeAction(0);
        took("back to the customer");
        picker = q->screen->selectDataViewController();
        picker->searchTextChangedByUser(QStringLiteral("0000200"));
        took("searched by number");
        picker->searchBarCancelButtonClicked();
        took("search cancelled");  // every customer again
        picker->clossViewAction(); // closed without a choice: the kept customer stays
        settle();
        q->screen->queryAction();
        took("closed, then queried");

        // A customer without a name leaves the field empty: no restriction is sent.
        OrderCustomer nameless;
        nameless.kunnr = QStringLiteral("0000100101");
        q.reset();
        q = std::make_unique<Query>(QList<OrderCustomer>{nameless});
        QVERIFY(q->idle());
        q->screen->queryTypeInfoTextFieldShouldBeginEditing();
        settle();
        q->screen->selectDataViewController()->didSelectRow(0);
        settle();
        QCOMPARE(q->screen->queryCustomer(), nameless);
        q->screen->queryAction();
        took("nameless customer chosen, then queried");
    }

    void failuresAndReload()
    {
        // The customer list cannot be had: the alert, and the query still runs.
        q = std::make_unique<Query>(std::nullopt, QDate(), true,
                                    QJsonObject{{"operation", "clientList"},
                                                {"mode", "code"},
                                                {"returnCode", "99"},
                                                {"returnMsg", "系統忙碌"}});
        took("customer list failed");
        QVERIFY(!q->context->lists().customerList().has_value());
        const QList<OrderHistroy> shown = q->screen->tableArray();
        // The picker opens empty; its reload asks again and offers the new list.
        q->screen->queryTypeInfoTextFieldShouldBeginEditing();
        QPointer<SelectDataViewController> picker = q->screen->selectDataViewController();
        took("picker opened");
        picker->searchTextChangedByUser(QStringLiteral("大安"));
        picker->reloadActionWithSender();
        took("reloaded");
        QCOMPARE(q->screen->filterCustomerListArray().offered(), *q->context->lists().customerList());
        // A failed reload says so and keeps what the picker offers, and the held list.
        QVERIFY(q->gateway.setFault(QStringLiteral("clientList"), QStringLiteral("html500")));
        picker->reloadActionWithSender();
        took("reload failed");
        QCOMPARE(q->context->lists().customerList()->size(), picker->rowCount());
        picker->clossViewAction();
        // A failed query shows the server's message and leaves the rows as they were.
        QVERIFY(q->gateway.setFault(QStringLiteral("ZSD_QUERY_ORDER"), QStringLiteral("code"), 0, true,
                                    QStringLiteral("02"), QStringLiteral("查詢逾時")));
        q->screen->queryAction();
        took("query failed");
        QCOMPARE(q->screen->tableArray(), shown);
    }

    // The order detail: ten labelled rows in their order, money and decimal texts.
    void rowsShowEveryFieldOfTheRecord_data()
    {
        QTest::addColumn<QJsonObject>("record");
        QTest::newRow("full") << QJsonObject{
            {"bukrs", "1000"}, {"name1", "澤勒建材"}, {"werks", "1100"}, {"name2", "北區營業處"},
            {"kunnr", "0000100101"}, {"name3", "大安營造股份有限公司"}, {"vbeln", "0010004408"},
            {"audat", 1704067200000.0}, {"erzet", 0}, {"arktx", "卜特蘭I型水泥 散裝(噸)"},
            {"cmpre", 1234.5}, {"kwmeng", 12}, {"fkimg", 7.5}, {"fkimg1", 4.5}};
        QTest::newRow("empty") << QJsonObject();
    }
    void rowsShowEveryFieldOfTheRecord()
    {
        QFETCH(QJsonObject, record);
        const OrderHistroy history = OrderHistroy::fromJson(record);
        OrderHistoryDetailViewController detail;
        detail.setOrderHistory(history);
        detail.loadViewIfNeeded();
        detail.viewDidLoad(); // loading again adds no rows
        QCOMPARE(detail.title(), QStringLiteral("訂單查詢"));
        QCOMPARE(history.audat.isEmpty(), record.isEmpty());
        // The date text follows the device's time zone: the fixture names it "$audat".
        ZELK_COMPARE_FIXTURE(zelktest::drawnRows(detail.rows()), "history/detail-" + QString::fromLatin1(QTest::currentDataTag()),
                             (QJsonObject{{"audat", history.audat}}));
        for (const OrderHistoryDetailRow &row : detail.tableArray())
            QVERIFY(!row.extra.has_value());
        // A negative amount: the minus before the currency sign (grouping: the full record's "¥1,234.50").
        QCOMPARE(OrderHistoryDetailViewController::priceText(-12.5f), QStringLiteral("-¥12.50"));
    }
};

ZELK_TEST(OrderHistoryViewControllerTest)
#include "OrderHistoryViewControllerTest.moc"
