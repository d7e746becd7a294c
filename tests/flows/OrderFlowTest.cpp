// Orders placed through the order screens against the development gateway, as rows of steps (normal and
// contract orders, the line editor, the cart panel, the ways out of the confirmation, the contract list as
// answered) compared with one fixture per case.
#include "AppHarness.h"
#include "ExpectedJson.h"
#include "TestRegistry.h"

#include "history/OrderHistoryViewController.h"
#include "model/NumberText.h"
#include "order/ChooseOrderTypeViewController.h"
#include "order/ContractViewController.h"
#include "order/CustomerCredit.h"
#include "order/EditOrderViewController.h"
#include "order/EnterNewAmountViewController.h"
#include "order/ItemsViewController.h"
#include "order/OrderCarViewController.h"
#include "order/OrderConfirmViewController.h"
#include "order/OrderPage2ViewController.h"
#include "ui/SlideMenuController.h"
#include "ui/ZelkNavigationController.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QSet>

#include <algorithm>

namespace {

// The signed-in demo user on the order-type screen, pushed over a stand-in of the home screen in the tab
// screen, and the steps either kind of order takes from there (see OrderFlowTest::orderSteps).
struct Flow : AppHarness {
    QPointer<TabBarController> tabBar;
    QPointer<NavigationController> nav;
    QPointer<ChooseOrderTypeViewController> choose;
    QJsonObject vars;                       // the identities and order numbers of the lines submitted
    QList<Order> shown;                     // the lines the cart panel opened with
    QPointer<EditOrderViewController> edit; // the line editor last opened, and what it handed back
    std::unique_ptr<QSignalSpy> saved;
    std::unique_ptr<QSignalSpy> resets; // the header list's resets since the header page opened

    Flow()
    {
        startSignedIn();
        nav = new ZelkNavigationController(new Screen);
        tabBar = new TabBarController;
        tabBar->setViewControllers({nav});
        navigator.setRootScreen(tabBar);
        settle();
        openChoose();
    }

    // Pushes a new order-type screen, as 訂單創建 on the home screen does.
    void openChoose()
    {
        choose = qobject_cast<ChooseOrderTypeViewController *>(storyboard.instantiate(Scene::ChooseOrderType));
        nav->push(choose, false);
        settle();
    }

    Screen *top() const { return nav ? nav->topViewController() : nullptr; }

    // Taps an order kind (`kind`), then the customer in row `row` after searching `search`.
    bool pickCustomer(void (ChooseOrderTypeViewController::*kind)(), const QString &search, int row)
    {
        (choose->*kind)();
        settle();
        SelectDataViewController *pick = choose->selectDataViewController();
        if (!pick || !QTest::qWaitFor([&] { return context->lists().customerList().has_value() && !ui.isSpinnerShowing(); }))
            return false;
        pick->searchTextChangedByUser(search);
        pick->didSelectRow(row);
        settle();
        return true;
    }

    // Chooses a row once the picker shows (its list may be fetched first).
    bool pickRow(int row) { return QTest::qWaitFor([&] { return ui.hasOpenPicker(); }) && ui.choosePickerRow(row); }

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
    // Starts a contract order for the customer `kunnr` and waits for its credit and contracts.
    bool start(const QString &kunnr = QStringLiteral("0000100101"), bool waitForRows = true)
    {
        if (!pickCustomer(&ChooseOrderTypeViewController::contractOrderAction, kunnr, 0) || !contract()
            || !QTest::qWaitFor([&] { return context->customerStruct().customer().kunnr == kunnr; }))
            return false;
        return !waitForRows || QTest::qWaitFor([&] { return !contract()->filterContractsArray().isEmpty(); }, 10000);
    }

    OrderPage1ViewController *header() const
    {
        return nav ? qobject_cast<OrderPage1ViewController *>(nav->viewControllers().value(2)) : nullptr;
    }
    OrderPage2ViewController *items() const { return qobject_cast<OrderPage2ViewController *>(top()); }

