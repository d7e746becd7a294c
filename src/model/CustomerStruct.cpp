#include "model/CustomerStruct.h"

#include "model/NumberText.h"

CustomerStruct::CustomerStruct(QObject *parent) : QObject(parent) {}

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
    refreshLabels(false);
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

void CustomerStruct::setCreditLabels(const QList<CreditLabel *> &labels)
{
    m_creditLabels.clear();
    m_creditLabels.reserve(labels.size());
    for (CreditLabel *label : labels)
        m_creditLabels.append(QPointer<CreditLabel>(label));
    refreshLabels(true);
}

void CustomerStruct::appendCreditLabel(CreditLabel *label)
{
    m_creditLabels.append(QPointer<CreditLabel>(label));
    refreshLabels(true);
}

QString CustomerStruct::creditText() const
{
    const QString text = moneyText(m_creditValue);
    return text.isEmpty() ? QStringLiteral("0.0") : text;
}

void CustomerStruct::reset()
{
    ++m_generation;
    setCreditValue(0);
    setNowOrderValue(0);
    setCustomer(OrderCustomer());
    setCreditLabels({});
}

void CustomerStruct::refreshLabels(bool evenWhenNegative)
{
    // NaN is neither negative nor "0 or greater": like a negative value it leaves the labels alone.
    if (!evenWhenNegative && !(m_creditValue >= 0))
        return;
    const QString text = creditText();
    // Copy: a label's textChanged handler may register other labels.
    const QList<QPointer<CreditLabel>> labels = m_creditLabels;
    for (const QPointer<CreditLabel> &label : labels) {
        if (label)
            label->setText(text);
    }
}
