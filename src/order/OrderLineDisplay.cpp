#include "order/OrderLineDisplay.h"

#include "model/SubmissionGuard.h"
#include "ui/NavigationController.h"
#include "ui/Screen.h"
#include "ui/Storyboard.h"

void showOrderLineReadOnly(Screen *from, const OrderConfirm &line)
{
    Storyboard *board = from ? from->storyboard() : nullptr;
    NavigationController *nav = from ? from->navigationController() : nullptr;
    // Nothing opens while the order edit screen is not registered.
    if (!board || !nav || !board->contains(QStringLiteral("OrderContract"), QStringLiteral("EditOrderViewController"))) {
        qCDebug(lcOrder) << "no order screen to show" << line.sapOrderNo;
        return;
    }
}
