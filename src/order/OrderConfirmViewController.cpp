#include "order/OrderConfirmViewController.h"

#include "model/AppContext.h"
#include "model/NumberText.h"
#include "model/OrderResult.h"
#include "order/CustomerCredit.h"
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

QColor successRowColor() { return QColor::fromRgbF(0.26326287f, 0.506718f, 0.83805066f); }
QColor failRowColor() { return QColor(236, 60, 26); }
} // namespace

OrderConfirmViewController::OrderConfirmViewController(QObject *parent) : Screen(parent) {}

void OrderConfirmViewController::viewDidLoad()
{
    AppContext *ctx = context();
    if (ctx) {
        m_tableArray = ctx->cart().orderConfirmArray();
        m_amountText = ctx->cart().orderConfirmAmountText();
    }
    setTitle(localized(QStringLiteral("確認下單")));
    m_sendMailButtonViewHidden = true;
    m_buttons = {kConfirmButton};
    QPointer<OrderConfirmViewController> self(this);
    setLeftBarButtons({BarButton{localized(QStringLiteral("取消")), QString(), QStringLiteral("cancelBarButton"),
                                 [self] {
                                     if (self)
                                         self->closeAction(QStringLiteral("cancel"));
                                 }}});
    emit stateChanged();
    emit tableReloaded();
}

int OrderConfirmViewController::numberOfRows(int section) const
{
    if (section < 0 || section >= m_tableArray.size())
        return 0;
    return m_tableArray.at(section).orderStatus == SapOrderStatus::waitToOrder ? 1 : 2;
}

OrderConfirmViewController::CartCellTexts OrderConfirmViewController::cartCell(int section) const
{
    if (section < 0 || section >= m_tableArray.size())
        return {};
    const OrderConfirm &line = m_tableArray.at(section);
    const std::optional<float> price = CartState::wholeFloat(line.kbetr);
    const std::optional<float> quantity = CartState::wholeFloat(line.kwmeng);
    const float amount = price && quantity ? *price * *quantity : 0.0f;
    return {line.matnrName, localized(QStringLiteral("單價:")) + line.kbetr,
            localized(QStringLiteral(" × ")) + line.kwmeng, moneyText(amount), line.inco1bezei};
}

OrderConfirmViewController::StatusCellTexts OrderConfirmViewController::statusCell(int section) const
{
    if (section < 0 || section >= m_tableArray.size())
        return {};
    const OrderConfirm &line = m_tableArray.at(section);
    StatusCellTexts texts;
    texts.statusLabel = localized(rawValue(line.orderStatus));
    switch (line.orderStatus) {
    case SapOrderStatus::success:
        texts.messageLabel = localized(QStringLiteral("訂單編號：")) + line.sapOrderNo;
        texts.background = successRowColor();
        break;
    case SapOrderStatus::fail:
        texts.messageLabel = line.sapOrderError;
        texts.background = failRowColor();
        break;
    case SapOrderStatus::waitToOrder:
        texts.background = Qt::white;
        break;
    }
    qCDebug(lcOrder).noquote() << "status:" << rawValue(line.orderStatus);
    return texts;
}

QVariantList OrderConfirmViewController::sectionsForView() const
{
    QVariantList sections;
    for (int i = 0; i < m_tableArray.size(); ++i) {
        const CartCellTexts cart = cartCell(i);
        QVariantMap section{{QStringLiteral("name"), cart.nameLabel},
                            {QStringLiteral("priceText"), cart.priceLabel},
                            {QStringLiteral("orderNumberText"), cart.orderNumberLabel},
                            {QStringLiteral("allPriceText"), cart.allPriceLabel},
                            {QStringLiteral("inco1Text"), cart.inco1Label},
                            {QStringLiteral("rowCount"), numberOfRows(i)}};
        if (numberOfRows(i) > 1) {
            const StatusCellTexts status = statusCell(i);
            section.insert(QStringLiteral("statusText"), status.statusLabel);
            section.insert(QStringLiteral("messageText"), status.messageLabel);
            section.insert(QStringLiteral("statusColor"), status.background);
        }
        sections.append(section);
    }
    return sections;
}

void OrderConfirmViewController::orderAction()
{
    AppContext *ctx = context();
    if (!ctx || !m_buttons.contains(kConfirmButton))
        return;
    if (Ui *u = ui())
        u->showSpinner(SpinnerMask::Clear);
    const QString userId = ctx->userId().value_or(QString());
    const QString email = ctx->userInfo().email.value_or(QString());
    QJsonArray lines;
    for (const OrderConfirm &line : ctx->cart().orderConfirmArray())
        lines.append(lineObject(line, userId, email));
    const QJsonObject parameters{{QStringLiteral("userID"), userId}, {QStringLiteral("eipOrder2List"), lines}};
    m_amountViewHidden = true;
    emit stateChanged();
    QPointer<OrderConfirmViewController> self(this);
    ctx->submissionGuard().eipOrder2(parameters, [self](const ApiStatus &status) {
        if (self)
            self->handleAnswer(status);
    });
}

