#pragma once
// Loads the app window (Main.qml) with a Navigator and a QmlUi for QML tests, finds items by
// objectName, clicks them, waits for transitions and saves screenshots (build/screenshots/<name>.png).
// QmlApp runs the app's screens in it against the development gateway; the free functions below are the
// steps journeys are written in (play, tap, shown, alertDrawn, textOf).
#include "AppHarness.h"
#include "ui/Navigator.h"
#include "ui/QmlUi.h"
#include "ui/Storyboard.h"

#include <QJsonValue>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>

class TabBarController;

class QmlHarness
{
public:
    ~QmlHarness();

    // Loads Main.qml; false (with the QML errors logged) when it cannot be created.
    bool load();

    QQuickWindow *window() const { return m_window; }
    QmlUi &ui() { return m_ui; }
    Navigator &navigator() { return m_navigator; }
    QQmlApplicationEngine &engine() { return m_engine; }
    // The item under which the window draws everything, its popup overlay included.
    QQuickItem *root() const
    {
        return m_window->contentItem()->parentItem() ? m_window->contentItem()->parentItem() : m_window->contentItem();
    }

    // The first visible item with this objectName (popups and the overlay included), or nullptr.
    QQuickItem *find(const QString &objectName) const;
    // Every item with this objectName, visible or not.
    QList<QQuickItem *> findAll(const QString &objectName) const;
    // The screens of the navigation pages the window draws (every stack on screen), bottom first.
    QList<Screen *> drawnPages() const;
    // Clicks the middle of the visible item; false when there is none.
    bool click(const QString &objectName);
    // Lets transitions and animations end (and deleted screens go).
    void settle(int ms = 450);
    // Saves the window as build/screenshots/<name>.png; returns the path, or "" on failure.
    QString screenshot(const QString &name);

private:
    QmlUi m_ui;
    Navigator m_navigator;
    QQmlApplicationEngine m_engine;
    QQuickWindow *m_window = nullptr;
};

// The app's screens in the harness's window against the development gateway: the app of AppHarness.h
// (context, storyboard, gateway) driven through the window's Ui and navigator.
class QmlApp
{
public:
    QmlApp() : m_app(m_harness.ui(), m_harness.navigator()) {}

    GatewayFixture &gateway() { return m_app.gateway; }
    QmlHarness &harness() { return m_harness; }
    AppContext &context() { return *m_app.context; }
    Storyboard &storyboard() { return m_app.storyboard; }

    // Loads the window once; false, saying why, when the gateway does not run or the window fails.
    bool load();
    // Loads the window and opens the stores as a sign-in of the demo user leaves them.
    bool startSignedIn();
    // Loads the window, launches the app in it (as main() does) and waits for the login screen.
    bool launch();
    // Launches the app and signs in as the demo user by typing into the login screen and tapping its
    // button, as a user does; the tab screen once it shows, or null.
    TabBarController *launchAndSignIn();
    // Ends the app the hard way (AppUnderTest::restartAfterHardEnd), launches it again in the same window
    // and signs in as launchAndSignIn does.
    TabBarController *restartAndSignIn()
    {
        m_app.restartAfterHardEnd();
        return launchAndSignIn();
    }

    // Markup naming an image on the gateway: a text holding it must be drawn as written, the image never
    // fetched (probeFetches() stays 0).
    QString probeMarkup() { return QStringLiteral("<img src=\"%1/probe.png\">").arg(gateway().baseUrl()); }
    int probeFetches() const;

    TabBarController *tabs() const { return m_app.tabs(); }
    // The stack of the home tab, once signed in.
    NavigationController *homeStack() const;

private:
    // The window goes last: the app's screens leave it before the context and the gateway go.
    QmlHarness m_harness;
    AppUnderTest m_app;
};

// Types `text` into the focused item of `window`, key by key.
void typeText(QWindow *window, const char *text);
// Taps a visible item once it is drawn and no spinner blocks touches, then lets the transition end.
bool tap(QmlHarness &h, const QString &objectName);
// Waits until the item is drawn and no spinner blocks touches.
bool shown(QmlHarness &h, const QString &objectName, int timeoutMs = 10000);
// Taps the text field and, once it has the keyboard focus, types `text` into it.
bool typeInto(QmlHarness &h, const QString &objectName, const char *text);
// Waits until the alert titled `title` is drawn; with `button`, taps that button of it and
// waits until it has gone.
bool alertDrawn(QmlHarness &h, const QString &title, const QString &button = {});
// A property of the drawn item (its text by default), or "<name not drawn>".
QString textOf(QmlHarness &h, const QString &objectName, const char *property = "text");
// Plays steps kept as data: `steps` is "<file>/<member>", an array in tests/data/window/<file>.json. A step
// is one object whose keys run in this order:
//   "tap": "item" or ["item", ...]          each tapped in turn (tap())
//   "type": ["field", "text"]               typed into the field (typeInto())
//   "alert": "title", "message": "text"     the alert drawn, with that message; "button" answers it
//   "drawn" / "gone": "item"                waits until the item is drawn / no longer drawn
//   "page": "ClassName"                     the one page drawn is such a screen, the top of its stack
//                                           (the selected tab's, when in the tabs)
//   "texts": {"item": "text", "item/part.property": "value"}   what the items (or their parts) show, waited for
//   "contains": {"item": "text"}            what the items' texts hold
//   "shot": "name"                          a screenshot (screenshot())
// False, saying which step failed and why, at the first that fails.
bool play(QmlHarness &h, const QString &steps);
// The member `name` ("<file>/<member>") of tests/data/window/<file>.json.
QJsonValue windowData(const QString &name);
// The text of the drawn item (or of its child named `part`) when it is drawn as written (plain text), else
// "<drawn as markup>".
QString writtenTextOf(QmlHarness &h, const QString &objectName, const char *part = nullptr);
