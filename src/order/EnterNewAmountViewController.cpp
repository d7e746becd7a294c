#include "order/EnterNewAmountViewController.h"

#include "model/CartState.h"
#include "model/NumberText.h"
#include "text/Localizer.h"

EnterNewAmountViewController::EnterNewAmountViewController(QObject *parent) : EnterOrderInfoViewController(parent)
{
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "單位價錢(含稅)")));
}

void EnterNewAmountViewController::setNewAmountText(const QString &text)
{
    if (m_newAmountText == text)
        return;
    m_newAmountText = text;
    emit amountChanged();
}

void EnterNewAmountViewController::viewDidLoad()
{
    setColor(QColor::fromRgbF(0.015f, 0.1822f, 0.426f, 1.0f));
    m_newAmountText = numberText(m_nowAmount);
    m_messageText = localized(QT_TRANSLATE_NOOP("Zelk", "金額不得低於")) + numberText(m_defaultAmount);
    emit amountChanged();
}

void EnterNewAmountViewController::viewDidAppear(bool animated)
{
    EnterOrderInfoViewController::viewDidAppear(animated);
    m_priceFieldFocused = true;
    emit amountChanged();
}

void EnterNewAmountViewController::enterNewAmountAction()
{
    if (isBeingDismissed())
        return; // a second tap while closing must not report the price twice
    const std::optional<float> amount = CartState::wholeFloat(m_newAmountText);
    if (!amount || !(*amount > 0)) {
        alertWithTitle(localized(QT_TRANSLATE_NOOP("Zelk", "請輸入正確的數字")), localized(QT_TRANSLATE_NOOP("Zelk", "無法轉換成數字")));
        return;
    }
    if (*amount >= m_defaultAmount) {
        dismiss(true);
        emit amountEntered(*amount);
        return;
    }
    alertWithTitle(localized(QT_TRANSLATE_NOOP("Zelk", "輸入金額不得小於原始金額")));
}
