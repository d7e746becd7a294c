#include "order/OrderConfirmViewController.h"

#include "model/AppContext.h"
#include "model/NumberText.h"
#include "model/OrderResult.h"
#include "services/Operations.h"
#include "ui/Colors.h"
#include "order/CustomerCredit.h"
#include "order/OutboxStateText.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/Storyboard.h"
#include "ui/Ui.h"

#include <QJsonArray>

namespace {
const QString kConfirmButton = QStringLiteral("confirmButton");
const QString kOrderQueryButton = QStringLiteral("orderQueryButton");
const QString kCloseButton = QStringLiteral("closeButton");
const QString kEditOrderButton = QStringLiteral("editOrderButton");

using Section = OrderConfirmViewController::Section;
template <class Text> RowListModel<Section>::Role cartRole(const char *name, Text text)
{
    return {name, [text](const Section &section) { return QVariant(section.cart.*text); }};
}
template <class Field> RowListModel<Section>::Role statusRole(const char *name, Field field)
{
    return {name, [field](const Section &section) { return QVariant(section.status.*field); }};
}
} // namespace

OrderConfirmViewController::OrderConfirmViewController(QObject *parent)
    : Screen(parent),
      m_sections({cartRole("name", &CartCellTexts::nameLabel),
                  cartRole("priceText", &CartCellTexts::priceLabel),
                  cartRole("orderNumberText", &CartCellTexts::orderNumberLabel),
                  cartRole("allPriceText", &CartCellTexts::allPriceLabel),
                  cartRole("inco1Text", &CartCellTexts::inco1Label),
                  {"answered", [](const Section &section) { return QVariant(section.answered); }},
                  statusRole("statusText", &StatusCellTexts::statusLabel),
                  statusRole("messageText", &StatusCellTexts::messageLabel),
                  statusRole("statusColor", &StatusCellTexts::background)},
                 this),
      m_buttons({{"buttonId", [](const OrderConfirmButton &b) { return QVariant(b.id); }},
                 {"title", [](const OrderConfirmButton &b) { return QVariant(b.title); }},
                 {"accent", [](const OrderConfirmButton &b) { return QVariant(b.accent); }}},
                this)
{
}

void OrderConfirmViewController::openOrderQueryOnRoot(NavigationController *stack, Storyboard *storyboard)
{
    if (!stack || !storyboard)
        return;
    QPointer<NavigationController> guard(stack);
    stack->popToRoot(false, [guard, storyboard] {
        if (!guard)
            return;
        if (Screen *history = storyboard->instantiate(Scene::OrderHistory))
            guard->push(history, true);
    });
}

OrderConfirmViewController::Section OrderConfirmViewController::Section::of(const OrderConfirm &line)
{
    return {line.orderSeq, line.orderStatus != SapOrderStatus::waitToOrder, cartCell(line), statusCell(line)};
}

const QList<OrderConfirm> &OrderConfirmViewController::shownLines() const
{
    static const QList<OrderConfirm> none;
    if (!m_draft)
        return none;
    return m_showsAnswer ? m_draft->answeredLines() : m_draft->cart().orderConfirmArray();
}

QList<OrderConfirm> OrderConfirmViewController::tableArray() const
{
    QList<OrderConfirm> lines;
    lines.reserve(shownLines().size());
    for (const OrderConfirm &line : shownLines())
        lines.append(m_draft->withResult(line));
    return lines;
}

void OrderConfirmViewController::followDraft()
{
    if (!m_outboxId.isEmpty())
        return; // the order went to the outbox: the rows follow it there
    QList<Section> sections;
    sections.reserve(shownLines().size());
    for (const OrderConfirm &line : shownLines())
        sections.append(Section::of(m_draft->withResult(line)));
    m_sections.setRows(sections, [](const Section &section) { return section.orderSeq; });
    // The total is that of the lines to send; once sent it is no longer shown.
    if (m_draft && !m_showsAnswer && m_amountText != m_draft->cart().orderConfirmAmountText()) {
        m_amountText = m_draft->cart().orderConfirmAmountText();
        emit amountTextChanged();
    }
}

