#pragma once
// The tab screen: one child per tab, the selected one shown. Each tab has a title and an icon; the
// icon is drawn in the tint colour when selected and in the unselected colour otherwise.
#include <QtQml/qqmlregistration.h>
#include "ui/Screen.h"
#include "ui/ScreenListModel.h"

struct TabItem {
    QString title; // the child's title when empty
    QString icon;  // image name from resources/ ("home") or a full URL
};

// A tab as the tab bar draws it: the title shown and the icon's address.
struct TabItemRow {
    QString title;
    QUrl iconSource;
    friend bool operator==(const TabItemRow &, const TabItemRow &) = default;
};

class TabBarController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made in C++")
    // The tabs' screens in order, one row ("screen") per tab.
    Q_PROPERTY(ScreenListModel *pages READ pages CONSTANT)
    Q_PROPERTY(int selectedIndex READ selectedIndex WRITE setSelectedIndex NOTIFY selectedIndexChanged)
    Q_PROPERTY(Screen *selectedViewController READ selectedViewController NOTIFY selectedIndexChanged)
    // One row per tab: "title" and "iconSource".
    Q_PROPERTY(ListModelBase *tabItems READ tabItems CONSTANT)
    Q_PROPERTY(QColor tintColor READ tintColor WRITE setTintColor NOTIFY tabItemsChanged)
    Q_PROPERTY(QColor unselectedTintColor READ unselectedTintColor WRITE setUnselectedTintColor NOTIFY tabItemsChanged)

public:
    explicit TabBarController(QObject *parent = nullptr);

    QString kind() const override { return QStringLiteral("tabs"); }

    // Replaces the tabs; the first is selected. Children no longer present are deleted later.
    void setViewControllers(const QList<Screen *> &screens);
    QList<Screen *> viewControllers() const;
    int count() const { return int(m_children.size()); }
    ScreenListModel *pages() const { return m_pages; }

    int selectedIndex() const { return m_selectedIndex; }
    // Out-of-range indexes are ignored.
    Q_INVOKABLE void setSelectedIndex(int index);
    Screen *selectedViewController() const;

    void setTabItem(int index, const TabItem &item);
    TabItem tabItem(int index) const;
    ListModelBase *tabItems() { return &m_tabRows; }
    QColor tintColor() const { return m_tintColor; }
    void setTintColor(const QColor &color);
    QColor unselectedTintColor() const { return m_unselectedTintColor; }
    void setUnselectedTintColor(const QColor &color);

    QList<Screen *> visibleChildScreens() const override;

signals:
    void viewControllersChanged();
    void selectedIndexChanged();
    void tabItemsChanged();

private:
    void updateTabRows();

    QList<QPointer<Screen>> m_children;
    ScreenListModel *m_pages;
    QList<TabItem> m_items;
    RowListModel<TabItemRow> m_tabRows;
    int m_selectedIndex = -1;
    QColor m_tintColor{0, 122, 255};
    QColor m_unselectedTintColor{Qt::gray};
};
