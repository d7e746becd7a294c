// The one registry of every screen: one storyboard.add(...) line per scene, grouped by storyboard.
// A scene's view is found from its class name (LoginViewController → qml/app/LoginView.qml) unless
// its line names one.
//
// Transitions into other storyboards:
//   - "OrderSegue" (home menu "訂單創建") shows the initial scene of storyboard "Order": pushed onto
//     the home tab's stack when it is a plain screen, presented when it is a container.
//   - "訂單查詢" on the home screen pushes the initial scene of storyboard "OrderHistory".
//   - "待送出訂單" on the home screen pushes the initial scene of storyboard "Outbox".
//   - A board row opens "BoardMessageListViewController" of storyboard "Board" (its `boardId` set);
//     "新增留言" there presents "AddBoardMessageNav", a reply button pushes "BoardMessageReplyListViewController".
// Until those scenes are registered, the taps that lead to them do nothing.
#include "app/ScreenRegistry.h"

#include "app/AboutViewController.h"
#include "app/ChangePasswordViewController.h"
#include "app/ContactUsViewController.h"
#include "app/LoginViewController.h"
#include "app/MoreViewController.h"
#include "app/Tabbar2ViewController.h"
#include "app/ViewController.h"
#include "board/AddBoardMessageViewController.h"
#include "board/BoardListViewController.h"
#include "board/BoardMessageListViewController.h"
#include "board/BoardMessageReplyListViewController.h"
#include "history/OrderHistoryDetailViewController.h"
#include "order/OutboxViewController.h"
#include "history/OrderHistoryViewController.h"
#include "notify/HomeViewController.h"
#include "notify/PushListViewController.h"
#include "notify/PushTestViewController.h"
#include "order/ChooseOrderTypeViewController.h"
#include "order/ContractViewController.h"
#include "order/EditOrderViewController.h"
#include "order/ItemsViewController.h"
#include "order/OrderCarViewController.h"
#include "order/EnterNewAmountViewController.h"
#include "order/ChoiceMailViewController.h"
#include "order/EditSentMailViewController.h"
#include "order/OrderConfirmViewController.h"
#include "order/SendMailViewController.h"
#include "order/OrderPage2ViewController.h"
#include "picklist/SelectDataViewController.h"
#include "ui/Storyboard.h"
#include "ui/ZelkNavigationController.h"

void registerScreens(Storyboard &storyboard)
{
    // ---- Main: start-up, sign-in, the tab screen and its tabs, More ----
    storyboard.add("Main", "LoginViewController", [] { return new LoginViewController; });
    storyboard.add("Main", "Tabbar", [&storyboard] { return Tabbar2ViewController::withTabs(storyboard); });
    storyboard.add("Main", "HomeNavigation", [] { return new ZelkNavigationController(new HomeViewController); });
    storyboard.add("Main", "BoardNavigation", [] { return new ZelkNavigationController(new BoardListViewController); });
    storyboard.add("Main", "PushListNavigation", [] { return new ZelkNavigationController(new PushListViewController); });
    storyboard.add("Main", "MoreNavigation", [] { return new ZelkNavigationController(new MoreViewController); });
    storyboard.add("Main", "HomeViewController", [] { return new HomeViewController; });
    storyboard.add("Main", "BoardListViewController", [] { return new BoardListViewController; });
    storyboard.add("Main", "PushListViewController", [] { return new PushListViewController; });
    storyboard.add("Main", "PushTestViewController", [] { return new PushTestViewController; });
    storyboard.add("Main", "MoreViewController", [] { return new MoreViewController; });
    storyboard.add("Main", "AboutViewController", [] { return new AboutViewController; });
    storyboard.add("Main", "ContactUsViewController", [] { return new ContactUsViewController; });
    storyboard.add("Main", "ChangePasswordViewController", [] { return new ChangePasswordViewController; });
    storyboard.add("Main", "ViewController", "app/TileMenuView.qml", [] { return new ViewController; });
    storyboard.setInitial("Main", "LoginViewController");

    // ---- OrderHistory: the order query and the detail of a queried order ----
    storyboard.add("OrderHistory", "OrderHistoryViewController", [] { return new OrderHistoryViewController; });
    storyboard.add("OrderHistory", "OrderHistoryDetailViewController",
                   [] { return new OrderHistoryDetailViewController; });
    storyboard.setInitial("OrderHistory", "OrderHistoryViewController");

    // ---- Outbox: the orders waiting to be sent ----
    storyboard.add("Outbox", "OutboxViewController", [] { return new OutboxViewController; });
    storyboard.setInitial("Outbox", "OutboxViewController");

    // ---- Board: a board's messages, the replies of one message, the composer (presented) ----
    storyboard.add("Board", "BoardMessageListViewController", [] { return new BoardMessageListViewController; });
    storyboard.add("Board", "BoardMessageReplyListViewController",
                   [] { return new BoardMessageReplyListViewController; });
    storyboard.add("Board", "AddBoardMessageNav",
                   [] { return new ZelkNavigationController(new AddBoardMessageViewController); });

    // ---- SelectDataViewController: the searchable pick list (customers, materials) ----
    storyboard.add("SelectDataViewController", "SelectDataViewController", [] { return new SelectDataViewController; });

    // ---- Order: order entry ("OrderSegue"), the normal order, price entry, confirmation ----
    storyboard.add("Order", "ChooseOrderTypeViewController", [] { return new ChooseOrderTypeViewController; });
    storyboard.setInitial("Order", "ChooseOrderTypeViewController");
    storyboard.add("OrderNormal", "OrderPage1ViewController", [] { return new OrderPage1ViewController; });
    storyboard.add("OrderNormal", "OrderPage2ViewController", [] { return new OrderPage2ViewController; });
    storyboard.add("EnterOrderInfoViewController", "EnterOrderInfoViewController",
                   [] { return new EnterOrderInfoViewController; });
    storyboard.add("EnterOrderInfoViewController", "EnterNewAmountViewController",
                   [] { return new EnterNewAmountViewController; });
    storyboard.setInitial("EnterOrderInfoViewController", "EnterOrderInfoViewController");
    storyboard.add("OrderConfirm", "OrderConfirmNavigation",
                   [] { return new ZelkNavigationController(new OrderConfirmViewController); });
    storyboard.setInitial("OrderConfirm", "OrderConfirmNavigation");
    // The notice mail after an order, pushed onto the confirmation's stack.
    storyboard.add("OrderConfirm", "SendMailViewController", [] { return new SendMailViewController; });
    storyboard.add("OrderConfirm", "EditSentMailViewController", [] { return new EditSentMailViewController; });
    storyboard.add("OrderConfirm", "ChoiceMailViewController", [] { return new ChoiceMailViewController; });

    // ---- OrderContract: the contract order (contracts, their materials), the cart panel, line editing ----
    storyboard.add("OrderContract", "ContractNavigation",
                   [] { return new ZelkNavigationController(new ContractViewController); });
    storyboard.setInitial("OrderContract", "ContractNavigation");
    storyboard.add("OrderContract", "ItemsViewController", [] { return new ItemsViewController; });
    storyboard.add("OrderContract", "OrderCarViewController", [] { return new OrderCarViewController; });
    storyboard.add("OrderContract", "EditOrderViewController", [] { return new EditOrderViewController; });
}
