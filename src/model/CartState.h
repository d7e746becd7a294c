#pragma once
// The derivations of the cart lines of the order draft (which owns it): the cart lines
// (cartOrderArray), the submission lines derived from them (orderConfirmArray) and their total
// (orderConfirmAmount). Every change of the cart lines rebuilds the derived lines before it returns.
// Touched on the main thread only.
#include "model/Order.h"

#include <QObject>

#include <functional>
#include <optional>

class CartState : public QObject
{
    Q_OBJECT
public:
    // `orderUserName` gives the stored name of the signed-in user (empty when none), written into
    // every submission line.
    explicit CartState(std::function<QString()> orderUserName = {}, QObject *parent = nullptr);

    const QList<Order> &cartOrderArray() const { return m_cartOrderArray; }
    const QList<OrderConfirm> &orderConfirmArray() const { return m_orderConfirmArray; }
    float orderConfirmAmount() const { return m_orderConfirmAmount; }

    // Changes the cart lines, then rebuilds the submission lines and the total.
    void setCartOrderArray(const QList<Order> &orders);

    // Submission lines of every cart line in order, and their total: the sum over the lines of
    // kbetr × kwmeng read back from their texts (a line whose texts do not read counts 0).
    void reloadOrderConfirmArray();
    // The total in money text ("¥12,600.00"), or "0.0" when it cannot be formatted.
    QString orderConfirmAmountText() const;

    // A whole text read as a 32-bit float: no blanks or other characters, no infinities or NaN.
    static std::optional<float> wholeFloat(const QString &text);

signals:
    void changed();

private:
    // The lines of one cart order as last derived, reused while the order and user name are unchanged,
    // so that a change of one order of a large cart derives only that order again.
    struct Derived {
        Order order;
        QString userName;
        QList<OrderConfirm> lines;
        float lineValue = 0; // kbetr × kwmeng of one line, 0 when the texts do not read
    };
    static Derived derive(const Order &order, const QString &userName);

    std::function<QString()> m_orderUserName;
    QList<Derived> m_derived;
    QList<Order> m_cartOrderArray;
    QList<OrderConfirm> m_orderConfirmArray;
    float m_orderConfirmAmount = 0;
};
