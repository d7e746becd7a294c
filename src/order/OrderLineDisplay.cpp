#include "order/OrderLineDisplay.h"

#include "order/EditOrderViewController.h"
#include "ui/NavigationController.h"

void showOrderLineReadOnly(Screen *from, const OrderConfirm &line)
{
    NavigationController *nav = from ? from->navigationController() : nullptr;
    // Only from the top of the stack: a second tap while the line is being pushed opens nothing more.
    if (!nav || nav->topViewController() != from)
        return;
    if (EditOrderViewController *display = EditOrderViewController::forDisplay(from->storyboard(), line))
        nav->push(display, true);
}
