#include "order/OrderCarViewController.h"

#include "model/AppContext.h"
#include "model/NumberText.h"
#include "order/CustomerCredit.h"
#include "order/EditOrderViewController.h"
#include "order/OrderConfirmViewController.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/SlideMenuController.h"
#include "ui/Storyboard.h"
#include "ui/TabBarController.h"
#include "ui/Ui.h"
#include "ui/ZelkNavigationController.h"

OrderCartRow OrderCartRow::of(const Order &order)
{
    const OrderItem &item = order.orderItem;
    return {order.orderSeq,
            item.maktx,
            localized(QT_TRANSLATE_NOOP("Zelk", "單價:")) + numberText(item.price),
            localized(QT_TRANSLATE_NOOP("Zelk", " × ")) + numberText(item.orderNumber),
            numberText(item.price * item.orderNumber),
            item.inco1Bezei,
            order.orderPage >= 2 ? localized(QT_TRANSLATE_NOOP("Zelk", " × ")) + QString::number(order.orderPage) : QString()};
}

BarButton cartBarButton(Screen *screen)
{
    return BarButton{QString(), QStringLiteral("shopping_cart"), QStringLiteral("cartBarButton"),
                     [guard = QPointer<Screen>(screen)] {
                         if (SlideMenuController *slide = guard ? guard->slideMenuController() : nullptr)
                             slide->openRight();
                     }};
}

namespace {
#define CART_ROLE(field) {#field, [](const OrderCartRow &r) { return QVariant(r.field); }}
} // namespace

OrderCarViewController::OrderCarViewController(QObject *parent)
    : Screen(parent),
      m_rows({CART_ROLE(orderSeq), CART_ROLE(name), CART_ROLE(priceText), CART_ROLE(orderNumberText),
              CART_ROLE(allPriceText), CART_ROLE(inco1Text), CART_ROLE(pageText)},
             this)
{
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "購物車")));
    refreshTotal();
}
#undef CART_ROLE

void OrderCarViewController::viewDidLoad() { followDraft(); }

void OrderCarViewController::followDraft()
{
    AppContext *ctx = context();
    if (!ctx || m_draft == &ctx->draft())
        return;
    if (m_draft)
        disconnect(m_draft, nullptr, this, nullptr);
    m_draft = &ctx->draft();
    connect(m_draft, &OrderDraft::lineAdded, this, &OrderCarViewController::lineAdded);
    connect(m_draft, &OrderDraft::lineChanged, this, &OrderCarViewController::lineChanged);
    connect(m_draft, &OrderDraft::lineRemoved, this, &OrderCarViewController::lineRemoved);
    connect(m_draft, &OrderDraft::linesReset, this, &OrderCarViewController::linesReset);
    linesReset();
}

const QList<Order> &OrderCarViewController::draftLines() const
{
    static const QList<Order> none;
    return m_draft ? m_draft->lines() : none;
}

void OrderCarViewController::lineAdded(int row)
{
    m_rows.insert(row, OrderCartRow::of(draftLines().at(row)));
    refreshTotal();
}

void OrderCarViewController::lineChanged(int row)
{
    m_rows.replace(row, OrderCartRow::of(draftLines().at(row)));
    refreshTotal();
}

void OrderCarViewController::lineRemoved(int row)
{
    m_rows.removeAt(row);
    refreshTotal();
}

void OrderCarViewController::linesReset()
{
    QList<OrderCartRow> rows;
    rows.reserve(draftLines().size());
    for (const Order &order : draftLines())
        rows.append(OrderCartRow::of(order));
    m_rows.setRows(rows, [](const OrderCartRow &r) { return r.orderSeq; });
    refreshTotal();
}

void OrderCarViewController::refreshTotal()
{
    float sum = 0;
    for (const Order &order : draftLines())
        sum += CustomerCredit::orderValue(order);
    if (AppContext *ctx = context())
        ctx->customerStruct().setNowOrderValue(sum);
    const QString text = moneyText(sum);
    if (text != m_allAmountText) {
        m_allAmountText = text;
        emit allAmountTextChanged();
    }
}

// ---- lines ----

void OrderCarViewController::selectLine(const QString &orderSeq)
{
    Storyboard *board = storyboard();
    SlideMenuController *slide = slideMenuController();
    const QList<Order> &lines = draftLines();
    const auto line = std::find_if(lines.cbegin(), lines.cend(), [&](const Order &o) { return o.orderSeq == orderSeq; });
    if (!board || !slide || line == lines.cend() || slide->presentedScreen())
        return;
    auto *edit = board->instantiate<EditOrderViewController>(Scene::EditOrder);
    if (!edit)
        return;
    edit->setOrder(*line);
    connect(edit, &EditOrderViewController::editOrderDone, this, &OrderCarViewController::editOrderDone);
    slide->present(new ZelkNavigationController(edit), true);
}

