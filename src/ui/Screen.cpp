#include "ui/Screen.h"

#include "model/AppContext.h"
#include "text/Localizer.h"
#include "ui/Alert.h"
#include "ui/Colors.h"
#include "ui/NavigationController.h"
#include "ui/Navigator.h"
#include "ui/SlideMenuController.h"
#include "ui/TabBarController.h"
#include "ui/Transitions.h"
#include "ui/Ui.h"
#include "ui/ViewLocator.h"


#include <algorithm>

Q_LOGGING_CATEGORY(lcUi, "zelk.ui", QtWarningMsg)

namespace {
std::vector<RowListModel<BarButtonRow>::Role> barButtonRoles()
{
    return {{"title", [](const BarButtonRow &b) { return b.title; }},
            {"iconSource", [](const BarButtonRow &b) { return b.iconSource; }},
            {"buttonName", [](const BarButtonRow &b) { return b.buttonName; }}};
}
} // namespace

Screen::Screen(QObject *parent)
    : QObject(parent),
      m_backgroundColor(Colors::background()),
      m_leftBarButtonRows(barButtonRoles()),
      m_rightBarButtonRows(barButtonRoles())
{
}

Screen::~Screen() = default;

void Screen::loadViewIfNeeded()
{
    if (m_viewLoaded)
        return;
    m_viewLoaded = true;
    emit viewLoadedChanged();
    viewDidLoad();
}

bool Screen::isVisible() const
{
    return m_appearance == Appearance::Appearing || m_appearance == Appearance::Appeared;
}

void Screen::setTitle(const QString &title)
{
    if (m_title == title)
        return;
    m_title = title;
    emit titleChanged();
}

QString Screen::className() const
{
    return QString::fromLatin1(metaObject()->className()).section(QStringLiteral("::"), -1);
}

QUrl Screen::viewUrl() const
{
    if (!m_viewUrl.isEmpty())
        return m_viewUrl;
    return ViewLocator::urlForClass(className());
}

void Screen::setViewUrl(const QUrl &url)
{
    if (m_viewUrl == url)
        return;
    m_viewUrl = url;
    emit viewUrlChanged();
}

int Screen::transitionDuration() { return Transitions::animationDuration(); }

void Screen::setBackgroundColor(const QColor &color)
{
    if (m_backgroundColor == color)
        return;
    m_backgroundColor = color;
    emit backgroundColorChanged();
}

void Screen::setLeftBarButtons(const QList<BarButton> &buttons)
{
    m_leftBarButtons = buttons;
    m_leftBarButtonRows.setRows(barButtonRows(buttons));
    emit navigationItemChanged();
}

void Screen::setRightBarButtons(const QList<BarButton> &buttons)
{
    m_rightBarButtons = buttons;
    m_rightBarButtonRows.setRows(barButtonRows(buttons));
    emit navigationItemChanged();
}

void Screen::setHidesBackButton(bool hides)
{
    if (m_hidesBackButton == hides)
        return;
    m_hidesBackButton = hides;
    emit navigationItemChanged();
}

bool Screen::triggerBarButton(const QString &side, int index)
{
    const QList<BarButton> &buttons = side == QLatin1String("left") ? m_leftBarButtons : m_rightBarButtons;
    if (index < 0 || index >= buttons.size())
        return false;
    // Copy: the action may replace the buttons.
    const auto action = buttons[index].action;
    if (action)
        action();
    return true;
}

QList<BarButtonRow> Screen::barButtonRows(const QList<BarButton> &buttons)
{
    QList<BarButtonRow> rows;
    for (const BarButton &button : buttons) {
        QString name = button.objectName;
        if (name.isEmpty())
            name = QStringLiteral("barButton_") + (button.title.isEmpty() ? button.icon : button.title);
        rows.append({button.title, ViewLocator::imageUrl(button.icon), name});
    }
    return rows;
}

// ---- environment ----

template <typename T> T *Screen::environmentField(T *ScreenEnvironment::*field) const
{
    for (const Screen *s = this; s;) {
        if (s->m_environment.*field)
            return s->m_environment.*field;
        if (s->m_parentScreen) {
            s = s->m_parentScreen;
        } else if (s->m_presenting) {
            s = s->m_presenting;
        } else {
            if (s->m_navigator)
                return s->m_navigator->environment().*field;
            return nullptr;
        }
    }
    return nullptr;
}

Ui *Screen::ui() const { return environmentField(&ScreenEnvironment::ui); }
Storyboard *Screen::storyboard() const { return environmentField(&ScreenEnvironment::storyboard); }
AppContext *Screen::context() const { return environmentField(&ScreenEnvironment::context); }

