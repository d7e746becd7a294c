#include "ui/ZelkNavigationController.h"

#include "ui/Colors.h"

ZelkNavigationController::ZelkNavigationController(Screen *root, QObject *parent)
    : NavigationController(root, parent)
{
}

void ZelkNavigationController::viewDidLoad()
{
    NavigationController::viewDidLoad();
    setBarStyle(Colors::brandRed(), Colors::background(), Colors::titleText(), true);
}
