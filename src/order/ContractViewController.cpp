#include "order/ContractViewController.h"

#include "model/AppContext.h"
#include "order/CustomerCredit.h"
#include "order/ItemsViewController.h"
#include "order/OrderCarViewController.h"
#include "order/OrderEntryRules.h"
#include "services/Operations.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/SlideMenuController.h"
#include "ui/Storyboard.h"
#include "ui/Ui.h"

#include <QJsonArray>
#include <QSet>

#include <utility>

ContractViewController::ContractViewController(QObject *parent)
    : Screen(parent),
      m_contractRows({{"mainText", [](const Contract2 &c) { return QVariant(c.otName + u'\n' + c.auart); }},
                      {"vbeln", [](const Contract2 &c) { return QVariant(c.vbeln); }}},
                     this)
{
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "合約訂單")));
}

QString ContractViewController::creditsText() const
{
    AppContext *ctx = context();
    return m_showsCredit && ctx ? ctx->customerStruct().creditText() : QString();
}

void ContractViewController::viewDidLoad()
{
    if (AppContext *ctx = context()) {
        if (!std::exchange(m_showsCredit, true))
            connect(&ctx->customerStruct(), &CustomerStruct::creditTextChanged, this,
                    &ContractViewController::creditsTextChanged);
        ctx->customerStruct().showCreditText();
        emit creditsTextChanged();
    }
    // The bar buttons belong to this screen: they go with it.
    setLeftBarButtons({BarButton{localized(QT_TRANSLATE_NOOP("Zelk", "取消")), QString(), QStringLiteral("cancelBarButton"),
                                 [this] { closeAction(); }}});
    setRightBarButtons({cartBarButton(this)});
    viewDidLayoutSubviews();
}

void ContractViewController::viewDidLayoutSubviews()
{
    AppContext *ctx = context();
    const QString name = ctx ? ctx->customerStruct().customer().name1 : QString();
    const QString text = name.isEmpty() ? QString() : localized(QT_TRANSLATE_NOOP("Zelk", "客戶:")) + name;
    if (text != m_customNameText) {
        m_customNameText = text;
        emit customNameTextChanged();
    }
}

void ContractViewController::viewDidAppear(bool animated)
{
    Screen::viewDidAppear(animated);
    AppContext *ctx = context();
    if (ctx && ctx->customerStruct().creditValue() == 0)
        queryCredit();
}

void ContractViewController::queryCredit()
{
    AppContext *ctx = context();
    if (!ctx)
        return;
    if (Ui *u = ui())
        u->showSpinner(this);
    CustomerCredit::getCustomerCredit(*ctx, this, [this](float, const ApiStatus &status, const QString &) {
        if (!status.isSuccess || !status.returnJson)
            failureAlert(localized(QT_TRANSLATE_NOOP("Zelk", "無法取得信用額度")), status.message,
                         &ContractViewController::queryCredit);
        else
            queryContracts();
        if (Ui *u = ui())
            u->dismissSpinner();
    });
}

void ContractViewController::queryContracts()
{
    AppContext *ctx = context();
    if (!ctx)
        return;
    ctx->operations().contractLines(ctx->signedInUserId(), ctx->customerStruct().customer().kunnr,
                                    QDate::currentDate(), this,
                                    [this](const ApiStatus &status) { contractsReply(status); });
}

void ContractViewController::contractsReply(const ApiStatus &status)
{
    AppContext *ctx = context();
    if (!status.isSuccess || !status.returnJson || !ctx) {
        failureAlert(localized(QT_TRANSLATE_NOOP("Zelk", "無法取得合同清單")), status.message,
                     &ContractViewController::queryContracts);
        if (Ui *u = ui())
            u->dismissSpinner();
        return;
    }
    m_contractsArray = parseList<Contract2>(status.returnJson->object(), QStringLiteral("custContract2List"));
    // Without the stored order types the rows stay as they were.
    withLists({QStringLiteral("orderTypeList")}, [this] {
        if (const auto orderTypes = context()->lists().orderTypeList())
            m_contractRows.setRows(contractsOnce(m_contractsArray, *orderTypes));
        if (Ui *u = ui())
            u->dismissSpinner();
    });
}

QList<Contract2> ContractViewController::contractsOnce(const QList<Contract2> &lines,
                                                       const QList<OrderType> &orderTypes)
{
    QList<Contract2> result;
    QSet<QString> seen;
    for (const Contract2 &line : lines) {
        if (seen.contains(line.vbeln))
            continue;
        seen.insert(line.vbeln);
        Contract2 first = line;
        for (const OrderType &type : orderTypes) {
            if (type.otCode == first.auart) {
                first.otName = type.otName;
                break;
            }
        }
        result.append(first);
    }
    return result;
}

void ContractViewController::failureAlert(const QString &title, const QString &message,
                                          void (ContractViewController::*retry)())
{
    // This screen is the root of its stack: going back would leave the rep on an empty list.
    retryAlert(title, message, [this, retry] { (this->*retry)(); }, localized(QT_TRANSLATE_NOOP("Zelk", "確定")),
               [this] { closeAction(); });
}

void ContractViewController::selectRow(int row)
{
    Storyboard *board = storyboard();
    NavigationController *nav = navigationController();
    if (row < 0 || row >= m_contractRows.size() || !board || !nav || nav->topViewController() != this)
        return;
    auto *items = board->instantiate<ItemsViewController>(Scene::Items);
    if (!items)
        return;
    AppContext *ctx = context();
    if (!ctx)
        return;
    Order order = ctx->draft().order();
    order.contract2 = m_contractRows.at(row);
    order.orderSeq = newOrderSeq();
    order.copySeqs.clear();
    items->setOrder(order);
    nav->push(items, true);
}

void ContractViewController::filterAction()
{
    qCDebug(lcOrder) << "filterAction";
}

void ContractViewController::closeAction()
{
    AppContext *ctx = context();
    if (!ctx || ctx->draft().lines().isEmpty()) {
        if (ctx)
            ctx->draft().discard();
        leave();
        return;
    }
    if (Ui *u = ui()) {
        u->showAlert(leaveOrderAlert(this, [this] {
            // The rep gave the cart up here: the order-type screen uncovered next has nothing to ask.
            if (AppContext *ctx = context())
                ctx->draft().discard();
            leave();
        }));
    }
}

void ContractViewController::leave()
{
    // The whole contract presentation goes: the slide-menu container around this stack.
    if (SlideMenuController *slide = slideMenuController())
        slide->dismiss(true);
    else
        dismiss(true);
}
