// The order query driven through its controller against the development gateway: the first query, the
// one-month rule, the customer picker and the typed order number, failures, and opening the detail.
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
        screen = storyboard.instantiate<OrderHistoryViewController>("OrderHistory", "OrderHistoryViewController");
        if (today.isValid())
            screen->setTodayProvider([today] { return today; });
        navigator.setRootScreen(nav = new NavigationController(screen));
        settle();
    }
    QList<QJsonObject> queries() const { return gateway.gatewayCalls(QStringLiteral("ZSD_QUERY_ORDER")); }
    OrderCustomer queryCustomer() const { return screen->queryCustomer(); }
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
    // The alert of a refusal or failure: its title, message and single cancel-style "確定", dismissed.
    bool dismissedAlert(const QString &title, const QString &message)
    {
        const bool shown = ui.hasOpenAlert() && ui.currentAlertTitle() == title
                           && (message.isNull() || ui.currentAlertMessage() == message)
                           && ui.currentAlert()->alert.buttons.size() == 1
                           && ui.currentAlert()->alert.buttons.first().style == AlertButton::Style::Cancel;
        return ui.pressAlertButton(QStringLiteral("確定")) && shown;
    }
};
const QString kCustomerFailed = QStringLiteral("無法取得客戶資料");
const QString kQueryFailed = QStringLiteral("無法查詢訂單");
} // namespace

class OrderHistoryViewControllerTest : public QObject
{
    Q_OBJECT
private slots:
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
        Query q(signedIn ? std::nullopt : std::optional(QList<OrderCustomer>{}), today, signedIn);
        QVERIFY(q.idle());
        QCOMPARE(q.screen->startDateTitle(), today.toString(QStringLiteral("yyyy/MM/dd")));
        QCOMPARE(q.screen->endDateTitle(), today.addDays(-7).toString(QStringLiteral("yyyy/MM/dd")));
        QJsonObject sent{{"ZSD_QUERY_ORDER", QJsonArray()}, {"clientList", QJsonArray()}};
        for (const QString api : {"ZSD_QUERY_ORDER", "clientList"})
            for (const QJsonObject &call : q.gateway.gatewayCalls(api))
                sent[api] = sent[api].toArray() + call;
        ZELK_COMPARE_FIXTURE(sent, "history/opening-" + QString::fromLatin1(QTest::currentDataTag()),
                             (QJsonObject{{"weekAgo", today.addDays(-7).toString("yyyyMMdd")}, {"today", today.toString("yyyyMMdd")}}));
        QCOMPARE(q.screen->filterCustomerListArray().offered(), *q.context->lists().customerList());
        if (!signedIn) {
            QCOMPARE(q.ui.currentAlertTitle(), kQueryFailed);
            QVERIFY(!q.ui.currentAlertMessage().isEmpty()); // the gateway's message
            return;
        }
        QVERIFY(q.screen->filterCustomerListArray().offered().size() > 10);
        QVERIFY(!q.ui.hasOpenAlert());
        // The seeded orders of the last days are the rows, as the cells show them.
        const QList<OrderHistroy> rows = q.screen->tableArray();
        QVERIFY(!rows.isEmpty());
        const QJsonArray cells = zelktest::drawnRows(q.screen->cells());
        QCOMPARE(cells.size(), rows.size());
        QCOMPARE(cells.first().toObject(),
                 (QJsonObject{{"timeLabel", rows.first().audat}, {"customerLabel", rows.first().name3},
                              {"itemLabel", rows.first().arktx}, {"itemOrderNumberLabel", numberText(rows.first().kwmeng)},
                              {"itemOrderLastLabel", numberText(rows.first().fkimg1)}}));
        QVERIFY(cells.first()["itemOrderNumberLabel"].toString().contains(QLatin1Char('.')));
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

