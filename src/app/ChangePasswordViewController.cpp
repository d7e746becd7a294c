#include "app/ChangePasswordViewController.h"

#include "model/AppContext.h"
#include "services/ApiStatus.h"
#include "ui/Colors.h"
#include "ui/NavigationController.h"
#include "ui/Ui.h"

ChangePasswordViewController::ChangePasswordViewController(QObject *parent) : Screen(parent)
{
    setTitle(QStringLiteral("修改密碼"));
    setBackgroundColor(Colors::background());
}

void ChangePasswordViewController::setField(QString &field, const QString &text)
{
    if (field == text)
        return;
    field = text;
    emit fieldsChanged();
}

void ChangePasswordViewController::setOldPassword(const QString &text) { setField(m_old, text); }
void ChangePasswordViewController::setNewPassword(const QString &text) { setField(m_new, text); }
void ChangePasswordViewController::setConfirmNewPassword(const QString &text) { setField(m_confirm, text); }

QColor ChangePasswordViewController::buttonColor() const { return Colors::brandRed(); }

void ChangePasswordViewController::changePasswordAction()
{
    AppContext *ctx = context();
    Ui *u = ui();
    if (!ctx || !u)
        return;
    if (m_old.isEmpty() || m_new.isEmpty() || m_confirm.isEmpty()) {
        Alert alert;
        alert.title = QStringLiteral("請輸入完整資料");
        alert.addButton(QStringLiteral("確定"));
        u->showAlert(alert);
        return;
    }
    // Exact comparison: a difference in letter case counts.
    if (m_new != m_confirm) {
        Alert alert;
        alert.title = QStringLiteral("兩次密碼輸入不同");
        alert.message = QStringLiteral("請重新輸入");
        alert.addButton(QStringLiteral("確定"));
        u->showAlert(alert);
        return;
    }
    u->showSpinner(this);
    ctx->operations().modAppPwd(ctx->userId(), m_old, m_new, this,
                                [this](const ApiStatus &status) { changeFinished(status); });
}

void ChangePasswordViewController::changeFinished(const ApiStatus &status)
{
    Ui *u = ui();
    if (!u)
        return;
    Alert alert;
    alert.message = status.message;
    if (status.isSuccess && status.returnJson) {
        alert.title = QStringLiteral("修改成功");
        alert.context = this;
        alert.addButton(QStringLiteral("確定"), AlertButton::Style::Default, [this] {
            if (NavigationController *nav = navigationController())
                nav->pop(true);
        });
    } else {
        alert.title = QStringLiteral("修改失敗");
        alert.addButton(QStringLiteral("確定"));
    }
    u->showAlert(alert);
    u->dismissSpinner();
}
