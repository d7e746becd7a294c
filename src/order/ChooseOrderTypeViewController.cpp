#include "order/ChooseOrderTypeViewController.h"

#include "model/AppContext.h"
#include "order/ContractViewController.h"
#include "order/OrderEntryRules.h"
#include "order/OrderPage1ViewController.h"
#include "picklist/SelectDataSearch.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/SlideMenuController.h"
#include "ui/Storyboard.h"
#include "ui/Ui.h"

#include <QTimer>

ChooseOrderTypeViewController::ChooseOrderTypeViewController(QObject *parent) : Screen(parent)
{
    setTitle(localized(QStringLiteral("訂單創建")));
}

void ChooseOrderTypeViewController::viewDidLoad()
{
    if (AppContext *ctx = context()) {
        if (const auto &customers = ctx->lists().customerList())
            m_filterCustomerListArray.setCustomers(*customers);
    }
}

void ChooseOrderTypeViewController::viewWillAppear(bool animated)
{
    Screen::viewWillAppear(animated);
    AppContext *ctx = context();
    if (!ctx)
        return;
    if (!ctx->lists().customerList())
        loadCustomerList();
    // No line of an earlier order may survive into the next one; but lines sent whose result never
    // arrived go only when the rep says so (viewDidAppear asks).
    if (!ctx->cart().holdsLinesOfUnknownFate())
        ctx->cart().clear();
}

void ChooseOrderTypeViewController::viewDidAppear(bool animated)
{
    Screen::viewDidAppear(animated);
    AppContext *ctx = context();
    if (!ctx || m_leftLinesAsked || !ctx->cart().holdsLinesOfUnknownFate())
        return;
    // A turn later: when this screen is only uncovered on the way to the order query, it has gone by then.
    QTimer::singleShot(0, this, &ChooseOrderTypeViewController::askAboutLinesLeft);
}

void ChooseOrderTypeViewController::askAboutLinesLeft()
{
    AppContext *ctx = context();
    Ui *u = ui();
    if (!ctx || !u || m_leftLinesAsked || !isVisible() || presentedScreen() || !ctx->cart().holdsLinesOfUnknownFate())
        return;
    m_leftLinesAsked = true; // "取消" keeps them: not asked again until an order is started from here
    u->showAlert(leaveOrderAlert(this, [this] {
        if (AppContext *ctx = context())
            ctx->cart().clear();
    }));
}

void ChooseOrderTypeViewController::loadCustomerList()
{
    AppContext *ctx = context();
    if (!ctx || m_loadingCustomers)
        return;
    m_loadingCustomers = true;
    if (Ui *u = ui())
        u->showSpinner();
    ctx->lists().clientList(this, [this](bool ok, std::optional<QList<OrderCustomer>> customers) {
        m_loadingCustomers = false;
        if (customers && !customers->isEmpty()) {
            m_filterCustomerListArray.setCustomers(*customers);
            if (m_selectDataViewController)
                m_selectDataViewController->clearSearchText();
            reloadPickList();
        }
        if (Ui *u = ui())
            u->dismissSpinner();
        if (!ok) {
            // Not an empty pick list: the rep may ask again.
            retryAlert(localized(QStringLiteral("無法取得客戶資料")), localized(QStringLiteral("請稍候在試")),
                       [this] { loadCustomerList(); });
            return;
        }
        AppContext *ctx = context();
        const auto &held = ctx ? ctx->lists().customerList() : std::nullopt;
        if (held && held->isEmpty() && !presentedScreen()) {
            Alert alert;
            alert.context = this;
            alert.title = localized(QStringLiteral("無法取得客戶資料"));
            alert.message = localized(QStringLiteral("請稍候在試"));
            alert.addButton(localized(QStringLiteral("確定")), AlertButton::Style::Default, [this] {
                if (navigationController())
                    navigationController()->pop(true);
            });
            if (Ui *u = ui())
                u->showAlert(alert);
        }
    });
}

void ChooseOrderTypeViewController::normalOrderAction()
{
    qCDebug(lcOrder) << "normalOrderAction";
    showPickList(false);
}

void ChooseOrderTypeViewController::contractOrderAction()
{
    qCDebug(lcOrder) << "contractOrderAction";
    showPickList(true);
}

