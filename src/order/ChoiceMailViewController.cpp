#include "order/ChoiceMailViewController.h"

#include "model/AppContext.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"

#include <algorithm>

ChoiceMailViewController::ChoiceMailViewController(QObject *parent)
    : Screen(parent),
      m_rows({{"header", [](const ChoiceMailRow &r) { return QVariant(r.header); }},
              {"name", [](const ChoiceMailRow &r) { return QVariant(r.member.userName); }},
              {"mail", [](const ChoiceMailRow &r) { return QVariant(r.member.email); }},
              {"selected", [](const ChoiceMailRow &r) { return QVariant(r.selected); }},
              {"required", [](const ChoiceMailRow &r) { return QVariant(isRequiredPerson(r.member.type)); }}},
             this)
{
}

void ChoiceMailViewController::viewDidLoad()
{
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "選擇人員")));
    AppContext *ctx = context();
    // The confirmation offered this screen only once it had the notice group: it is there.
    m_mailArray = ctx ? ctx->lists().noticeGroupList().value_or(QList<NoticeGroup>()) : QList<NoticeGroup>();
    m_selectArray.clear();
    const QList<MailUser> recipients = m_request ? m_request->mailList : QList<MailUser>();
    for (const NoticeGroup &member : std::as_const(m_mailArray)) {
        if (std::any_of(recipients.begin(), recipients.end(), [&](const MailUser &u) { return u.userId == member.userId; }))
            m_selectArray.append(member);
    }
    setRightBarButtons({BarButton{localized(QT_TRANSLATE_NOOP("Zelk", "儲存")), QString(), QStringLiteral("saveButton"),
                                  [this] { saveAction(); }}});
    showRows();
}

bool ChoiceMailViewController::isSelected(const NoticeGroup &member) const
{
    return std::any_of(m_selectArray.begin(), m_selectArray.end(),
                       [&](const NoticeGroup &chosen) { return chosen.userId == member.userId; });
}

void ChoiceMailViewController::showRows()
{
    QList<ChoiceMailRow> required, contacts;
    for (const NoticeGroup &member : std::as_const(m_mailArray)) {
        if (isRequiredPerson(member.type))
            required.append({member, isSelected(member), {}});
        else if (isContactPerson(member.type))
            contacts.append({member, isSelected(member), {}});
    }
    if (!required.isEmpty())
        required.first().header = localized(QT_TRANSLATE_NOOP("Zelk", "請於以下人員中一定要選一位"));
    if (!contacts.isEmpty())
        contacts.first().header = localized(QT_TRANSLATE_NOOP("Zelk", "聯絡人員"));
    m_rows.setRows(required + contacts);
}

void ChoiceMailViewController::selectRow(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    const NoticeGroup member = m_rows.at(row).member;
    if (isRequiredPerson(member.type))
        addRedioMail(member);
    else
        addMail(member);
}

void ChoiceMailViewController::addRedioMail(const NoticeGroup &member)
{
    m_selectArray.removeIf([](const NoticeGroup &chosen) { return isRequiredPerson(chosen.type); });
    m_selectArray.append(member);
    showRows();
}

void ChoiceMailViewController::addMail(const NoticeGroup &member)
{
    const qsizetype removed =
        m_selectArray.removeIf([&](const NoticeGroup &chosen) { return chosen.userId == member.userId; });
    if (removed == 0)
        m_selectArray.append(member);
    showRows();
}

void ChoiceMailViewController::saveAction()
{
    NavigationController *nav = navigationController();
    if (!m_request || !nav || nav->topViewController() != this)
        return;
    QList<MailUser> mailList;
    for (const NoticeGroup &member : std::as_const(m_selectArray))
        mailList.append(mailUserFrom(member));
    std::stable_partition(mailList.begin(), mailList.end(), [](const MailUser &u) { return isRequiredPerson(u.type); });
    SentMailOrderConfirm request = *m_request;
    request.mailList = mailList;
    emit done(request);
    nav->pop(true);
}
