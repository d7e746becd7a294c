#pragma once
// The current-customer context: the customer an order is being entered for and its credit figures.
// One per process (held by the app context), touched on the main thread only.
//
// Registered credit labels show the credit text of the current credit value, with one exception:
// setting a negative credit leaves the labels as they are, while registering labels always writes
// the current text into them, whatever its sign. Labels are held weakly; a destroyed label is skipped.
#include "model/CreditLabel.h"
#include "model/MasterData.h"

#include <QList>
#include <QObject>
#include <QPointer>

class CustomerStruct : public QObject
{
    Q_OBJECT
    Q_PROPERTY(float creditValue READ creditValue NOTIFY creditValueChanged)
    Q_PROPERTY(float nowOrderValue READ nowOrderValue NOTIFY nowOrderValueChanged)
    Q_PROPERTY(QString creditText READ creditText NOTIFY creditValueChanged)
public:
    explicit CustomerStruct(QObject *parent = nullptr);

    const OrderCustomer &customer() const { return m_customer; }
    void setCustomer(const OrderCustomer &customer);

    float creditValue() const { return m_creditValue; }
    // Stores the value, then writes the credit text into every present label when the value is 0 or more.
    void setCreditValue(float value);

    float nowOrderValue() const { return m_nowOrderValue; }
    void setNowOrderValue(float value);

    QList<QPointer<CreditLabel>> creditLabels() const { return m_creditLabels; }
    // Stores the labels, then writes the credit text into every present one.
    void setCreditLabels(const QList<CreditLabel *> &labels);
    // Adds one label to the registered ones; like setting the list, every present label is then written.
    void appendCreditLabel(CreditLabel *label);

    // The credit value in money text ("¥12,600.00"), or "0.0" when it cannot be formatted.
    QString creditText() const;

    // Starts a new order: credit 0 (labels refreshed), nothing in the cart, the empty customer, no labels.
    void reset();

    // Changes with every new order and every change of customer, so that an answer asked for one order's
    // customer is recognised as stale once another order or customer has taken its place.
    quint64 generation() const { return m_generation; }

signals:
    void customerChanged();
    void creditValueChanged();
    void nowOrderValueChanged();

private:
    void refreshLabels(bool evenWhenNegative);

    OrderCustomer m_customer;
    quint64 m_generation = 0;
    float m_creditValue = 0;
    float m_nowOrderValue = 0;
    QList<QPointer<CreditLabel>> m_creditLabels;
};
