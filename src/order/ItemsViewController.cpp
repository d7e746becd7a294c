#include "order/ItemsViewController.h"

#include "model/AppContext.h"
#include "model/NumberText.h"
#include "order/EnterOrderInfoViewController.h"
#include "order/OrderCarViewController.h"
#include "services/Operations.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/SlideMenuController.h"
#include "ui/Storyboard.h"
#include "ui/Ui.h"

ItemsViewController::ItemsViewController(QObject *parent)
    : Screen(parent),
      m_itemRows({{"itemNameText", [](const OrderItem &i) { return QVariant(i.maktx + QStringLiteral(" (") + i.matnr + u')'); }},
                  {"inco1Text", [](const OrderItem &i) { return QVariant(i.inco1Bezei); }},
                  {"priceText", [](const OrderItem &i) { return QVariant(numberText(i.price)); }},
                  // zmeng is a double; every maximum the system uses is exact as a float.
                  {"amountText", [](const OrderItem &i) { return QVariant(numberText(float(i.zmeng))); }}},
                 this)
{
}

void ItemsViewController::viewDidLoad()
{
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "選擇品種")));
    setRightBarButtons({cartBarButton(this)});
}

void ItemsViewController::viewDidAppear(bool animated)
{
    Screen::viewDidAppear(animated);
    AppContext *ctx = context();
    if (!ctx)
        return;
    if (Ui *u = ui())
        u->showSpinner(this);
    ctx->operations().contractMaterials(ctx->signedInUserId(), m_order.contract2.vbeln, this,
                                        [this](const ApiStatus &status) { itemsReply(status); });
}

QList<OrderItem> ItemsViewController::materials(const QJsonObject &answer, const QList<Inco1> &methods)
{
    QList<OrderItem> items = parseList<OrderItem>(answer, QStringLiteral("custContract1List"));
    for (OrderItem &item : items) {
        for (const Inco1 &method : methods) {
            if (method.inco1 == item.inco1) {
                item.inco1Bezei = method.bezei;
                break;
            }
        }
    }
    return items;
}

void ItemsViewController::itemsReply(const ApiStatus &status)
{
    AppContext *ctx = context();
    if (!status.isSuccess || !status.returnJson || !ctx) {
        Alert alert;
        alert.context = this;
        alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "無法取得物料清單"));
        alert.message = status.message;
        alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Cancel, [this] {
            if (NavigationController *nav = navigationController(); nav && nav->topViewController() == this)
                nav->pop(true);
        });
        if (Ui *u = ui()) {
            u->showAlert(alert);
            u->dismissSpinner();
        }
        return;
    }
    const QJsonObject answer = status.returnJson->object();
    withLists({QStringLiteral("inco1List")}, [this, answer] {
        AppContext *ctx = context();
        const QList<OrderItem> items = materials(answer, ctx->lists().inco1List().value_or(QList<Inco1>()));
        qCDebug(lcOrder) << "items" << items.size();
        m_itemRows.setRows(items);
        if (Ui *u = ui())
            u->dismissSpinner();
    });
}

void ItemsViewController::selectRow(int row)
{
    Storyboard *board = storyboard();
    if (row < 0 || row >= m_itemRows.size() || !board || presentedScreen())
        return;
    auto *entry = board->instantiate<EnterOrderInfoViewController>(Scene::EnterOrderInfo);
    if (!entry)
        return;
    SlideMenuController *slide = slideMenuController();
    if (auto *cart = slide ? qobject_cast<OrderCarViewController *>(slide->rightViewController()) : nullptr) {
        const OrderItem &item = m_itemRows.at(row);
        Order order = m_order;
        // Every line of the cart is an order of its own.
        order.orderSeq = newOrderSeq();
        order.orderItem = item;
        order.inco1 = Inco1{item.inco1, item.inco1Bezei};
        order.inco2 = Inco2{item.inco2, QString()};
        entry->setOrderCartVC(cart);
        entry->setOrder(order);
    }
    present(entry, true);
}
