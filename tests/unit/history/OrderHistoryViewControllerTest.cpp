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
    int focus = 0; // focus requests for the restriction field

    explicit Query(std::optional<QList<OrderCustomer>> customers = std::nullopt, QDate today = QDate(),
                   bool signedIn = true, const QJsonObject &fault = {})
    {
        signedIn ? startSignedIn() : openStores();
        if (!fault.isEmpty())
            gateway.setFault(fault);
        context->lists().setCustomerList(customers);
        screen = storyboard.instantiate<OrderHistoryViewController>(Scene::OrderHistory);
        if (today.isValid())
            screen->setTodayProvider([today] { return today; });
        QObject::connect(screen, &OrderHistoryViewController::queryTypeInfoTextFieldFocusRequested, screen,
                         [this] { ++focus; });
        navigator.setRootScreen(nav = new NavigationController(screen));
        settle();
    }
    // Waits until every spinner shown so far has been dismissed (every pending reply has arrived).
    bool idle()
    {
        return QTest::qWaitFor(
            [this] { return ui.calls().count(QStringLiteral("spinner:dismiss")) >= ui.spinnerShowCount(); }, 20000);
    }
};
} // namespace

class OrderHistoryViewControllerTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<Query> q;
    QJsonObject seen; // the screen step by step: compared with tests/data/history/query/<function>.json

    // Takes the screen once every reply has arrived: its dates, the restriction field, its rows, the picker,
    // the chosen customer, focus requests, the requests sent since the last step, an open alert or date
    // picker (then closed), an opened detail's order (then left), and with `list` the customer lists held
    // and offered.
    void took(const QString &step, bool list = false)
    {
        settle();
        QVERIFY2(q->idle(), qPrintable(step));
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
        if (!s->queryCustomer().kunnr.isEmpty())
            now["customer"] = s->queryCustomer().kunnr;
        if (q->focus)
            now["focus"] = std::exchange(q->focus, 0);
        if (list) {
            const auto held = q->context->lists().customerList();
            now["held"] = held ? QJsonValue(held->size()) : QJsonValue();
            now["offered"] = s->filterCustomerListArray().offered().size();
        }
        if (auto *detail = qobject_cast<OrderHistoryDetailViewController *>(q->nav->topViewController())) {
            now["detail"] = detail->orderHistory().vbeln;
            q->nav->pop(false);
        }
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
        seen.insert(step, now);
        q->gateway.clearRequests();
    }
    // One action of a step: a fault object for the gateway, or "<verb> <argument>" on the screen or its
    // picker.
    void act(const QJsonValue &action)
    {
        if (action.isObject()) {
            QVERIFY(q->gateway.setFault(action.toObject()));
            return;
        }
        const QString verb = action.toString().section(' ', 0, 0), arg = action.toString().section(' ', 1);
        OrderHistoryViewController *s = q->screen;
        QPointer<SelectDataViewController> picker = s->selectDataViewController();
        if (verb == "query")
            s->queryAction();
        else if (verb == "startDate")
            s->changeStartDateAction();
        else if (verb == "type")
            s->changeTypeAction(arg.toInt());
        else if (verb == "text")
            s->queryTypeInfoTextEdited(arg);
        else if (verb == "open")
            s->didSelectRow(arg.toInt());
        else if (verb == "start" || verb == "end") { // a date picked on either button
            verb == "start" ? s->changeStartDateAction() : s->changeEndDateAction();
            QVERIFY(q->ui.pickDate(QDate::fromString(arg, Qt::ISODate)));
        } else if (verb == "cells") { // the rows, as the cells show them
            const QList<OrderHistroy> rows = s->tableArray();
            const QJsonArray cells = zelktest::drawnRows(s->cells());
            QCOMPARE(cells.size(), rows.size());
            QCOMPARE(cells.first().toObject(),
                     (QJsonObject{{"timeLabel", rows.first().audat},
                                  {"customerLabel", rows.first().name3},
                                  {"itemLabel", rows.first().arktx},
                                  {"itemOrderNumberLabel", numberText(rows.first().kwmeng)},
                                  {"itemOrderLastLabel", numberText(rows.first().fkimg1)}}));
            QVERIFY(cells.first()["itemOrderNumberLabel"].toString().contains(QLatin1Char('.')));
        } else if (verb == "edit") { // by customer the picker opens instead, and only once
            QCOMPARE(s->queryTypeInfoTextFieldShouldBeginEditing(), arg == "yes");
            QVERIFY(!picker || s->selectDataViewController() == picker);
        } else {
            QVERIFY2(picker, qPrintable(verb));
            if (verb == "search")
                picker->searchTextChangedByUser(arg);
            else if (verb == "choose")
                picker->didSelectRow(arg.toInt());
            else if (verb == "cancelSearch")
                picker->searchBarCancelButtonClicked();
            else if (verb == "close")
                picker->clossViewAction();
            else if (verb == "reload")
                picker->reloadActionWithSender();
            else
                QFAIL(qPrintable(verb));
        }
        settle();
    }

