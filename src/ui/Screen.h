#pragma once
// Base of every …ViewController: a screen's state and actions, drawn by a QML view and driven headless
// by tests the same way.
//
// Lifecycle. The framework calls the lifecycle methods, not the view: a screen's view is loaded
// (viewDidLoad, once) just before it first appears; viewWillAppear/viewDidAppear and
// viewWillDisappear/viewDidDisappear follow what the containers and presentations show. A screen
// receives appearance calls only while it is on the navigator (its root, or presented from a screen
// that is). Tests may call loadViewIfNeeded() to load a lone screen. The view calls
// viewDidLayoutSubviews() when its size changes and the Q_INVOKABLE actions of the subclass.
//
// Presentation. Any screen may present another modally and dismiss it. The completion runs when the
// transition has ended — never inside present()/dismiss() — and not at all when the screen the call
// was made on has gone. Dismissed and popped screens are deleted later, after their completion.
//
// Ownership. Containers own their children, a presenter owns what it presents, the Navigator owns
// the root. A screen not yet placed anywhere is owned by whoever created it.
#include "ui/ListModel.h"

#include <QtQml/qqmlregistration.h>
#include <QColor>
#include <QList>
#include <QLoggingCategory>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class AppContext;
class Navigator;
class NavigationController;
class SlideMenuController;
class Storyboard;
class TabBarController;
class Ui;

Q_DECLARE_LOGGING_CATEGORY(lcUi)

// What a screen reaches beyond itself. The Storyboard hands it to every screen it creates; a screen
// without its own value for a field uses its container's, its presenter's, then the Navigator's.
struct ScreenEnvironment {
    Ui *ui = nullptr;
    Storyboard *storyboard = nullptr;
    AppContext *context = nullptr;
};

// A button of the navigation bar.
struct BarButton {
    QString title;
    QString icon;       // image name from resources/ ("shopping_cart"), drawn instead of the title
    QString objectName; // for tests and automation; "barButton_<title or icon>" when empty
    std::function<void()> action;
};

// A bar button as the navigation bar draws it.
struct BarButtonRow {
    QString title;
    QUrl iconSource;    // empty: the title is drawn
    QString buttonName; // the objectName of the drawn button
    friend bool operator==(const BarButtonRow &, const BarButtonRow &) = default;
};

class Screen : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made in C++")
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(QString kind READ kind CONSTANT)
    Q_PROPERTY(QString className READ className CONSTANT)
    Q_PROPERTY(QUrl viewUrl READ viewUrl NOTIFY viewUrlChanged)
    Q_PROPERTY(bool viewLoaded READ isViewLoaded NOTIFY viewLoadedChanged)
    Q_PROPERTY(bool visible READ isVisible NOTIFY visibleChanged)
    // Appeared, appearing or still disappearing: the window draws it.
    Q_PROPERTY(bool onScreen READ isOnScreen NOTIFY visibleChanged)
    Q_PROPERTY(bool beingDismissed READ isBeingDismissed NOTIFY beingDismissedChanged)
    // Whether the last presentation or dismissal of this screen animates.
    Q_PROPERTY(bool presentationAnimated READ isPresentationAnimated NOTIFY beingDismissedChanged)
    // How a presented screen arrives and leaves: sliding up from the bottom, or fading in over its presenter.
    Q_PROPERTY(bool crossDissolves READ crossDissolves CONSTANT)
    // The bar buttons as rows with "title", "iconSource" and "buttonName".
    Q_PROPERTY(ListModelBase *leftBarButtons READ leftBarButtonRows CONSTANT)
    Q_PROPERTY(ListModelBase *rightBarButtons READ rightBarButtonRows CONSTANT)
    Q_PROPERTY(bool hidesBackButton READ hidesBackButton WRITE setHidesBackButton NOTIFY navigationItemChanged)
    // How long an animated transition lasts, so views animate in step with the controllers.
    Q_PROPERTY(int transitionDuration READ transitionDuration CONSTANT)
    Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor NOTIFY backgroundColorChanged)

