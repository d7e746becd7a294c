#include "order/OrderPage1ViewController.h"

#include "model/AppContext.h"
#include "order/CustomerCredit.h"
#include "order/NumericField.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/Storyboard.h"
#include "ui/Ui.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

#include <utility>

namespace {

constexpr int kRemarkLimit = 15;

// The values of the header rows, computed from a snapshot of the order and the stored lists.
struct HeaderRowValues {
    QString orderType;
    QString transType;
    QString transTypeRemark;
    QString inco1;
    QString tvstz;
};

HeaderRowValues computeHeaderRows(const Order &order, const QList<OrderType> &orderTypes,
                                  const QList<Inco1> &inco1s, const QList<Tvstz> &tvstzs)
{
    HeaderRowValues values;
    for (const OrderType &type : orderTypes) {
        if (type.otCode == order.contract2.auarth) {
            values.orderType = type.otName;
            break;
        }
    }
    values.transType = order.transport.transName;
    values.transTypeRemark = order.transportRemark;
    for (const Inco1 &inco1 : inco1s) {
        if (inco1.inco1 == order.inco1.inco1) {
            values.inco1 = inco1.bezei;
            break;
        }
    }
    for (const Tvstz &tvstz : tvstzs) {
        if (tvstz.tvstzId == order.orderItem.vstel) {
            values.tvstz = tvstz.tvstzName;
            break;
        }
    }
    return values;
}

} // namespace

OrderPage1ViewController::OrderPage1ViewController(QObject *parent)
    : Screen(parent),
      m_rows({{"key", [](const OrderTableStruct &r) { return QVariant(r.key); }},
              {"name", [](const OrderTableStruct &r) { return QVariant(r.name); }},
              {"detail", [](const OrderTableStruct &r) { return QVariant(r.detailText()); }},
              {"selectable", [](const OrderTableStruct &r) { return QVariant(r.editType != EditType::none); }},
              {"hasAction", [](const OrderTableStruct &r) { return QVariant(r.action != nullptr); }}},
             this)
{
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "一般訂單")));
}

QString OrderPage1ViewController::creditsText() const
{
    AppContext *ctx = context();
    return localized(QT_TRANSLATE_NOOP("Zelk", "信用額度:"))
           + (m_showsCredit && ctx ? ctx->customerStruct().creditText() : QString());
}

const Order &OrderPage1ViewController::order() const
{
    static const Order none;
    AppContext *ctx = context();
    return ctx ? ctx->draft().order() : none;
}

bool OrderPage1ViewController::headerComplete(const Order &order)
{
    return !order.contract2.auarth.isEmpty() && !order.transport.transName.isEmpty()
           && !order.inco1.inco1.isEmpty() && !order.orderItem.vstel.isEmpty();
}

void OrderPage1ViewController::setOrder(const Order &order)
{
    if (AppContext *ctx = context())
        ctx->draft().setOrder(order);
    emit orderChanged();
}

void OrderPage1ViewController::storeOrder(const Order &order)
{
    if (AppContext *ctx = context())
        ctx->draft().editOrder(order);
    emit orderChanged();
}

const OrderTableStruct *OrderPage1ViewController::row(const QString &key) const
{
    for (const OrderTableStruct &r : m_tableViewArray) {
        if (r.key == key)
            return &r;
    }
    return nullptr;
}

OrderTableStruct *OrderPage1ViewController::mutableRow(const QString &key)
{
    for (OrderTableStruct &r : m_tableViewArray) {
        if (r.key == key)
            return &r;
    }
    return nullptr;
}

QString OrderPage1ViewController::customNameText() const
{
    AppContext *ctx = context();
    const QString name = ctx ? ctx->customerStruct().customer().name1 : QString();
    return name.isEmpty() ? QString() : localized(QT_TRANSLATE_NOOP("Zelk", "客戶:")) + name;
}