void Screen::setEnvironment(const ScreenEnvironment &environment) { m_environment = environment; }

// ---- graph ----

template <typename T> T *Screen::enclosing() const
{
    for (Screen *s = m_parentScreen; s; s = s->m_parentScreen) {
        if (auto *found = qobject_cast<T *>(s))
            return found;
    }
    return nullptr;
}

NavigationController *Screen::navigationController() const { return enclosing<NavigationController>(); }
TabBarController *Screen::tabBarController() const { return enclosing<TabBarController>(); }
SlideMenuController *Screen::slideMenuController() const { return enclosing<SlideMenuController>(); }

Screen *Screen::outermostContainer() const
{
    const Screen *s = this;
    while (s->m_parentScreen)
        s = s->m_parentScreen;
    return const_cast<Screen *>(s);
}

Navigator *Screen::navigator() const
{
    const Screen *s = outermostContainer();
    while (s->m_presenting)
        s = s->m_presenting->outermostContainer();
    return s->m_navigator;
}

Screen *Screen::presentedScreen() const { return outermostContainer()->m_presented; }

Screen *Screen::presentingScreen() const { return outermostContainer()->m_presenting; }

void Screen::setBeingDismissed(bool dismissed)
{
    if (m_beingDismissed == dismissed)
        return;
    m_beingDismissed = dismissed;
    emit beingDismissedChanged();
}

void Screen::present(Screen *screen, bool animated, Completion completion)
{
    if (!screen || screen == this)
        return;
    Screen *host = outermostContainer();
    if (screen->m_parentScreen || screen->m_presenting || screen->m_navigator) {
        qCWarning(lcUi) << "present: " << screen->className() << "is already on screen";
        return;
    }
    if (host->m_presented) {
        qCWarning(lcUi) << "present:" << host->className() << "already presents"
                        << host->m_presented->className() << "- refused" << screen->className();
        if (!screen->parent())
            screen->deleteLater();
        return;
    }
    host->m_presented = screen;
    screen->m_presenting = host;
    screen->m_presentationAnimated = animated;
    screen->setParent(host);
    emit host->presentedScreenChanged();
    qCDebug(lcUi) << host->className() << "presents" << screen->className();

    Navigator *navigator = host->navigator();
    if (navigator)
        navigator->screenPresented(screen, animated);

    const bool shown = host->isVisible();
    if (shown) {
        host->beginAppearance(false, animated);
        screen->beginAppearance(true, animated);
    }
    QPointer<Screen> caller(this);
    QPointer<Screen> hostGuard(host);
    QPointer<Screen> presented(screen);
    Transitions::run(animated, host, [=] {
        if (shown) {
            if (hostGuard)
                hostGuard->endAppearance(false);
            if (presented)
                presented->endAppearance(true);
        }
        if (caller && completion)
            completion();
    });
}

void Screen::dismiss(bool animated, Completion completion)
{
    QPointer<Screen> caller(this);
    Screen *host = outermostContainer();
    Screen *presenter = nullptr;
    Screen *dismissed = nullptr;
    if (host->m_presented && !host->m_presented->m_beingDismissed) {
        presenter = host;
        dismissed = host->m_presented;
    } else if (host->m_presenting && host->m_presenting->m_presented == host) {
        presenter = host->m_presenting;
        dismissed = host;
    }
    if (!dismissed) {
        // Nothing to dismiss (or already on its way out): the completion still runs, later.
        Transitions::run(false, this, [caller, completion] {
            if (caller && completion)
                completion();
        });
        return;
    }
    QList<QPointer<Screen>> chain;
    for (Screen *s = dismissed; s; s = s->m_presented)
        chain.append(s);
    Screen *top = chain.last();
    presenter->m_presented = nullptr;
    emit presenter->presentedScreenChanged();
    for (const auto &s : chain) {
        s->m_presentationAnimated = animated;
        s->setBeingDismissed(true);
    }
    qCDebug(lcUi) << presenter->className() << "dismisses" << dismissed->className();

    const bool shown = top->isVisible();
    if (shown) {
        top->beginAppearance(false, animated);
        presenter->beginAppearance(true, animated);
    }
    QPointer<Screen> presenterGuard(presenter);
    QPointer<Screen> topGuard(top);
    QPointer<Screen> dismissedGuard(dismissed);
    Transitions::run(animated, presenter, [=] {
        if (shown) {
            if (topGuard)
                topGuard->endAppearance(false);
            if (presenterGuard)
                presenterGuard->endAppearance(true);
        }
        if (Navigator *navigator = presenterGuard ? presenterGuard->navigator() : nullptr)
            navigator->presentationEnded(dismissedGuard);
        if (caller && completion)
            completion();
        if (dismissedGuard) {
            dismissedGuard->m_presenting = nullptr;
            dismissedGuard->deleteLater();
        }
    });
}

