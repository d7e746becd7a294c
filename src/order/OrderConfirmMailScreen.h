#pragma once
// The notice-mail screen the confirmation opens (Scene::SendMail):
// it takes the confirmation's lines and reports a sent mail.
#include "model/OrderStatus.h"
#include "ui/Screen.h"

class OrderConfirmMailScreen : public Screen
{
    Q_OBJECT
public:
    using Screen::Screen;
    virtual void setOrderConfirmLines(const QList<OrderConfirm> &lines) = 0;

signals:
    void sentSuccessClosure();
};