void OrderConfirmViewController::viewDidLoad()
{
    if (AppContext *ctx = context()) {
        m_draft = &ctx->draft();
        for (const auto change : {&OrderDraft::lineAdded, &OrderDraft::lineChanged, &OrderDraft::lineRemoved})
            connect(m_draft, change, this, &OrderConfirmViewController::followDraft);
        connect(m_draft, &OrderDraft::linesReset, this, &OrderConfirmViewController::followDraft);
        connect(m_draft, &OrderDraft::resultsRecorded, this, &OrderConfirmViewController::followDraft);
    }
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "確認下單")));
    m_sendMailButtonViewHidden = true;
    m_sendMailButtonTitle = localized(QT_TRANSLATE_NOOP("Zelk", "發送通知"));
    setButtons({kConfirmButton});
    // The bar button belongs to this screen: it goes with it.
    setLeftBarButtons({BarButton{localized(QT_TRANSLATE_NOOP("Zelk", "取消")), QString(), QStringLiteral("cancelBarButton"),
                                 [this] { closeAction(QStringLiteral("cancel")); }}});
    followDraft();
    emit stateChanged();
    emit tableReloaded();
}

int OrderConfirmViewController::numberOfRows(int section) const
{
    if (section < 0 || section >= m_sections.size())
        return 0;
    return m_sections.at(section).answered ? 2 : 1;
}

OrderConfirmViewController::CartCellTexts OrderConfirmViewController::cartCell(int section) const
{
    if (section < 0 || section >= m_sections.size())
        return {};
    return m_sections.at(section).cart;
}

OrderConfirmViewController::CartCellTexts OrderConfirmViewController::cartCell(const OrderConfirm &line)
{
    const std::optional<float> price = CartState::wholeFloat(line.kbetr);
    const std::optional<float> quantity = CartState::wholeFloat(line.kwmeng);
    const float amount = price && quantity ? *price * *quantity : 0.0f;
    return {line.matnrName, localized(QT_TRANSLATE_NOOP("Zelk", "單價:")) + line.kbetr,
            localized(QT_TRANSLATE_NOOP("Zelk", " × ")) + line.kwmeng, moneyText(amount), line.inco1bezei};
}

OrderConfirmViewController::StatusCellTexts OrderConfirmViewController::statusCell(int section) const
{
    if (section < 0 || section >= m_sections.size())
        return {};
    return m_sections.at(section).status;
}

OrderConfirmViewController::StatusCellTexts OrderConfirmViewController::statusCell(const OrderConfirm &line)
{
    StatusCellTexts texts;
    texts.statusLabel = localized(rawValue(line.orderStatus));
    switch (line.orderStatus) {
    case SapOrderStatus::success:
        texts.messageLabel = localized(QT_TRANSLATE_NOOP("Zelk", "訂單編號：")) + line.sapOrderNo;
        texts.background = Colors::placed();
        break;
    case SapOrderStatus::fail:
        texts.messageLabel = line.sapOrderError;
        texts.background = Colors::refused();
        break;
    case SapOrderStatus::waitToOrder:
        texts.background = Qt::white;
        break;
    }
    return texts;
}

QStringList OrderConfirmViewController::buttonIds() const
{
    QStringList ids;
    for (const OrderConfirmButton &button : m_buttons.rows())
        ids << button.id;
    return ids;
}

void OrderConfirmViewController::setButtons(const QStringList &ids)
{
    QList<OrderConfirmButton> buttons;
    for (const QString &id : ids) {
        if (id == kConfirmButton)
            buttons.append({id, localized(QT_TRANSLATE_NOOP("Zelk", "確認下單")), Colors::brandRed()});
        else if (id == kOrderQueryButton)
            buttons.append({id, localized(QT_TRANSLATE_NOOP("Zelk", "訂單查詢")), m_orderQueryButtonColor});
        else if (id == kCloseButton)
            buttons.append({id, localized(QT_TRANSLATE_NOOP("Zelk", "關閉")), Colors::brandRed()});
        else
            buttons.append({id, localized(QT_TRANSLATE_NOOP("Zelk", "修改訂單")), Colors::brandRed()});
    }
    m_buttons.setRows(buttons);
}