    // Picks the customer in row `row` after searching `search`, and waits for the header page to be
    // filled: the credit, then the shipping point (its row, a point the list does not know, or an alert).
    OrderPage1ViewController *startNormalOrder(const QString &search, int row)
    {
        if (!pickCustomer(&ChooseOrderTypeViewController::normalOrderAction, search, row))
            return nullptr;
        auto *page = qobject_cast<OrderPage1ViewController *>(top());
        if (!page || !QTest::qWaitFor([&] {
                return !ui.isSpinnerShowing() && page->rowsRevision() > 0 &&
                       (page->row(QStringLiteral("tvstz")) || ui.hasOpenAlert() ||
                        !page->order().orderItem.vstel.isEmpty());
            }))
            return nullptr;
        resets = std::make_unique<QSignalSpy>(page->rows(), &QAbstractItemModel::modelReset);
        return page;
    }

    // The header's 下一步; where it opens the item page, once its price list is in.
    bool next()
    {
        header()->nextAction();
        settle();
        return !items() ||
               QTest::qWaitFor([&] { return !items()->itemsArray().isEmpty() && !ui.isSpinnerShowing(); });
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
        return true;
    }

    OrderConfirmViewController *confirm() const
    {
        auto *stack = items() ? qobject_cast<NavigationController *>(items()->presentedScreen())
                              : presented<NavigationController>();
        return stack ? qobject_cast<OrderConfirmViewController *>(stack->rootViewController()) : nullptr;
    }