void OrderPage1ViewController::viewDidLoad()
{
    AppContext *ctx = context();
    if (!ctx)
        return;
    const OrderCustomer customer = ctx->customerStruct().customer();
    // Header defaults, each through the setter.
    Order order = this->order();
    order.contract2.vkorg = customer.vkorg;
    setOrder(order);
    order.orderItem.werks = customer.vkorg;
    setOrder(order);
    order.orderItem.bzirk = customer.bzirk;
    setOrder(order);
    order.orderItem.zterm = QStringLiteral("0001");
    setOrder(order);
    order.inco2.inco2 = QStringLiteral("000");
    setOrder(order);

    if (!std::exchange(m_showsCredit, true))
        connect(&ctx->customerStruct(), &CustomerStruct::creditTextChanged, this,
                &OrderPage1ViewController::creditsTextChanged);
    ctx->customerStruct().showCreditText();
    emit creditsTextChanged();
    emit customNameTextChanged();
    buildRows();

    withLists({QStringLiteral("orderTypeList")}, [this] { applyOrderTypes(); });
    // A resumed order has its shipping point already: its row shows without asking again.
    if (isHeaderPage() && !order.orderItem.vstel.isEmpty()) {
        const QString vstel = order.orderItem.vstel;
        withLists({QStringLiteral("getTvstzList")}, [this, vstel] { showShippingPoint(vstel); });
    }
}

void OrderPage1ViewController::applyOrderTypes()
{
    AppContext *ctx = context();
    m_orderTypeArray.clear();
    for (const OrderType &type : ctx->lists().orderTypeList().value_or(QList<OrderType>())) {
        if (type.orderType == QLatin1String("1"))
            m_orderTypeArray.append(type);
    }
    if (isHeaderPage() && m_orderTypeArray.isEmpty()) {
        noOrderTypeAlert();
        return;
    }
    // The first type becomes the order's when it has none yet (a resumed order keeps its own).
    if (row(QStringLiteral("orderType")) && editedOrder().contract2.auarth.isEmpty() && !m_orderTypeArray.isEmpty()) {
        const OrderType &first = m_orderTypeArray.first();
        Order edited = editedOrder();
        edited.contract2.auart = first.otCode;
        edited.contract2.auarth = first.otCode;
        edited.contract2.otName = first.otName;
        storeOrder(edited);
    }
    refreshRows();
}

void OrderPage1ViewController::noOrderTypeAlert()
{
    // Every line of an order without an order type would be refused: the page cannot go on.
    alertThenLeave(localized(QT_TRANSLATE_NOOP("Zelk", "沒有可用的訂單類型")), QString());
}

void OrderPage1ViewController::buildRows()
{
    AppContext *ctx = context();
    const QString seller = ctx ? ctx->userInfo().bukrsName.value_or(QString()) : QString();
    m_tableViewArray = {
        {QStringLiteral("orderType"), localized(QT_TRANSLATE_NOOP("Zelk", "訂單類型")), QString(), EditType::none, nullptr},
        {QStringLiteral("seller"), localized(QT_TRANSLATE_NOOP("Zelk", "銷售機構")), seller, EditType::none, nullptr},
        {QStringLiteral("transType"), localized(QT_TRANSLATE_NOOP("Zelk", "車船別")), QString(), EditType::choice,
         &OrderPage1ViewController::transTypeAction},
        {QStringLiteral("transTypeRemark"), localized(QT_TRANSLATE_NOOP("Zelk", "車船別(備註)")), QString(),
         EditType::enterOptional, &OrderPage1ViewController::transTypeRemarkAction},
        {QStringLiteral("inco1"), localized(QT_TRANSLATE_NOOP("Zelk", "交貨方式")), QString(), EditType::choice,
         &OrderPage1ViewController::inco1Action},
    };
    reloadRows();
}

void OrderPage1ViewController::refreshRows()
{
    AppContext *ctx = context();
    if (!ctx)
        return;
    // A row has a value only when it was chosen from its list, so the lists are there: never fetched here.
    const Order order = editedOrder();
    const QList<OrderType> orderTypes = ctx->lists().orderTypeList().value_or(QList<OrderType>());
    const QList<Inco1> inco1s = ctx->lists().inco1List().value_or(QList<Inco1>());
    const QList<Tvstz> tvstzs = ctx->lists().tvstzList().value_or(QList<Tvstz>());
    const int generation = ++m_refreshGeneration;

    auto *watcher = new QFutureWatcher<HeaderRowValues>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation] {
        watcher->deleteLater();
        // Only the newest computation is applied: an older one may finish later.
        if (generation != m_refreshGeneration)
            return;
        const HeaderRowValues values = watcher->result();
        const QList<QPair<QString, QString>> updates{{QStringLiteral("orderType"), values.orderType},
                                                     {QStringLiteral("transType"), values.transType},
                                                     {QStringLiteral("transTypeRemark"), values.transTypeRemark},
                                                     {QStringLiteral("inco1"), values.inco1},
                                                     {QStringLiteral("tvstz"), values.tvstz}};
        for (const auto &[key, value] : updates) {
            if (OrderTableStruct *r = mutableRow(key))
                r->subTitle = value;
        }
        ++m_rowsRevision;
        reloadRows();
    });
    watcher->setFuture(QtConcurrent::run(computeHeaderRows, order, orderTypes, inco1s, tvstzs));
}

