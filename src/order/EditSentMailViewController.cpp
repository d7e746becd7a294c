#include "order/EditSentMailViewController.h"

#include "order/ChoiceMailViewController.h"
#include "order/OrderLineDisplay.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/Storyboard.h"
#include "ui/Ui.h"

#include <algorithm>

EditSentMailViewController::EditSentMailViewController(QObject *parent)
    : Screen(parent),
      m_recipients({{"name", [](const MailUser &u) { return QVariant(u.name); }},
                    {"mail", [](const MailUser &u) { return QVariant(u.mail); }},
                    {"required", [](const MailUser &u) { return QVariant(isRequiredPerson(u.type)); }}},
                   this)
{
}

void EditSentMailViewController::setSentMailOrderConfirm(const SentMailOrderConfirm &request)
{
    m_request = request;
    showRecipients();
    emit requestChanged();
}

void EditSentMailViewController::showRecipients()
{
    m_recipients.setRows(m_request ? m_request->mailList : QList<MailUser>());
}

void EditSentMailViewController::setCarNo(const QString &text)
{
    if (text == m_carNo)
        return;
    m_carNo = text;
    emit fieldsChanged();
}

void EditSentMailViewController::setRemark(const QString &text)
{
    if (text == m_remark)
        return;
    m_remark = text;
    emit fieldsChanged();
}

QString EditSentMailViewController::orderNo() const { return m_request ? m_request->orderConfirm.sapOrderNo : QString(); }

QString EditSentMailViewController::lineText() const
{
    if (!m_request)
        return QString();
    return m_request->orderConfirm.matnrName + localized(QT_TRANSLATE_NOOP("Zelk", " × ")) + m_request->orderConfirm.kwmeng;
}

void EditSentMailViewController::viewDidLoad()
{
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "輸入發送資訊")));
    // What was entered for this request before shows again, so that saving never silently wipes it.
    if (m_request) {
        m_carNo = m_request->carNo;
        m_remark = m_request->remark;
        emit fieldsChanged();
    }
    setRightBarButtons({BarButton{localized(QT_TRANSLATE_NOOP("Zelk", "儲存")), QString(), QStringLiteral("saveButton"),
                                  [this] { saveAction(); }}});
}

void EditSentMailViewController::viewDidAppear(bool animated)
{
    Screen::viewDidAppear(animated);
    if (m_showSelectMailView) {
        m_showSelectMailView = false;
        selectMailAction();
    }
}

void EditSentMailViewController::selectMailAction()
{
    Storyboard *board = storyboard();
    NavigationController *nav = navigationController();
    if (!board || !nav || !m_request || nav->topViewController() != this)
        return;
    auto *choice = board->instantiate<ChoiceMailViewController>(Scene::ChoiceMail);
    if (!choice)
        return;
    choice->setSentMailOrderConfirm(*m_request);
    connect(choice, &ChoiceMailViewController::done, this, [this](const SentMailOrderConfirm &request) {
        // The fields typed here are kept: only the recipients come back changed.
        setSentMailOrderConfirm(request);
    });
    nav->push(choice, true);
}

void EditSentMailViewController::deleteAction(int row)
{
    if (!m_request || row < 0 || row >= m_request->mailList.size())
        return;
    if (isRequiredPerson(m_request->mailList.at(row).type)) {
        refuse(localized(QT_TRANSLATE_NOOP("Zelk", "無法刪除必選人員")));
        return;
    }
    m_request->mailList.removeAt(row);
    showRecipients();
}

void EditSentMailViewController::showOrderInfoAction()
{
    if (m_request)
        showOrderLineReadOnly(this, m_request->orderConfirm);
}

void EditSentMailViewController::refuse(const QString &title)
{
    Alert alert;
    alert.context = this;
    alert.title = title;
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "取消")), AlertButton::Style::Cancel);
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "前往編輯")), AlertButton::Style::Default, [this] { selectMailAction(); });
    if (Ui *u = ui())
        u->showAlert(alert);
}

void EditSentMailViewController::saveAction()
{
    if (!m_request)
        return;
    const QList<MailUser> &recipients = m_request->mailList;
    const bool hasRequired =
        std::any_of(recipients.begin(), recipients.end(), [](const MailUser &u) { return isRequiredPerson(u.type); });
    if (m_request->needSelectMember && !hasRequired) {
        refuse(localized(QT_TRANSLATE_NOOP("Zelk", "請選擇必選人員")));
        return;
    }
    if (recipients.isEmpty()) {
        refuse(localized(QT_TRANSLATE_NOOP("Zelk", "請選擇一定要選擇一位人員")));
        return;
    }
    NavigationController *nav = navigationController();
    if (!nav || nav->topViewController() != this)
        return;
    SentMailOrderConfirm saved = *m_request;
    saved.carNo = m_carNo;
    saved.remark = m_remark;
    saved.wantSendMail = true;
    emit done(saved);
    nav->pop(true);
}