    // What a "see" step reads off a page.
    QJsonObject see(const QString &what)
    {
        // The key and detail (its value, else its prompt) of every row the view draws.
        const auto rows = [](OrderPage1ViewController *p) {
            return zelktest::drawnRows(p->rows(), {"key", "detail"});
        };
        if (what == "header") {
            const Order &o = header()->order();
            return {{"customer", header()->customNameText()},
                    {"credit", header()->creditsText()},
                    {"kunnr", QJsonArray{context->customerStruct().customer().kunnr, o.orderCustomer.kunnr}},
                    {"shipping", QJsonArray{o.orderItem.vstel, o.orderItem.route}},
                    {"item", QJsonArray{o.orderItem.matnr, numberText(o.orderItem.price),
                                        numberText(o.orderItem.orderNumber), o.orderPage}},
                    {"resets", int(resets->size())},
                    {"rows", rows(header())}};
        }
        if (what == "items")
            return {{"copies", items()->copyCountText()}, {"rows", rows(items())}};
        if (what == "pickList") {
            SelectDataViewController *pick = choose->selectDataViewController();
            return {{"search", pick->searchText()},
                    {"rows", pick->rowCount()},
                    {"customers", int(context->lists().customerList()->size())}};
        }
        if (what == "edit") {
            QJsonObject rows;
            for (const EditOrderRow &r : edit->tableArray())
                rows[r.key] = r.value;
            const Order &o = edit->order();
            return {{"rows", rows},
                    {"value", CustomerCredit::orderValue(o)},
                    {"remark", o.transportRemark},
                    {"inco1", QJsonArray{o.inco1.inco1, o.inco1.bezei, o.orderItem.inco1Bezei}}};
        }
        if (what == "stack")
            return {{"depth", nav->depth()}};
        if (what == "entry")
            return {{"inco1", presented<EnterOrderInfoViewController>()->info1ButtonText()}};
        if (what == "contract")
            return {{"customer", contract()->customNameText()},
                    {"rows", zelktest::drawnRows(contract()->contractRows(), {"mainText", "vbeln"})}};
        if (what == "materials")
            return {
                {"rows",
                 zelktest::drawnRows(
                     qobject_cast<ItemsViewController *>(contractStack()->topViewController())->itemRows(),
                     {"priceText", "amountText", "inco1Text"})}};
        if (what == "cart") {
            QJsonArray rows, texts;
            for (const OrderCartRow &r : cart()->rows()) {
                rows << r.orderSeq;
                texts << QJsonArray{r.priceText, r.orderNumberText, r.allPriceText, r.pageText};
            }
            return {{"open", slide()->isRightOpen()},
                    {"rows", rows},
                    {"texts", texts},
                    {"total", cart()->allAmountText()},
                    {"value", context->customerStruct().nowOrderValue()},
                    {"customer", context->customerStruct().customer().kunnr}};
        }
        if (what == "draft") {
            QStringList lines;
            QJsonArray methods; // per line: its method, the name shown, the method its submission sends
            for (const Order &o : context->draft().lines()) {
                lines << o.orderSeq;
                methods << QJsonArray{
                    o.inco1.inco1, o.inco1.bezei, o.orderItem.inco1Bezei,
                    context->draft().cart().orderConfirmArray().value(lines.size() - 1).inco1};
            }
            return {{"lines", QJsonArray::fromStringList(lines)},
                    {"identities", int(QSet<QString>(lines.begin(), lines.end()).size())},
                    {"methods", methods},
                    {"resumable", context->draft().resumable()}};
        }
        OrderConfirmViewController *confirm = this->confirm();
        QJsonArray lines;
        QSet<QString> numbers, identities;
        for (qsizetype i = 0; i < confirm->tableArray().size(); ++i) {
            lines << QJsonArray{int(confirm->tableArray()[i].orderStatus),
                                confirm->statusCell(int(i)).messageLabel};
            numbers << confirm->tableArray()[i].sapOrderNo;
            identities << confirm->tableArray()[i].orderSeq;
        }
        return {{"amount", confirm->amountText()},
                {"buttons", QJsonArray::fromStringList(confirm->buttonIds())},
                {"lines", lines},
                {"orderNumbers", int(numbers.size())},
                {"identities", int(identities.size())},
                {"cart", int(context->draft().lines().size())}};
    }
};

// The phone keeps Taiwan's time, as the gateway does: the order query's "today" is the day the gateway
// dates the order, also while it is already tomorrow in Taipei and still today where the tests run. A
// locale a step sets is undone too.
struct TaipeiTime {
    const QByteArray old = qgetenv("TZ");
    TaipeiTime() { qputenv("TZ", "Asia/Taipei"); }
    ~TaipeiTime()
    {
        old.isNull() ? qunsetenv("TZ") : qputenv("TZ", old);
        QLocale::setDefault(QLocale::c());
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

// Lays a recorded fixture of steps out one compact step per line, to be read as a list of steps.
void oneStepPerLine(const QString &fixture)
{
    QFile file(qEnvironmentVariable("ZELK_TEST_SOURCE_DIR") + "/tests/data/" + fixture + ".json");
    QVERIFY(file.open(QIODevice::ReadWrite));
    QStringList steps;
    for (const QJsonValue &step : QJsonDocument::fromJson(file.readAll()).array())
        steps << QString::fromUtf8(QJsonDocument(step.toObject()).toJson(QJsonDocument::Compact));
    QVERIFY(file.resize(0));
    file.write(("[\n" + steps.join(",\n") + "\n]\n").toUtf8());
}

} // namespace

class OrderFlowTest : public QObject
{
    Q_OBJECT
private slots:
    // Orders step by step ("action=argument"); what each step leaves (the screens, an open alert, what a
    // "see" step reads off a page, a request) is gathered and compared once with
    // tests/data/order/flow/<row>.json. A request named with ">fixture" is compared with that fixture.
    void orderSteps_data() { QVERIFY(zelktest::addFixtureRows("order/flowSteps")); }
    void orderSteps()
    {
        QFETCH(QJsonObject, row);
        const TaipeiTime zone;
        Flow f;
        f.vars["today"] = QLocale::c().toString(QDate::currentDate(), QStringLiteral("yyyy/MM/dd"));
        const QJsonObject replies = row["replies"].toObject(); // answers given instead of the gateway's own
        for (auto reply = replies.begin(); reply != replies.end(); ++reply) {
            const QString body =
                QString::fromUtf8(QJsonDocument(reply->toObject()).toJson(QJsonDocument::Compact));
            QVERIFY(f.gateway.setFault(
                QJsonObject{{"operation", reply.key()}, {"mode", "reply"}, {"body", body}}));
        }
        QJsonArray seen;
        QString screen;
        int leftSpinner = -1, seqs = 0;
        for (const QString &step : row["steps"].toVariant().toStringList()) {
            const QString action = step.section('=', 0, 0), arg = step.section('=', 1);
            const auto argAt = [&](int i) { return arg.section('/', i, i); };
            OrderPage2ViewController *items = f.items();
            EditOrderViewController *edit = f.edit && f.edit->presentingScreen() ? f.edit.data() : nullptr;
            auto *entry = f.presented<EnterOrderInfoViewController>();
            const QStringList onItems{"material", "price", "quantity", "copies", "order"};
            QVERIFY2(items || edit || !onItems.contains(action), "no item page");
            QJsonObject o{{"step", step}};
            if (action == "normal") {
                QVERIFY(f.startNormalOrder(argAt(0), argAt(1).toInt()));
            } else if (action == "contract") { // once its contracts (or all answers) are in, or an alert shows
                QSignalSpy answered(f.context->client().network(), &QNetworkAccessManager::finished);
                const qsizetype before = f.gateway.requests().size();
                QVERIFY(f.start(arg, false));
                QVERIFY(QTest::qWaitFor(
                    [&] {
                        settle();
                        const bool allAnswered = !f.gateway.gatewayCalls("ZSD_GET_CUST_CONTRACT2").isEmpty() &&
                                                 answered.size() == f.gateway.requests().size() - before;
                        return !f.contract()->filterContractsArray().isEmpty() || f.ui.hasOpenAlert() ||
                               (allAnswered && !f.ui.isSpinnerShowing());
                    },
                    10000));
            } else if (action == "await") { // the contracts
                QVERIFY(
                    QTest::qWaitFor([&] { return !f.contract()->filterContractsArray().isEmpty(); }, 10000));
            } else if (action == "fail") { // the next `arg` fails
                QVERIFY(f.gateway.setFault(arg, QStringLiteral("code"), 0, true, QStringLiteral("09"),
                                           QStringLiteral("系統忙碌")));
            } else if (action == "cart") {
                // A contract order whose cart panel shows lines price/quantity/copies, ...
                QList<Order> lines;
                for (const QString &l : arg.split(',', Qt::SkipEmptyParts))
                    lines << line(l.section('/', 0, 0).toFloat(), l.section('/', 1, 1).toFloat(),
                                  l.section('/', 2).toInt());
                QVERIFY(f.start());
                f.shown = lines;
                f.context->draft().setLines(lines);
                f.slide()->openRight();
            } else if (action == "keep") { // the cart keeps its first `arg` lines, as an answer leaves it
                f.context->draft().setLines(f.shown.mid(0, arg.toInt()));
            } else if (action == "closure") { // the confirmation closed: failed/edit/close, 1 for true
                f.cart()->successClosure(argAt(0) == "1", argAt(1) == "1", argAt(2) == "1");
            } else if (action == "queryClosure") {
                f.cart()->orderQueryClosure();
            } else if (action == "removeLine") { // the cart changes under the open panel
                f.context->draft().removeLine(f.vars["seq" + arg].toString());
            } else if (action == "deleteLine") { // the panel's delete
                f.cart()->deleteLine(f.vars["seq" + arg].toString());
            } else if (action == "editDone") {
                // The editor hands back line `argAt(0)`, with quantity `argAt(1)`.
                Order edited = f.shown.value(argAt(0).toInt() - 1);
                if (!argAt(1).isEmpty())
                    edited.orderItem.orderNumber = argAt(1).toFloat();
                f.cart()->editOrderDone(f.vars.value("seq" + argAt(0)).toString(QStringLiteral("gone")),
                                        edited);
            } else if (action == "orderDone") { // the cart's 下單
                f.cart()->orderDone();
            } else if (action == "locale") {
                QLocale::setDefault(QLocale(arg));
            } else if (action == "press") {
                QVERIFY(f.ui.pressAlertButton(arg));
            } else if (action == "see") {
                o["sees"] = f.see(arg);
            } else if (action == "calls") {
                o["calls"] = int(f.gateway.gatewayCalls(arg).size());
            } else if (action == "request" && arg.contains('>')) { // the last one, as the gateway received it
                ZELK_COMPARE_FIXTURE(f.gateway.gatewayCalls(arg.section('>', 0, 0)).last(),
                                     arg.section('>', 1), f.vars);
            } else if (action == "request") {
                o["request"] = f.gateway.gatewayCalls(arg).last();
            } else if (action == "credit" || action == "ordered") {
                action == "credit" ? f.context->customerStruct().setCreditValue(arg.toFloat())
                                   : f.context->customerStruct().setNowOrderValue(arg.toFloat());
            } else if (action == "reopen") { // the customer pick list once more
                f.choose->normalOrderAction();
            } else if (action == "choose") { // 訂單創建 again
                f.openChoose();
            } else if (action == "back") {
                QVERIFY(f.slide() ? f.contractStack()->pop(false) : f.nav->pop(false));
            } else if (action == "appear" && f.slide()) { // the contract screen asks again, and fails
                f.contract()->viewDidAppear(false);
                QVERIFY(QTest::qWaitFor([&] { return f.ui.hasOpenAlert(); }, 10000));
            } else if (action == "appear") {
                f.header()->viewWillAppear(false);
            } else if (action == "next") {
                QVERIFY(f.next());
            } else if (action == "remark") { // typed (refusals dropped), as the field then holds it
                edit ? edit->editTransNameRemark() : f.header()->transTypeRemarkAction();
                f.ui.typeIntoAlertField(0, arg);
                o["field"] = f.ui.alertFieldText(0);
                QVERIFY(f.ui.pressAlertButton(QStringLiteral("確定")));
            } else if (action == "transType" || (action == "inco1" && !edit && !entry)) { // header rows
                action == "inco1" ? f.header()->inco1Action() : f.header()->transTypeAction();
                QVERIFY(f.pickRow(arg.toInt()));
                QVERIFY(QTest::qWaitFor([&] { return !f.header()->row(action)->subTitle.isEmpty(); }));
            } else if (action == "inco1") {
                edit ? edit->editBezei() : entry->inco1Action();
                QVERIFY(f.pickRow(arg.toInt()));
            } else if (action == "edit") { // a line of price/quantity/copies/maximum in the editor
                Order order =
                    line(argAt(0).toFloat(), argAt(1).toFloat(), argAt(2).toInt(), argAt(3).toDouble());
                order.contract2.maktx = QStringLiteral("合約物料");
                f.edit = f.storyboard.instantiate<EditOrderViewController>(Scene::EditOrder);
                QVERIFY(f.edit);
                f.edit->setOrder(order);
                (f.slide() ? static_cast<Screen *>(f.slide()) : f.choose.data())
                    ->present(new ZelkNavigationController(f.edit), false);
                f.saved =
                    std::make_unique<QSignalSpy>(f.edit.data(), &EditOrderViewController::editOrderDone);
            } else if (action == "cancel") { // the editor closed: nothing handed back
                edit->close();
                o["saved"] = int(f.saved->size());
            } else if (action == "material") {
                QVERIFY(f.pickMaterial(items, argAt(0), argAt(1).toInt()));
            } else if (action == "price") { // the entry (opened unless still open), then `arg` entered
                Screen *host = edit ? static_cast<Screen *>(edit->navigationController()) : items;
                if (!host->presentedScreen())
                    edit ? edit->editKbetr() : items->enterPriceAction();
                settle();
                auto *entry = qobject_cast<EnterNewAmountViewController *>(host->presentedScreen());
                QVERIFY(entry);
                o["entry"] = QJsonArray{entry->messageText(), entry->newAmountText()};
                entry->setNewAmountText(arg);
                entry->enterNewAmountAction();
            } else if (action == "quantity") { // the field as opened, then `arg` typed (refusals dropped)
                edit ? edit->editOrderNumber() : items->enterAmountAction();
                o["field"] = f.ui.alertFieldText(0);
                QVERIFY(f.ui.replaceAlertFieldText(0, QString()));
                f.ui.typeIntoAlertField(0, arg);
                QVERIFY(f.ui.pressAlertButton(QStringLiteral("確定")));
            } else if (action == "copies") { // the picker's rows and first row shown, then `arg` copies
                edit ? edit->copyOrderAction() : items->copyOrderAction();
                o["choices"] =
                    QJsonArray{int(f.ui.currentPicker().rows.size()), f.ui.currentPicker().initialRow};
                QVERIFY(f.pickRow(arg.toInt() - 1));
            } else if (action == "order") {
                items->orderAction();
                f.vars["orderSeq"] = f.context->draft().lines().value(0).orderSeq;
            } else if (action == "open") {
                f.contract()->selectRow(arg.toInt());
                settle();
                auto *materials = qobject_cast<ItemsViewController *>(f.contractStack()->topViewController());
                QVERIFY(materials &&
                        QTest::qWaitFor(
                            [&] { return !materials->itemsArray().isEmpty() && !f.ui.isSpinnerShowing(); },
                            10000));
            } else if (action == "entry") { // material `arg`'s quantity entry, the first car/ship kind
                qobject_cast<ItemsViewController *>(f.contractStack()->topViewController())
                    ->selectRow(arg.toInt());
                settle();
                entry = f.presented<EnterOrderInfoViewController>();
                QVERIFY(entry);
                entry->orderTypeAction();
                QVERIFY(f.pickRow(0));
            } else if (action == "amount") { // entered and added to the cart
                entry->setItemAmtText(arg);
                entry->addToCartAction();
            } else if (action == "dismiss") {
                entry->dismiss(false);
            } else if (action == "closeCart") {
                f.slide()->closeRight();
            } else if (action == "fire") { // the actions the screens put off
                o["fired"] = f.ui.firePendingActions();
            } else if (action == "sentUnknown") { // a contract line sent, its answer lost
                f.context->draft().start(OrderDraft::Kind::contract, OrderCustomer{.kunnr = arg});
                f.context->draft().setLines({line(1, 1)});
                f.context->draft().markSent(f.context->draft().cart().orderConfirmArray());
            } else if (action == "leave") {
                f.contract()->closeAction();
            } else if (action == "confirm") {
                f.confirm()->orderAction();
            } else if (action == "query") { // 訂單查詢: the list shows the new order
                f.confirm()->orderQueryAction();
                settle();
                auto *history = qobject_cast<OrderHistoryViewController *>(f.top());
                QVERIFY(history);
                o["depth"] = f.nav->depth(); // in place of the order's screens
                QVERIFY(QTest::qWaitFor(
                    [&] {
                        const QList<OrderHistroy> rows = history->tableArray();
                        return std::any_of(rows.cbegin(), rows.cend(), [&](const OrderHistroy &r) {
                            return r.vbeln == f.vars["orderNo"].toString();
                        });
                    },
                    10000));
            } else {
                QFAIL(qPrintable("no such step: " + step));
            }
            // Settled: the answers a step asked for are in. The materials screen, appearing again as a line
            // is added and then popped, leaves the spinner of its query turning: that one is not waited for.
            QVERIFY(QTest::qWaitFor(
                [&] {
                    settle();
                    if (action == "amount")
                        leftSpinner = f.ui.spinnerShowCount();
                    return (!f.ui.isSpinnerShowing() || f.ui.spinnerShowCount() == leftSpinner) &&
                           (!f.confirm() || !f.confirm()->tableArray().isEmpty());
                },
                10000));
            if (action == "confirm") {
                QVERIFY(QTest::qWaitFor(
                    [&] { return f.confirm()->buttonIds().contains(QStringLiteral("closeButton")); }, 10000));
                f.vars["copySeq"] = f.confirm()->tableArray().value(1).orderSeq;
                f.vars["orderNo"] = f.confirm()->tableArray().value(1).sapOrderNo;
            }
            // Each identity the cart holds, as it came: "$seq1", ...
            for (const Order &l : f.context->draft().lines())
                if (!f.vars.toVariantMap().values().contains(l.orderSeq))
                    f.vars["seq" + QString::number(++seqs)] = l.orderSeq;
            if (f.navigator.describe() != screen)
                o["screen"] = screen = f.navigator.describe();
            if (f.ui.hasOpenAlert())
                o["alert"] = QJsonArray{f.ui.currentAlertTitle(), f.ui.currentAlertMessage().isNull()
                                                                      ? QJsonValue()
                                                                      : f.ui.currentAlertMessage()} +
                             QJsonArray::fromStringList(f.ui.currentAlertButtons());
            seen << o;
        }
        const QString fixture = "order/flow/" + QString::fromUtf8(QTest::currentDataTag());
        ZELK_COMPARE_FIXTURE(seen, fixture, f.vars);
        if (qEnvironmentVariableIntValue("ZELK_RECORD_FIXTURES"))
            oneStepPerLine(fixture);
    }
};

ZELK_TEST(OrderFlowTest)
#include "OrderFlowTest.moc"
