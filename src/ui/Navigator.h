#pragma once
// The window's screen graph: the root screen and the chain of screens presented over it. The QML root
// (Main.qml) draws it; tests assert on it ("presented Y over the tab screen", "popped to root").
#include <QtQml/qqmlregistration.h>
#include "ui/Screen.h"
#include "ui/ScreenListModel.h"

class Navigator : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made in C++")
    Q_PROPERTY(Screen *rootScreen READ rootScreen NOTIFY rootScreenChanged)
    // Presented screens as drawn, bottom first: a dismissed screen stays until its transition ends.
    Q_PROPERTY(ScreenListModel *presentedModel READ presentedModel CONSTANT)
    Q_PROPERTY(int animationDuration READ animationDuration NOTIFY animationDurationChanged)
    // A quiet line the window shows under every screen ("" shows none): the app says there whether it
    // works offline.
    Q_PROPERTY(QString statusNote READ statusNote NOTIFY statusNoteChanged)

public:
    explicit Navigator(QObject *parent = nullptr);
    ~Navigator() override;

    // Fallback environment of every screen on this navigator.
    void setEnvironment(const ScreenEnvironment &environment) { m_environment = environment; }
    ScreenEnvironment environment() const { return m_environment; }

    QString statusNote() const { return m_statusNote; }
    void setStatusNote(const QString &note)
    {
        if (note != m_statusNote) {
            m_statusNote = note;
            emit statusNoteChanged();
        }
    }

    // Takes ownership of `root` and shows it. A previous root (with what it presents) is deleted later.
    void setRootScreen(Screen *root);
    Screen *rootScreen() const { return m_root; }

    // The root and each screen presented over it, in order.
    QList<Screen *> presentationChain() const;
    // Presented screens as drawn (see the property).
    QList<Screen *> presentedScreens() const;
    ScreenListModel *presentedModel() const { return m_presentedModel; }
    // The last of the chain: what covers the window.
    Screen *topScreen() const;
    // The content the user sees: from the top screen down through the containers (top of a stack,
    // selected tab, open panel or else the main content of a slide menu).
    Screen *visibleScreen() const;
    // One line describing the graph, for test failure messages:
    // "LoginViewController => Tabbar2ViewController[ZelkNavigationController[HomeViewController]]".
    QString describe() const;

    // Transitions last this long when animated (0 headless: they end on the next event-loop turn).
    int animationDuration() const;
    void setAnimationDuration(int ms);

signals:
    void statusNoteChanged();
    void rootScreenChanged();
    void presentedScreensChanged();
    void animationDurationChanged();

private:
    friend class Screen;
    void screenPresented(Screen *screen, bool animated);
    void presentationEnded(Screen *dismissed);
    void updatePresented();

    ScreenEnvironment m_environment;
    ScreenListModel *m_presentedModel;
    QPointer<Screen> m_root;
    QList<QPointer<Screen>> m_drawn;
    QString m_statusNote;
};