void OrderConfirmViewController::handleAnswer(const ApiStatus &status)
{
    AppContext *ctx = context();
    if (!status.isSuccess || !status.returnJson) {
        Alert alert;
        alert.title = localized(QStringLiteral("下單失敗"));
        alert.message = status.message;
        alert.addButton(localized(QStringLiteral("確定")), AlertButton::Style::Cancel);
        if (status.returnCode == QLatin1String("ORDER_TIME_LIMIT")) {
            QPointer<OrderConfirmViewController> self(this);
            alert.addButton(localized(QStringLiteral("訂單查詢")), AlertButton::Style::Default, [self] {
                if (self)
                    self->orderQueryAction();
            });
        }
        if (Ui *u = ui())
            u->showAlert(alert);
        afterAttempt();
        return;
    }

    markOrderResults(m_tableArray, status.returnJson->object().value(QStringLiteral("orderList")).toArray());
    if (ctx)
        ctx->cart().setCartOrderArray(ordersLeft(m_tableArray, ctx->cart().cartOrderArray()));
    afterAttempt();
}

bool OrderConfirmViewController::mailScreenAvailable() const
{
    Storyboard *board = storyboard();
    return board && board->contains(QStringLiteral("OrderConfirm"), QStringLiteral("SendMailViewController"));
}

void OrderConfirmViewController::afterAttempt()
{
    if (Ui *u = ui())
        u->dismissSpinner();
    AppContext *ctx = context();
    bool anySuccess = false;
    bool allSuccess = !m_tableArray.isEmpty();
    for (const OrderConfirm &line : std::as_const(m_tableArray)) {
        if (line.orderStatus == SapOrderStatus::success)
            anySuccess = true;
        else
            allSuccess = false;
    }
    if (anySuccess && ctx && mailScreenAvailable()) {
        const auto members = ctx->lists().noticeGroupList(true, false);
        if (members && !members->isEmpty())
            m_sendMailButtonViewHidden = false;
    }
    if (allSuccess) {
        m_orderQueryButtonColor = QColor(236, 60, 26);
        m_buttons = {kOrderQueryButton, kCloseButton};
    } else {
        m_orderQueryButtonColor = QColor::fromRgbF(0, 0.5603183f, 0);
        m_buttons = {kOrderQueryButton, kEditOrderButton};
    }
    // What was ordered has used credit: the figure is asked for again.
    if (anySuccess && ctx)
        CustomerCredit::getCustomerCredit(*ctx, {});
    emit tableReloaded();
    emit stateChanged();
}

void OrderConfirmViewController::closeAction(const QString &sender)
{
    if (isBeingDismissed())
        return;
    bool hasFailedLines = false;
    for (const OrderConfirm &line : std::as_const(m_tableArray)) {
        if (line.orderStatus == SapOrderStatus::fail)
            hasFailedLines = true;
    }
    const bool editRequested = sender == kEditOrderButton;
    const bool closeRequested = sender == kCloseButton;
    const SuccessClosure closure = m_successClosure;
    dismiss(true, [closure, hasFailedLines, editRequested, closeRequested] {
        if (closure)
            closure(hasFailedLines, editRequested, closeRequested);
    });
}

void OrderConfirmViewController::orderQueryAction()
{
    if (isBeingDismissed())
        return;
    const std::function<void()> closure = m_orderQueryClosure;
    dismiss(true, [closure] {
        if (closure)
            closure();
    });
}

void OrderConfirmViewController::sentMailAction()
{
    Storyboard *board = storyboard();
    NavigationController *nav = navigationController();
    if (!board || !nav)
        return;
    Screen *mail = board->instantiate(QStringLiteral("OrderConfirm"), QStringLiteral("SendMailViewController"));
    if (!mail)
        return;
    QMetaObject::invokeMethod(mail, "setOrderConfirmLines", Q_ARG(QVariant, QVariant::fromValue(m_tableArray)));
    if (mail->metaObject()->indexOfSignal("sentSuccess()") >= 0)
        connect(mail, SIGNAL(sentSuccess()), this, SLOT(mailSent()));
    nav->push(mail, true);
}

void OrderConfirmViewController::mailSent()
{
    m_sendMailButtonTitle = localized(QStringLiteral("已成功發送通知"));
    m_sendMailButtonEnabled = false;
    emit stateChanged();
}
