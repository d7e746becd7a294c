#pragma once
// The app as the tests drive it, headless or in the window: a fresh AppContext in a temporary folder (file
// keychain, or the platform keychain when asked), every registered screen, and the development gateway
// in-process. AppUnderTest drives the screens through the Ui and Navigator it is given: AppHarness gives it
// FakeUi, the window tests' QmlApp gives it the window's.
#include "FakeUi.h"
#include "GatewayFixture.h"
#include "app/AppDelegate.h"
#include "app/ChangePasswordViewController.h"
#include "app/LoginViewController.h"
#include "app/MoreViewController.h"
#include "model/AppContext.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/Navigator.h"
#include "ui/Storyboard.h"
#include "ui/TabBarController.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class AppUnderTest
{
public:
    // `gateway`: the development gateway's data (the shipped seed unless told otherwise).
    AppUnderTest(Ui &ui, Navigator &navigator, bool useKeychain = false, const GatewaySimulator::Options &gateway = {});
    ~AppUnderTest();

    // Starts the app as main() does and waits for the login screen.
    bool launch();
    // Ends the app the hard way, as a killed process ends: the screens and the context go without any
    // orderly step (nothing is saved on the way out). A fresh context then opens over the same data
    // folder and the same gateway, ready to launch() as the next start of the app.
    void restartAfterHardEnd();
    // Opens the keychain and runs the start-up clearing without launching (launch() does it itself).
    void openStores();
    // Opens the stores as a sign-in of the demo user leaves them: "U10023" (陳志明, account "demo"),
    // company "1000" (澤勒建材股份有限公司), sales organisation "1100".
    void startSignedIn();

    LoginViewController *login() const { return qobject_cast<LoginViewController *>(m_navigator.rootScreen()); }
    TabBarController *tabs() const;
    // The root of tab `index`'s stack.
    template <class T> T *tabRoot(int index) const
    {
        TabBarController *t = tabs();
        auto *stack = t ? qobject_cast<NavigationController *>(t->viewControllers().value(index)) : nullptr;
        return stack ? qobject_cast<T *>(stack->rootViewController()) : nullptr;
    }

    QTemporaryDir dir;
    GatewayFixture gateway;
    std::unique_ptr<AppContext> context;
    Storyboard storyboard;
    std::unique_ptr<AppDelegate> delegate;

private:
    void openContext(); // a fresh context over the data folder, the stores not yet open

    Ui &m_ui;
    Navigator &m_navigator;
    bool m_storesOpen = false;
    bool m_useKeychain = false;
};

struct FakeScreens {
    FakeUi ui;
    Navigator navigator;
};

// The app headless: FakeUi and a Navigator of its own.
class AppHarness : public FakeScreens, public AppUnderTest
{
public:
    explicit AppHarness(bool useKeychain = false, const GatewaySimulator::Options &gateway = {})
        : AppUnderTest(ui, navigator, useKeychain, gateway)
    {
    }

    // Signs in through the login screen and waits for the tab screen.
    bool signIn(const QString &account = QStringLiteral("demo"), const QString &password = QStringLiteral("demo123"));
    // Signs out through the More tab's last row and its alert; true once the login screen is uncovered.
    bool signOut();
    // Launches, signs in as the demo user and opens the password change from the More tab (its third row).
    ChangePasswordViewController *openPasswordChange();

    // Places a lone screen (in a navigation stack) as the window's root and shows it.
    template <class T> T *showInStack(Scene scene, NavigationController **stackOut = nullptr)
    {
        openStores();
        auto *screen = storyboard.instantiate<T>(scene);
        if (!screen)
            return nullptr;
        auto *stack = new NavigationController(screen);
        navigator.setRootScreen(stack);
        settle();
        if (stackOut)
            *stackOut = stack;
        return screen;
    }

private:
    MoreViewController *openMore(); // selects the More tab; its root screen
};

// An order line of the customer 0000100101 (大安營造股份有限公司) in sales organisation 1100, delivered
// (DAP): material `matnr` ("物料<matnr>") at `price` × `quantity`, in `pages` copies.
Order sampleLine(const QString &matnr, float price, float quantity, int pages = 1);
