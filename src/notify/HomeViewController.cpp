#include "notify/HomeViewController.h"

#include "model/AppContext.h"
#include "model/Outbox.h"
#include "notify/PushHistory.h"
#include "order/ChooseOrderTypeViewController.h"
#include "text/Localizer.h"
#include "ui/Colors.h"
#include "ui/ResumeOffer.h"
#include "ui/Segue.h"
#include "ui/TabBarController.h"

#include <QHash>

HomeViewController::HomeViewController(QObject *parent)
    : Screen(parent),
      m_menu({{"name", [](const MenuEntry &e) { return e.name; }}, {"badge", [](const MenuEntry &e) { return e.badge; }}}),
      m_clock([] { return QDateTime::currentDateTime(); })
{
    m_menu.setRows({{localized(QT_TRANSLATE_NOOP("Zelk", "訂單創建")), QStringLiteral("order")},
                    {localized(QT_TRANSLATE_NOOP("Zelk", "訂單查詢")), QStringLiteral("orderHistory")},
                    {localized(QT_TRANSLATE_NOOP("Zelk", "待送出訂單")), QStringLiteral("outbox")},
                    {localized(QT_TRANSLATE_NOOP("Zelk", "簽核系統")), QString()},
                    {localized(QT_TRANSLATE_NOOP("Zelk", "集團資訊")), QString()}});
}

QString HomeViewController::greetingKey(int hour)
{
    if (hour >= 5 && hour <= 11)
        return QStringLiteral(QT_TRANSLATE_NOOP("Zelk", "早安 "));
    if (hour >= 12 && hour <= 18)
        return QStringLiteral(QT_TRANSLATE_NOOP("Zelk", "午安 "));
    return QStringLiteral(QT_TRANSLATE_NOOP("Zelk", "晚安 "));
}

QString HomeViewController::menuHeader() const { return localized(QT_TRANSLATE_NOOP("Zelk", "主要功能")); }

QColor HomeViewController::menuTextColor() const { return Colors::titleText(); }

void HomeViewController::viewDidLoad()
{
    // The tab item says "首頁"; the navigation bar shows the company name.
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "澤勒中國")));
    fillHomeCell();
    if (AppContext *ctx = context()) {
        Outbox &box = ctx->outbox();
        const auto count = [this] { countOutbox(); };
        connect(&box, &Outbox::orderAdded, this, count);
        connect(&box, &Outbox::orderRemoved, this, count);
        connect(&box, &Outbox::orderFinished, this, count);
    }
    countOutbox();
}

void HomeViewController::countOutbox()
{
    AppContext *ctx = context();
    const int count = ctx ? int(ctx->outbox().orders().size()) : 0;
    QList<MenuEntry> rows = m_menu.rows();
    for (MenuEntry &entry : rows) {
        if (entry.function == QLatin1String("outbox"))
            entry.badge = count;
    }
    m_menu.setRows(rows);
}

void HomeViewController::viewWillAppear(bool animated)
{
    Screen::viewWillAppear(animated);
    loadNewest();
}

void HomeViewController::viewDidAppear(bool animated)
{
    Screen::viewDidAppear(animated);
    // Only as the signed-in session begins: a draft made later is offered where order entry starts.
    if (std::exchange(m_draftOffered, true) || !ResumeOffer::due(this))
        return;
    ResumeOffer::show(
        this, [this] { performOrderSegue(localized(QT_TRANSLATE_NOOP("Zelk", "訂單創建")), true); }, [this] { orderHistory(); });
}

void HomeViewController::loadNewest()
{
    AppContext *ctx = context();
    if (!ctx)
        return;
    ctx->operations().userPushHistory(PushHistory::userId(*ctx), QString(), this, [this](const ApiStatus &status) {
        // A failure keeps what the screen shows.
        const auto page = PushHistory::page(status);
        if (!page)
            return;
        m_pushList = *page;
        fillHomeCell();
    });
}

void HomeViewController::fillHomeCell()
{
    const UserPushHistory *first = m_pushList.isEmpty() ? nullptr : &m_pushList.first();
    m_pushNewsVisible = first && !first->title.isEmpty();
    m_pushNews = m_pushNewsVisible ? first->title : QString();
    // The hour as the "HH" form gives it, read as a number.
    const int hour = m_clock().toString(QStringLiteral("HH")).toInt();
    QString name;
    if (AppContext *ctx = context())
        name = ctx->userName().value_or(QString());
    m_welcome = localized(greetingKey(hour)) + name;
    emit homeCellChanged();
}

void HomeViewController::selectRow(int section, int row)
{
    if (section == 0) {
        if (TabBarController *tabs = tabBarController())
            tabs->setSelectedIndex(2);
        return;
    }
    if (section != 1 || row < 0 || row >= m_menu.size())
        return;
    // Run the action of that name when this screen has one.
    static const QHash<QString, void (HomeViewController::*)()> actions{
        {QStringLiteral("order"), &HomeViewController::order},
        {QStringLiteral("orderHistory"), &HomeViewController::orderHistory},
        {QStringLiteral("outbox"), &HomeViewController::outbox}};
    if (const auto action = actions.value(m_menu.at(row).function))
        (this->*action)();
}

void HomeViewController::order()
{
    qCDebug(lcNotify) << "order";
    performOrderSegue(localized(QT_TRANSLATE_NOOP("Zelk", "訂單創建")));
}

void HomeViewController::performOrderSegue(const QString &sender, bool continueDraft)
{
    // Every transition leaving the home screen titles its destination with a text sender.
    Segue::show(this, ChooseOrderTypeViewController::instantiate(storyboard(), sender, continueDraft));
}

void HomeViewController::outbox() { Segue::perform(this, Scene::Outbox); }

void HomeViewController::orderHistory()
{
    // Pushed onto this tab's stack; nothing happens while the order query is not registered.
    Segue::perform(this, Scene::OrderHistory);
}
