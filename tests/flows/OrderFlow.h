#pragma once
// The signed-in demo user on the order-type screen, pushed over a stand-in of the home screen in the tab
// screen, and the steps every kind of order takes from there.
#include "AppHarness.h"
#include "ExpectedJson.h"

#include "order/ChooseOrderTypeViewController.h"
#include "ui/ZelkNavigationController.h"

struct OrderFlow : AppHarness {
    QPointer<TabBarController> tabBar;
    QPointer<NavigationController> nav;
    QPointer<ChooseOrderTypeViewController> choose;

    OrderFlow()
    {
        startSignedIn();
        nav = new ZelkNavigationController(new Screen);
        tabBar = new TabBarController;
        tabBar->setViewControllers({nav});
        navigator.setRootScreen(tabBar);
        settle();
        openChoose();
    }

    // Pushes a new order-type screen, as 訂單創建 on the home screen does.
    void openChoose()
    {
        choose = qobject_cast<ChooseOrderTypeViewController *>(storyboard.instantiateInitial(QStringLiteral("Order")));
        nav->push(choose, false);
        settle();
    }

    Screen *top() const { return nav ? nav->topViewController() : nullptr; }

    // Taps an order kind (`kind`), then the customer in row `row` after searching `search`.
    bool pickCustomer(void (ChooseOrderTypeViewController::*kind)(), const QString &search, int row)
    {
        (choose->*kind)();
        settle();
        SelectDataViewController *pick = choose->selectDataViewController();
        if (!pick || !QTest::qWaitFor([&] { return context->lists().customerList().has_value() && !ui.isSpinnerShowing(); }))
            return false;
        pick->searchTextChangedByUser(search);
        pick->didSelectRow(row);
        settle();
        return true;
    }

    // Chooses a row once the picker shows (its list may be fetched first).
    bool pickRow(int row) { return QTest::qWaitFor([&] { return ui.hasOpenPicker(); }) && ui.choosePickerRow(row); }

    // The alert shown is titled `title`; it is dismissed with 確定.
    bool dismiss(const QString &title)
    {
        return ui.currentAlertTitle() == title && ui.pressAlertButton(QStringLiteral("確定"));
    }
};
