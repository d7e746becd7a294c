#include "order/ChooseOrderTypeViewController.h"

#include "model/AppContext.h"
#include "order/ContractViewController.h"
#include "order/OrderEntryRules.h"
#include "order/OrderPage1ViewController.h"
#include "picklist/SelectDataSearch.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/ResumeOffer.h"
#include "ui/Segue.h"
#include "ui/SlideMenuController.h"
#include "ui/Storyboard.h"
#include "ui/Ui.h"

#include <QTimer>

ChooseOrderTypeViewController::ChooseOrderTypeViewController(QObject *parent) : Screen(parent)
{
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "訂單創建")));
}

ChooseOrderTypeViewController *ChooseOrderTypeViewController::instantiate(Storyboard *board, const QString &title,
                                                                         bool continuesDraft)
{
    auto *screen = board ? board->instantiate<ChooseOrderTypeViewController>(Scene::ChooseOrderType) : nullptr;
    if (screen) {
        screen->setTitle(title);
        screen->m_continuesDraft = continuesDraft;
    }
    return screen;
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
}

void ChooseOrderTypeViewController::viewDidAppear(bool animated)
{
    Screen::viewDidAppear(animated);
    // A turn later: when this screen is only uncovered on the way to the order query, it has gone by then.
    QTimer::singleShot(0, this, &ChooseOrderTypeViewController::offerDraft);
}

void ChooseOrderTypeViewController::offerDraft()
{
    AppContext *ctx = context();
    if (!ctx || !isVisible() || presentedScreen() || !ResumeOffer::due(this))
        return;
    if (std::exchange(m_continuesDraft, false)) {
        continueDraft();
        return;
    }
    // The rep came back from the order entered here: it ends, unless lines may have been placed.
    if (std::exchange(m_orderEntered, false) && !ctx->draft().holdsLinesOfUnknownFate()) {
        ctx->draft().discard();
        return;
    }
    ResumeOffer::show(this, [this] { continueDraft(); }, [this] { openOrderQuery(); });
}

void ChooseOrderTypeViewController::openOrderQuery()
{
    Segue::perform(this, Scene::OrderHistory);
}

void ChooseOrderTypeViewController::continueDraft()
{
    Storyboard *board = storyboard();
    AppContext *ctx = context();
    NavigationController *nav = navigationController();
    if (!board || !ctx || !ctx->draft().resumable())
        return;
    OrderDraft &draft = ctx->draft();
    ctx->customerStruct().reset();
    ctx->customerStruct().setCustomer(draft.order().orderCustomer);
    m_orderEntered = true;
    if (draft.kind() == OrderDraft::Kind::contract) {
        SlideMenuController *slide = presentContractScreens();
        if (slide && !draft.lines().isEmpty())
            slide->openRight();
        return;
    }
    auto *header = board->instantiate<OrderPage1ViewController>(Scene::OrderPage1);
    if (!header || !nav) {
        delete header;
        return;
    }
    const bool toItems = OrderPage1ViewController::headerComplete(draft.order());
    nav->push(header, !toItems);
    if (toItems)
        header->showItems();
}

void ChooseOrderTypeViewController::loadCustomerList(bool again)
{
    AppContext *ctx = context();
    if (!ctx || m_loadingCustomers)
        return;
    m_loadingCustomers = true;
    if (Ui *u = ui())
        u->showSpinner(this);
    // The list asked for in the background since sign-in is joined; the pick list's reload asks again.
    auto done = [this](bool ok, std::optional<QList<OrderCustomer>> customers) {
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
            retryAlert(localized(QT_TRANSLATE_NOOP("Zelk", "無法取得客戶資料")), localized(QT_TRANSLATE_NOOP("Zelk", "請稍候在試")),
                       [this] { loadCustomerList(); });
            return;
        }
        AppContext *ctx = context();
        const auto &held = ctx ? ctx->lists().customerList() : std::nullopt;
        if (held && held->isEmpty() && !presentedScreen()) {
            Alert alert;
            alert.context = this;
            alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "無法取得客戶資料"));
            alert.message = localized(QT_TRANSLATE_NOOP("Zelk", "請稍候在試"));
            alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Default, [this] {
                if (navigationController())
                    navigationController()->pop(true);
            });
            if (Ui *u = ui())
                u->showAlert(alert);
        }
    };
    if (again)
        ctx->lists().clientList(this, std::move(done));
    else
        ctx->lists().joinClientList(this, std::move(done));
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
    pickList->setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "選擇客戶")));
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
    loadCustomerList(true);
}

void ChooseOrderTypeViewController::startNormalOrder(const OrderCustomer &customer)
{
    Storyboard *board = storyboard();
    AppContext *ctx = context();
    if (!board || !ctx)
        return;
    auto *page = board->instantiate<OrderPage1ViewController>(Scene::OrderPage1);
    if (!page)
        return;
    ctx->customerStruct().reset();
    ctx->customerStruct().setCustomer(customer);
    ctx->draft().start(OrderDraft::Kind::normal, customer);
    m_orderEntered = true;
    qCDebug(lcOrder) << "OrderPage1ViewController pushViewController";
    if (NavigationController *nav = navigationController())
        nav->push(page, true);
    else
        delete page;
}

void ChooseOrderTypeViewController::startContractOrder(const OrderCustomer &customer)
{
    AppContext *ctx = context();
    if (!ctx)
        return;
    ctx->customerStruct().reset();
    ctx->customerStruct().setCustomer(customer);
    ctx->draft().start(OrderDraft::Kind::contract, customer);
    m_orderEntered = true;
    presentContractScreens();
}

SlideMenuController *ChooseOrderTypeViewController::presentContractScreens()
{
    // The contract screens in their stack, with the cart as the panel on the right.
    Storyboard *board = storyboard();
    if (!board)
        return nullptr;
    const auto [nav, contract] = board->instantiateStack<ContractViewController>(Scene::ContractNavigation);
    Screen *cart = board->instantiate(Scene::OrderCar);
    auto *cartDelegate = dynamic_cast<SlideMenuControllerDelegate *>(cart);
    if (!contract || !cartDelegate) {
        delete nav;
        delete cart;
        return nullptr;
    }
    auto *slide = new SlideMenuController(nav, cart, 300);
    slide->setDelegate(cartDelegate);
    present(slide, true);
    return slide;
}
