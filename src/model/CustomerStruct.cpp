#include "model/CustomerStruct.h"

#include "model/NumberText.h"
#include "text/Localizer.h"

namespace {
QString creditTextOf(float value, bool kept)
{
    QString text = moneyText(value);
    if (text.isEmpty())
        text = QStringLiteral("0.0");
    // A figure kept from an earlier answer is checked again before the order is sent.
    return kept ? text + localized(QT_TRANSLATE_NOOP("Zelk", "（待確認）")) : text;
}
} // namespace

CustomerStruct::CustomerStruct(QObject *parent) : QObject(parent), m_creditText(creditTextOf(0, false)) {}

void CustomerStruct::setCustomer(const OrderCustomer &customer)
{
    if (customer == m_customer)
        return;
    m_customer = customer;
    ++m_generation;
    emit customerChanged();
}

void CustomerStruct::setCreditValue(float value, qint64 keptAt)
{
    const bool changed = !(value == m_creditValue) || keptAt != m_creditKeptAt;
    m_creditValue = value;
    m_creditKeptAt = keptAt;
    // NaN is neither negative nor "0 or greater": like a negative value it leaves the text alone.
    if (value >= 0)
        setCreditText(creditTextOf(value, keptAt));
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

void CustomerStruct::showCreditText() { setCreditText(creditTextOf(m_creditValue, m_creditKeptAt)); }

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
