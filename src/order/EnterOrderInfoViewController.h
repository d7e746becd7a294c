#pragma once
// Entry of one contract material: car/ship kind, delivery method, quantity (within the contract's
// maximum and the customer's credit) and a remark; adds the line to the cart. Also the base of the
// price entry (EnterNewAmountViewController). Opened modally; the opener sets `order`.
#include "model/Order.h"
#include "ui/Screen.h"

#include <QColor>
#include <QJsonValue>

#include <optional>

class EnterOrderInfoViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    Q_PROPERTY(QString orderTypeButtonTitle READ orderTypeButtonTitle NOTIFY contentChanged)
    Q_PROPERTY(QString info1ButtonTitle READ info1ButtonTitle NOTIFY contentChanged)
    // What the delivery-method button shows: the method chosen, else "請選擇".
    Q_PROPERTY(QString info1ButtonText READ info1ButtonText NOTIFY contentChanged)
    Q_PROPERTY(QString itemAmtText READ itemAmtText WRITE setItemAmtText NOTIFY contentChanged)
    Q_PROPERTY(QString transportText READ transportText WRITE setTransportText NOTIFY contentChanged)
    Q_PROPERTY(QString orderMaxText READ orderMaxText NOTIFY contentChanged)
    Q_PROPERTY(QColor color READ color NOTIFY contentChanged)

public:
    explicit EnterOrderInfoViewController(QObject *parent = nullptr);

    const Order &order() const { return m_order; }
    // The delivery-method button starts with the line's method.
    void setOrder(const Order &order);
    // The cart panel of the contract screens; opened after a line was added.
    Screen *orderCartVC() const { return m_orderCartVC; }
    void setOrderCartVC(Screen *cart) { m_orderCartVC = cart; }
    QJsonValue customerData() const { return m_customerData; }
    void setCustomerData(const QJsonValue &data) { m_customerData = data; }

    QString orderTypeButtonTitle() const { return m_orderTypeButtonTitle; }
    QString info1ButtonTitle() const { return m_info1ButtonTitle; }
    QString info1ButtonText() const;
    QString itemAmtText() const { return m_itemAmtText; }
    void setItemAmtText(const QString &text);
    QString transportText() const { return m_transportText; }
    void setTransportText(const QString &text);
    QString orderMaxText() const { return m_orderMaxText; }
    QColor color() const { return m_color; }

    // The numeric field rule, for the view's quantity and price fields.
    Q_INVOKABLE bool acceptsNumericEdit(const QString &before, const QString &after) const;

    void viewWillAppear(bool animated) override;

    Q_INVOKABLE void orderTypeAction();
    Q_INVOKABLE void inco1Action();
    Q_INVOKABLE void addToCartAction();

signals:
    void contentChanged();

protected:
    void setColor(const QColor &color);

private:
    // A picker of `names` whose choice becomes the button title held in `buttonTitle`.
    void pickButtonTitle(const QString &pickerTitle, const QStringList &names,
                         QString EnterOrderInfoViewController::*buttonTitle);

    Order m_order;
    // The delivery method picked on this screen; the line takes it when it is added.
    std::optional<Inco1> m_chosenInco1;
    QPointer<Screen> m_orderCartVC;
    QJsonValue m_customerData;
    QString m_orderTypeButtonTitle;
    QString m_info1ButtonTitle;
    QString m_itemAmtText;
    QString m_transportText;
    QString m_orderMaxText;
    QColor m_color = QColor::fromRgbF(0, 0, 0.11f);
};
