#pragma once
// An on-screen label showing the customer's credit. A screen owns it, exposes it to its view and
// registers it with CustomerStruct, which writes the credit text into it.
#include <QObject>
#include <QString>

class CreditLabel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
public:
    explicit CreditLabel(QObject *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);

signals:
    void textChanged();

private:
    QString m_text;
};
