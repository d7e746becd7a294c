#include "app/AppDelegate.h"

#include "model/AppContext.h"
#include "notify/PushDelivery.h"
#include "order/CustomerCredit.h"
#include "platform/DesktopNotification.h"
#include "text/Localizer.h"
#include "notify/PushRegistration.h"
#include "platform/RelayPushService.h"
#include "ui/Navigator.h"
#include "ui/Storyboard.h"
#include "ui/Ui.h"

#include <QGuiApplication>
#include <QPointer>
#include <QQuickWindow>
#include <QUuid>

AppDelegate::AppDelegate(AppContext &context, Ui &ui, Storyboard &storyboard, Navigator &navigator,
                         QObject *parent)
    : QObject(parent), m_context(context), m_ui(ui), m_storyboard(storyboard), m_navigator(navigator)
{
}

AppDelegate::~AppDelegate()
{
    m_ui.setApplicationStateHandler({});
    m_context.versionCheck().showUpdateAlert = {};
}

bool AppDelegate::didFinishLaunching(std::function<void()> ready)
{
    // The window moves focused fields above the on-screen keyboard by itself on the desktop: there
    // is no keyboard manager to switch on.
    m_ui.setDefaultSpinnerMask(SpinnerMask::Clear);
    installVersionCheckHooks();
    installOutboxHooks();
    // The relay is made once the first frame is drawn: it connects at the first registration, after sign-in,
    // so nothing can arrive before. A push service the platform set may have something for the app already.
    if (m_context.pushService())
        installPushService();
    else
        afterFirstFrame([this] { installPushService(); });
    m_ui.setApplicationStateHandler([this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            applicationDidBecomeActive();
    });
    // The login screen is in the first frame. The keychain is opened (its module mapped on a worker, then
    // probed) once that frame is drawn; a sign-in tapped before waits for it and the start-up clearing.
    m_navigator.setRootScreen(m_storyboard.instantiate(Scene::Login));
    m_launched = true;
    afterFirstFrame([this, ready = std::move(ready)] { m_context.start(ready); });
    return true;
}

void AppDelegate::applicationDidBecomeActive()
{
    // The login screen's loading runs the first check.
    if (m_launched)
        m_context.whenStarted(this, [this] { m_context.versionCheck().checkForUpdate(); });
}

void AppDelegate::installOutboxHooks()
{
    Outbox &outbox = m_context.outbox();
    outbox.setCreditCheck(CustomerCredit::outboxCheck(m_context));
    // The quiet bar under every screen says when the app works offline.
    Connectivity &connectivity = m_context.connectivity();
    connect(&connectivity, &Connectivity::noteChanged, this,
            [this, &connectivity] { m_navigator.setStatusNote(connectivity.note()); });
    // A waiting order the server refused: an alert while the rep looks at the app, else a notification.
    connect(&outbox, &Outbox::orderRefused, this, [this, &outbox](const QString &id, const QString &message) {
        const OutboxOrder *order = outbox.order(id);
        const QString title = localized(QT_TRANSLATE_NOOP("Zelk", "待送出訂單未能下單"));
        const QString body = (order ? order->customer.name1 + QStringLiteral("：") : QString()) + message;
        if (QGuiApplication::applicationState() != Qt::ApplicationActive) {
            DesktopNotification::show(title, body);
            return;
        }
        Alert alert;
        alert.context = this;
        alert.title = title;
        alert.message = body;
        alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Cancel);
        m_ui.showAlert(alert);
    });
}

void AppDelegate::installVersionCheckHooks()
{
    VersionCheck &check = m_context.versionCheck();
    Ui *ui = &m_ui;
    // Alerts are drawn above every screen, so whether the root or the tab screen shows it is the same.
    check.showUpdateAlert = [this, ui, &check](const QString &note, bool cancellable) {
        if (m_updateAlertOpen)
            return;
        m_updateAlertOpen = true;
        Alert alert;
        alert.title = QStringLiteral("有新版本");
        alert.message = note;
        alert.context = this;
        if (cancellable)
            alert.addButton(QStringLiteral("取消"), AlertButton::Style::Cancel, [this] { m_updateAlertOpen = false; });
        alert.addButton(QStringLiteral("立刻更新"), AlertButton::Style::Default, [this, &check] {
            m_updateAlertOpen = false;
            // A forced update leaves the app only for the update page: when that cannot be opened
            // (no address, or not a web page) the alert stays.
            if (!check.openUpdatePage() && check.blocksUse())
                check.checkForUpdate();
        });
        ui->showAlert(alert);
    };
    check.openUrl = [ui](const QUrl &url) { return ui->openUrl(url); };
}

// The window's first frame is drawn before `action` runs: what the first screen does not need waits for it.
// Without a window still to be drawn for the first time (headless, or drawn already) it runs at once.
void AppDelegate::afterFirstFrame(std::function<void()> action)
{
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        auto *quick = qobject_cast<QQuickWindow *>(window);
        if (quick && !quick->isExposed()) {
            // Swapped on the render thread; the action runs queued on this one.
            connect(quick, &QQuickWindow::frameSwapped, this, std::move(action),
                    Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
            return;
        }
    }
    action();
}

void AppDelegate::installPushService()
{
    if (!m_context.pushService()) {
        // The relay hands the same token to the same installation: its id lives with the user defaults,
        // which a new installation starts without.
        const QString key = QStringLiteral("pushInstallation");
        QString installation = m_context.userDefaults().value(key).value_or(QString());
        if (installation.isEmpty()) {
            installation = QUuid::createUuid().toString(QUuid::WithoutBraces);
            m_context.userDefaults().setValue(key, installation);
        }
        m_context.setPushService(new RelayPushService(RelayPushService::defaultRelayUrl(), installation, this));
    }
    new PushRegistration(m_context, this);
    new PushDelivery(m_context, m_ui, m_navigator, this);
}
