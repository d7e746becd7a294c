// Orders placed through the order screens against the development gateway (normal and contract orders, the
// line editor, the cart panel, the ways out of the confirmation, the contract list as answered). Each case is
// a list of typed steps written here; what the steps leave is journaled and compared with the case's fixture
// in tests/data/order/flow, which holds only the expected journal.
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

    // The line editor while it is open, and the contract quantity entry while it is shown.
    EditOrderViewController *openEditor() const { return edit && edit->presentingScreen() ? edit.data() : nullptr; }
    EnterOrderInfoViewController *entry() const { return presented<EnterOrderInfoViewController>(); }
    bool keepsSpinner = false; // the step leaves a spinner turning that is not waited for

    OrderConfirmViewController *confirm() const
    {
        auto *stack = items() ? qobject_cast<NavigationController *>(items()->presentedScreen())
                              : presented<NavigationController>();
        return stack ? qobject_cast<OrderConfirmViewController *>(stack->rootViewController()) : nullptr;
    }

    // What each page of the order shows, as a "see" step reads it.
    enum Page { Header, Items, PickList, Edit, Stack, Entry, Contract, Materials, Cart, Draft, Confirm };
    QJsonObject see(Page what)
    {
        if (what == Header) {
            const Order &o = header()->order();
            return {{"customer", header()->customNameText()},
                    {"credit", header()->creditsText()},
                    {"kunnr", QJsonArray{context->customerStruct().customer().kunnr, o.orderCustomer.kunnr}},
                    {"shipping", QJsonArray{o.orderItem.vstel, o.orderItem.route}},
                    {"item", QJsonArray{o.orderItem.matnr, numberText(o.orderItem.price),
                                        numberText(o.orderItem.orderNumber), o.orderPage}},
                    {"resets", int(resets->size())},
                    // The key and detail (its value, else its prompt) of every row the view draws.
                    {"rows", zelktest::drawnRows(header()->rows(), {"key", "detail"})}};
        }
        if (what == Items)
            return {{"copies", items()->copyCountText()},
                    {"rows", zelktest::drawnRows(items()->rows(), {"key", "detail"})}};
        if (what == PickList) {
            SelectDataViewController *pick = choose->selectDataViewController();
            return {{"search", pick->searchText()},
                    {"rows", pick->rowCount()},
                    {"customers", int(context->lists().customerList()->size())}};
        }
        if (what == Edit) {
            QJsonObject rows;
            for (const EditOrderRow &r : edit->tableArray())
                rows[r.key] = r.value;
            const Order &o = edit->order();
            return {{"rows", rows},
                    {"value", CustomerCredit::orderValue(o)},
                    {"remark", o.transportRemark},
                    {"inco1", QJsonArray{o.inco1.inco1, o.inco1.bezei, o.orderItem.inco1Bezei}}};
        }
        if (what == Stack)
            return {{"depth", nav->depth()}};
        if (what == Entry)
            return {{"inco1", presented<EnterOrderInfoViewController>()->info1ButtonText()}};
        if (what == Contract)
            return {{"customer", contract()->customNameText()},
                    {"rows", zelktest::drawnRows(contract()->contractRows(), {"mainText", "vbeln"})}};
        if (what == Materials)
            return {
                {"rows",
                 zelktest::drawnRows(
                     qobject_cast<ItemsViewController *>(contractStack()->topViewController())->itemRows(),
                     {"priceText", "amountText", "inco1Text"})}};
        if (what == Cart) {
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
        if (what == Draft) {
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

// A locale a step sets is undone when the flow ends.
struct DefaultLocale {
    ~DefaultLocale() { QLocale::setDefault(QLocale::c()); }
};

Order line(float price, float quantity, int pages = 1, double zmeng = 100)
{
    return {.orderItem = {.maktx = QStringLiteral("水泥"), .zmeng = zmeng, .inco1Bezei = QStringLiteral("送達工地"),
                          .kbetr = price, .price = price, .orderNumber = quantity},
            .orderPage = pages};
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

// One step of an order: its name in the journal (tests/data/order/flow/<case>.json) and what it does. It
// adds what it reads to its journal entry, and says false when it could not be taken.
struct Step {
    QString label;
    std::function<bool(Flow &, QJsonObject &)> act;
};
using Steps = QList<Step>;

QString num(double value)
{
    return QString::number(value, 'g', 15);
}
// A step whose whole action is one call on the flow.
Step does(const QString &label, const std::function<void(Flow &)> &call)
{
    return {label, [=](Flow &f, QJsonObject &) { return call(f), true; }};
}
// A step that waits for what its action asked for.
Step until(const QString &label, const std::function<bool(Flow &)> &act)
{
    return {label, [=](Flow &f, QJsonObject &) { return act(f); }};
}
bool waitFor(const std::function<bool()> &done)
{
    return QTest::qWaitFor(done, 10000);
}

// Starting an order; an answer the gateway gives once instead of its own (not journaled; setAnswer would
// give it to every later call).
Step normal(const QString &search, int row)
{
    // Once the header page is filled: the credit, then the shipping point (its row, a point the list does
    // not know, or an alert).
    return until("normal=" + search + '/' + num(row), [=](Flow &f) {
        if (!f.pickCustomer(&ChooseOrderTypeViewController::normalOrderAction, search, row))
            return false;
        auto *page = qobject_cast<OrderPage1ViewController *>(f.top());
        if (!page || !waitFor([&] {
                return !f.ui.isSpinnerShowing() && page->rowsRevision() > 0 &&
                       (page->row("tvstz") || f.ui.hasOpenAlert() || !page->order().orderItem.vstel.isEmpty());
            }))
            return false;
        f.resets = std::make_unique<QSignalSpy>(page->rows(), &QAbstractItemModel::modelReset);
        return true;
    });
}
Step contract(const QString &kunnr) // once its contracts (or all answers) are in, or an alert shows
{
    return until("contract=" + kunnr, [=](Flow &f) {
        QSignalSpy answered(f.context->client().network(), &QNetworkAccessManager::finished);
        const qsizetype before = f.gateway.requests().size();
        const auto allAnswered = [&] {
            return !f.gateway.gatewayCalls("ZSD_GET_CUST_CONTRACT2").isEmpty() &&
                   answered.size() == f.gateway.requests().size() - before && !f.ui.isSpinnerShowing();
        };
        return f.start(kunnr, false) && waitFor([&] {
                   settle();
                   return !f.contract()->filterContractsArray().isEmpty() || f.ui.hasOpenAlert() ||
                          allAnswered();
               });
    });
}
struct CartLine {
    float price, quantity;
    int pages;
};
Step cart(const QList<CartLine> &lines) // a contract order whose cart panel is open on these lines
{
    QStringList texts;
    for (const CartLine &l : lines)
        texts << num(l.price) + '/' + num(l.quantity) + '/' + num(l.pages);
    return until("cart=" + texts.join(','), [=](Flow &f) {
        f.shown.clear();
        for (const CartLine &l : lines)
            f.shown << line(l.price, l.quantity, l.pages);
        return f.start() && (f.context->draft().setLines(f.shown), f.slide()->openRight(), true);
    });
}
Step sentUnknown(const QString &kunnr) // a contract line sent whose answer was lost
{
    return does("sentUnknown=" + kunnr, [=](Flow &f) {
        f.context->draft().start(OrderDraft::Kind::contract, OrderCustomer{.kunnr = kunnr});
        f.context->draft().setLines({line(1, 1)});
        f.context->draft().markSent(f.context->draft().cart().orderConfirmArray());
    });
}
Step answer(const QString &operation, const char *body)
{
    return until({}, [=](Flow &f) {
        return f.gateway.setFault({{"operation", operation}, {"mode", "reply"}, {"body", body}});
    });
}
Step fail(const QString &operation) // its next call fails
{
    return until("fail=" + operation,
                 [=](Flow &f) { return f.gateway.setFault(operation, "code", 0, true, "09", "系統忙碌"); });
}

// What is read, and set, from outside the screens.
Step see(Flow::Page page)
{
    static const char *const names[] = {"header",   "items",     "pickList", "edit",  "stack",  "entry",
                                        "contract", "materials", "cart",     "draft", "confirm"}; // as Flow::Page
    return {"see=" + QLatin1String(names[page]),
            [=](Flow &f, QJsonObject &o) { return (o["sees"] = f.see(page)), true; }};
}
Step calls(const QString &operation)
{
    return {"calls=" + operation, [=](Flow &f, QJsonObject &o) {
                return (o["calls"] = int(f.gateway.gatewayCalls(operation).size())), true;
            }};
}
// The last request of `operation` as the gateway received it: compared with `fixture`, or journaled.
Step request(const QString &operation, const QString &fixture = {})
{
    return {"request=" + operation + (fixture.isEmpty() ? QString() : '>' + fixture),
            [=](Flow &f, QJsonObject &o) {
                const QList<QJsonObject> sent = f.gateway.gatewayCalls(operation);
                QString report;
                if (sent.isEmpty() || fixture.isEmpty())
                    return !sent.isEmpty() && (o["request"] = sent.last(), true);
                return zelktest::matchesFixture(fixture, sent.last(), &report, f.vars) ||
                       (qWarning("%s", qPrintable(report)), false);
            }};
}
Step credit(double value)
{
    return does("credit=" + num(value), [=](Flow &f) { f.context->customerStruct().setCreditValue(value); });
}
Step ordered(double value)
{
    return does("ordered=" + num(value),
                [=](Flow &f) { f.context->customerStruct().setNowOrderValue(value); });
}
Step locale(const QString &name)
{
    return does("locale=" + name, [=](Flow &) { QLocale::setDefault(QLocale(name)); });
}
Step press(const QString &button)
{
    return until("press=" + button, [=](Flow &f) { return f.ui.pressAlertButton(button); });
}
const Step fire = {"fire",
                   [](Flow &f, QJsonObject &o) { return (o["fired"] = f.ui.firePendingActions()), true; }};

// The cart panel, and the cart changed under it ("seqN" is the identity of the cart's Nth line).
Step keep(int lines)
{
    return does("keep=" + num(lines), [=](Flow &f) { f.context->draft().setLines(f.shown.mid(0, lines)); });
}
Step closure(bool failed, bool edit, bool close) // the confirmation closed
{
    return does(QStringLiteral("closure=%1/%2/%3").arg(int(failed)).arg(int(edit)).arg(int(close)),
                [=](Flow &f) { f.cart()->successClosure(failed, edit, close); });
}
Step removeLine(int n)
{
    return does("removeLine=" + num(n),
                [=](Flow &f) { f.context->draft().removeLine(f.vars["seq" + num(n)].toString()); });
}
Step deleteLine(int n) // the panel's delete
{
    return does("deleteLine=" + num(n),
                [=](Flow &f) { f.cart()->deleteLine(f.vars["seq" + num(n)].toString()); });
}
// The editor hands back line `n` (0: a line no longer in the cart), with its quantity changed if given.
Step editDone(int n, std::optional<float> quantity = {})
{
    const QString which = n ? num(n) : QStringLiteral("gone");
    return does("editDone=" + which + (quantity ? '/' + num(*quantity) : QString()), [=](Flow &f) {
        Order edited = f.shown.value(n - 1);
        edited.orderItem.orderNumber = quantity.value_or(edited.orderItem.orderNumber);
        f.cart()->editOrderDone(f.vars.value("seq" + which).toString("gone"), edited);
    });
}
const Step queryClosure = does("queryClosure", [](Flow &f) { f.cart()->orderQueryClosure(); });
const Step orderDone = does("orderDone", [](Flow &f) { f.cart()->orderDone(); }); // the cart's 下單
const Step closeCart = does("closeCart", [](Flow &f) { f.slide()->closeRight(); });

// Moving between screens.
const Step reopen = does("reopen", [](Flow &f) { f.choose->normalOrderAction(); }); // the customer pick list
const Step choose = does("choose", [](Flow &f) { f.openChoose(); });                // 訂單創建 again
const Step leave = does("leave", [](Flow &f) { f.contract()->closeAction(); });
const Step next = until("next", [](Flow &f) { // the header's 下一步: the item page, once its price list is in
    f.header()->nextAction();
    settle();
    return !f.items() || waitFor([&] { return !f.items()->itemsArray().isEmpty() && !f.ui.isSpinnerShowing(); });
});
const Step back =
    until("back", [](Flow &f) { return f.slide() ? f.contractStack()->pop(false) : f.nav->pop(false); });
const Step appear =
    until("appear", [](Flow &f) { // the screen appears again; the contract screen asks again, and fails
        if (!f.slide())
            return f.header()->viewWillAppear(false), true;
        f.contract()->viewDidAppear(false);
        return waitFor([&] { return f.ui.hasOpenAlert(); });
    });
const Step await = until("await", [](Flow &f) {
    return waitFor([&] { return !f.contract()->filterContractsArray().isEmpty(); });
});

// The header page, the item page and the line editor.
Step remark(const QString &text) // typed (refusals dropped), as the field then holds it
{
    return {"remark=" + text, [=](Flow &f, QJsonObject &o) {
                f.openEditor() ? f.openEditor()->editTransNameRemark() : f.header()->transTypeRemarkAction();
                f.ui.typeIntoAlertField(0, text);
                o["field"] = f.ui.alertFieldText(0);
                return f.ui.pressAlertButton("確定");
            }};
}
// The header's row `key` (transType, inco1) set to the picker's row `row`; inco1 also in the editor and in
// the contract entry.
Step pickRow(const QString &key, int row)
{
    return until(key + '=' + num(row), [=](Flow &f) {
        if (f.openEditor() || f.entry())
            return (f.openEditor() ? f.openEditor()->editBezei() : f.entry()->inco1Action()), f.pickRow(row);
        key == "inco1" ? f.header()->inco1Action() : f.header()->transTypeAction();
        return f.pickRow(row) && QTest::qWaitFor([&] { return !f.header()->row(key)->subTitle.isEmpty(); });
    });
}
Step edit(float price, float quantity, int pages, double maximum) // the editor opened on such a line
{
    return until(QStringLiteral("edit=%1/%2/%3/%4").arg(num(price), num(quantity), num(pages), num(maximum)),
                 [=](Flow &f) {
                     Order order = line(price, quantity, pages, maximum);
                     order.contract2.maktx = "合約物料";
                     f.edit = f.storyboard.instantiate<EditOrderViewController>(Scene::EditOrder);
                     if (!f.edit)
                         return false;
                     f.edit->setOrder(order);
                     (f.slide() ? static_cast<Screen *>(f.slide()) : f.choose.data())
                         ->present(new ZelkNavigationController(f.edit), false);
                     f.saved =
                         std::make_unique<QSignalSpy>(f.edit.data(), &EditOrderViewController::editOrderDone);
                     return true;
                 });
}
const Step cancel = {"cancel", [](Flow &f, QJsonObject &o) { // the editor closed: nothing handed back
                         f.openEditor()->close();
                         return (o["saved"] = int(f.saved->size())), true;
                     }};
Step material(const QString &search, int row)
{
    return until("material=" + search + '/' + num(row), [=](Flow &f) {
        if (!f.items())
            return false;
        f.items()->selectItemsAction();
        settle();
        SelectDataViewController *pick = f.items()->selectDataViewController();
        if (!pick || pick->searchPlaceholder() != "輸入物料編號 or 物料名稱")
            return false;
        pick->searchTextChangedByUser(search);
        pick->didSelectRow(row);
        return true;
    });
}
Step price(const QString &typed) // the entry (opened unless still open), then `typed` entered
{
    return {"price=" + typed, [=](Flow &f, QJsonObject &o) {
                EditOrderViewController *edit = f.openEditor();
                Screen *host = edit ? static_cast<Screen *>(edit->navigationController()) : f.items();
                if (host && !host->presentedScreen())
                    edit ? edit->editKbetr() : f.items()->enterPriceAction();
                settle();
                auto *entry =
                    host ? qobject_cast<EnterNewAmountViewController *>(host->presentedScreen()) : nullptr;
                if (!entry)
                    return false;
                o["entry"] = QJsonArray{entry->messageText(), entry->newAmountText()};
                entry->setNewAmountText(typed);
                return entry->enterNewAmountAction(), true;
            }};
}
Step quantity(const QString &typed) // the field as opened, then `typed` typed (refusals dropped)
{
    return {"quantity=" + typed, [=](Flow &f, QJsonObject &o) {
                if (!f.openEditor() && !f.items())
                    return false;
                f.openEditor() ? f.openEditor()->editOrderNumber() : f.items()->enterAmountAction();
                o["field"] = f.ui.alertFieldText(0);
                const bool emptied = f.ui.replaceAlertFieldText(0, QString());
                f.ui.typeIntoAlertField(0, typed);
                return emptied && f.ui.pressAlertButton("確定");
            }};
}
Step copies(int n) // the picker's rows and first row shown, then `n` copies
{
    return {
        "copies=" + num(n), [=](Flow &f, QJsonObject &o) {
            if (!f.openEditor() && !f.items())
                return false;
            f.openEditor() ? f.openEditor()->copyOrderAction() : f.items()->copyOrderAction();
            o["choices"] = QJsonArray{int(f.ui.currentPicker().rows.size()), f.ui.currentPicker().initialRow};
            return f.pickRow(n - 1);
        }};
}
const Step order = until("order", [](Flow &f) {
    return f.items() && (f.items()->orderAction(),
                         f.vars["orderSeq"] = f.context->draft().lines().value(0).orderSeq, true);
});

// The contract screens.
Step open(int row) // a contract's materials
{
    return until("open=" + num(row), [=](Flow &f) {
        f.contract()->selectRow(row);
        settle();
        auto *materials = qobject_cast<ItemsViewController *>(f.contractStack()->topViewController());
        return materials &&
               waitFor([&] { return !materials->itemsArray().isEmpty() && !f.ui.isSpinnerShowing(); });
    });
}
Step entry(int row) // material `row`'s quantity entry, with the first car/ship kind
{
    return until("entry=" + num(row), [=](Flow &f) {
        qobject_cast<ItemsViewController *>(f.contractStack()->topViewController())->selectRow(row);
        settle();
        return f.entry() && (f.entry()->orderTypeAction(), f.pickRow(0));
    });
}
// Entered and added to the cart. The materials screen, appearing again as a line is added and then popped,
// leaves the spinner of its query turning: that one is not waited for.
Step amount(const QString &typed)
{
    return until("amount=" + typed, [=](Flow &f) {
        return f.entry() &&
               (f.entry()->setItemAmtText(typed), f.entry()->addToCartAction(), f.keepsSpinner = true);
    });
}
const Step dismiss = until("dismiss", [](Flow &f) { return f.entry() && (f.entry()->dismiss(false), true); });

// The confirmation.
const Step confirm = until("confirm", [](Flow &f) {
    f.confirm()->orderAction();
    if (!waitFor([&] {
            return settle(), !f.ui.isSpinnerShowing() && f.confirm()->buttonIds().contains("closeButton");
        }))
        return false;
    f.vars["copySeq"] = f.confirm()->tableArray().value(1).orderSeq;
    f.vars["orderNo"] = f.confirm()->tableArray().value(1).sapOrderNo;
    return true;
});
// The confirmation closes with failed lines, the cart holding the order with `pages` copies left: whether
// the item page told its view that its rows changed.
Step closedWithCopiesLeft(int pages)
{
    return {"closedWithCopiesLeft=" + num(pages), [=](Flow &f, QJsonObject &o) {
                Order left = f.context->draft().lines().value(0);
                left.orderPage = pages;
                f.context->draft().setLines({left});
                QSignalSpy redrawn(f.items(), &OrderPage2ViewController::rowsChanged);
                emit f.confirm()->successClosure(true, true, false);
                return (o["redrawn"] = !redrawn.isEmpty()), true;
            }};
}
// 訂單查詢: the order query in place of the order's screens, showing the new order.
const Step query = {"query", [](Flow &f, QJsonObject &o) {
                        f.confirm()->orderQueryAction();
                        settle();
                        auto *history = qobject_cast<OrderHistoryViewController *>(f.top());
                        o["depth"] = f.nav->depth();
                        return history && waitFor([&] {
                                   const QList<OrderHistroy> rows = history->tableArray();
                                   return std::any_of(rows.cbegin(), rows.cend(), [&](const OrderHistroy &r) {
                                       return r.vbeln == f.vars["orderNo"].toString();
                                   });
                               });
                    }};

// Takes the steps one by one and journals what each leaves: what it read, the screens when they changed
// and an open alert. The journal is compared once with tests/data/order/flow/<case>.json.
void take(const Steps &steps)
{
    const DefaultLocale locale;
    Flow f;
    f.vars["today"] = QLocale::c().toString(QDate::currentDate(), QStringLiteral("yyyy/MM/dd"));
    QJsonArray journal;
    QString screen;
    int leftSpinner = -1, seqs = 0;
    for (const Step &step : steps) {
        QJsonObject o{{"step", step.label}};
        QVERIFY2(step.act(f, o), qPrintable("could not take " + step.label));
        // Settled: the answers a step asked for are in.
        QVERIFY(QTest::qWaitFor(
            [&] {
                settle();
                if (f.keepsSpinner)
                    leftSpinner = f.ui.spinnerShowCount();
                return (!f.ui.isSpinnerShowing() || f.ui.spinnerShowCount() == leftSpinner) &&
                       (!f.confirm() || !f.confirm()->tableArray().isEmpty());
            },
            10000));
        f.keepsSpinner = false;
        // Each identity the cart holds, as it came: "$seq1", ...
        for (const Order &l : f.context->draft().lines())
            if (!f.vars.toVariantMap().values().contains(l.orderSeq))
                f.vars["seq" + QString::number(++seqs)] = l.orderSeq;
        if (step.label.isEmpty())
            continue;
        if (f.navigator.describe() != screen)
            o["screen"] = screen = f.navigator.describe();
        if (f.ui.hasOpenAlert())
            o["alert"] =
                QJsonArray{f.ui.currentAlertTitle(),
                           f.ui.currentAlertMessage().isNull() ? QJsonValue() : f.ui.currentAlertMessage()} +
                QJsonArray::fromStringList(f.ui.currentAlertButtons());
        journal << o;
    }
    const QString fixture = "order/flow/" + QString::fromUtf8(QTest::currentDataTag());
    ZELK_COMPARE_FIXTURE(journal, fixture, f.vars);
    if (qEnvironmentVariableIntValue("ZELK_RECORD_FIXTURES"))
        oneStepPerLine(fixture);
}

} // namespace

Q_DECLARE_METATYPE(Steps)

class OrderFlowTest : public QObject
{
    Q_OBJECT
private slots:
    void orderSteps_data()
    {
        using F = Flow;
        QTest::addColumn<Steps>("steps");
        QTest::newRow("normalTwoCopies")
            << Steps{normal("永大", 1), calls("clientList"), see(F::Header),
                     request("ZSD_GET_TVSTZ", "order/shippingPointQuery"), next, press("確定"), see(F::Header),
                     remark("早上八點前送達"), pickRow("transType", 0), pickRow("inco1", 2), next, see(F::Header),
                     request("ZSD_GET_MATNR_PRICE", "order/priceQuery"), material("散裝(噸)", 2), see(F::Items),
                     price("2900"), quantity("12.5"), see(F::Items), copies(2), see(F::Items), see(F::Header), order,
                     see(F::Confirm), confirm, see(F::Confirm), calls("ZSD_CREATE_EIP_ORDER2"),
                     request("ZSD_CREATE_EIP_ORDER2", "order/normalTwoCopies"), query};
        // The item page of a normal order for 0000100101, the customer's credit and order value as given.
        const auto itemPage = [](std::optional<double> creditValue, std::optional<double> orderValue) {
            Steps steps{normal("0000100101", 0), pickRow("transType", 0), pickRow("inco1", 0), next,
                        material("10000102", 0)};
            if (creditValue)
                steps << credit(*creditValue);
            if (orderValue)
                steps << ordered(*orderValue);
            return steps;
        };
        QTest::newRow("normalAnotherMaterial")
            << itemPage(1000000000, {}) + Steps{quantity("12.125"), material("10000110", 0), see(F::Items),
                                                see(F::Header), credit(1700), material("10000115", 0), press("確定"),
                                                see(F::Items), see(F::Header), back, next, see(F::Items)};
        QTest::newRow("normalShippingPoint")
            << Steps{normal("0000100112", 0), press("確定"), normal("0000100110", 0), see(F::Header),
                     calls("ZSD_GET_TVSTZ"), appear, calls("ZSD_GET_TVSTZ"), back, reopen, see(F::PickList)};
        QTest::newRow("normalCreditAgainstCopies")
            << itemPage({}, {}) + Steps{copies(3), credit(16335), ordered(0), quantity("34"), press("確定"),
                                        see(F::Items), quantity("33"), see(F::Items), quantity("34"), press("確定"),
                                        see(F::Items), see(F::Header), ordered(2722.5), copies(1), see(F::Header),
                                        copies(3), press("確定"), see(F::Items), see(F::Header)};
        QTest::newRow("normalQuantityTyped")
            << itemPage(1000000, 0) + Steps{quantity("12.1255."), see(F::Items), see(F::Header), quantity("."),
                                            press("確定"), see(F::Items)};
        QTest::newRow("normalCopiesLeft")
            << itemPage(1000000, 0) + Steps{quantity("10"), copies(3), see(F::Items), order, closedWithCopiesLeft(1), see(F::Items)};
        QTest::newRow("normalPriceEntry")
            << itemPage(1000000, 0) + Steps{quantity("12.125"), price("164.99"), press("確定"), price("0"),
                                            press("確定"), price("165.0"), see(F::Header), credit(2000.625),
                                            price("166"), press("確定"), see(F::Header)};
        QTest::newRow("contractTwoLines")
            << Steps{locale("ar_EG"), contract("0000100101"), locale("C"),
                     request("ZSD_GET_CUST_CONTRACT2", "order/contractListQuery"), see(F::Contract), open(0),
                     request("ZSD_GET_CUST_CONTRACT1"), see(F::Materials), back, open(0), entry(0), amount("10"),
                     closeCart, open(0), entry(0), amount("4"), see(F::Draft), orderDone, fire, confirm,
                     request("ZSD_CREATE_EIP_ORDER2", "order/contractTwoLines")};
        QTest::newRow("contractUnknownFate")
            << Steps{sentUnknown("0000100101"), choose, press("捨棄"), press("取消"), see(F::Draft), press("繼續"),
                     see(F::Cart), leave, press("離開"), see(F::Draft)};
        // The line editor on a line of 100 × 10 (at most 50), the customer's credit and order value as given.
        const auto editor = [](double creditValue, double orderValue) {
            return Steps{credit(creditValue), ordered(orderValue), edit(100, 10, 1, 50)};
        };
        QTest::newRow("editQuantityLimits")
            << editor(9999, 1000) + Steps{quantity("0"), press("確定"), quantity(""), press("確定"),
                                          quantity("50.001"), press("確定"), quantity("50"), see(F::Edit), cancel};
        QTest::newRow("editRaisedPastTheLimit")
            << editor(1250, 1000) + Steps{quantity("12.5"), price("120"), press("確定"), copies(2), press("確定"),
                                          see(F::Edit)};
        QTest::newRow("editACentMore")
            << editor(1250, 1000) + Steps{quantity("12.5"), price("100.01"), press("確定"), see(F::Edit)};
        QTest::newRow("editAfterADecrease")
            << editor(1000, 1000) + Steps{quantity("5"), copies(2), price("101"), press("確定"), see(F::Edit)};
        QTest::newRow("editQuantityPast")
            << editor(2400, 1000) + Steps{price("120"), copies(2), quantity("11"), press("確定"), see(F::Edit)};
        QTest::newRow("editRows") << Steps{contract("0000100101"), edit(350, 12, 1, 100), see(F::Edit),
                                           remark("0123456789ABCDEF"), pickRow("inco1", 1), see(F::Edit)};
        QTest::newRow("contractQuantityEntry")
            << Steps{answer("ZSD_GET_CUST_CONTRACT1",
                            R"({"returnCode": "00", "returnMsg": "", "custContract1List": [{"matnr": "10000116",
                                "maktx": "袋裝水泥", "zmeng": "120", "kbetr": 850, "inco1": "EXW", "inco2": "000"}]})"),
                     contract("0000100101"), open(0), see(F::Materials), entry(0), amount("1"), press("確定"),
                     amount("0"), press("確定"), amount(""), press("確定"), dismiss, back, open(0), entry(0),
                     pickRow("inco1", 1), see(F::Entry), amount("2"), see(F::Draft)};
        // The credit, or the contract list, fails on the first call and again when the screen appears.
        const auto failing = [](const QString &operation) {
            return Steps{fail(operation), contract("0000100101"), press("重試"), await, fail(operation), credit(0),
                         appear, press("確定")};
        };
        QTest::newRow("contractCreditFails") << failing("ZBAPI_GET_CUSTOMER_CREDIT");
        QTest::newRow("contractListFails") << failing("ZSD_GET_CUST_CONTRACT2");
        QTest::newRow("cartTwoLines") << Steps{cart({{12.5, 2, 1}, {100, 1, 2}}), see(F::Cart), orderDone};
        QTest::newRow("cartEmpty") << Steps{cart({}), see(F::Cart), orderDone};
        QTest::newRow("cartChangedUnderThePanel")
            << Steps{cart({{1, 1, 1}, {2, 2, 1}, {3, 3, 1}}), removeLine(1), deleteLine(3), see(F::Draft),
                     see(F::Cart), keep(3), editDone(2), see(F::Draft), editDone(2, 7), see(F::Draft), see(F::Cart),
                     editDone(0, 7), see(F::Draft)};
        // The ways out of the confirmation over a cart of two lines, with as many left as its answer leaves.
        const auto leaving = [](int left, const Step &closed, Flow::Page shown) {
            return Steps{cart({{10, 1, 1}, {20, 1, 1}}), closeCart, keep(left), closed, see(shown)};
        };
        QTest::newRow("leaveCancelledBeforeSending") << leaving(2, closure(false, false, false), F::Cart);
        QTest::newRow("leaveFailedLinesToEdit") << leaving(1, closure(true, true, false), F::Cart);
        QTest::newRow("leaveAllOrderedBarCancel") << leaving(0, closure(false, false, false), F::Cart);
        QTest::newRow("leaveAllOrderedClose") << leaving(0, closure(false, false, true), F::Stack);
        QTest::newRow("leaveToOrderQuery") << leaving(1, queryClosure, F::Stack);
        // The contract list as answered: a contract of several materials once, none, and no list at all.
        const auto listed = [](const char *body) {
            return Steps{answer("ZSD_GET_CUST_CONTRACT2", body), contract("0000100101"), see(F::Contract)};
        };
        QTest::newRow("contractListOnceEach")
            << listed(R"({"returnCode": "00", "returnMsg": "", "custContract2List": [
                {"vbeln": "A", "auart": "ZCQ", "matnr": "1"}, {"vbeln": "B", "auart": "ZQX", "matnr": "9"},
                {"vbeln": "A", "auart": "ZCQ", "matnr": "2"}, {"vbeln": "A", "auart": "ZCQ", "matnr": "3"}]})");
        QTest::newRow("contractListEmpty") << listed(R"({"returnCode": "00", "returnMsg": "", "custContract2List": []})");
        QTest::newRow("contractListMissing") << listed(R"({"returnCode": "00", "returnMsg": ""})");
    }
    // Orders placed step by step, each step's journal compared with the case's fixture.
    void orderSteps()
    {
        QFETCH(Steps, steps);
        take(steps);
    }
};

ZELK_TEST(OrderFlowTest)
#include "OrderFlowTest.moc"
