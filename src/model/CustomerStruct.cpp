#include "model/CustomerStruct.h"

#include "model/NumberText.h"

namespace {
QString creditTextOf(float value)
{
    const QString text = moneyText(value);
    return text.isEmpty() ? QStringLiteral("0.0") : text;
}
} // namespace

CustomerStruct::CustomerStruct(QObject *parent) : QObject(parent), m_creditText(creditTextOf(0)) {}

void CustomerStruct::setCustomer(const OrderCustomer &customer)
{
    if (customer == m_customer)
        return;
    m_customer = customer;
    ++m_generation;
    emit customerChanged();
}

void CustomerStruct::setCreditValue(float value)
{
    const bool changed = !(value == m_creditValue);
    m_creditValue = value;
    // NaN is neither negative nor "0 or greater": like a negative value it leaves the text alone.
    if (value >= 0)
        setCreditText(creditTextOf(value));
    if (changed)
        emit creditValueChanged();
}

void CustomerStruct::setNowOrderValue(float value)
{
    if (value == m_nowOrderValue)
        return;
    m_nowOrderValue = value;
    emit nowOrderValueChanged();
}

void CustomerStruct::showCreditText() { setCreditText(creditTextOf(m_creditValue)); }

void CustomerStruct::reset()
{
    ++m_generation;
    setCreditValue(0);
    setNowOrderValue(0);
    setCustomer(OrderCustomer());
}

void CustomerStruct::setCreditText(const QString &text)
{
    if (text == m_creditText)
        return;
    m_creditText = text;
    emit creditTextChanged();
}
