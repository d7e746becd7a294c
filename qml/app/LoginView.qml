pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The sign-in screen: account, password and the login button on the light brand background.
Item {
    id: view
    required property LoginViewController controller


    ColumnLayout {
        anchors { left: parent.left; right: parent.right; verticalCenter: parent.verticalCenter }
        anchors.margins: 32
        spacing: 16

        Image {
            Layout.alignment: Qt.AlignHCenter
            source: "qrc:/Zelk/resources/logo.png"
            sourceSize.width: 96
            sourceSize.height: 96
            fillMode: Image.PreserveAspectFit
        }
        PlainLabel {
            Layout.alignment: Qt.AlignHCenter
            text: Localized.text("澤勒中國")
            font.pixelSize: 26
            font.bold: true
            color: Brand.titleText
        }
        Item { Layout.preferredHeight: 8 }

        TextField {
            id: account
            placeholderTextColor: Brand.secondaryText
            objectName: "userNameTextField"
            Accessible.name: placeholderText
            Layout.fillWidth: true
            placeholderText: Localized.text("帳號")
            text: view.controller.userName
            inputMethodHints: Qt.ImhNoAutoUppercase | Qt.ImhNoPredictiveText
            onTextEdited: view.controller.userName = text
            onAccepted: password.forceActiveFocus()
        }
        PasswordField {
            id: password
            objectName: "passwordTextField"
            Layout.fillWidth: true
            placeholderText: Localized.text("密碼")
            text: view.controller.password
            onTextEdited: view.controller.password = text
            onAccepted: view.controller.loginAction()
        }
        Button {
            objectName: "loginButton"
            Accessible.name: text
            Layout.fillWidth: true
            Layout.topMargin: 8
            text: Localized.text("登入")
            highlighted: true
            Material.accent: view.controller.buttonColor
            onClicked: view.controller.loginAction()
        }
    }

    PlainLabel {
        anchors { horizontalCenter: parent.horizontalCenter; bottom: parent.bottom; bottomMargin: 24 }
        objectName: "versionLabel"
        visible: view.controller.versionText !== ""
        text: "v" + view.controller.versionText
        color: Brand.unselectedTab
        font.pixelSize: 12
    }
}