public:
    using Completion = std::function<void()>;

    explicit Screen(QObject *parent = nullptr);
    ~Screen() override;

    // ---- lifecycle (override in screens; the framework calls them) ----
    Q_INVOKABLE virtual void viewDidLoad() {}
    Q_INVOKABLE virtual void viewWillAppear(bool animated) { Q_UNUSED(animated) }
    Q_INVOKABLE virtual void viewDidAppear(bool animated) { Q_UNUSED(animated) }
    Q_INVOKABLE virtual void viewWillDisappear(bool animated) { Q_UNUSED(animated) }
    Q_INVOKABLE virtual void viewDidDisappear(bool animated) { Q_UNUSED(animated) }
    Q_INVOKABLE virtual void viewDidLayoutSubviews() {}

    // Runs viewDidLoad the first time only.
    Q_INVOKABLE void loadViewIfNeeded();
    bool isViewLoaded() const { return m_viewLoaded; }
    // Appeared or appearing.
    bool isVisible() const;
    bool isOnScreen() const { return m_appearance != Appearance::Disappeared; }

    // ---- identity and looks ----
    QString title() const { return m_title; }
    void setTitle(const QString &title);
    // "screen", or the container kind the QML root draws: "navigation", "tabs", "slideMenu".
    virtual QString kind() const { return QStringLiteral("screen"); }
    // The class name without namespace, e.g. "OrderPage1ViewController".
    QString className() const;
    // The QML view: set explicitly (Storyboard registration) or found from the class name.
    QUrl viewUrl() const;
    void setViewUrl(const QUrl &url);
    QColor backgroundColor() const { return m_backgroundColor; }
    static int transitionDuration();
    void setBackgroundColor(const QColor &color);
    // Set before the screen is presented; presented screens slide up unless told to cross-dissolve.
    bool crossDissolves() const { return m_crossDissolves; }
    void setCrossDissolves(bool crossDissolves) { m_crossDissolves = crossDissolves; }

    // ---- navigation bar items, shown while this screen is the top of a navigation stack ----
    void setLeftBarButtons(const QList<BarButton> &buttons);
    void setRightBarButtons(const QList<BarButton> &buttons);
    QList<BarButton> leftBarButtons() const { return m_leftBarButtons; }
    QList<BarButton> rightBarButtons() const { return m_rightBarButtons; }
    ListModelBase *leftBarButtonRows() { return &m_leftBarButtonRows; }
    ListModelBase *rightBarButtonRows() { return &m_rightBarButtonRows; }
    bool hidesBackButton() const { return m_hidesBackButton; }
    void setHidesBackButton(bool hides);
    // Called by the navigation bar: side is "left" or "right". False when there is no such button.
    Q_INVOKABLE bool triggerBarButton(const QString &side, int index);

    // ---- environment ----
    Ui *ui() const;
    Storyboard *storyboard() const;
    AppContext *context() const;
    void setEnvironment(const ScreenEnvironment &environment);

    // ---- graph ----
    Screen *parentScreen() const { return m_parentScreen; }     // the container holding this screen
    NavigationController *navigationController() const;         // nearest enclosing stack
    TabBarController *tabBarController() const;                 // nearest enclosing tab screen
    SlideMenuController *slideMenuController() const;           // nearest enclosing slide menu
    Navigator *navigator() const;                               // the window this screen is on, if any
    Screen *presentedScreen() const;   // what this screen (or its outermost container) presents
    Screen *presentingScreen() const;  // what presented this screen (or its outermost container)
    bool isBeingDismissed() const { return m_beingDismissed; }
    bool isPresentationAnimated() const { return m_presentationAnimated; }

    // Presents `screen` modally over this screen's outermost container and takes ownership of it.
    // Refused (with a warning, `screen` deleted later when it has no owner) while something is
    // already presented there.
    void present(Screen *screen, bool animated = true, Completion completion = {});
    // Dismisses what this screen presents; when it presents nothing, dismisses this screen (or its
    // outermost container) from its presenter. Everything presented above goes too.
    void dismiss(bool animated = true, Completion completion = {});
    Q_INVOKABLE void dismissAnimated() { dismiss(true); }

    // Ends text editing in this screen (the keyboard closes).
    Q_INVOKABLE void dismissKeyboard();

    // ---- framework internals used by containers, presentations and the Navigator ----
    enum class Appearance { Disappeared, Appearing, Appeared, Disappearing };
    Appearance appearance() const { return m_appearance; }
    void beginAppearance(bool appearing, bool animated);
    void endAppearance(bool appearing);
    // The children shown while this container is shown.
    virtual QList<Screen *> visibleChildScreens() const { return {}; }
    // The outermost container holding this screen (itself when it has no container).
    Screen *outermostContainer() const;

