pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import Zelk

// The sign-in screen: account, password and the login button on the light brand background.
Item {
    id: view
    required property LoginViewController controller


    // A plain column: the first screen loads no layout module.
    Column {
        id: column
        anchors { left: parent.left; right: parent.right; verticalCenter: parent.verticalCenter }
        anchors.margins: 32
        spacing: 16

        // The brand mark, drawn rather than decoded from an image: the first screen then needs no image
        // decoder, texture or texture shader, and the mark is sharp at any pixel density.
        Item {
            objectName: "brandMark"
            anchors.horizontalCenter: parent.horizontalCenter
            width: 96
            height: 96
            Rectangle {
                anchors { fill: parent; margins: 4 }
                radius: 17
                color: Brand.red
            }
            PlainLabel {
                anchors.centerIn: parent
                text: "Z"
                color: "white"
                font.pixelSize: 64
                font.bold: true
            }
        }
        PlainLabel {
            anchors.horizontalCenter: parent.horizontalCenter
            text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "澤勒中國"))
            font.pixelSize: 26
            font.bold: true
            color: Brand.titleText
        }
        Item { width: 1; height: 8 }

        TextField {
            id: account
            placeholderTextColor: Brand.secondaryText
            objectName: "userNameTextField"
            Accessible.name: placeholderText
            width: column.width
            placeholderText: Localized.text(QT_TRANSLATE_NOOP("Zelk", "帳號"))
            text: view.controller.userName
            inputMethodHints: Qt.ImhNoAutoUppercase | Qt.ImhNoPredictiveText
            onTextEdited: view.controller.userName = text
            onAccepted: password.forceActiveFocus()
        }
        PasswordField {
            id: password
            objectName: "passwordTextField"
            width: column.width
            placeholderText: Localized.text(QT_TRANSLATE_NOOP("Zelk", "密碼"))
            text: view.controller.password
            onTextEdited: view.controller.password = text
            onAccepted: view.controller.loginAction()
        }
        // The button sits 8 px further down than the column's spacing.
        Item {
            width: column.width
            height: loginButton.height + 8
            FilledButton {
                id: loginButton
                objectName: "loginButton"
                Accessible.name: text
                y: 8
                width: parent.width
                text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "登入"))
                Material.accent: view.controller.buttonColor
                onClicked: view.controller.loginAction()
            }
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
