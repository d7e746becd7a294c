#pragma once
// The main tab screen (Scene::Tabbar): home, message boards, notifications and More.
// Its child screens come from the storyboard; the tab screen styles them when it loads and asks for
// push registration.
#include "ui/TabBarController.h"

class Storyboard;

class Tabbar2ViewController : public TabBarController
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
public:
    explicit Tabbar2ViewController(QObject *parent = nullptr);

    // The tab screen with the four tab scenes (those registered, in tab order).
    static Tabbar2ViewController *withTabs(Storyboard &storyboard);
    // Scene identifiers of the tabs, in order.

    void viewDidLoad() override;
};
