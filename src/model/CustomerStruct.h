#pragma once
// The current-customer context: the customer an order is being entered for and its credit figures.
// One per process (held by the app context), touched on the main thread only.
//
// The credit text that screens show (creditText, bound by their views) follows the credit value with
// one exception: a negative (or NaN) value leaves it as it was, while a screen that shows the credit
// coming up (showCreditText) writes the current value's text, whatever its sign.
#include "model/MasterData.h"

#include <QObject>
#include <QString>

class CustomerStruct : public QObject
{
    Q_OBJECT
    Q_PROPERTY(float creditValue READ creditValue NOTIFY creditValueChanged)
    Q_PROPERTY(float nowOrderValue READ nowOrderValue NOTIFY nowOrderValueChanged)
    Q_PROPERTY(QString creditText READ creditText NOTIFY creditTextChanged)
public:
    explicit CustomerStruct(QObject *parent = nullptr);

    const OrderCustomer &customer() const { return m_customer; }
    void setCustomer(const OrderCustomer &customer);

    float creditValue() const { return m_creditValue; }
    // Stores the value; the credit text follows when the value is 0 or more. `keptAt` (not 0): the figure
    // is the one kept for working offline, received then; its text says it is still to be confirmed.
    void setCreditValue(float value, qint64 keptAt = 0);
    qint64 creditKeptAt() const { return m_creditKeptAt; }

    float nowOrderValue() const { return m_nowOrderValue; }
    void setNowOrderValue(float value);

    // The credit text shown ("¥12,600.00", or "0.0" when the value cannot be formatted).
    QString creditText() const { return m_creditText; }
    // A screen that shows the credit came up: the text becomes the current value's, whatever its sign.
    void showCreditText();

    // Starts a new order: credit 0 (its text shown), nothing in the cart, the empty customer.
    void reset();

    // Changes with every new order and every change of customer, so that an answer asked for one order's
    // customer is recognised as stale once another order or customer has taken its place.
    quint64 generation() const { return m_generation; }

signals:
    void customerChanged();
    void creditValueChanged();
    void creditTextChanged();
    void nowOrderValueChanged();

private:
    void setCreditText(const QString &text);

    OrderCustomer m_customer;
    quint64 m_generation = 0;
    float m_creditValue = 0;
    qint64 m_creditKeptAt = 0;
    float m_nowOrderValue = 0;
    QString m_creditText;
};
