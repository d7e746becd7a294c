#include "model/CreditLabel.h"

CreditLabel::CreditLabel(QObject *parent) : QObject(parent) {}

void CreditLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    emit textChanged();
}
