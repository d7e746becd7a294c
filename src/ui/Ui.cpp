#include "ui/Ui.h"

Ui::~Ui() { QObject::disconnect(m_spinnerOwnerGone); }

void Ui::showSpinner(QObject *owner, SpinnerMask mask, const QString &status)
{
    QObject::disconnect(m_spinnerOwnerGone);
    m_spinnerOwnerGone = {};
    if (owner)
        m_spinnerOwnerGone = QObject::connect(owner, &QObject::destroyed, [this] {
            m_spinnerOwnerGone = {};
            removeSpinner();
        });
    drawSpinner(mask, status);
}

void Ui::dismissSpinner()
{
    QObject::disconnect(m_spinnerOwnerGone);
    m_spinnerOwnerGone = {};
    removeSpinner();
}
