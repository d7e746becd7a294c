#pragma once
// Price entry of the item page: the user may raise the unit price, never below the list price.
// `successBlock` gets the accepted price after the screen began closing.
#include "order/EnterOrderInfoViewController.h"

#include <functional>

class EnterNewAmountViewController : public EnterOrderInfoViewController
{
    Q_OBJECT
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
    void setSuccessBlock(std::function<void(float)> block) { m_successBlock = std::move(block); }

    QString messageText() const { return m_messageText; }
    QString newAmountText() const { return m_newAmountText; }
    void setNewAmountText(const QString &text);
    bool priceFieldFocused() const { return m_priceFieldFocused; }

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

    Q_INVOKABLE void enterNewAmountAction();

signals:
    void amountChanged();

private:
    float m_defaultAmount = 0;
    float m_nowAmount = 0;
    std::function<void(float)> m_successBlock;
    QString m_messageText;
    QString m_newAmountText;
    bool m_priceFieldFocused = false;
};
