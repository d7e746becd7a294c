#include "order/SendMailViewController.h"

#include "model/AppContext.h"
#include "order/EditSentMailViewController.h"
#include "order/OrderLineDisplay.h"
#include "services/Operations.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/Storyboard.h"
#include "ui/Ui.h"

#include <QJsonArray>

namespace {
QString recipientsText(const SentMailOrderConfirm &request)
{
    QStringList names;
    for (const MailUser &user : request.mailList)
        names << user.name;
    return names.join(QStringLiteral("、"));
}
} // namespace

SendMailViewController::SendMailViewController(QObject *parent)
    : OrderConfirmMailScreen(parent),
      m_rows({{"orderNo", [](const SentMailOrderConfirm &r) { return QVariant(r.orderConfirm.sapOrderNo); }},
              {"ticked", [](const SentMailOrderConfirm &r) { return QVariant(r.wantSendMail); }},
              {"lineText",
               [](const SentMailOrderConfirm &r) {
                   return QVariant(r.orderConfirm.matnrName + localized(QT_TRANSLATE_NOOP("Zelk", " × ")) + r.orderConfirm.kwmeng);
               }},
              {"recipientsText", [](const SentMailOrderConfirm &r) { return QVariant(recipientsText(r)); }}},
             this)
{
}

void SendMailViewController::setOrderConfirmLines(const QList<OrderConfirm> &lines)
{
    QList<SentMailOrderConfirm> requests;
    for (const OrderConfirm &line : lines) {
        if (line.orderStatus == SapOrderStatus::success)
            requests.append(SentMailOrderConfirm(line));
    }
    m_rows.setRows(requests);
}

void SendMailViewController::viewDidLoad()
{
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "發送通知")));
    AppContext *ctx = context();
    // The confirmation offered this screen only once it had the notice group: it is there.
    const auto members = ctx ? ctx->lists().noticeGroupList() : std::nullopt;
    if (!members)
        return; // no recipients to offer: the requests keep their initial values
    m_mailArray = *members;
    QList<MailUser> contacts;
    bool groupHasRequired = false;
    for (const NoticeGroup &member : std::as_const(m_mailArray)) {
        if (isContactPerson(member.type))
            contacts.append(mailUserFrom(member));
        groupHasRequired |= isRequiredPerson(member.type);
    }
    QList<SentMailOrderConfirm> requests = m_rows.rows();
    for (SentMailOrderConfirm &request : requests) {
        request.mailList = contacts;
        request.needSelectMember = groupHasRequired;
    }
    m_rows.setRows(requests);
}

void SendMailViewController::viewWillAppear(bool animated)
{
    OrderConfirmMailScreen::viewWillAppear(animated);
    dismissKeyboard();
}

bool SendMailViewController::validRow(int row) const
{
    if (row >= 0 && row < m_rows.size())
        return true;
    qCWarning(lcOrder) << "no set indexPath";
    return false;
}

void SendMailViewController::checkAction(int row)
{
    if (!validRow(row))
        return;
    SentMailOrderConfirm request = m_rows.at(row);
    if (request.wantSendMail) {
        request.wantSendMail = false;
        m_rows.replace(row, request);
        return;
    }
    if (!request.needSelectMember) {
        request.wantSendMail = true;
        m_rows.replace(row, request);
        return;
    }
    // A row of a group with required persons is ticked only by saving its details.
    Alert alert;
    alert.context = this;
    alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "請手動選擇人員"));
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "取消")), AlertButton::Style::Cancel);
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "選擇")), AlertButton::Style::Default, [this, row] { openEdit(row, true); });
    if (Ui *u = ui())
        u->showAlert(alert);
}

void SendMailViewController::editAction(int row)
{
    if (validRow(row))
        openEdit(row, false);
}

void SendMailViewController::openEdit(int row, bool showSelectMailView)
{
    Storyboard *board = storyboard();
    NavigationController *nav = navigationController();
    if (!board || !nav || row < 0 || row >= m_rows.size() || nav->topViewController() != this)
        return;
    auto *edit = board->instantiate<EditSentMailViewController>(Scene::EditSentMail);
    if (!edit)
        return;
    edit->setSentMailOrderConfirm(m_rows.at(row));
    edit->setShowSelectMailView(showSelectMailView);
    connect(edit, &EditSentMailViewController::done, this,
            [this, row](const SentMailOrderConfirm &request) { m_rows.replace(row, request); });
    nav->push(edit, true);
}

void SendMailViewController::selectRow(int row)
{
    if (row >= 0 && row < m_rows.size())
        showOrderLineReadOnly(this, m_rows.at(row).orderConfirm);
}

void SendMailViewController::sendMailAction()
{
    AppContext *ctx = context();
    if (!ctx || m_sending)
        return;
    const QString userId = ctx->signedInUserId();
    QJsonArray list;
    for (const SentMailOrderConfirm &request : m_rows.rows()) {
        if (request.wantSendMail)
            list.append(sendMailObject(request, userId));
    }
    if (list.isEmpty()) {
        Alert alert;
        alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "請至少選擇一筆資料"));
        alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Cancel);
        if (Ui *u = ui())
            u->showAlert(alert);
        return;
    }
    m_sending = true;
    if (Ui *u = ui())
        u->showSpinner(this, SpinnerMask::Clear);
    ctx->operations().sendMail(list, this, [this](const ApiStatus &status) { handleAnswer(status); });
}

void SendMailViewController::handleAnswer(const ApiStatus &status)
{
    m_sending = false;
    Alert alert;
    alert.context = this;
    if (status.isSuccess && status.returnJson) {
        alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "成功"));
        alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Cancel, [this] {
            emit sentSuccessClosure();
            if (NavigationController *nav = navigationController(); nav && nav->topViewController() == this)
                nav->pop(true);
        });
    } else {
        // The rep stays here with the ticks and details kept, and may send again.
        alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "失敗"));
        alert.message = status.message;
        alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Cancel);
    }
    if (Ui *u = ui()) {
        u->showAlert(alert);
        u->dismissSpinner();
    }
}
