#pragma once
// The app's navigation stack: brand-red bar buttons on a light bar with dark titles, styled when loaded.
#include "ui/NavigationController.h"

class ZelkNavigationController : public NavigationController
{
    Q_OBJECT
public:
    explicit ZelkNavigationController(Screen *root = nullptr, QObject *parent = nullptr);
    void viewDidLoad() override;
};