void OrderConfirmViewController::buttonTapped(const QString &buttonId)
{
    // Only a button the row shows now acts.
    if (!buttonIds().contains(buttonId))
        return;
    if (buttonId == kConfirmButton)
        orderAction();
    else if (buttonId == kOrderQueryButton)
        orderQueryAction();
    else
        closeAction(buttonId);
}

void OrderConfirmViewController::orderAction()
{
    AppContext *ctx = context();
    if (!ctx || !buttonIds().contains(kConfirmButton))
        return;
    const QString userId = ctx->signedInUserId();
    const QString email = ctx->userInfo().email.value_or(QString());
    const QList<OrderConfirm> sent = ctx->draft().cart().orderConfirmArray();
    QJsonArray lines;
    for (const OrderConfirm &line : sent)
        lines.append(lineObject(line, userId, email));
    m_amountViewHidden = true;
    emit stateChanged();
    // Known to be offline: the order waits in the outbox instead of failing.
    if (ctx->connectivity().isOffline()) {
        holdInOutbox(sent, OutboxLineState::waiting);
        return;
    }
    if (Ui *u = ui())
        u->showSpinner(this, SpinnerMask::Clear);
    // From the moment the lines go out their fate is unknown, and the draft says so should the app end
    // before the answer.
    ctx->submissionGuard().eipOrder2(Operations::orderSubmissionParameters(userId, lines),
                                     whileAlive(this, [this, sent](const ApiStatus &status) { handleAnswer(status, sent); }),
                                     [ctx, sent] { ctx->draft().markSent(sent); });
}

void OrderConfirmViewController::handleAnswer(const ApiStatus &status, const QList<OrderConfirm> &sent)
{
    AppContext *ctx = context();
    if (status.unreachable && ctx) {
        // The gateway could not be reached: the lines may or may not have arrived. The outbox sends them
        // again under the same identities, which the server places once.
        if (Ui *u = ui())
            u->dismissSpinner();
        holdInOutbox(sent, OutboxLineState::unknown);
        return;
    }
    if (!status.isSuccess || !status.returnJson) {
        Alert alert;
        alert.context = this;
        alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "下單失敗"));
        alert.message = status.message;
        alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Cancel);
        if (status.returnCode == QLatin1String("ORDER_TIME_LIMIT")) {
            alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "訂單查詢")), AlertButton::Style::Default,
                            [this] { orderQueryAction(); });
        }
        if (Ui *u = ui())
            u->showAlert(alert);
        afterAttempt();
        return;
    }

    if (ctx) {
        // The lines sent with the answer's marks go to the draft, which keeps them and their results;
        // the rows show them from now on.
        QList<OrderConfirm> answered = sent;
        markOrderResults(answered, status.returnJson->object().value(QStringLiteral("orderList")).toArray());
        m_showsAnswer = true;
        ctx->draft().recordAnswer(answered);
        // Everything ordered: the order is done, and its draft with it.
        if (ctx->draft().lines().isEmpty())
            ctx->draft().discard();
    }
    afterAttempt();
}

void OrderConfirmViewController::holdInOutbox(const QList<OrderConfirm> &lines, OutboxLineState state)
{
    AppContext *ctx = context();
    Outbox &outbox = ctx->outbox();
    m_outboxId = outbox.add(ctx->draft().kind(), ctx->draft().order().orderCustomer, lines, state, ctx->draft().content());
    if (m_outboxId.isEmpty())
        return;
    const auto follow = [this](const QString &id) {
        if (id == m_outboxId)
            followOutbox();
    };
    connect(&outbox, &Outbox::lineStateChanged, this, follow);
    connect(&outbox, &Outbox::orderRemoved, this, follow);
    connect(&outbox, &Outbox::orderFinished, this, [this](const OutboxOrder &order) {
        if (order.id == m_outboxId)
            followOutbox(&order);
    });
    // The order is the outbox's now; the draft starts afresh.
    ctx->draft().discard();
    followOutbox();
    setButtons({kCloseButton});
    emit tableReloaded();
    emit stateChanged();
    Alert alert;
    alert.context = this;
    alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "訂單待送出"));
    alert.message = localized(QT_TRANSLATE_NOOP("Zelk", "目前無法連線，訂單已存入待送出訂單，連線恢復後會自動送出。"));
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Cancel);
    if (Ui *u = ui())
        u->showAlert(alert);
}

