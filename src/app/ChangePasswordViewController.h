#pragma once
// Changes the password: the old and the new one, both as MD5 digests, go to `modAppPwd`. Reached from
// the More screen; returns to it after a success.
#include "services/ServiceTypes.h"
#include "ui/Screen.h"

class ChangePasswordViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // The texts of oldPasswordTextField, newPasswordTextField and confirmNewPasswordTextField.
    Q_PROPERTY(QString oldPassword READ oldPassword WRITE setOldPassword NOTIFY fieldsChanged)
    Q_PROPERTY(QString newPassword READ newPassword WRITE setNewPassword NOTIFY fieldsChanged)
    Q_PROPERTY(QString confirmNewPassword READ confirmNewPassword WRITE setConfirmNewPassword NOTIFY fieldsChanged)
    Q_PROPERTY(QColor buttonColor READ buttonColor CONSTANT)

public:
    explicit ChangePasswordViewController(QObject *parent = nullptr);

    QString oldPassword() const { return m_old; }
    void setOldPassword(const QString &text);
    QString newPassword() const { return m_new; }
    void setNewPassword(const QString &text);
    QString confirmNewPassword() const { return m_confirm; }
    void setConfirmNewPassword(const QString &text);
    QColor buttonColor() const;

    // The change-password button.
    Q_INVOKABLE void changePasswordAction();

signals:
    void fieldsChanged();

private:
    void changeFinished(const ApiStatus &status);
    void setField(QString &field, const QString &text);

    QString m_old;
    QString m_new;
    QString m_confirm;
};
