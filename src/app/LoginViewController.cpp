#include "app/LoginViewController.h"

#include "model/AppContext.h"
#include "services/ApiStatus.h"
#include "ui/Colors.h"
#include "ui/Storyboard.h"
#include "ui/Ui.h"

#include <QJsonArray>

Q_LOGGING_CATEGORY(lcApp, "zelk.app", QtWarningMsg)

namespace {
std::optional<QString> stringMember(const QJsonObject &object, const char *key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isString())
        return std::nullopt;
    return value.toString();
}

// A list reader's result for the debug log.
template <class T> QString describe(const std::optional<QList<T>> &list)
{
    return list ? QStringLiteral("%1 records").arg(list->size()) : QStringLiteral("(nil)");
}
} // namespace

LoginViewController::LoginViewController(QObject *parent) : Screen(parent)
{
    setBackgroundColor(Colors::background());
}

void LoginViewController::setUserName(const QString &text)
{
    if (m_userName == text)
        return;
    m_userName = text;
    emit fieldsChanged();
}

void LoginViewController::setPassword(const QString &text)
{
    if (m_password == text)
        return;
    m_password = text;
    emit fieldsChanged();
}

QColor LoginViewController::buttonColor() const { return Colors::brandRed(); }

QString LoginViewController::versionText() const
{
    AppContext *ctx = context();
    return ctx ? ctx->versionCheck().versionText() : QString();
}

void LoginViewController::viewDidLoad()
{
    // The first check goes once the app has started (its first frame drawn): the request and its answer
    // are no part of what the rep first sees.
    if (AppContext *ctx = context())
        ctx->whenStarted(this, [ctx] { ctx->versionCheck().checkForUpdate(); });
}

void LoginViewController::loginAction()
{
    AppContext *ctx = context();
    if (!ctx)
        return;
    // A forced update blocks the installed version: its alert again instead of signing in.
    if (ctx->versionCheck().blocksUse()) {
        ctx->versionCheck().checkForUpdate();
        return;
    }
    if (Ui *u = ui())
        u->showSpinner(this);
    // The account goes as typed (not trimmed, possibly empty); the password only as its digest. The
    // screen is up before the keychain has opened: a tap that early is sent once it has.
    const QString account = m_userName;
    ctx->whenStarted(this, [this, ctx, account, password = m_password] {
        ctx->operations().login(account, password, this,
                                [this, account](const ApiStatus &status) { loginFinished(status, account); });
    });
}

void LoginViewController::loginFinished(const ApiStatus &status, const QString &account)
{
    AppContext *ctx = context();
    Ui *u = ui();
    if (!ctx)
        return;
    if (!status.isSuccess || !status.returnJson) {
        if (u) {
            Alert alert;
            alert.title = QStringLiteral("登入失敗");
            alert.message = status.message;
            alert.addButton(QStringLiteral("確定"), AlertButton::Style::Cancel);
            u->showAlert(alert);
            u->dismissSpinner();
        }
        return;
    }

    const QJsonObject answer = status.returnJson->object();
    const QJsonObject userInfo = answer.value(QLatin1String("appUserInfo")).toObject();
    SecureStore &keychain = ctx->secureStore();
    keychain.setValue(QStringLiteral("userId"), stringMember(userInfo, "userID"));
    keychain.setValue(QStringLiteral("userName"), stringMember(userInfo, "userName"));
    keychain.setValue(QStringLiteral("userAccount"), account);
    // The account's unfinished order and its waiting orders, if it left them.
    ctx->draft().open(ctx->signedInUserId());
    ctx->outbox().open(ctx->signedInUserId());

    UserInfo &session = ctx->userInfo();
    session.bukrs = stringMember(answer, "bukrs");
    session.vkorg = stringMember(answer, "vkorg");
    session.bukrsName = stringMember(answer, "bukrsName");
    session.vkorgName = stringMember(answer, "vkorgName");
    session.email = stringMember(userInfo, "email");
    // The account's customers, and every stored list again, are asked for in the background: new order
    // types or delivery methods arrive, a list stored empty is mended, and 訂單創建 finds its customers.
    ctx->lists().prefetchCustomers();
    ctx->lists().refreshStoredLists();
    // The gateway has just answered: the orders the account left waiting go out.
    ctx->outbox().resume();

    enterMainScreen();
    if (u)
        u->dismissSpinner();
}

void LoginViewController::enterMainScreen()
{
    AppContext *ctx = context();
    ListStore &lists = ctx->lists();
    // The lists as stored now (the refresh replaces them as its answers arrive).
    qCDebug(lcApp).noquote() << "info1List:" << describe(lists.inco1List());
    const std::optional<QJsonValue> inco2 = lists.inco2List();
    qCDebug(lcApp).noquote() << "info2List:"
                             << (inco2 ? QStringLiteral("%1 records").arg(inco2->toArray().size())
                                       : QStringLiteral("(nil)"));
    qCDebug(lcApp).noquote() << "transportList:" << describe(lists.transportList());
    qCDebug(lcApp).noquote() << "orderTypeList:" << describe(lists.orderTypeList());
    qCDebug(lcApp).noquote() << "tvstzList:" << describe(lists.tvstzList());

    Storyboard *board = storyboard();
    Screen *tabs = board ? board->instantiate(Scene::Tabbar) : nullptr;
    if (!tabs)
        return;
    // The tab screen fades in over the sign-in, where other presented screens slide up.
    tabs->setCrossDissolves(true);
    // The completion runs only while this screen lives.
    present(tabs, true, [this] {
        // Empty once covered, so that they are empty when signing out uncovers this screen.
        setUserName(QString());
        setPassword(QString());
    });
}
