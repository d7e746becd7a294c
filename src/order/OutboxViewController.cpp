#include "order/OutboxViewController.h"

#include "model/AppContext.h"
#include "model/Outbox.h"
#include "order/ChooseOrderTypeViewController.h"
#include "order/OrderConfirmViewController.h"
#include "order/OutboxStateText.h"
#include "text/Localizer.h"
#include "ui/Alert.h"
#include "ui/Segue.h"
#include "ui/Ui.h"

#include <QDateTime>

#include <algorithm>

OutboxViewController::OutboxViewController(QObject *parent)
    : Screen(parent),
      m_rows({{"orderIndex", [](const Row &r) { return r.orderIndex; }},
              {"first", [](const Row &r) { return r.first; }},
              {"last", [](const Row &r) { return r.last; }},
              {"customerText", [](const Row &r) { return r.customerText; }},
              {"kindText", [](const Row &r) { return r.kindText; }},
              {"timeText", [](const Row &r) { return r.timeText; }},
              {"canChange", [](const Row &r) { return r.canChange; }},
              {"canRemove", [](const Row &r) { return r.canRemove; }},
              {"name", [](const Row &r) { return r.name; }},
              {"priceText", [](const Row &r) { return r.priceText; }},
              {"orderNumberText", [](const Row &r) { return r.orderNumberText; }},
              {"allPriceText", [](const Row &r) { return r.allPriceText; }},
              {"stateText", [](const Row &r) { return r.stateText; }},
              {"messageText", [](const Row &r) { return r.messageText; }},
              {"stateColor", [](const Row &r) { return r.stateColor; }}})
{
}

void OutboxViewController::viewDidLoad()
{
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "待送出訂單")));
    AppContext *ctx = context();
    if (!ctx)
        return;
    Outbox &outbox = ctx->outbox();
    const auto reloadOnChange = [this] { reload(); };
    connect(&outbox, &Outbox::orderAdded, this, reloadOnChange);
    connect(&outbox, &Outbox::orderRemoved, this, reloadOnChange);
    connect(&outbox, &Outbox::lineStateChanged, this, reloadOnChange);
    connect(&outbox, &Outbox::orderFinished, this, reloadOnChange);
    reload();
}

void OutboxViewController::reload()
{
    AppContext *ctx = context();
    QList<Row> rows;
    m_orderIds.clear();
    if (ctx) {
        const Outbox &outbox = ctx->outbox();
        for (const OutboxOrder &order : outbox.orders()) {
            const int orderIndex = int(m_orderIds.size());
            m_orderIds << order.id;
            const bool goingOut = order.id == outbox.sendingOrder();
            for (qsizetype i = 0; i < order.lines.size(); ++i) {
                const OutboxLine &line = order.lines.at(i);
                const auto cart = OrderConfirmViewController::cartCell(line.line);
                const OutboxStateText state = OutboxStateText::of(line);
                Row row;
                row.orderSeq = line.line.orderSeq;
                row.orderIndex = orderIndex;
                row.first = i == 0;
                row.last = i == order.lines.size() - 1;
                row.customerText = order.customer.name1;
                row.kindText = localized(order.kind == OrderDraftContent::Kind::contract ? QT_TRANSLATE_NOOP("Zelk", "合約訂單")
                                                                                        : QT_TRANSLATE_NOOP("Zelk", "一般訂單"));
                row.timeText = QDateTime::fromSecsSinceEpoch(qint64(order.putAt)).toString(QStringLiteral("yyyy/MM/dd HH:mm"));
                row.canChange = order.changeable() && !goingOut;
                row.canRemove = !goingOut;
                row.name = cart.nameLabel;
                row.priceText = cart.priceLabel;
                row.orderNumberText = cart.orderNumberLabel;
                row.allPriceText = cart.allPriceLabel;
                row.stateText = state.state;
                row.messageText = state.message;
                row.stateColor = state.background;
                rows << row;
            }
        }
    }
    m_rows.setRows(rows, [](const Row &row) { return row.orderSeq; });
    emit rowsChanged();
}

void OutboxViewController::tell(const QString &title, const QString &message)
{
    Alert alert;
    alert.context = this;
    alert.title = title;
    alert.message = message;
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Cancel);
    if (Ui *u = ui())
        u->showAlert(alert);
}

QString OutboxViewController::orderId(int orderIndex) const
{
    return orderIndex >= 0 && orderIndex < m_orderIds.size() ? m_orderIds.at(orderIndex) : QString();
}

void OutboxViewController::change(int orderIndex)
{
    AppContext *ctx = context();
    const QString id = orderId(orderIndex);
    if (!ctx || id.isEmpty())
        return;
    // Another order being entered is never replaced: the rep finishes or leaves it first.
    if (ctx->draft().resumable()) {
        tell(localized(QT_TRANSLATE_NOOP("Zelk", "尚有未完成的訂單")), localized(QT_TRANSLATE_NOOP("Zelk", "請先完成或離開目前的訂單，再修改待送出訂單。")));
        return;
    }
    const std::optional<OrderDraftContent> entered = ctx->outbox().takeBack(id);
    if (!entered) {
        // It went out meanwhile: what it says now is on the list.
        tell(localized(QT_TRANSLATE_NOOP("Zelk", "無法修改")), localized(QT_TRANSLATE_NOOP("Zelk", "這筆訂單已開始送出，無法修改。")));
        return;
    }
    ctx->draft().restore(*entered);
    Segue::show(this, ChooseOrderTypeViewController::instantiate(
                          storyboard(), localized(QT_TRANSLATE_NOOP("Zelk", "訂單創建")), true));
}

void OutboxViewController::remove(int orderIndex)
{
    AppContext *ctx = context();
    const QString id = orderId(orderIndex);
    const OutboxOrder *order = ctx ? ctx->outbox().order(id) : nullptr;
    if (!order)
        return;
    const bool mayBePlaced = std::any_of(order->lines.cbegin(), order->lines.cend(), [](const OutboxLine &l) {
        return l.state == OutboxLineState::unknown || l.state == OutboxLineState::sending;
    });
    Alert alert;
    alert.context = this;
    alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "刪除待送出訂單"));
    alert.message = mayBePlaced
                        ? localized(QT_TRANSLATE_NOOP("Zelk", "這筆訂單有已送出但未收到回覆的品項，可能已經下單。請先到訂單查詢確認，再決定是否刪除。"))
                        : localized(QT_TRANSLATE_NOOP("Zelk", "確定要刪除這筆待送出訂單嗎？"));
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "取消")), AlertButton::Style::Cancel);
    if (mayBePlaced) {
        alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "訂單查詢")), AlertButton::Style::Default,
                        [this] { Segue::perform(this, Scene::OrderHistory); });
    }
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "刪除")), AlertButton::Style::Destructive, [this, id] {
        AppContext *c = context();
        if (c && !c->outbox().remove(id))
            tell(localized(QT_TRANSLATE_NOOP("Zelk", "無法刪除")), localized(QT_TRANSLATE_NOOP("Zelk", "這筆訂單正在送出，請稍後再試。")));
    });
    if (Ui *u = ui())
        u->showAlert(alert);
}