void OrderCarViewController::beginSwipe()
{
    if (SlideMenuController *slide = slideMenuController())
        slide->removeRightGestures();
}

void OrderCarViewController::endSwipe()
{
    if (SlideMenuController *slide = slideMenuController())
        slide->addRightGestures();
}

void OrderCarViewController::deleteLine(const QString &orderSeq)
{
    if (m_draft)
        m_draft->removeLine(orderSeq);
    endSwipe();
}

void OrderCarViewController::editOrderDone(const QString &orderSeq, const Order &order)
{
    // A changed line is a new line for the server: it must never be taken for the one it replaces. A
    // line gone meanwhile stays gone.
    if (m_draft)
        m_draft->editLine(orderSeq, order);
}

// ---- submission ----

void OrderCarViewController::orderDone()
{
    if (m_confirmationPending)
        return;
    if (draftLines().isEmpty()) {
        Alert alert;
        alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "沒有物料"));
        alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Cancel);
        if (Ui *u = ui())
            u->showAlert(alert);
        return;
    }
    SlideMenuController *slide = slideMenuController();
    Ui *u = ui();
    if (!slide || !u)
        return;
    slide->closeRight();
    m_confirmationPending = true;
    // The panel slides away first.
    u->runAfter(500, this, [this] { presentConfirmation(); });
}

void OrderCarViewController::presentConfirmation()
{
    m_confirmationPending = false;
    Storyboard *board = storyboard();
    SlideMenuController *slide = slideMenuController();
    if (!board || !slide || slide->presentedScreen())
        return;
    const auto [nav, confirm] = board->instantiateStack<OrderConfirmViewController>(Scene::OrderConfirmNavigation);
    if (!confirm)
        return;
    connect(confirm, &OrderConfirmViewController::successClosure, this, &OrderCarViewController::successClosure);
    connect(confirm, &OrderConfirmViewController::orderQueryClosure, this, &OrderCarViewController::orderQueryClosure);
    slide->present(nav, true);
}

void OrderCarViewController::successClosure(bool hasFailedLines, bool editRequested, bool closeRequested)
{
    SlideMenuController *slide = slideMenuController();
    if (!slide)
        return;
    // The rows and the cart's value have followed the answer already (what was ordered left the draft).
    Q_UNUSED(hasFailedLines)
    if (editRequested) {
        slide->openRight();
    } else if (closeRequested) {
        Ui *u = ui();
        slide->dismiss(false, [u] {
            if (u)
                u->dismissSpinner();
        });
    }
}

void OrderCarViewController::orderQueryClosure()
{
    SlideMenuController *slide = slideMenuController();
    Storyboard *board = storyboard();
    Ui *u = ui();
    if (!slide || !board)
        return;
    QPointer<TabBarController> tabs = qobject_cast<TabBarController *>(slide->presentingScreen());
    slide->dismiss(false, [u, tabs, board] {
        if (u)
            u->dismissSpinner();
        if (!tabs || tabs->viewControllers().isEmpty())
            return;
        OrderConfirmViewController::openOrderQueryOnRoot(
            qobject_cast<NavigationController *>(tabs->viewControllers().first()), board);
    });
}

// ---- panel ----

void OrderCarViewController::leftWillOpen() { qCDebug(lcOrder) << "SlideMenuControllerDelegate: leftWillOpen"; }
void OrderCarViewController::leftDidOpen() { qCDebug(lcOrder) << "SlideMenuControllerDelegate: leftDidOpen"; }
void OrderCarViewController::leftWillClose() { qCDebug(lcOrder) << "SlideMenuControllerDelegate: leftWillClose"; }
void OrderCarViewController::leftDidClose() { qCDebug(lcOrder) << "SlideMenuControllerDelegate: leftDidClose"; }

void OrderCarViewController::rightWillOpen()
{
    qCDebug(lcOrder) << "SlideMenuControllerDelegate: rightWillOpen";
    followDraft();
}

void OrderCarViewController::rightDidOpen()
{
    if (lcOrder().isDebugEnabled()) {
        QStringList seqs;
        for (const OrderCartRow &row : m_rows.rows())
            seqs << row.orderSeq;
        qCDebug(lcOrder) << "SlideMenuControllerDelegate: rightDidOpen" << seqs;
    }
}

void OrderCarViewController::rightWillClose()
{
    qCDebug(lcOrder) << "SlideMenuControllerDelegate: rightWillClose";
}

void OrderCarViewController::rightDidClose()
{
    qCDebug(lcOrder) << "SlideMenuControllerDelegate: rightDidClose";
}
