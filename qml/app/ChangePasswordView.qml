import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The password change: old password, new password twice, and the change button.
Item {
    id: view
    required property var controller


    ColumnLayout {
        anchors { left: parent.left; right: parent.right; top: parent.top }
        anchors.margins: 24
        spacing: 12

        TextField {
            objectName: "oldPasswordTextField"
            Accessible.name: placeholderText
            Layout.fillWidth: true
            placeholderText: Localized.text("舊密碼")
            echoMode: TextInput.Password
            text: view.controller.oldPassword
            onTextEdited: view.controller.oldPassword = text
        }
        TextField {
            objectName: "newPasswordTextField"
            Accessible.name: placeholderText
            Layout.fillWidth: true
            placeholderText: Localized.text("新密碼")
            echoMode: TextInput.Password
            text: view.controller.newPassword
            onTextEdited: view.controller.newPassword = text
        }
        TextField {
            objectName: "confirmNewPasswordTextField"
            Accessible.name: placeholderText
            Layout.fillWidth: true
            placeholderText: Localized.text("確認新密碼")
            echoMode: TextInput.Password
            text: view.controller.confirmNewPassword
            onTextEdited: view.controller.confirmNewPassword = text
            onAccepted: view.controller.changePasswordAction()
        }
        Button {
            objectName: "changePasswordButton"
            Accessible.name: text
            Layout.fillWidth: true
            Layout.topMargin: 8
            text: Localized.text("修改密碼")
            highlighted: true
            Material.accent: view.controller.buttonColor
            onClicked: view.controller.changePasswordAction()
        }
    }
}