signals:
    void titleChanged();
    void viewUrlChanged();
    void viewLoadedChanged();
    void visibleChanged();
    void beingDismissedChanged();
    void navigationItemChanged();
    void backgroundColorChanged();
    void presentedScreenChanged();

protected:
    // Shows an alert with `title`, `message` and one "確定" button that only closes it.
    void alertWithTitle(const QString &title, const QString &message = QString());
    // Shows a bottom picker of `texts` starting at `current` (the first row when absent); `chosen` gets
    // the row picked, unless this screen has gone by then. Nothing shows when there are no texts.
    void showListPicker(const QString &title, const QStringList &texts, const QString &current,
                        std::function<void(int)> chosen);
    // Runs `then` once the stored lists of `kinds` ("inco1List" …) can be read: at once when they can;
    // else the touch-blocking spinner shows while each missing one is fetched (the main thread never
    // waits), and `then` runs after the last answer unless this screen has gone. A call that needs a
    // list this screen is already waiting for is ignored (a repeated tap). A failed fetch offers "重試"
    // (fetch again) and "取消" (nothing changes).
    void withLists(const QStringList &kinds, std::function<void()> then);
    // An alert `title` / `message` with "重試", which runs `retry`, and a cancel button: "取消", which only
    // closes it, unless another `cancelTitle` and its handler are given.
    void retryAlert(const QString &title, const QString &message, std::function<void()> retry,
                    const QString &cancelTitle = QString(), std::function<void()> cancel = {});

    // Containers: place `child` under this screen / take it out (deleted later by the caller's choice).
    void adoptChild(Screen *child);
    void releaseChild(Screen *child);

private:
    friend class Navigator;
    static QList<BarButtonRow> barButtonRows(const QList<BarButton> &buttons);
    void setBeingDismissed(bool dismissed);
    template <typename T> T *enclosing() const;
    template <typename T> T *environmentField(T *ScreenEnvironment::*field) const;

    QString m_title;
    QUrl m_viewUrl;
    QColor m_backgroundColor;
    QList<BarButton> m_leftBarButtons;
    QList<BarButton> m_rightBarButtons;
    RowListModel<BarButtonRow> m_leftBarButtonRows;
    RowListModel<BarButtonRow> m_rightBarButtonRows;
    bool m_hidesBackButton = false;
    bool m_viewLoaded = false;
    bool m_beingDismissed = false;
    bool m_presentationAnimated = false;
    bool m_crossDissolves = false;
    QStringList m_awaitedLists; // the kinds withLists is fetching for this screen
    Appearance m_appearance = Appearance::Disappeared;
    bool m_appearanceAnimated = false;
    ScreenEnvironment m_environment;
    QPointer<Screen> m_parentScreen;
    QPointer<Screen> m_presented;
    QPointer<Screen> m_presenting;
    QPointer<Navigator> m_navigator; // set on the root screen only
};
