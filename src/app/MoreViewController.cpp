#include "app/MoreViewController.h"

#include "ui/Segue.h"
#include "model/AppContext.h"
#include "text/Localizer.h"
#include "ui/Colors.h"
#include "ui/TabBarController.h"
#include "ui/Ui.h"

#include <QHash>

MoreViewController::MoreViewController(QObject *parent)
    : Screen(parent),
      m_rows({{"name", [](const Row &r) { return r.name; }},
              {"subTitle", [](const Row &r) { return r.subTitle; }},
              {"disclosure", [](const Row &r) { return r.disclosure; }},
              {"highlight", [](const Row &r) { return r.highlight; }}})
{
}

QColor MoreViewController::titleColor() const { return Colors::titleText(); }

void MoreViewController::viewDidLoad() { setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "更多"))); }

void MoreViewController::viewWillAppear(bool animated)
{
    Screen::viewWillAppear(animated);
    rebuild();
}

void MoreViewController::rebuild()
{
    bool newer = false;
    m_versionText.clear();
    if (AppContext *ctx = context()) {
        newer = ctx->versionCheck().updateState() != VersionCheck::UpdateState::None;
        m_versionText = ctx->versionCheck().versionText();
    }
    m_newerVersion = newer;
    m_entries = {
        {localized(QT_TRANSLATE_NOOP("Zelk", "關於澤勒中國")), QString(), QStringLiteral("about")},
        {localized(QT_TRANSLATE_NOOP("Zelk", "聯絡我們")), QString(), QStringLiteral("contactUs")},
        {localized(QT_TRANSLATE_NOOP("Zelk", "修改密碼")), QString(), QStringLiteral("changePassword")},
        {localized(QT_TRANSLATE_NOOP("Zelk", "目前版本")), QStringLiteral("VER"), newer ? QStringLiteral("updateApp") : QString()},
        {localized(QT_TRANSLATE_NOOP("Zelk", "登出")), QString(), QStringLiteral("logout")},
    };
    QList<Row> rows;
    for (const Entry &entry : m_entries) {
        const bool isVersion = entry.detailTitle == QLatin1String("VER");
        QString subTitle;
        if (isVersion)
            subTitle = m_versionText + QStringLiteral("  ") + (m_newerVersion ? localized(QT_TRANSLATE_NOOP("Zelk", "立刻前往更新")) : QString());
        const bool acts = action(entry.function) != nullptr;
        rows.append({entry.name, subTitle, acts, !isVersion && acts});
    }
    m_rows.setRows(rows);
}

MoreViewController::Action MoreViewController::action(const QString &function)
{
    static const QHash<QString, Action> actions{{QStringLiteral("about"), &MoreViewController::about},
                                                {QStringLiteral("contactUs"), &MoreViewController::contactUs},
                                                {QStringLiteral("changePassword"), &MoreViewController::changePassword},
                                                {QStringLiteral("updateApp"), &MoreViewController::updateApp},
                                                {QStringLiteral("logout"), &MoreViewController::logout}};
    return actions.value(function);
}

void MoreViewController::selectRow(int row)
{
    if (row < 0 || row >= m_entries.size())
        return;
    if (const Action run = action(m_entries[row].function))
        (this->*run)();
}

void MoreViewController::about() { Segue::perform(this, Scene::About); }

void MoreViewController::contactUs()
{
    Segue::perform(this, Scene::ContactUs);
}

void MoreViewController::changePassword()
{
    Segue::perform(this, Scene::ChangePassword);
}

void MoreViewController::updateApp()
{
    AppContext *ctx = context();
    Ui *u = ui();
    if (!ctx || !u)
        return;
    if (const std::optional<QUrl> url = ctx->versionCheck().updateUrl())
        u->openUrl(*url);
}

void MoreViewController::logout()
{
    Ui *u = ui();
    if (!u)
        return;
    Alert alert;
    alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "即將登出"));
    alert.message = localized(QT_TRANSLATE_NOOP("Zelk", "系統即將登出"));
    alert.context = this;
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "登出")), AlertButton::Style::Destructive, [this] { signOut(); });
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "取消")), AlertButton::Style::Default);
    u->showAlert(alert);
}

void MoreViewController::signOut()
{
    AppContext *ctx = context();
    if (ctx) {
        // The push token stays: it belongs to the device, not to the user.
        ctx->clearStoredUser(false);
        ctx->lists().setCustomerList(std::nullopt);
    }
    // Close the whole tabbed interface (and anything it presents), uncovering the login screen.
    Screen *tabs = tabBarController();
    Screen *interface = tabs ? static_cast<Screen *>(tabs) : outermostContainer();
    if (Screen *presenter = interface->presentingScreen())
        presenter->dismiss(true);
}