        // Choosing dates runs no query; the range is sent earlier date first, whichever button holds it.
        const auto query = [&](QDate start, QDate end) {
            q.gateway.clearRequests();
            q.pick(start, true);
            q.pick(end, false);
            const bool picksAsked = q.queries().isEmpty();
            q.screen->queryAction();
            q.idle();
            const QJsonObject sent = q.queries().value(0);
            return picksAsked ? sent.value("pBegdat").toString() + "-" + sent.value("pEnddat").toString() : QString();
        };
        // One month and 28 days: accepted.
        QCOMPARE(query(QDate(2024, 1, 1), QDate(2024, 2, 29)), QStringLiteral("20240101-20240229"));
        QCOMPARE(q.screen->startDateTitle(), QStringLiteral("2024/01/01"));
        QCOMPARE(q.screen->endDateTitle(), QStringLiteral("2024/02/29"));
        QCOMPARE(query(QDate(2024, 2, 10), QDate(2024, 1, 1)), QStringLiteral("20240101-20240210"));
        QVERIFY(!q.ui.hasOpenAlert());
        // Two months: refused, nothing sent; in either order.
        QCOMPARE(query(QDate(2024, 1, 1), QDate(2024, 3, 1)), QStringLiteral("-"));
        QVERIFY(q.dismissedAlert(QStringLiteral("無法查詢超過1個月"), QStringLiteral("請重新選擇時間區間")));
        QCOMPARE(query(QDate(2024, 3, 1), QDate(2024, 1, 1)), QStringLiteral("-"));
        QVERIFY(q.dismissedAlert(QStringLiteral("無法查詢超過1個月"), QStringLiteral("請重新選擇時間區間")));

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
        Query q;
        QVERIFY(q.idle());
        // By customer the field is read-only and asks for a customer; by order number it takes digits.
        QCOMPARE(q.screen->queryTypeInfoPlaceholder(), QStringLiteral("請選擇客戶"));
        QVERIFY(q.screen->queryTypeInfoReadOnly() && !q.screen->queryTypeInfoNumeric());
        // An empty field sends neither restriction, in either segment.
        q.screen->queryAction();
        QVERIFY(q.idle());
        QSignalSpy focus(q.screen, &OrderHistoryViewController::queryTypeInfoTextFieldFocusRequested);
        q.screen->changeTypeAction(1);
        QCOMPARE(focus.size(), 1);
        QCOMPARE(q.screen->queryTypeInfoText(), QString());
        QCOMPARE(q.screen->queryTypeInfoPlaceholder(), QStringLiteral("請輸入訂單編號"));
        QVERIFY(!q.screen->queryTypeInfoReadOnly() && q.screen->queryTypeInfoNumeric());
        q.screen->queryAction();
        QVERIFY(q.idle());
        QCOMPARE(q.queries().size(), 3);
        for (const QJsonObject &sent : q.queries())
            QVERIFY(!sent.contains("pKunnr") && !sent.contains("pVbeln"));