private slots:
    void init() { seen = {}; }
    void cleanup()
    {
        q.reset(); // first: a failed comparison below leaves the test function at once
        const QDate today = QDate::currentDate();
        const QJsonObject vars{{"today", today.toString("yyyyMMdd")},
                               {"weekAgo", today.addDays(-7).toString("yyyyMMdd")},
                               {"todayTitle", today.toString("yyyy/MM/dd")},
                               {"weekAgoTitle", today.addDays(-7).toString("yyyy/MM/dd")}};
        const QString name = QLatin1String(QTest::currentTestFunction())
                             + (QTest::currentDataTag() ? "-" + QLatin1String(QTest::currentDataTag()) : QString());
        if (!seen.isEmpty() && !QTest::currentTestFailed())
            ZELK_COMPARE_FIXTURE(seen, "history/query/" + name, vars);
    }

    // Each row: the query opened (the customers held, today, signed out, a fault), then steps of actions
    // (see act()), each taken after its actions; with "watchList" also the customer lists, with "atOnce" the
    // first step's actions taken before the opening's answers have all arrived. Opening queries
    // the last seven days (the start button shows today, the end button a week ago, the query runs from
    // the earlier); an absent customer list is fetched once and kept for the picker.
    void steps_data() { QVERIFY(zelktest::addFixtureRows("history/querySteps")); }
    void steps()
    {
        QFETCH(QJsonObject, row);
        std::optional<QList<OrderCustomer>> customers;
        if (row["customers"].isArray())
            customers.emplace();
        for (const QJsonValue &customer : row["customers"].toArray())
            customers->append(OrderCustomer::fromJson(customer.toObject()));
        q = std::make_unique<Query>(customers, QDate::fromString(row["today"].toString(), Qt::ISODate),
                                    !row["signedOut"].toBool(), row["fault"].toObject());
        if (!row["atOnce"].toBool())
            QVERIFY(q->idle());
        for (const QJsonValue &step : row["steps"].toArray()) {
            const QJsonArray actions = step.toArray();
            for (qsizetype i = 1; i < actions.size() && !QTest::currentTestFailed(); ++i)
                act(actions[i]);
            took(actions[0].toString(), row["watchList"].toBool());
        }
    }

    // Only whole months count, with month ends as the calendar gives them.
    void oneMonthCountsWholeMonths()
    {
        QVERIFY(OrderHistoryViewController::isWithinOneMonth(QDate(2024, 1, 31), QDate(2024, 3, 30)));
        QVERIFY(!OrderHistoryViewController::isWithinOneMonth(QDate(2024, 1, 31), QDate(2024, 3, 31)));
        QVERIFY(OrderHistoryViewController::isWithinOneMonth(QDate(2024, 5, 5), QDate(2024, 5, 5)));
        QVERIFY(OrderHistoryViewController::isWithinOneMonth(QDate(2023, 12, 15), QDate(2024, 2, 14)));
        QVERIFY(OrderHistoryViewController::isWithinOneMonth(QDate(2024, 2, 14), QDate(2023, 12, 15)));
        QVERIFY(!OrderHistoryViewController::isWithinOneMonth(QDate(2023, 12, 15), QDate(2024, 2, 15)));
        QVERIFY(!OrderHistoryViewController::isWithinOneMonth(QDate(2023, 1, 1), QDate(2024, 1, 1)));
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
    }
};

ZELK_TEST(OrderHistoryViewControllerTest)
#include "OrderHistoryViewControllerTest.moc"