void Screen::dismissKeyboard()
{
    if (Ui *u = ui())
        u->endEditing();
}

// ---- appearance ----

void Screen::beginAppearance(bool appearing, bool animated)
{
    if (appearing) {
        if (isVisible())
            return;
        loadViewIfNeeded();
        m_appearance = Appearance::Appearing;
        m_appearanceAnimated = animated;
        emit visibleChanged();
        viewWillAppear(animated);
    } else {
        if (!isVisible())
            return;
        m_appearance = Appearance::Disappearing;
        m_appearanceAnimated = animated;
        emit visibleChanged();
        viewWillDisappear(animated);
    }
    for (Screen *child : visibleChildScreens())
        child->beginAppearance(appearing, animated);
}

void Screen::endAppearance(bool appearing)
{
    const Appearance expected = appearing ? Appearance::Appearing : Appearance::Disappearing;
    if (m_appearance != expected)
        return;
    m_appearance = appearing ? Appearance::Appeared : Appearance::Disappeared;
    if (!appearing)
        emit visibleChanged();
    if (appearing)
        viewDidAppear(m_appearanceAnimated);
    else
        viewDidDisappear(m_appearanceAnimated);
    for (Screen *child : visibleChildScreens())
        child->endAppearance(appearing);
}

void Screen::adoptChild(Screen *child)
{
    child->m_parentScreen = this;
    child->setParent(this);
}

void Screen::releaseChild(Screen *child)
{
    if (child->m_parentScreen == this)
        child->m_parentScreen = nullptr;
}

void Screen::alertWithTitle(const QString &title, const QString &message)
{
    Alert alert;
    alert.title = title;
    alert.message = message;
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")));
    if (Ui *u = ui())
        u->showAlert(alert);
}

void Screen::showListPicker(const QString &title, const QStringList &texts, const QString &current,
                            std::function<void(int)> chosen)
{
    Ui *u = ui();
    if (!u || texts.isEmpty())
        return;
    Picker picker;
    picker.context = this; // a choice made after this screen has gone is dropped
    picker.title = title;
    picker.rows = texts;
    picker.initialRow = std::max(0, int(texts.indexOf(current)));
    picker.done = std::move(chosen);
    u->showPicker(picker);
}

void Screen::withLists(const QStringList &kinds, std::function<void()> then)
{
    AppContext *ctx = context();
    if (!ctx)
        return;
    QStringList missing = kinds;
    missing.removeIf([ctx](const QString &kind) { return ctx->lists().hasList(kind); });
    if (missing.isEmpty()) {
        then();
        return;
    }
    const QString kind = missing.first();
    if (m_awaitedLists.contains(kind))
        return;
    m_awaitedLists.append(kind);
    if (Ui *u = ui())
        u->showSpinner(this, SpinnerMask::Clear);
    ctx->lists().withList(kind, this, [this, kind, missing, then = std::move(then)](const ApiStatus &status) {
        m_awaitedLists.removeOne(kind);
        Ui *u = ui();
        if (u && m_awaitedLists.isEmpty())
            u->dismissSpinner();
        if (!status.isSuccess) {
            retryAlert(localized(QT_TRANSLATE_NOOP("Zelk", "無法取得資料")), status.message,
                       [this, missing, then] { withLists(missing, then); });
            return;
        }
        // The kind just fetched counts as had, even when its list came out empty.
        if (missing.size() == 1)
            then();
        else
            withLists(missing.mid(1), then);
    });
}

void Screen::retryAlert(const QString &title, const QString &message, std::function<void()> retry,
                        const QString &cancelTitle, std::function<void()> cancel)
{
    Ui *u = ui();
    if (!u)
        return;
    Alert alert;
    alert.context = this;
    alert.title = title;
    alert.message = message;
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "重試")), AlertButton::Style::Default, std::move(retry));
    alert.addButton(cancelTitle.isEmpty() ? localized(QT_TRANSLATE_NOOP("Zelk", "取消")) : cancelTitle, AlertButton::Style::Cancel,
                    std::move(cancel));
    u->showAlert(alert);
}