        // By order number: the typed text goes as "pVbeln" and finds that order alone.
        QVERIFY(q.screen->queryTypeInfoTextFieldShouldBeginEditing());
        q.screen->queryTypeInfoTextEdited(QStringLiteral("0010004415"));
        q.screen->queryAction();
        QVERIFY(q.idle());
        QCOMPARE(q.queries().last().value("pVbeln").toString(), QStringLiteral("0010004415"));
        QVERIFY(!q.queries().last().contains("pKunnr"));
        QCOMPARE(q.screen->tableArray().size(), 1);
        QCOMPARE(q.screen->tableArray().first().vbeln, QStringLiteral("0010004415"));
        // Back to the customer: nothing typed survives.
        q.screen->changeTypeAction(0);
        settle();
        QCOMPARE(q.screen->queryTypeInfoText(), QString());
    }

    void restrictByCustomer()
    {
        Query q;
        QVERIFY(q.idle());
        const QList<OrderCustomer> customers = q.screen->filterCustomerListArray().offered();
        // The picker opens over the app instead of editing, with number then name, and only once.
        QVERIFY(!q.screen->queryTypeInfoTextFieldShouldBeginEditing());
        settle();
        QPointer<SelectDataViewController> picker = q.screen->selectDataViewController();
        QVERIFY(picker);
        QCOMPARE(picker->rowCount(), customers.size());
        QVERIFY(!q.screen->queryTypeInfoTextFieldShouldBeginEditing());
        QCOMPARE(q.screen->selectDataViewController(), picker.data());

        // Search, then choose: the filtered row's customer is taken.
        picker->searchTextChangedByUser(QStringLiteral("建材"));
        QList<OrderCustomer> expected;
        for (const OrderCustomer &c : customers)
            if (c.name1.contains(QStringLiteral("建材")))
                expected << c;
        QCOMPARE(picker->rowCount(), expected.size());
        QVERIFY(expected.size() > 2 && expected.at(1).kunnr != customers.at(1).kunnr);
        picker->didSelectRow(1);
        settle();
        QVERIFY(picker.isNull());
        QCOMPARE(q.queryCustomer(), expected.at(1));
        const QString shown = expected.at(1).name1 + "(" + expected.at(1).kunnr + ")";
        QCOMPARE(q.screen->queryTypeInfoText(), shown);
        q.screen->queryTypeInfoTextEdited(QStringLiteral("typed")); // by customer the field is not typed into
        QCOMPARE(q.screen->queryTypeInfoText(), shown);
        q.screen->queryAction();
        QVERIFY(q.idle());
        QCOMPARE(q.queries().last().value("pKunnr").toString(), expected.at(1).kunnr);
        QVERIFY(!q.queries().last().contains("pVbeln"));

        // Switching to the number empties the field; back to the customer shows the kept customer,
        // which a picker closed without a choice keeps.
        q.screen->changeTypeAction(1);
        QCOMPARE(q.screen->queryTypeInfoText(), QString());
        q.screen->changeTypeAction(0);
        settle();
        QCOMPARE(q.screen->queryTypeInfoText(), shown);
        picker = q.screen->selectDataViewController();
        QVERIFY(picker);
        // Cancelling a search offers every customer again.
        picker->searchTextChangedByUser(QStringLiteral("0000200"));
        QVERIFY(picker->rowCount() > 0 && picker->rowCount() < customers.size());
        picker->searchBarCancelButtonClicked();
        QCOMPARE(picker->rowCount(), customers.size());
        picker->clossViewAction();
        settle();
        QVERIFY(picker.isNull());
        q.screen->queryAction();
        QVERIFY(q.idle());
        QCOMPARE(q.queries().last().value("pKunnr").toString(), expected.at(1).kunnr);

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
        QCOMPARE(other.queryCustomer(), nameless);
        QCOMPARE(other.screen->queryTypeInfoText(), QString());
        other.screen->queryAction();
        QVERIFY(other.idle());
        QVERIFY(!other.queries().last().contains("pKunnr"));
    }

    void failuresAndReload()
    {
        // The customer list cannot be had: the alert, and the query still runs.
        Query q(std::nullopt, QDate(), true,
                {{"operation", "clientList"}, {"mode", "code"}, {"returnCode", "99"}, {"returnMsg", "系統忙碌"}});
        QVERIFY(q.idle());
        QVERIFY(q.dismissedAlert(kCustomerFailed, QStringLiteral("請稍候在試")));
        QVERIFY(!q.context->lists().customerList().has_value());
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
        QCOMPARE(q.gateway.gatewayCalls(QStringLiteral("clientList")).size(), 2);
        QVERIFY(picker->rowCount() > 10);
        QCOMPARE(picker->searchText(), QString());
        QCOMPARE(q.screen->filterCustomerListArray().offered(), *q.context->lists().customerList());

        // A failed reload says so and keeps what the picker offers.
        QVERIFY(q.gateway.setFault(QStringLiteral("clientList"), QStringLiteral("html500")));
        const int offered = picker->rowCount();
        picker->reloadActionWithSender();
        QVERIFY(q.idle());
        QVERIFY(q.dismissedAlert(kCustomerFailed, QString()));
        QCOMPARE(picker->rowCount(), offered);
        QCOMPARE(q.context->lists().customerList()->size(), offered); // the held list stays too
        picker->clossViewAction();
        settle();

        // A failed query shows the server's message and leaves the rows as they were.
        QVERIFY(q.gateway.setFault(QStringLiteral("ZSD_QUERY_ORDER"), QStringLiteral("code"), 0, true,
                                   QStringLiteral("02"), QStringLiteral("查詢逾時")));
        q.screen->queryAction();
        QVERIFY(q.idle());
        QVERIFY(q.dismissedAlert(kQueryFailed, QStringLiteral("查詢逾時")));
        QCOMPARE(q.screen->tableArray(), shown);
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
    }
};

ZELK_TEST(OrderHistoryViewControllerTest)
#include "OrderHistoryViewControllerTest.moc"
