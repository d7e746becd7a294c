#pragma once
// Loads the app window (Main.qml) with a Navigator and a QmlUi for QML tests, finds items by
// objectName, clicks them, waits for transitions and saves screenshots. Screen tests build their
// screens through their controllers, put them on navigator(), and look at the window:
//
//     QmlHarness h;
//     QVERIFY(h.load());
//     h.navigator().setRootScreen(storyboard.instantiate("Main", "LoginViewController"));
//     h.settle();
//     QVERIFY(h.click("loginButton"));
//     h.screenshot("login");          // build/screenshots/login.png
#include "ui/Navigator.h"
#include "ui/QmlUi.h"

#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>

class QmlHarness
{
public:
    QmlHarness();
    ~QmlHarness();

    // Loads Main.qml; false (with the QML errors logged) when it cannot be created.
    bool load();

    QQuickWindow *window() const { return m_window; }
    QmlUi &ui() { return m_ui; }
    Navigator &navigator() { return m_navigator; }
    QQmlApplicationEngine &engine() { return m_engine; }

    // The first visible item with this objectName (popups and the overlay included), or nullptr.
    QQuickItem *find(const QString &objectName) const;
    // Every item with this objectName, visible or not.
    QList<QQuickItem *> findAll(const QString &objectName) const;
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
