pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The password change: old password, new password twice, and the change button.
Item {
    id: view
    required property ChangePasswordViewController controller


    ColumnLayout {
        anchors { left: parent.left; right: parent.right; top: parent.top }
        anchors.margins: 24
        spacing: 12

        PasswordField {
            objectName: "oldPasswordTextField"
            Layout.fillWidth: true
            placeholderText: Localized.text(QT_TRANSLATE_NOOP("Zelk", "舊密碼"))
            text: view.controller.oldPassword
            onTextEdited: view.controller.oldPassword = text
        }
        PasswordField {
            objectName: "newPasswordTextField"
            Layout.fillWidth: true
            placeholderText: Localized.text(QT_TRANSLATE_NOOP("Zelk", "新密碼"))
            text: view.controller.newPassword
            onTextEdited: view.controller.newPassword = text
        }
        PasswordField {
            objectName: "confirmNewPasswordTextField"
            Layout.fillWidth: true
            placeholderText: Localized.text(QT_TRANSLATE_NOOP("Zelk", "確認新密碼"))
            text: view.controller.confirmNewPassword
            onTextEdited: view.controller.confirmNewPassword = text
            onAccepted: view.controller.changePasswordAction()
        }
        FilledButton {
            objectName: "changePasswordButton"
            Accessible.name: text
            Layout.fillWidth: true
            Layout.topMargin: 8
            text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "修改密碼"))
            Material.accent: view.controller.buttonColor
            onClicked: view.controller.changePasswordAction()
        }
    }
}
