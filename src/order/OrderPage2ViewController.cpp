#include "order/OrderPage2ViewController.h"

#include "model/AppContext.h"
#include "model/NumberText.h"
#include "order/CustomerCredit.h"
#include "order/EnterNewAmountViewController.h"
#include "order/NumericField.h"
#include "order/OrderConfirmViewController.h"
#include "order/OrderEntryRules.h"
#include "picklist/SelectDataSearch.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/Storyboard.h"
#include "ui/TabBarController.h"
#include "ui/Ui.h"

#include <limits>

OrderPage2ViewController::OrderPage2ViewController(QObject *parent) : OrderPage1ViewController(parent)
{
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "一般訂單")));
}

namespace {
// The item page's actions as row actions (the item page is a header page).
OrderRowAction rowAction(void (OrderPage2ViewController::*action)())
{
    return static_cast<OrderRowAction>(action);
}
} // namespace

void OrderPage2ViewController::buildRows()
{
    m_tableViewArray = {
        {QStringLiteral("itemNo"), localized(QT_TRANSLATE_NOOP("Zelk", "物料編號")), QString(), EditType::choice,
         rowAction(&OrderPage2ViewController::selectItemsAction)},
        {QStringLiteral("itemName"), localized(QT_TRANSLATE_NOOP("Zelk", "品項")), QString(), EditType::choice,
         rowAction(&OrderPage2ViewController::selectItemsAction)},
        {QStringLiteral("itemPrice"), localized(QT_TRANSLATE_NOOP("Zelk", "單位價錢(含稅)")), QString(), EditType::none,
         rowAction(&OrderPage2ViewController::enterPriceAction)},
        {QStringLiteral("orderNumber"), localized(QT_TRANSLATE_NOOP("Zelk", "下單數量")), QString(), EditType::enter,
         rowAction(&OrderPage2ViewController::enterAmountAction)},
        {QStringLiteral("allPrice"), localized(QT_TRANSLATE_NOOP("Zelk", "合計")), QString(), EditType::none, nullptr},
    };
    // Coming back to the item page shows what the order already holds.
    showOrderValues();
    reloadRows();
}

QString OrderPage2ViewController::copyCountText() const
{
    const int pages = orderPage();
    if (pages <= 1)
        return QString();
    return localized(QT_TRANSLATE_NOOP("Zelk", "複製訂單總數  × ")) + QString::number(pages);
}

void OrderPage2ViewController::setRowValue(const QString &key, const QString &value)
{
    if (OrderTableStruct *r = mutableRow(key))
        r->subTitle = value;
}

void OrderPage2ViewController::selectRow(int section, int row)
{
    if (section == 1) {
        if (row == 0)
            copyOrderAction();
        return;
    }
    if (section != 0 || row < 0 || row >= m_tableViewArray.size())
        return;
    if (const OrderRowAction action = m_tableViewArray.at(row).action)
        (this->*action)();
}

// ---- price list ----

Operations::PriceListQuery OrderPage2ViewController::priceListQuery() const
{
    const Order &order = this->order();
    return Operations::PriceListQuery{order.contract2.vkorg, order.orderItem.bzirk, order.inco1.inco1,
                                      order.inco2.inco2, order.contract2.auarth};
}

void OrderPage2ViewController::viewDidAppear(bool animated)
{
    OrderPage1ViewController::viewDidAppear(animated);
    AppContext *ctx = context();
    // The order is over (placed, or handed to the outbox) and this page is on its way out as the
    // confirmation closes: there is nothing to price.
    if (!ctx || ctx->draft().kind() == OrderDraft::Kind::none)
        return;
    if (Ui *u = ui())
        u->showSpinner(this);
    ctx->operations().materialPrices<PriceList>(
        ctx->signedInUserId(), priceListQuery(), this,
        [](const ApiStatus &status) { return status.returnJson ? PriceList(status.returnJson->object()) : PriceList(); },
        [this](const ApiStatus &status, PriceList items) { priceListReply(status, std::move(items)); });
}

void OrderPage2ViewController::priceListReply(const ApiStatus &status, PriceList items)
{
    if (Ui *u = ui())
        u->dismissSpinner();
    if (!status.isSuccess || !status.returnJson) {
        alertThenLeave(localized(QT_TRANSLATE_NOOP("Zelk", "無法取得物料資料")), status.message);
        return;
    }
    m_priceList = std::move(items);
    // An open pick list keeps offering what its search text selects.
    m_filterItemsArray = searchMaterials(
        itemsArray(), m_selectDataViewController ? m_selectDataViewController->searchText() : QString());
    if (m_selectDataViewController)
        m_selectDataViewController->reloadData();
}

// ---- material pick list ----

QPointer<Screen> OrderPage2ViewController::presenterForModal()
{
    if (TabBarController *tabs = tabBarController())
        return tabs;
    return this;
}

