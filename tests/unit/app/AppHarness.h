#pragma once
// The app as the tests drive it: a fresh AppContext in a temporary folder (file keychain, or the platform
// keychain when asked), FakeUi, every registered screen, a Navigator, and the development gateway
// in-process. Shared by the app, notify and board tests, the app flows and the keychain test.
#include "FakeUi.h"
#include "GatewayFixture.h"
#include "app/AppDelegate.h"
#include "app/ChangePasswordViewController.h"
#include "app/LoginViewController.h"
#include "app/MoreViewController.h"
#include "app/ScreenRegistry.h"
#include "model/AppContext.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/Navigator.h"
#include "ui/Storyboard.h"
#include "ui/TabBarController.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class AppHarness
{
public:
    explicit AppHarness(bool useKeychain = false)
    {
        Localizer::instance().load({QStringLiteral("zh-TW")});
        context = std::make_unique<AppContext>(AppContext::Options{dir.path(), nullptr, useKeychain});
        storyboard.setUi(&ui);
        storyboard.setContext(context.get());
        registerScreens(storyboard);
        navigator.setEnvironment({&ui, &storyboard, context.get()});
    }
    ~AppHarness()
    {
        // Screens go before the holders they use.
        navigator.setRootScreen(nullptr);
        settle();
    }

    // Starts the app as main() does and waits for the login screen.
    bool launch()
    {
        m_storesOpen = true;
        delegate = std::make_unique<AppDelegate>(*context, ui, storyboard, navigator);
        bool ready = false;
        delegate->didFinishLaunching([&ready] { ready = true; });
        if (!QTest::qWaitFor([&] { return ready; }, 5000))
            return false;
        settle();
        return login() != nullptr;
    }

    LoginViewController *login() const { return qobject_cast<LoginViewController *>(navigator.rootScreen()); }
    TabBarController *tabs() const
    {
        const auto presented = navigator.presentedScreens();
        return presented.isEmpty() ? nullptr : qobject_cast<TabBarController *>(presented.last());
    }

    // Opens the keychain and runs the start-up clearing without a window (launch() does it itself).
    void openStores()
    {
        if (!m_storesOpen)
            context->start();
        m_storesOpen = true;
    }

    // Signs in through the login screen and waits for the tab screen.
    bool signIn(const QString &account = QStringLiteral("demo"), const QString &password = QStringLiteral("demo123"))
    {
        if (!login())
            return false;
        login()->setUserName(account);
        login()->setPassword(password);
        login()->loginAction();
        if (!QTest::qWaitFor([this] { return tabs() != nullptr && !ui.isSpinnerShowing(); }, 5000))
            return false;
        settle();
        return true;
    }

    // Launches, signs in as the demo user and opens the password change from the More tab (its third row).
    ChangePasswordViewController *openPasswordChange()
    {
        if (!launch() || !signIn())
            return nullptr;
        tabs()->setSelectedIndex(3);
        auto *more = tabRoot<MoreViewController>(3);
        settle();
        if (!more)
            return nullptr;
        more->selectRow(2); // 修改密碼
        settle();
        return qobject_cast<ChangePasswordViewController *>(more->navigationController()->topViewController());
    }
    // The root of tab `index`'s stack.
    template <class T> T *tabRoot(int index) const
    {
        TabBarController *t = tabs();
        if (!t || index >= t->count())
            return nullptr;
        auto *stack = qobject_cast<NavigationController *>(t->viewControllers().at(index));
        return stack ? qobject_cast<T *>(stack->rootViewController()) : nullptr;
    }

    // Lets transitions end and deleted screens go.
    static void settle()
    {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // Places a lone screen (in a navigation stack) as the window's root and shows it.
    template <class T> T *showInStack(const QString &identifier, NavigationController **stackOut = nullptr)
    {
        openStores();
        auto *screen = storyboard.instantiate<T>(QStringLiteral("Main"), identifier);
        if (!screen)
            return nullptr;
        auto *stack = new NavigationController(screen);
        navigator.setRootScreen(stack);
        settle();
        if (stackOut)
            *stackOut = stack;
        return screen;
    }

    QTemporaryDir dir;
    GatewayFixture gateway;
    FakeUi ui;
    std::unique_ptr<AppContext> context;
    Storyboard storyboard;
    Navigator navigator;
    std::unique_ptr<AppDelegate> delegate;

private:
    bool m_storesOpen = false;
};
