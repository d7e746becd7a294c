#include "app/Tabbar2ViewController.h"

#include "model/AppContext.h"
#include "notify/PushRegistration.h"
#include "text/Localizer.h"
#include "ui/Colors.h"
#include "ui/Storyboard.h"

namespace {
struct TabRow {
    const char *title;
    const char *image;
};
// Title (looked up when applied) and image of each tab, in order.
const TabRow kTabRows[] = {{QT_TRANSLATE_NOOP("Zelk", "首頁"), "home"},
                             {QT_TRANSLATE_NOOP("Zelk", "留言板"), "board"},
                             {QT_TRANSLATE_NOOP("Zelk", "通知"), "message"},
                             {QT_TRANSLATE_NOOP("Zelk", "更多"), "more"}};
} // namespace

Tabbar2ViewController::Tabbar2ViewController(QObject *parent) : TabBarController(parent) {}

Tabbar2ViewController *Tabbar2ViewController::withTabs(Storyboard &storyboard)
{
    auto *tabs = new Tabbar2ViewController;
    QList<Screen *> children;
    for (const Scene scene : {Scene::HomeNavigation, Scene::BoardNavigation, Scene::PushListNavigation,
                              Scene::MoreNavigation}) {
        if (Screen *child = storyboard.instantiate(scene))
            children.append(child);
    }
    tabs->setViewControllers(children);
    return tabs;
}

void Tabbar2ViewController::viewDidLoad()
{
    TabBarController::viewDidLoad();
    setTintColor(Colors::brandRed());
    setUnselectedTintColor(Colors::unselectedTab());
    // Only as many tabs as there are both children and rows are styled.
    const int styled = std::min(count(), int(std::size(kTabRows)));
    for (int i = 0; i < styled; ++i)
        setTabItem(i, TabItem{localized(QString::fromUtf8(kTabRows[i].title)), QString::fromLatin1(kTabRows[i].image)});
    if (AppContext *ctx = context())
        registerForPushNotifications(*ctx);
}
