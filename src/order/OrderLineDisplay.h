#pragma once
// Shows one submitted order line read-only ("訂單資訊"): the order edit screen in its display use,
// pushed onto the navigation stack of `from`. Used by the notice-mail screens.
#include "model/OrderStatus.h"

class Screen;

void showOrderLineReadOnly(Screen *from, const OrderConfirm &line);
