#include "order/EnterOrderInfoViewController.h"

#include "model/AppContext.h"
#include "model/NumberText.h"
#include "order/CustomerCredit.h"
#include "order/NumericField.h"
#include "order/OrderEntryRules.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/SlideMenuController.h"
#include "ui/Ui.h"

EnterOrderInfoViewController::EnterOrderInfoViewController(QObject *parent)
    : Screen(parent), m_orderTypeButtonTitle(localized(QT_TRANSLATE_NOOP("Zelk", "請選擇")))
{
}

void EnterOrderInfoViewController::setOrder(const Order &order)
{
    m_order = order;
    m_chosenInco1.reset();
    m_info1ButtonTitle = order.inco1.bezei;
    emit contentChanged();
}

QString EnterOrderInfoViewController::info1ButtonText() const
{
    return m_info1ButtonTitle.isEmpty() ? localized(QT_TRANSLATE_NOOP("Zelk", "請選擇")) : m_info1ButtonTitle;
}

void EnterOrderInfoViewController::setItemAmtText(const QString &text)
{
    if (m_itemAmtText == text)
        return;
    m_itemAmtText = text;
    emit contentChanged();
}

void EnterOrderInfoViewController::setTransportText(const QString &text)
{
    if (m_transportText == text)
        return;
    m_transportText = text;
    emit contentChanged();
}

void EnterOrderInfoViewController::setColor(const QColor &color)
{
    m_color = color;
    emit contentChanged();
}

bool EnterOrderInfoViewController::acceptsNumericEdit(const QString &before, const QString &after) const
{
    return numericFieldAccepts(before, TextEdit::between(before, after));
}

void EnterOrderInfoViewController::viewWillAppear(bool animated)
{
    Screen::viewWillAppear(animated);
    if (m_order.orderItem.zmeng > 0) {
        m_orderMaxText = QStringLiteral("(Max:") + numberText(float(m_order.orderItem.zmeng)) + QLatin1Char(')');
        emit contentChanged();
    }
}

void EnterOrderInfoViewController::orderTypeAction()
{
    Ui *u = ui();
    AppContext *ctx = context();
    if (!u || !ctx)
        return;
    u->endEditing();
    withLists({QStringLiteral("transportList")}, [this] {
        QStringList names;
        for (const Transport &kind : context()->lists().transportList().value_or(QList<Transport>()))
            names << kind.transName;
        pickButtonTitle(localized(QT_TRANSLATE_NOOP("Zelk", "選擇車船別")), names,
                        &EnterOrderInfoViewController::m_orderTypeButtonTitle);
    });
}

void EnterOrderInfoViewController::inco1Action()
{
    Ui *u = ui();
    AppContext *ctx = context();
    if (!u || !ctx)
        return;
    u->endEditing();
    qCDebug(lcOrder) << "inco1Action";
    qCDebug(lcOrder) << "get info1List";
    withLists({QStringLiteral("inco1List")}, [this] {
        const QList<Inco1> methods = context()->lists().inco1List().value_or(QList<Inco1>());
        QStringList names;
        for (const Inco1 &method : methods)
            names << method.bezei;
        showListPicker(localized(QT_TRANSLATE_NOOP("Zelk", "選擇交貨方式")), names, m_info1ButtonTitle,
                       [this, methods](int row) {
                           if (row < 0 || row >= methods.size())
                               return;
                           m_chosenInco1 = methods.at(row);
                           m_info1ButtonTitle = methods.at(row).bezei;
                           emit contentChanged();
                       });
    });
}

void EnterOrderInfoViewController::pickButtonTitle(const QString &pickerTitle, const QStringList &names,
                                                   QString EnterOrderInfoViewController::*buttonTitle)
{
    showListPicker(pickerTitle, names, this->*buttonTitle, [this, names, buttonTitle](int row) {
        if (row < 0 || row >= names.size())
            return;
        this->*buttonTitle = names.at(row);
        emit contentChanged();
    });
}

void EnterOrderInfoViewController::addToCartAction()
{
    Ui *u = ui();
    AppContext *ctx = context();
    // A second tap while the screen closes must not add the line twice.
    if (!u || !ctx || isBeingDismissed())
        return;
    u->endEditing();
    const QString incomplete = localized(QT_TRANSLATE_NOOP("Zelk", "請輸入完整資料"));
    if (m_orderTypeButtonTitle == localized(QT_TRANSLATE_NOOP("Zelk", "請選擇"))) {
        alertWithTitle(incomplete);
        return;
    }
    const std::optional<float> quantity = CartState::wholeFloat(m_itemAmtText);
    // Nothing, 0 or less on this screen is an incomplete entry like a missing car/ship kind.
    if (!quantity || !(*quantity > 0)) {
        alertWithTitle(incomplete);
        return;
    }
    if (const QString refusal = quantityRefusal(*quantity, m_order.orderItem.zmeng); !refusal.isEmpty()) {
        alertWithTitle(refusal);
        return;
    }
    const auto kinds = ctx->lists().transportList(); // a kind was chosen from it: it is there
    if (!kinds) {
        alertWithTitle(localized(QT_TRANSLATE_NOOP("Zelk", "資料錯誤請稍候再試")));
        return;
    }
    const float value = m_order.orderItem.price * *quantity;
    if (!CustomerCredit::canAddOrderValue(ctx->customerStruct(), value)) {
        alertWithTitle(localized(QT_TRANSLATE_NOOP("Zelk", "已超過信用額度，無法在下單")));
        return;
    }
    const Transport *kind = nullptr;
    for (const Transport &candidate : *kinds) {
        if (candidate.transName == m_orderTypeButtonTitle) {
            kind = &candidate;
            break;
        }
    }
    if (!kind) {
        // The stored list changed after the choice: nothing is added.
        alertWithTitle(localized(QT_TRANSLATE_NOOP("Zelk", "資料錯誤請稍候再試")));
        return;
    }
    Order line = m_order;
    line.transport = *kind;
    line.transportRemark = m_transportText;
    line.orderItem.orderNumber = *quantity;
    if (m_chosenInco1) {
        // What the cart shows and what is sent is the method the rep picked.
        line.inco1 = *m_chosenInco1;
        line.orderItem.inco1 = m_chosenInco1->inco1;
        line.orderItem.inco1Bezei = m_chosenInco1->bezei;
    }
    ctx->draft().appendLine(line);

    QPointer<Screen> presenter = presentingScreen();
    QPointer<Screen> cart = m_orderCartVC;
    dismiss(true, [presenter, cart] {
        if (presenter) {
            // Presented over the slide-menu container: its main content is the contract stack.
            NavigationController *nav = qobject_cast<NavigationController *>(presenter.data());
            if (auto *slide = qobject_cast<SlideMenuController *>(presenter.data()); !nav && slide)
                nav = qobject_cast<NavigationController *>(slide->mainViewController());
            if (!nav)
                nav = presenter->navigationController();
            if (nav)
                nav->pop(true);
        }
        if (cart) {
            if (SlideMenuController *slide = cart->slideMenuController())
                slide->openRight();
        }
    });
}
