#include "ui/TabBarController.h"

#include "ui/Transitions.h"
#include "ui/ViewLocator.h"

TabBarController::TabBarController(QObject *parent)
    : Screen(parent),
      m_pages(new ScreenListModel(this)),
      m_tabRows({{"title", [](const TabItemRow &r) { return r.title; }},
                 {"iconSource", [](const TabItemRow &r) { return r.iconSource; }}})
{
    // Child titles feed the tab titles when no item title is set.
    connect(this, &TabBarController::viewControllersChanged, this, &TabBarController::tabItemsChanged);
    connect(this, &TabBarController::tabItemsChanged, this, &TabBarController::updateTabRows);
}

void TabBarController::setViewControllers(const QList<Screen *> &screens)
{
    Screen *oldSelected = selectedViewController();
    QList<Screen *> next;
    for (Screen *s : screens) {
        if (s && !next.contains(s))
            next.append(s);
    }
    for (const auto &old : m_children) {
        if (old && !next.contains(old.data())) {
            disconnect(old, nullptr, this, nullptr);
            releaseChild(old);
            old->deleteLater();
        }
    }
    m_children.clear();
    for (Screen *s : next) {
        if (s->parentScreen() != this) {
            adoptChild(s);
            connect(s, &Screen::titleChanged, this, &TabBarController::tabItemsChanged);
        }
        m_children.append(s);
    }
    m_items.resize(m_children.size());
    m_pages->setScreens(viewControllers());
    m_selectedIndex = m_children.isEmpty() ? -1 : 0;
    emit viewControllersChanged();
    emit selectedIndexChanged();

    Screen *newSelected = selectedViewController();
    if (isVisible() && oldSelected != newSelected) {
        if (oldSelected)
            oldSelected->beginAppearance(false, false);
        if (newSelected)
            newSelected->beginAppearance(true, false);
        QPointer<Screen> oldGuard(oldSelected);
        QPointer<Screen> newGuard(newSelected);
        Transitions::run(false, this, [oldGuard, newGuard] {
            if (oldGuard)
                oldGuard->endAppearance(false);
            if (newGuard)
                newGuard->endAppearance(true);
        });
    }
}

QList<Screen *> TabBarController::viewControllers() const
{
    QList<Screen *> list;
    for (const auto &s : m_children) {
        if (s)
            list.append(s);
    }
    return list;
}

Screen *TabBarController::selectedViewController() const
{
    if (m_selectedIndex < 0 || m_selectedIndex >= m_children.size())
        return nullptr;
    return m_children[m_selectedIndex];
}

void TabBarController::setSelectedIndex(int index)
{
    if (index < 0 || index >= m_children.size() || index == m_selectedIndex)
        return;
    Screen *old = selectedViewController();
    m_selectedIndex = index;
    Screen *now = selectedViewController();
    emit selectedIndexChanged();
    if (!isVisible())
        return;
    if (old)
        old->beginAppearance(false, false);
    if (now)
        now->beginAppearance(true, false);
    QPointer<Screen> oldGuard(old);
    QPointer<Screen> nowGuard(now);
    Transitions::run(false, this, [oldGuard, nowGuard] {
        if (oldGuard)
            oldGuard->endAppearance(false);
        if (nowGuard)
            nowGuard->endAppearance(true);
    });
}

QList<Screen *> TabBarController::visibleChildScreens() const
{
    if (Screen *s = selectedViewController())
        return {s};
    return {};
}

void TabBarController::setTabItem(int index, const TabItem &item)
{
    if (index < 0 || index >= m_items.size())
        return;
    m_items[index] = item;
    emit tabItemsChanged();
}

TabItem TabBarController::tabItem(int index) const
{
    if (index < 0 || index >= m_items.size())
        return {};
    TabItem item = m_items[index];
    if (item.title.isEmpty() && m_children[index])
        item.title = m_children[index]->title();
    return item;
}

void TabBarController::updateTabRows()
{
    QList<TabItemRow> rows;
    for (int i = 0; i < m_items.size(); ++i) {
        const TabItem item = tabItem(i);
        rows.append({item.title, ViewLocator::imageUrl(item.icon)});
    }
    m_tabRows.setRows(rows);
}

void TabBarController::setTintColor(const QColor &color)
{
    m_tintColor = color;
    emit tabItemsChanged();
}

void TabBarController::setUnselectedTintColor(const QColor &color)
{
    m_unselectedTintColor = color;
    emit tabItemsChanged();
}