void OrderPage1ViewController::reloadRows()
{
    m_rows.setRows(m_tableViewArray);
    emit rowsChanged();
}

void OrderPage1ViewController::selectRow(int section, int row)
{
    if (section != 0 || row < 0 || row >= m_tableViewArray.size())
        return;
    const OrderTableStruct &r = m_tableViewArray.at(row);
    // Rows that cannot be edited cannot be selected on the header page.
    if (r.editType == EditType::none || !r.action)
        return;
    (this->*r.action)();
}

void OrderPage1ViewController::viewWillAppear(bool animated)
{
    Screen::viewWillAppear(animated);
    AppContext *ctx = context();
    if (!ctx)
        return;
    if (ctx->customerStruct().creditValue() == 0)
        queryCredit();
    if (isHeaderPage() && order().orderItem.vstel.isEmpty())
        queryShippingPoint();
}

void OrderPage1ViewController::queryCredit()
{
    AppContext *ctx = context();
    if (Ui *u = ui())
        u->showSpinner(this);
    CustomerCredit::getCustomerCredit(*ctx, this, [this](float, const ApiStatus &status, const QString &) {
        if (Ui *u = ui())
            u->dismissSpinner();
        if (!status.isSuccess)
            alertThenLeave(localized(QT_TRANSLATE_NOOP("Zelk", "無法取得信用額度")), status.message);
    });
}

void OrderPage1ViewController::alertThenLeave(const QString &title, const QString &message)
{
    Alert alert;
    alert.context = this;
    alert.title = title;
    alert.message = message;
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Default, [this] { leavePage(); });
    if (Ui *u = ui())
        u->showAlert(alert);
}

void OrderPage1ViewController::queryShippingPoint()
{
    AppContext *ctx = context();
    const OrderCustomer &customer = ctx->customerStruct().customer();
    ctx->operations().shippingPoint(ctx->signedInUserId(), customer.kunnr, customer.vkorg, this,
                                    [this](const ApiStatus &status) { shippingPointReply(status); });
}

void OrderPage1ViewController::shippingPointReply(const ApiStatus &status)
{
    bool found = false;
    if (status.isSuccess && status.returnJson) {
        const QJsonObject tvstz = status.returnJson->object().value(QStringLiteral("tvstz")).toObject();
        const QJsonValue vstelValue = tvstz.value(QStringLiteral("vstel"));
        const QJsonValue routeValue = tvstz.value(QStringLiteral("route"));
        if (vstelValue.isString() && routeValue.isString()) {
            found = true;
            const QString vstel = vstelValue.toString();
            Order order = this->order();
            order.orderItem.vstel = vstel;
            setOrder(order);
            order.orderItem.route = routeValue.toString();
            setOrder(order);
            withLists({QStringLiteral("getTvstzList")}, [this, vstel] { showShippingPoint(vstel); });
        }
    }
    if (!found)
        alertThenLeave(localized(QT_TRANSLATE_NOOP("Zelk", "無法取得裝運點")), status.message);
}

void OrderPage1ViewController::showShippingPoint(const QString &vstel)
{
    AppContext *ctx = context();
    for (const Tvstz &point : ctx->lists().tvstzList().value_or(QList<Tvstz>())) {
        if (point.tvstzId != vstel)
            continue;
        if (OrderTableStruct *existing = mutableRow(QStringLiteral("tvstz")))
            existing->subTitle = point.tvstzName;
        else
            m_tableViewArray.append({QStringLiteral("tvstz"), localized(QT_TRANSLATE_NOOP("Zelk", "裝運點")),
                                     point.tvstzName, EditType::choice, &OrderPage1ViewController::tvstzAction});
        reloadRows();
        // A computation still running from the record without the point must not empty the row again.
        refreshRows();
        return;
    }
}