void OrderPage2ViewController::selectItemsAction()
{
    if (m_selectDataViewController)
        return;
    auto *pickList = SelectDataViewController::instantiate(storyboard());
    if (!pickList)
        return;
    m_filterItemsArray = searchMaterials(itemsArray(), QString());
    m_selectDataViewController = pickList;
    pickList->setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "選擇物料")));
    pickList->setSearchPlaceholder(localized(QT_TRANSLATE_NOOP("Zelk", "輸入物料編號 or 物料名稱")));
    pickList->setShowReload(false);
    pickList->setDelegate(this);
    connect(pickList, &SelectDataViewController::chosen, this, &OrderPage2ViewController::chooseMaterial);
    if (QPointer<Screen> presenter = presenterForModal())
        presenter->present(pickList, true);
}

int OrderPage2ViewController::selectDataCount()
{
    return int(m_filterItemsArray.size());
}

SelectDataTexts OrderPage2ViewController::selectDataTexts(int row)
{
    if (row < 0 || row >= m_filterItemsArray.size())
        return {};
    const PricedMaterial &item = itemsArray().at(m_filterItemsArray.at(row));
    return {item.maktx.toString(), localized(QT_TRANSLATE_NOOP("Zelk", "物料編號:")).append(item.matnr)};
}

void OrderPage2ViewController::selectDataSearch(SelectDataViewController *pickList, const QString &text)
{
    qCDebug(lcOrder) << "selectDataView";
    m_filterItemsArray = searchMaterials(itemsArray(), text);
    if (pickList && !text.isEmpty())
        pickList->setShowsCancelButton(true);
    if (pickList)
        pickList->reloadData();
}

void OrderPage2ViewController::selectDataCancelSearch(SelectDataViewController *pickList)
{
    m_filterItemsArray = searchMaterials(itemsArray(), QString());
    if (pickList)
        pickList->reloadData();
}

void OrderPage2ViewController::chooseMaterial(int filteredRow)
{
    if (filteredRow < 0 || filteredRow >= m_filterItemsArray.size())
        return;
    // The material line takes the price list's number, name and price (the unit price starts at the list
    // price); the quantity stays the one entered, and the new price × quantity must pass the credit
    // check like any other change.
    const PricedMaterial &chosen = itemsArray().at(m_filterItemsArray.at(filteredRow));
    Order order = editedOrder();
    order.orderItem.matnr = chosen.matnr.toString();
    order.orderItem.maktx = chosen.maktx.toString();
    order.orderItem.kbetr = chosen.kbetr;
    order.orderItem.price = chosen.kbetr;
    if (!creditAllows(order))
        return;
    storeOrder(order);
    showOrderValues();
    reloadRows();
}

// ---- price ----

void OrderPage2ViewController::enterPriceAction()
{
    Storyboard *board = storyboard();
    if (!board)
        return;
    auto *entry = board->instantiate<EnterNewAmountViewController>(Scene::EnterNewAmount);
    if (!entry)
        return;
    const OrderTableStruct *itemNo = row(QStringLiteral("itemNo"));
    float defaultAmount = 0;
    for (const PricedMaterial &item : itemsArray()) {
        if (itemNo && item.matnr == itemNo->subTitle) {
            defaultAmount = item.kbetr;
            break;
        }
    }
    const OrderTableStruct *itemPrice = row(QStringLiteral("itemPrice"));
    entry->setDefaultAmount(defaultAmount);
    entry->setNowAmount(CartState::wholeFloat(itemPrice ? itemPrice->subTitle : QString()).value_or(0.0f));
    connect(entry, &EnterNewAmountViewController::amountEntered, this, &OrderPage2ViewController::applyPrice);
    if (QPointer<Screen> presenter = presenterForModal())
        presenter->present(entry, true);
}

void OrderPage2ViewController::applyPrice(float amount)
{
    AppContext *ctx = context();
    if (!ctx)
        return;
    // A higher price raises the order's value like a larger quantity does, so it passes the same check.
    Order order = editedOrder();
    order.orderItem.price = amount;
    if (!creditAllows(order))
        return;
    storeOrder(order);
    showOrderValues();
    reloadRows();
}

// ---- quantity and copies ----

void OrderPage2ViewController::enterAmountAction()
{
    Ui *u = ui();
    if (!u)
        return;
    Alert alert;
    alert.context = this;
    alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "請輸入下單數量"));
    AlertTextField field;
    const OrderTableStruct *quantityRow = row(QStringLiteral("orderNumber"));
    field.text = quantityRow ? quantityRow->subTitle : QStringLiteral("0");
    field.keyboard = AlertTextField::Keyboard::Decimal;
    field.filter = numericFieldAccepts;
    alert.addField(field);
    alert.addButton(AlertButton::withFields(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Default,
                                            [this](const QStringList &texts) { applyQuantity(texts.value(0)); }));
    u->showAlert(alert);
}

