#pragma once
// A stack of screens with a navigation bar; the top screen is shown. Removed screens are deleted
// later, after the completion of the change that removed them. Completions run once the transition
// has ended, also when nothing moved (popping the root), unless this container has gone.
#include <QtQml/qqmlregistration.h>
#include "ui/Screen.h"
#include "ui/ScreenListModel.h"

class NavigationController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made in C++")
    Q_PROPERTY(QList<QObject *> viewControllers READ viewControllersForView NOTIFY viewControllersChanged)
    Q_PROPERTY(Screen *topViewController READ topViewController NOTIFY viewControllersChanged)
    Q_PROPERTY(int depth READ depth NOTIFY viewControllersChanged)
    // What the view draws: the stack bottom first (stackIndex 0…), then the screens removed by a
    // change whose transition is still running (leaving). The view is a function of this model.
    Q_PROPERTY(ScreenListModel *pages READ pages CONSTANT)
    // Whether the last change of the stack animates.
    Q_PROPERTY(bool lastChangeAnimated READ lastChangeAnimated NOTIFY viewControllersChanged)
    Q_PROPERTY(bool navigationBarHidden READ isNavigationBarHidden WRITE setNavigationBarHidden NOTIFY barStyleChanged)
    Q_PROPERTY(QColor barTintColor READ barTintColor NOTIFY barStyleChanged)
    Q_PROPERTY(QColor barBackgroundColor READ barBackgroundColor NOTIFY barStyleChanged)
    Q_PROPERTY(QColor barTitleColor READ barTitleColor NOTIFY barStyleChanged)
    Q_PROPERTY(bool barTranslucent READ isBarTranslucent NOTIFY barStyleChanged)

public:
    explicit NavigationController(Screen *root = nullptr, QObject *parent = nullptr);

    QString kind() const override { return QStringLiteral("navigation"); }

    QList<Screen *> viewControllers() const;
    Screen *topViewController() const;
    Screen *rootViewController() const;
    int depth() const { return int(m_stack.size()); }

    void push(Screen *screen, bool animated = true, Completion completion = {});
    // False when only the root is left (nothing is popped).
    bool pop(bool animated = true, Completion completion = {});
    bool popToRoot(bool animated = true, Completion completion = {});
    // Pops every screen above `screen`; false when it is not in the stack or already on top.
    bool popTo(Screen *screen, bool animated = true, Completion completion = {});
    // Replaces the whole stack; screens no longer in it are deleted later.
    void setViewControllers(const QList<Screen *> &screens, bool animated = false, Completion completion = {});

    // The back button of the navigation bar.
    Q_INVOKABLE void goBack() { pop(true); }

    // ---- bar style ----
    bool isNavigationBarHidden() const { return m_barHidden; }
    void setNavigationBarHidden(bool hidden);
    QColor barTintColor() const { return m_barTintColor; }
    QColor barBackgroundColor() const { return m_barBackgroundColor; }
    QColor barTitleColor() const { return m_barTitleColor; }
    bool isBarTranslucent() const { return m_barTranslucent; }
    void setBarStyle(const QColor &tint, const QColor &background, const QColor &title, bool translucent);

    QList<Screen *> visibleChildScreens() const override;

    ScreenListModel *pages() const { return m_pages; }
    bool lastChangeAnimated() const { return m_lastChangeAnimated; }

signals:
    // `animated` tells the view whether to animate the change.
    void viewControllersChanged();
    void stackChanged(bool animated);
    void barStyleChanged();

private:
    QList<QObject *> viewControllersForView() const;
    void changeStack(const QList<Screen *> &screens, bool animated, Completion completion);
    void updatePages();

    QList<QPointer<Screen>> m_stack;
    QList<QPointer<Screen>> m_leaving;
    ScreenListModel *m_pages;
    bool m_lastChangeAnimated = false;
    bool m_barHidden = false;
    QColor m_barTintColor{0, 122, 255};
    QColor m_barBackgroundColor{248, 248, 248};
    QColor m_barTitleColor{Qt::black};
    bool m_barTranslucent = true;
};