void OrderConfirmViewController::followOutbox(const OutboxOrder *finished)
{
    AppContext *ctx = context();
    const OutboxOrder *order = finished ? finished : (ctx ? ctx->outbox().order(m_outboxId) : nullptr);
    if (!order)
        return; // removed: the last rows stay
    QList<Section> sections;
    for (const OutboxLine &line : order->lines) {
        const OutboxStateText state = OutboxStateText::of(line);
        sections.append({line.line.orderSeq, true, cartCell(line.line), {state.state, state.message, state.background}});
    }
    m_sections.setRows(sections, [](const Section &section) { return section.orderSeq; });
}

bool OrderConfirmViewController::mailScreenAvailable() const
{
    Storyboard *board = storyboard();
    return board && board->contains(Scene::SendMail);
}

void OrderConfirmViewController::afterAttempt()
{
    if (Ui *u = ui())
        u->dismissSpinner();
    AppContext *ctx = context();
    bool anySuccess = false;
    const QList<OrderConfirm> lines = tableArray();
    bool allSuccess = !lines.isEmpty();
    for (const OrderConfirm &line : lines) {
        if (line.orderStatus == SapOrderStatus::success)
            anySuccess = true;
        else
            allSuccess = false;
    }
    if (anySuccess && ctx && mailScreenAvailable()) {
        // Offered once the notice group is known to have members; the rest of the page does not wait.
        withLists({QStringLiteral("getNoticeGroupUserList")}, [this] {
            const auto members = context()->lists().noticeGroupList();
            if (!members || members->isEmpty())
                return;
            m_sendMailButtonViewHidden = false;
            emit stateChanged();
        });
    }
    if (allSuccess) {
        m_orderQueryButtonColor = Colors::refused();
        setButtons({kOrderQueryButton, kCloseButton});
    } else {
        m_orderQueryButtonColor = Colors::notAllPlaced();
        setButtons({kOrderQueryButton, kEditOrderButton});
    }
    // What was ordered has used credit: the figure is asked for again.
    if (anySuccess && ctx)
        CustomerCredit::getCustomerCredit(*ctx, nullptr, {});
    emit tableReloaded();
    emit stateChanged();
}

void OrderConfirmViewController::closeAction(const QString &sender)
{
    if (isBeingDismissed())
        return;
    bool hasFailedLines = false;
    for (const OrderConfirm &line : tableArray()) {
        if (line.orderStatus == SapOrderStatus::fail)
            hasFailedLines = true;
    }
    const bool editRequested = sender == kEditOrderButton;
    const bool closeRequested = sender == kCloseButton;
    // The completion runs only while this screen lives (it is deleted after it).
    dismiss(true, [this, hasFailedLines, editRequested, closeRequested] {
        emit successClosure(hasFailedLines, editRequested, closeRequested);
    });
}

void OrderConfirmViewController::orderQueryAction()
{
    if (isBeingDismissed())
        return;
    dismiss(true, [this] { emit orderQueryClosure(); });
}

void OrderConfirmViewController::sentMailAction()
{
    Storyboard *board = storyboard();
    NavigationController *nav = navigationController();
    if (!board || !nav)
        return;
    auto *mail = board->instantiate<OrderConfirmMailScreen>(Scene::SendMail);
    if (!mail)
        return;
    mail->setOrderConfirmLines(tableArray());
    connect(mail, &OrderConfirmMailScreen::sentSuccessClosure, this, &OrderConfirmViewController::mailSent);
    nav->push(mail, true);
}

void OrderConfirmViewController::mailSent()
{
    m_sendMailButtonTitle = localized(QT_TRANSLATE_NOOP("Zelk", "已成功發送通知"));
    m_sendMailButtonEnabled = false;
    emit stateChanged();
}
