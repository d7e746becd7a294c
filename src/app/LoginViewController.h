#pragma once
// The first screen, and the one signing out returns to: sends the account and the MD5 of the password
// to `login`, fills the keychain and the session record from the answer, reloads the master-data lists
// from the stored documents and presents the tab screen. Loading it runs the version check; while a
// forced update is announced, the login button shows its alert instead of signing in.
#include "services/ServiceTypes.h"
#include "ui/Screen.h"

Q_DECLARE_LOGGING_CATEGORY(lcApp)

class LoginViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // The texts of userNameTextField and passwordTextField.
    Q_PROPERTY(QString userName READ userName WRITE setUserName NOTIFY fieldsChanged)
    Q_PROPERTY(QString password READ password WRITE setPassword NOTIFY fieldsChanged)
    Q_PROPERTY(QColor buttonColor READ buttonColor CONSTANT)
    // The installed version, shown under the form.
    Q_PROPERTY(QString versionText READ versionText CONSTANT)

public:
    explicit LoginViewController(QObject *parent = nullptr);

    QString userName() const { return m_userName; }
    void setUserName(const QString &text);
    QString password() const { return m_password; }
    void setPassword(const QString &text);
    QColor buttonColor() const;
    QString versionText() const;

    void viewDidLoad() override;

    // The login button.
    Q_INVOKABLE void loginAction();

signals:
    void fieldsChanged();

private:
    void loginFinished(const ApiStatus &status, const QString &account);
    void enterMainScreen();

    QString m_userName;
    QString m_password;
};