bool OrderPage2ViewController::creditAllows(const Order &changed)
{
    // The order being entered is not in the cart yet: the cart's value counts nothing of it.
    AppContext *ctx = context();
    if (ctx && CustomerCredit::canHoldOrder(ctx->customerStruct(), 0, changed))
        return true;
    alertWithTitle(localized(QT_TRANSLATE_NOOP("Zelk", "已超過信用額度，無法在下單")));
    return false;
}

void OrderPage2ViewController::applyQuantity(const QString &text)
{
    AppContext *ctx = context();
    if (!ctx)
        return;
    const std::optional<float> parsed = CartState::wholeFloat(text);
    if (!parsed) {
        alertWithTitle(localized(QT_TRANSLATE_NOOP("Zelk", "無法辨識數字")), localized(QT_TRANSLATE_NOOP("Zelk", "請輸入數字")));
        return;
    }
    const float q = *parsed;
    // No maximum on a price-list line; a quantity of 0 or less is refused all the same.
    if (const QString refusal = quantityRefusal(q, std::numeric_limits<double>::infinity()); !refusal.isEmpty()) {
        alertWithTitle(refusal);
        return;
    }
    Order order = editedOrder();
    order.orderItem.orderNumber = q;
    if (!creditAllows(order))
        return;
    storeOrder(order);
    showOrderValues();
    reloadRows();
}

void OrderPage2ViewController::copyOrderAction()
{
    if (Ui *u = ui())
        u->showPicker(copiesPicker(this, orderPage(), [this](int pages) { applyCopies(pages - 1); }));
}

void OrderPage2ViewController::applyCopies(int row)
{
    AppContext *ctx = context();
    if (!ctx || row < 0 || row >= 30)
        return;
    Order order = editedOrder();
    order.orderPage = row + 1;
    if (!creditAllows(order))
        return;
    storeOrder(order);
    reloadRows();
}

void OrderPage2ViewController::showOrderValues()
{
    const OrderItem item = editedOrder().orderItem;
    const bool material = !item.matnr.isEmpty();
    // Only a positive quantity is ever accepted, so 0 is "none entered yet".
    const bool quantity = item.orderNumber > 0;
    setRowValue(QStringLiteral("itemNo"), material ? item.matnr : QString());
    setRowValue(QStringLiteral("itemName"), material ? item.maktx : QString());
    setRowValue(QStringLiteral("itemPrice"), material ? numberText(item.price) : QString());
    setRowValue(QStringLiteral("orderNumber"), quantity ? numberText(item.orderNumber) : QString());
    // One copy's total, once a material or a quantity is there.
    setRowValue(QStringLiteral("allPrice"),
                material || quantity ? numberText(item.price * item.orderNumber) : QString());
}

// ---- order ----

void OrderPage2ViewController::orderAction()
{
    for (const OrderTableStruct &r : std::as_const(m_tableViewArray)) {
        if (r.isMissing()) {
            alertWithTitle(localized(QT_TRANSLATE_NOOP("Zelk", "請輸入完整資訊")));
            return;
        }
    }
    AppContext *ctx = context();
    Storyboard *board = storyboard();
    if (!ctx || !board)
        return;
    // What the confirmation sends: the order as it stands, under its identities.
    ctx->draft().setLines({order()});

    const auto [nav, confirm] = board->instantiateStack<OrderConfirmViewController>(Scene::OrderConfirmNavigation);
    if (!confirm)
        return;
    connect(confirm, &OrderConfirmViewController::successClosure, this,
            [this](bool, bool, bool closeRequested) { confirmationClosed(closeRequested); });
    connect(confirm, &OrderConfirmViewController::orderQueryClosure, this, &OrderPage2ViewController::openOrderQuery);
    present(nav, true);
}

void OrderPage2ViewController::openOrderQuery()
{
    OrderConfirmViewController::openOrderQueryOnRoot(navigationController(), storyboard());
}

void OrderPage2ViewController::confirmationClosed(bool closeRequested)
{
    AppContext *ctx = context();
    if (!ctx)
        return;
    const QList<Order> &cart = ctx->draft().lines();
    if (closeRequested || cart.isEmpty()) {
        // Everything was ordered: back to the order-type screen for the next order.
        NavigationController *stack = navigationController();
        const QList<Screen *> screens = stack ? stack->viewControllers() : QList<Screen *>();
        const qsizetype header = screens.indexOf(this) - 1;
        if (header > 0)
            stack->popTo(screens.at(header - 1), true);
        return;
    }
    // Cancelled, or some lines were not ordered: the rep stays on this page with the order as the cart
    // now holds it, the copies left and their identities, ready to be changed or sent again.
    if (cart.size() == 1 && !(cart.first() == order())) {
        setOrder(cart.first());
        showOrderValues();
        reloadRows();
    }
}