void OrderPage1ViewController::orderTypeAction()
{
    QStringList names;
    for (const OrderType &type : std::as_const(m_orderTypeArray))
        names << type.otName;
    const OrderTableStruct *r = row(QStringLiteral("orderType"));
    showListPicker(localized(QT_TRANSLATE_NOOP("Zelk", "選擇訂單類型")), names, r ? r->subTitle : QString(), [this](int index) {
        if (index < 0 || index >= m_orderTypeArray.size())
            return;
        const OrderType type = m_orderTypeArray.at(index);
        Order order = editedOrder();
        order.contract2.auart = type.otCode;
        order.contract2.auarth = type.otCode;
        order.contract2.otName = type.otName;
        storeOrder(order);
        refreshRows();
    });
}

template <class Record, class Name, class Apply>
void OrderPage1ViewController::pickRecord(const QString &title, const QString &rowKey, const QString &kind,
                                          std::optional<QList<Record>> (ListStore::*reader)(), Name name,
                                          Apply apply)
{
    withLists({kind}, [=, this] {
        AppContext *ctx = context();
        const QList<Record> list = (ctx->lists().*reader)().value_or(QList<Record>());
        QStringList names;
        for (const Record &record : list)
            names << name(record);
        const OrderTableStruct *r = row(rowKey);
        showListPicker(title, names, r ? r->subTitle : QString(), [this, list, apply](int index) {
            if (index < 0 || index >= list.size())
                return;
            Order order = editedOrder();
            apply(order, list.at(index));
            storeOrder(order);
            refreshRows();
        });
    });
}

void OrderPage1ViewController::transTypeAction()
{
    pickRecord(localized(QT_TRANSLATE_NOOP("Zelk", "選擇車船別")), QStringLiteral("transType"),
               QStringLiteral("transportList"), &ListStore::transportList, [](const Transport &kind) { return kind.transName; },
               [](Order &order, const Transport &kind) { order.transport = kind; });
}

void OrderPage1ViewController::inco1Action()
{
    pickRecord(localized(QT_TRANSLATE_NOOP("Zelk", "選擇交貨方式")), QStringLiteral("inco1"), QStringLiteral("inco1List"),
               &ListStore::inco1List, [](const Inco1 &method) { return method.bezei; },
               [](Order &order, const Inco1 &method) { order.inco1 = method; });
}

void OrderPage1ViewController::tvstzAction()
{
    pickRecord(localized(QT_TRANSLATE_NOOP("Zelk", "選擇裝運點")), QStringLiteral("tvstz"), QStringLiteral("getTvstzList"),
               &ListStore::tvstzList, [](const Tvstz &point) { return point.tvstzName; },
               [](Order &order, const Tvstz &point) { order.orderItem.vstel = point.tvstzId; });
}

void OrderPage1ViewController::transTypeRemarkAction()
{
    Ui *u = ui();
    if (!u)
        return;
    Alert alert;
    alert.context = this;
    alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "請輸入車船別備註"));
    AlertTextField field;
    field.text = editedOrder().transportRemark;
    field.placeholder = localizedFormat(QT_TRANSLATE_NOOP("Zelk", "限制%@個字"), {QStringLiteral("15")});
    field.filter = [](const QString &current, const TextEdit &edit) {
        return lengthLimitAccepts(current, edit, kRemarkLimit);
    };
    alert.addField(field);
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "取消")), AlertButton::Style::Cancel);
    alert.addButton(AlertButton::withFields(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Default,
                                            [this](const QStringList &texts) {
                                                Order order = editedOrder();
                                                order.transportRemark = texts.value(0);
                                                storeOrder(order);
                                                refreshRows();
                                            }));
    u->showAlert(alert);
}

void OrderPage1ViewController::nextAction()
{
    if (m_orderTypeArray.isEmpty()) {
        noOrderTypeAlert();
        return;
    }
    for (const OrderTableStruct &r : std::as_const(m_tableViewArray)) {
        if (r.isMissing()) {
            alertWithTitle(localized(QT_TRANSLATE_NOOP("Zelk", "請輸入完整資訊")));
            return;
        }
    }
    showItems();
}

void OrderPage1ViewController::closeViewAction()
{
    leavePage();
}

void OrderPage1ViewController::leavePage()
{
    NavigationController *nav = navigationController();
    if (!nav)
        return;
    const QList<Screen *> stack = nav->viewControllers();
    const qsizetype index = stack.indexOf(this);
    if (index > 0)
        nav->popTo(stack.at(index - 1), true);
}

void OrderPage1ViewController::showItems()
{
    Storyboard *board = storyboard();
    NavigationController *nav = navigationController();
    if (!board || !nav)
        return;
    Screen *destination = board->instantiate(Scene::OrderPage2);
    if (!destination)
        return;
    nav->push(destination, true);
}
