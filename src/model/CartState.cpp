#include "model/CartState.h"

#include "model/NumberText.h"

#include <QHash>

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

CartState::Derived CartState::derive(const Order &order, const QString &userName)
{
    Derived d{order, userName, createOrderConfirmArray(order, userName), 0};
    const OrderConfirm &line = d.lines.first();
    const std::optional<float> price = wholeFloat(line.kbetr);
    const std::optional<float> quantity = wholeFloat(line.kwmeng);
    d.lineValue = price && quantity ? *price * *quantity : 0.0f;
    return d;
}

void CartState::reloadOrderConfirmArray()
{
    const QString userName = m_orderUserName ? m_orderUserName() : QString();
    QHash<QString, qsizetype> previous;
    previous.reserve(m_derived.size());
    for (qsizetype i = m_derived.size() - 1; i >= 0; --i)
        previous.insert(m_derived.at(i).order.orderSeq, i);

    QList<Derived> derived;
    derived.reserve(m_cartOrderArray.size());
    qsizetype lineCount = 0;
    for (const Order &order : std::as_const(m_cartOrderArray)) {
        const qsizetype at = previous.value(order.orderSeq, -1);
        if (at >= 0 && m_derived.at(at).userName == userName && m_derived.at(at).order == order)
            derived.append(m_derived.at(at));
        else
            derived.append(derive(order, userName));
        lineCount += derived.last().lines.size();
    }

    QList<OrderConfirm> lines;
    lines.reserve(lineCount);
    float amount = 0;
    for (const Derived &d : std::as_const(derived)) {
        lines += d.lines;
        // Line by line, in line order, as the total of the lines is defined.
        for (qsizetype i = 0; i < d.lines.size(); ++i)
            amount += d.lineValue;
    }
    m_derived = std::move(derived);
    m_orderConfirmArray = std::move(lines);
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
