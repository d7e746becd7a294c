#include "model/CartState.h"

#include "model/NumberText.h"

#include <charconv>
#include <cmath>

CartState::CartState(std::function<QString()> orderUserName, QObject *parent)
    : QObject(parent), m_orderUserName(std::move(orderUserName))
{
}

void CartState::setCartOrderArray(const QList<Order> &orders)
{
    m_cartOrderArray = orders;
    reloadOrderConfirmArray();
}

void CartState::appendOrder(const Order &order)
{
    m_cartOrderArray.append(order);
    reloadOrderConfirmArray();
}

void CartState::removeOrderAt(int index)
{
    if (index < 0 || index >= m_cartOrderArray.size())
        return;
    m_cartOrderArray.removeAt(index);
    reloadOrderConfirmArray();
}

bool CartState::replaceOrder(const QString &orderSeq, const Order &order)
{
    for (Order &line : m_cartOrderArray) {
        if (line.orderSeq == orderSeq) {
            line = order;
            reloadOrderConfirmArray();
            return true;
        }
    }
    return false;
}

void CartState::setOrderConfirmArray(const QList<OrderConfirm> &lines)
{
    m_orderConfirmArray = lines;
    emit changed();
}

void CartState::clear()
{
    m_cartOrderArray.clear();
    reloadOrderConfirmArray();
    setOrderConfirmArray({});
}

void CartState::reloadOrderConfirmArray()
{
    const QString userName = m_orderUserName ? m_orderUserName() : QString();
    QList<OrderConfirm> lines;
    for (const Order &order : std::as_const(m_cartOrderArray))
        lines += createOrderConfirmArray(order, userName);
    float amount = 0;
    for (const OrderConfirm &line : std::as_const(lines)) {
        const std::optional<float> price = wholeFloat(line.kbetr);
        const std::optional<float> quantity = wholeFloat(line.kwmeng);
        const float value = price && quantity ? *price * *quantity : 0.0f;
        amount += value;
    }
    m_orderConfirmArray = lines;
    m_orderConfirmAmount = amount;
    emit changed();
}

QString CartState::orderConfirmAmountText() const
{
    const QString text = moneyText(m_orderConfirmAmount);
    return text.isEmpty() ? QStringLiteral("0.0") : text;
}

std::optional<float> CartState::wholeFloat(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QByteArray bytes = text.toUtf8();
    const char *first = bytes.constData();
    const char *last = first + bytes.size();
    // A leading '+' is accepted as the number readers of the phone platform do; from_chars does not.
    if (*first == '+' && bytes.size() > 1 && first[1] != '-')
        ++first;
    float value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}
