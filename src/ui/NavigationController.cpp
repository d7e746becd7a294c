#include "ui/NavigationController.h"

#include "ui/Transitions.h"

NavigationController::NavigationController(Screen *root, QObject *parent)
    : Screen(parent), m_pages(new ScreenListModel(this))
{
    if (root)
        changeStack({root}, false, {});
}

QList<Screen *> NavigationController::viewControllers() const
{
    QList<Screen *> list;
    for (const auto &s : m_stack) {
        if (s)
            list.append(s);
    }
    return list;
}

QList<QObject *> NavigationController::viewControllersForView() const
{
    QList<QObject *> list;
    for (Screen *s : viewControllers())
        list.append(s);
    return list;
}

Screen *NavigationController::topViewController() const
{
    const auto list = viewControllers();
    return list.isEmpty() ? nullptr : list.last();
}

Screen *NavigationController::rootViewController() const
{
    const auto list = viewControllers();
    return list.isEmpty() ? nullptr : list.first();
}

QList<Screen *> NavigationController::visibleChildScreens() const
{
    if (Screen *top = topViewController())
        return {top};
    return {};
}

void NavigationController::push(Screen *screen, bool animated, Completion completion)
{
    auto list = viewControllers();
    if (!screen || list.contains(screen)) {
        qCWarning(lcUi) << "push: screen missing or already in the stack";
        return;
    }
    list.append(screen);
    changeStack(list, animated, std::move(completion));
}

bool NavigationController::pop(bool animated, Completion completion)
{
    auto list = viewControllers();
    const bool moved = list.size() > 1;
    if (moved)
        list.removeLast();
    changeStack(list, animated, std::move(completion));
    return moved;
}

bool NavigationController::popToRoot(bool animated, Completion completion)
{
    auto list = viewControllers();
    const bool moved = list.size() > 1;
    changeStack(list.mid(0, 1), animated, std::move(completion));
    return moved;
}

bool NavigationController::popTo(Screen *screen, bool animated, Completion completion)
{
    auto list = viewControllers();
    const qsizetype index = list.indexOf(screen);
    const bool moved = index >= 0 && index < list.size() - 1;
    changeStack(moved ? list.mid(0, index + 1) : list, animated, std::move(completion));
    return moved;
}

void NavigationController::setViewControllers(const QList<Screen *> &screens, bool animated,
                                              Completion completion)
{
    QList<Screen *> unique;
    for (Screen *s : screens) {
        if (s && !unique.contains(s))
            unique.append(s);
    }
    changeStack(unique, animated, std::move(completion));
}

void NavigationController::changeStack(const QList<Screen *> &screens, bool animated, Completion completion)
{
    const QList<Screen *> old = viewControllers();
    Screen *oldTop = old.isEmpty() ? nullptr : old.last();
    Screen *newTop = screens.isEmpty() ? nullptr : screens.last();

    QList<QPointer<Screen>> removed;
    for (Screen *s : old) {
        if (!screens.contains(s)) {
            releaseChild(s);
            removed.append(s);
        }
    }
    for (Screen *s : screens) {
        if (s->parentScreen() != this)
            adoptChild(s);
    }
    m_stack.clear();
    for (Screen *s : screens)
        m_stack.append(s);
    m_lastChangeAnimated = animated;
    for (const auto &s : removed) {
        if (!m_leaving.contains(s))
            m_leaving.append(s);
    }
    m_leaving.removeIf([&screens](const QPointer<Screen> &s) { return !s || screens.contains(s.data()); });
    updatePages();

    const bool topChanged = oldTop != newTop;
    if (topChanged || !removed.isEmpty() || old.size() != screens.size()) {
        emit viewControllersChanged();
        emit stackChanged(animated);
        if (oldTop != nullptr && newTop != nullptr)
            qCDebug(lcUi) << className() << "shows" << newTop->className() << "instead of" << oldTop->className();
    }

    const bool shown = isVisible() && topChanged;
    if (shown) {
        if (oldTop)
            oldTop->beginAppearance(false, animated);
        if (newTop)
            newTop->beginAppearance(true, animated);
    }
    QPointer<Screen> oldGuard(oldTop);
    QPointer<Screen> newGuard(newTop);
    Transitions::run(animated, this, [=, this] {
        if (shown) {
            if (oldGuard)
                oldGuard->endAppearance(false);
            if (newGuard)
                newGuard->endAppearance(true);
        }
        if (completion)
            completion();
        // Screens removed by this change are no longer drawn (unless pushed again meanwhile).
        m_leaving.removeIf([&removed](const QPointer<Screen> &s) { return !s || removed.contains(s); });
        updatePages();
        for (const auto &s : removed) {
            if (s && !s->parentScreen() && !s->presentingScreen())
                s->deleteLater();
        }
    });
}

void NavigationController::updatePages()
{
    QList<Screen *> leaving;
    for (const auto &s : std::as_const(m_leaving)) {
        if (s)
            leaving.append(s);
    }
    m_pages->setScreens(viewControllers(), leaving);
}

void NavigationController::setNavigationBarHidden(bool hidden)
{
    if (m_barHidden == hidden)
        return;
    m_barHidden = hidden;
    emit barStyleChanged();
}

void NavigationController::setBarStyle(const QColor &tint, const QColor &background, const QColor &title,
                                       bool translucent)
{
    m_barTintColor = tint;
    m_barBackgroundColor = background;
    m_barTitleColor = title;
    m_barTranslucent = translucent;
    emit barStyleChanged();
}
