#pragma once
// Every scene of the app, by name. A screen is made for a scene by the Storyboard the app fills in
// its registry (app/ScreenRegistry.cpp), so a misspelt scene does not compile. The names are the
// controllers' class names without "ViewController"; a "…Navigation" scene is that screen in a
// navigation stack of its own. Scenes that need something from their caller (a board, an order, the
// lines of a mail) are made by their class's typed `instantiate(Storyboard *, …)`, which takes it.
#include <QObject>

namespace Scenes {
Q_NAMESPACE

enum class Scene : quint8 {
    // Start-up, sign-in, the tab screen and its tabs, More
    Login,
    Tabbar,
    HomeNavigation,
    BoardNavigation,
    PushListNavigation,
    MoreNavigation,
    Home,
    BoardList,
    PushList,
    PushTest,
    More,
    About,
    ContactUs,
    ChangePassword,
    TileMenu,
    // The order query and the detail of a queried order; the orders waiting to be sent
    OrderHistory,
    OrderHistoryDetail,
    Outbox,
    // A board's messages, the replies of one message, the composer (presented)
    BoardMessages,
    BoardMessageReplies,
    AddBoardMessageNavigation,
    // The searchable pick list (customers, materials)
    SelectData,
    // Order entry, the normal order, quantity and price entry, confirmation and its notice mail
    ChooseOrderType,
    OrderPage1,
    OrderPage2,
    EnterOrderInfo,
    EnterNewAmount,
    OrderConfirmNavigation,
    SendMail,
    EditSentMail,
    ChoiceMail,
    // The contract order: contracts, their materials, the cart panel, line editing
    ContractNavigation,
    Items,
    OrderCar,
    EditOrder,
};
Q_ENUM_NS(Scene)

} // namespace Scenes

using Scenes::Scene;
