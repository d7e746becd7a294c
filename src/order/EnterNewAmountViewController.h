#pragma once
// Price entry of the item page: the user may raise the unit price, never below the list price.
// amountEntered() carries the accepted price once the screen has begun closing.
#include "order/EnterOrderInfoViewController.h"


class EnterNewAmountViewController : public EnterOrderInfoViewController
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    Q_PROPERTY(QString messageText READ messageText NOTIFY amountChanged)
    Q_PROPERTY(QString newAmountText READ newAmountText WRITE setNewAmountText NOTIFY amountChanged)
    // True once the screen has appeared: the price field takes the keyboard focus.
    Q_PROPERTY(bool priceFieldFocused READ priceFieldFocused NOTIFY amountChanged)

public:
    explicit EnterNewAmountViewController(QObject *parent = nullptr);

    float defaultAmount() const { return m_defaultAmount; }
    void setDefaultAmount(float amount) { m_defaultAmount = amount; }
    float nowAmount() const { return m_nowAmount; }
    void setNowAmount(float amount) { m_nowAmount = amount; }

    QString messageText() const { return m_messageText; }
    QString newAmountText() const { return m_newAmountText; }
    void setNewAmountText(const QString &text);
    bool priceFieldFocused() const { return m_priceFieldFocused; }

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

    Q_INVOKABLE void enterNewAmountAction();

signals:
    void amountChanged();
    // The price was accepted (not below the list price); the screen is closing.
    void amountEntered(float amount);

private:
    float m_defaultAmount = 0;
    float m_nowAmount = 0;
    QString m_messageText;
    QString m_newAmountText;
    bool m_priceFieldFocused = false;
};
