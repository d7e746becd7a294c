#pragma once
// The application object: runs the start-up sequence (keyboard handling, start-up clearing of the
// stored values, the spinner's "clear" mask), wires the version check to the alerts, and shows the
// login screen as the window's root once the stored values are open. Nothing here blocks: the
// keychain probe answers later and the login screen appears then. Each time the app becomes active
// again the version check runs, so a forced update comes back over whatever screen is shown.
#include <QObject>

#include <functional>

class AppContext;
class Navigator;
class Storyboard;
class Ui;

class AppDelegate : public QObject
{
    Q_OBJECT
public:
    AppDelegate(AppContext &context, Ui &ui, Storyboard &storyboard, Navigator &navigator,
                QObject *parent = nullptr);
    ~AppDelegate() override;

    // The start-up sequence: the login screen becomes the root at once, so the first frame draws it.
    // Returns true. What that frame does not need waits until the window has drawn it (at once without a
    // window still to draw): opening the keychain and the start-up clearing, after which `ready` runs (a
    // sign-in tapped before waits for them), and, without a push service in the context, giving it the
    // desktop one (a relay connection, opened at the first registration). Tokens and notifications of the
    // push service are handled from then on.
    bool didFinishLaunching(std::function<void()> ready = {});

    // Lifecycle notifications of the platform (the Ui reports the application's state). Becoming active
    // once the login screen is shown runs the version check; nothing to do on the others.
    void applicationWillResignActive() {}
    void applicationDidEnterBackground() {}
    void applicationWillEnterForeground() {}
    void applicationDidBecomeActive();
    void applicationWillTerminate() {}

private:
    void installVersionCheckHooks();
    // The outbox's credit check, its refusals told to the rep, and the offline note.
    void installOutboxHooks();
    void installPushService();
    void afterFirstFrame(std::function<void()> action);

    AppContext &m_context;
    Ui &m_ui;
    Storyboard &m_storyboard;
    Navigator &m_navigator;
    bool m_launched = false;
    // The update alert is on screen or waiting for it: a second trigger does not stack another.
    bool m_updateAlertOpen = false;
};
