#pragma once
// A diagnosis screen: shows the text of the last notification received while it is the window's
// root screen (the push delivery fills it).
#include "ui/Screen.h"

class PushTestViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // The text of pushMessageTextView.
    Q_PROPERTY(QString pushMessage READ pushMessage WRITE setPushMessage NOTIFY pushMessageChanged)

public:
    explicit PushTestViewController(QObject *parent = nullptr) : Screen(parent) {}

    QString pushMessage() const { return m_pushMessage; }
    void setPushMessage(const QString &text)
    {
        if (m_pushMessage == text)
            return;
        m_pushMessage = text;
        emit pushMessageChanged();
    }

signals:
    void pushMessageChanged();

private:
    QString m_pushMessage;
};