void ChooseOrderTypeViewController::showPickList(bool contract)
{
    if (m_selectDataViewController)
        return; // already picking
    auto *pickList = SelectDataViewController::instantiate(storyboard());
    if (!pickList)
        return;
    m_selectDataViewController = pickList;
    pickList->setTitle(localized(QStringLiteral("選擇客戶")));
    pickList->setShowReload(true);
    pickList->setDelegate(this);
    connect(pickList, &SelectDataViewController::chosen, this, [this, contract](int row) {
        const OrderCustomer *chosen = m_filterCustomerListArray.customerAt(row);
        if (!chosen)
            return;
        const OrderCustomer customer = *chosen;
        if (contract) {
            qCDebug(lcOrder) << "sentData:" << customer.kunnr << customer.name1;
            startContractOrder(customer);
        } else {
            startNormalOrder(customer);
        }
    });
    present(pickList, true);
}

void ChooseOrderTypeViewController::reloadPickList()
{
    if (m_selectDataViewController)
        m_selectDataViewController->reloadData();
}

int ChooseOrderTypeViewController::selectDataCount()
{
    return m_filterCustomerListArray.count();
}

SelectDataTexts ChooseOrderTypeViewController::selectDataTexts(int row)
{
    return m_filterCustomerListArray.texts(row);
}

void ChooseOrderTypeViewController::selectDataSearch(SelectDataViewController *pickList, const QString &text)
{
    qCDebug(lcOrder) << "selectDataView";
    AppContext *ctx = context();
    const auto &customers = ctx ? ctx->lists().customerList() : std::nullopt;
    if (!customers)
        return;
    if (m_filterCustomerListArray.customers().constData() != customers->constData())
        m_filterCustomerListArray.setCustomers(*customers);
    m_filterCustomerListArray.search(text);
    if (pickList && !text.isEmpty())
        pickList->setShowsCancelButton(true);
    if (pickList)
        pickList->reloadData();
}

void ChooseOrderTypeViewController::selectDataCancelSearch(SelectDataViewController *pickList)
{
    selectDataSearch(nullptr, QString());
    if (pickList)
        pickList->reloadData();
}

void ChooseOrderTypeViewController::selectDataReload()
{
    loadCustomerList();
}

void ChooseOrderTypeViewController::startNormalOrder(const OrderCustomer &customer)
{
    Storyboard *board = storyboard();
    AppContext *ctx = context();
    if (!board || !ctx)
        return;
    auto *page = board->instantiate<OrderPage1ViewController>(QStringLiteral("OrderNormal"),
                                                              QStringLiteral("OrderPage1ViewController"));
    if (!page)
        return;
    ctx->customerStruct().reset();
    ctx->customerStruct().setCustomer(customer);
    Order order;
    order.orderCustomer = customer;
    page->setOrder(order);
    m_leftLinesAsked = false; // lines this order leaves unsettled are asked about on the way back
    qCDebug(lcOrder) << "OrderPage1ViewController pushViewController";
    if (NavigationController *nav = navigationController())
        nav->push(page, true);
    else
        delete page;
}

void ChooseOrderTypeViewController::startContractOrder(const OrderCustomer &customer)
{
    // The contract screens and the cart panel come from the storyboard "OrderContract".
    Storyboard *board = storyboard();
    AppContext *ctx = context();
    if (!board || !ctx)
        return;
    Screen *main = board->instantiateInitial(QStringLiteral("OrderContract"));
    Screen *cart = board->instantiate(QStringLiteral("OrderContract"), QStringLiteral("OrderCarViewController"));
    auto *nav = qobject_cast<NavigationController *>(main);
    auto *contract = nav ? qobject_cast<ContractViewController *>(nav->rootViewController()) : nullptr;
    auto *cartDelegate = dynamic_cast<SlideMenuControllerDelegate *>(cart);
    if (!nav || !cart || !contract || !cartDelegate) {
        delete main;
        delete cart;
        return;
    }
    auto *slide = new SlideMenuController(nav, cart, 300);
    slide->setDelegate(cartDelegate);
    ctx->customerStruct().reset();
    ctx->customerStruct().setCustomer(customer);
    Order order;
    order.orderCustomer = customer;
    contract->setOrder(order);
    m_leftLinesAsked = false;
    present(slide, true);
}
