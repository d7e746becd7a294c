#pragma once
// The app's navigation stack: brand-red bar buttons on a light bar with dark titles, styled when loaded.
#include <QtQml/qqmlregistration.h>
#include "ui/NavigationController.h"

class ZelkNavigationController : public NavigationController
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made in C++")
public:
    explicit ZelkNavigationController(Screen *root = nullptr, QObject *parent = nullptr);
    void viewDidLoad() override;
};
