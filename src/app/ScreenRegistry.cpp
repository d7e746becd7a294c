// The one registry of every screen: one storyboard.add(...) line per scene, grouped as the app's
// parts are. A scene's view is found from its class name (LoginViewController → qml/app/LoginView.qml)
// unless its line names one. The home menu's "訂單創建" shows ChooseOrderType, "訂單查詢" OrderHistory
// and "待送出訂單" Outbox; a board row opens BoardMessages, whose "新增留言" presents the composer.
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
    // ---- start-up, sign-in, the tab screen and its tabs, More ----
    storyboard.add(Scene::Login, [] { return new LoginViewController; });
    storyboard.add(Scene::Tabbar, [&storyboard] { return Tabbar2ViewController::withTabs(storyboard); });
    storyboard.add(Scene::HomeNavigation, [] { return new ZelkNavigationController(new HomeViewController); });
    storyboard.add(Scene::BoardNavigation, [] { return new ZelkNavigationController(new BoardListViewController); });
    storyboard.add(Scene::PushListNavigation, [] { return new ZelkNavigationController(new PushListViewController); });
    storyboard.add(Scene::MoreNavigation, [] { return new ZelkNavigationController(new MoreViewController); });
    storyboard.add(Scene::Home, [] { return new HomeViewController; });
    storyboard.add(Scene::BoardList, [] { return new BoardListViewController; });
    storyboard.add(Scene::PushList, [] { return new PushListViewController; });
    storyboard.add(Scene::PushTest, [] { return new PushTestViewController; });
    storyboard.add(Scene::More, [] { return new MoreViewController; });
    storyboard.add(Scene::About, [] { return new AboutViewController; });
    storyboard.add(Scene::ContactUs, [] { return new ContactUsViewController; });
    storyboard.add(Scene::ChangePassword, [] { return new ChangePasswordViewController; });
    storyboard.add(Scene::TileMenu, "app/TileMenuView.qml", [] { return new ViewController; });

    // ---- the order query and the detail of a queried order ----
    storyboard.add(Scene::OrderHistory, [] { return new OrderHistoryViewController; });
    storyboard.add(Scene::OrderHistoryDetail, [] { return new OrderHistoryDetailViewController; });

    // ---- the orders waiting to be sent ----
    storyboard.add(Scene::Outbox, [] { return new OutboxViewController; });

    // ---- a board's messages, the replies of one message, the composer (presented) ----
    storyboard.add(Scene::BoardMessages, [] { return new BoardMessageListViewController; });
    storyboard.add(Scene::BoardMessageReplies, [] { return new BoardMessageReplyListViewController; });
    storyboard.add(Scene::AddBoardMessageNavigation, [] { return new ZelkNavigationController(new AddBoardMessageViewController); });

    // ---- the searchable pick list (customers, materials) ----
    storyboard.add(Scene::SelectData, [] { return new SelectDataViewController; });

    // ---- order entry, the normal order, price entry, confirmation ----
    storyboard.add(Scene::ChooseOrderType, [] { return new ChooseOrderTypeViewController; });
    storyboard.add(Scene::OrderPage1, [] { return new OrderPage1ViewController; });
    storyboard.add(Scene::OrderPage2, [] { return new OrderPage2ViewController; });
    storyboard.add(Scene::EnterOrderInfo, [] { return new EnterOrderInfoViewController; });
    storyboard.add(Scene::EnterNewAmount, [] { return new EnterNewAmountViewController; });
    storyboard.add(Scene::OrderConfirmNavigation, [] { return new ZelkNavigationController(new OrderConfirmViewController); });
    // The notice mail after an order, pushed onto the confirmation's stack.
    storyboard.add(Scene::SendMail, [] { return new SendMailViewController; });
    storyboard.add(Scene::EditSentMail, [] { return new EditSentMailViewController; });
    storyboard.add(Scene::ChoiceMail, [] { return new ChoiceMailViewController; });

    // ---- the contract order (contracts, their materials), the cart panel, line editing ----
    storyboard.add(Scene::ContractNavigation, [] { return new ZelkNavigationController(new ContractViewController); });
    storyboard.add(Scene::Items, [] { return new ItemsViewController; });
    storyboard.add(Scene::OrderCar, [] { return new OrderCarViewController; });
    storyboard.add(Scene::EditOrder, [] { return new EditOrderViewController; });
}
